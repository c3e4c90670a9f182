// Which serial devices the search tries.

#include "mdbcomp/PortMap.h"
#include "mdbcomp/PortSearch.h"

#include <algorithm>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#ifdef __linux__
#include <linux/serial.h>
#include <sys/sysmacros.h>
#endif
#endif

namespace SerialDevices {

std::vector<std::string> Distinct(const std::vector<std::string>& candidates,
                                  const std::function<std::string(const std::string&)>& identity) {
  std::vector<std::string> devices;
  std::set<std::string> seen;
  for (const std::string& name : candidates) {
    const std::string id = identity(name);
    if (id.empty() || !seen.insert(id).second) continue;
    devices.push_back(name);
  }
  return devices;
}

#ifdef _WIN32

std::vector<std::string> List() {
  std::vector<std::string> devices;
  for (int n = 1; n <= 256; ++n) {
    const std::string name = "COM" + std::to_string(n);
    // Ports above COM9 open only by their device name.
    std::string device = n <= 4 ? PortMap::Resolve(name) : name;
    if (device.compare(0, 4, "tcp:") != 0 && device.compare(0, 4, "\\\\.\\") != 0 && n > 9)
      device = "\\\\.\\" + device;
    if (device.compare(0, 4, "tcp:") == 0) {
      devices.push_back(device);
      continue;
    }
    // A port is there when it opens; one held by another program is not
    // ours to search.
    const HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) continue;
    CloseHandle(handle);
    devices.push_back(device);
  }
  return Distinct(devices, [](const std::string& name) { return name; });
}

#else

namespace {

// The names in folder starting with prefix, sorted, with the folder in front.
std::vector<std::string> Names(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(folder + "/" + name);
    }
    closedir(dir);
  }
  // ttyUSB2 before ttyUSB10.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  return names;
}

// A built-in serial port the kernel lists whether a UART is there or not:
// one without a UART can carry nothing.
bool PlaceholderPort(const std::string& path) {
#if defined(__linux__) && defined(TIOCGSERIAL)
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode) || major(st.st_rdev) != 4) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;  // the search's own open says why
  serial_struct serial {};
  const bool placeholder = ioctl(fd, TIOCGSERIAL, &serial) == 0 && serial.type == PORT_UNKNOWN;
  ::close(fd);
  return placeholder;
#else
  (void)path;
  return false;
#endif
}

}  // namespace

std::vector<std::string> List() {
  std::vector<std::string> candidates;
  for (int n = 1; n <= 4; ++n) candidates.push_back(PortMap::Resolve("COM" + std::to_string(n)));
  for (const std::string& name : Names("/dev/serial/by-id", "")) candidates.push_back(name);
  for (const std::string& name : Names("/dev", "ttyUSB")) candidates.push_back(name);
  for (const std::string& name : Names("/dev", "ttyACM")) candidates.push_back(name);
  return Distinct(candidates, [](const std::string& name) -> std::string {
    if (name.compare(0, 4, "tcp:") == 0) return name;
    char resolved[PATH_MAX];
    if (!realpath(name.c_str(), resolved)) return {};  // no such device
    if (PlaceholderPort(resolved)) return {};
    return resolved;
  });
}

#endif

}  // namespace SerialDevices
