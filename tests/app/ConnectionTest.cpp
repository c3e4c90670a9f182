// Connecting, disconnecting and the transmission page on a fake controller
// line: the state table, the mapping of the combo boxes to the line
// settings, the address spin edit and the standard reports.

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Connection : public ::testing::Test {
 protected:
  void SetUp() override { w.SetController(12, 2019); }
  void ExpectNotConnected(bool portOpen) {
    EXPECT_EQ(w.form.Mdb1.PortOpen(), portOpen);
    EXPECT_FALSE(w.form.ControllerFound());
    EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
    EXPECT_TRUE(w.form.OdczytPC1.Enabled);
  }
  void ExpectConnected() {
    EXPECT_TRUE(w.form.Mdb1.PortOpen());
    EXPECT_TRUE(w.form.ControllerFound());
    EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Połączony"));
    EXPECT_FALSE(w.form.OdczytPC1.Enabled);
  }
  long Count(const std::string& event) const {
    return std::count(w.line->Events.begin(), w.line->Events.end(), event);
  }
  FakeWindow w;
};

TEST_F(Connection, ConnectFindsTheControllerAndClearsTheOutcomePanel) {
  w.form.StatusBar1.Panels[1].Text = QStringLiteral(" Błąd odczytu");
  w.form.ConnectClick();
  ExpectConnected();
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("12"));
  EXPECT_EQ(w.form.EditRokProd.Text, QStringLiteral("2019"));
  EXPECT_TRUE(w.ui.Log.isEmpty());
}

TEST_F(Connection, ReconnectClosesFirstThenConnectsAgain) {
  w.form.ConnectClick();
  ExpectConnected();
  w.line->Events.clear();
  w.form.Polcz1Click();
  ExpectConnected();
  EXPECT_EQ(w.line->Events, (std::vector<std::string>{"close", "open:COM1", "configure"}));
}

TEST_F(Connection, ReconnectToAControllerThatStoppedAnsweringLeavesThePortOpenNotConnected) {
  w.form.ConnectClick();
  w.line->Answers = false;
  w.form.ConnectClick();
  ExpectNotConnected(true);
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
}

TEST_F(Connection, DisconnectGoesToNotConnectedAndKeepsTheOutcomePanel) {
  w.form.ConnectClick();
  w.form.StatusBar1.Panels[1].Text = QStringLiteral(" Odczytano nastawy");
  w.form.DisconnectClick();
  ExpectNotConnected(false);
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral(" Odczytano nastawy"));
  w.form.Rozlcz1Click();  // twice: nothing to close
  ExpectNotConnected(false);
  EXPECT_EQ(Count("close"), 1);
}

TEST_F(Connection, ControllerNotFoundClearsTheOutcomePanelThenBeepsAndTells) {
  w.line->Answers = false;
  w.form.StatusBar1.Panels[1].Text = QStringLiteral(" Błąd zapisu");
  w.form.ConnectClick();
  ExpectNotConnected(true);
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("000"));
}

TEST_F(Connection, UnavailablePortIsNamedAndNothingElseChanges) {
  w.line->PortExists = false;
  w.form.ComboBox1.Text = QStringLiteral("COM3");
  w.form.ComboBox1Change();
  w.form.StatusBar1.Panels[1].Text = QStringLiteral(" Błąd odczytu");
  w.form.ConnectClick();
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"),
                                   QStringLiteral("message:COM3 jest niedostępny\nNie można otworzyć urządzenia "
                                                  "/dev/fake-COM3; inne urządzenie wskaże opcja --port "
                                                  "COM3=/dev/ttyUSB0.")}));
  ExpectNotConnected(false);
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd odczytu"));
  EXPECT_TRUE(w.line->Requests.empty());
}

// A device the system refuses to this user: the same message, and a second
// line that says why and what to do.
TEST_F(Connection, PortRefusedForLackOfPermissionSaysSo) {
  w.line->PortExists = false;
  w.line->Failure = SerialLine::OpenFailure::AccessDenied;
  w.form.ConnectClick();
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"),
                                   QStringLiteral("message:COM1 jest niedostępny\nBrak uprawnień do urządzenia "
                                                  "/dev/fake-COM1: konto musi należeć do grupy dialout (po "
                                                  "dopisaniu trzeba się wylogować i zalogować ponownie).")}));
  ExpectNotConnected(false);
}

TEST_F(Connection, ParityChangeWhileConnectedClosesAndTheNextConnectUsesIt) {
  w.form.ConnectClick();
  w.form.ComboBox3.Text = QStringLiteral("Parzysta");
  w.form.ComboBox3Change();
  ExpectNotConnected(false);
  EXPECT_EQ(w.form.Mdb1.Parity, prEven);
  EXPECT_EQ(w.line->Configurations.size(), 1u);  // nothing reconnects by itself
  w.form.ConnectClick();
  ExpectConnected();
  ASSERT_EQ(w.line->Configurations.size(), 2u);
  EXPECT_EQ(w.line->Configurations[1].Parity, prEven);
}

