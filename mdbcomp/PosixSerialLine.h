#pragma once
// The serial line on Linux/POSIX: termios, with the read and write time-outs
// kept by poll() deadlines to the millisecond.

#include "mdbcomp/SerialLine.h"

#include <cstddef>
#include <cstdint>
#include <string>

class PosixSerialLine : public SerialLine {
 public:
  PosixSerialLine() = default;
  ~PosixSerialLine() override;
  PosixSerialLine(const PosixSerialLine&) = delete;
  PosixSerialLine& operator=(const PosixSerialLine&) = delete;

  // portName is "COM1".."COM9" (mapped through PortMap) or a device path.
  bool Open(const std::string& portName) override;
  bool Configure(const LineSettings& settings) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }

  bool Purge() override;
  std::size_t Write(const std::uint8_t* data, std::size_t count) override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) override;

  // True when the open device is the slave side of a pseudo-terminal.
  bool IsPseudoTerminal() const { return pseudoTerminal_; }
  // The device path the last Open resolved the port name to.
  const std::string& DevicePath() const { return devicePath_; }
  OpenFailure LastOpenFailure() const override { return openFailure_; }
  std::string LastDevice() const override { return devicePath_; }

 private:
  bool ApplyTermios(const LineSettings& settings);
  bool ApplyCustomBitRate(std::uint32_t bitRate);
  bool HoldModemLinesInactive();
  void AskForLowLatency();

  int fd_ = -1;
  bool pseudoTerminal_ = false;
  std::string devicePath_;
  OpenFailure openFailure_ = OpenFailure::None;
  std::uint32_t readIntervalMs_ = 10;
  std::uint32_t readTotalMultiplierMs_ = 10;
  std::uint32_t readTotalConstantMs_ = 500;
  std::uint32_t writeTotalMultiplierMs_ = 1000;
  std::uint32_t writeTotalConstantMs_ = 1500;
};
