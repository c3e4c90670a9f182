// The Win32 serial line against a real port. COM1 must reach a controller
// simulator that answers slave 1 (the wine test aims COM1 at wlt-sim); COM9
// must not exist.

#include "mdbcomp/TMdb.h"
#include "mdbcomp/Win32SerialLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

LineSettings DefaultSettings() {
  LineSettings s;
  s.BitRate = 19200;
  s.Parity = prNone;
  return s;
}

// Read one register from 801 of slave 1, with its CRC.
std::vector<std::uint8_t> ReadOneRegisterRequest() {
  std::vector<std::uint8_t> request{0x01, 0x03, 0x03, 0x20, 0x00, 0x01, 0, 0};
  const std::uint16_t crc = TMdb::Crc16(request.data(), 6);
  request[6] = static_cast<std::uint8_t>(crc & 0xFF);
  request[7] = static_cast<std::uint8_t>(crc >> 8);
  return request;
}

TEST(Win32SerialLineClosed, EveryOperationFailsAtOnceAndReadsNothing) {
  Win32SerialLine line;
  EXPECT_FALSE(line.IsOpen());
  EXPECT_FALSE(line.Configure(DefaultSettings()));
  EXPECT_FALSE(line.Purge());
  const std::uint8_t out[2] = {1, 2};
  EXPECT_EQ(line.Write(out, 2), 0u);
  std::uint8_t in[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  const auto start = Clock::now();
  EXPECT_EQ(line.Read(in, 4), 0u);
  EXPECT_LT(MsSince(start), 100) << "a closed line must not wait";
  EXPECT_EQ(in[0], 0xAA);
}

TEST(Win32SerialLineOpen, PortThatDoesNotExistStaysClosed) {
  Win32SerialLine line;
  EXPECT_FALSE(line.Open("COM9"));
  EXPECT_FALSE(line.IsOpen());
  EXPECT_FALSE(line.Purge());
}

TEST(Win32SerialLineOpen, OpensAndConfiguresComOne) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  EXPECT_TRUE(line.IsOpen());
  EXPECT_TRUE(line.Configure(DefaultSettings()));
  EXPECT_TRUE(line.IsOpen());
  EXPECT_TRUE(line.Purge());
  line.Close();
  EXPECT_FALSE(line.IsOpen());
  line.Close();  // a second close is harmless
  EXPECT_FALSE(line.IsOpen());
}

TEST(Win32SerialLineOpen, RefusedSettingReleasesTheHandleAndTheNextOpenWorks) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  LineSettings bad = DefaultSettings();
  bad.StopBits = static_cast<TStopBits>(7);  // no such stop-bit setting
  EXPECT_FALSE(line.Configure(bad));
  EXPECT_FALSE(line.IsOpen());
  EXPECT_FALSE(line.Purge());
  ASSERT_TRUE(line.Open("COM1"));
  EXPECT_TRUE(line.Configure(DefaultSettings()));
}

TEST(Win32SerialLineTimeouts, SilentReadReturnsNothingAfterTheTotalTimeout) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  ASSERT_TRUE(line.Configure(DefaultSettings()));
  ASSERT_TRUE(line.Purge());
  // Nothing was sent, so the simulator stays silent: 500 + 10 x 13 ms.
  std::uint8_t buffer[13];
  const auto start = Clock::now();
  EXPECT_EQ(line.Read(buffer, sizeof buffer), 0u);
  EXPECT_GE(MsSince(start), 625);
}

TEST(Win32SerialLineTimeouts, ResponseTimeSetsTheFixedPart) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  LineSettings s = DefaultSettings();
  s.ReadTotalConstantMs = 100;
  ASSERT_TRUE(line.Configure(s));
  std::uint8_t buffer[7];
  const auto start = Clock::now();
  EXPECT_EQ(line.Read(buffer, sizeof buffer), 0u);
  const long elapsed = MsSince(start);
  EXPECT_GE(elapsed, 165);  // 100 + 10 x 7
  EXPECT_LT(elapsed, 600) << "the constant of the default settings was used";
}

TEST(Win32SerialLineTransfer, ShortReplyEndsOnTheSilenceAfterItsLastByte) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  ASSERT_TRUE(line.Configure(DefaultSettings()));
  ASSERT_TRUE(line.Purge());
  const std::vector<std::uint8_t> request = ReadOneRegisterRequest();
  EXPECT_EQ(line.Write(request.data(), request.size()), request.size());
  // Ask for two bytes more than the 7-byte reply, as the transactions do.
  std::uint8_t reply[9] = {};
  const auto start = Clock::now();
  const std::size_t got = line.Read(reply, sizeof reply);
  const long elapsed = MsSince(start);
  ASSERT_EQ(got, 7u);
  EXPECT_EQ(reply[0], 0x01);
  EXPECT_EQ(reply[1], 0x03);
  EXPECT_EQ(reply[2], 0x02);
  EXPECT_EQ(TMdb::Crc16(reply, got), 0) << "reply CRC";
  // The total time-out would be 500 + 90 ms; the 10 ms silence ends it long before.
  EXPECT_LT(elapsed, 450);
}

TEST(Win32SerialLineTransfer, PurgeDiscardsAReplyThatWasNotReadYet) {
  Win32SerialLine line;
  ASSERT_TRUE(line.Open("COM1"));
  ASSERT_TRUE(line.Configure(DefaultSettings()));
  ASSERT_TRUE(line.Purge());
  const std::vector<std::uint8_t> request = ReadOneRegisterRequest();
  ASSERT_EQ(line.Write(request.data(), request.size()), request.size());
  // Let the whole reply arrive, then purge: nothing of it may be read.
  std::uint8_t first[1];
  ASSERT_EQ(line.Read(first, 1), 1u);
  Sleep(200);
  EXPECT_TRUE(line.Purge());
  std::uint8_t rest[9];
  EXPECT_EQ(line.Read(rest, sizeof rest), 0u);
}

TEST(Win32SerialLineTransfer, TMdbReadsThroughTheWin32Line) {
  TMdb mdb(std::make_unique<Win32SerialLine>());
  mdb.BaudRate = br19200;
  mdb.Parity = prNone;
  mdb.Port = COM1;
  mdb.OpenPort();
  ASSERT_TRUE(mdb.PortOpen());
  std::uint16_t values[120] = {};
  EXPECT_TRUE(mdb.ReadRegisters(1, 801, 120, values));
  EXPECT_TRUE(mdb.Answered());
  mdb.ClosePort();
  EXPECT_FALSE(mdb.PortOpen());
}

}  // namespace
