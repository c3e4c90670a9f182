#pragma once
// Which device a port name ("COM1" ... "COM9") opens. On Windows the name is
// the device. On Linux COMn is /dev/ttyS(n-1) unless the command line mapped
// it elsewhere (--port COM1=/dev/ttyUSB0). One map for the whole process.

#include <string>

namespace PortMap {

// Maps a port name to a device path, replacing an earlier mapping.
void Set(const std::string& portName, const std::string& devicePath);
// Parses "COMn=PATH"; false (and nothing changed) when the text is not that.
bool SetFromOption(const std::string& option);
// The device path for a port name: the mapping, or the platform default.
std::string Resolve(const std::string& portName);
// Forgets every mapping (tests).
void Clear();

}  // namespace PortMap
