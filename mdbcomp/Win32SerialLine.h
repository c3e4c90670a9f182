#pragma once
// The serial line on Windows: a COMn device opened with CreateFileA and used
// with synchronous ReadFile/WriteFile under the driver's COMMTIMEOUTS.

#include "SerialLine.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

class Win32SerialLine final : public SerialLine {
 public:
  Win32SerialLine() = default;
  ~Win32SerialLine() override;
  Win32SerialLine(const Win32SerialLine&) = delete;
  Win32SerialLine& operator=(const Win32SerialLine&) = delete;

  bool Open(const std::string& portName) override;
  bool Configure(const LineSettings& settings) override;
  void Close() override;
  bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

  bool Purge() override;
  std::size_t Write(const std::uint8_t* data, std::size_t count) override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) override;

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
