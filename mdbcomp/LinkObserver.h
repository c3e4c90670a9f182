#pragma once
// What the link tells a watcher: each request written, each reply or
// fragment read (with the time since its request), each try that failed and
// why, a late reply thrown away, and each transaction's end. The link holds
// at most one observer and none by default; without one it measures and
// reports nothing (a null pointer test per step).
//
// The byte pointers of an event are valid only during the call.

#include <cstddef>
#include <cstdint>

// How a try ended, as the link judges its reply. Accepted is the answer the
// request asked for; NoReply and BadCrc are retried; the others are frames
// with a correct CRC that are not that answer, and end the tries at once.
enum class ReplyVerdict : std::uint8_t {
  Accepted,
  PortClosed,      // no open port: nothing was sent
  NoReply,         // nothing arrived within the time-out
  BadCrc,          // bytes arrived, but no frame with a correct CRC
  OtherSlave,      // a frame from another slave address
  Exception,       // an exception reply: the function code plus 128, then its code
  WrongFunction,   // a frame of another function
  RequestEchoed,   // the request itself came back: the line echoes
  WrongByteCount,  // function 3: the byte-count field is not twice the registers asked
  WrongLength,     // the frame is not as long as the answer to the function
  EchoDiffers,     // function 6: the echo differs from the request
};

struct LinkEvent {
  enum class Kind : std::uint8_t {
    RequestSent,         // Request: the frame written (try Try of Tries)
    ReplyReceived,       // Reply: the bytes read; ElapsedUs; Verdict of the try
    TryFailed,           // Verdict: why; Reply: what came, if anything; ElapsedUs
    LateReplyDiscarded,  // Discarded bytes thrown away before a try
    TransactionEnded,    // Result; Verdict and Try of the last try
  };
  Kind What = Kind::RequestSent;
  // The request of the transaction with its CRC; null outside a transaction
  // (a late reply waited out when a port was settled).
  const std::uint8_t* Request = nullptr;
  std::size_t RequestLength = 0;
  const std::uint8_t* Reply = nullptr;
  std::size_t ReplyLength = 0;
  unsigned Try = 0;    // 1-based
  unsigned Tries = 0;  // the tries a transaction may take
  // Microseconds from writing the request to the end of the read (the read
  // ends on the silence after the last byte, or at the time-out).
  std::uint32_t ElapsedUs = 0;
  ReplyVerdict Verdict = ReplyVerdict::Accepted;
  std::uint8_t ExceptionCode = 0;  // Verdict Exception
  std::size_t Discarded = 0;       // LateReplyDiscarded
  bool Result = false;             // TransactionEnded
};

class LinkObserver {
 public:
  virtual ~LinkObserver() = default;
  virtual void OnLinkEvent(const LinkEvent& event) = 0;
};
