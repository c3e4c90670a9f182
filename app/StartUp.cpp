// Window creation and destruction: the start-up sequence that finds the
// controller and its description file, and the closing of the port.

#include "app/TForm1.h"
#include "files/SettingsFileNames.h"

#include <QDir>
#include <QFileInfo>

void TForm1::FormCreate() {
  // 1. Catalogue of the settings into the grid and check boxes.
  InitSettingsCatalogue();
  // 2. Slave address.
  SlaveAddress = 1;
  // 3. Line settings the transmission page shows: COM1, 19200, no parity, 1 stop bit.
  Mdb1.BaudRate = br19200;
  Mdb1.Parity = prNone;
  // 4. Look for the controller; a failure shows its own message.
  ConnectDevice();
  // 5. Factory number as the connection attempt left it (0 when nothing was
  //    read: a failed read leaves the image untouched).
  FactoryNumber = SettingsImage[97];
  // 6., 7. The controller's description file, or the general one.
  OpenDialog1.FileName = SettingsFileNames::kDescriptionPrefix + PadNumber3(FactoryNumber);
  if (!QFileInfo(QDir::current().filePath(OpenDialog1.FileName + SettingsFileNames::kTextExtension))
           .isFile()) {
    FactoryNumber = 0;
    OpenDialog1.FileName = SettingsFileNames::kDescriptionPrefix + PadNumber3(0);
  }
  // 8. Load it (name without folder and extension, as OpenDialog1 holds it).
  LoadSettingsFile(OpenDialog1.FileName);
  // 9. Test schedule only when the connection attempt got a well-formed reply.
  if (Mdb1.Answered()) ReadTestSchedule();
}

void TForm1::FormDestroy() {
  if (Mdb1.PortOpen()) DisconnectDevice();
}
