// The event list of the page "Zdarzenia". Filled when the event display is
// built; the event texts of a description file rebuild it once events are
// loaded.

#include "app/TForm1.h"

void TForm1::BuildEventList() {}
