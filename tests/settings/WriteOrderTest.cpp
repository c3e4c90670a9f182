// The order of a settings write and the ranges that name how far one got.

#include "AppTestSupport.h"
#include "settings/SettingsWriteOrder.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsWriteOrder, TimingRegistersThenBitsThenTheMark) {
  std::vector<int> expected;
  for (int reg = 901; reg <= 920; ++reg) expected.push_back(reg);
  for (int reg = 801; reg <= 807; ++reg) expected.push_back(reg);
  expected.push_back(900);
  const auto& order = SettingsWriteOrder::Registers();
  EXPECT_EQ(std::vector<int>(order.begin(), order.end()), expected);
}

TEST(SettingsWriteOrder, RangesOfTheRegistersSent) {
  struct Case {
    int count;
    const char* ranges;
  };
  const Case cases[] = {
      {0, ""},
      {1, "901"},
      {2, "901-902"},
      {10, "901-910"},
      {20, "901-920"},
      {21, "901-920, 801"},
      {22, "901-920, 801-802"},
      {27, "901-920, 801-807"},
      {28, "901-920, 801-807, 900"},
      {40, "901-920, 801-807, 900"},  // never past the order
      {-1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SettingsWriteOrder::Ranges(c.count), QString::fromLatin1(c.ranges)) << c.count;
}

}  // namespace
