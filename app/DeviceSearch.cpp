// "Szukaj urządzenia…": the search over the machine's serial devices for a
// controller whose port, line settings or address are not known, and, on a
// find, the transmission page set to it and the connection made. The port
// box also shows which device each of its port names opens.

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "app/TransmissionPage.h"
#include "files/CaseInsensitiveLookup.h"
#include "files/SettingsFileFormat.h"
#include "files/SettingsFileNames.h"
#include "mdbcomp/PortMap.h"

#include <QDir>

namespace {

QString ParityText(TParity parity) {
  for (const auto& row : TransmissionPage::kParities)
    if (row.value == parity) return QString::fromLatin1(row.text);
  return QString();
}

int BaudRateItem(std::uint32_t bitRate) {
  for (std::size_t i = 0; i < TransmissionPage::kBaudRates.size(); ++i)
    if (BaudRateValue(TransmissionPage::kBaudRates[i].value) == bitRate) return int(i);
  return -1;
}

}  // namespace

void TForm1::ShowPortDevices() {
  PortDevices.clear();
  for (const QString& port : ComboBox1.Items)
    PortDevices << QString::fromStdString(PortMap::Resolve(port.toStdString()));
}

void TForm1::Szukaj1Click() {
  // The devices must be free to be searched: the window's own port too.
  if (Mdb1.PortOpen()) DisconnectDevice();
  LastFind = PortSearch::Found{};
  const std::vector<std::string> devices = SearchDevices ? SearchDevices() : std::vector<std::string>{};
  if (devices.empty()) {
    ui_.Beep();
    ui_.ShowMessage(AppTexts::kSearchNoDevices);
    return;
  }
  StatusBar1.Panels[1].Text.clear();
  const auto progress = [this](const PortSearch::Progress& at) {
    const QString text = AppTexts::kSearchProbing.arg(QString::fromStdString(at.Device))
                             .arg(at.DeviceIndex + 1)
                             .arg(at.DeviceCount)
                             .arg(at.Next.BitRate)
                             .arg(ParityText(at.Next.Parity))
                             .arg(at.Next.Address);
    return ui_.ShowSearchProgress(text, int(at.Done), int(at.Total));
  };
  const PortSearch::Result result = PortSearch::Search(Mdb1.Line(), devices, progress);
  ui_.EndSearchProgress();
  if (result.Outcome == PortSearch::Outcome::Stopped) {
    StatusBar1.Panels[1].Text = AppTexts::kSearchStopped;
    return;
  }
  if (result.Outcome != PortSearch::Outcome::Found) {
    StatusBar1.Panels[1].Text = AppTexts::kSearchNothing;
    ui_.Beep();
    ui_.ShowMessage(AppTexts::kDeviceNotFound);
    return;
  }
  LastFind = result.Find;

  // The port that opens the device, or COM1 taking it, as --port COM1=PATH.
  int portItem = -1;
  for (int i = 0; i < ComboBox1.Items.size(); ++i)
    if (PortMap::Resolve(ComboBox1.Items[i].toStdString()) == LastFind.Device) portItem = i;
  if (portItem < 0) {
    portItem = 0;
    PortMap::Set(ComboBox1.Items[0].toStdString(), LastFind.Device);
  }
  using namespace TransmissionPage;
  ComboBox1.SetItemIndex(portItem);
  ComboBox2.SetItemIndex(BaudRateItem(LastFind.BitRate));
  ComboBox3.SetItemIndex(ItemIndexOf(LastFind.Parity, kParities));
  ComboBox4.SetItemIndex(ItemIndexOf(sbOneStopBit, kStopBits));
  SpinEdit1.SetValue(LastFind.Address);
  Mdb1.Port = kPorts[std::size_t(portItem)].value;
  if (const auto rate = ValueOf(ComboBox2.Text, kBaudRates)) Mdb1.BaudRate = *rate;
  Mdb1.Parity = LastFind.Parity;
  Mdb1.StopBits = sbOneStopBit;
  SlaveAddress = std::uint8_t(SpinEdit1.Value());
  ShowPortDevices();

  ConnectDevice();
  if (!ControllerFound()) return;  // ConnectDevice has said why
  // The window now stands for this controller: its number in the caption
  // and, for another controller than before, its description file where
  // there is one (as at start-up; the texts of the one before stay else).
  const int number = SettingsImage[97];
  const bool another = number != FactoryNumber;
  FactoryNumber = number;
  const CaseInsensitiveLookup::Found found = CaseInsensitiveLookup::Find(
      QDir::current(), SettingsFileNames::kDescriptionPrefix + PadNumber3(number) + SettingsFileNames::kTextExtension);
  if (another && !found.name.isEmpty()) {
    OpenDialog1.FileName = found.name;
    LoadSettingsFile(OpenDialog1.FileName);
  } else {
    Caption = SettingsFileFormat::TitleLine(PadNumber3(FactoryNumber));
  }
  ReadTestSchedule();
  StatusBar1.Panels[1].Text = AppTexts::kSearchFound;
}
