// The print entries of the menus "Nastawy" and "Zdarzenia". Filled when the
// printouts are built.

#include "app/TForm1.h"

void TForm1::Drukuj2Click() {}
void TForm1::Drukuj1Click() {}
