// Tries, Answered and results of the two operations on a scripted line.

#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(ReadRegistersReply, WrongByteCountFieldIsAccepted) {
  FakeLink link;
  link.line->Responder = [](const Bytes&) {
    return WithCrc({0x01, 0x03, 0x99, 0x12, 0x34, 0x56, 0x78});
  };
  std::uint16_t values[2] = {};
  EXPECT_TRUE(link.mdb->ReadRegisters(1, 1230, 2, values));
  EXPECT_EQ(values[0], 0x1234);
  EXPECT_EQ(values[1], 0x5678);
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
