// The event file entries of the menu "Zdarzenia": open and save. Filled when
// the event file is built.

#include "app/TForm1.h"

void TForm1::OdczytPC1Click() {}
void TForm1::Zapiszjako2Click() {}
