#pragma once
// The header texts of the events' CSV table and the export's status texts.

#include <QString>

namespace EventCsvTexts {

inline const QString Number = QStringLiteral("Nr");
inline const QString Date = QStringLiteral("Data");
inline const QString Time = QStringLiteral("Czas");
inline const QString Causes = QStringLiteral("Przyczyny");
// An indicator without a caption, by its number 1..160.
inline const QString UnnamedState = QStringLiteral("Stan %1");
// Status panel 1 after a failed export, as after a failed event file save.
inline const QString WriteError = QStringLiteral("Błąd zapisu");

}  // namespace EventCsvTexts
