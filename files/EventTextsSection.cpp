#include "files/EventTextsSection.h"

namespace EventTextsSection {

QStringList Compose(const Labels& labels, const Causes& causes) {
  QStringList lines;
  lines.reserve(1 + kEvents + kCauses);
  lines << kHeading;
  for (int n = 1; n <= kEvents; ++n) lines << QString::number(n) + labels[std::size_t(n)];
  const QString gap(7, QLatin1Char(' '));
  for (int c = 0; c < kCauses; ++c) lines << QString::number(kFirstCode + c) + gap + causes[std::size_t(c)];
  return lines;
}

Parsed Parse(const QStringList& fileLines) {
  Parsed parsed;
  NumberedLines::Reader reader(fileLines);
  if (!reader.FindHeading({kHeading})) return parsed;
  while (!reader.AtEnd()) {
    NumberedLines::Line line;
    if (!reader.Read(line)) return parsed;
    // 0 (the end of the file), 161..1000 and from 1065 on have no entry.
    const bool event = line.number >= 1 && line.number <= kEvents;
    const bool code = line.number >= kFirstCode && line.number < kFirstCode + kCauses;
    if (event || code) parsed.lines.push_back(std::move(line));
  }
  parsed.ok = true;
  return parsed;
}

QString IndicatorCaption(const QString& rest) { return NumberedLines::Trim(rest.left(kCaptionWidth)); }

QString CauseText(const QString& rest) { return NumberedLines::Trim(rest); }

}  // namespace EventTextsSection
