#include "settings/GridInteger.h"

namespace {

int DecimalDigit(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'0' && u <= u'9') ? int(u - u'0') : -1;
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return int(u - u'0');
  if (u >= u'a' && u <= u'f') return int(u - u'a') + 10;
  if (u >= u'A' && u <= u'F') return int(u - u'A') + 10;
  return -1;
}

// Digits from pos to the end of text, all of them digits of the base, at
// least one; the running value stops growing past limit so it cannot wrap.
bool ParseDigits(const QString& text, qsizetype pos, int base, std::uint64_t limit,
                 std::uint64_t& result) {
  if (pos >= text.size()) return false;
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = base == 16 ? HexDigit(text[pos]) : DecimalDigit(text[pos]);
    if (digit < 0) return false;
    value = value * std::uint64_t(base) + std::uint64_t(digit);
    if (value > limit) return false;
  }
  result = value;
  return true;
}

}  // namespace

bool ParseGridInteger(const QString& text, std::int32_t& value) {
  qsizetype pos = 0;
  while (pos < text.size() && text[pos] == QLatin1Char(' ')) ++pos;
  if (pos >= text.size()) return false;

  const QChar first = text[pos];
  if (first == QLatin1Char('$') || first == QLatin1Char('x') || first == QLatin1Char('X') ||
      (first == QLatin1Char('0') && pos + 1 < text.size() &&
       (text[pos + 1] == QLatin1Char('x') || text[pos + 1] == QLatin1Char('X')))) {
    pos += first == QLatin1Char('0') ? 2 : 1;
    std::uint64_t bits = 0;
    if (!ParseDigits(text, pos, 16, 0xFFFFFFFFu, bits)) return false;
    value = std::int32_t(std::uint32_t(bits));  // two's complement, as the 32 bits stand
    return true;
  }

  bool negative = false;
  if (first == QLatin1Char('+') || first == QLatin1Char('-')) {
    negative = first == QLatin1Char('-');
    ++pos;
  }
  std::uint64_t magnitude = 0;
  if (!ParseDigits(text, pos, 10, negative ? 2147483648u : 2147483647u, magnitude)) return false;
  value = negative ? std::int32_t(-std::int64_t(magnitude)) : std::int32_t(magnitude);
  return true;
}
