// "Otwórz plik" and the loader on a headless window: what each section sets,
// what a broken or partial file leaves behind, and the round trip through a
// save.

#include "FileFormTest.h"

#include <gtest/gtest.h>

namespace {

using LoadSettings = FileFormTest;

TEST_F(LoadSettings, ExampleFileFillsGridBoxesAndIndicators) {
  w.form.FactoryNumber = 2;
  ASSERT_TRUE(QFile::copy(TestDataFile(QStringLiteral("WLT_nastawy_007.txt")), Path(QStringLiteral("WLT_nastawy_007.txt"))));
  w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nastawy_007")));  // typed without extension
  w.form.Otwrz1Click();

  EXPECT_EQ(w.ui.Log, QStringList{QStringLiteral("open:Text files (*.txt)|*.TXT")});
  EXPECT_EQ(w.ui.DialogFileNames, QStringList{QStringLiteral("WLT_nast_rejzd_002")});
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  const TStringGrid& grid = w.form.StringGrid1;
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("150"));
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("2000"));
  EXPECT_EQ(grid.Cells(1, 20), QStringLiteral("200"));
  EXPECT_EQ(grid.Cells(0, 6), QStringLiteral("nst_twSPP"));
  EXPECT_EQ(grid.Cells(2, 6), QStringLiteral("min"));
  EXPECT_EQ(grid.Cells(2, 18), QString());
  EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("Nastawa"));  // the heading row is skipped

  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801"));
  EXPECT_TRUE(w.form.CheckBox(801).Checked && w.form.CheckBox(801).Visible);
  EXPECT_EQ(w.form.CheckBox(802).Caption, QString());
  EXPECT_FALSE(w.form.CheckBox(802).Checked || w.form.CheckBox(802).Visible);
  EXPECT_TRUE(w.form.CheckBox(903).Checked);
  EXPECT_FALSE(w.form.CheckBox(904).Checked);

  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("Opis 1"));
  EXPECT_TRUE(w.form.zdLabel(1).Visible && w.form.CheckBox(1).Visible);
  EXPECT_FALSE(w.form.zdLabel(2).Visible || w.form.CheckBox(2).Visible);
  EXPECT_EQ(w.form.EventLabels[1], QStringLiteral(" Opis 1"));
  EXPECT_EQ(w.form.EventLabels[2], QString());
  EXPECT_EQ(w.form.CauseTexts[0], QStringLiteral("Kod A"));
  EXPECT_EQ(w.form.CauseTexts[1], QString());
  EXPECT_EQ(w.form.CauseTexts[63], QStringLiteral("Kod 1064"));
}

TEST_F(LoadSettings, SavedThenEditedThenOpenedAgainShowsTheSavedState) {
  SetExampleState(w.form);
  w.form.CheckBox(830).Visible = false;  // hidden, still saved with its caption
  w.ui.SaveAnswers.push_back(Path(QStringLiteral("WLT_nastawy_007")));
  w.form.Zapiszjako1Click();
  ASSERT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));

  w.form.StringGrid1.Cells(1, 3) = QStringLiteral("9990");
  w.form.StringGrid1.Cells(2, 19) = QStringLiteral("szt");
  w.form.CheckBox(801).Checked = false;
  w.form.CheckBox(801).Caption = QStringLiteral("inny");
  w.form.EventLabels[5].clear();
  w.form.CauseTexts[2] = QStringLiteral("inny");
  w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nastawy_007.txt")));
  w.form.Otwrz1Click();

  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.StringGrid1.Cells(1, 3), QStringLiteral("30"));
  EXPECT_EQ(w.form.StringGrid1.Cells(2, 19), QString());
  EXPECT_TRUE(w.form.CheckBox(801).Checked);
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801"));
  EXPECT_TRUE(w.form.CheckBox(830).Visible);  // a caption shows the box
  EXPECT_EQ(w.form.EventLabels[5], QStringLiteral(" Opis 5"));
  EXPECT_EQ(w.form.CauseTexts[2], QStringLiteral("Kod 1003"));
}

