#include "settings/SettingsRegisterMap.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace SettingsRegisterMap;

TEST(ProgramBitMap, EveryBoxHasItsOwnBitAnd807Bits14And15NoBox) {
  std::set<std::pair<int, int>> seen;
  for (int box = 801; box <= 910; ++box) {
    const auto bit = ProgramBit(box);
    ASSERT_TRUE(bit) << box;
    EXPECT_GE(bit->word, 0);
    EXPECT_LT(bit->word, kProgramWords);
    EXPECT_TRUE(seen.insert({bit->word, bit->bit}).second) << box;
  }
  EXPECT_EQ(seen.size(), 110u);
  EXPECT_FALSE(seen.count({6, 14}));
  EXPECT_FALSE(seen.count({6, 15}));
}

TEST(ProgramBitMap, NumbersOutsideTheFamilyHaveNoBit) {
  for (int box : {0, 1, 160, 800, 911, -801, 100000}) EXPECT_FALSE(ProgramBit(box)) << box;
}

TEST(TimingScaling, DivisionRoundsHalvesToTheEvenNeighbour) {
  const std::pair<int, int> table[] = {{0, 0},   {4, 0},    {5, 0},     {6, 1},   {14, 1},
                                       {15, 2},  {25, 2},   {35, 4},    {45, 4},  {46, 5},
                                       {-5, 0},  {-15, -2}, {-25, -2},  {-26, -3}, {-4, 0},
                                       {120, 12}, {655354, 65535}, {655345, 65534}, {655355, 65536}};
  for (auto [n, expected] : table) EXPECT_EQ(DivideBy10HalfEven(n), expected) << n;
  EXPECT_EQ(DivideBy10HalfEven(2147483647), 214748365);
  EXPECT_EQ(DivideBy10HalfEven(-2147483648LL), -214748365);
}

TEST(TimingScaling, ValuesRoundTripThroughTheRegister) {
  struct Case {
    int row;
    std::int32_t typed;
    std::uint16_t word;
    const char* readBack;
  };
  const Case cases[] = {
      {1, 25, 2, "20"},  {1, 35, 4, "40"},   {2, 5, 0, "0"},       {3, -5, 0, "0"},
      {4, 15, 2, "20"},  {7, 120, 12, "120"}, {6, 25, 25, "25"},  {8, 25, 25, "25"},
      {18, 25, 2, "20"}, {20, 655350, 65535, "655350"}, {6, 65535, 65535, "65535"},
      {8, 0, 0, "0"},
  };
  for (const Case& c : cases) {
    const auto word = RegisterValue(c.row, c.typed);
    ASSERT_TRUE(word) << c.row << " " << c.typed;
    EXPECT_EQ(*word, c.word) << c.row << " " << c.typed;
    EXPECT_EQ(GridText(c.row, *word), QString::fromLatin1(c.readBack)) << c.row << " " << c.typed;
  }
}

TEST(TimingScaling, ScalingFollowsTheRowNumberOnly) {
  for (int row = 1; row <= 20; ++row) {
    const bool unscaled = row == 6 || row == 8;
    EXPECT_EQ(RowUnscaled(row), unscaled) << row;
    EXPECT_EQ(*RegisterValue(row, 100), unscaled ? 100 : 10) << row;
    EXPECT_EQ(GridText(row, 7), unscaled ? QStringLiteral("7") : QStringLiteral("70")) << row;
  }
}

TEST(TimingScaling, ValuesARegisterCannotHoldAreRefused) {
  EXPECT_FALSE(RegisterValue(1, -20));     // -2, not 65534
  EXPECT_FALSE(RegisterValue(1, 700000));  // 70000, not 4464
  EXPECT_FALSE(RegisterValue(1, 655355));  // 65535.5 rounds to 65536
  EXPECT_FALSE(RegisterValue(6, 65536));
  EXPECT_FALSE(RegisterValue(8, -1));
  EXPECT_FALSE(RegisterValue(1, -2147483647 - 1));
  EXPECT_FALSE(RegisterValue(6, 2147483647));
  EXPECT_TRUE(RegisterValue(1, 655354));  // 65535.4 rounds to 65535
  EXPECT_TRUE(RegisterValue(1, -5));
}

}  // namespace