TEST_F(Connection, EveryLineSettingChangeWhileConnectedCloses) {
  using Change = void (TForm1::*)();
  const Change changes[] = {&TForm1::ComboBox1Change, &TForm1::ComboBox2Change,
                            &TForm1::ComboBox3Change, &TForm1::ComboBox4Change,
                            &TForm1::SpinEdit1Change};
  for (Change change : changes) {
    w.form.ConnectClick();
    ExpectConnected();
    (w.form.*change)();
    ExpectNotConnected(false);
  }
  EXPECT_EQ(Count("close"), 5);
}

TEST_F(Connection, ChangeWithThePortClosedOnlySetsTheProperty) {
  w.form.ComboBox2.Text = QStringLiteral("4800");
  w.form.ComboBox2Change();
  EXPECT_EQ(w.form.Mdb1.BaudRate, br4800);
  EXPECT_TRUE(w.line->Events.empty());
  EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
}

TEST_F(Connection, ComboBoxTextsMapExactlyToTheLineSettings) {
  const std::pair<const char*, TPortType> ports[] = {{"COM1", COM1}, {"COM2", COM2}, {"COM3", COM3}, {"COM4", COM4}};
  for (const auto& [text, port] : ports) {
    w.form.ComboBox1.Text = QString::fromLatin1(text);
    w.form.ComboBox1Change();
    EXPECT_EQ(w.form.Mdb1.Port, port) << text;
  }
  const std::pair<const char*, TBaudRate> rates[] = {{"2400", br2400}, {"4800", br4800}, {"9600", br9600}, {"19200", br19200}};
  for (const auto& [text, rate] : rates) {
    w.form.ComboBox2.Text = QString::fromLatin1(text);
    w.form.ComboBox2Change();
    EXPECT_EQ(w.form.Mdb1.BaudRate, rate) << text;
  }
  const std::pair<QString, TParity> parities[] = {{QStringLiteral("Parzysta"), prEven},
                                                  {QStringLiteral("Nieparzysta"), prOdd},
                                                  {QStringLiteral("Brak"), prNone}};
  for (const auto& [text, parity] : parities) {
    w.form.ComboBox3.Text = text;
    w.form.ComboBox3Change();
    EXPECT_EQ(w.form.Mdb1.Parity, parity) << text.toStdString();
  }
  const std::pair<const char*, TStopBits> stops[] = {{"2", sbTwoStopBits}, {"1", sbOneStopBit}};
  for (const auto& [text, stop] : stops) {
    w.form.ComboBox4.Text = QString::fromLatin1(text);
    w.form.ComboBox4Change();
    EXPECT_EQ(w.form.Mdb1.StopBits, stop) << text;
  }
}

TEST_F(Connection, TypedTextsThatMatchNoItemLeaveTheSettingAlone) {
  w.form.ComboBox1.Text = QStringLiteral("COM2");
  w.form.ComboBox1Change();
  w.form.ComboBox2.Text = QStringLiteral("9600");
  w.form.ComboBox2Change();
  w.form.ComboBox3.Text = QStringLiteral("Nieparzysta");
  w.form.ComboBox3Change();
  w.form.ComboBox4.Text = QStringLiteral("2");
  w.form.ComboBox4Change();
  for (const char* text : {"COM5", "com1", "COM1 ", ""}) {
    w.form.ComboBox1.Text = QString::fromLatin1(text);
    w.form.ComboBox1Change();
  }
  for (const char* text : {"115200", " 2400", "19200x"}) {
    w.form.ComboBox2.Text = QString::fromLatin1(text);
    w.form.ComboBox2Change();
  }
  for (const char* text : {"parzysta", "BRAK", "Nieparzysta "}) {
    w.form.ComboBox3.Text = QString::fromLatin1(text);
    w.form.ComboBox3Change();
  }
  for (const char* text : {"1.5", "0", "22"}) {
    w.form.ComboBox4.Text = QString::fromLatin1(text);
    w.form.ComboBox4Change();
  }
  EXPECT_EQ(w.form.Mdb1.Port, COM2);
  EXPECT_EQ(w.form.Mdb1.BaudRate, br9600);
  EXPECT_EQ(w.form.Mdb1.Parity, prOdd);
  EXPECT_EQ(w.form.Mdb1.StopBits, sbTwoStopBits);
}

TEST_F(Connection, TypedCom5ClosesThePortAndTheNextConnectUsesThePreviousPort) {
  w.form.ComboBox1.Text = QStringLiteral("COM2");
  w.form.ComboBox1Change();
  w.form.ConnectClick();
  ExpectConnected();
  w.form.ComboBox1.Text = QStringLiteral("COM5");
  w.form.ComboBox1Change();
  ExpectNotConnected(false);
  EXPECT_EQ(w.form.Mdb1.Port, COM2);
  w.line->Events.clear();
  w.form.ConnectClick();
  ASSERT_FALSE(w.line->Events.empty());
  EXPECT_EQ(w.line->Events.front(), "open:COM2");
}

