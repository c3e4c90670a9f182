#include "mdbcomp/TMdb.h"

#include "mdbcomp/ReplyCheck.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr std::uint8_t kReadHoldingRegisters = 3;
constexpr std::uint8_t kWriteSingleRegister = 6;
constexpr std::uint16_t kMaxReadCount = 125;

using MonitorClock = std::chrono::steady_clock;

std::uint32_t MicrosecondsSince(MonitorClock::time_point start) {
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(MonitorClock::now() - start).count();
  return us <= 0 ? 0u : static_cast<std::uint32_t>(std::min<long long>(us, 0xFFFFFFFFLL));
}

// Slave, function, two 16-bit fields big-endian: the body of every request.
void BuildRequest(std::uint8_t* request, std::uint8_t slave, std::uint8_t function,
                  std::uint16_t field1, std::uint16_t field2) {
  request[0] = slave;
  request[1] = function;
  request[2] = static_cast<std::uint8_t>(field1 >> 8);
  request[3] = static_cast<std::uint8_t>(field1 & 0xFF);
  request[4] = static_cast<std::uint8_t>(field2 >> 8);
  request[5] = static_cast<std::uint8_t>(field2 & 0xFF);
}

}  // namespace

TMdb::TMdb() : TMdb(MakeSystemSerialLine()) {}

TMdb::TMdb(std::unique_ptr<SerialLine> line) : line_(std::move(line)) {}

TMdb::~TMdb() {
  // No handler may run while the component goes away.
  OnOpen = nullptr;
  OnClose = nullptr;
  OnShowSt = nullptr;
  ClosePort();
}

std::string TMdb::PortName() const {
  const unsigned ordinal = static_cast<unsigned>(Port);
  return "COM" + std::to_string(ordinal + 1);
}

void TMdb::Fire(const TNotifyEvent& event) {
  if (event) event(this);
}

void TMdb::OpenPort() {
  ClosePort();
  if (!line_ || !line_->Open(PortName())) return;  // no such port, or held: no event
  ConfigurePort();
  lateReplyPossible_ = portOpen_;
  Fire(OnOpen);
  Fire(OnShowSt);
}

bool TMdb::ConfigurePort() {
  LineSettings settings;
  settings.BitRate = BaudRateValue(BaudRate);
  settings.DataBits = 8;
  settings.Parity = Parity;
  settings.StopBits = StopBits;
  settings.ReadIntervalMs = 10;
  settings.ReadTotalMultiplierMs = 10;
  settings.ReadTotalConstantMs = ResponseTime;
  settings.WriteTotalMultiplierMs = 1000;
  settings.WriteTotalConstantMs = 1500;
  settings.InputQueueSize = 4096;
  settings.OutputQueueSize = 4096;
  if (!line_->Configure(settings)) {
    // The handle is released so that the next OpenPort can take the port.
    line_->Close();
    portOpen_ = false;
    return false;
  }
  portOpen_ = true;
  return true;
}

void TMdb::ClosePort() {
  if (!portOpen_) return;
  line_->Close();
  portOpen_ = false;
  Fire(OnClose);
  Fire(OnShowSt);
}

std::uint16_t TMdb::Crc16(const std::uint8_t* data, std::size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      const bool carry = (crc & 1) != 0;
      crc >>= 1;
      if (carry) crc ^= 0xA001;
    }
  }
  return crc;
}

bool TMdb::Transact(std::uint8_t* request, std::size_t length, std::size_t dataSize,
                    std::uint8_t* reply) {
  const std::uint16_t crc = Crc16(request, length);
  request[length] = static_cast<std::uint8_t>(crc & 0xFF);
  request[length + 1] = static_cast<std::uint8_t>(crc >> 8);
  std::memcpy(lastRequest_, request, std::min(length + 2, sizeof lastRequest_));

  const std::size_t replyCapacity = dataSize + 5;
  bool ok = false;
  unsigned tries = 0;
  lastReplyLength_ = 0;
  lateBytesDiscarded_ = 0;
  LinkEvent last;  // the observer's: how the last try ended
  do {
    std::size_t received = 0;
    MonitorClock::time_point sent;
    // Without an open port there is no handle to touch: the try fails at once.
    if (portOpen_) {
      if (lateReplyPossible_) ReportDiscarded(DiscardLateReply(), request, length + 2);
      line_->Purge();
      if (observer_) {
        LinkEvent event;
        event.What = LinkEvent::Kind::RequestSent;
        event.Request = request;
        event.RequestLength = length + 2;
        event.Try = tries + 1;
        event.Tries = std::max<unsigned>(1, RepeatCount);
        observer_->OnLinkEvent(event);
        sent = MonitorClock::now();
      }
      line_->Write(request, length + 2);
      received = line_->Read(reply, replyCapacity);
    }
    lastReplyLength_ = std::min(received, kReplyBufferSize);
    std::memcpy(lastReply_, reply, lastReplyLength_);
    ok = received > 0 && Crc16(reply, received) == 0;
    if (observer_)
      ReportTry(request, length + 2, reply, received, ok, tries + 1, portOpen_ ? MicrosecondsSince(sent) : 0, last);
    // A try that got nothing whole may still be answered after its time-out.
    if (!ok && portOpen_) lateReplyPossible_ = true;
    ++tries;
  } while (!ok && tries < RepeatCount);

  answered_ = ok;
  if (observer_) {
    last.What = LinkEvent::Kind::TransactionEnded;
    last.Result = last.Verdict == ReplyVerdict::Accepted;
    observer_->OnLinkEvent(last);
  }
  Fire(OnShowSt);
  return ok;
}

