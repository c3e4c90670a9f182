#pragma once
// What write-settings writes. The window writes what its controls show, and
// the engineer has seen them; a command writes blind. So a settings file
// changes only what it gives: the grid rows without a value in the file and
// the boxes without a state keep what the controller holds, and the command
// lists the changes before anything is written.

#include "settings/SettingsDiff.h"

class TForm1;

namespace WriteSettingsPlan {

// Sets the grid rows and the programming boxes the settings file loaded
// last did not give to what held, the block read from the controller at
// connection, says.
void KeepControllerValues(TForm1& form, const SettingsDiff::Image& held);

// The grid's row names and the boxes' captions, as the window shows them.
SettingsDiff::Names ShownNames(const TForm1& form);

// The factory number in a block read from the controller (register 898).
int FactoryNumber(const SettingsDiff::Image& held);

}  // namespace WriteSettingsPlan
