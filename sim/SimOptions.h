// Command-line options of wlt-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "EventHistory.h"

namespace wltsim {

// Registers are given as the controller numbers them (801, 1300 ...), not as wire addresses.
struct ExceptionRange {
  int first = 0;
  int last = 0;
  int code = 2;
};

struct SimOptions {
  // Line
  std::string device;       // open this device instead of creating a pseudo-terminal
  std::string linkPath;     // symlink to the served device, removed at exit
  std::string logPath;      // frame log
  int slave = 1;
  int baud = 19200;
  char parity = 'N';        // N, E, O (applied to a real device)
  int stopBits = 1;         // 1 or 2 (applied to a real device)
  bool pace = false;
  bool verbose = false;

  // Controller contents
  int factoryNumber = 1;
  int productionYear = 2020;
  int networkAddress = 1;
  std::optional<std::string> clockStart;  // "YYYY-MM-DDThh:mm:ss"
  long long clockOffsetSeconds = 0;
  bool freezeClock = false;
  std::vector<std::pair<int, uint16_t>> presets;  // --set REG=VALUE
  bool erasedEvents = false;
  int eventCount = 40;
  unsigned eventHistory = 1;
  std::string eventsFile;                 // --events-file PATH
  std::optional<EventWords> eventRecords;  // read from eventsFile while parsing

  // Faults
  bool noAnswer = false;
  int answerFromTry = 1;
  bool badCrc = false;
  long long stopAfterRequests = -1;
  long long stopAfterWrites = -1;
  long long dieAfterRequests = -1;
  std::vector<ExceptionRange> exceptions;
  int wrongSlave = -1;
  bool shortReply = false;
  bool shortEcho = false;
  bool badByteCount = false;
  int replyDelayMs = 0;  // --reply-delay: replies go out this long after the request
  bool echo = false;     // --echo: a looped-back line instead of a controller
  // A controller that takes a write without keeping it: --ignore-writes
  // echoes writes to these registers and keeps the old value; --clamp
  // stores at most MAX in REG.
  std::vector<std::pair<int, int>> ignoredWrites;          // FIRST-LAST
  std::vector<std::pair<int, uint16_t>> clamps;            // REG=MAX

  // Reaching the controller
  int tcpPort = -1;        // --tcp PORT: serve RTU frames over TCP on 127.0.0.1 (0: any free port)
  bool baudGiven = false;  // --baud named: on a pseudo-terminal a request at another rate is noise
};

enum class ParseOutcome { Run, Help, Error };

// Fills options from argv. On Error, message holds the reason.
ParseOutcome ParseOptions(int argc, char** argv, SimOptions& options, std::string& message);

// The --help text.
std::string UsageText();

}  // namespace wltsim
