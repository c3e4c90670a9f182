#include "files/NumberedLines.h"

#include <cstdint>

namespace NumberedLines {
namespace {

constexpr int kMaxNumberLength = 32;

std::optional<int> DecimalInteger(const QString& text, qsizetype pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
    negative = text[pos] == QLatin1Char('-');
    ++pos;
  }
  if (pos >= text.size()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char16_t u = text[pos].unicode();
    if (u < u'0' || u > u'9') return std::nullopt;
    value = value * 10 + (u - u'0');
    if (value > limit) return std::nullopt;
  }
  return int(negative ? -value : value);
}

}  // namespace

bool IsBlank(QChar c) { return c.unicode() <= 0x20 || c.category() == QChar::Other_Control; }

QString TrimLeft(const QString& text) {
  qsizetype start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return text.mid(start);
}

QString Trim(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return TrimLeft(text.left(end));
}

std::optional<int> FieldToInt(const QString& text) {
  qsizetype pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return DecimalInteger(text, pos);
}

bool Reader::FindHeading(std::initializer_list<QString> headings) {
  column_ = 0;
  while (row_ < lines_.size()) {
    const QString& line = lines_[row_++];
    for (const QString& heading : headings)
      if (line == heading) return row_ < lines_.size();
  }
  return false;
}

void Reader::SkipLine() {
  if (row_ < lines_.size()) ++row_;
  column_ = 0;
}

bool Reader::Read(Line& line) {
  // Blanks and line ends before the number.
  while (row_ < lines_.size()) {
    const QString& text = lines_[row_];
    while (column_ < text.size() && IsBlank(text[column_])) ++column_;
    if (column_ < text.size()) break;
    ++row_;
    column_ = 0;
  }
  if (row_ >= lines_.size()) {
    line = Line{};
    return true;
  }
  const QString& text = lines_[row_];
  const qsizetype start = column_;
  while (column_ < text.size() && column_ - start < kMaxNumberLength && !IsBlank(text[column_])) ++column_;
  // A longer run is no number either. Cut after 32 characters it would be
  // misread ("000...0801" as 80), and its rest would start without the blank
  // that keeps a caption written back apart from its number.
  if (column_ < text.size() && !IsBlank(text[column_])) return false;
  const std::optional<int> number = DecimalInteger(text.mid(start, column_ - start), 0);
  if (!number) return false;
  line.number = *number;
  line.rest = text.mid(column_);
  ++row_;
  column_ = 0;
  return true;
}

}  // namespace NumberedLines
