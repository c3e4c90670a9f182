#include "mdbcomp/ModbusExceptions.h"

#include "mdbcomp/LinkTexts.h"
#include "mdbcomp/ReplyCheck.h"

namespace ModbusExceptions {

namespace {

struct Name {
  std::uint8_t code;
  const char* polish;
  const char* standard;
};

// The codes the protocol defines (7 is the older documents' own).
constexpr Name kNames[] = {
    {1, LinkTexts::kIllegalFunction, "Illegal Function"},
    {2, LinkTexts::kIllegalDataAddress, "Illegal Data Address"},
    {3, LinkTexts::kIllegalDataValue, "Illegal Data Value"},
    {4, LinkTexts::kSlaveDeviceFailure, "Slave Device Failure"},
    {5, LinkTexts::kAcknowledge, "Acknowledge"},
    {6, LinkTexts::kSlaveDeviceBusy, "Slave Device Busy"},
    {7, LinkTexts::kNegativeAcknowledge, "Negative Acknowledge"},
    {8, LinkTexts::kMemoryParityError, "Memory Parity Error"},
    {10, LinkTexts::kGatewayPathUnavailable, "Gateway Path Unavailable"},
    {11, LinkTexts::kGatewayTargetFailed, "Gateway Target Device Failed to Respond"},
};

const Name* Find(std::uint8_t code) {
  for (const Name& name : kNames)
    if (name.code == code) return &name;
  return nullptr;
}

}  // namespace

const char* PolishName(std::uint8_t code) {
  const Name* name = Find(code);
  return name ? name->polish : LinkTexts::kUnknownException;
}

const char* StandardName(std::uint8_t code) {
  const Name* name = Find(code);
  return name ? name->standard : "Unknown Exception";
}

std::uint8_t CodeOfReply(bool answered, const std::uint8_t* request, const std::uint8_t* reply,
                         std::size_t length) {
  if (!answered || request == nullptr || reply == nullptr) return 0;
  std::uint8_t code = 0;
  return ReplyCheck::Judge(request, reply, length, true, code) == ReplyVerdict::Exception ? code : 0;
}

}  // namespace ModbusExceptions
