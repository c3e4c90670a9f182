#pragma once
// The program's icon: the desktop entry's own picture
// (package/wlt-nastawy.svg, built into the program), for the window and its
// dialogs. Empty where the program was built without QtSvg.

#include <QIcon>

namespace ApplicationIcon {

QIcon Make();

}  // namespace ApplicationIcon
