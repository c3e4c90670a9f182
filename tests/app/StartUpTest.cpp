// Window creation on a fake line and without any port: the order of the
// start-up steps, what the window shows afterwards and which description
// file it picks.

#include "AppTestSupport.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

namespace {

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.Valid()); }
  TempCurrentFolder folder_;
};

TEST_F(StartUp, WithoutPortReportsItAndOpensTheWindowNotConnected) {
  PortMap::Set("COM1", "/nonexistent-folder/wlt-no-such-port");
  FakeUi ui;
  TForm1 form(ui);  // the platform's own serial line
  form.FormCreate();
  PortMap::Clear();

  // First the connection's report; the description file loader may add its own.
  EXPECT_EQ(ui.Log.mid(0, 2),
            QStringList({QStringLiteral("beep"),
                         QStringLiteral("message:COM1 jest niedostępny\nNie można otworzyć urządzenia "
                                        "/nonexistent-folder/wlt-no-such-port; inne urządzenie wskaże opcja "
                                        "--port COM1=/dev/ttyUSB0.")}));
  EXPECT_FALSE(form.Mdb1.PortOpen());
  EXPECT_FALSE(form.ControllerFound());
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
  EXPECT_TRUE(form.OdczytPC1.Enabled);
  EXPECT_EQ(form.EditNrFabr.Text, QStringLiteral("000"));
  EXPECT_EQ(form.EditRokProd.Text, QStringLiteral("####"));
  // The remaining steps still ran: line settings, address, description file name.
  EXPECT_EQ(form.Mdb1.BaudRate, br19200);
  EXPECT_EQ(form.Mdb1.Parity, prNone);
  EXPECT_EQ(form.Mdb1.Port, COM1);
  EXPECT_EQ(form.Mdb1.StopBits, sbOneStopBit);
  EXPECT_EQ(form.SlaveAddress, 1);
  EXPECT_EQ(form.FactoryNumber, 0);
  EXPECT_EQ(form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_000"));
  // Step 1, the catalogue, filled the grid header and picked the first test day.
  EXPECT_EQ(form.StringGrid1.Cells(0, 0), QStringLiteral("Nastawa"));
  EXPECT_EQ(form.ComboBox5.Text, QStringLiteral("Żaden"));
}

TEST_F(StartUp, PortWithoutControllerKeepsThePortOpenAndReadsNothingElse) {
  FakeWindow w;
  w.line->Answers = false;
  w.form.FormCreate();

  EXPECT_EQ(w.ui.Log.mid(0, 2), QStringList({QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
  EXPECT_TRUE(w.form.Mdb1.PortOpen());
  EXPECT_FALSE(w.form.ControllerFound());
  EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_TRUE(w.form.OdczytPC1.Enabled);
  EXPECT_FALSE(w.form.Mdb1.Answered());
  // Only the settings block was asked for, three tries; no test schedule read.
  EXPECT_EQ(w.line->Requests, std::vector<std::string>(3, kSettingsReadAtSlave1));
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_000"));
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("000"));
}

TEST_F(StartUp, ControllerIsFoundOnTheLineSettingsThePageShows) {
  FakeWindow w;
  w.SetController(7, 2023);
  w.form.FormCreate();

  EXPECT_FALSE(w.ui.Messages.contains(QStringLiteral("Nie znaleziono urządzenia")));
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("7"));  // not padded
  EXPECT_EQ(w.form.EditRokProd.Text, QStringLiteral("2023"));
  EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Połączony"));
  EXPECT_FALSE(w.form.OdczytPC1.Enabled);
  EXPECT_TRUE(w.form.ControllerFound());
  EXPECT_TRUE(w.form.CheckBox_1.Checked);
  EXPECT_TRUE(w.form.Mdb1.Answered());
  ASSERT_FALSE(w.line->Requests.empty());
  EXPECT_EQ(w.line->Requests.front(), kSettingsReadAtSlave1);
  ASSERT_EQ(w.line->Configurations.size(), 1u);
  EXPECT_EQ(w.line->Configurations[0].BitRate, 19200u);
  EXPECT_EQ(w.line->Configurations[0].Parity, prNone);
  EXPECT_EQ(w.line->Configurations[0].StopBits, sbOneStopBit);
  ASSERT_FALSE(w.line->Events.empty());
  EXPECT_EQ(w.line->Events.front(), "open:COM1");
  EXPECT_EQ(w.form.SettingsImage[97], 7);
  EXPECT_EQ(w.form.SettingsImage[98], 2023);
}

TEST_F(StartUp, DescriptionFileOfTheControllerIsChosenWhenItExists) {
  ASSERT_TRUE(folder_.WriteFile(QStringLiteral("WLT_nast_rejzd_007.txt"), "\r\n"));
  FakeWindow w;
  w.SetController(7, 2023);
  w.form.FormCreate();
  EXPECT_EQ(w.form.FactoryNumber, 7);
  EXPECT_EQ(w.form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_007"));
}

TEST_F(StartUp, GeneralDescriptionFileAndNumberZeroWhenTheControllersFileIsMissing) {
  ASSERT_TRUE(folder_.WriteFile(QStringLiteral("WLT_nast_rejzd_070.txt"), "\r\n"));
  FakeWindow w;
  w.SetController(7, 2023);
  w.form.FormCreate();
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_000"));
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("7"));  // the controller's own number stays shown
}

TEST_F(StartUp, NumberFromOneHundredUpIsUsedUnpaddedInTheFileName) {
  ASSERT_TRUE(folder_.WriteFile(QStringLiteral("WLT_nast_rejzd_1234.txt"), "\r\n"));
  FakeWindow w;
  w.SetController(1234, 1999);
  w.form.FormCreate();
  EXPECT_EQ(w.form.FactoryNumber, 1234);
  EXPECT_EQ(w.form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_1234"));
}

TEST_F(StartUp, FolderOfTheControllersNameIsNoDescriptionFile) {
  ASSERT_TRUE(QDir(folder_.Path()).mkdir(QStringLiteral("WLT_nast_rejzd_007.txt")));
  FakeWindow w;
  w.SetController(7, 2023);
  w.form.FormCreate();
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_000"));
}

TEST_F(StartUp, ClosingTheWindowClosesAnOpenPort) {
  FakeWindow w;
  w.SetController(7, 2023);
  w.form.FormCreate();
  ASSERT_TRUE(w.form.Mdb1.PortOpen());
  w.form.FormDestroy();
  EXPECT_FALSE(w.form.Mdb1.PortOpen());
  EXPECT_FALSE(w.line->Open);
  EXPECT_EQ(w.line->Events.back(), "close");
  EXPECT_FALSE(w.form.ControllerFound());
  EXPECT_EQ(w.form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
}

TEST_F(StartUp, ClosingTheWindowWithoutAPortDoesNothing) {
  FakeWindow w;
  w.line->PortExists = false;
  w.form.FormCreate();
  const auto events = w.line->Events;
  w.ui.ClearRecords();
  w.form.FormDestroy();
  EXPECT_EQ(w.line->Events, events);
  EXPECT_TRUE(w.ui.Log.isEmpty());
}

}  // namespace

namespace {

// Start-up on the line settings a program asks for: the transmission page
// shows them, the link opens the port with them and the controller is
// asked at that slave address.
TEST_F(StartUp, LineSettingsGivenToTheStartAreShownAndUsed) {
  FakeWindow w;
  w.SetController(7, 2023);
  w.line->Slave = 5;
  StartUpLine line;
  line.Port = COM2;
  line.BaudRate = br9600;
  line.Parity = prEven;
  line.StopBits = sbTwoStopBits;
  line.SlaveAddress = 5;
  w.form.FormCreate(line);

  EXPECT_EQ(w.form.ComboBox1.Text, QStringLiteral("COM2"));
  EXPECT_EQ(w.form.ComboBox2.Text, QStringLiteral("9600"));
  EXPECT_EQ(w.form.ComboBox3.Text, QStringLiteral("Parzysta"));
  EXPECT_EQ(w.form.ComboBox4.Text, QStringLiteral("2"));
  EXPECT_EQ(w.form.ComboBox3.ItemIndex, 0);
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("5"));
  EXPECT_EQ(w.form.SlaveAddress, 5);
  ASSERT_EQ(w.line->Configurations.size(), 1u);
  EXPECT_EQ(w.line->Configurations[0].BitRate, 9600u);
  EXPECT_EQ(w.line->Configurations[0].Parity, prEven);
  EXPECT_EQ(w.line->Configurations[0].StopBits, sbTwoStopBits);
  ASSERT_FALSE(w.line->Events.empty());
  EXPECT_EQ(w.line->Events.front(), "open:COM2");
  ASSERT_FALSE(w.line->Requests.empty());
  EXPECT_EQ(w.line->Requests.front().substr(0, 2), "05");
  EXPECT_TRUE(w.form.ControllerFound());
}

// What the page cannot show it does not start with: the page and the link
// keep the window's own settings, so the two still agree.
TEST_F(StartUp, LineSettingsThePageDoesNotOfferLeaveItsOwn) {
  FakeWindow w;
  w.SetController(7, 2023);
  StartUpLine line;
  line.Port = COM7;
  line.BaudRate = br38400;
  line.Parity = prMark;
  line.StopBits = sbOne5StopBits;
  line.SlaveAddress = 300;
  w.form.FormCreate(line);

  EXPECT_EQ(w.form.ComboBox1.Text, QStringLiteral("COM1"));
  EXPECT_EQ(w.form.ComboBox2.Text, QStringLiteral("19200"));
  EXPECT_EQ(w.form.ComboBox3.Text, QStringLiteral("Brak"));
  EXPECT_EQ(w.form.ComboBox4.Text, QStringLiteral("1"));
  EXPECT_EQ(w.form.SpinEdit1.Text, QStringLiteral("247"));  // the control's range
  EXPECT_EQ(w.form.SlaveAddress, 247);
  EXPECT_EQ(w.form.Mdb1.Port, COM1);
  EXPECT_EQ(w.form.Mdb1.BaudRate, br19200);
  EXPECT_EQ(w.form.Mdb1.Parity, prNone);
  EXPECT_EQ(w.form.Mdb1.StopBits, sbOneStopBit);
}

}  // namespace
