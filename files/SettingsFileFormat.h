#pragma once
// The settings text file, apart from the window: the header and settings
// section, the permissions section (the event-texts section that closes the
// file is EventTextsSection's) and the reading of both sections.
//
// Fields are right-aligned in fixed widths and never cut on writing; the
// reader cuts the rest of a numbered line at the same widths.

#include "files/NumberedLines.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace SettingsFileFormat {

inline const QString kSettingsHeading = QStringLiteral("Nastawy:");
inline const QString kPermissionsHeading = QStringLiteral("Zezwolenia:");
// Some description files head their permissions "Blokady:"; the writer never does.
inline const QString kBlocksHeading = QStringLiteral("Blokady:");
// What ends the permissions section: the writer's terminator carries it.
inline const QString kSectionEnd = QStringLiteral("-------");

constexpr int kGridRows = 21;  // row 0 the heading row, rows 1..20 the settings
constexpr int kGridColumns = 3;
constexpr int kNameWidth = 20;
constexpr int kValueWidth = 10;
constexpr int kUnitWidth = 9;
constexpr int kCaptionWidth = 20;
constexpr int kStateWidth = 10;  // what the reader takes of a check-box state
constexpr int kFirstBox = 801;
constexpr int kLastBox = 910;

using Grid = std::array<std::array<QString, kGridColumns>, kGridRows>;  // [row][column]

// "WLT - nastawy 007": the first line of the file and the window caption.
QString TitleLine(const QString& paddedNumber);
QString FrameLine();       // 52 "-"
QString TerminatorLine();  // "0 " and 55 "-"

// Parts 1 and 2 of the file: title, empty line, frame, "Nastawy:", the 21
// grid rows and the closing frame.
QStringList HeaderAndSettingsLines(const QString& paddedNumber, const Grid& grid);
// One grid row: the row field ("  " for row 0, else the number in width 2),
// then name, value and unit in widths 20, 10 and 9.
QString GridRowLine(int row, const QString& name, const QString& value, const QString& unit);
// One permissions line: the number, the caption in width 20, "  1" or "  0".
QString CheckBoxLine(int number, const QString& caption, bool checked);

struct Section {
  bool ok = false;  // heading found and every number readable
  // The numbered lines that address something (grid rows 1..20, boxes
  // 801..910), in file order, up to an unreadable number.
  std::vector<NumberedLines::Line> lines;
};

// "Nastawy:", the heading row skipped, then twenty numbered lines.
Section ParseSettingsSection(const QStringList& fileLines);
// "Zezwolenia:" or "Blokady:", then numbered lines up to the end of the file
// or a rest containing "-------".
Section ParsePermissionsSection(const QStringList& fileLines);

// The three cells of a settings line's rest, each with leading blanks removed.
struct GridCells {
  QString name, value, unit;
};
GridCells GridRowCells(const QString& rest);

// A permissions line's rest: the caption (first 20 characters, leading
// blanks removed) and the state (characters 21 to 30 as an integer, none
// when they do not convert).
QString CheckBoxCaption(const QString& rest);
std::optional<int> CheckBoxState(const QString& rest);

}  // namespace SettingsFileFormat
