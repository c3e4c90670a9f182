#include "files/SettingsFileFormat.h"

namespace SettingsFileFormat {
namespace {

QString Right(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' ')); }

}  // namespace

QString TitleLine(const QString& paddedNumber) { return QStringLiteral("WLT - nastawy ") + paddedNumber; }

QString FrameLine() { return QString(52, QLatin1Char('-')); }

QString TerminatorLine() { return QStringLiteral("0 ") + QString(55, QLatin1Char('-')); }

QString GridRowLine(int row, const QString& name, const QString& value, const QString& unit) {
  const QString rowField = row == 0 ? QStringLiteral("  ") : Right(QString::number(row), 2);
  return rowField + Right(name, kNameWidth) + Right(value, kValueWidth) + Right(unit, kUnitWidth);
}

QStringList HeaderAndSettingsLines(const QString& paddedNumber, const Grid& grid) {
  QStringList lines{TitleLine(paddedNumber), QString(), FrameLine(), kSettingsHeading};
  for (int row = 0; row < kGridRows; ++row) {
    const auto& cells = grid[std::size_t(row)];
    lines << GridRowLine(row, cells[0], cells[1], cells[2]);
  }
  lines << FrameLine();
  return lines;
}

QString CheckBoxLine(int number, const QString& caption, bool checked) {
  return QString::number(number) + Right(caption, kCaptionWidth) +
         (checked ? QStringLiteral("  1") : QStringLiteral("  0"));
}

Section ParseSettingsSection(const QStringList& fileLines) {
  Section section;
  NumberedLines::Reader reader(fileLines);
  if (!reader.FindHeading({kSettingsHeading})) return section;
  reader.SkipLine();  // the heading row
  for (int i = 0; i < kGridRows - 1; ++i) {
    NumberedLines::Line line;
    if (!reader.Read(line)) return section;
    // A row outside 1..20 (also the 0 of a section cut short) has no cells.
    if (line.number >= 1 && line.number < kGridRows) section.lines.push_back(std::move(line));
  }
  section.ok = true;
  return section;
}

Section ParsePermissionsSection(const QStringList& fileLines) {
  Section section;
  NumberedLines::Reader reader(fileLines);
  if (!reader.FindHeading({kPermissionsHeading, kBlocksHeading})) return section;
  do {
    NumberedLines::Line line;
    if (!reader.Read(line)) return section;
    if (line.rest.contains(kSectionEnd)) break;
    if (line.number >= kFirstBox && line.number <= kLastBox) section.lines.push_back(std::move(line));
  } while (!reader.AtEnd());
  section.ok = true;
  return section;
}

GridCells GridRowCells(const QString& rest) {
  return {NumberedLines::TrimLeft(rest.mid(0, kNameWidth)),
          NumberedLines::TrimLeft(rest.mid(kNameWidth, kValueWidth)),
          NumberedLines::TrimLeft(rest.mid(kNameWidth + kValueWidth, kUnitWidth))};
}

QString CheckBoxCaption(const QString& rest) { return NumberedLines::TrimLeft(rest.mid(0, kCaptionWidth)); }

std::optional<int> CheckBoxState(const QString& rest) {
  return NumberedLines::FieldToInt(rest.mid(kCaptionWidth, kStateWidth));
}

}  // namespace SettingsFileFormat
