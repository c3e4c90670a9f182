// Start-up against wlt-sim on a real pseudo-terminal: the bytes on the wire
// and what the window shows, with an answering and with a silent controller.

#include "AppTestSupport.h"
#include "SimProcess.h"
#include "mdbcomp/PortMap.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

class StartUpWithSimulator : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.Valid()); }
  void TearDown() override { PortMap::Clear(); }
  void Attach(const SimProcess& sim) {
    ASSERT_TRUE(sim.Running()) << "wlt-sim did not start";
    ASSERT_FALSE(sim.DevicePath().empty());
    PortMap::Set("COM1", sim.DevicePath());
  }
  TempCurrentFolder folder_;
};

TEST_F(StartUpWithSimulator, FindsTheControllerAndShowsItsNumberAndYearUnpadded) {
  SimProcess sim({"--factory-number", "7", "--production-year", "2021"});
  Attach(sim);
  ASSERT_TRUE(folder_.WriteFile(QStringLiteral("WLT_nast_rejzd_007.txt"), "\r\n"));
  FakeUi ui;
  TForm1 form(ui);
  form.FormCreate();

  EXPECT_FALSE(ui.Messages.contains(QStringLiteral("Nie znaleziono urządzenia")));
  EXPECT_EQ(form.EditNrFabr.Text, QStringLiteral("7"));
  EXPECT_EQ(form.EditRokProd.Text, QStringLiteral("2021"));
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Połączony"));
  EXPECT_FALSE(form.OdczytPC1.Enabled);
  EXPECT_TRUE(form.ControllerFound());
  EXPECT_EQ(form.FactoryNumber, 7);
  EXPECT_EQ(form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_007"));
  const auto requests = sim.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front(), kSettingsReadAtSlave1);

  // Reconnect through the menu: one new settings read, still connected.
  sim.ClearLog();
  form.Polcz1Click();
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Połączony"));
  EXPECT_EQ(sim.Requests(), std::vector<std::string>{kSettingsReadAtSlave1});

  form.FormDestroy();
  EXPECT_FALSE(form.Mdb1.PortOpen());
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
}

TEST_F(StartUpWithSimulator, SilentControllerIsNotFoundAfterTheLinksTries) {
  SimProcess sim({"--no-answer"});
  Attach(sim);
  FakeUi ui;
  TForm1 form(ui);
  const auto start = std::chrono::steady_clock::now();
  form.FormCreate();
  const auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(ui.Log.mid(0, 2), QStringList({QStringLiteral("beep"), QStringLiteral("message:Nie znaleziono urządzenia")}));
  EXPECT_TRUE(form.Mdb1.PortOpen());
  EXPECT_FALSE(form.ControllerFound());
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
  EXPECT_TRUE(form.OdczytPC1.Enabled);
  EXPECT_EQ(form.FactoryNumber, 0);
  EXPECT_EQ(form.OpenDialog1.FileName, QStringLiteral("WLT_nast_rejzd_000"));
  // Three tries of the settings read and nothing else: no test schedule read.
  EXPECT_EQ(sim.Requests(), std::vector<std::string>(3, kSettingsReadAtSlave1));
  EXPECT_TRUE(sim.Replies().empty());
  // Loose bound: each try waits its full time-out (500 ms + 10 ms per byte).
  EXPECT_GE(waited, std::chrono::milliseconds(3 * 2500));
}

}  // namespace
