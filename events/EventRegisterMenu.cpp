// Reading the controller's event register (menu "Zdarzenia"). Filled when
// the event register acquisition is built.

#include "app/TForm1.h"

void TForm1::Odczyt1Click() {}
