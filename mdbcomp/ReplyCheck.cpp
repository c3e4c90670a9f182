#include "mdbcomp/ReplyCheck.h"

#include <cstring>

namespace ReplyCheck {

namespace {

constexpr std::uint8_t kReadHoldingRegisters = 3;
constexpr std::uint8_t kWriteSingleRegister = 6;
constexpr std::size_t kRequestLength = 8;

std::uint16_t Field(const std::uint8_t* bytes, std::size_t at) {
  return static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

std::size_t AnswerLength(const std::uint8_t* request) {
  if (request[1] == kReadHoldingRegisters) return 5u + 2u * Field(request, 4);
  if (request[1] == kWriteSingleRegister) return kRequestLength;
  return 0;
}

ReplyVerdict Judge(const std::uint8_t* request, const std::uint8_t* reply, std::size_t length, bool crcOk,
                   std::uint8_t& exceptionCode) {
  exceptionCode = 0;
  if (length == 0) return ReplyVerdict::NoReply;
  if (!crcOk) return ReplyVerdict::BadCrc;
  // Two CRC bytes and at least an address and a function before them.
  if (length < 4) return ReplyVerdict::WrongLength;
  const std::uint8_t function = request[1];
  if (reply[0] != request[0]) return ReplyVerdict::OtherSlave;
  if (reply[1] == (function | 0x80)) {
    // Address, function plus 128, code, CRC: anything else is no exception.
    if (length != 5) return ReplyVerdict::WrongLength;
    exceptionCode = reply[2];
    return ReplyVerdict::Exception;
  }
  if (reply[1] != function) return ReplyVerdict::WrongFunction;
  if (function == kReadHoldingRegisters) {
    // A line that echoes hands the 8-byte request back, CRC and all: no
    // count makes 5 + 2 x count equal 8, so it is never taken as the answer.
    if (length == kRequestLength && std::memcmp(reply, request, kRequestLength) == 0)
      return ReplyVerdict::RequestEchoed;
    if (reply[2] != 2u * Field(request, 4)) return ReplyVerdict::WrongByteCount;
    if (length != AnswerLength(request)) return ReplyVerdict::WrongLength;
    return ReplyVerdict::Accepted;
  }
  if (function == kWriteSingleRegister) {
    if (length != kRequestLength) return ReplyVerdict::WrongLength;
    if (std::memcmp(reply, request, 6) != 0) return ReplyVerdict::EchoDiffers;
    return ReplyVerdict::Accepted;
  }
  return ReplyVerdict::Accepted;
}

}  // namespace ReplyCheck
