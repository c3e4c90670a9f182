// The controller's three weekly test times. Filled when the test schedule is
// built; until then start-up reads nothing.

#include "app/TForm1.h"

void TForm1::ReadTestSchedule() {}
void TForm1::Button2Click() {}
void TForm1::Button6Click() {}
