// The settings that differ between two images: which words count, in what
// units, in what order, and the one-line text of each change.

#include "AppTestSupport.h"
#include "settings/SettingsDiff.h"

#include <gtest/gtest.h>

namespace {

using SettingsDiff::Change;
using SettingsDiff::Image;

SettingsDiff::Names SomeNames() {
  SettingsDiff::Names names;
  for (int row = 1; row <= 20; ++row) names.rows[std::size_t(row)] = QStringLiteral("T%1").arg(row);
  for (int box = 801; box <= 910; ++box) names.boxes[std::size_t(box - 801)] = QStringLiteral("B%1").arg(box);
  return names;
}

// The word of register reg in an image.
std::uint16_t& At(Image& image, int reg) { return image[std::size_t(reg - 801)]; }

TEST(SettingsDiff, EachKindOfDifference) {
  struct Case {
    const char* what;
    int reg;
    std::uint16_t before, after;
    std::vector<Change> expected;
  };
  const Case cases[] = {
      {"same", 905, 7, 7, {}},
      {"scaled row: grid units are ten times the word", 901, 12, 15, {{901, -1, QStringLiteral("T1"), 120, 150}}},
      {"row 6 unscaled", 906, 45, 46, {{906, -1, QStringLiteral("T6"), 45, 46}}},
      {"row 8 unscaled", 908, 1234, 0, {{908, -1, QStringLiteral("T8"), 1234, 0}}},
      {"the largest word", 920, 0, 65535, {{920, -1, QStringLiteral("T20"), 0, 655350}}},
      {"one bit cleared", 801, 0x0003, 0x0002, {{801, 0, QStringLiteral("B801"), 1, 0}}},
      {"two bits, in box order",
       802,
       0x8000,
       0x0001,
       {{802, 0, QStringLiteral("B817"), 0, 1}, {802, 15, QStringLiteral("B832"), 1, 0}}},
      {"the last box", 807, 0x2000, 0, {{807, 13, QStringLiteral("B910"), 1, 0}}},
      {"spare bits of 807", 807, 0xC000, 0x4000, {}},
      {"factory number", 898, 7, 8, {}},
      {"production year", 899, 2019, 2020, {}},
      {"completion mark", 900, 0, 1, {}},
      {"words between", 850, 0, 0xFFFF, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image before{};
    Image after{};
    At(before, c.reg) = c.before;
    At(after, c.reg) = c.after;
    EXPECT_EQ(SettingsDiff::Compare(before, after, SomeNames()), c.expected);
  }
}

TEST(SettingsDiff, TimingRowsComeFirstThenTheBits) {
  Image before{};
  Image after{};
  At(after, 807) = 0x0001;  // box 897
  At(after, 801) = 0x0100;  // box 809
  At(after, 920) = 1;
  At(after, 903) = 2;
  std::vector<int> order;
  for (const Change& change : SettingsDiff::Compare(before, after, SomeNames()))
    order.push_back(change.bit < 0 ? change.reg : 10000 + change.reg * 100 + change.bit);
  EXPECT_EQ(order, (std::vector<int>{903, 920, 10000 + 80108, 10000 + 80700}));
  // The other way round, the same settings with old and new swapped.
  const std::vector<Change> back = SettingsDiff::Compare(after, before, SomeNames());
  ASSERT_EQ(back.size(), 4u);
  EXPECT_EQ(back[0], (Change{903, -1, QStringLiteral("T3"), 20, 0}));
}

TEST(SettingsDiff, LineFormat) {
  struct Case {
    Change change;
    QString line;
  };
  const Case cases[] = {
      {{901, -1, QStringLiteral("nst_trSZR"), 120, 150}, QStringLiteral("901 nst_trSZR: 120 -> 150")},
      {{920, -1, QStringLiteral("nst_rez_3"), 655350, 0}, QStringLiteral("920 nst_rez_3: 655350 -> 0")},
      {{801, 4, QStringLiteral("Kolejność faz"), 0, 1}, QStringLiteral("801.4 Kolejność faz: 0 -> 1")},
      {{807, 13, QStringLiteral("Zas. 1: napięcie"), 1, 0}, QStringLiteral("807.13 Zas. 1: napięcie: 1 -> 0")},
      {{803, 2, QString(), 0, 1}, QStringLiteral("803.2: 0 -> 1")},
      {{906, -1, QString(), 5, 6}, QStringLiteral("906: 5 -> 6")},
  };
  for (const Case& c : cases) EXPECT_EQ(SettingsDiff::Line(c.change), c.line);
}

// What a write did not get across: the settings as Compare finds them, and
// the spare bits of 807, which a write always sends as 0.
TEST(SettingsDiff, MismatchesAlsoCountTheSpareBitsOf807) {
  struct Case {
    const char* what;
    int reg;
    std::uint16_t sent, readBack;
    std::vector<Change> expected;
  };
  const Case cases[] = {
      {"same", 905, 7, 7, {}},
      {"a clamped row", 905, 150, 100, {{905, -1, QStringLiteral("T5"), 1500, 1000}}},
      {"a refused bit", 803, 0x0004, 0, {{803, 2, QStringLiteral("B835"), 1, 0}}},
      {"spare bits of 807", 807, 0x2000, 0xE000,
       {{807, 14, QString(), 0, 1}, {807, 15, QString(), 0, 1}}},
      {"a word the write does not send", 898, 7, 8, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image sent{};
    Image readBack{};
    At(sent, c.reg) = c.sent;
    At(readBack, c.reg) = c.readBack;
    EXPECT_EQ(SettingsDiff::Mismatches(sent, readBack, SomeNames()), c.expected);
  }
  const Change bit{807, 14, QString(), 0, 1};
  EXPECT_EQ(SettingsDiff::Setting(bit), QStringLiteral("807.14"));
  EXPECT_EQ(SettingsDiff::Line(bit), QStringLiteral("807.14: 0 -> 1"));
}

}  // namespace
