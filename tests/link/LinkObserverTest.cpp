// What the link tells its observer: every request, reply, failed try, late
// reply thrown away and transaction end, in order, on a scripted line; and
// that watching changes nothing of what the link does.

#include "LinkTestHelpers.h"
#include "mdbcomp/LinkObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* VerdictName(ReplyVerdict verdict) {
  switch (verdict) {
    case ReplyVerdict::Accepted: return "accepted";
    case ReplyVerdict::PortClosed: return "port-closed";
    case ReplyVerdict::NoReply: return "no-reply";
    case ReplyVerdict::BadCrc: return "bad-crc";
    case ReplyVerdict::OtherSlave: return "other-slave";
    case ReplyVerdict::Exception: return "exception";
    case ReplyVerdict::WrongFunction: return "wrong-function";
    case ReplyVerdict::RequestEchoed: return "request-echoed";
    case ReplyVerdict::WrongByteCount: return "wrong-byte-count";
    case ReplyVerdict::WrongLength: return "wrong-length";
    case ReplyVerdict::EchoDiffers: return "echo-differs";
  }
  return "?";
}

// Each event as a short text: "sent 1/3 <request>", "reply <verdict> <bytes>",
// "failed <verdict>", "late <count>", "end <result> <try> <verdict>".
struct Recorder : LinkObserver {
  std::vector<std::string> events;
  void OnLinkEvent(const LinkEvent& e) override {
    const Bytes request = e.Request ? Bytes(e.Request, e.Request + e.RequestLength) : Bytes{};
    const Bytes reply = e.Reply ? Bytes(e.Reply, e.Reply + e.ReplyLength) : Bytes{};
    std::string verdict = VerdictName(e.Verdict);
    if (e.Verdict == ReplyVerdict::Exception) verdict += " " + std::to_string(e.ExceptionCode);
    switch (e.What) {
      case LinkEvent::Kind::RequestSent:
        events.push_back("sent " + std::to_string(e.Try) + "/" + std::to_string(e.Tries) + " " + Hex(request));
        break;
      case LinkEvent::Kind::ReplyReceived: events.push_back("reply " + verdict + " " + Hex(reply)); break;
      case LinkEvent::Kind::TryFailed:
        events.push_back("failed " + verdict + (reply.empty() ? "" : " " + Hex(reply)));
        break;
      case LinkEvent::Kind::LateReplyDiscarded:
        events.push_back("late " + std::to_string(e.Discarded) + (request.empty() ? " settling" : ""));
        break;
      case LinkEvent::Kind::TransactionEnded:
        events.push_back(std::string("end ") + (e.Result ? "true " : "false ") + std::to_string(e.Try) + " " +
                         verdict + " " + Hex(request));
        break;
    }
  }
};

const Bytes kRead898 = WithCrc({1, 3, 0x03, 0x81, 0, 1});
const Bytes kWrite1272 = WithCrc({1, 6, 0x04, 0xF7, 0, 8});

struct Scenario {
  const char* name;
  bool write;  // WriteRegister(1, 1272, 8), else ReadRegisters(1, 898, 1)
  std::vector<Bytes> replies;
  bool result;
  std::vector<std::string> events;  // sent and end rows are checked apart
};

std::string Sent(int tryNumber, const Bytes& request) {
  return "sent " + std::to_string(tryNumber) + "/3 " + Hex(request);
}

bool RunScenario(FakeLink& link, const Scenario& s) {
  link.line->Replies.assign(s.replies.begin(), s.replies.end());
  std::uint16_t value = 0;
  return s.write ? link.mdb->WriteRegister(1, 1272, 8) : link.mdb->ReadRegisters(1, 898, 1, &value);
}

