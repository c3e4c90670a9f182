#pragma once
// TMdb: owns one RS-232 port and runs Modbus RTU master transactions on it
// (function 3, read holding registers; function 6, write single register).
// Plain C++: no toolkit, no exceptions; outcomes are read from PortOpen(),
// Answered() and the Boolean results.

#include "MdbTypes.h"
#include "SerialLine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMdb {
 public:
  using TNotifyEvent = std::function<void(TMdb* Sender)>;

  // The reply buffer holds the longest reply: 125 registers.
  static constexpr std::size_t kReplyBufferSize = 2 * 125 + 7;

  TMdb();  // on the platform's serial line
  explicit TMdb(std::unique_ptr<SerialLine> line);
  ~TMdb();  // detaches the events, then closes the port
  TMdb(const TMdb&) = delete;
  TMdb& operator=(const TMdb&) = delete;

  // Published properties, in their stored order. Plain fields: a change of
  // the line settings takes effect at the next OpenPort.
  TBaudRate BaudRate = br9600;
  TPortType Port = COM1;
  TParity Parity = prOdd;
  TStopBits StopBits = sbOneStopBit;
  bool EnableDTR = false;  // stored only: DTR is always held inactive
  bool EnableRTS = false;  // stored only: RTS is always held inactive
  std::uint8_t RepeatCount = 3;
  std::uint16_t ResponseTime = 500;
  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;
  TNotifyEvent OnShowSt;

  void OpenPort();
  void ClosePort();
  bool PortOpen() const { return portOpen_; }
  bool Answered() const { return answered_; }

  // Reads count (1..125) registers from register number first (numbered from
  // 1). values is written only on success.
  bool ReadRegisters(std::uint8_t slave, std::uint16_t first, std::uint16_t count,
                     std::uint16_t* values);
  bool WriteRegister(std::uint8_t slave, std::uint16_t reg, std::uint16_t value);

  // The device name for Port: "COM1" ... "COM9".
  std::string PortName() const;
  static std::uint16_t Crc16(const std::uint8_t* data, std::size_t length);

  // One transaction: CRC, purge, write, read, with RepeatCount tries.
  // request must have room for length + 2 bytes; reply for dataSize + 5.
  bool Transact(std::uint8_t* request, std::size_t length, std::size_t dataSize,
                std::uint8_t* reply);

  // The bytes received by the last try of the last transaction (diagnostics
  // for the command-line tool: exception code, wrong slave...).
  const std::uint8_t* LastReply() const { return lastReply_; }
  std::size_t LastReplyLength() const { return lastReplyLength_; }

  SerialLine& Line() { return *line_; }

 private:
  bool ConfigurePort();
  void Fire(const TNotifyEvent& event);

  std::unique_ptr<SerialLine> line_;
  bool portOpen_ = false;
  bool answered_ = false;
  std::uint8_t lastReply_[kReplyBufferSize] = {};
  std::size_t lastReplyLength_ = 0;
};
