#pragma once
// Fonts of the window. The controls were designed for "MS Sans Serif" 8 pt
// and the event list for "Courier New" 10 pt; where those are not installed
// the closest installed family stands in (Liberation fonts share the metrics
// of the common Windows faces).

#include <QFont>
#include <QString>

namespace ViewFonts {

// The window's default font: "MS Sans Serif" or the closest sans family.
QFont WindowFont(int pointSize = 8);
// A fixed-pitch font: "Courier New" or the closest fixed-pitch family.
QFont FixedFont(int pointSize = 10);
// The small font of the system-signal group: "Arial" or its stand-in.
QFont ArialFont(int pointSize);

}  // namespace ViewFonts
