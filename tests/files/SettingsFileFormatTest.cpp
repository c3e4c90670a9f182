// The settings file's own sections as pure code: the lines the writer makes
// and what the reader takes from them.

#include "FilesTestSupport.h"
#include "files/SettingsFileFormat.h"

#include <gtest/gtest.h>

namespace {

using namespace SettingsFileFormat;

TEST(SettingsFileLines, FixedWidthFieldsAsTheFileShowsThem) {
  EXPECT_EQ(TitleLine(QStringLiteral("007")), QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(FrameLine(), QString(52, QLatin1Char('-')));
  EXPECT_EQ(TerminatorLine(), QStringLiteral("0 -------------------------------------------------------"));
  EXPECT_EQ(TerminatorLine().size(), 57);

  const struct {
    int row;
    const char* name;
    const char* value;
    const char* unit;
    QString line;
  } rows[] = {
      {0, "Nastawa", "Wartość", "Jednostka", QStringLiteral("               Nastawa   WartośćJednostka")},
      {1, "nst_trSZR", "150", "ms", QStringLiteral(" 1           nst_trSZR       150       ms")},
      {20, "nst_rez_3", "0", "", QStringLiteral("20           nst_rez_3         0         ")},
      // Never cut: a longer field pushes the ones behind it.
      {3, "a_name_of_21_letters_", "12345678901", "", QStringLiteral(" 3a_name_of_21_letters_12345678901         ")},
  };
  for (const auto& r : rows)
    EXPECT_EQ(GridRowLine(r.row, QString::fromUtf8(r.name), QString::fromUtf8(r.value), QString::fromUtf8(r.unit)),
              r.line);

  EXPECT_EQ(CheckBoxLine(801, QStringLiteral("Tekst 801"), true), QStringLiteral("801           Tekst 801  1"));
  EXPECT_EQ(CheckBoxLine(802, QString(), false), QStringLiteral("802                      0"));
}

TEST(SettingsFileLines, HeaderAndSettingsSectionInOrder) {
  Grid grid;
  grid[0] = {QStringLiteral("Nastawa"), QStringLiteral("Wartość"), QStringLiteral("Jednostka")};
  for (int row = 1; row < kGridRows; ++row)
    grid[std::size_t(row)] = {QStringLiteral("n%1").arg(row), QString::number(row * 10), QStringLiteral("ms")};
  const QStringList lines = HeaderAndSettingsLines(QStringLiteral("1000"), grid);
  ASSERT_EQ(lines.size(), 4 + 21 + 1);
  EXPECT_EQ(lines.mid(0, 4), QStringList({QStringLiteral("WLT - nastawy 1000"), QString(), FrameLine(),
                                          QStringLiteral("Nastawy:")}));
  EXPECT_EQ(lines[5], QStringLiteral(" 1                  n1        10       ms"));
  EXPECT_EQ(lines[24], QStringLiteral("20                 n20       200       ms"));
  EXPECT_EQ(lines.last(), FrameLine());

  // What the reader takes back: every row with its three cells.
  const Section section = ParseSettingsSection(lines);
  ASSERT_TRUE(section.ok);
  ASSERT_EQ(section.lines.size(), 20u);
  for (int row = 1; row < kGridRows; ++row) {
    const GridCells cells = GridRowCells(section.lines[std::size_t(row - 1)].rest);
    EXPECT_EQ(section.lines[std::size_t(row - 1)].number, row);
    EXPECT_EQ(cells.name, grid[std::size_t(row)][0]);
    EXPECT_EQ(cells.value, grid[std::size_t(row)][1]);
    EXPECT_EQ(cells.unit, grid[std::size_t(row)][2]);
  }
}

TEST(SettingsSectionReading, RowsOutsideTheGridShortSectionsAndErrors) {
  const QString heading = QStringLiteral("Nastawy:");
  const QString headingRow = QStringLiteral("               Nastawa   WartośćJednostka");
  // Rows 0, 21 and -1 address no grid row; a section cut short ends in the 0
  // of the end of the file.
  Section s = ParseSettingsSection({heading, headingRow, QStringLiteral(" 0  x  1  ms"), QStringLiteral("21 y"),
                                    QStringLiteral("-1 z"), QStringLiteral(" 2           nst_tgSZR      2000       ms")});
  EXPECT_TRUE(s.ok);
  ASSERT_EQ(s.lines.size(), 1u);
  EXPECT_EQ(s.lines[0].number, 2);

  // An unreadable number ends the pass; the rows before it are kept.
  s = ParseSettingsSection({heading, headingRow, QStringLiteral(" 1 a 1 ms"), QStringLiteral(" x2 b")});
  EXPECT_FALSE(s.ok);
  ASSERT_EQ(s.lines.size(), 1u);

  EXPECT_FALSE(ParseSettingsSection({QStringLiteral("Zezwolenia:"), QStringLiteral("801 a  1")}).ok);
  EXPECT_FALSE(ParseSettingsSection({QStringLiteral("x"), heading}).ok);  // nothing follows
  // Only the heading row follows: twenty reads at the end of the file.
  s = ParseSettingsSection({heading, headingRow});
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(s.lines.empty());
}

TEST(SettingsSectionReading, CellsCutAtTheWriterWidths) {
  const GridCells cells = GridRowCells(QStringLiteral("    name with blanks123456789012 unit cut here"));
  EXPECT_EQ(cells.name, QStringLiteral("name with blanks"));
  EXPECT_EQ(cells.value, QStringLiteral("1234567890"));  // characters 21 to 30
  EXPECT_EQ(cells.unit, QStringLiteral("12 unit c"));    // characters 31 to 39
  const GridCells trailing = GridRowCells(QStringLiteral("          name      \t   12  \t"));
  EXPECT_EQ(trailing.name, QStringLiteral("name      "));  // trailing blanks stay
  EXPECT_EQ(trailing.value, QStringLiteral("12  \t"));
  EXPECT_EQ(GridRowCells(QString()).name, QString());
}

TEST(PermissionsSectionReading, HeadingsTerminatorAndNumbers) {
  // "Blokady:" serves as well; numbers outside 801..910 are left out; the
  // terminator ends the section even though "0" is a number.
  Section s = ParsePermissionsSection({QStringLiteral("Blokady:"), QStringLiteral("801           Tekst 801  1"),
                                       QStringLiteral("800 x  1"), QStringLiteral("911 y  1"),
                                       QStringLiteral("910           Tekst 910  0"), TerminatorLine(),
                                       QStringLiteral("805           po końcu  1")});
  ASSERT_TRUE(s.ok);
  ASSERT_EQ(s.lines.size(), 2u);
  EXPECT_EQ(s.lines[0].number, 801);
  EXPECT_EQ(s.lines[1].number, 910);

  // A rest with "-------" ends the section although its number is a box's.
  s = ParsePermissionsSection({QStringLiteral("Zezwolenia:"), QStringLiteral("803 x-------  1"),
                               QStringLiteral("804           Tekst 804  1")});
  ASSERT_TRUE(s.ok);
  EXPECT_TRUE(s.lines.empty());

  // No terminator: the section runs to the end of the file.
  s = ParsePermissionsSection({QStringLiteral("Zezwolenia:"), QStringLiteral("806"), QString()});
  ASSERT_TRUE(s.ok);
  ASSERT_EQ(s.lines.size(), 1u);
  EXPECT_EQ(s.lines[0].rest, QString());

  s = ParsePermissionsSection({QStringLiteral("Zezwolenia:"), QStringLiteral("807 a  1"), QStringLiteral("Tekst")});
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.lines.size(), 1u);
  EXPECT_FALSE(ParsePermissionsSection({QStringLiteral("zezwolenia:"), QStringLiteral("807 a  1")}).ok);
  EXPECT_FALSE(ParsePermissionsSection({QStringLiteral("Nastawy:"), QStringLiteral("Zezwolenia:")}).ok);
}

TEST(PermissionsSectionReading, CaptionAndStateOfABoxLine) {
  const struct {
    QString rest;
    QString caption;
    std::optional<int> state;
  } cases[] = {
      {QStringLiteral("           Tekst 801  1"), QStringLiteral("Tekst 801"), 1},
      {QStringLiteral("           Tekst 805"), QStringLiteral("Tekst 805"), std::nullopt},  // no state
      {QString(), QString(), std::nullopt},                                                   // the number only
      {QStringLiteral("           Tekst 807  1 "), QStringLiteral("Tekst 807"), std::nullopt},  // blank after it
      {QStringLiteral("                      0"), QString(), 0},
      {QStringLiteral("           Tekst 808  2"), QStringLiteral("Tekst 808"), 2},
      {QStringLiteral(" A caption of 20 ch.  1"), QStringLiteral("A caption of 20 ch."), 1},
      {QStringLiteral("\tTab  1"), QStringLiteral("Tab  1"), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckBoxCaption(c.rest), c.caption) << c.rest.toStdString();
    EXPECT_EQ(CheckBoxState(c.rest), c.state) << c.rest.toStdString();
  }
}

}  // namespace
