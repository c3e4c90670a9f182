// wlt-bench: how well the link keeps its time-outs, how long the settings
// read and the event register readout take on a paced line beside the wire
// time and beside a libmodbus master, how much CPU the waiting costs, and
// the settings read with the link monitor open.
// Runs wlt-sim itself.
//
//   wlt-bench [RUNS] [--search-full]   (default 5 runs per figure; the
//   search's long figures timed whole, about eight minutes more)

#include "FakeUi.h"
#include "SearchBench.h"
#include "SimProcess.h"
#include "app/TForm1.h"
#include "events/EventRecord.h"
#include "events/EventTexts.h"
#include "mdbcomp/PortMap.h"
#include "mdbcomp/TMdb.h"
#include "monitor/LinkMonitor.h"

#include <modbus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double CpuSeconds() {
  rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Samples {
  std::vector<double> values;
  double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
  double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
  double Mean() const {
    double sum = 0;
    for (double v : values) sum += v;
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
  }
};

void PrintRow(const char* what, double expected, const Samples& measured, int failures) {
  std::printf("%-44s %9.1f %9.1f %9.1f %9.1f %+9.1f %4zu %4d\n", what, expected, measured.Min(),
              measured.Mean(), measured.Max(), measured.Mean() - expected,
              measured.values.size(), failures);
}

// A TMdb on COM1 mapped to the simulator, 19200 bit/s without parity.
std::unique_ptr<TMdb> OpenLink(const std::string& device, std::uint8_t tries) {
  PortMap::Set("COM1", device);
  auto mdb = std::make_unique<TMdb>();
  mdb->BaudRate = br19200;
  mdb->Parity = prNone;
  mdb->RepeatCount = tries;
  mdb->OpenPort();
  mdb->SettleLine();  // the quiet a port just opened waits for, outside the figures
  return mdb;
}

