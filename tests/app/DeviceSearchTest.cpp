// "Szukaj urządzenia…" on a fake controller line: what the transmission page,
// the connection, the caption and the status bar show after a find, after a
// search that found nothing and after one the user stopped.

#include "AppTestSupport.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

namespace {

// A Ui whose "Przerwij" is pressed at the given progress call.
class StoppingUi : public FakeUi {
 public:
  int StopAtCall = 0;  // 0: never
  int Calls = 0;
  int Ends = 0;
  QStringList Texts;
  bool ShowSearchProgress(const QString& text, int done, int total) override {
    ++Calls;
    Texts << text;
    LastDone = done;
    LastTotal = total;
    return StopAtCall == 0 || Calls < StopAtCall;
  }
  void EndSearchProgress() override { ++Ends; }
  int LastDone = -1, LastTotal = -1;
};

class DeviceSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    PortMap::Clear();
    line->Registers[898] = 7;
    line->Registers[899] = 2021;
    line->Slave = 17;
    form.InitSettingsCatalogue();
    form.ShowPortDevices();
  }
  void TearDown() override { PortMap::Clear(); }
  QString Panel(int i) const { return form.StatusBar1.Panels[std::size_t(i)].Text; }

  TempCurrentFolder folder;
  StoppingUi ui;
  std::shared_ptr<FakeControllerLine::State> line = std::make_shared<FakeControllerLine::State>();
  TForm1 form{ui, std::make_unique<FakeControllerLine>(line)};
};

}  // namespace

TEST_F(DeviceSearch, AFindOutsideTheFourPortsBecomesComOneAndConnects) {
  form.SearchDevices = [] { return std::vector<std::string>{"/dev/ttyUSB3"}; };
  form.Szukaj1Click();

  EXPECT_EQ(form.LastFind.Device, "/dev/ttyUSB3");
  EXPECT_EQ(PortMap::Resolve("COM1"), "/dev/ttyUSB3");
  EXPECT_EQ(form.ComboBox1.Text, QStringLiteral("COM1"));
  EXPECT_EQ(form.ComboBox2.Text, QStringLiteral("19200"));
  EXPECT_EQ(form.ComboBox3.Text, QStringLiteral("Brak"));
  EXPECT_EQ(form.ComboBox4.Text, QStringLiteral("1"));
  EXPECT_EQ(form.SpinEdit1.Text, QStringLiteral("17"));
  EXPECT_EQ(form.SlaveAddress, 17);
  EXPECT_EQ(form.Mdb1.Port, COM1);
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(Panel(0), QStringLiteral(" Połączony"));
  EXPECT_EQ(Panel(1), QStringLiteral(" Znaleziono urządzenie"));
  EXPECT_EQ(form.EditNrFabr.Text, QStringLiteral("7"));
  EXPECT_EQ(form.EditRokProd.Text, QStringLiteral("2021"));
  EXPECT_EQ(form.FactoryNumber, 7);
  EXPECT_EQ(form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(form.PortDevices.value(0), QStringLiteral("/dev/ttyUSB3"));
  EXPECT_TRUE(ui.Messages.isEmpty());
  EXPECT_EQ(ui.Ends, 1);
  // The probes went to 1..16 at every setting first, then 17 answered: the
  // connection's read followed at slave 17 on COM1.
  EXPECT_EQ(line->Requests[std::size_t(12 + 15 * 12)], "11 03 03 81 00 01 D6 F6");
  EXPECT_EQ(line->Events.back(), "configure");
  EXPECT_EQ(line->Events[line->Events.size() - 2], "open:COM1");
  // The progress named the device, the setting and the address, and how far.
  EXPECT_EQ(ui.Texts.first(),
            QStringLiteral("Urządzenie /dev/ttyUSB3 (1 z 1)\n19200 bit/s, parzystość: Brak, adres 1"));
  EXPECT_EQ(ui.LastTotal, 2964);
}

TEST_F(DeviceSearch, AFindOnAMappedPortSelectsThatPort) {
  PortMap::Set("COM3", "/dev/ttyACM0");
  form.SearchDevices = [] { return std::vector<std::string>{"/dev/ttyACM0"}; };
  line->Slave = 1;
  form.Szukaj1Click();
  EXPECT_EQ(form.ComboBox1.Text, QStringLiteral("COM3"));
  EXPECT_EQ(form.Mdb1.Port, COM3);
  EXPECT_EQ(PortMap::Resolve("COM1"), "/dev/ttyS0");  // not taken over
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(form.PortDevices.value(2), QStringLiteral("/dev/ttyACM0"));
}

TEST_F(DeviceSearch, NothingFoundReportsItAndLeavesThePageAsItWas) {
  line->Answers = false;
  form.SearchDevices = [] { return std::vector<std::string>{"/dev/ttyUSB0"}; };
  form.SpinEdit1.SetValue(5);
  form.SpinEdit1Change();
  form.Szukaj1Click();
  EXPECT_TRUE(form.LastFind.Device.empty());
  EXPECT_FALSE(form.ControllerFound());
  EXPECT_FALSE(form.Mdb1.PortOpen());
  EXPECT_EQ(Panel(0), QStringLiteral(" Brak połączenia"));
  EXPECT_EQ(Panel(1), QStringLiteral(" Nie znaleziono"));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
  EXPECT_EQ(form.SpinEdit1.Text, QStringLiteral("5"));
  EXPECT_EQ(line->Requests.size(), 2964u);
  EXPECT_EQ(ui.LastDone, 2963);
}

TEST_F(DeviceSearch, PrzerwijStopsBeforeTheNextProbe) {
  form.SearchDevices = [] { return std::vector<std::string>{"/dev/ttyUSB0"}; };
  line->Slave = 1;
  form.ConnectClick();  // the window's own port is let go first
  ASSERT_TRUE(form.ControllerFound());
  line->Requests.clear();
  line->Slave = 17;  // not among the probes made before the stop
  ui.StopAtCall = 6;
  form.Szukaj1Click();
  EXPECT_EQ(line->Requests.size(), 4u);  // the call before opening, then one before each probe
  EXPECT_FALSE(form.ControllerFound());
  EXPECT_FALSE(line->Open);
  EXPECT_EQ(Panel(1), QStringLiteral(" Przerwano szukanie"));
  EXPECT_TRUE(ui.Messages.isEmpty());
  EXPECT_EQ(ui.Ends, 1);
}

TEST_F(DeviceSearch, NoDeviceToSearchIsSaid) {
  form.SearchDevices = [] { return std::vector<std::string>{}; };
  form.Szukaj1Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak portów szeregowych do przeszukania")}));
  EXPECT_EQ(ui.Calls, 0);
}

TEST_F(DeviceSearch, ThePortBoxKnowsEachPortsDevice) {
#ifndef _WIN32
  PortMap::Set("COM2", "tcp:127.0.0.1:4001");
  form.ShowPortDevices();
  EXPECT_EQ(form.PortDevices, (QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("tcp:127.0.0.1:4001"),
                                           QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS3")}));
#endif
}
