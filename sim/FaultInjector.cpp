#include "FaultInjector.h"

namespace wltsim {

FaultDecision FaultInjector::Decide(const Frame& request) {
  FaultDecision d;
  auto drop = [&](std::string why) {
    d.answer = false;
    d.reason = std::move(why);
    return d;
  };
  if (silent_) return drop("fallen silent");
  if (options_.noAnswer) return drop("--no-answer");

  // The master repeats a failed try with the identical frame; count the run.
  if (request == lastRequest_) {
    ++streak_;
  } else {
    lastRequest_ = request;
    streak_ = 1;
  }
  if (streak_ < options_.answerFromTry)
    return drop("try " + std::to_string(streak_) + " of " + std::to_string(options_.answerFromTry));

  RequestSpan span = SpanOf(request);
  const bool write = span.valid && span.function == 6;
  if (options_.dieAfterRequests >= 0 && answeredRequests_ >= options_.dieAfterRequests) {
    d.die = true;
    return drop("--die-after-requests reached");
  }
  if (options_.stopAfterRequests >= 0 && answeredRequests_ >= options_.stopAfterRequests) {
    silent_ = true;
    return drop("--stop-after-requests reached");
  }
  if (write && options_.stopAfterWrites >= 0 && answeredWrites_ >= options_.stopAfterWrites) {
    silent_ = true;
    return drop("--stop-after-writes reached");
  }

  // Answered: the next identical frame is a new transaction and needs its own tries.
  lastRequest_.clear();
  streak_ = 0;
  ++answeredRequests_;
  if (write) ++answeredWrites_;

  if (span.valid) {
    for (const auto& range : options_.exceptions) {
      if (span.first <= range.last && span.last >= range.first) {
        d.exceptionCode = range.code;
        break;
      }
    }
  }
  return d;
}

void FaultInjector::Spoil(Frame& reply) const {
  if (reply.size() < 4) return;
  const bool readReply = reply[1] == 3 && reply.size() >= 5;
  bool reseal = false;
  if (readReply && options_.shortReply && reply[2] >= 2 && reply.size() >= 7) {
    // One register fewer, byte count to match.
    reply.erase(reply.end() - 4, reply.end() - 2);
    reply[2] = static_cast<uint8_t>(reply[2] - 2);
    reseal = true;
  }
  if (readReply && options_.badByteCount) {
    reply[2] = static_cast<uint8_t>(reply[2] + 2);
    reseal = true;
  }
  if (reply[1] == 6 && options_.shortEcho && reply.size() == 8) {
    // The echo of a write without the low byte of its value.
    reply.erase(reply.begin() + 5);
    reseal = true;
  }
  if (options_.wrongSlave >= 0) {
    reply[0] = static_cast<uint8_t>(options_.wrongSlave);
    reseal = true;
  }
  if (reseal) ResealCrc(reply);
  if (options_.badCrc) {
    reply[reply.size() - 1] ^= 0xFF;
    reply[reply.size() - 2] ^= 0xFF;
  }
}

}  // namespace wltsim
