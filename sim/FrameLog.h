// The frame log: one line per frame, "<local ISO time with ms> RX|TX <hex bytes>".
#pragma once

#include <ctime>
#include <string>

#include "WireCodes.h"

namespace wltsim {

class FrameLog {
 public:
  FrameLog() = default;
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // Opens the file for appending (so a reader may truncate it meanwhile). An
  // empty path means no log.
  bool Open(const std::string& path, std::string& error);

  // Writes one line in one write(), so a reader never sees half a line.
  void Write(const char* direction, const Frame& frame, const timespec& when);

  static std::string Timestamp(const timespec& when);

 private:
  int fd_ = -1;
};

}  // namespace wltsim
