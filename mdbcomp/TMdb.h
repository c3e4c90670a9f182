#pragma once
// TMdb: owns one RS-232 port and runs Modbus RTU master transactions on it
// (function 3, read holding registers; function 6, write single register).
// Plain C++: no toolkit, no exceptions; outcomes are read from PortOpen(),
// Answered() and the Boolean results.

#include "LinkObserver.h"
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
  // The last request sent or built, with its CRC (8 bytes for both functions).
  const std::uint8_t* LastRequest() const { return lastRequest_; }

  SerialLine& Line() { return *line_; }

  // Waits for the line to be quiet when a reply may still be on its way to
  // a request nobody waits for any more: after a try that got no complete
  // answer, and on a port just opened (the program that used it before, or
  // this one before a reconnection, may have left a request unanswered). The
  // next transaction does it by itself; a caller may do it sooner.
  void SettleLine();

  // Bytes thrown away as a late reply before the last transaction's requests
  // (diagnostics: a controller answering after its time-out shows here).
  std::size_t LateBytesDiscarded() const { return lateBytesDiscarded_; }

  // The one watcher of the link (a monitor, a trace), or none (nullptr, the
  // default): told of every request, reply, failed try, late reply thrown
  // away and transaction end. Without one nothing is measured.
  void SetObserver(LinkObserver* observer) { observer_ = observer; }
  LinkObserver* Observer() const { return observer_; }

 private:
  bool ConfigurePort();
  void Fire(const TNotifyEvent& event);
  // Waits out a reply that may still be on its way to a try that failed, so
  // that it cannot be taken as the answer to the next request.
  // Returns the count of bytes thrown away.
  std::size_t DiscardLateReply();
  // A complete reply of the addressed slave to the function asked: the
  // frame itself or its exception (function plus 128). Nothing more of it
  // can still come.
  bool CompleteAnswer(std::uint8_t slave, std::uint8_t function, std::size_t length) const;

  std::unique_ptr<SerialLine> line_;
  bool portOpen_ = false;
  bool answered_ = false;
  std::uint8_t lastReply_[kReplyBufferSize] = {};
  std::size_t lastReplyLength_ = 0;
  std::uint8_t lastRequest_[8] = {};
  // The last try ended without a complete answer: the controller may still be
  // sending one.
  bool lateReplyPossible_ = false;
  std::size_t lateBytesDiscarded_ = 0;
  LinkObserver* observer_ = nullptr;
  // Tells the observer how a try ended and of a late reply thrown away.
  void ReportTry(const std::uint8_t* request, std::size_t requestLength, const std::uint8_t* reply,
                 std::size_t received, bool crcOk, unsigned tryNumber, std::uint32_t elapsedUs,
                 LinkEvent& last);
  void ReportDiscarded(std::size_t discarded, const std::uint8_t* request, std::size_t requestLength);
};
