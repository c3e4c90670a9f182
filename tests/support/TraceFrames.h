#pragma once
// The frames of a link trace (the rows of --trace, the monitor's file) and
// of wlt-sim's frame log, in one form so that they compare frame for frame:
// "RX 01 03 ..." for what the simulator received, "TX ..." for what it sent.
// The master's request is the simulator's RX, its reply the simulator's TX.

#include <sstream>
#include <string>
#include <vector>

namespace trace_frames {

// From the rows of a trace: "12:00:00.125  TX   ...  outcome | 01 03 ...".
// Lines that are no row with a frame (the column names, the programs'
// messages, rows without bytes) are passed over.
inline std::vector<std::string> FromTrace(const std::string& text) {
  std::vector<std::string> frames;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 16 || line[2] != ':' || line[8] != '.') continue;
    const std::string direction = line.substr(14, 2);
    const std::size_t bar = line.rfind(" | ");
    if (bar == std::string::npos) continue;
    const std::string bytes = line.substr(bar + 3);
    if (direction == "TX") frames.push_back("RX " + bytes);
    if (direction == "RX") frames.push_back("TX " + bytes);
  }
  return frames;
}

// From the simulator's log: "<ISO time> RX|TX <hex bytes>".
inline std::vector<std::string> FromSimLog(const std::string& text) {
  std::vector<std::string> frames;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos) continue;
    frames.push_back(line.substr(blank + 1));
  }
  return frames;
}

}  // namespace trace_frames
