#include "mdbcomp/MdbTypes.h"

std::uint32_t BaudRateValue(TBaudRate rate) {
  static constexpr std::uint32_t kValues[] = {110,   300,   600,   1200,  2400,
                                              4800,  9600,  14400, 19200, 38400,
                                              56000, 57600, 115200};
  const auto index = static_cast<std::size_t>(rate);
  // An ordinal outside the enumeration (a damaged stored value) falls back
  // to the construction default rather than reading past the table.
  if (index >= sizeof kValues / sizeof kValues[0]) return 9600;
  return kValues[index];
}
