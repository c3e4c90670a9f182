// Tries, Answered and results of the two operations on a scripted line.

#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Echoes every request: a controller that accepts each write.
Bytes Echo(const Bytes& request) { return request; }

}  // namespace

TEST(TransactionTries, SilentSlaveCostsThreeTriesThenNoAnswer) {
  FakeLink link;
  std::uint16_t value = 0;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_FALSE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 3u);
  EXPECT_EQ(link.line->CountOf("Purge"), 3u);
}

TEST(TransactionTries, RepeatCountZeroMakesOneTry) {
  FakeLink link;
  link.mdb->RepeatCount = 0;
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));
  EXPECT_EQ(link.line->Writes.size(), 1u);
  EXPECT_FALSE(link.mdb->Answered());
}

TEST(TransactionTries, RepeatCountSetsTheNumberOfTries) {
  FakeLink link;
  link.mdb->RepeatCount = 5;
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));
  EXPECT_EQ(link.line->Writes.size(), 5u);
}

TEST(TransactionTries, SuccessOnTheThirdTry) {
  FakeLink link;
  link.line->Replies = {Bytes{}, Bytes{}, ReadReply(1, {0x1234, 0xBEEF})};
  std::uint16_t values[2] = {};
  EXPECT_TRUE(link.mdb->ReadRegisters(1, 1230, 2, values));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 3u);
  EXPECT_EQ(values[0], 0x1234);
  EXPECT_EQ(values[1], 0xBEEF);
  // Every try sent the same request.
  EXPECT_EQ(link.line->Writes[0], link.line->Writes[2]);
}

TEST(TransactionTries, CorruptedAndCutRepliesAreRetried) {
  FakeLink link;
  Bytes corrupted = ReadReply(1, {42});
  corrupted.back() ^= 0xFF;
  Bytes cut = ReadReply(1, {42});
  cut.resize(4);
  link.line->Replies = {corrupted, cut, corrupted};
  std::uint16_t value = 7;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_FALSE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 3u);
  EXPECT_EQ(value, 7);
}

TEST(TransactionTries, ExceptionReplyEndsTheTriesAtOnce) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) { return WithCrc({0x01, 0x83, 0x02}); };
  std::uint16_t values[3] = {11, 22, 33};
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 1230, 3, values));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 1u);
  EXPECT_EQ(values[0], 11);
  ASSERT_EQ(link.mdb->LastReplyLength(), 5u);
  EXPECT_EQ(link.mdb->LastReply()[1], 0x83);
  EXPECT_EQ(link.mdb->LastReply()[2], 0x02);
}

TEST(TransactionTries, AnotherSlavesReplyIsAWrongAnswer) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) { return ReadReply(2, {0x0102}); };
  std::uint16_t value = 5;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 1u);
  EXPECT_EQ(value, 5);
}

TEST(TransactionTries, WrongFunctionCodeIsAWrongAnswer) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) { return WithCrc({0x01, 0x04, 0x02, 0x00, 0x01}); };
  std::uint16_t value = 5;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_TRUE(link.mdb->Answered());
}

TEST(TransactionTries, ClosedPortFailsAtOnceWithoutTouchingTheLine) {
  FakeLink link(false);
  int shown = 0;
  link.mdb->OnShowSt = [&](TMdb*) { ++shown; };
  std::uint16_t value = 9;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_FALSE(link.mdb->Answered());
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));
  EXPECT_TRUE(link.line->Calls.empty());
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(value, 9);
}

TEST(TransactionTries, ShowStSeesAnsweredOfTheEndingTransaction) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) { return WithCrc({0x01, 0x86, 0x03}); };
  std::vector<bool> seen;
  link.mdb->OnShowSt = [&](TMdb* sender) { seen.push_back(sender->Answered()); };
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));  // answered, but an exception
  link.line->Responder = nullptr;
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, 8));  // silent
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(ReadRegistersReply, ValuesInRegisterOrder) {
  FakeLink link;
  std::vector<std::uint16_t> sent(120);
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint16_t>(i * 0x0101 + 3);
  link.line->Responder = [&](const Bytes&) { return ReadReply(1, sent); };
  std::vector<std::uint16_t> got(120);
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 801, 120, got.data()));
  EXPECT_EQ(got, sent);
}