TEST_F(LoadSettings, PermissionLinesWithoutStateOrCaption) {
  w.form.CheckBox(805).Checked = true;
  w.form.CheckBox(806).Checked = true;
  w.form.CheckBox(807).Checked = true;
  w.form.CheckBox(810).Checked = true;
  Open(WithPermissions(QStringLiteral("Blokady:"),
                       {QStringLiteral("805           Tekst 805"),     // caption, no state
                        QStringLiteral("806"),                         // number only
                        QStringLiteral("807           Tekst 807  0 "),  // blank after the state
                        QStringLiteral("808           Tekst 808  1"), QStringLiteral("810           Tekst 810  2"),
                        QStringLiteral("809 -------   Tekst 809  1"),  // ends the section
                        QStringLiteral("811           Tekst 811  1")}));
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.CheckBox(805).Caption, QStringLiteral("Tekst 805"));
  EXPECT_TRUE(w.form.CheckBox(805).Visible && w.form.CheckBox(805).Checked);
  EXPECT_EQ(w.form.CheckBox(806).Caption, QString());
  EXPECT_FALSE(w.form.CheckBox(806).Visible);
  EXPECT_TRUE(w.form.CheckBox(806).Checked);
  EXPECT_TRUE(w.form.CheckBox(807).Checked);
  EXPECT_TRUE(w.form.CheckBox(808).Checked);
  EXPECT_FALSE(w.form.CheckBox(810).Checked);  // only 1 checks
  EXPECT_EQ(w.form.CheckBox(809).Caption, QStringLiteral("nast_SZR9"));
  EXPECT_EQ(w.form.CheckBox(811).Caption, QStringLiteral("nast_SZR11"));
  EXPECT_FALSE(w.form.CheckBox(811).Checked);
}

TEST_F(LoadSettings, SettingsWithoutPermissionsHeadingLoadTheGridThenFail) {
  w.form.EventLabels[3] = QStringLiteral(" przed");
  w.form.CauseTexts[3] = QStringLiteral("przed");
  // The example file without its permissions section.
  QStringList lines = TextFile::Decode(ReadBytes(TestDataFile(QStringLiteral("WLT_nastawy_007.txt"))));
  ASSERT_EQ(lines[26], QStringLiteral("Zezwolenia:"));
  lines.remove(26, 112);
  ASSERT_EQ(lines[26], QStringLiteral("Zdarzenia:"));
  Open(lines);
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.StringGrid1.Cells(1, 1), QStringLiteral("150"));
  EXPECT_EQ(w.form.StringGrid1.Cells(1, 20), QStringLiteral("200"));
  // The event-texts pass did not run.
  EXPECT_EQ(w.form.EventLabels[3], QStringLiteral(" przed"));
  EXPECT_EQ(w.form.CauseTexts[3], QStringLiteral("przed"));
  EXPECT_EQ(w.form.zdLabel(3).Caption, QStringLiteral("Label"));
}

TEST_F(LoadSettings, BrokenSectionsKeepWhatWasReadBeforeTheFault) {
  // An unreadable row number: rows before it are filled, the rest is not.
  Open({QStringLiteral("Nastawy:"), QString(), QStringLiteral(" 1   a        11   x"), QStringLiteral(" 2   b        22   y"),
        QStringLiteral("x3   c        33   z"), QStringLiteral(" 4   d        44   w")});
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.StringGrid1.Cells(0, 2), QStringLiteral("b        22   y"));
  EXPECT_EQ(w.form.StringGrid1.Cells(0, 4), QStringLiteral("nst_tgSZRA"));

  // No settings heading at all: nothing changes.
  w.form.InitSettingsCatalogue();
  Open({QStringLiteral("Zezwolenia:"), QStringLiteral("801           Tekst 801  1"), QStringLiteral("Zdarzenia:"),
        QStringLiteral("1 nowy")});
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("nast_SZR1"));

  // A broken permissions line: boxes before it are set, no event texts read.
  Open(WithPermissions(QStringLiteral("Zezwolenia:"), {QStringLiteral("801           Tekst 801  1"), QStringLiteral("8O2 x  1"),
                                                       QStringLiteral("803           Tekst 803  1")}) +
       QStringList{QStringLiteral("1 nowy")});
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801"));
  EXPECT_EQ(w.form.CheckBox(803).Caption, QStringLiteral("nast_SZR3"));
  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("Label"));
}

TEST_F(LoadSettings, RowNumbersOutsideTheGridAndASectionCutShort) {
  Open({QStringLiteral("Nastawy:"), QString(), QStringLiteral(" 0   zero"), QStringLiteral("21   poza"),
        QStringLiteral(" 5           nst_trSPP        50       ms")});
  // The settings pass succeeds; the file has no permissions section.
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.StringGrid1.Cells(1, 5), QStringLiteral("50"));
  EXPECT_EQ(w.form.StringGrid1.Cells(0, 0), QStringLiteral("Nastawa"));
}

