// The fault matrix (FaultMatrixTable.h) against wlt-sim on pseudo-terminals:
// every device operation of the headless window under every fault. A cell
// checks what the user sees (status panel 1, beep, message box), the
// requests on the wire (up to the failure and none after it), the window
// state a failure must keep, that nothing was written to disk, and that the
// operation ended within the link's time-outs: never sooner than the tries
// that had to wait them out, never later than every try's time-out plus a
// margin for a loaded machine.
//
// Most cells wait out time-outs, so they run nine at a time, each on its own
// port name (COM1..COM9) and its own window; the matrix is printed at the end.

#include "AppTestSupport.h"
#include "FaultMatrixTable.h"
#include "SimProcess.h"
#include "app/AppTexts.h"
#include "events/EventTexts.h"
#include "mdbcomp/PortMap.h"
#include "services/ServiceTexts.h"
#include "settings/SettingsTexts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

namespace {

using namespace faultmatrix;
using Clock = std::chrono::steady_clock;

constexpr int kWorkers = 9;  // one per port name COM1..COM9
constexpr double kMarginSeconds = 1.5;
// After a try that failed, the link waits for the line to be quiet this long
// before it sends again (a late reply must not pass for the next one's).
constexpr double kQuietSeconds = 0.5;

// ---- The expected cell ----------------------------------------------------

struct ExpectedCell {
  std::string report;  // "ok", "R", "W", "N", "C", "P"
  int failing = -1;    // the failing transaction, -1 when the operation succeeds
  int onWire = 1;      // how often the failing transaction (or, for "ok", each one) went out
};

ExpectedCell ParseCell(const std::string& text) {
  ExpectedCell cell;
  std::istringstream in(text);
  std::string tries;
  in >> cell.report >> tries;
  if (cell.report == "ok" && (tries.empty() || tries[0] == 'x')) {
    cell.onWire = tries == "x3" ? 3 : 1;
    return cell;
  }
  const auto x = tries.find('x');
  cell.failing = std::stoi(tries.substr(0, x));
  cell.onWire = std::stoi(tries.substr(x + 1));
  return cell;
}

std::vector<Transaction> ExpectedWire(const OperationRow& row, const ExpectedCell& cell) {
  std::vector<Transaction> wire;
  const int last = cell.failing < 0 ? int(row.transactions.size()) - 1 : cell.failing;
  for (int i = 0; i <= last; ++i) {
    const int times = (cell.failing < 0 || i == cell.failing) ? cell.onWire : 1;
    for (int k = 0; k < times; ++k) wire.push_back(row.transactions[std::size_t(i)]);
  }
  return wire;
}

// One try's time-out: ResponseTime plus 10 ms per byte the read asks for.
double PerTrySeconds(const Transaction& t) {
  const int asked = t.function == 3 ? 2 * t.count + 7 : 13;
  return (500.0 + 10.0 * asked) / 1000.0;
}

struct TimeBounds {
  double atLeast = 0;
  double atMost = 0;
};

TimeBounds Bounds(const OperationRow& row, const FaultColumn& fault, const ExpectedCell& cell) {
  TimeBounds b;
  const bool oneTry = fault.kind == FaultKind::OtherSlave || fault.kind == FaultKind::Exception ||
                      fault.kind == FaultKind::ShortReply || fault.kind == FaultKind::Echo ||
                      fault.kind == FaultKind::KeepsOldValues;
  const int last = cell.failing < 0 ? int(row.transactions.size()) - 1 : cell.failing;
  for (int i = 0; i <= last; ++i) {
    const double perTry = PerTrySeconds(row.transactions[std::size_t(i)]);
    if (cell.failing < 0) {
      b.atMost += cell.onWire * perTry + (cell.onWire - 1) * kQuietSeconds;
      if (fault.kind == FaultKind::ThirdTry) b.atLeast += 2 * perTry + 2 * kQuietSeconds;
    } else if (i < cell.failing) {
      b.atMost += perTry;
    } else {
      // Every try after a failed one first waits for a quiet line.
      const int linkTries = oneTry ? 1 : 3;
      b.atMost += linkTries * perTry + (linkTries - 1) * kQuietSeconds;
      b.atLeast += (linkTries - 1) * kQuietSeconds;
      if (fault.waitsOut) b.atLeast += linkTries * perTry;
    }
  }
  // A port just opened first waits for a quiet line.
  if (row.op == Op::Connection) {
    b.atLeast += kQuietSeconds;
    b.atMost += kQuietSeconds;
  }
  b.atMost += kMarginSeconds;
  return b;
}

std::vector<std::string> SimOptions(const OperationRow& row, const FaultColumn& fault) {
  switch (fault.kind) {
    case FaultKind::NoAnswer: return {"--no-answer"};
    case FaultKind::ThirdTry: return {"--answer-from-try", "3"};
    case FaultKind::BadCrc: return {"--bad-crc"};
    case FaultKind::OtherSlave: return {"--wrong-slave", "2"};
    case FaultKind::Exception: return {"--exception", "1-65536"};
    case FaultKind::ShortReply: return {"--short-reply", "--short-echo"};
    case FaultKind::SilenceAfterRequests: return {"--stop-after-requests", std::to_string(row.requestsBefore)};
    case FaultKind::SilenceAfterWrites:
      return {"--stop-after-writes", std::to_string(std::max(row.writesBefore, 0))};
    case FaultKind::PortVanishes: return {"--die-after-requests", std::to_string(row.requestsBefore)};
    case FaultKind::LateReply: return {"--reply-delay", "700"};
    case FaultKind::Echo: return {"--echo"};
    case FaultKind::KeepsOldValues: return {"--ignore-writes", "1-65536"};
  }
  return {};
}

// ---- One cell on its own window and simulator -----------------------------

struct CellResult {
  bool simStarted = false;
  std::string report;  // as classified from what the window shows
  std::vector<Transaction> wire;
  double seconds = 0;
  std::string stateProblem;  // window state a failure had to keep, or a success had to show
  std::string shown;         // panel texts and the Ui's log, for a failing cell's message
};

void Run(Op op, TForm1& f) {
  switch (op) {
    case Op::Connection: f.ConnectClick(); break;
    case Op::SettingsRead: f.N1Click(); break;
    case Op::SettingsWrite: f.WLTPC1Click(); break;
    case Op::EventReadout: f.Odczyt1Click(); break;
    case Op::ClockTick: f.Timer1Timer(); break;
    case Op::ClockSet: f.Button4Click(); break;
    case Op::Address: f.Button3Click(); break;
    case Op::Signal: f.Button1Click(); break;
    case Op::ScheduleRead: f.Button6Click(); break;
    case Op::ScheduleWrite: f.Button2Click(); break;
  }
}

// The text the operation leaves in status panel 1 when it succeeds.
QString SuccessText(Op op) {
  switch (op) {
    case Op::SettingsRead: return SettingsTexts::SettingsRead;
    case Op::SettingsWrite: return SettingsTexts::SettingsWritten;
    case Op::EventReadout: return EventTexts::EventsRead;
    case Op::Address: return ServiceTexts::AddressSet;
    default: return QString();
  }
}

std::string Classify(Op op, const TForm1& f, const FakeUi& ui) {
  const QString panel1 = f.StatusBar1.Panels[1].Text;
  if (ui.Beeps == 0 && ui.Messages.isEmpty() && ui.Errors.isEmpty()) {
    if (op == Op::ClockTick)
      return f.Edit9.Text == ServiceTexts::NoDate && f.Edit10.Text == ServiceTexts::NoTime ? "P" : "ok";
    if (panel1 == SuccessText(op)) return "ok";
    return "?";
  }
  if (ui.Beeps != 1 || ui.Messages.size() != 1 || !ui.Errors.isEmpty()) return "?";
  // A settings write that stopped part-way adds a second line saying how far it got.
  const QString box = ui.Messages.front().section(QLatin1Char('\n'), 0, 0);
  if (box == AppTexts::kNoCommunication && panel1 == AppTexts::kReadError) return "R";
  if (box == AppTexts::kNoCommunication && panel1 == AppTexts::kWriteError) return "W";
  if (box == AppTexts::kDeviceNotFound && panel1 == AppTexts::kNoDevice) return "N";
  if (box == SettingsTexts::VerifyMismatch.section(QLatin1Char('\n'), 0, 0) && panel1 == SettingsTexts::VerifyFailed)
    return "V";
  if (box == AppTexts::kDeviceNotFound && panel1.isEmpty() && op == Op::Connection) return "C";
  return "?";
}

std::vector<Transaction> ParseFrames(const std::vector<std::string>& frames) {
  std::vector<Transaction> wire;
  for (const std::string& frame : frames) {
    std::istringstream in(frame);
    std::vector<int> b;
    std::string hex;
    while (in >> hex) b.push_back(std::stoi(hex, nullptr, 16));
    if (b.size() < 6) {
      wire.push_back({-1, -1, -1});
      continue;
    }
    const int reg = (b[2] << 8 | b[3]) + 1;
    wire.push_back({b[1], reg, b[1] == 3 ? (b[4] << 8 | b[5]) : 1});
  }
  return wire;
}

// The window a successful connection leaves, without its traffic: the port
// open and the controller-found flag set. The connection itself starts from
// a closed port.
void Prepare(Op op, TForm1& f, FakeUi& ui) {
  f.InitSettingsCatalogue();
  f.Mdb1.BaudRate = br19200;
  f.Mdb1.Parity = prNone;
  if (op == Op::Connection) return;
  f.Mdb1.OpenPort();
  f.Mdb1.SettleLine();  // as the connection left it
  f.CheckBox_1.Checked = true;
  f.StatusBar1.Panels[0].Text = AppTexts::kConnected;
  for (int row = 1; row <= 20; ++row) f.StringGrid1.Cells(1, row) = QString::number(row * 10);
  f.SpinEdit2.SetValue(5);
  ui.ConfirmAnswers = {true};
}

// toleratedFailure: the operation succeeded although one of its
// transactions failed (the event readout without the controller clock).
std::string StateProblem(Op op, bool succeeded, bool toleratedFailure, const TForm1& before, const TForm1& f) {
  if (op == Op::Connection) {
    if (succeeded != f.ControllerFound()) return "controller-found flag";
    if (f.StatusBar1.Panels[0].Text != (succeeded ? AppTexts::kConnected : AppTexts::kNotConnected))
      return "status panel 0";
    return {};
  }
  // A device operation never changes the connection state.
  if (!f.ControllerFound() || f.StatusBar1.Panels[0].Text != AppTexts::kConnected) return "connection state";
  if (succeeded) {
    if (op == Op::EventReadout && !f.EventsLoaded) return "events not shown";
    if (op == Op::EventReadout && f.Edit5.Text.isEmpty() != toleratedFailure)
      return toleratedFailure ? "a clock shown that was not read" : "controller clock not shown";
    return {};
  }
  switch (op) {
    case Op::SettingsRead:
      for (int row = 1; row <= 20; ++row)
        if (f.StringGrid1.Cells(1, row) != before.StringGrid1.Cells(1, row)) return "grid changed";
      return {};
    case Op::EventReadout:
      if (f.EventsLoaded || !f.ListBox1.Items.isEmpty()) return "events changed";
      return {};
    default: return {};
  }
}

CellResult RunCell(const OperationRow& row, const FaultColumn& fault, const ExpectedCell& expected, int port,
                   const std::string& link) {
  CellResult result;
  std::vector<std::string> options = SimOptions(row, fault);
  options.insert(options.end(), {"--link", link});
  SimProcess sim(options);
  if (!sim.Running()) return result;
  result.simStarted = true;

  FakeUi ui;
  TForm1 form(ui);
  form.Mdb1.Port = TPortType(port - 1);
  Prepare(row.op, form, ui);
  FakeUi untouched;
  TForm1 before(untouched);
  before.InitSettingsCatalogue();
  for (int r = 1; r <= 20; ++r) before.StringGrid1.Cells(1, r) = form.StringGrid1.Cells(1, r);

  const auto start = Clock::now();
  Run(row.op, form);
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();

  result.report = Classify(row.op, form, ui);
  result.wire = ParseFrames(sim.Requests());
  result.stateProblem = StateProblem(row.op, result.report == "ok", expected.report == "ok" && expected.failing >= 0,
                                     before, form);
  result.shown = "panel 0 \"" + form.StatusBar1.Panels[0].Text.toStdString() + "\", panel 1 \"" +
                 form.StatusBar1.Panels[1].Text.toStdString() + "\", ui: " +
                 ui.Log.join(QStringLiteral(" | ")).toStdString();
  form.FormDestroy();
  return result;
}

// ---- The whole matrix -----------------------------------------------------

std::string Describe(const std::vector<Transaction>& wire) {
  std::string text;
  for (const Transaction& t : wire) {
    text += (t.function == 3 ? " R" : t.function == 6 ? " W" : " ?") + std::to_string(t.reg);
    if (t.function == 3) text += "x" + std::to_string(t.count);
  }
  return text;
}

bool SameWire(const std::vector<Transaction>& a, const std::vector<Transaction>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Transaction& x, const Transaction& y) {
    return x.function == y.function && x.reg == y.reg && x.count == y.count;
  });
}

