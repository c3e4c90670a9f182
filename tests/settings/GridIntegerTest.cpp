#include "settings/GridInteger.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::optional<std::int32_t> Parse(const QString& text) {
  std::int32_t value = 12345;
  if (!ParseGridInteger(text, value)) {
    EXPECT_EQ(value, 12345) << "a refused text must leave the value alone";
    return std::nullopt;
  }
  return value;
}

TEST(GridIntegerSyntax, AcceptsDecimalWithSignAndLeadingBlanks) {
  EXPECT_EQ(Parse("120"), 120);
  EXPECT_EQ(Parse(" 120"), 120);
  EXPECT_EQ(Parse("     120"), 120);
  EXPECT_EQ(Parse("+7"), 7);
  EXPECT_EQ(Parse("-20"), -20);
  EXPECT_EQ(Parse("  -5"), -5);
  EXPECT_EQ(Parse("0"), 0);
  EXPECT_EQ(Parse("-0"), 0);
  EXPECT_EQ(Parse("000120"), 120);
}

TEST(GridIntegerSyntax, DecimalRangeIsSigned32Bits) {
  EXPECT_EQ(Parse("2147483647"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(Parse("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(Parse("+2147483647"), 2147483647);
  EXPECT_EQ(Parse("00000000002147483647"), 2147483647);
  EXPECT_FALSE(Parse("2147483648"));
  EXPECT_FALSE(Parse("-2147483649"));
  EXPECT_FALSE(Parse("99999999999999999999999"));
}

TEST(GridIntegerSyntax, AcceptsEveryHexPrefixInEitherCase) {
  EXPECT_EQ(Parse("$64"), 100);
  EXPECT_EQ(Parse("x64"), 100);
  EXPECT_EQ(Parse("X64"), 100);
  EXPECT_EQ(Parse("0x64"), 100);
  EXPECT_EQ(Parse("0X64"), 100);
  EXPECT_EQ(Parse("  $ff"), 255);
  EXPECT_EQ(Parse("$aBcD"), 0xABCD);
  EXPECT_EQ(Parse("$000000000001"), 1);
}

TEST(GridIntegerSyntax, HexTakesThe32BitsAsTheyStand) {
  EXPECT_EQ(Parse("$FFFFFFFF"), -1);
  EXPECT_EQ(Parse("$80000000"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(Parse("0x7FFFFFFF"), 2147483647);
  EXPECT_FALSE(Parse("$100000000"));
  EXPECT_FALSE(Parse("$FFFFFFFFFFFFFFFFFFFF"));
}

TEST(GridIntegerSyntax, RefusesEverythingElse) {
  for (const char* text : {"", "   ", "+", "-", "$", "x", "X", "0x", "0X", "120 ", " 120 ",
                           "1 20", "1,5", "1.5", "12ms", "12 ms", "ms", "--5", "+-5", "-$5",
                           "+0x5", "$-5", "0x 5", "$G", "12a", "\t12", "12\n", "0b101", "1e3",
                           "0xx5"}) {
    EXPECT_FALSE(Parse(QString::fromUtf8(text))) << '"' << text << '"';
  }
}

TEST(GridIntegerSyntax, RefusesDigitsOutsideAscii) {
  // Arabic-Indic and full-width digits are digits to Unicode, not to the controller's tool.
  EXPECT_FALSE(Parse(QString::fromUtf8("\u0661\u0662")));
  EXPECT_FALSE(Parse(QString::fromUtf8("\uFF11\uFF12")));
  EXPECT_FALSE(Parse(QString::fromUtf8("12\u00A0")));
  EXPECT_FALSE(Parse(QString::fromUtf8("\u00A012")));
}

}  // namespace
