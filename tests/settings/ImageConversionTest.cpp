// The four conversions between the settings image and the window's grid and
// check boxes.

#include "FakeUi.h"
#include "app/TForm1.h"

#include <gtest/gtest.h>

namespace {

class ImageConversion : public ::testing::Test {
 protected:
  void SetUp() override { form.InitSettingsCatalogue(); }

  void FillGrid(const QString& text) {
    for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = text;
  }
  std::vector<int> CheckedBoxes() const {
    std::vector<int> boxes;
    for (int box = 801; box <= 910; ++box)
      if (form.CheckBox(box).Checked) boxes.push_back(box);
    return boxes;
  }
  std::uint16_t Word(int reg) const { return form.SettingsImage[std::size_t(reg - 801)]; }
  std::uint16_t& Word(int reg) { return form.SettingsImage[std::size_t(reg - 801)]; }

  FakeUi ui;
  TForm1 form{ui};
};

TEST_F(ImageConversion, ImageToGridScalesAllRowsButSixAndEight) {
  for (int row = 1; row <= 20; ++row) Word(900 + row) = std::uint16_t(row * 3);
  Word(920) = 65535;
  Word(906) = 65535;
  form.ImageToGrid();
  for (int row = 1; row <= 19; ++row) {
    if (row == 6) continue;
    const int expected = row == 8 ? row * 3 : row * 30;
    EXPECT_EQ(form.StringGrid1.Cells(1, row), QString::number(expected)) << row;
  }
  EXPECT_EQ(form.StringGrid1.Cells(1, 6), QStringLiteral("65535"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 20), QStringLiteral("655350"));
  // Names and units stay.
  EXPECT_EQ(form.StringGrid1.Cells(0, 1), QStringLiteral("nst_trSZR"));
  EXPECT_EQ(form.StringGrid1.Cells(2, 6), QStringLiteral("min"));
}

TEST_F(ImageConversion, BitMapCorners) {
  Word(801) = 1u << 9;
  form.ImageToCheckBoxes();
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{810});

  form.SettingsImage.fill(0);
  Word(807) = 1u << 13;
  form.ImageToCheckBoxes();
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{910});

  form.SettingsImage.fill(0);
  Word(802) = 1u << 15;
  Word(806) = 1u << 0;
  form.ImageToCheckBoxes();
  EXPECT_EQ(CheckedBoxes(), (std::vector<int>{832, 881}));
}

TEST_F(ImageConversion, Register807ReadAsAllOnesIsWrittenBackWithoutItsSpareBits) {
  form.SettingsImage.fill(0xFFFF);
  for (int reg = 801; reg <= 806; ++reg) Word(reg) = 0;
  form.ImageToCheckBoxes();
  std::vector<int> expected;
  for (int box = 897; box <= 910; ++box) expected.push_back(box);
  EXPECT_EQ(CheckedBoxes(), expected);

  form.CheckBoxesToImage();
  EXPECT_EQ(Word(807), 0x3FFF);
  for (int reg = 801; reg <= 806; ++reg) EXPECT_EQ(Word(reg), 0) << reg;
  // Words beyond the programming bits are not touched.
  for (int reg = 808; reg <= 920; ++reg) EXPECT_EQ(Word(reg), 0xFFFF) << reg;
}

TEST_F(ImageConversion, CheckBoxesToImageRebuildsTheSevenWordsFromEveryBox) {
  for (int reg = 801; reg <= 807; ++reg) Word(reg) = 0xA5A5;  // stale
  form.CheckBox(801).Checked = true;
  form.CheckBox(816).Checked = true;
  form.CheckBox(817).Checked = true;
  form.CheckBox(864).Checked = true;
  form.CheckBox(897).Checked = true;
  form.CheckBox(910).Checked = true;
  form.CheckBox(864).Visible = false;  // hidden, still its bit
  form.CheckBox(897).Enabled = false;
  form.CheckBoxesToImage();
  EXPECT_EQ(Word(801), 0x8001);
  EXPECT_EQ(Word(802), 0x0001);
  EXPECT_EQ(Word(803), 0x0000);
  EXPECT_EQ(Word(804), 0x8000);
  EXPECT_EQ(Word(805), 0x0000);
  EXPECT_EQ(Word(806), 0x0000);
  EXPECT_EQ(Word(807), 0x2001);
}

TEST_F(ImageConversion, AHiddenBoxKeepsItsBitThroughReadAndWrite) {
  const std::uint16_t read[7] = {0x1234, 0xFEDC, 0x0F0F, 0xAAAA, 0x5555, 0x8001, 0x3FFF};
  for (int w = 0; w < 7; ++w) form.SettingsImage[std::size_t(w)] = read[w];
  form.ImageToCheckBoxes();
  for (int box : {805, 832, 900, 910}) form.CheckBox(box).Visible = false;
  form.CheckBoxesToImage();
  for (int w = 0; w < 7; ++w) EXPECT_EQ(form.SettingsImage[std::size_t(w)], read[w]) << w;
}