// Times runs of one operation; expectSuccess says which outcome is normal.
// prepare, when given, runs before each run outside the clock.
Samples Time(int runs, bool expectSuccess, int& failures, const std::function<bool()>& operation,
             const std::function<void()>& prepare = nullptr) {
  Samples samples;
  failures = 0;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    const auto start = Clock::now();
    const bool ok = operation();
    samples.values.push_back(MillisecondsSince(start));
    if (ok != expectSuccess) ++failures;
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  const bool searchFull = argc > 1 && std::string(argv[argc - 1]) == "--search-full";
  if (searchFull) --argc;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  constexpr double kBitsPerCharacter = 11;
  constexpr double kBitRate = 19200;
  // 8 request characters and 5 + 2 x 120 = 245 reply characters, then the
  // 10 ms of silence that ends the read.
  const double wireMs = (8 + 245) * kBitsPerCharacter / kBitRate * 1000.0;

  std::printf("wlt-bench: %d runs per figure, milliseconds unless noted\n\n", runs);
  std::printf("%-44s %9s %9s %9s %9s %9s %4s %4s\n", "figure", "expected", "min", "mean", "max",
              "mean-exp", "runs", "bad");

  double waitedMs = 0;
  double waitCpu = 0;
  {
    SimProcess silent({"--no-answer"});
    if (!silent.Running()) {
      std::fprintf(stderr, "wlt-bench: wlt-sim did not start\n");
      return 1;
    }
    auto mdb = OpenLink(silent.DevicePath(), 1);
    if (!mdb->PortOpen()) {
      std::fprintf(stderr, "wlt-bench: cannot open %s\n", silent.DevicePath().c_str());
      return 1;
    }
    // A fresh link for each run: after an unanswered request the next one
    // first waits for a quiet line, which is row (f)'s figure, not this one.
    const auto fresh = [&] {
      mdb.reset();
      mdb = OpenLink(silent.DevicePath(), 1);
    };
    int failures = 0;
    const double cpuBefore = CpuSeconds();
    const auto waitStart = Clock::now();
    const Samples write =
        Time(runs, false, failures, [&] { return mdb->WriteRegister(1, 1272, 8); }, fresh);
    PrintRow("(a) silent 13-byte read (write, 1 try)", 630, write, failures);
    std::vector<std::uint16_t> values(120);
    const Samples read = Time(
        std::max(1, runs / 2), false, failures,
        [&] { return mdb->ReadRegisters(1, 801, 120, values.data()); }, fresh);
    PrintRow("(a) unanswered 120-register read (1 try)", 2970, read, failures);
    waitedMs = MillisecondsSince(waitStart);
    waitCpu = CpuSeconds() - cpuBefore;
  }

  SimProcess paced({"--pace", "--baud", "19200"});
  if (!paced.Running()) {
    std::fprintf(stderr, "wlt-bench: paced wlt-sim did not start\n");
    return 1;
  }
  {
    auto mdb = OpenLink(paced.DevicePath(), 3);
    std::vector<std::uint16_t> values(120);
    int failures = 0;
    const Samples trip = Time(runs * 2, true, failures,
                              [&] { return mdb->ReadRegisters(1, 801, 120, values.data()); });
    PrintRow("(b) TMdb 120-register read, paced 19200", wireMs + 10, trip, failures);
  }
  {
    modbus_t* ctx = modbus_new_rtu(paced.DevicePath().c_str(), 19200, 'N', 8, 1);
    int failures = 0;
    Samples trip;
    if (ctx != nullptr && modbus_set_slave(ctx, 1) == 0 && modbus_connect(ctx) == 0) {
      std::vector<std::uint16_t> values(120);
      trip = Time(runs * 2, true, failures,
                  [&] { return modbus_read_registers(ctx, 800, 120, values.data()) == 120; });
      modbus_close(ctx);
    } else {
      failures = runs * 2;
    }
    if (ctx != nullptr) modbus_free(ctx);
    PrintRow("(c) libmodbus 120-register read, paced", wireMs, trip, failures);
  }

  // (e) The window's event register readout: six blocks and the clock, each
  // request 8 characters, each reply 5 + 2 x count, and after each of the
  // seven replies the 10 ms of silence that ends it.
  int readoutCharacters = 0;
  for (const EventRecord::ReadBlock& block : EventRecord::kReadBlocks) readoutCharacters += 8 + 5 + 2 * block.count;
  readoutCharacters += 8 + 5 + 2 * EventRecord::kClockWords;
  const double readoutWireMs = readoutCharacters * kBitsPerCharacter / kBitRate * 1000.0;
  const double readoutExpectedMs = readoutWireMs + 7 * 10.0;
  Samples readout;
  {
    PortMap::Set("COM1", paced.DevicePath());
    FakeUi ui;
    TForm1 form(ui);
    form.Mdb1.BaudRate = br19200;
    form.Mdb1.Parity = prNone;
    form.Mdb1.OpenPort();
    form.Mdb1.SettleLine();
    int failures = 0;
    readout = Time(runs, true, failures, [&] {
      form.StatusBar1.Panels[1].Text.clear();
      form.Edit5.Text.clear();
      form.Odczyt1Click();
      return form.StatusBar1.Panels[1].Text == EventTexts::EventsRead && !form.Edit5.Text.isEmpty();
    });
    PrintRow("(e) event register readout, paced 19200", readoutExpectedMs, readout, failures);
  }

  // (f) A retried transaction: the first try times out (590 ms for one
  // register), the line must then be quiet for ResponseTime (500 ms) before
  // the second try goes out, answered at once by an unpaced simulator and
  // ended by the 10 ms of silence.
  {
    SimProcess secondTry({"--answer-from-try", "2"});
    auto mdb = OpenLink(secondTry.DevicePath(), 3);
    int failures = 0;
    std::uint16_t value = 0;
    std::uint16_t reg = 898;
    const Samples retried = Time(runs, true, failures, [&] {
      reg = reg == 898 ? 899 : 898;  // another request each run: the simulator counts its tries anew
      return mdb->ReadRegisters(1, reg, 1, &value);
    });
    PrintRow("(f) 1-register read answered on the 2nd try", 590 + 500 + 10, retried, failures);
  }
  {
    // (g) The read of (b) with the link monitor open: every frame timed,
    // judged and kept as a row (the window's monitor, its clock the PC's).
    auto mdb = OpenLink(paced.DevicePath(), 3);
    LinkMonitor monitor;
    monitor.Clear();
    mdb->SetObserver(&monitor);
    std::vector<std::uint16_t> values(120);
    int failures = 0;
    const Samples trip = Time(runs * 2, true, failures,
                              [&] { return mdb->ReadRegisters(1, 801, 120, values.data()); });
    mdb->SetObserver(nullptr);
    PrintRow("(g) as (b), the link monitor open", wireMs + 10, trip, failures);
  }

  std::printf("\n(b) and (c) expected: wire time of 8 + 245 characters at 11 bits, %.1f ms;\n",
              wireMs);
  std::printf("    TMdb also waits the 10 ms of silence that ends a reply.\n");
  std::printf("(d) CPU while waiting in (a): %.4f s over %.1f s = %.5f CPU seconds per second\n",
              waitCpu, waitedMs / 1000.0, waitedMs > 0 ? waitCpu / (waitedMs / 1000.0) : 0.0);
  std::printf("(e) expected: wire time of %d characters at 11 bits, %.1f ms, plus 7 x 10 ms of\n"
              "    silence; measured mean / expected = %.3f\n",
              readoutCharacters, readoutWireMs, readout.Mean() / readoutExpectedMs);
  std::printf("(f) expected: the first try's time-out, 590 ms, the 500 ms of quiet a late reply\n"
              "    is waited out with, and the 10 ms of silence after the reply\n");
  std::printf("(g) beside (b): rows (a) to (f) run with no monitor, where the link only tests\n"
              "    for one\n");
  PrintSearchFigures(runs, searchFull);
  return 0;
}
