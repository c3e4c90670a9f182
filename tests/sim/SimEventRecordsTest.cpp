// The simulator's event recorder, registers 1321 to 2000.
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "SimTestLine.h"

using namespace simtest;

namespace {

// Reads the recorder in the six blocks the service program uses.
std::vector<uint16_t> ReadRecorder(Master& master) {
  std::vector<uint16_t> all;
  const int blocks[6][2] = {{1321, 125}, {1446, 125}, {1571, 125}, {1696, 125}, {1821, 125}, {1946, 55}};
  for (const auto& b : blocks) {
    auto part = master.Read(b[0], b[1]);
    if (part.empty()) return {};
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

std::vector<uint16_t> Recorder(std::vector<std::string> args) {
  SimProcess sim(std::move(args));
  if (!sim.Running()) return {};
  Master master(sim.DevicePath());
  if (!master.Ok()) return {};
  return ReadRecorder(master);
}

bool ValidDateTime(const uint16_t* r) {
  uint8_t year = r[0] & 0xFF, month = r[0] >> 8, day = r[1] & 0xFF, hour = r[1] >> 8, minute = r[2] & 0xFF,
          second = r[2] >> 8;
  for (uint8_t b : {year, month, day, hour, minute, second})
    if (!IsBcd(b)) return false;
  return Bcd(month) >= 1 && Bcd(month) <= 12 && Bcd(day) >= 1 && Bcd(day) <= 31 && Bcd(hour) <= 23 &&
         Bcd(minute) <= 59 && Bcd(second) <= 59;
}

TEST(SimEvents, FortyRecordsWithValidDatesCausesAndStates) {
  auto words = Recorder({});
  ASSERT_EQ(words.size(), 680u);
  int withoutCause = 0, withCause = 0, withStates = 0;
  for (int k = 0; k < 40; ++k) {
    const uint16_t* r = &words[static_cast<size_t>(k) * 17];
    EXPECT_TRUE(ValidDateTime(r)) << "record " << k << std::hex << " " << r[0] << " " << r[1] << " " << r[2];
    bool cause = r[3] || r[4] || r[5] || r[6];
    (cause ? withCause : withoutCause)++;
    for (int i = 7; i < 17; ++i)
      if (r[i]) {
        ++withStates;
        break;
      }
  }
  EXPECT_GT(withoutCause, 0);
  EXPECT_GT(withCause, withoutCause);
  EXPECT_GT(withStates, 30);
  // The first record carries the first and the last of the 64 causes.
  EXPECT_EQ(words[3] & 0x0001, 1);
  EXPECT_EQ(words[6] & 0x8000, 0x8000);
}

TEST(SimEvents, RecordsAreInTimeOrder) {
  auto words = Recorder({});
  ASSERT_EQ(words.size(), 680u);
  auto key = [&](int k) {
    const uint16_t* r = &words[static_cast<size_t>(k) * 17];
    auto b = [](uint16_t w, bool high) { return Bcd(static_cast<uint8_t>(high ? w >> 8 : w & 0xFF)); };
    return ((((b(r[0], false) * 100LL + b(r[0], true)) * 100 + b(r[1], false)) * 100 + b(r[1], true)) * 100 +
            b(r[2], false)) * 100 + b(r[2], true);
  };
  for (int k = 1; k < 40; ++k) EXPECT_LT(key(k - 1), key(k)) << k;
}

TEST(SimEvents, ErasedRecorderHasEveryBitSet) {
  auto words = Recorder({"--erased-events"});
  ASSERT_EQ(words.size(), 680u);
  for (size_t i = 0; i < words.size(); ++i) ASSERT_EQ(words[i], 0xFFFF) << i;
}

TEST(SimEvents, EventCountLeavesTheOtherSlotsErased) {
  auto words = Recorder({"--event-count", "5"});
  ASSERT_EQ(words.size(), 680u);
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(ValidDateTime(&words[static_cast<size_t>(k) * 17])) << k;
  for (size_t i = 5 * 17; i < words.size(); ++i) ASSERT_EQ(words[i], 0xFFFF) << i;
}

TEST(SimEvents, HistoryDependsOnTheHistoryNumberOnly) {
  auto a = Recorder({});
  auto b = Recorder({"--event-history", "1"});
  auto c = Recorder({"--event-history", "99"});
  ASSERT_EQ(a.size(), 680u);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
}

}  // namespace
