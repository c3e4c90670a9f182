#include "services/BcdCodec.h"

#include <algorithm>

namespace BcdCodec {

std::uint16_t IntToBcd(int n) {
  n = std::clamp(n, 0, 9999);
  return std::uint16_t(n / 1000 * 4096 + n % 1000 / 100 * 256 + n % 100 / 10 * 16 + n % 10);
}

int BcdToInt(std::uint16_t v) {
  return v / 4096 * 1000 + v % 4096 / 256 * 100 + v % 256 / 16 * 10 + v % 16;
}

QString ByteDigits(std::uint8_t byte) {
  return QString::number(byte >> 4) + QString::number(byte & 0x0F);
}

ClockText ControllerClockText(const std::array<std::uint16_t, 4>& words) {
  const auto low = [&words](int i) { return std::uint8_t(words[std::size_t(i)] & 0xFF); };
  const auto high = [&words](int i) { return std::uint8_t(words[std::size_t(i)] >> 8); };
  ClockText text;
  text.Date = ByteDigits(low(0)) + QLatin1Char('-') + ByteDigits(high(0)) + QLatin1Char('-') +
              ByteDigits(low(1));
  text.Time = ByteDigits(high(1)) + QLatin1Char(':') + ByteDigits(low(2)) + QLatin1Char(':') +
              ByteDigits(high(2));
  text.DayOfWeek = words[3] & 0x0F;
  return text;
}

std::array<std::uint16_t, 3> ClockSetWords(const QDate& date, const QTime& time) {
  const auto pair = [](int low, int high) { return std::uint16_t(IntToBcd(low) + IntToBcd(high) * 256); };
  // A year before the common era would give a negative remainder.
  const int yearInCentury = ((date.year() % 100) + 100) % 100;
  return {pair(yearInCentury, date.month()), pair(date.day(), time.hour()),
          pair(time.minute(), time.second())};
}

int SundayFirstDayOfWeek(const QDate& date) {
  const int mondayFirst = date.dayOfWeek();  // 1 = Monday .. 7 = Sunday, 0 when invalid
  if (mondayFirst < 1 || mondayFirst > 7) return 0;
  return mondayFirst % 7 + 1;
}

QString DayName(const std::array<QString, 8>& dayNames, int day) {
  if (day < 1 || day > 7) return QString();
  return dayNames[std::size_t(day)];
}

std::uint16_t TestTimeWord(int dayCode, int hour) {
  return std::uint16_t(IntToBcd(dayCode) + IntToBcd(hour) * 256);
}

TestTime TestTimeFromWord(std::uint16_t word) {
  return {BcdToInt(std::uint16_t(word & 0xFF)), BcdToInt(std::uint16_t(word >> 8))};
}

}  // namespace BcdCodec
