// The simulator's register map: the settings block, the single registers and
// the answers to registers outside the map.
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

class SimRegisters : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> args = {}) {
    sim_ = std::make_unique<SimProcess>(std::move(args));
    ASSERT_TRUE(sim_->Running());
    master_ = std::make_unique<Master>(sim_->DevicePath());
    ASSERT_TRUE(master_->Ok());
  }
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<Master> master_;
};

TEST_F(SimRegisters, SettingsBlockCarriesFactoryNumberAndYearFromOptions) {
  Start({"--factory-number", "7", "--production-year", "2019"});
  auto block = master_->Read(801, 120);
  ASSERT_EQ(block.size(), 120u);
  EXPECT_EQ(block[97], 7);     // 898
  EXPECT_EQ(block[98], 2019);  // 899
  // 807 carries 14 programming bits only.
  EXPECT_EQ(block[6] & 0xC000, 0);
  // Some programming bits are set, so a read shows something.
  int setBits = 0;
  for (int i = 0; i < 7; ++i) setBits += __builtin_popcount(block[static_cast<size_t>(i)]);
  EXPECT_GT(setBits, 0);
  // Timing registers hold plausible times: none above 10 minutes in 10 ms counts.
  for (int i = 100; i < 117; ++i) EXPECT_LE(block[static_cast<size_t>(i)], 60000) << "register " << 801 + i;
  EXPECT_GT(block[100], 0);
  EXPECT_EQ(sim_->Requests().front(), "01 03 03 20 00 78 44 66");
}

TEST_F(SimRegisters, DefaultFactoryNumberIsOne) {
  Start();
  EXPECT_EQ(master_->Read1(898), 1);
}

TEST_F(SimRegisters, WrittenSettingsReadBack) {
  Start();
  EXPECT_TRUE(master_->Write(801, 0xA5A5));
  EXPECT_TRUE(master_->Write(807, 0x3FFF));
  EXPECT_TRUE(master_->Write(920, 1234));
  EXPECT_TRUE(master_->Write(900, 1));
  auto block = master_->Read(801, 120);
  ASSERT_EQ(block.size(), 120u);
  EXPECT_EQ(block[0], 0xA5A5);
  EXPECT_EQ(block[6], 0x3FFF);
  EXPECT_EQ(block[99], 1);
  EXPECT_EQ(block[119], 1234);
}

TEST_F(SimRegisters, PresetOptionSetsAnyServedRegister) {
  Start({"--set", "1230=0x2307", "--set", "905=42"});
  EXPECT_EQ(master_->Read1(1230), 0x2307);
  EXPECT_EQ(master_->Read1(905), 42);
}

TEST_F(SimRegisters, TestTimesAreValidBcdAndWritable) {
  Start();
  auto times = master_->Read(1230, 3);
  ASSERT_EQ(times.size(), 3u);
  for (uint16_t w : times) {
    EXPECT_TRUE(IsBcd(w & 0xFF) && IsBcd(w >> 8)) << std::hex << w;
    EXPECT_LE(Bcd(w & 0xFF), 7);
    EXPECT_LE(Bcd(static_cast<uint8_t>(w >> 8)), 23);
  }
  EXPECT_TRUE(master_->Write(1231, 0x2204));
  EXPECT_EQ(master_->Read1(1231), 0x2204);
}

TEST_F(SimRegisters, SystemSignalAndNetworkAddress) {
  Start({"--network-address", "12"});
  EXPECT_EQ(master_->Read1(1274), 12);
  EXPECT_TRUE(master_->Write(1272, 8));
  EXPECT_EQ(master_->Read1(1272), 8);
  EXPECT_TRUE(master_->Write(1274, 5));
  EXPECT_EQ(master_->Read1(1274), 5);
  // An address outside 1 to 247 is refused with "illegal data value" and not kept.
  EXPECT_FALSE(master_->Write(1274, 248));
  EXPECT_EQ(Master::ExceptionCode(), 3);
  EXPECT_FALSE(master_->Write(1274, 0));
  EXPECT_EQ(Master::ExceptionCode(), 3);
  EXPECT_EQ(master_->Read1(1274), 5);
  auto log = sim_->Requests();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[1], "01 06 04 F7 00 08 38 CE");
}

TEST_F(SimRegisters, RegistersOutsideTheMapGiveIllegalDataAddress) {
  Start();
  for (int reg : {800, 921, 1229, 1233, 1271, 1273, 1275, 1304, 1306, 1311, 1320, 2001, 5000}) {
    bool ok = true;
    master_->Read1(reg, &ok);
    EXPECT_FALSE(ok) << reg;
    EXPECT_EQ(Master::ExceptionCode(), 2) << reg;
  }
  // A read is refused when any register it touches lies outside the map.
  EXPECT_TRUE(master_->Read(1300, 4).size() == 4);
  EXPECT_TRUE(master_->Read(1300, 5).empty());
  EXPECT_EQ(Master::ExceptionCode(), 2);
  EXPECT_TRUE(master_->Read(1946, 56).empty());
  EXPECT_EQ(Master::ExceptionCode(), 2);
}

TEST_F(SimRegisters, ReadOnlyRegistersRefuseWrites) {
  Start({"--factory-number", "33"});
  for (int reg : {808, 897, 898, 899, 1300, 1303, 1321, 2000}) {
    EXPECT_FALSE(master_->Write(reg, 1)) << reg;
    EXPECT_EQ(Master::ExceptionCode(), 2) << reg;
  }
  EXPECT_EQ(master_->Read1(898), 33);
}

TEST_F(SimRegisters, OtherFunctionsAndCountsAreRefused) {
  Start();
  RawLine line(sim_->DevicePath());
  ASSERT_TRUE(line.Ok());
  // Function 4 (input registers) is no function of this controller.
  Bytes reply = line.Transact(WithCrc({1, 4, 0x03, 0x20, 0x00, 0x01}));
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 0x84, 1})));
  // 126 registers exceed one function-3 reply.
  reply = line.Transact(ReadRequest(1, 801, 126));
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 0x83, 3})));
}

TEST_F(SimRegisters, BroadcastWriteIsDoneWithoutReply) {
  Start();
  RawLine line(sim_->DevicePath());
  ASSERT_TRUE(line.Ok());
  EXPECT_TRUE(line.Transact(WriteRequest(0, 1232, 0x0503), 200).empty());
  Bytes reply = line.Transact(ReadRequest(1, 1232, 1));
  EXPECT_EQ(Hex(reply), Hex(WithCrc({1, 3, 2, 0x05, 0x03})));
}

}  // namespace
