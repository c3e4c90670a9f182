// The fault options, as they show on the wire: exact reply bytes received on
// the line and the frames in the simulator's log.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

constexpr int kSilentMs = 250;  // how long a test listens for a reply that must not come

class SimFaults : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> args) {
    sim_ = std::make_unique<SimProcess>(std::move(args));
    ASSERT_TRUE(sim_->Running());
    line_ = std::make_unique<RawLine>(sim_->DevicePath());
    ASSERT_TRUE(line_->Ok());
  }
  // The reply of a healthy simulator with --factory-number 7 to a read of 898.
  static Bytes FactoryNumberReply(uint8_t slave = 1) { return WithCrc({slave, 3, 2, 0, 7}); }

  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<RawLine> line_;
};

TEST_F(SimFaults, HealthyReplyForComparison) {
  Start({"--factory-number", "7"});
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(FactoryNumberReply()));
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 1272, 8))), "01 06 04 F7 00 08 38 CE");
}

// A controller that takes a value without keeping it: the echo is the
// request, the register keeps its old value (--ignore-writes) or at most
// MAX (--clamp).
TEST_F(SimFaults, IgnoredAndClampedWritesEchoButKeepTheirOwnValue) {
  Start({"--set", "905=5", "--set", "906=6", "--ignore-writes", "905-905", "--clamp", "906=40", "--clamp",
         "1274=9"});
  const auto value = [this](int reg) {
    const Bytes reply = line_->Transact(ReadRequest(1, reg, 1));
    return reply.size() == 7 ? reply[3] << 8 | reply[4] : -1;
  };
  struct Case {
    int reg;
    std::uint16_t sent;
    int kept;
  };
  const Case cases[] = {{905, 30, 5}, {906, 30, 30}, {906, 300, 40}, {907, 300, 300}, {1274, 12, 9}, {1274, 3, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.reg) + "=" + std::to_string(c.sent));
    const Bytes request = WriteRequest(1, c.reg, c.sent);
    EXPECT_EQ(Hex(line_->Transact(request)), Hex(request));
    EXPECT_EQ(value(c.reg), c.kept);
  }
}

TEST_F(SimFaults, NoAnswer) {
  Start({"--no-answer"});
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 801, 120), kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(WriteRequest(1, 1272, 8), kSilentMs).empty());
  EXPECT_EQ(sim_->Requests(), (std::vector<std::string>{"01 03 03 20 00 78 44 66", "01 06 04 F7 00 08 38 CE"}));
  EXPECT_TRUE(sim_->Replies().empty());
}

TEST_F(SimFaults, AnswerFromThirdTry) {
  Start({"--answer-from-try", "3", "--factory-number", "7"});
  const Bytes request = ReadRequest(1, 898, 1);
  EXPECT_TRUE(line_->Transact(request, kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(request, kSilentMs).empty());
  EXPECT_EQ(Hex(line_->Transact(request)), Hex(FactoryNumberReply()));
  // The next identical frame is a new transaction and needs its own three tries.
  EXPECT_TRUE(line_->Transact(request, kSilentMs).empty());
  // Another frame in between breaks the run.
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 899, 1), kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(request, kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(request, kSilentMs).empty());
  EXPECT_EQ(Hex(line_->Transact(request)), Hex(FactoryNumberReply()));
  EXPECT_EQ(sim_->Requests().size(), 8u);
  EXPECT_EQ(sim_->Replies().size(), 2u);
}

TEST_F(SimFaults, BadCrcKeepsTheBytesAndSpoilsTheCrc) {
  Start({"--bad-crc", "--factory-number", "7"});
  Bytes reply = line_->Transact(ReadRequest(1, 898, 1));
  Bytes good = FactoryNumberReply();
  ASSERT_EQ(reply.size(), good.size());
  EXPECT_TRUE(std::equal(good.begin(), good.end() - 2, reply.begin()));
  EXPECT_FALSE(CrcOk(reply));
  EXPECT_EQ(sim_->Replies(), std::vector<std::string>{Hex(reply)});
}

