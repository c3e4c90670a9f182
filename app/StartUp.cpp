// Window creation and destruction: the start-up sequence that finds the
// controller and its description file, and the closing of the port.

#include "app/TForm1.h"
#include "app/TransmissionPage.h"
#include "files/SettingsFileNames.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The item standing for the value; a value the box does not offer leaves
// the box as it was.
template <typename T, std::size_t N>
void ShowValue(TComboBox& box, T value, const std::array<TransmissionPage::Row<T>, N>& rows) {
  const int index = TransmissionPage::ItemIndexOf(value, rows);
  if (index >= 0) box.SetItemIndex(index);
}

template <typename T, std::size_t N>
void TakeValue(const TComboBox& box, T& property, const std::array<TransmissionPage::Row<T>, N>& rows) {
  if (const auto value = TransmissionPage::ValueOf(box.Text, rows)) property = *value;
}

}  // namespace

void TForm1::FormCreate(const StartUpLine& line) {
  // 1. Catalogue of the settings into the grid and check boxes.
  InitSettingsCatalogue();
  // 2., 3. The line settings of the start: the transmission page shows them
  //    and the link takes them from the page, so the two agree as after a
  //    change on the page.
  using namespace TransmissionPage;
  ShowValue(ComboBox1, line.Port, kPorts);
  ShowValue(ComboBox2, line.BaudRate, kBaudRates);
  ShowValue(ComboBox3, line.Parity, kParities);
  ShowValue(ComboBox4, line.StopBits, kStopBits);
  SpinEdit1.SetValue(line.SlaveAddress);
  SlaveAddress = std::uint8_t(SpinEdit1.Value());
  TakeValue(ComboBox1, Mdb1.Port, kPorts);
  TakeValue(ComboBox2, Mdb1.BaudRate, kBaudRates);
  TakeValue(ComboBox3, Mdb1.Parity, kParities);
  TakeValue(ComboBox4, Mdb1.StopBits, kStopBits);
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