TEST_F(Connection, UnavailablePortMessageNamesThePortTriedNotATypedName) {
  w.line->PortExists = false;
  w.form.ComboBox1.Text = QStringLiteral("COM5");
  w.form.ComboBox1Change();
  w.form.ConnectClick();
  ASSERT_EQ(w.ui.Messages.size(), 1);
  EXPECT_TRUE(w.ui.Messages[0].startsWith(QStringLiteral("COM1 jest niedostępny\n"))) << w.ui.Messages[0].toStdString();
  EXPECT_TRUE(w.ui.Messages[0].endsWith(QStringLiteral("--port COM1=/dev/ttyUSB0."))) << w.ui.Messages[0].toStdString();
}

class SlaveAddressSpinEdit : public Connection {
 protected:
  void Type(const QString& text) {
    w.form.SpinEdit1.Text = text;
    w.form.SpinEdit1Change();
  }
};

TEST_F(SlaveAddressSpinEdit, ValuesInRangeBecomeTheAddressOfTheNextConnect) {
  Type(QStringLiteral("5"));
  EXPECT_EQ(w.form.SlaveAddress, 5);
  w.line->Slave = 5;
  w.form.ConnectClick();
  ExpectConnected();
  ASSERT_FALSE(w.line->Requests.empty());
  EXPECT_EQ(w.line->Requests.front().substr(0, 2), "05");
  Type(QStringLiteral("247"));
  EXPECT_EQ(w.form.SlaveAddress, 247);
  Type(QStringLiteral("1"));
  EXPECT_EQ(w.form.SlaveAddress, 1);
}

TEST_F(SlaveAddressSpinEdit, AboveTheRangeIsSetTo247) {
  Type(QStringLiteral("248"));
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("247"));
  EXPECT_EQ(w.form.SlaveAddress, 247);
  Type(QStringLiteral("100000"));
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("247"));
  EXPECT_EQ(w.form.SlaveAddress, 247);
}

TEST_F(SlaveAddressSpinEdit, ZeroLeavesTheAddressUntilCorrected) {
  Type(QStringLiteral("9"));
  Type(QStringLiteral("0"));
  EXPECT_EQ(w.form.SlaveAddress, 9);
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("0"));
}

TEST_F(SlaveAddressSpinEdit, BelowZeroIsBroughtToTheMinimum) {
  Type(QStringLiteral("9"));
  Type(QStringLiteral("-3"));
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("1"));
  EXPECT_EQ(w.form.SlaveAddress, 1);
}

TEST_F(SlaveAddressSpinEdit, TextThatIsNoNumberReadsAsTheMinimum) {
  for (const char* text : {"", "abc", "99999999999999999999"}) {
    Type(QStringLiteral("9"));
    Type(QString::fromLatin1(text));
    EXPECT_EQ(w.form.SlaveAddress, 1) << '"' << text << '"';
  }
}

TEST(PadNumber3, PadsToThreeDigitsWithoutCutting) {
  const std::pair<int, const char*> table[] = {{0, "000"},  {-3, "000"},   {-1000, "000"}, {1, "001"},
                                               {5, "005"},  {9, "009"},    {10, "010"},    {42, "042"},
                                               {99, "099"}, {100, "100"},  {999, "999"},   {1234, "1234"},
                                               {65535, "65535"}};
  for (const auto& [n, text] : table) EXPECT_EQ(TForm1::PadNumber3(n), QString::fromLatin1(text)) << n;
}

class DeviceReports : public Connection {};

TEST_F(DeviceReports, NoCommunicationNamesReadOrWriteThenBeepsAndTells) {
  w.form.ConnectClick();
  w.form.ReportNoCommunication(false);
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd odczytu"));
  w.form.ReportNoCommunication(true);
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd zapisu"));
  const QStringList once = {QStringLiteral("beep"), QStringLiteral("message:Brak komunikacji z urządzeniem")};
  EXPECT_EQ(w.ui.Log, once + once);
  ExpectConnected();  // a report changes nothing else
}

TEST_F(DeviceReports, DeviceNotFoundShowsItsPanelText) {
  w.form.ReportDeviceNotFound();
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral(" Brak urządzenia"));
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
  ExpectNotConnected(false);
  EXPECT_TRUE(w.line->Events.empty());
}

TEST_F(DeviceReports, ConfirmationRunsOnlyOnOk) {
  w.ui.ConfirmAnswers = {true, false};
  EXPECT_TRUE(w.form.ConfirmOperation(QStringLiteral("Zmienić czas i datę urządzenia?")));
  EXPECT_FALSE(w.form.ConfirmOperation(QStringLiteral("Zmienić nastawione daty testowania?")));
  EXPECT_FALSE(w.form.ConfirmOperation(QStringLiteral("closed")));  // closing the box is Cancel
  EXPECT_EQ(w.ui.Questions, QStringList({QStringLiteral("Zmienić czas i datę urządzenia?"),
                                         QStringLiteral("Zmienić nastawione daty testowania?"),
                                         QStringLiteral("closed")}));
  EXPECT_EQ(w.ui.Beeps, 0);
}

}  // namespace
