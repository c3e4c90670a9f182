#pragma once
// The fixed catalogue of the controller's settings: the 20 timing settings of
// the grid (rows 1 to 20, register 900 + row) and the default captions of the
// 110 programming bits (CheckBox801 to CheckBox910).

#include <QString>

namespace SettingsCatalogue {

constexpr int kTimingRows = 20;
constexpr int kFirstProgramBox = 801;
constexpr int kLastProgramBox = 910;
constexpr int kProgramBoxes = kLastProgramBox - kFirstProgramBox + 1;  // 110

// Name (column 0) and unit (column 2) of grid row 1..20; empty outside.
QString TimingName(int row);
QString TimingUnit(int row);

// Default caption of check box 801..910; empty outside.
QString DefaultCaption(int box);

}  // namespace SettingsCatalogue
