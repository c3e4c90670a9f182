#include "events/EventRecord.h"

namespace EventRecord {

namespace {

// One 4-bit group in decimal, without a leading zero.
QString Group(std::uint16_t word, int shift) { return QString::number((word >> shift) & 0xF); }

// A byte's two groups, tens then units: the low byte holds year, day or
// minute, the high byte month, hour or second.
QString LowByte(std::uint16_t word) { return Group(word, 4) + Group(word, 0); }
QString HighByte(std::uint16_t word) { return Group(word, 12) + Group(word, 8); }

}  // namespace

Table TableFromWords(const Words& words) {
  Table table{};
  for (int k = 0; k < kRecords; ++k)
    for (int i = 0; i < kRecordWords; ++i)
      table[std::size_t(k)][std::size_t(i)] = words[std::size_t(k * kRecordWords + i)];
  return table;
}

QString FormatRecordDate(std::uint16_t w0, std::uint16_t w1) {
  return LowByte(w0) + QLatin1Char('-') + HighByte(w0) + QLatin1Char('-') + LowByte(w1);
}

QString FormatRecordTime(std::uint16_t w1, std::uint16_t w2) {
  return HighByte(w1) + QLatin1Char(':') + LowByte(w2) + QLatin1Char(':') + HighByte(w2);
}

QString TwoDigits(int n) {
  return n >= 0 && n < 10 ? QLatin1Char('0') + QString::number(n) : QString::number(n);
}

CauseFlags DecodeCauses(const Record& record) {
  CauseFlags flags{};
  for (int c = 0; c < kCauses; ++c)
    flags[std::size_t(c)] = (record[std::size_t(kFirstCauseWord + c / 16)] >> (c % 16)) & 1;
  return flags;
}

bool HasCause(const Record& record) {
  for (int i = 0; i < kCauseWords; ++i)
    if (record[std::size_t(kFirstCauseWord + i)] != 0) return true;
  return false;
}

bool StateBit(const Record& record, int s) {
  if (s < 0 || s >= kStates) return false;
  return (record[std::size_t(kFirstStateWord + s / 16)] >> (s % 16)) & 1;
}

QString CauseLine(int c, const QString& text) {
  return TwoDigits(c + 1) + QStringLiteral(":  ") + text;
}

}  // namespace EventRecord