// The number of a numbered line is at most 32 characters, in every section.
// A longer run used to be cut after 32 and read as another number, its rest
// starting without a blank: a caption of 20 characters that touched its
// number when saved, so that the saved file could not be opened (found by
// the settings-file fuzz target). Now the load fails at that line.
TEST_F(LoadSettings, NumbersOfMoreThan32CharactersAreInputErrors) {
  const QString zeros29(29, QLatin1Char('0'));  // with "805" or "001", 32 characters
  struct Case {
    const char* what;
    QString row5;  // the row field of settings row 5, when not " 5"
    QStringList permissions, events;
    bool loads;
  };
  const std::vector<Case> cases = {
      {"box line, 32 characters and the caption's padding", {},
       {zeros29 + QStringLiteral("805           Tekst 805  1")}, {}, true},
      {"box line, a caption touching a 32-character number", {},
       {zeros29 + QStringLiteral("805ABCDEFGHIJKLMNOPQRSTU  1")}, {}, false},
      {"box line, 33 characters", {}, {QStringLiteral("0") + zeros29 + QStringLiteral("805 Tekst  1")}, {}, false},
      {"settings row, 32 characters", zeros29 + QStringLiteral("005"), {}, {}, true},
      {"settings row, 33 characters", zeros29 + QStringLiteral("0005"), {}, {}, false},
      {"event line, 32 characters then its text", {}, {}, {zeros29 + QStringLiteral("001 Opis")}, true},
      {"event line, text touching a 32-character number", {}, {}, {zeros29 + QStringLiteral("001Opis")}, false},
  };
  for (const Case& c : cases) {
    w.form.InitSettingsCatalogue();
    QStringList lines = WithPermissions(QStringLiteral("Zezwolenia:"), c.permissions) + c.events;
    const qsizetype row5 = lines.indexOf(SettingsFileFormat::GridRowLine(5, QStringLiteral("nst_trSPP"),
                                                                         QStringLiteral("0"), QStringLiteral("ms")));
    ASSERT_GT(row5, 0);
    if (!c.row5.isEmpty()) lines[row5] = c.row5 + lines[row5].mid(2);
    w.form.StringGrid1.Cells(1, 5) = QStringLiteral("55");
    const QString label1 = w.form.zdLabel(1).Caption;
    Open(lines);
    EXPECT_EQ(Failed(), !c.loads) << c.what;
    if (c.loads) {
      EXPECT_EQ(w.form.StringGrid1.Cells(1, 5), QStringLiteral("0")) << c.what;
      continue;
    }
    EXPECT_EQ(w.form.CheckBox(805).Caption, QStringLiteral("nast_SZR5")) << c.what;
    EXPECT_EQ(w.form.zdLabel(1).Caption, label1) << c.what;

    // Whatever the window shows after it, it saves a file it can open.
    Open(SaveAndRead(QStringLiteral("WLT_nastawy_008")));
    EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007")) << c.what;
  }
}

TEST_F(LoadSettings, MissingFileAndNoFileNameAtAll) {
  w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nastawy_008")));
  w.form.Otwrz1Click();
  EXPECT_EQ(w.ui.Messages, QStringList{QStringLiteral("Błąd odczytu\nNie ma pliku WLT_nastawy_008.txt w folderze ") +
                                        QDir::toNativeSeparators(QFileInfo(Path(QStringLiteral("x"))).absolutePath()) +
                                        QStringLiteral(".")});
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 008*"));
  EXPECT_EQ(w.form.FactoryNumber, 8);
}

TEST_F(LoadSettings, PolishLettersInWindows1250ReadBackEqual) {
  const QString caption = QStringLiteral("Zażółć gęślą jaźń");
  const QString cause = QStringLiteral("Łączność ŚŻŹĆŃĘĄÓ przerwana");
  QStringList lines = WithPermissions(QStringLiteral("Zezwolenia:"),
                                      {QStringLiteral("801") + caption.rightJustified(20) + QStringLiteral("  1")});
  lines << QStringLiteral("1 Człon ręczny") << QStringLiteral("1001       ") + cause;
  Open(lines);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.CheckBox(801).Caption, caption);
  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("Człon ręczny"));
  EXPECT_EQ(w.form.CauseTexts[0], cause);
  // And written back in the same bytes.
  for (int row = 1; row <= 20; ++row) w.form.StringGrid1.Cells(1, row) = QStringLiteral("0");
  w.ui.SaveAnswers.push_back(Path(QStringLiteral("WLT_nastawy_009")));
  w.form.Zapiszjako1Click();
  const QByteArray saved = ReadBytes(Path(QStringLiteral("WLT_nastawy_009.txt")));
  EXPECT_TRUE(saved.contains(Cp1250File({QStringLiteral("801") + caption.rightJustified(20) + QStringLiteral("  1")})));
  EXPECT_TRUE(saved.contains(Cp1250File({QStringLiteral("1 Człon ręczny")})));
  EXPECT_TRUE(saved.contains(Cp1250File({QStringLiteral("1001       ") + cause})));
}

}  // namespace
