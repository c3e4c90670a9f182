// The simulator's clock: packed BCD registers 1300 to 1303 that run, and
// setting through 1307 to 1309 with 0x0200 in 1310.
#include <gtest/gtest.h>

#include <ctime>
#include <thread>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

struct ClockReading {
  int year, month, day, hour, minute, second, dayOfWeek;
};

// Decodes 1300 to 1303, failing the test on any invalid BCD byte.
ClockReading Decode(const std::vector<uint16_t>& w) {
  EXPECT_EQ(w.size(), 4u);
  if (w.size() != 4) return {};
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(IsBcd(w[static_cast<size_t>(i)] & 0xFF)) << std::hex << w[static_cast<size_t>(i)];
    EXPECT_TRUE(IsBcd(static_cast<uint8_t>(w[static_cast<size_t>(i)] >> 8))) << std::hex << w[static_cast<size_t>(i)];
  }
  EXPECT_EQ(w[3] & 0xFFF0, 0) << "only the day of the week in 1303";
  return {Bcd(w[0] & 0xFF), Bcd(static_cast<uint8_t>(w[0] >> 8)), Bcd(w[1] & 0xFF), Bcd(static_cast<uint8_t>(w[1] >> 8)),
          Bcd(w[2] & 0xFF), Bcd(static_cast<uint8_t>(w[2] >> 8)), w[3] & 0x0F};
}

// Seconds since 2000 of a reading, for comparing two readings.
long long Seconds(const ClockReading& r) {
  tm t{};
  t.tm_year = 100 + r.year;
  t.tm_mon = r.month - 1;
  t.tm_mday = r.day;
  t.tm_hour = r.hour;
  t.tm_min = r.minute;
  t.tm_sec = r.second;
  return static_cast<long long>(timegm(&t));
}

int DayOfWeek(const ClockReading& r) {
  tm t{};
  t.tm_year = 100 + r.year;
  t.tm_mon = r.month - 1;
  t.tm_mday = r.day;
  t.tm_hour = 12;
  time_t s = timegm(&t);
  tm back{};
  gmtime_r(&s, &back);
  return back.tm_wday + 1;  // Sunday = 1
}

ClockReading PcNow() {
  time_t now = time(nullptr);
  tm l{};
  localtime_r(&now, &l);
  return {l.tm_year % 100, l.tm_mon + 1, l.tm_mday, l.tm_hour, l.tm_min, l.tm_sec, l.tm_wday + 1};
}

TEST(SimClock, FollowsThePcClockInBcdWithDayOfWeek) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  ClockReading pc = PcNow();
  ClockReading r = Decode(master.Read(1300, 4));
  EXPECT_LE(std::llabs(Seconds(r) - Seconds(pc)), 2);
  EXPECT_EQ(r.dayOfWeek, DayOfWeek(r));
  EXPECT_GE(r.dayOfWeek, 1);
  EXPECT_LE(r.dayOfWeek, 7);
}

TEST(SimClock, StartTimeOptionAndRunning) {
  SimProcess sim({"--clock", "2003-05-12T14:25:30"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  auto w = master.Read(1300, 4);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0], 0x0503);
  EXPECT_EQ(w[1], 0x1412);
  EXPECT_EQ(w[2] & 0xFF, 0x25);
  EXPECT_EQ(w[3], 2);  // a Monday
  ClockReading first = Decode(w);
  EXPECT_LE(first.second, 33);
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  ClockReading later = Decode(master.Read(1300, 4));
  long long advanced = Seconds(later) - Seconds(first);
  EXPECT_GE(advanced, 2);
  EXPECT_LE(advanced, 5);
}

