// The connection to the controller and the transmission page: opening the
// port and finding the controller, closing it, the line settings chosen in
// the combo boxes and the slave address.

#include "app/AppTexts.h"
#include "app/StatusProgress.h"
#include "app/TForm1.h"
#include "app/TransmissionPage.h"
#include "services/ServiceTexts.h"

namespace {

constexpr std::uint16_t kSettingsFirstRegister = 801;

}  // namespace

void TForm1::ConnectDevice() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  Mdb1.OpenPort();
  if (!Mdb1.PortOpen()) {
    ui_.Beep();
    // The name of the port that was tried. It is the port box's text unless
    // the user typed a name the box does not offer, which changes nothing.
    const QString port = QString::fromStdString(Mdb1.PortName());
    QString message = port + AppTexts::kPortUnavailableSuffix;
    // The second line names the device tried, where the port name is not
    // the device itself.
    const QString device = QString::fromStdString(Mdb1.Line().LastDevice());
    if (Mdb1.Line().LastOpenFailure() == SerialLine::OpenFailure::AccessDenied)
      message = AppTexts::WithSecondLine(message, AppTexts::kNoPortPermission.arg(device));
    else if (!device.isEmpty())
      message = AppTexts::WithSecondLine(message, AppTexts::kPortNotOpened.arg(device, port));
    ui_.ShowMessage(message);
    return;
  }
  // The whole settings block also carries the factory number (898) and the
  // production year (899); finding them is what identifies the controller.
  // On a silent line that takes the link's three long tries.
  StatusProgress progress(*this);
  progress.Show(AppTexts::kConnecting.arg(QString::fromStdString(Mdb1.PortName())));
  if (Mdb1.ReadRegisters(SlaveAddress, kSettingsFirstRegister, kSettingsWords,
                         SettingsImage.data())) {
    CheckBox_1.Checked = true;
    ClockPoll.Reset();
    StatusBar1.Panels[0].Text = AppTexts::kConnected;
    StatusBar1.Panels[1].Text.clear();
    EditNrFabr.Text = QString::number(SettingsImage[97]);
    EditRokProd.Text = QString::number(SettingsImage[98]);
    // An event file may not replace the events of a connected controller.
    OdczytPC1.Enabled = false;
    return;
  }
  // The port stays open; the state stays "not connected".
  StatusBar1.Panels[1].Text.clear();
  ui_.Beep();
  const QString exception = LinkExceptionLine();
  ui_.ShowMessage(exception.isEmpty() ? AppTexts::kDeviceNotFound
                                      : AppTexts::WithSecondLine(AppTexts::kDeviceNotFound, exception));
}

void TForm1::DisconnectDevice() {
  Mdb1.ClosePort();
  CheckBox_1.Checked = false;
  // Without a controller the tick asks nothing, so its own text would stay.
  ClockPoll.Reset();
  if (StatusBar1.Panels[1].Text == ServiceTexts::ControllerSilent) StatusBar1.Panels[1].Text.clear();
  StatusBar1.Panels[0].Text = AppTexts::kNotConnected;
  OdczytPC1.Enabled = true;
}

void TForm1::Polcz1Click() { ConnectDevice(); }
void TForm1::Rozlcz1Click() { DisconnectDevice(); }
void TForm1::ConnectClick() { ConnectDevice(); }
void TForm1::DisconnectClick() { DisconnectDevice(); }

// A change of any line setting closes the port; it takes effect at the next
// connection, nothing reconnects by itself. A text the box does not offer
// (typed by the user) leaves the property as it was.
void TForm1::ComboBox1Change() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  if (const auto value = TransmissionPage::ValueOf(ComboBox1.Text, TransmissionPage::kPorts))
    Mdb1.Port = *value;
}

void TForm1::ComboBox2Change() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  if (const auto value = TransmissionPage::ValueOf(ComboBox2.Text, TransmissionPage::kBaudRates))
    Mdb1.BaudRate = *value;
}

void TForm1::ComboBox3Change() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  if (const auto value = TransmissionPage::ValueOf(ComboBox3.Text, TransmissionPage::kParities))
    Mdb1.Parity = *value;
}

void TForm1::ComboBox4Change() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  if (const auto value = TransmissionPage::ValueOf(ComboBox4.Text, TransmissionPage::kStopBits))
    Mdb1.StopBits = *value;
}

void TForm1::SpinEdit1Change() {
  if (Mdb1.PortOpen()) DisconnectDevice();
  // Setting the control brings the value into 1..247; a typed 0 stays until
  // corrected and leaves the address alone; a text that is no number reads
  // as the minimum, 1.
  constexpr int kMax = TransmissionPage::kMaxSlaveAddress;
  if (SpinEdit1.Value() > kMax) SpinEdit1.SetValue(kMax);
  if (SpinEdit1.Value() < 0) SpinEdit1.SetValue(0);
  const int value = SpinEdit1.Value();
  if (value > 0 && value <= kMax) SlaveAddress = std::uint8_t(value);
}

QString TForm1::PadNumber3(int n) {
  if (n <= 0) return QStringLiteral("000");
  if (n < 10) return QStringLiteral("00") + QString::number(n);
  if (n < 100) return QStringLiteral("0") + QString::number(n);
  return QString::number(n);
}
