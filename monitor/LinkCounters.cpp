#include "monitor/LinkCounters.h"

void LinkCounters::Count(const LinkEvent& event) {
  switch (event.What) {
    case LinkEvent::Kind::RequestSent:
      ++Requests;
      if (event.Try > 1) ++Retries;
      break;
    case LinkEvent::Kind::ReplyReceived:
      ++Replies;
      if (event.Verdict != ReplyVerdict::BadCrc) {
        ++TimedReplies;
        TotalUs += event.ElapsedUs;
        LastUs = event.ElapsedUs;
        if (event.ElapsedUs > WorstUs) WorstUs = event.ElapsedUs;
      }
      break;
    case LinkEvent::Kind::TryFailed:
      switch (event.Verdict) {
        case ReplyVerdict::Accepted:
        case ReplyVerdict::PortClosed: break;
        case ReplyVerdict::NoReply: ++TimeOuts; break;
        case ReplyVerdict::BadCrc: ++CrcErrors; break;
        case ReplyVerdict::Exception: ++Exceptions; break;
        default: ++OtherErrors; break;
      }
      break;
    case LinkEvent::Kind::LateReplyDiscarded: ++LateReplies; break;
    case LinkEvent::Kind::TransactionEnded: break;
  }
}
