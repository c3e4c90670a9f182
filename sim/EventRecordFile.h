// A chosen event history for the simulator, read from a text file:
//
//   # comment to the end of the line; blank lines are ignored
//   N W0 W1 ... W16
//
// one record per line: the event number N (1-40, slot N-1), then the 17 words
// of the record in hexadecimal (1 to 4 digits, 0x optional): date and time in
// packed BCD, the four cause words, the ten state words. Events not listed
// read as erased (every bit set).
#pragma once

#include <istream>
#include <string>

#include "EventHistory.h"

namespace wltsim {

// Reads the records from in. On failure returns false with "LINE: reason"
// in error and leaves words unspecified.
bool ParseEventRecords(std::istream& in, EventWords& words, std::string& error);

// The same from a file; error then begins with the path.
bool LoadEventRecords(const std::string& path, EventWords& words, std::string& error);

}  // namespace wltsim
