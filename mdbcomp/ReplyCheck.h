#pragma once
// Whether a reply is the answer to a request of function 3 (read holding
// registers) or 6 (write single register): the one judgement behind the
// link's results and what it reports to an observer.

#include "mdbcomp/LinkObserver.h"

#include <cstddef>
#include <cstdint>

namespace ReplyCheck {

// request: the 8 bytes sent; reply: the length bytes received; crcOk: the
// CRC over those bytes is 0 (and there were some). exceptionCode receives
// the code of an exception reply (0 for any other verdict).
ReplyVerdict Judge(const std::uint8_t* request, const std::uint8_t* reply, std::size_t length, bool crcOk,
                   std::uint8_t& exceptionCode);

// The length of the answer the request asks for: 5 + 2 x count for function
// 3, 8 for function 6 (0 for a request of another function).
std::size_t AnswerLength(const std::uint8_t* request);

}  // namespace ReplyCheck
