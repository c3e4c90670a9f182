#pragma once
// The window's settings as a write would send them, and the names the
// window shows for them: what the compare with the controller and the check
// after a write set against the controller's block.

#include "settings/SettingsDiff.h"

#include <optional>

class TForm1;

namespace SettingsCompare {

// The grid's row names and the boxes' captions, as the window shows them.
SettingsDiff::Names ShownNames(const TForm1& form);

// base with the timing words converted from the grid as GridToImage does and
// the programming words built from the boxes as CheckBoxesToImage does. Empty
// at the first grid value that is not an integer (or no register value).
// The window's image is left as it is.
std::optional<SettingsDiff::Image> WindowImage(const TForm1& form, const SettingsDiff::Image& base);

}  // namespace SettingsCompare
