#pragma once
// The fixtures of the window's file tests: the literal expected files in
// data/, the window state of the example file, and a headless window in an
// empty current folder with helpers to open, save and build files.

#include "FilesTestSupport.h"
#include "files/SettingsFileFormat.h"

#include <gtest/gtest.h>

inline QString TestDataFile(const QString& name) {
  return QDir(QStringLiteral(WLT_FILES_TEST_DATA)).filePath(name);
}

// The window state of data/WLT_nastawy_007.txt: values 150 and 2000 in the
// first two rows and ten times the row number below; CheckBox801 "Tekst 801"
// and checked, CheckBox802 without caption (hidden) and unchecked, the
// other boxes "Tekst <n>", checked for numbers divisible by 3; odd events
// " Opis <n>", even ones without text; code 1001 "Kod A", 1002 empty, the
// others "Kod <code>".
inline void SetExampleState(TForm1& form) {
  form.InitSettingsCatalogue();
  for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = QString::number(row * 10);
  form.StringGrid1.Cells(1, 1) = QStringLiteral("150");
  form.StringGrid1.Cells(1, 2) = QStringLiteral("2000");
  for (int n = 801; n <= 910; ++n) {
    TCheckBox& box = form.CheckBox(n);
    box.Caption = QStringLiteral("Tekst %1").arg(n);
    box.Checked = n % 3 == 0;
  }
  form.CheckBox(801).Checked = true;
  form.CheckBox(802).Caption.clear();
  form.CheckBox(802).Visible = false;
  for (int n = 1; n <= 160; ++n) form.EventLabels[std::size_t(n)] = n % 2 ? QStringLiteral(" Opis %1").arg(n) : QString();
  for (int c = 0; c < 64; ++c) form.CauseTexts[std::size_t(c)] = QStringLiteral("Kod %1").arg(1001 + c);
  form.CauseTexts[0] = QStringLiteral("Kod A");
  form.CauseTexts[1].clear();
}

// A headless window with the catalogue in place, in an empty current folder.
class FileFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    w.form.InitSettingsCatalogue();
  }
  QString Path(const QString& name) const { return QDir(folder.Path()).filePath(name); }
  // Writes the lines as WLT_nastawy_007.txt and opens it through the menu.
  void Open(const QStringList& lines) {
    ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), Cp1250File(lines)));
    w.ui.ClearRecords();
    w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nastawy_007.txt")));
    w.form.Otwrz1Click();
  }
  bool Failed() const {
    return w.ui.Log == QStringList({QStringLiteral("open:Text files (*.txt)|*.TXT"), QStringLiteral("beep"),
                                    QStringLiteral("message:Błąd odczytu")}) &&
           w.form.Caption == QStringLiteral("WLT - nastawy 007*");
  }
  // Saves through the menu as stem.txt (values 0 where the grid has none)
  // and returns the file's lines.
  QStringList SaveAndRead(const QString& stem) {
    for (int row = 1; row <= 20; ++row)
      if (w.form.StringGrid1.Cells(1, row).isEmpty()) w.form.StringGrid1.Cells(1, row) = QStringLiteral("0");
    w.ui.SaveAnswers.push_back(Path(stem));
    w.ui.ConfirmAnswers.assign(1, true);  // should it replace a file
    w.form.Zapiszjako1Click();
    w.ui.ConfirmAnswers.clear();
    return TextFile::Decode(ReadBytes(Path(stem + QStringLiteral(".txt"))));
  }
  // A whole file: a complete settings section (catalogue names, values
  // 0), this permissions section with the terminator, "Zdarzenia:" and an
  // empty line (the heading alone at the end would fail the pass).
  QStringList WithPermissions(const QString& heading, const QStringList& permissionLines) const {
    SettingsFileFormat::Grid grid;
    for (int row = 0; row <= 20; ++row)
      grid[std::size_t(row)] = {w.form.StringGrid1.Cells(0, row), row ? QStringLiteral("0") : w.form.StringGrid1.Cells(1, 0),
                                w.form.StringGrid1.Cells(2, row)};
    QStringList lines = SettingsFileFormat::HeaderAndSettingsLines(QStringLiteral("007"), grid);
    lines << heading;
    lines += permissionLines;
    lines << SettingsFileFormat::TerminatorLine() << QStringLiteral("Zdarzenia:") << QString();
    return lines;
  }

  TempCurrentFolder folder;
  FakeWindow w;
};
