// Loading a settings or description file into the window. Filled when the
// settings text file is built; until then start-up loads nothing.

#include "app/TForm1.h"

// fileName: the name as OpenDialog1 holds it (at start-up without folder and
// without the ".txt" extension).
void TForm1::LoadSettingsFile(const QString& fileName) { (void)fileName; }
