#pragma once
// The texts and the fixed look of the two printouts: the settings with the
// programming permissions, and the event list.

#include <QString>

namespace PrintoutTexts {

// Every printed line that is not empty begins with this left margin.
inline const QString Margin = QStringLiteral("   ");
inline const QString SettingsTitle = QStringLiteral("WLT - nastawy ");
inline const QString SettingsHeading = QStringLiteral("Nastawy:");
inline const QString PermissionsHeading = QStringLiteral("Zezwolenia:");
inline const QString Checked = QStringLiteral("  1");
inline const QString Unchecked = QStringLiteral("  0");
constexpr int kRuleWidth = 74;  // dashes of the frame lines

// Each copy is a print job of its own under this title.
inline const QString DocumentTitle = QStringLiteral("WLT");
// The font of the printouts' buffer: fixed pitch, 13 pixels high on the screen.
inline const QString FontFamily = QStringLiteral("Courier New");
constexpr int kPointSize = 10;

}  // namespace PrintoutTexts
