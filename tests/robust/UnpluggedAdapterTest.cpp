// A USB adapter pulled out while the port is open, and plugged in again: the
// device behind the port name goes away (its reads and writes fail, its node
// is gone) and comes back under the same path. Played here with wlt-sim
// behind a symbolic link (--link): the simulator killed takes its
// pseudo-terminal with it, a new one on the same link is the adapter back.

#include "AppTestSupport.h"
#include "SimProcess.h"
#include "app/AppTexts.h"
#include "mdbcomp/PortMap.h"
#include "services/ServiceTexts.h"
#include "settings/SettingsTexts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <dirent.h>

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>

namespace {

// The pseudo-terminals this process has open.
int OpenTerminals() {
  int count = 0;
  DIR* dir = ::opendir("/proc/self/fd");
  if (!dir) return -1;
  while (const dirent* entry = ::readdir(dir)) {
    char target[256] = {};
    const std::string path = std::string("/proc/self/fd/") + entry->d_name;
    if (::readlink(path.c_str(), target, sizeof target - 1) > 0 && std::strncmp(target, "/dev/pts/", 9) == 0)
      ++count;
  }
  ::closedir(dir);
  return count;
}

double Seconds(const timespec& t) { return double(t.tv_sec) + double(t.tv_nsec) / 1e9; }

// Wall and processor time of one handler: a line that spins on a dead
// descriptor would burn its whole wait on the processor.
struct Cost {
  double wall = 0;
  double processor = 0;
};

Cost Measure(const std::function<void()>& handler) {
  timespec cpu0{}, cpu1{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
  const auto start = std::chrono::steady_clock::now();
  handler();
  const auto end = std::chrono::steady_clock::now();
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
  return {std::chrono::duration<double>(end - start).count(), Seconds(cpu1) - Seconds(cpu0)};
}

class UnpluggedAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(links.isValid());
    PortMap::Set("COM1", link);
    form.InitSettingsCatalogue();
    form.Mdb1.Port = COM1;
    form.Mdb1.BaudRate = br19200;
    form.Mdb1.Parity = prNone;
    terminalsBefore = OpenTerminals();
  }
  void TearDown() override { PortMap::Clear(); }

  // An adapter plugged in: a controller with this factory number behind the link.
  void PlugIn(int factoryNumber) {
    sim = std::make_unique<SimProcess>(
        std::vector<std::string>{"--link", link, "--factory-number", std::to_string(factoryNumber)});
    ASSERT_TRUE(sim->Running());
  }
  // Pulled out: the device and its node go at once.
  void PullOut() {
    ASSERT_TRUE(sim->Signal(SIGKILL));
    int status = 0;
    ASSERT_TRUE(sim->WaitForExit(2000, &status));
  }
  void ExpectConnectedTo(int factoryNumber) {
    ui.ClearRecords();
    form.ConnectClick();
    EXPECT_TRUE(form.ControllerFound());
    EXPECT_EQ(form.StatusBar1.Panels[0].Text, AppTexts::kConnected);
    EXPECT_EQ(form.EditNrFabr.Text, QString::number(factoryNumber));
    EXPECT_EQ(ui.Log, QStringList());
    // One descriptor: the dead one was closed before the new one was opened.
    EXPECT_EQ(OpenTerminals(), terminalsBefore + 1);
  }

  QTemporaryDir links;
  const std::string link = QDir(links.path()).filePath(QStringLiteral("ttyUSB0")).toStdString();
  std::unique_ptr<SimProcess> sim;
  FakeUi ui;
  TForm1 form{ui};
  int terminalsBefore = 0;
};

TEST_F(UnpluggedAdapter, OperationsReportNoCommunicationWithinTheirTimeOuts) {
  PlugIn(7);
  ExpectConnectedTo(7);
  PullOut();

  // Each: what the user sees, and the link's three tries of one request
  // (the short ones: every request goes through the same line), each try
  // after a failed one waiting 0.5 s for a quiet line first: two waits in
  // the first operation, three in the later ones (the one before failed).
  struct Case {
    const char* name;
    std::function<void(TForm1&)> handler;
    QString panel1;
    QStringList log;
    double triesSeconds;  // three tries of the request's time-out and the quiet waits
  } cases[] = {
      {"settings write", [](TForm1& f) { f.WLTPC1Click(); }, AppTexts::kNoDevice,
       {QStringLiteral("beep"), QStringLiteral("message:") + AppTexts::kDeviceNotFound}, 3 * 0.63 + 2 * 0.5},
      {"clock tick", [](TForm1& f) { f.Timer1Timer(); }, ServiceTexts::ControllerSilent, {}, 3 * 0.63 + 3 * 0.5},
      {"schedule read", [](TForm1& f) { f.Button6Click(); }, AppTexts::kReadError,
       {QStringLiteral("beep"), QStringLiteral("message:") + AppTexts::kNoCommunication}, 3 * 0.59 + 3 * 0.5},
  };
  for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = QStringLiteral("10");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui.ClearRecords();
    form.StatusBar1.Panels[1].Text.clear();
    const Cost cost = Measure([&] { c.handler(form); });
    EXPECT_EQ(form.StatusBar1.Panels[1].Text, c.panel1);
    EXPECT_EQ(ui.Log, c.log);
    EXPECT_GE(cost.wall, c.triesSeconds - 0.01);
    EXPECT_LE(cost.wall, c.triesSeconds + 1.5);
    // Waiting, not spinning.
    EXPECT_LT(cost.processor, 0.25) << cost.processor << " s of processor time";
    // The connection state stays as it was; the dead port stays open until
    // the user connects again.
    EXPECT_TRUE(form.ControllerFound());
    EXPECT_TRUE(form.Mdb1.PortOpen());
  }
  EXPECT_EQ(form.Edit9.Text, ServiceTexts::NoDate);
}

TEST_F(UnpluggedAdapter, ConnectingAgainAfterItIsBackNeedsNoRestart) {
  PlugIn(7);
  ExpectConnectedTo(7);

  // Pulled and plugged back before the user does anything: "Połącz" closes
  // the dead descriptor and opens the same path again.
  PullOut();
  PlugIn(8);
  ExpectConnectedTo(8);
  form.N1Click();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, SettingsTexts::SettingsRead);
  EXPECT_EQ(sim->Requests().size(), 2u);

  // Pulled, and "Połącz" while it is still out: the port is unavailable, as
  // for a port that is not there at all; no descriptor is left open.
  PullOut();
  ui.ClearRecords();
  form.ConnectClick();
  EXPECT_FALSE(form.Mdb1.PortOpen());
  EXPECT_EQ(form.StatusBar1.Panels[0].Text, AppTexts::kNotConnected);
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:") +
                                     AppTexts::WithSecondLine(
                                         QStringLiteral("COM1") + AppTexts::kPortUnavailableSuffix,
                                         AppTexts::kPortNotOpened.arg(QString::fromStdString(link),
                                                                      QStringLiteral("COM1")))}));
  EXPECT_EQ(OpenTerminals(), terminalsBefore);

  // Back in: connected again.
  PlugIn(9);
  ExpectConnectedTo(9);
  form.N1Click();
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, SettingsTexts::SettingsRead);
}

}  // namespace
