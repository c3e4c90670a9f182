#pragma once
// The line options every program of the tool takes on its command line:
// --port, --baud, --parity, --stop-bits and --slave values. Plain C++, so the
// Windows build of the command-line master shares them.

#include "MdbTypes.h"

#include <string>

namespace LineOptions {

// What --port may name. Windows opens serial ports by their names only; a
// path would never reach the line, so it is refused there instead of being
// quietly replaced by COM1.
enum class PortSyntax { NamesAndPaths, NamesOnly };
#ifdef _WIN32
constexpr PortSyntax kPlatformPortSyntax = PortSyntax::NamesOnly;
#else
constexpr PortSyntax kPlatformPortSyntax = PortSyntax::NamesAndPaths;
#endif

struct PortSelection {
  TPortType Port = COM1;
  // Empty, or the device Port is to open (from "COMn=PATH", or a bare PATH
  // for COM1).
  std::string DevicePath;
};

// "COM1".."COM9", "COMn=PATH" or "PATH". False with the reason in error.
bool ParsePort(const std::string& text, PortSelection& selection, std::string& error,
               PortSyntax syntax = kPlatformPortSyntax);

// A whole decimal or 0x-hexadecimal number within [low, high]; no sign, no blanks.
bool ParseNumber(const std::string& text, unsigned long low, unsigned long high,
                 unsigned long& value);

// One of the link's bit rates, 110 to 115200.
bool ParseBaudRate(const std::string& text, TBaudRate& rate);
// none, odd, even, mark, space (or N, O, E, M, S).
bool ParseParity(const std::string& text, TParity& parity);
// 1, 1.5 or 2.
bool ParseStopBits(const std::string& text, TStopBits& stopBits);

}  // namespace LineOptions