TEST_F(SimFaults, StopAfterRequests) {
  Start({"--stop-after-requests", "2"});
  EXPECT_FALSE(line_->Transact(ReadRequest(1, 898, 1)).empty());
  EXPECT_FALSE(line_->Transact(WriteRequest(1, 1272, 8)).empty());
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 898, 1), kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 899, 1), kSilentMs).empty());
  EXPECT_EQ(sim_->Requests().size(), 4u);
  EXPECT_EQ(sim_->Replies().size(), 2u);
}

TEST_F(SimFaults, StopAfterWritesFallsSilentForEverything) {
  Start({"--stop-after-writes", "1"});
  EXPECT_FALSE(line_->Transact(ReadRequest(1, 898, 1)).empty());
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 901, 3))), Hex(WriteRequest(1, 901, 3)));
  EXPECT_FALSE(line_->Transact(ReadRequest(1, 901, 1)).empty());
  EXPECT_TRUE(line_->Transact(WriteRequest(1, 902, 4), kSilentMs).empty());
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 898, 1), kSilentMs).empty());
  EXPECT_EQ(sim_->Replies().size(), 3u);
}

TEST_F(SimFaults, ExceptionForARegisterRange) {
  Start({"--exception", "900-905:6", "--exception", "1230"});
  // Any request touching the range gets the exception: function code plus 128, then the code.
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 801, 120))), Hex(WithCrc({1, 0x83, 6})));
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 905, 2))), Hex(WithCrc({1, 0x83, 6})));
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 900, 1))), Hex(WithCrc({1, 0x86, 6})));
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 1230, 1))), Hex(WithCrc({1, 0x83, 2})));
  // Outside the ranges all is well.
  Bytes reply = line_->Transact(ReadRequest(1, 906, 1));
  ASSERT_EQ(reply.size(), 7u);
  EXPECT_EQ(reply[1], 3);
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 1231, 1))).substr(0, 8), "01 03 02");
}

TEST_F(SimFaults, ExceptionCodeLibmodbusDoesNotKnow) {
  Start({"--exception", "1300-1303:200"});
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 1300, 4))), Hex(WithCrc({1, 0x83, 200})));
}

TEST_F(SimFaults, WrongSlaveAnswersWithAnotherAddressAndGoodCrc) {
  Start({"--wrong-slave", "5", "--factory-number", "7"});
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(FactoryNumberReply(5)));
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 1272, 8))), Hex(WithCrc({5, 6, 0x04, 0xF7, 0, 8})));
  // The frame right after the one answered wrongly is served too.
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(FactoryNumberReply(5)));
}

TEST_F(SimFaults, ShortReplyCarriesOneRegisterFewer) {
  Start({"--short-reply", "--factory-number", "7", "--production-year", "2019"});
  Bytes reply = line_->Transact(ReadRequest(1, 897, 3));
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 3, 4, 0, 97, 0, 7})));
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(WithCrc({1, 3, 0})));
  // Writes are echoed as usual.
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 1272, 8))), "01 06 04 F7 00 08 38 CE");
}

TEST_F(SimFaults, ShortEchoLacksTheLowValueByte) {
  Start({"--short-echo", "--factory-number", "7"});
  EXPECT_EQ(Hex(line_->Transact(WriteRequest(1, 1272, 8))), Hex(WithCrc({1, 6, 0x04, 0xF7, 0})));
  // Reads are answered as usual.
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(FactoryNumberReply()));
}

