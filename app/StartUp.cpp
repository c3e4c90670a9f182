// Window creation and destruction: the start-up sequence that finds the
// controller and its description file, and the closing of the port.

#include "app/TForm1.h"
#include "app/TransmissionPage.h"
#include "files/CaseInsensitiveLookup.h"
#include "files/FileTexts.h"
#include "files/SettingsFileNames.h"

#include <QDir>

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
  ShowPortDevices();
  // 4. Look for the controller; a failure shows its own message.
  ConnectDevice();
  // 5. Factory number as the connection attempt left it (0 when nothing was
  //    read: a failed read leaves the image untouched).
  FactoryNumber = SettingsImage[97];
  // 6., 7. The controller's description file, or the general one, in any
  //    letter case of its name (a copy from a Windows PC may have another).
  using SettingsFileNames::kDescriptionPrefix;
  const auto find = [](int number) {
    return CaseInsensitiveLookup::Find(QDir::current(),
                                       kDescriptionPrefix + PadNumber3(number) + SettingsFileNames::kTextExtension);
  };
  CaseInsensitiveLookup::Found found = find(FactoryNumber);
  if (found.name.isEmpty()) {
    FactoryNumber = 0;
    found = find(0);
  }
  // OpenDialog1 holds the name without folder and extension, as the window
  // always kept it, unless the file's name has its letters in another case.
  OpenDialog1.FileName = kDescriptionPrefix + PadNumber3(FactoryNumber);
  if (!found.name.isEmpty() && found.name != OpenDialog1.FileName + SettingsFileNames::kTextExtension)
    OpenDialog1.FileName = found.name;
  // 8. Load it.
  LoadSettingsFile(OpenDialog1.FileName);
  // 9. Test schedule only when the connection attempt got a well-formed reply.
  if (Mdb1.Answered()) ReadTestSchedule();
  // Of several files of the name, the status bar says which was taken,
  // unless it reports a failure of the schedule's read.
  if (found.several && StatusBar1.Panels[1].Text.isEmpty())
    StatusBar1.Panels[1].Text = FileTexts::DescriptionChosen.arg(found.name);
}

void TForm1::FormDestroy() {
  if (Mdb1.PortOpen()) DisconnectDevice();
}