void TMdb::ReportTry(const std::uint8_t* request, std::size_t requestLength, const std::uint8_t* reply,
                     std::size_t received, bool crcOk, unsigned tryNumber, std::uint32_t elapsedUs,
                     LinkEvent& last) {
  LinkEvent event;
  event.Request = request;
  event.RequestLength = requestLength;
  event.Reply = reply;
  event.ReplyLength = received;
  event.Try = tryNumber;
  event.Tries = std::max<unsigned>(1, RepeatCount);
  event.ElapsedUs = elapsedUs;
  event.Verdict = portOpen_ ? ReplyCheck::Judge(request, reply, received, crcOk, event.ExceptionCode)
                            : ReplyVerdict::PortClosed;
  if (received > 0) {
    event.What = LinkEvent::Kind::ReplyReceived;
    observer_->OnLinkEvent(event);
  }
  if (event.Verdict != ReplyVerdict::Accepted) {
    event.What = LinkEvent::Kind::TryFailed;
    observer_->OnLinkEvent(event);
  }
  last = event;
}

void TMdb::ReportDiscarded(std::size_t discarded, const std::uint8_t* request, std::size_t requestLength) {
  if (!observer_ || discarded == 0) return;
  LinkEvent event;
  event.What = LinkEvent::Kind::LateReplyDiscarded;
  event.Request = request;
  event.RequestLength = requestLength;
  event.Discarded = discarded;
  observer_->OnLinkEvent(event);
}

void TMdb::SettleLine() {
  if (portOpen_ && lateReplyPossible_) ReportDiscarded(DiscardLateReply(), nullptr, 0);
}

std::size_t TMdb::DiscardLateReply() {
  // The purge before a request only clears what has already arrived: a
  // controller that answers a little after the time-out would land its reply
  // in the next request's read. So the line must first be quiet for as long
  // again as a reply is waited for; a line that keeps talking is given up on
  // after twice that plus the wire time of the longest frame at 2400 bit/s.
  const std::uint32_t quiet = ResponseTime;
  const std::uint32_t limit = 2u * ResponseTime + 10u * kReplyBufferSize;
  const std::size_t discarded = line_->DiscardUntilQuiet(quiet, limit);
  lateBytesDiscarded_ += discarded;
  lateReplyPossible_ = false;
  return discarded;
}

bool TMdb::CompleteAnswer(std::uint8_t slave, std::uint8_t function, std::size_t length) const {
  if (lastReplyLength_ < 2 || lastReply_[0] != slave) return false;
  if (lastReply_[1] == (function | 0x80)) return lastReplyLength_ == 5;
  if (lastReply_[1] != function) return false;
  return lastReplyLength_ == length;
}

bool TMdb::ReadRegisters(std::uint8_t slave, std::uint16_t first, std::uint16_t count,
                         std::uint16_t* values) {
  if (count == 0 || count > kMaxReadCount || values == nullptr) {
    answered_ = false;  // outside the contract: nothing is sent
    return false;
  }
  std::uint8_t request[8];
  std::uint8_t reply[kReplyBufferSize] = {};
  BuildRequest(request, slave, kReadHoldingRegisters, static_cast<std::uint16_t>(first - 1),
               count);
  const bool ok = Transact(request, 6, 2u * count + 2, reply);
  // A reply must be the answer to this request: its byte count twice the
  // registers asked and the frame exactly that long. Anything else (a line
  // that echoes the request back, a reply to another request) is no answer,
  // however good its CRC.
  const std::size_t needed = 5u + 2u * count;
  std::uint8_t exceptionCode = 0;
  const bool result =
      ok && ReplyCheck::Judge(request, reply, lastReplyLength_, ok, exceptionCode) == ReplyVerdict::Accepted;
  if (ok && !CompleteAnswer(slave, kReadHoldingRegisters, needed)) lateReplyPossible_ = portOpen_;
  if (!result) return false;
  for (std::size_t i = 0; i < count; ++i) {
    values[i] = static_cast<std::uint16_t>((reply[3 + 2 * i] << 8) | reply[4 + 2 * i]);
  }
  return true;
}

bool TMdb::WriteRegister(std::uint8_t slave, std::uint16_t reg, std::uint16_t value) {
  std::uint8_t request[8];
  std::uint8_t reply[kReplyBufferSize] = {};
  BuildRequest(request, slave, kWriteSingleRegister, static_cast<std::uint16_t>(reg - 1), value);
  const bool ok = Transact(request, 6, 8, reply);
  // Only bytes that actually arrived are compared with the request, and the
  // echo must be exactly the 8 bytes of the request.
  if (ok && !CompleteAnswer(slave, kWriteSingleRegister, 8)) lateReplyPossible_ = portOpen_;
  std::uint8_t exceptionCode = 0;
  return ok && ReplyCheck::Judge(request, reply, lastReplyLength_, ok, exceptionCode) == ReplyVerdict::Accepted;
}
