// The printouts' lines as pure functions over plain data, against literal
// lines, and the page painter's placing of lines on pages.

#include "printing/PagePainter.h"
#include "printing/PrintoutLines.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const QString kRule = QStringLiteral(
    "   --------------------------------------------------------------------------");

TEST(PrintoutLines, RuleIsTheMarginAnd74Dashes) {
  EXPECT_EQ(PrintoutLines::Rule(), kRule);
  EXPECT_EQ(PrintoutLines::Rule().size(), 3 + 74);
}

TEST(PrintoutLines, GridRowLinesAreRightAlignedAndNeverCut) {
  struct Case {
    int row;
    QString name, value, unit, line;
  };
  const Case cases[] = {
      // Row 0 is the heading row: two blanks for the number.
      {0, QStringLiteral("Nastawa"), QStringLiteral("Wartość"), QStringLiteral("Jednostka"),
       QStringLiteral("                  Nastawa   WartośćJednostka")},
      {1, QStringLiteral("nst_trSZR"), QStringLiteral("150"), QStringLiteral("ms"),
       QStringLiteral("    1           nst_trSZR       150       ms")},
      {20, QStringLiteral("nst_rez_3"), QStringLiteral("0"), QString(),
       QStringLiteral("   20           nst_rez_3         0         ")},
      // Exactly at the widths: nothing between the fields.
      {9, QStringLiteral("abcdefghijklmnopqrst"), QStringLiteral("1234567890"), QStringLiteral("jednostka"),
       QStringLiteral("    9abcdefghijklmnopqrst1234567890jednostka")},
      // Longer than the widths: printed in full, the rest pushed right.
      {10, QStringLiteral("nazwa dłuższa niż dwadzieścia"), QStringLiteral("12345678901"),
       QStringLiteral("milisekundy"),
       QStringLiteral("   10nazwa dłuższa niż dwadzieścia12345678901milisekundy")},
      // The text as the grid shows it, whatever it means.
      {6, QStringLiteral("nst_twSPP"), QStringLiteral(" $64"), QStringLiteral("min"),
       QStringLiteral("    6           nst_twSPP       $64      min")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintoutLines::GridRowLine(c.row, c.name, c.value, c.unit), c.line) << c.row;
}

TEST(PrintoutLines, PermissionLinesCarryNumberCaptionAndState) {
  struct Case {
    int number;
    QString caption;
    bool checked;
    QString line;
  };
  const Case cases[] = {
      {801, QStringLiteral("nast_SZR1"), true, QStringLiteral("   801            nast_SZR1  1")},
      {910, QStringLiteral("nast_rez23"), false, QStringLiteral("   910           nast_rez23  0")},
      {802, QString(), false, QStringLiteral("   802                       0")},
      {803, QStringLiteral("Łączenie źródeł"), true, QStringLiteral("   803      Łączenie źródeł  1")},
      {804, QStringLiteral("podpis dłuższy niż 20 znaków"), true,
       QStringLiteral("   804 podpis dłuższy niż 20 znaków  1")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintoutLines::PermissionLine(c.number, c.caption, c.checked), c.line) << c.number;
}

TEST(PrintoutLines, SettingsTableFramesTheGrid) {
  TStringGrid grid;
  grid.Cells(0, 0) = QStringLiteral("Nastawa");
  grid.Cells(1, 0) = QStringLiteral("Wartość");
  grid.Cells(2, 0) = QStringLiteral("Jednostka");
  for (int row = 1; row <= 20; ++row) {
    grid.Cells(0, row) = QStringLiteral("n%1").arg(row);
    grid.Cells(1, row) = QString::number(row * 10);
    grid.Cells(2, row) = QStringLiteral("ms");
  }
  const QStringList lines = PrintoutLines::SettingsTable(QStringLiteral("007"), grid);
  ASSERT_EQ(lines.size(), 27);
  EXPECT_EQ(lines[0], QString());
  EXPECT_EQ(lines[1], QStringLiteral("   WLT - nastawy 007"));
  EXPECT_EQ(lines[2], QString());
  EXPECT_EQ(lines[3], kRule);
  EXPECT_EQ(lines[4], QStringLiteral("   Nastawy:"));
  EXPECT_EQ(lines[5], QStringLiteral("                  Nastawa   WartośćJednostka"));
  EXPECT_EQ(lines[6], QStringLiteral("    1                  n1        10       ms"));
  EXPECT_EQ(lines[25], QStringLiteral("   20                 n20       200       ms"));
  EXPECT_EQ(lines[26], kRule);
  EXPECT_EQ(PrintoutLines::SettingsTitle(QStringLiteral("1234")), QStringLiteral("   WLT - nastawy 1234"));
  EXPECT_EQ(PrintoutLines::PermissionsHeading(), QStringLiteral("   Zezwolenia:"));
}

TEST(PrintoutLines, EventPrintoutIsTwoEmptyLinesThenTheListBehindTheMargin) {
  const QStringList list = {QStringLiteral("Tytuł"), QString(), QStringLiteral("01   24-03-15")};
  EXPECT_EQ(PrintoutLines::EventPrintout(list),
            (QStringList{QString(), QString(), QStringLiteral("   Tytuł"), QStringLiteral("   "),
                         QStringLiteral("   01   24-03-15")}));
  EXPECT_EQ(PrintoutLines::EventPrintout({}), (QStringList{QString(), QString()}));
}

// Pages 100 high, lines 10 apart with ascent 8 and descent 2: baselines 8,
// 18, ... 98 fit (98 + 2 = 100), so ten lines fill a page.
TEST(PagePainterLayOut, LinesFlowOntoAsManyPagesAsTheyNeed) {
  struct Case {
    int lines, pageHeight;
    int pages;           // pages used
    int lastBaseline;    // of the last line
  };
  const Case cases[] = {
      {0, 100, 0, 0},   {1, 100, 1, 8},    {10, 100, 1, 98}, {11, 100, 2, 8},
      {25, 100, 3, 48}, {30, 100, 3, 98},  {31, 99, 4, 38},  // 99: nine lines a page
      // A page too low for even one line still takes one line each.
      {3, 5, 3, 8},
  };
  for (const Case& c : cases) {
    const std::vector<PagePainter::LinePlace> places = PagePainter::LayOut(c.lines, 10, 8, 2, c.pageHeight);
    ASSERT_EQ(int(places.size()), c.lines);
    if (c.lines == 0) continue;
    EXPECT_EQ(places.back().page + 1, c.pages) << c.lines << " lines, height " << c.pageHeight;
    EXPECT_EQ(places.back().baseline, c.lastBaseline) << c.lines << " lines, height " << c.pageHeight;
    for (std::size_t i = 1; i < places.size(); ++i) {
      const bool newPage = places[i].page != places[i - 1].page;
      EXPECT_EQ(places[i].page, places[i - 1].page + (newPage ? 1 : 0));
      EXPECT_EQ(places[i].baseline, newPage ? 8 : places[i - 1].baseline + 10);
    }
  }
}

}  // namespace
