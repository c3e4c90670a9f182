// windows_core_tests.exe: GoogleTest with the program's own argc and argv
// kept for the command-line tests (the wine test passes a Polish word).

#include "WindowsCoreTestMain.h"

#include <gtest/gtest.h>

namespace {
int savedArgc = 0;
char** savedArgv = nullptr;
}  // namespace

int TestArgc() { return savedArgc; }
char** TestArgv() { return savedArgv; }

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  savedArgc = argc;
  savedArgv = argv;
  return RUN_ALL_TESTS();
}
