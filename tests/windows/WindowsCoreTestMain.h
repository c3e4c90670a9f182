#pragma once
// The command line windows_core_tests.exe was started with, less
// GoogleTest's own flags.

int TestArgc();
char** TestArgv();

// The word the wine test passes, which the ANSI code page cannot hold.
inline constexpr char16_t kPolishArgument[] = u"łódź-Zażółć";