std::vector<Scenario> Scenarios() {
  const Bytes good = ReadReply(1, {7});
  Bytes corrupted = good;
  corrupted.back() ^= 0xFF;
  const Bytes exception = WithCrc({1, 0x83, 2});
  const Bytes otherSlave = ReadReply(2, {7});
  const Bytes badCount = WithCrc({1, 3, 4, 0, 7});
  const Bytes shortReply = WithCrc({1, 3, 2});
  const Bytes otherFunction = WithCrc({1, 4, 2, 0, 7});
  const Bytes echoDiffers = WithCrc({1, 6, 0x04, 0xF7, 0, 9});
  const std::string r = Hex(kRead898);
  return {
      {"answered at once", false, {good}, true, {Sent(1, kRead898), "reply accepted " + Hex(good), "end true 1 accepted " + r}},
      {"silent", false, {}, false,
       {Sent(1, kRead898), "failed no-reply", Sent(2, kRead898), "failed no-reply", Sent(3, kRead898),
        "failed no-reply", "end false 3 no-reply " + r}},
      {"corrupted, then answered", false, {corrupted, good}, true,
       {Sent(1, kRead898), "reply bad-crc " + Hex(corrupted), "failed bad-crc " + Hex(corrupted), Sent(2, kRead898),
        "reply accepted " + Hex(good), "end true 2 accepted " + r}},
      {"exception", false, {exception}, false,
       {Sent(1, kRead898), "reply exception 2 " + Hex(exception), "failed exception 2 " + Hex(exception),
        "end false 1 exception 2 " + r}},
      {"another slave", false, {otherSlave}, false,
       {Sent(1, kRead898), "reply other-slave " + Hex(otherSlave), "failed other-slave " + Hex(otherSlave),
        "end false 1 other-slave " + r}},
      {"wrong byte count", false, {badCount}, false,
       {Sent(1, kRead898), "reply wrong-byte-count " + Hex(badCount), "failed wrong-byte-count " + Hex(badCount),
        "end false 1 wrong-byte-count " + r}},
      {"a register short", false, {shortReply}, false,
       {Sent(1, kRead898), "reply wrong-length " + Hex(shortReply), "failed wrong-length " + Hex(shortReply),
        "end false 1 wrong-length " + r}},
      {"another function", false, {otherFunction}, false,
       {Sent(1, kRead898), "reply wrong-function " + Hex(otherFunction),
        "failed wrong-function " + Hex(otherFunction), "end false 1 wrong-function " + r}},
      {"the line echoes", false, {kRead898}, false,
       {Sent(1, kRead898), "reply request-echoed " + r, "failed request-echoed " + r,
        "end false 1 request-echoed " + r}},
      {"write answered", true, {kWrite1272}, true,
       {Sent(1, kWrite1272), "reply accepted " + Hex(kWrite1272), "end true 1 accepted " + Hex(kWrite1272)}},
      {"write echo differs", true, {echoDiffers}, false,
       {Sent(1, kWrite1272), "reply echo-differs " + Hex(echoDiffers), "failed echo-differs " + Hex(echoDiffers),
        "end false 1 echo-differs " + Hex(kWrite1272)}},
  };
}

}  // namespace

// Every try's request, its reply or time-out with the verdict, and the
// transaction's end, whose result is the operation's.
TEST(LinkObserver, ReportsEveryTryAndTheResult) {
  for (const Scenario& s : Scenarios()) {
    SCOPED_TRACE(s.name);
    FakeLink link;
    Recorder recorder;
    link.mdb->SetObserver(&recorder);
    EXPECT_EQ(RunScenario(link, s), s.result);
    EXPECT_EQ(recorder.events, s.events);
  }
}

// Watched or not, the line sees the same calls and the operations give the
// same results.
TEST(LinkObserver, WatchingChangesNothingOnTheLine) {
  for (const Scenario& s : Scenarios()) {
    SCOPED_TRACE(s.name);
    FakeLink watched;
    FakeLink alone;
    Recorder recorder;
    watched.mdb->SetObserver(&recorder);
    EXPECT_EQ(RunScenario(watched, s), RunScenario(alone, s));
    EXPECT_EQ(watched.line->Calls, alone.line->Calls);
    EXPECT_EQ(watched.mdb->Answered(), alone.mdb->Answered());
  }
}

TEST(LinkObserver, AClosedPortFailsEveryTryWithoutSending) {
  FakeLink link(false);
  Recorder recorder;
  link.mdb->SetObserver(&recorder);
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"failed port-closed", "failed port-closed", "failed port-closed",
                                      "end false 3 port-closed " + Hex(kWrite1272)}));
}

// A reply that comes after its try gave up is thrown away before the next
// try, and when the line is settled outside a transaction.
TEST(LinkObserver, LateRepliesThrownAwayAreReported) {
  FakeLink link;
  link.line->AnswerLate = true;
  link.line->Responder = [](const Bytes&) { return ReadReply(1, {7}); };
  Recorder recorder;
  link.mdb->SetObserver(&recorder);
  std::uint16_t value = 0;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  link.mdb->SettleLine();
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{Sent(1, kRead898), "failed no-reply", "late 7", Sent(2, kRead898),
                                      "failed no-reply", "late 7", Sent(3, kRead898), "failed no-reply",
                                      "end false 3 no-reply " + Hex(kRead898), "late 7 settling"}));
}

// Detached, the observer hears nothing more.
TEST(LinkObserver, ADetachedObserverIsNotTold) {
  FakeLink link;
  Recorder recorder;
  link.mdb->SetObserver(&recorder);
  link.line->Replies = {ReadReply(1, {7})};
  std::uint16_t value = 0;
  EXPECT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  const std::size_t told = recorder.events.size();
  link.mdb->SetObserver(nullptr);
  EXPECT_EQ(link.mdb->Observer(), nullptr);
  link.line->Replies = {ReadReply(1, {7})};
  EXPECT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_EQ(recorder.events.size(), told);
}
