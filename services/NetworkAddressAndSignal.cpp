// The network address of the controller's second port and its system
// signal. Filled when those commands are built.

#include "app/TForm1.h"

void TForm1::Button3Click() {}
void TForm1::SpinEdit2Change() {}
void TForm1::Button1Click() {}