TEST(SimClock, OffsetOptionShiftsTheClock) {
  SimProcess sim({"--clock-offset", "-86400"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  ClockReading pc = PcNow();
  ClockReading r = Decode(master.Read(1300, 4));
  EXPECT_LE(std::llabs(Seconds(r) - (Seconds(pc) - 86400)), 2);
}

TEST(SimClock, CrossesMidnightAndYearEnd) {
  SimProcess sim({"--clock", "2024-12-31T23:59:59"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  auto w = master.Read(1300, 4);
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[0], 0x0125);
  EXPECT_EQ(w[1], 0x0001);
  EXPECT_EQ(w[3], 4);  // 1 January 2025 is a Wednesday
}

TEST(SimClock, SetThroughClockSetRegisters) {
  SimProcess sim;
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  ASSERT_TRUE(master.Write(1307, 0x0503));
  ASSERT_TRUE(master.Write(1308, 0x1412));
  ASSERT_TRUE(master.Write(1309, 0x3025));
  // Before the command the clock runs on unchanged.
  EXPECT_NE(master.Read(1300, 1).at(0), 0x0503);
  ASSERT_TRUE(master.Write(1310, 0x0200));
  ClockReading r = Decode(master.Read(1300, 4));
  EXPECT_EQ(r.year, 3);
  EXPECT_EQ(r.month, 5);
  EXPECT_EQ(r.day, 12);
  EXPECT_EQ(r.hour, 14);
  EXPECT_EQ(r.minute, 25);
  EXPECT_GE(r.second, 30);
  EXPECT_LE(r.second, 33);
  EXPECT_EQ(r.dayOfWeek, 2);
  // The set registers keep what was written.
  auto set = master.Read(1307, 4);
  ASSERT_EQ(set.size(), 4u);
  EXPECT_EQ(set[0], 0x0503);
  EXPECT_EQ(set[3], 0x0200);
  EXPECT_EQ(sim.Requests().at(4), Hex(WriteRequest(1, 1310, 0x0200)));
  EXPECT_EQ(Hex(WriteRequest(1, 1310, 0x0200)).substr(0, 17), "01 06 05 1D 02 00");
}

TEST(SimClock, InvalidSetIsRefusedAndLeavesTheClock) {
  SimProcess sim({"--clock", "2010-01-01T00:00:00"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  ASSERT_TRUE(master.Write(1307, 0x1310));  // month 13
  ASSERT_TRUE(master.Write(1308, 0x1412));
  ASSERT_TRUE(master.Write(1309, 0x3025));
  EXPECT_FALSE(master.Write(1310, 0x0200));
  EXPECT_EQ(Master::ExceptionCode(), 3);
  ASSERT_TRUE(master.Write(1307, 0x0210));
  ASSERT_TRUE(master.Write(1308, 0x0030));  // 30 February
  EXPECT_FALSE(master.Write(1310, 0x0200));
  ASSERT_TRUE(master.Write(1308, 0x0028));
  ASSERT_TRUE(master.Write(1309, 0x005A));  // minute nibble above 9
  EXPECT_FALSE(master.Write(1310, 0x0200));
  // Another value in 1310 is no command.
  ASSERT_TRUE(master.Write(1309, 0x0000));
  EXPECT_TRUE(master.Write(1310, 0x0100));
  EXPECT_EQ(master.Read(1300, 1).at(0), 0x0110);
}

}  // namespace

namespace {

TEST(SimClock, FrozenClockStandsStillButCanBeSet) {
  SimProcess sim({"--freeze-clock", "--clock", "2003-05-12T14:25:30"});
  ASSERT_TRUE(sim.Running());
  Master master(sim.DevicePath());
  ASSERT_TRUE(master.Ok());
  auto first = master.Read(1300, 4);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  auto later = master.Read(1300, 4);
  EXPECT_EQ(first, (std::vector<uint16_t>{0x0503, 0x1412, 0x3025, 0x0002}));
  EXPECT_EQ(later, first);
  ASSERT_TRUE(master.Write(1307, 0x0110));
  ASSERT_TRUE(master.Write(1308, 0x0001));
  ASSERT_TRUE(master.Write(1309, 0x0000));
  ASSERT_TRUE(master.Write(1310, 0x0200));
  EXPECT_EQ(master.Read(1300, 4), (std::vector<uint16_t>{0x0110, 0x0001, 0x0000, 0x0006}));  // a Friday
}

}  // namespace
