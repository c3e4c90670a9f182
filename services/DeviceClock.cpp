// The controller's and the PC's clock on the page "Ustawienia WLT", and
// setting the controller's clock. Filled when the device clock is built.

#include "app/TForm1.h"

void TForm1::Timer1Timer() {}
void TForm1::Button4Click() {}