// A frame with a good CRC from the slave asked, with function 3, that still
// does not answer the request: one try, Answered, result false, values kept.
TEST(ReadRegistersReply, FramesThatDoNotAnswerTheRequestAreRefused) {
  struct Case {
    const char* what;
    std::uint16_t count;
    std::function<Bytes(const Bytes& request)> reply;
  };
  const Case cases[] = {
      {"byte count field wrong", 2,
       [](const Bytes&) { return WithCrc({0x01, 0x03, 0x99, 0x12, 0x34, 0x56, 0x78}); }},
      {"byte count right, a register too many", 1,
       [](const Bytes&) { return WithCrc({0x01, 0x03, 0x02, 0x12, 0x34, 0x56, 0x78}); }},
      {"the request echoed (a looped-back line), one register", 1,
       [](const Bytes& request) { return request; }},
      {"the request echoed, 120 registers", 120, [](const Bytes& request) { return request; }},
      {"the request echoed, 125 registers", 125, [](const Bytes& request) { return request; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLink link;
    link.line->Responder = c.reply;
    std::vector<std::uint16_t> values(c.count, 0xAAAA);
    EXPECT_FALSE(link.mdb->ReadRegisters(1, 801, c.count, values.data()));
    EXPECT_TRUE(link.mdb->Answered());
    EXPECT_EQ(link.line->Writes.size(), 1u);
    EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](auto v) { return v == 0xAAAA; }));
  }
}

// A controller that answers every request after its read has timed out:
// each reply lands in the read of the next request. It must never be taken
// for that request's answer: not the next try's (whose reply would then land
// in the next transaction), not the next transaction's.
TEST(LateReplies, AReplyAfterTheTimeOutIsNeverTakenForALaterRequest) {
  FakeLink link;
  link.line->AnswerLate = true;
  link.line->Responder = [](const Bytes& request) {
    const std::uint16_t wire = static_cast<std::uint16_t>(request[2] << 8 | request[3]);
    return ReadReply(1, {static_cast<std::uint16_t>(wire + 1)});  // each register holds its number
  };
  std::uint16_t value = 0;
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 1230, 1, &value));
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 1231, 1, &value));
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 1232, 1, &value));
  EXPECT_EQ(value, 0);
  // Every request after a failed try waited for the line to fall quiet.
  EXPECT_EQ(link.line->CountOf("Discard 500/3570"), 8u);
  EXPECT_EQ(link.line->BytesDiscarded, 8u * 7u);
  EXPECT_EQ(link.mdb->LateBytesDiscarded(), 3u * 7u);
}

// The wait costs nothing while the controller answers in time, and after a
// failure it comes once, before the next request only.
TEST(LateReplies, OnlyARequestAfterAFailedTryWaitsForQuiet) {
  FakeLink link;
  link.line->Replies = {ReadReply(1, {5}), Bytes{}, ReadReply(1, {6}), ReadReply(1, {7})};
  std::uint16_t value = 0;
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_EQ(value, 7);
  const std::vector<std::string> expected = {
      "Purge", "Write", "Read 9",                              // first read, prompt
      "Purge", "Write", "Read 9",                              // second read, try 1 silent
      "Discard 500/3570", "Purge", "Write", "Read 9",          // its try 2
      "Purge", "Write", "Read 9"};                             // third read, prompt again
  EXPECT_EQ(link.line->Calls, expected);
}

