#pragma once
// The port box's list shows which device each port name opens
// ("COM1 → /dev/ttyUSB0"); the box itself keeps the bare name as its text,
// and its tool tip names the device of the port shown.

#include <QStringList>

#include <functional>
#include <vector>

class QComboBox;

namespace PortDevicesView {

// Adds the renderer that puts devices (one per item of box) into the box.
void Bind(QComboBox* box, const QStringList& devices, std::vector<std::function<void()>>& renderers);

}  // namespace PortDevicesView
