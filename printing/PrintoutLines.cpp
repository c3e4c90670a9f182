#include "printing/PrintoutLines.h"

#include "printing/PrintoutTexts.h"

#include <algorithm>

namespace {

// "%*s": right-aligned to width, never cut.
QString Field(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' '), false); }

}  // namespace

namespace PrintoutLines {

QString Rule() { return PrintoutTexts::Margin + QString(PrintoutTexts::kRuleWidth, QLatin1Char('-')); }

QStringList EventPrintout(const QStringList& eventList) {
  QStringList lines{QString(), QString()};
  lines.reserve(eventList.size() + 2);
  for (const QString& line : eventList) lines << PrintoutTexts::Margin + line;
  return lines;
}

QString SettingsTitle(const QString& paddedFactoryNumber) {
  return PrintoutTexts::Margin + PrintoutTexts::SettingsTitle + paddedFactoryNumber;
}

QString GridRowLine(int row, const QString& name, const QString& value, const QString& unit) {
  const QString number = row == 0 ? QStringLiteral("  ") : Field(QString::number(row), 2);
  return PrintoutTexts::Margin + number + Field(name, 20) + Field(value, 10) + Field(unit, 9);
}

QStringList SettingsTable(const QString& paddedFactoryNumber, const TStringGrid& grid) {
  QStringList lines{QString(), SettingsTitle(paddedFactoryNumber), QString(), Rule(),
                    PrintoutTexts::Margin + PrintoutTexts::SettingsHeading};
  // The grid always has its 21 rows and 3 columns; a smaller one prints what it has.
  const int rows = std::min(grid.RowCount, 21);
  if (grid.ColCount >= 3) {
    for (int row = 0; row < rows; ++row)
      lines << GridRowLine(row, grid.Cells(0, row), grid.Cells(1, row), grid.Cells(2, row));
  }
  lines << Rule();
  return lines;
}

QString PermissionsHeading() { return PrintoutTexts::Margin + PrintoutTexts::PermissionsHeading; }

QString PermissionLine(int number, const QString& caption, bool checked) {
  return PrintoutTexts::Margin + QString::number(number) + QLatin1Char(' ') + Field(caption, 20) +
         (checked ? PrintoutTexts::Checked : PrintoutTexts::Unchecked);
}

}  // namespace PrintoutLines
