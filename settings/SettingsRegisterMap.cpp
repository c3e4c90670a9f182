#include "settings/SettingsRegisterMap.h"

#include "settings/GridInteger.h"
#include "settings/SettingsCatalogueTables.h"

namespace SettingsRegisterMap {

std::optional<BitPosition> ProgramBit(int box) {
  if (box < SettingsCatalogue::kFirstProgramBox || box > SettingsCatalogue::kLastProgramBox)
    return std::nullopt;
  const int offset = box - SettingsCatalogue::kFirstProgramBox;
  return BitPosition{offset / 16, offset % 16};
}

bool RowUnscaled(int row) { return row == 6 || row == 8; }

std::int64_t DivideBy10HalfEven(std::int64_t n) {
  const std::int64_t quotient = n / 10;  // towards zero
  const std::int64_t remainder = n % 10;  // sign of n
  const std::int64_t away = n < 0 ? -1 : 1;
  const std::int64_t size = remainder < 0 ? -remainder : remainder;
  if (size > 5 || (size == 5 && quotient % 2 != 0)) return quotient + away;
  return quotient;
}

std::optional<std::uint16_t> RegisterValue(int row, std::int32_t n) {
  const std::int64_t value = RowUnscaled(row) ? std::int64_t(n) : DivideBy10HalfEven(n);
  // Cutting an out-of-range value to 16 bits would send a plainly wrong
  // timing to the controller (700000 ms as 4464 counts); refuse it instead.
  if (value < 0 || value > 0xFFFF) return std::nullopt;
  return std::uint16_t(value);
}

QString GridText(int row, std::uint16_t word) {
  return QString::number(RowUnscaled(row) ? int(word) : int(word) * 10);
}

std::optional<std::uint16_t> CellToRegister(int row, const QString& text) {
  std::int32_t n = 0;
  if (!ParseGridInteger(text, n)) return std::nullopt;
  return RegisterValue(row, n);
}

}  // namespace SettingsRegisterMap
