// The record layout as pure code: date and time texts digit by digit, cause
// and state bits, the table cut from the six blocks.

#include "EventTestSupport.h"
#include "events/EventRecord.h"

#include <gtest/gtest.h>

namespace {

using namespace EventRecord;

TEST(RecordDateAndTime, EachGroupOnItsOwn) {
  struct Case {
    std::uint16_t w0, w1, w2;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {0x0324, 0x0815, 0x5905, "24-03-15", "08:05:59"},
      {0x0000, 0x0000, 0x0000, "00-00-00", "00:00:00"},
      {0x1299, 0x2331, 0x5959, "99-12-31", "23:59:59"},
      // A group of 10 to 15 takes two digits: the text grows.
      {0xFFFF, 0xFFFF, 0xFFFF, "1515-1515-1515", "1515:1515:1515"},
      {0x0A2B, 0xC0D1, 0x0E0F, "211-010-131", "120:015:014"},
      // Low and high byte are not mixed up between the words.
      {0x0102, 0x0304, 0x0506, "02-01-04", "03:06:05"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatRecordDate(c.w0, c.w1), QString::fromLatin1(c.date)) << std::hex << c.w0 << " " << c.w1;
    EXPECT_EQ(FormatRecordTime(c.w1, c.w2), QString::fromLatin1(c.time)) << std::hex << c.w1 << " " << c.w2;
  }
}

TEST(RecordNumbers, TwoDigitsWithALeadingZeroBelowTen) {
  EXPECT_EQ(TwoDigits(1), QStringLiteral("01"));
  EXPECT_EQ(TwoDigits(9), QStringLiteral("09"));
  EXPECT_EQ(TwoDigits(10), QStringLiteral("10"));
  EXPECT_EQ(TwoDigits(64), QStringLiteral("64"));
  EXPECT_EQ(CauseLine(6, QStringLiteral("Zanik napięcia")), QStringLiteral("07:  Zanik napięcia"));
  EXPECT_EQ(CauseLine(63, QString()), QStringLiteral("64:  "));
}

TEST(RecordCauses, BitCOfWord3PlusCDiv16) {
  const Record firstAndLast = eventtest::MakeRecord(0, 0, 0, {1, 64});
  EXPECT_EQ(firstAndLast[3], 0x0001);
  EXPECT_EQ(firstAndLast[6], 0x8000);
  CauseFlags flags = DecodeCauses(firstAndLast);
  for (int c = 0; c < kCauses; ++c) EXPECT_EQ(flags[std::size_t(c)], c == 0 || c == 63) << c;
  EXPECT_TRUE(HasCause(firstAndLast));

  Record words{};
  words[4] = 0x0003;  // causes 17 and 18
  words[5] = 0x8000;  // cause 48
  flags = DecodeCauses(words);
  std::vector<int> set;
  for (int c = 0; c < kCauses; ++c)
    if (flags[std::size_t(c)]) set.push_back(c + 1);
  EXPECT_EQ(set, (std::vector<int>{17, 18, 48}));

  // Date, time and state words carry no causes.
  Record noCause{};
  noCause.fill(0xFFFF);
  for (int i = 3; i <= 6; ++i) noCause[std::size_t(i)] = 0;
  EXPECT_FALSE(HasCause(noCause));
  for (bool f : DecodeCauses(noCause)) EXPECT_FALSE(f);
}

TEST(RecordStates, BitJOfStateWordKIsIndicator16KPlusJPlus1) {
  Record r{};
  r[7] = 0x8001;   // state word 1: indicators 1 and 16
  r[12] = 0x0200;  // state word 6: indicator 90
  r[16] = 0x4000;  // state word 10: indicator 159
  std::vector<int> on;
  for (int s = 0; s < kStates; ++s)
    if (StateBit(r, s)) on.push_back(s + 1);
  EXPECT_EQ(on, (std::vector<int>{1, 16, 90, 159}));
  EXPECT_FALSE(StateBit(r, -1));
  EXPECT_FALSE(StateBit(r, 160));
}

TEST(RecordTable, SixBlocksCoverTheRecorderAndCutIntoRecords) {
  int next = kFirstRegister;
  for (const ReadBlock& block : kReadBlocks) {
    EXPECT_EQ(block.firstRegister, next);
    EXPECT_EQ(block.firstWord, next - kFirstRegister);
    EXPECT_LE(block.count, 125);
    next += block.count;
  }
  EXPECT_EQ(next, 2001);

  Words words{};
  for (int i = 0; i < kWords; ++i) words[std::size_t(i)] = std::uint16_t(i);
  const Table table = TableFromWords(words);
  EXPECT_EQ(table[0][0], 0);
  EXPECT_EQ(table[7][6], 7 * 17 + 6);  // word 125, the first of the second block
  EXPECT_EQ(table[39][16], 679);
}

}  // namespace
