#pragma once
// The printouts as text lines, over plain data: the event printout from the
// lines of the event list, and the settings printout from the grid and the
// programming boxes. TForm1's printing handlers put these into RichEdit1.
//
// Text fields are right-aligned to their width and never cut: a longer text
// pushes the rest of its line to the right.

#include "app/FormControls.h"

#include <QString>
#include <QStringList>

namespace PrintoutLines {

// Three blanks and 74 dashes.
QString Rule();

// Two empty lines, then every line of the event list behind the margin.
QStringList EventPrintout(const QStringList& eventList);

// The margin, "WLT - nastawy " and the factory number as the caller padded it.
QString SettingsTitle(const QString& paddedFactoryNumber);

// One grid row: the margin, the row number in 2 (two blanks for row 0, the
// heading row), the name in 20, the value in 10 and the unit in 9.
QString GridRowLine(int row, const QString& name, const QString& value, const QString& unit);

// The settings table: an empty line, the title, an empty line, a rule,
// "Nastawy:", the 21 grid rows 0 to 20 as the grid shows them, a rule.
QStringList SettingsTable(const QString& paddedFactoryNumber, const TStringGrid& grid);

// The margin and "Zezwolenia:".
QString PermissionsHeading();

// One programming box: the margin, the box number, a blank, the caption in
// 20, then "  1" for a ticked box or "  0".
QString PermissionLine(int number, const QString& caption, bool checked);

}  // namespace PrintoutLines
