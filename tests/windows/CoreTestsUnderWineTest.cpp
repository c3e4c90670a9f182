// windows_core_tests.exe under wine: the text files' code page through the
// Win32 API, the command line as Unicode, the help texts and the default
// work folder of the Windows build. The Polish word on its command line is
// one the ANSI code page cannot hold.

#include "WindowsProgramRun.h"

#include <gtest/gtest.h>

namespace {

TEST(CoreTestsUnderWine, AllPass) {
  WineSession* wine = PreparedWine();
  ASSERT_NE(wine, nullptr) << WineError();
  const WineRun run = RunWindowsProgram(*wine, "windows_core_tests.exe", {"łódź-Zażółć"}, 300000);
  ASSERT_TRUE(run.Started) << "windows_core_tests.exe did not end in time\n" << run.Errors;
  EXPECT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_NE(run.Output.find("[  PASSED  ]"), std::string::npos) << run.Output;
  EXPECT_EQ(run.Output.find("[  FAILED  ]"), std::string::npos) << run.Output;
  // Every group ran: a test program that lost its tests would pass too.
  for (const char* group : {"TextFileCodePage.", "WindowsCommandLine.", "WindowsWorkFolder."})
    EXPECT_NE(run.Output.find(std::string("[       OK ] ") + group), std::string::npos) << group;
}

}  // namespace
