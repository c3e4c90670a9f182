// Requests go out byte for byte as the controller expects them.

#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

TEST(RequestFrames, Read120RegistersFrom801) {
  FakeLink link;
  std::uint16_t values[120];
  link.mdb->ReadRegisters(1, 801, 120, values);
  ASSERT_FALSE(link.line->Writes.empty());
  EXPECT_EQ(Hex(link.line->Writes[0]), "01 03 03 20 00 78 44 66");
}

TEST(RequestFrames, Read4RegistersFrom1300) {
  FakeLink link;
  std::uint16_t values[4];
  link.mdb->ReadRegisters(1, 1300, 4, values);
  ASSERT_FALSE(link.line->Writes.empty());
  EXPECT_EQ(Hex(link.line->Writes[0]), "01 03 05 13 00 04 B5 00");
}

TEST(RequestFrames, Write8ToRegister1272) {
  FakeLink link;
  link.mdb->WriteRegister(1, 1272, 8);
  ASSERT_FALSE(link.line->Writes.empty());
  EXPECT_EQ(Hex(link.line->Writes[0]), "01 06 04 F7 00 08 38 CE");
}

TEST(RequestFrames, RegisterOneIsWireAddressZero) {
  FakeLink link;
  std::uint16_t value;
  link.mdb->ReadRegisters(7, 1, 1, &value);
  ASSERT_FALSE(link.line->Writes.empty());
  EXPECT_EQ(Hex(link.line->Writes[0]), Hex(WithCrc({0x07, 0x03, 0x00, 0x00, 0x00, 0x01})));
}

TEST(RequestFrames, Value512GoesOutHighByteFirst) {
  FakeLink link;
  link.mdb->WriteRegister(1, 1, 512);
  ASSERT_FALSE(link.line->Writes.empty());
  EXPECT_EQ(Hex(link.line->Writes[0]), Hex(WithCrc({0x01, 0x06, 0x00, 0x00, 0x02, 0x00})));
}

TEST(RequestFrames, ReadAsksForTheReplyPlusTwoBytes) {
  // 2 x count + 7 for function 3, 13 for function 6: a correct reply is
  // shorter and ends on the silence after its last byte.
  FakeLink link;
  std::uint16_t values[125];
  link.mdb->RepeatCount = 1;
  link.mdb->ReadRegisters(1, 801, 120, values);
  link.mdb->ReadRegisters(1, 1321, 125, values);
  link.mdb->WriteRegister(1, 900, 1);
  EXPECT_EQ(link.line->ReadCounts, (std::vector<std::size_t>{247, 257, 13}));
}

TEST(RequestFrames, EveryTryPurgesWritesAndReadsInThatOrder) {
  FakeLink link;
  link.mdb->RepeatCount = 2;
  link.mdb->WriteRegister(1, 1272, 8);
  // The second try follows a silent one: it waits for a quiet line first.
  EXPECT_EQ(link.line->Calls, (std::vector<std::string>{"Purge", "Write", "Read 13", "Discard 500/3570",
                                                         "Purge", "Write", "Read 13"}));
}
