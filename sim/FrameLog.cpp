#include "FrameLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace wltsim {

FrameLog::~FrameLog() {
  if (fd_ >= 0) ::close(fd_);
}

bool FrameLog::Open(const std::string& path, std::string& error) {
  if (path.empty()) return true;
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    error = "cannot open log " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::string FrameLog::Timestamp(const timespec& when) {
  time_t seconds = when.tv_sec;
  tm local{};
  localtime_r(&seconds, &local);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03ld", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, when.tv_nsec / 1000000);
  return text;
}

void FrameLog::Write(const char* direction, const Frame& frame, const timespec& when) {
  if (fd_ < 0) return;
  std::string line = Timestamp(when) + " " + direction + " " + HexBytes(frame.data(), frame.size()) + "\n";
  size_t done = 0;
  while (done < line.size()) {
    ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace wltsim
