// Switching between the event list and the record view, and stepping
// through events and causes. Filled when the event display is built.

#include "app/TForm1.h"

void TForm1::Button5Click() {}
void TForm1::ListBox1Click() {}
void TForm1::ListBox1KeyDown(int key) { (void)key; }
void TForm1::UpDown1ChangingEx(int newValue) { (void)newValue; }
