#pragma once
// The event-texts section that closes every settings file and every event
// file: the heading "Zdarzenia:", 160 event lines (the number followed
// directly by the text as it was read, which brings its own separating
// blank) and 64 code lines 1001..1064 (the number, seven blanks, the cause
// text). It has no end marker and runs to the end of the file.

#include "files/NumberedLines.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace EventTextsSection {

inline const QString kHeading = QStringLiteral("Zdarzenia:");
constexpr int kEvents = 160;       // event lines 1..160
constexpr int kCauses = 64;        // code lines 1001..1064
constexpr int kFirstCode = 1001;   // cause c is code 1001 + c
constexpr int kCaptionWidth = 20;  // what a label shows of an event line's rest

using Labels = std::array<QString, kEvents + 1>;  // entries 1..160; 0 unused
using Causes = std::array<QString, kCauses>;

// The section's lines, heading first.
QStringList Compose(const Labels& labels, const Causes& causes);

struct Parsed {
  bool ok = false;  // heading found and every number readable
  // The event lines (1..160) and code lines (1001..1064) in file order,
  // up to an unreadable number; every other number is left out.
  std::vector<NumberedLines::Line> lines;
};

// Reads the section of a whole file from its first line on.
Parsed Parse(const QStringList& fileLines);

// What an indicator shows of an event line: its first 20 characters,
// trimmed; an empty caption hides the indicator.
QString IndicatorCaption(const QString& rest);
// The cause text of a code line: the rest, trimmed.
QString CauseText(const QString& rest);

}  // namespace EventTextsSection
