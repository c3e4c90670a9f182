#include "mdbcomp/PortMap.h"

#include <map>

namespace {

std::map<std::string, std::string>& Mappings() {
  static std::map<std::string, std::string> mappings;
  return mappings;
}

// 1..9 for "COM1".."COM9", 0 for anything else.
int PortNumber(const std::string& portName) {
  if (portName.size() != 4 || portName.compare(0, 3, "COM") != 0) return 0;
  const char digit = portName[3];
  return digit >= '1' && digit <= '9' ? digit - '0' : 0;
}

}  // namespace

namespace PortMap {

void Set(const std::string& portName, const std::string& devicePath) {
  Mappings()[portName] = devicePath;
}

bool SetFromOption(const std::string& option) {
  const auto eq = option.find('=');
  if (eq == std::string::npos) return false;
  const std::string name = option.substr(0, eq);
  const std::string path = option.substr(eq + 1);
  if (PortNumber(name) == 0 || path.empty()) return false;
  Set(name, path);
  return true;
}

std::string Resolve(const std::string& portName) {
  const auto& mappings = Mappings();
  if (const auto it = mappings.find(portName); it != mappings.end()) return it->second;
#ifdef _WIN32
  return portName;  // Windows opens "COM1" ... "COM9" by name
#else
  const int number = PortNumber(portName);
  if (number == 0) return portName;
  return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

void Clear() { Mappings().clear(); }

}  // namespace PortMap