// The port vanishing: the next request after N ends the simulator as a
// SIGKILL would, its pseudo-terminal hangs up and its link is left behind.
TEST_F(SimFaults, DieAfterRequestsEndsLikeAKill) {
  char folder[] = "/tmp/wlt-sim-die-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string link = std::string(folder) + "/ttyWLT";
  Start({"--die-after-requests", "1", "--link", link, "--factory-number", "7"});
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(1, 898, 1))), Hex(FactoryNumberReply()));
  EXPECT_TRUE(line_->Transact(ReadRequest(1, 899, 1), kSilentMs).empty());
  int status = 0;
  ASSERT_TRUE(sim_->WaitForExit(2000, &status));
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  EXPECT_EQ(sim_->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 898, 1)), Hex(ReadRequest(1, 899, 1))}));
  struct stat st {};
  EXPECT_EQ(::lstat(link.c_str(), &st), 0) << "the link was removed";
  EXPECT_NE(::stat(link.c_str(), &st), 0) << "the pseudo-terminal is still there";
  ::unlink(link.c_str());
  ::rmdir(folder);
}

TEST_F(SimFaults, BadByteCountWithGoodCrc) {
  Start({"--bad-byte-count", "--factory-number", "7", "--production-year", "2019"});
  Bytes reply = line_->Transact(ReadRequest(1, 897, 3));
  // 97 in 897 (the filler of 808 to 897 is the register number less 800).
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 3, 8, 0, 97, 0, 7, 0x07, 0xE3})));
  EXPECT_TRUE(CrcOk(reply));
}

TEST_F(SimFaults, OwnSlaveAddressAndFramesForOthers) {
  Start({"--slave", "9", "--factory-number", "7"});
  // A frame for slave 1 is logged and ignored; the frame right after it is served.
  line_->Send(ReadRequest(1, 898, 1));
  // The next frame only once the simulator has taken this one: on a busy
  // machine it could otherwise read both as one run of bytes.
  for (int i = 0; i < 400 && sim_->Requests().empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(Hex(line_->Transact(ReadRequest(9, 898, 1))), Hex(FactoryNumberReply(9)));
  EXPECT_EQ(sim_->Requests(), (std::vector<std::string>{Hex(ReadRequest(1, 898, 1)), Hex(ReadRequest(9, 898, 1))}));
  EXPECT_EQ(sim_->Replies(), std::vector<std::string>{Hex(FactoryNumberReply(9))});
}

TEST_F(SimFaults, PartialFrameDoesNotSpoilTheNextRequest) {
  Start({"--factory-number", "7"});
  Bytes request = ReadRequest(1, 898, 1);
  line_->Send(Bytes(request.begin(), request.begin() + 3));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(Hex(line_->Transact(request)), Hex(FactoryNumberReply()));
  // A frame with a broken CRC is logged and not answered.
  Bytes broken = request;
  broken[7] ^= 0x55;
  EXPECT_TRUE(line_->Transact(broken, kSilentMs).empty());
  EXPECT_EQ(Hex(line_->Transact(request)), Hex(FactoryNumberReply()));
  auto rx = sim_->Requests();
  ASSERT_EQ(rx.size(), 4u);
  EXPECT_EQ(rx[0], "01 03 03");
  EXPECT_EQ(rx[2], Hex(broken));
}

TEST_F(SimFaults, PacedReplyTakesAtLeastTheWireTime) {
  Start({"--pace"});
  auto start = std::chrono::steady_clock::now();
  line_->Send(ReadRequest(1, 801, 120));
  Bytes reply = line_->ReceiveCount(245, 3000);
  auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(reply.size(), 245u);
  EXPECT_TRUE(CrcOk(reply));
  // 8 request and 245 reply characters of 11 bits at 19200 bit/s: 145 ms.
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 140);
}

}  // namespace

namespace {

TEST(SimPace, FollowsTheBitRateOption) {
  SimProcess sim({"--pace", "--baud", "2400", "--factory-number", "7"});
  ASSERT_TRUE(sim.Running());
  RawLine line(sim.DevicePath(), B2400);
  ASSERT_TRUE(line.Ok());
  auto start = std::chrono::steady_clock::now();
  line.Send(ReadRequest(1, 898, 1));
  Bytes reply = line.ReceiveCount(7, 2000);
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 3, 2, 0, 7})));
  // 8 + 7 characters of 11 bits at 2400 bit/s: 69 ms.
  EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 65);
}

}  // namespace