// A fingerprint of every file in the folder: names, sizes and times.
std::string FolderListing(const QString& path) {
  std::string listing;
  for (const QFileInfo& info : QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
    listing += info.fileName().toStdString() + " " + std::to_string(info.size()) + " " +
               std::to_string(info.lastModified().toMSecsSinceEpoch()) + "\n";
  return listing;
}

void PrintMatrix(const std::vector<std::vector<CellResult>>& results,
                 const std::vector<std::vector<bool>>& passed) {
  std::ostringstream out;
  char cell[64];
  std::snprintf(cell, sizeof cell, "%-15s", "");
  out << cell;
  for (const FaultColumn& fault : Faults()) {
    std::snprintf(cell, sizeof cell, "| %-13s", fault.name);
    out << cell;
  }
  out << "\n" << std::string(15, '-');
  for (std::size_t c = 0; c < Faults().size(); ++c) out << "|" << std::string(14, '-');
  out << "\n";
  for (std::size_t r = 0; r < Operations().size(); ++r) {
    std::snprintf(cell, sizeof cell, "%-15s", Operations()[r].name);
    out << cell;
    for (std::size_t c = 0; c < Faults().size(); ++c) {
      const CellResult& result = results[r][c];
      std::snprintf(cell, sizeof cell, "| %-2s%3zu %5.1fs%s", result.report.c_str(), result.wire.size(),
                    result.seconds, passed[r][c] ? " " : "!");
      out << cell;
    }
    out << "\n";
  }
  out << "cell: what the user saw (ok, R/W no communication on reading/writing, N device not found,\n"
         "C controller not found, P clock placeholders, V settings not kept), the requests on the wire, the seconds taken;\n"
         "! marks a cell that failed.\n";
  std::cout << out.str() << std::flush;
}

TEST(FaultMatrix, EveryOperationUnderEveryFault) {
  ASSERT_EQ(Expected().size(), Operations().size());
  TempCurrentFolder folder;
  ASSERT_TRUE(folder.Valid());
  // A file of the user's stands in the folder; nothing may touch it or add another.
  ASSERT_TRUE(folder.WriteFile(QStringLiteral("WLT_nastawy_007.txt"), QByteArray("Nastawy\r\n")));
  const std::string filesBefore = FolderListing(folder.Path());

  QTemporaryDir links;
  ASSERT_TRUE(links.isValid());
  std::vector<std::string> linkPaths;
  for (int port = 1; port <= kWorkers; ++port) {
    linkPaths.push_back(QDir(links.path()).filePath(QStringLiteral("ttyWLT%1").arg(port)).toStdString());
    PortMap::Set("COM" + std::to_string(port), linkPaths.back());
  }

  // The cells, longest first, handed out to the workers.
  struct Job {
    std::size_t row, column;
    double atMost;
  };
  std::vector<Job> jobs;
  for (std::size_t r = 0; r < Operations().size(); ++r)
    for (std::size_t c = 0; c < Faults().size(); ++c)
      jobs.push_back({r, c, Bounds(Operations()[r], Faults()[c], ParseCell(std::string(Expected()[r][c]))).atMost});
  std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.atMost > b.atMost; });

  std::vector<std::vector<CellResult>> results(Operations().size(), std::vector<CellResult>(Faults().size()));
  std::mutex mutex;
  std::size_t next = 0;
  std::vector<std::thread> workers;
  for (int port = 1; port <= kWorkers; ++port) {
    workers.emplace_back([&, port] {
      for (;;) {
        Job job{};
        {
          const std::lock_guard<std::mutex> lock(mutex);
          if (next == jobs.size()) return;
          job = jobs[next++];
        }
        CellResult result =
            RunCell(Operations()[job.row], Faults()[job.column],
                    ParseCell(std::string(Expected()[job.row][job.column])), port,
                    linkPaths[std::size_t(port - 1)]);
        const std::lock_guard<std::mutex> lock(mutex);
        results[job.row][job.column] = std::move(result);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  PortMap::Clear();

  std::vector<std::vector<bool>> passed(Operations().size(), std::vector<bool>(Faults().size(), false));
  for (std::size_t r = 0; r < Operations().size(); ++r) {
    for (std::size_t c = 0; c < Faults().size(); ++c) {
      const OperationRow& row = Operations()[r];
      const FaultColumn& fault = Faults()[c];
      const ExpectedCell expected = ParseCell(std::string(Expected()[r][c]));
      const CellResult& got = results[r][c];
      const TimeBounds bounds = Bounds(row, fault, expected);
      const std::vector<Transaction> wire = ExpectedWire(row, expected);
      SCOPED_TRACE(std::string(row.name) + " / " + fault.name + ": " + got.shown);
      EXPECT_TRUE(got.simStarted);
      EXPECT_EQ(got.report, expected.report);
      EXPECT_TRUE(SameWire(got.wire, wire)) << "on the wire:" << Describe(got.wire) << "\nexpected:   "
                                            << Describe(wire);
      EXPECT_EQ(got.stateProblem, "");
      EXPECT_GE(got.seconds, bounds.atLeast - 0.01);
      EXPECT_LE(got.seconds, bounds.atMost);
      passed[r][c] = got.simStarted && got.report == expected.report && SameWire(got.wire, wire) &&
                     got.stateProblem.empty() && got.seconds >= bounds.atLeast - 0.01 &&
                     got.seconds <= bounds.atMost;
    }
  }
  EXPECT_EQ(FolderListing(folder.Path()), filesBefore) << "a device operation touched the disk";
  PrintMatrix(results, passed);
}

}  // namespace
