// The window against wlt-sim: the search finds a controller at another rate
// and address on a pseudo-terminal, and the window works through a serial
// device server (wlt-sim --tcp on loopback).

#include "AppTestSupport.h"
#include "SimProcess.h"
#include "mdbcomp/PortMap.h"
#include "settings/SettingsTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

class DeviceSearchWithSimulator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    PortMap::Clear();
  }
  void TearDown() override { PortMap::Clear(); }
  TempCurrentFolder folder;
  FakeUi ui;
};

}  // namespace

TEST_F(DeviceSearchWithSimulator, FindsTheControllerAtItsRateAndAddressAndConnects) {
  SimProcess sim({"--baud", "9600", "--slave", "3", "--factory-number", "12", "--production-year", "2022"});
  ASSERT_TRUE(sim.Running());
  TForm1 form(ui);
  form.InitSettingsCatalogue();
  form.SearchDevices = [&] { return std::vector<std::string>{sim.DevicePath()}; };
  form.Szukaj1Click();
  EXPECT_EQ(PortMap::Resolve("COM1"), sim.DevicePath());
  EXPECT_EQ(form.ComboBox2.Text, QStringLiteral("9600"));
  EXPECT_EQ(form.ComboBox3.Text, QStringLiteral("Brak"));  // a pseudo-terminal carries no parity
  EXPECT_EQ(form.SpinEdit1.Text, QStringLiteral("3"));
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(form.EditNrFabr.Text, QStringLiteral("12"));
  EXPECT_EQ(form.EditRokProd.Text, QStringLiteral("2022"));
  EXPECT_EQ(form.Caption, QStringLiteral("WLT - nastawy 012"));
  EXPECT_TRUE(ui.Messages.isEmpty()) << ui.Messages.join(QLatin1Char('|')).toStdString();
  // Slave 3 was asked at 19200 bit/s with each parity, unanswered, then at
  // 9600 bit/s, answered.
  const auto requests = sim.Requests();
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "03 03 03 81 00 01 D5 84"), 4);
  form.FormDestroy();
}

TEST_F(DeviceSearchWithSimulator, TheWindowWorksThroughASerialServer) {
  SimProcess sim({"--tcp", "0", "--factory-number", "31"});
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(PortMap::SetFromOption("COM1=" + sim.DevicePath()));
  TForm1 form(ui);
  form.FormCreate();
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(form.EditNrFabr.Text, QStringLiteral("31"));
  EXPECT_EQ(form.PortDevices.value(0), QString::fromStdString(sim.DevicePath()));
  form.N1Click();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, SettingsTexts::SettingsRead);
  form.FormDestroy();
}

TEST_F(DeviceSearchWithSimulator, AServerThatRefusesIsAPortNotAvailable) {
  SimProcess sim({"--tcp", "0"});
  ASSERT_TRUE(sim.Running());
  const std::string address = sim.DevicePath();
  sim.Signal(SIGTERM);
  ASSERT_TRUE(sim.WaitForExit(5000));
  ASSERT_TRUE(PortMap::SetFromOption("COM1=" + address));
  TForm1 form(ui);
  form.FormCreate();
  EXPECT_FALSE(form.ControllerFound());
  ASSERT_FALSE(ui.Messages.isEmpty());
  EXPECT_TRUE(ui.Messages.first().startsWith(QStringLiteral("COM1 jest niedostępny\n")))
      << ui.Messages.first().toStdString();
  EXPECT_TRUE(ui.Messages.first().contains(QString::fromStdString(address)));
}
