// The Modbus CRC-16 and the acceptance test of received frames.

#include "LinkTestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Crc16, CheckValueOverTheNineDigits) {
  const char* digits = "123456789";
  EXPECT_EQ(TMdb::Crc16(reinterpret_cast<const std::uint8_t*>(digits), std::strlen(digits)),
            0x4B37);
}

TEST(Crc16, OverNoBytesIsTheInitialValue) {
  const std::uint8_t none[1] = {0};
  EXPECT_EQ(TMdb::Crc16(none, 0), 0xFFFF);
}

TEST(Crc16, AFrameWithItsOwnCrcChecksToZero) {
  const Bytes frame = {0x01, 0x03, 0x03, 0x20, 0x00, 0x78, 0x44, 0x66};
  EXPECT_EQ(TMdb::Crc16(frame.data(), frame.size()), 0);
  Bytes corrupted = frame;
  corrupted[4] ^= 0x01;
  EXPECT_NE(TMdb::Crc16(corrupted.data(), corrupted.size()), 0);
}

TEST(Crc16, KnownExceptionFrame) {
  // Slave 1, function 3 + 128, code 2: the CRC bytes are C0 F1.
  EXPECT_EQ(Hex(WithCrc({0x01, 0x83, 0x02})), "01 83 02 C0 F1");
}
