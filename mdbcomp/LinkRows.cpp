#include "mdbcomp/LinkRows.h"

#include "mdbcomp/LinkTexts.h"
#include "mdbcomp/ModbusExceptions.h"
#include "mdbcomp/ReplyCheck.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace LinkRows {

namespace {

std::string Format(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

unsigned Field(const std::uint8_t* bytes, std::size_t at) {
  return static_cast<unsigned>((bytes[at] << 8) | bytes[at + 1]);
}

// Slave, function, register and count or value of the request: the
// context of every row of its transaction.
void FillFromRequest(const LinkEvent& event, LinkRow& row) {
  if (event.Request == nullptr || event.RequestLength < 6) return;
  row.Slave = std::to_string(event.Request[0]);
  row.Function = std::to_string(event.Request[1]);
  row.Register = std::to_string(Field(event.Request, 2) + 1u);
  row.Quantity = std::to_string(Field(event.Request, 4));
}

// What a reply's own bytes say: its slave and function, the registers a
// read reply carries, the value a write echo carries.
void FillFromReply(const LinkEvent& event, LinkRow& row) {
  FillFromRequest(event, row);
  const std::uint8_t* reply = event.Reply;
  const std::size_t length = reply ? event.ReplyLength : 0;
  row.Slave = length >= 1 ? std::to_string(reply[0]) : std::string();
  row.Function = length >= 2 ? std::to_string(reply[1]) : std::string();
  row.Quantity.clear();
  if (length >= 3 && reply[1] == 3) row.Quantity = std::to_string(reply[2] / 2u);
  if (length >= 6 && reply[1] == 6) row.Quantity = std::to_string(Field(reply, 4));
}

std::string ReplyOutcome(const LinkEvent& event) {
  const std::string ms = Milliseconds(event.ElapsedUs);
  // A verdict names bytes of the reply; an event without them reads zeros.
  std::uint8_t head[3] = {};
  const unsigned length = event.Reply ? static_cast<unsigned>(event.ReplyLength) : 0u;
  for (unsigned i = 0; i < 3 && i < length; ++i) head[i] = event.Reply[i];
  const std::uint8_t* reply = head;
  const bool haveRequest = event.Request != nullptr && event.RequestLength >= 6;
  switch (event.Verdict) {
    case ReplyVerdict::Accepted: return Format(LinkTexts::kAccepted, ms.c_str());
    case ReplyVerdict::BadCrc: return Format(LinkTexts::kBadCrc, ms.c_str());
    case ReplyVerdict::OtherSlave: return Format(LinkTexts::kOtherSlave, unsigned(reply[0]), ms.c_str());
    case ReplyVerdict::Exception:
      return Format(LinkTexts::kException, unsigned(event.ExceptionCode),
                    ModbusExceptions::PolishName(event.ExceptionCode),
                    ModbusExceptions::StandardName(event.ExceptionCode), ms.c_str());
    case ReplyVerdict::WrongFunction: return Format(LinkTexts::kWrongFunction, unsigned(reply[1]), ms.c_str());
    case ReplyVerdict::RequestEchoed: return Format(LinkTexts::kRequestEchoed, ms.c_str());
    case ReplyVerdict::WrongByteCount:
      return Format(LinkTexts::kWrongByteCount, unsigned(reply[2]),
                    haveRequest ? 2u * Field(event.Request, 4) : 0u, ms.c_str());
    case ReplyVerdict::WrongLength: {
      // An exception is always five bytes long; any other reply as long as
      // the answer to its request.
      const bool exceptionFrame = haveRequest && length >= 2 && reply[1] == (event.Request[1] | 0x80);
      const unsigned wanted =
          exceptionFrame ? 5u : haveRequest ? static_cast<unsigned>(ReplyCheck::AnswerLength(event.Request)) : 0u;
      return Format(LinkTexts::kWrongLength, length, wanted, ms.c_str());
    }
    case ReplyVerdict::EchoDiffers: return Format(LinkTexts::kEchoDiffers, ms.c_str());
    case ReplyVerdict::NoReply: return Format(LinkTexts::kNoReply, ms.c_str());
    case ReplyVerdict::PortClosed: return LinkTexts::kPortClosed;
  }
  return std::string();
}

std::string ResultOutcome(const LinkEvent& event) {
  if (event.Result) return Format(LinkTexts::kResultRetried, event.Try, event.Tries);
  switch (event.Verdict) {
    case ReplyVerdict::NoReply:
    case ReplyVerdict::BadCrc:
    case ReplyVerdict::PortClosed:
      return event.Try == 1 ? std::string(LinkTexts::kResultNoAnswerOnce)
                            : Format(LinkTexts::kResultNoAnswer, event.Try);
    default: return LinkTexts::kResultRefused;
  }
}

// Characters, not bytes, of UTF-8 text.
std::size_t Width(const std::string& text) {
  std::size_t width = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
  return width;
}

std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t w = Width(text);
  return w >= width ? text : text + std::string(width - w, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  const std::size_t w = Width(text);
  return w >= width ? text : std::string(width - w, ' ') + text;
}

std::string Columns(const std::string& time, const std::string& direction, const std::string& slave,
                    const std::string& function, const std::string& reg, const std::string& quantity,
                    bool numbersRight) {
  const auto number = [numbersRight](const std::string& text, std::size_t width) {
    return numbersRight ? PadLeft(text, width) : PadRight(text, width);
  };
  return PadRight(time, 12) + "  " + PadRight(direction, Width(LinkTexts::kDirectionColumn)) + "  " +
         number(slave, Width(LinkTexts::kSlaveColumn)) + "  " + number(function, Width(LinkTexts::kFunctionColumn)) +
         "  " + number(reg, Width(LinkTexts::kRegisterColumn)) + "  " +
         number(quantity, Width(LinkTexts::kQuantityColumn)) + "  ";
}

}  // namespace

bool Make(const LinkEvent& event, LinkRow& row) {
  row = LinkRow{};
  switch (event.What) {
    case LinkEvent::Kind::RequestSent:
      FillFromRequest(event, row);
      row.Direction = LinkTexts::kSent;
      row.Outcome = Format(LinkTexts::kRequest, event.Try, event.Tries);
      row.Bytes = HexBytes(event.Request, event.RequestLength);
      return true;
    case LinkEvent::Kind::ReplyReceived:
      FillFromReply(event, row);
      row.Direction = LinkTexts::kReceived;
      row.Outcome = ReplyOutcome(event);
      row.Bytes = HexBytes(event.Reply, event.ReplyLength);
      return true;
    case LinkEvent::Kind::TryFailed:
      if (event.ReplyLength > 0) return false;  // its reply's row says why
      FillFromRequest(event, row);
      row.Direction = LinkTexts::kNoFrame;
      row.Outcome = ReplyOutcome(event);
      return true;
    case LinkEvent::Kind::LateReplyDiscarded:
      row.Direction = LinkTexts::kNoFrame;
      row.Outcome = Format(LinkTexts::kLateDiscarded, static_cast<unsigned>(event.Discarded));
      return true;
    case LinkEvent::Kind::TransactionEnded:
      if (event.Result && event.Try <= 1) return false;  // its reply's row says it all
      FillFromRequest(event, row);
      row.Direction = LinkTexts::kNoFrame;
      row.Outcome = ResultOutcome(event);
      return true;
  }
  return false;
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t length) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  if (bytes == nullptr) return text;
  text.reserve(length * 3);
  for (std::size_t i = 0; i < length; ++i) {
    if (i) text.push_back(' ');
    text.push_back(digits[bytes[i] >> 4]);
    text.push_back(digits[bytes[i] & 0x0F]);
  }
  return text;
}

std::string Milliseconds(std::uint32_t us) { return std::to_string((std::uint64_t{us} + 500u) / 1000u); }

std::string Line(const LinkRow& row) {
  std::string line =
      Columns(row.Time, row.Direction, row.Slave, row.Function, row.Register, row.Quantity, true) + row.Outcome;
  if (!row.Bytes.empty()) line += " | " + row.Bytes;
  return line;
}

std::string HeaderLine() {
  return Columns(LinkTexts::kTimeColumn, LinkTexts::kDirectionColumn, LinkTexts::kSlaveColumn,
                 LinkTexts::kFunctionColumn, LinkTexts::kRegisterColumn, LinkTexts::kQuantityColumn, false) +
         LinkTexts::kOutcomeColumn + " | " + LinkTexts::kBytesColumn;
}

std::string LocalTimeNow() {
  using std::chrono::system_clock;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(ms));
  return text;
}

}  // namespace LinkRows
