#pragma once
// Conversions between the window's own notations and Qt's: file dialog
// filters and key codes.

#include <QString>
#include <QStringList>

namespace ViewConversions {

// A filter in the window's notation, pairs of description and patterns
// separated by "|" ("Text files (*.txt)|*.TXT"), as Qt name filters
// ("Text files (*.txt *.TXT)"). The patterns are matched on disk in both
// cases, as the file system of the original platform does, so a file
// "a.txt" is offered for the pattern "*.TXT". A description without
// patterns gets "*".
QStringList QtNameFilters(const QString& filter);

// The key code a handler knows for a Qt key (13 for Enter, 38 for the up
// arrow, 65 for A ...), or 0 for a key it has no code for.
int WindowsKeyCode(int qtKey);

}  // namespace ViewConversions
