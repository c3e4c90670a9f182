#pragma once
// A serial device server reached over TCP: the connection carries the RTU
// frames unchanged, the server's own serial port has its line settings, so
// Configure keeps only the time-outs. Reads and writes keep the same
// time-outs a serial port does; a refused connection fails Open, a dropped
// one reads as a silent line. POSIX sockets and Winsock alike.

#include "mdbcomp/SerialLine.h"

#include <cstdint>
#include <string>

namespace TcpAddress {

// "tcp:HOST:PORT" (HOST a name, an IPv4 address or an IPv6 one in brackets;
// PORT 1..65535). False when the text is not that.
bool Parse(const std::string& text, std::string& host, std::uint16_t& port);
// The text names a TCP serial server ("tcp:" in front).
bool Names(const std::string& text);

}  // namespace TcpAddress

class TcpSerialLine : public SerialLine {
 public:
  // How long a connection may take to be made: a server that neither
  // accepts nor refuses is given up on after this.
  static constexpr std::uint32_t kConnectLimitMs = 2000;

  TcpSerialLine();
  ~TcpSerialLine() override;
  TcpSerialLine(const TcpSerialLine&) = delete;
  TcpSerialLine& operator=(const TcpSerialLine&) = delete;

  // portName: "COMn" mapped to "tcp:HOST:PORT", or that text itself.
  bool Open(const std::string& portName) override;
  std::string LastDevice() const override { return device_; }
  bool Configure(const LineSettings& settings) override;
  void Close() override;
  bool IsOpen() const override { return open_; }

  bool Purge() override;
  std::size_t Write(const std::uint8_t* data, std::size_t count) override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::size_t DiscardUntilQuiet(std::uint32_t quietMs, std::uint32_t limitMs) override;

 private:
  // Waits until the socket is readable (or writable) or deadlineMs (on the
  // steady clock, milliseconds) has passed. False at the deadline.
  bool WaitFor(bool write, std::int64_t deadlineMs);
  // A peer that closed or reset the connection: the line is silent for good.
  void Drop();

  std::intptr_t socket_ = -1;
  bool open_ = false;
  bool dropped_ = false;
  std::string device_;
  std::uint32_t readIntervalMs_ = 10;
  std::uint32_t readTotalMultiplierMs_ = 10;
  std::uint32_t readTotalConstantMs_ = 500;
  std::uint32_t writeTotalMultiplierMs_ = 1000;
  std::uint32_t writeTotalConstantMs_ = 1500;
};