TEST_F(ImageConversion, GridToImageRoundsAndReadsBack) {
  const std::pair<int, const char*> typed[20] = {
      {2, "25"},  {4, "35"},   {0, "5"},     {0, "-5"},    {2, "15"},   {25, "25"}, {12, " 120"},
      {25, "25"}, {10, "$64"}, {10, "0x64"}, {10, "X64"},  {65535, "655350"},     {0, "0"},
      {12, "+120"}, {1, "000010"}, {0, "4"}, {1, "6"}, {6553, "65534"}, {0, "-4"}, {7, "x46"}};
  for (int row = 1; row <= 20; ++row)
    form.StringGrid1.Cells(1, row) = QString::fromLatin1(typed[row - 1].second);
  ASSERT_TRUE(form.GridToImage());
  for (int row = 1; row <= 20; ++row) EXPECT_EQ(Word(900 + row), typed[row - 1].first) << row;

  form.ImageToGrid();
  EXPECT_EQ(form.StringGrid1.Cells(1, 1), QStringLiteral("20"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 2), QStringLiteral("40"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 3), QStringLiteral("0"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 4), QStringLiteral("0"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 6), QStringLiteral("25"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 8), QStringLiteral("25"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 9), QStringLiteral("100"));
  EXPECT_EQ(form.StringGrid1.Cells(1, 12), QStringLiteral("655350"));
}

TEST_F(ImageConversion, GridToImageStopsAtTheFirstInvalidRow) {
  for (int reg = 901; reg <= 920; ++reg) Word(reg) = 999;
  FillGrid(QStringLiteral("50"));
  form.StringGrid1.Cells(1, 5) = QStringLiteral("1,5");
  form.StringGrid1.Cells(1, 7) = QStringLiteral("12ms");  // never reached
  EXPECT_FALSE(form.GridToImage());
  for (int reg = 901; reg <= 904; ++reg) EXPECT_EQ(Word(reg), 5) << reg;
  for (int reg = 905; reg <= 920; ++reg) EXPECT_EQ(Word(reg), 999) << reg;
  // The grid itself is not changed by the conversion.
  EXPECT_EQ(form.StringGrid1.Cells(1, 5), QStringLiteral("1,5"));
}

TEST_F(ImageConversion, EveryRefusedTextStopsTheConversion) {
  for (const char* text : {"", "   ", "120 ", "1.5", "1,5", "12ms", "+", "-", "0x", "$",
                           "2147483648"}) {
    FillGrid(QStringLiteral("10"));
    form.StringGrid1.Cells(1, 2) = QString::fromLatin1(text);
    Word(902) = 777;
    EXPECT_FALSE(form.GridToImage()) << '"' << text << '"';
    EXPECT_EQ(Word(901), 1) << text;
    EXPECT_EQ(Word(902), 777) << text;
  }
}

TEST_F(ImageConversion, ValuesTheRegisterCannotHoldAreRefusedNotCut) {
  struct Case {
    int row;
    const char* text;
  };
  // -20 would be 65534, 700000 would be 4464, $FFFFFFFF is -1.
  for (Case c : {Case{1, "-20"}, Case{3, "700000"}, Case{8, "$FFFFFFFF"}, Case{6, "65536"},
                 Case{20, "655355"}, Case{10, "-2147483648"}}) {
    FillGrid(QStringLiteral("30"));
    form.StringGrid1.Cells(1, c.row) = QString::fromLatin1(c.text);
    for (int reg = 901; reg <= 920; ++reg) Word(reg) = 4321;
    EXPECT_FALSE(form.GridToImage()) << c.row << " " << c.text;
    for (int row = 1; row < c.row; ++row)
      EXPECT_EQ(Word(900 + row), row == 6 || row == 8 ? 30 : 3) << c.text << " row " << row;
    for (int row = c.row; row <= 20; ++row) EXPECT_EQ(Word(900 + row), 4321) << c.text << " row " << row;
  }
  FillGrid(QStringLiteral("655350"));
  form.StringGrid1.Cells(1, 6) = QStringLiteral("65535");
  form.StringGrid1.Cells(1, 8) = QStringLiteral("$FFFF");
  EXPECT_TRUE(form.GridToImage());
  for (int reg = 901; reg <= 920; ++reg) EXPECT_EQ(Word(reg), 65535) << reg;
}

}  // namespace
