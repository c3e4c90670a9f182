// The grid's integer parser and the conversion of a value cell to its
// register. Input: the grid row (byte 0, taken modulo 22, so rows 0 and 21
// beside the twenty real ones), then the cell's text in UTF-8. Checked
// against a model written apart from the product code:
// - ParseGridInteger accepts exactly the syntax of GridInteger.h (blanks,
//   then a signed decimal in 32 bits, or "$", "x", "X", "0x", "0X" and up
//   to 32 bits of hexadecimal), with the value the text names, and leaves
//   the value alone when it refuses;
// - CellToRegister is the parsed value, divided by 10 with halves to the
//   even neighbour except in rows 6 and 8, when that lies in 0..65535;
// - the text GridText shows for a register value converts back to it.

#include "FuzzCheck.h"
#include "settings/GridInteger.h"
#include "settings/SettingsRegisterMap.h"

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <optional>

namespace {

std::optional<std::int32_t> ModelParse(const QString& text) {
  static const QRegularExpression syntax(QRegularExpression::anchoredPattern(
      QStringLiteral(" *(?:([+-]?)([0-9]+)|(?:\\$|x|X|0x|0X)([0-9A-Fa-f]+))")));
  const QRegularExpressionMatch match = syntax.match(text);
  if (!match.hasMatch()) return std::nullopt;
  if (match.capturedLength(2) > 0) {
    QString digits = match.captured(2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    if (digits.size() > 10) return std::nullopt;
    const qlonglong magnitude = digits.toLongLong();
    const qlonglong value = match.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return std::int32_t(value);
  }
  QString digits = match.captured(3);
  while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
  if (digits.size() > 8) return std::nullopt;
  return std::int32_t(std::uint32_t(digits.toULongLong(nullptr, 16)));
}

// Half to even by floor division, apart from the product's truncating one.
std::int64_t ModelTenth(std::int64_t n) {
  const std::int64_t remainder = ((n % 10) + 10) % 10;
  const std::int64_t floor = (n - remainder) / 10;
  if (remainder > 5 || (remainder == 5 && floor % 2 != 0)) return floor + 1;
  return floor;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int row = data[0] % 22;
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

  const std::optional<std::int32_t> model = ModelParse(text);
  std::int32_t value = 0x5A5A5A5A;
  const bool parsed = ParseGridInteger(text, value);
  FUZZ_CHECK(parsed == model.has_value());
  FUZZ_CHECK(value == (parsed ? *model : 0x5A5A5A5A));

  const std::optional<std::uint16_t> word = SettingsRegisterMap::CellToRegister(row, text);
  std::optional<std::uint16_t> expected;
  if (model) {
    const std::int64_t scaled = (row == 6 || row == 8) ? std::int64_t(*model) : ModelTenth(*model);
    if (scaled >= 0 && scaled <= 0xFFFF) expected = std::uint16_t(scaled);
  }
  FUZZ_CHECK(word == expected);
  if (word) FUZZ_CHECK(SettingsRegisterMap::CellToRegister(row, SettingsRegisterMap::GridText(row, *word)) == word);
  return 0;
}
