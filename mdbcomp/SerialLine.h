#pragma once
// The operating system's serial port as TMdb sees it. One implementation per
// platform (POSIX termios, Win32) and an in-memory fake for unit tests.

#include "MdbTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Everything ConfigurePort applies to a freshly opened port, in one block.
struct LineSettings {
  std::uint32_t BitRate = 9600;
  std::uint8_t DataBits = 8;
  TParity Parity = prOdd;
  TStopBits StopBits = sbOneStopBit;
  // A read returns when the count has arrived, ReadIntervalMs after the last
  // byte, or at ReadTotalConstantMs + ReadTotalMultiplierMs per requested byte.
  std::uint32_t ReadIntervalMs = 10;
  std::uint32_t ReadTotalMultiplierMs = 10;
  std::uint32_t ReadTotalConstantMs = 500;
  std::uint32_t WriteTotalMultiplierMs = 1000;
  std::uint32_t WriteTotalConstantMs = 1500;
  std::uint32_t InputQueueSize = 4096;
  std::uint32_t OutputQueueSize = 4096;
};

class SerialLine {
 public:
  virtual ~SerialLine() = default;

  // Opens the named port exclusively. False: no such port, or it is held.
  virtual bool Open(const std::string& portName) = 0;
  // Why the last Open failed, where the system tells: a user without the
  // right to the device can be told so instead of only "unavailable".
  enum class OpenFailure { None, AccessDenied, Other };
  virtual OpenFailure LastOpenFailure() const { return OpenFailure::None; }
  // The device the last Open tried (a path where port names are mapped to
  // devices); empty where the port name itself is the device.
  virtual std::string LastDevice() const { return {}; }
  // Applies line settings, time-outs and queue sizes, in that order. False on
  // the first refused step; the caller then closes the line.
  virtual bool Configure(const LineSettings& settings) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Discards both queues. Fails at once on a closed line.
  virtual bool Purge() = 0;
  // Synchronous write; returns the count written (0 on a closed line).
  virtual std::size_t Write(const std::uint8_t* data, std::size_t count) = 0;
  // Synchronous read of at most count bytes under the configured time-outs;
  // returns the count read (0 on a closed line or a silent one).
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
  // Reads and throws away whatever arrives until the line has been quiet for
  // quietMs, but never longer than limitMs in all (a line that never falls
  // silent must not hold the caller for ever). Returns the count of bytes
  // thrown away; a closed line returns 0 at once. A line on which nothing can
  // arrive late (an in-memory one) need not wait.
  virtual std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) {
    (void)quietMs;
    (void)limitMs;
    return 0;
  }
};

// The line the programs use: a port name mapped to "tcp:HOST:PORT" reaches
// a TCP serial server, every other one the serial port of the platform.
std::unique_ptr<SerialLine> MakeSystemSerialLine();
// The serial port of the platform this program was built for, alone.
std::unique_ptr<SerialLine> MakePlatformSerialLine();
