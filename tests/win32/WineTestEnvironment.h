#pragma once
// The wine prefix shared by the tests of one test program.

#include "WineSession.h"

#include <string>

// The prepared session, or nullptr when wine could not be set up.
WineSession* Wine();
// Why Wine() is nullptr.
std::string WineError();
// The path of a cross-built Windows program.
std::string WindowsProgram(const std::string& name);
