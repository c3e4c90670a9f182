// The settings-file entries of the menu "Nastawy": open and save. Filled when
// the settings text file is built.

#include "app/TForm1.h"

void TForm1::Otwrz1Click() {}
void TForm1::Zapiszjako1Click() {}
