#pragma once
// The link's events as rows: time, direction, slave, function, register,
// count or value, outcome and the bytes in hexadecimal. The window's monitor,
// its saved file and the programs' --trace all show these rows; a row is
// also one line of text.

#include "mdbcomp/LinkObserver.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct LinkRow {
  std::string Time;       // "14:03:07.125", filled by whoever keeps the clock
  std::string Direction;  // "TX", "RX", or "--" for a row without a frame
  std::string Slave;
  std::string Function;
  std::string Register;   // numbered from 1, as the program numbers registers
  std::string Quantity;   // function 3: registers asked or carried; function 6: the value
  std::string Outcome;
  std::string Bytes;      // "01 03 03 20 00 78 44 66"
};

namespace LinkRows {

// The row of an event, without its time. False for an event that has no row
// of its own: a failed try whose reply row already says why, and the end of
// a transaction answered at its first try.
bool Make(const LinkEvent& event, LinkRow& row);

// "01 03 03 20": upper-case hexadecimal bytes, one blank between them.
std::string HexBytes(const std::uint8_t* bytes, std::size_t length);
// Microseconds as whole milliseconds, rounded: "12".
std::string Milliseconds(std::uint32_t us);

// The row as one line (no line end): the columns aligned, the outcome, then
// " | " and the bytes when there are any.
std::string Line(const LinkRow& row);
// The column names, aligned as Line aligns the rows.
std::string HeaderLine();

// The local time of day with milliseconds, "14:03:07.125", of the system
// clock now (for rows of a program without the window's clock).
std::string LocalTimeNow();

}  // namespace LinkRows
