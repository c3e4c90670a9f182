// The cross-built GoogleTest programs, run under wine: the link's unit tests
// on the in-memory line, and the Win32 serial line's tests on COM1, which is
// aimed at wlt-sim.

#include "SimProcess.h"
#include "WineTestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The summary line GoogleTest prints when every test passed.
bool AllPassed(const WineRun& run) {
  return run.Output.find("[  PASSED  ]") != std::string::npos &&
         run.Output.find("[  FAILED  ]") == std::string::npos;
}

TEST(CrossBuiltTestsUnderWine, LinkUnitTestsPass) {
  WineSession* wine = Wine();
  ASSERT_NE(wine, nullptr) << WineError();
  const WineRun run = wine->Run(WindowsProgram("link_tests.exe"), {}, 300000);
  ASSERT_TRUE(run.Started) << "link_tests.exe did not end in time\n" << run.Errors;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(AllPassed(run)) << run.Output;
}

TEST(CrossBuiltTestsUnderWine, Win32SerialLineTestsPassAgainstTheSimulator) {
  WineSession* wine = Wine();
  ASSERT_NE(wine, nullptr) << WineError();
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  ASSERT_TRUE(wine->PointCom1At(sim.DevicePath()));

  const WineRun run = wine->Run(WindowsProgram("win32_serial_line_tests.exe"), {}, 300000);
  ASSERT_TRUE(run.Started) << "win32_serial_line_tests.exe did not end in time\n" << run.Errors;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(AllPassed(run)) << run.Output;

  // What the Windows program put on the wire reached the simulator unchanged:
  // the one-register reads of the transfer tests and TMdb's 120-register read.
  const auto requests = sim.Requests();
  EXPECT_GE(std::count(requests.begin(), requests.end(), "01 03 03 20 00 01 85 84"), 2) << sim.Log();
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "01 03 03 20 00 78 44 66"), 1) << sim.Log();
}

}  // namespace
