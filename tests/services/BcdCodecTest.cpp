// The packed BCD words of the clock and the test schedule, without a window:
// the conversions, the digit-by-digit display of a byte, the clock words of
// a date and time and the word of a test time, both ways.

#include "services/BcdCodec.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using namespace BcdCodec;

TEST(BcdConversions, IntToBcdPacksOneDigitPerNibble) {
  const struct {
    int n;
    std::uint16_t bcd;
  } cases[] = {{0, 0x0000},    {7, 0x0007},    {10, 0x0010},   {59, 0x0059}, {99, 0x0099},
               {100, 0x0100},  {1234, 0x1234}, {2003, 0x2003}, {9999, 0x9999},
               // Outside 0..9999 the value is first brought into range.
               {-1, 0x0000},   {10000, 0x9999}};
  for (const auto& c : cases) EXPECT_EQ(IntToBcd(c.n), c.bcd) << c.n;
}

TEST(BcdConversions, BcdToIntWeighsEachNibble) {
  const struct {
    std::uint16_t bcd;
    int n;
  } cases[] = {{0x0023, 23}, {0x1234, 1234}, {0x9999, 9999}, {0x0000, 0},
               // A nibble above 9 counts at its value.
               {0x001A, 20}, {0x00FF, 165}, {0xFFFF, 16665}};
  for (const auto& c : cases) EXPECT_EQ(BcdToInt(c.bcd), c.n) << std::hex << c.bcd;
}

TEST(BcdConversions, EveryFourDigitNumberGoesThereAndBack) {
  for (int n = 0; n <= 9999; ++n) ASSERT_EQ(BcdToInt(IntToBcd(n)), n) << n;
}

TEST(ClockDisplay, EachByteShowsItsTwoNibblesInDecimal) {
  const struct {
    std::uint8_t byte;
    const char* shown;
  } cases[] = {{0x00, "00"}, {0x07, "07"}, {0x23, "23"}, {0x59, "59"},
               {0x1C, "112"}, {0xA0, "100"}, {0xFF, "1515"}};
  for (const auto& c : cases) EXPECT_EQ(ByteDigits(c.byte), QString::fromLatin1(c.shown)) << int(c.byte);
}

TEST(ClockDisplay, RegistersShowYearMonthDayAndHourMinuteSecond) {
  const ClockText shown = ControllerClockText({0x0503, 0x1412, 0x3025, 0x0002});
  EXPECT_EQ(shown.Date, QStringLiteral("03-05-12"));
  EXPECT_EQ(shown.Time, QStringLiteral("14:25:30"));
  EXPECT_EQ(shown.DayOfWeek, 2);

  // Bytes with a nibble above 9 are shown as they are; the day of the week
  // is the low four bits only.
  const ClockText odd = ControllerClockText({0x1C99, 0xA031, 0xF000, 0xFFF7});
  EXPECT_EQ(odd.Date, QStringLiteral("99-112-31"));
  EXPECT_EQ(odd.Time, QStringLiteral("100:00:150"));
  EXPECT_EQ(odd.DayOfWeek, 7);
  EXPECT_EQ(ControllerClockText({0, 0, 0, 0x0010}).DayOfWeek, 0);
  EXPECT_EQ(ControllerClockText({0, 0, 0, 0x000F}).DayOfWeek, 15);
}

TEST(ClockDisplay, DayNamesOutsideOneToSevenAreEmpty) {
  std::array<QString, 8> names;
  for (int day = 0; day < 8; ++day) names[std::size_t(day)] = QStringLiteral("day %1").arg(day);
  for (int day = 1; day <= 7; ++day) EXPECT_EQ(DayName(names, day), names[std::size_t(day)]);
  for (int day : {0, 8, 15, -1, 1000}) EXPECT_TRUE(DayName(names, day).isEmpty()) << day;
}

TEST(ClockSetting, WordsOfTheDateAndTime) {
  const struct {
    QDate date;
    QTime time;
    std::array<std::uint16_t, 3> words;
  } cases[] = {
      {QDate(2003, 5, 12), QTime(14, 25, 30), {0x0503, 0x1412, 0x3025}},
      // Milliseconds are dropped, not rounded.
      {QDate(2003, 5, 12), QTime(14, 25, 30, 999), {0x0503, 0x1412, 0x3025}},
      // The year within its century.
      {QDate(2010, 1, 1), QTime(0, 0, 0), {0x0110, 0x0001, 0x0000}},
      {QDate(2000, 12, 31), QTime(23, 59, 59), {0x1200, 0x2331, 0x5959}},
      {QDate(2099, 2, 28), QTime(9, 5, 7), {0x0299, 0x0928, 0x0705}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClockSetWords(c.date, c.time), c.words) << c.date.toString().toStdString();
}

TEST(ClockSetting, WeekCountedFromSunday) {
  // 11 May 2003 was a Sunday.
  for (int i = 0; i < 14; ++i)
    EXPECT_EQ(SundayFirstDayOfWeek(QDate(2003, 5, 11).addDays(i)), i % 7 + 1) << i;
  EXPECT_EQ(SundayFirstDayOfWeek(QDate()), 0);
}

TEST(TestTimes, WordOfADayAndAnHour) {
  const struct {
    int day;
    int hour;
    std::uint16_t word;
  } cases[] = {{2, 8, 0x0802}, {4, 22, 0x2204}, {7, 23, 0x2307}, {0, 0, 0x0000}, {1, 10, 0x1001}};
  for (const auto& c : cases) {
    EXPECT_EQ(TestTimeWord(c.day, c.hour), c.word) << c.day << " " << c.hour;
    const TestTime back = TestTimeFromWord(c.word);
    EXPECT_EQ(back.DayCode, c.day);
    EXPECT_EQ(back.Hour, c.hour);
  }
  // What the controller may hold beyond the selectors and spin edits is
  // passed on as decoded.
  EXPECT_EQ(TestTimeFromWord(0x2409).Hour, 24);
  EXPECT_EQ(TestTimeFromWord(0x2409).DayCode, 9);
  EXPECT_EQ(TestTimeFromWord(0xFFFF).Hour, 165);
}

TEST(TestTimes, EveryDayAndHourGoesThereAndBack) {
  for (int day = 0; day <= 7; ++day)
    for (int hour = 0; hour <= 23; ++hour) {
      const TestTime back = TestTimeFromWord(TestTimeWord(day, hour));
      ASSERT_EQ(back.DayCode, day);
      ASSERT_EQ(back.Hour, hour);
    }
}

}  // namespace
