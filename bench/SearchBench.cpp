// The port search's figures against wlt-sim: a controller at address 1 with
// the window's line settings, the unanswered search of one device, and the
// worst case (address 247 at 2400 bit/s). The two long ones take about four
// minutes each: in full only with --search-full; otherwise their first two
// addresses are timed and the whole is reckoned from them.

#include "SearchBench.h"

#include "FakeUi.h"
#include "SimProcess.h"
#include "app/TForm1.h"
#include "mdbcomp/PortSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// What the waits of probes [0, count) add up to.
double ExpectedSeconds(std::size_t count) {
  double ms = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const PortSearch::Probe p = PortSearch::ProbeAt(i);
    ms += PortSearch::ProbeWaitMs(p.BitRate, p.Parity);
  }
  return ms / 1000.0;
}

// Runs the search over the simulator's device, stopped after limit probes
// (0: never). Returns the seconds it took, or -1 when it did not end as it should.
// longestGapMs: the longest time between two calls of the progress, which
// is how long "Przerwij" may wait to be answered.
double TimedSearch(const std::string& device, std::size_t limit, PortSearch::Outcome expected,
                   PortSearch::Result* out = nullptr, double* longestGapMs = nullptr) {
  auto line = MakeSystemSerialLine();
  std::size_t calls = 0;
  const auto start = Clock::now();
  auto last = start;
  double gap = 0;
  const PortSearch::Result r = PortSearch::Search(*line, {device}, [&](const PortSearch::Progress&) {
    const auto now = Clock::now();
    if (calls > 1) gap = std::max(gap, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
    return limit == 0 || calls++ <= limit;  // the first call comes before the device opens
  });
  if (longestGapMs) *longestGapMs = gap;
  const double seconds = SecondsSince(start);
  if (out) *out = r;
  return r.Outcome == expected ? seconds : -1;
}

void Row(const char* what, double expected, double measured, const char* note) {
  std::printf("%-52s %9.2f %9.2f  %s\n", what, expected, measured, note);
}

}  // namespace

void PrintSearchFigures(int runs, bool full) {
  std::printf("\nPort search, seconds (margin %u ms per probe beyond the wire time)\n",
              unsigned(PortSearch::kTurnaroundMarginMs));
  std::printf("%-52s %9s %9s\n", "figure", "expected", "measured");

  // (k) What the margin covers, as far as a simulator shows it: from the
  // request handed to the line to the whole 7-byte reply read back, on a
  // pseudo-terminal (no wire time) with the simulator unpaced.
  {
    SimProcess sim({"--slave", "1"});
    auto line = MakeSystemSerialLine();
    LineSettings settings;
    settings.BitRate = 19200;
    settings.Parity = prNone;
    settings.ReadTotalConstantMs = 1000;
    settings.ReadTotalMultiplierMs = 0;
    double worst = 0, sum = 0;
    int n = 0;
    if (line->Open(sim.DevicePath()) && line->Configure(settings)) {
      const std::uint8_t request[8] = {1, 3, 0x03, 0x81, 0x00, 0x01, 0xD4, 0x66};
      for (int i = 0; i < 50; ++i) {
        std::uint8_t reply[7];
        line->Purge();
        const auto start = Clock::now();
        line->Write(request, sizeof request);
        if (line->Read(reply, sizeof reply) != sizeof reply) continue;
        const double ms = SecondsSince(start) * 1000;
        worst = std::max(worst, ms);
        sum += ms;
        ++n;
      }
    }
    std::printf("%-52s %9s %9.2f  mean %.2f ms of %d, in milliseconds\n", "(k) wlt-sim turnaround on a pty (slowest)", "",
                worst, n ? sum / n : 0.0, n);
  }

  // (h) Address 1 at 19200 bit/s without parity: the first probe answers,
  // then 898-899 are read.
  {
    SimProcess sim({"--baud", "19200", "--factory-number", "7"});
    double worst = 0;
    for (int i = 0; i < runs; ++i) worst = std::max(worst, TimedSearch(sim.DevicePath(), 0, PortSearch::Outcome::Found));
    Row("(h) find at address 1, 19200 8N1 (slowest run)", ExpectedSeconds(1), worst, "limit 1 s");
    // The window's entry: the search, then the connection's settings read
    // (after the quiet a port just opened waits for) and the test times.
    double window = 0;
    for (int i = 0; i < runs; ++i) {
      FakeUi ui;
      TForm1 form(ui);
      form.InitSettingsCatalogue();
      form.SearchDevices = [&] { return std::vector<std::string>{sim.DevicePath()}; };
      const auto start = Clock::now();
      form.Szukaj1Click();
      const double seconds = SecondsSince(start);
      window = std::max(window, form.ControllerFound() ? seconds : -1.0);
      form.FormDestroy();
    }
    Row("(h') the same through the window, connected (slowest)", 0, window, "limit 1 s");
  }

  const std::size_t perAddress = PortSearch::kSettings;
  const std::size_t sample = 2 * perAddress;
  const double whole = ExpectedSeconds(PortSearch::kProbesPerDevice);
  // (i) A device on which nothing answers.
  {
    SimProcess silent({"--no-answer"});
    if (full) {
      Row("(i) whole unanswered search of one device", whole,
          TimedSearch(silent.DevicePath(), 0, PortSearch::Outcome::NotFound), "2964 probes");
    } else {
      double gapMs = 0;
      const double part = TimedSearch(silent.DevicePath(), sample, PortSearch::Outcome::Stopped, nullptr, &gapMs);
      Row("(i) unanswered search, addresses 1-2 (24 probes)", ExpectedSeconds(sample), part, "");
      Row("(l) longest time between two progress calls", double(PortSearch::ProbeWaitMs(2400, prOdd)) / 1000,
          gapMs / 1000, "Przerwij waits at most this; limit 0.2 s");
      Row("(i') whole unanswered search of one device, reckoned", whole,
          part * double(PortSearch::kProbesPerDevice) / double(sample), "--search-full measures it");
    }
  }
  // (j) The worst case: address 247 at 2400 bit/s. A pseudo-terminal
  // carries no parity, so the simulator answers the first parity at 2400
  // bit/s; odd parity, two probes later, adds their waits.
  {
    const double lastTwo = ExpectedSeconds(PortSearch::kProbesPerDevice) -
                           ExpectedSeconds(PortSearch::kProbesPerDevice - 2);
    if (full) {
      SimProcess sim({"--baud", "2400", "--slave", "247"});
      PortSearch::Result r;
      const double seconds = TimedSearch(sim.DevicePath(), 0, PortSearch::Outcome::Found, &r);
      Row("(j) find at address 247, 2400 8N1 (pty)", whole - lastTwo, seconds, "");
      Row("(j') the same at 2400 8O1, with the last two waits", whole, seconds + lastTwo, "limit 300 s");
    } else {
      std::printf("%-52s %9.2f %9s  %s\n", "(j) find at address 247, 2400 8O1, as (i')", whole, "-",
                  "--search-full measures it");
    }
  }
}