// Whoever used the port before may have left a request unanswered: the
// first request on a port just opened waits for a quiet line too, once.
TEST(LateReplies, TheFirstRequestOnAnOpenedPortWaitsForQuiet) {
  FakeLink link(false);
  link.line->Responder = [](const Bytes&) { return ReadReply(1, {3}); };
  link.mdb->OpenPort();
  link.line->Calls.clear();
  std::uint16_t value = 0;
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  ASSERT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
  EXPECT_EQ(link.line->Calls, (std::vector<std::string>{"Discard 500/3570", "Purge", "Write", "Read 9", "Purge",
                                                        "Write", "Read 9"}));
}

// An exception is a whole answer: nothing more of it can come. A reply from
// another slave or a frame of the wrong length may be followed by the real one.
TEST(LateReplies, WrongFramesMakeTheNextRequestWaitExceptionsDoNot) {
  struct Case {
    const char* what;
    Bytes reply;
    bool waits;
  };
  const Case cases[] = {
      {"exception", WithCrc({0x01, 0x83, 0x02}), false},
      {"another slave", ReadReply(2, {1}), true},
      {"a register too many", ReadReply(1, {1, 2}), true},
      {"wrong function", WithCrc({0x01, 0x04, 0x02, 0x00, 0x01}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLink link;
    link.line->Replies = {c.reply, ReadReply(1, {9})};
    std::uint16_t value = 0;
    EXPECT_FALSE(link.mdb->ReadRegisters(1, 898, 1, &value));
    EXPECT_TRUE(link.mdb->ReadRegisters(1, 898, 1, &value));
    EXPECT_EQ(link.line->CountOf("Discard 500/3570"), c.waits ? 1u : 0u);
  }
}

TEST(ReadRegistersReply, ShortReplyIsRefusedAndLeavesTheValues) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) { return ReadReply(1, {0x1111, 0x2222}); };
  std::uint16_t values[3] = {7, 8, 9};
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 1230, 3, values));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 1u);  // well formed: not retried
  EXPECT_EQ(values[0], 7);
  EXPECT_EQ(values[1], 8);
  EXPECT_EQ(values[2], 9);
}

TEST(ReadRegistersReply, CountOutsideOneTo125SendsNothing) {
  FakeLink link;
  std::vector<std::uint16_t> values(200, 1);
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 801, 0, values.data()));
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 801, 126, values.data()));
  EXPECT_FALSE(link.mdb->ReadRegisters(1, 801, 1, nullptr));
  EXPECT_TRUE(link.line->Writes.empty());
  EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](auto v) { return v == 1; }));
}

TEST(WriteRegisterReply, EchoSucceeds) {
  FakeLink link;
  link.line->Responder = Echo;
  EXPECT_TRUE(link.mdb->WriteRegister(1, 1310, 0x0200));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 1u);
}

TEST(WriteRegisterReply, EchoDifferingInTheValueFails) {
  FakeLink link;
  link.line->Responder = [](const Bytes& request) {
    Bytes echo(request.begin(), request.begin() + 6);
    echo[5] ^= 0x01;
    return WithCrc(echo);
  };
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1274, 12));
  EXPECT_TRUE(link.mdb->Answered());
  EXPECT_EQ(link.line->Writes.size(), 1u);
}

TEST(WriteRegisterReply, EchoFromAnotherRegisterFails) {
  FakeLink link;
  link.line->Responder = [](const Bytes& request) {
    Bytes echo(request.begin(), request.begin() + 6);
    echo[3] ^= 0x01;
    return WithCrc(echo);
  };
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1274, 12));
  EXPECT_TRUE(link.mdb->Answered());
}

TEST(WriteRegisterReply, ShortFrameNeverMatchesTheEcho) {
  // A good-CRC frame of four data bytes: its CRC bytes must not be compared
  // as if they were the value.
  FakeLink link;
  const Bytes head = WithCrc({0x01, 0x06, 0x04, 0xF7});
  link.line->Responder = [&](const Bytes&) { return head; };
  EXPECT_FALSE(link.mdb->WriteRegister(1, 1272, static_cast<std::uint16_t>(head[4] << 8 | head[5])));
  EXPECT_TRUE(link.mdb->Answered());
}
