// wlt-nastawy-cli --trace against wlt-sim: the rows on standard error are
// the frames on the simulator's log, frame for frame, with each try's
// outcome; the exception is named in the rows and in the box.

#include "CliOnSim.h"
#include "TraceFrames.h"
#include "mdbcomp/LinkRows.h"

namespace {

class CliTrace : public CliOnSim {};

TEST_F(CliTrace, RowsMatchTheSimulatorsFramesOneForOne) {
  // Every request answered at its second try; the test times refused.
  StartSim({"--answer-from-try", "2", "--exception", "1230-1232"});
  const CliOutcome o = Cli({QStringLiteral("--trace"), QStringLiteral("read-schedule")});
  const std::string err = o.err.toStdString();
  EXPECT_EQ(o.status, 1) << err;
  const std::vector<std::string> frames = trace_frames::FromTrace(err);
  EXPECT_EQ(frames, trace_frames::FromSimLog(sim->Log())) << err;
  // At least the connection (its settings block) and the start-up's test
  // times: two requests each, one reply each.
  EXPECT_GE(frames.size(), 6u) << err;
  EXPECT_NE(err.find(LinkRows::HeaderLine() + "\n"), std::string::npos) << err;
  EXPECT_NE(err.find("  brak odpowiedzi po "), std::string::npos) << err;
  EXPECT_NE(err.find("  wynik: poprawna odpowiedź w próbie 2 z 3\n"), std::string::npos) << err;
  EXPECT_NE(err.find("wyjątek 2: niedozwolony adres danych (Illegal Data Address)"), std::string::npos) << err;
  EXPECT_NE(err.find("Brak komunikacji z urządzeniem\nUrządzenie odpowiedziało wyjątkiem 2: niedozwolony adres "
                     "danych.\n"),
            std::string::npos)
      << err;
}

TEST_F(CliTrace, WithoutItStandardErrorHasNoRows) {
  StartSim({"--exception", "1230-1232"});
  const CliOutcome o = Cli({QStringLiteral("read-schedule")});
  const std::string err = o.err.toStdString();
  EXPECT_TRUE(trace_frames::FromTrace(err).empty()) << err;
  EXPECT_EQ(err.find(LinkRows::HeaderLine()), std::string::npos) << err;
  // The box names the exception all the same.
  EXPECT_NE(err.find("Urządzenie odpowiedziało wyjątkiem 2: niedozwolony adres danych."), std::string::npos) << err;
}

}  // namespace
