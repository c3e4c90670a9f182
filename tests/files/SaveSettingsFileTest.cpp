// "Zapisz plik jako..." on a headless window: the file byte for byte, the
// names accepted and refused, the backup, and what stays on disk when the
// save is refused or fails.

#include "FileFormTest.h"

#include <gtest/gtest.h>

namespace {

class SaveSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    SetExampleState(w.form);
  }
  QString Path(const QString& name) const { return QDir(folder.Path()).filePath(name); }
  // Runs the menu command with this answer to the save dialog and, should
  // it ask before replacing a file, OK.
  void Save(const QString& chosen) {
    w.ui.SaveAnswers.push_back(chosen);
    w.ui.ConfirmAnswers.assign(1, true);
    w.form.Zapiszjako1Click();
    w.ui.ConfirmAnswers.clear();
  }

  TempCurrentFolder folder;
  FakeWindow w;
};

TEST_F(SaveSettings, ExampleFileByteForByteUnderTheNameTypedWithoutExtension) {
  w.form.FactoryNumber = 3;
  w.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
  Save(Path(QStringLiteral("WLT_nastawy_007")));

  EXPECT_EQ(w.ui.Log, QStringList{QStringLiteral("save:Text files (*.txt)|*.TXT")});
  EXPECT_EQ(w.ui.DialogFileNames, QStringList{QStringLiteral("WLT_nast_rejzd_003")});
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_EQ(w.form.FactoryNumber, 7);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(FolderEntries(folder.Path()), QStringList{QStringLiteral("WLT_nastawy_007.txt")});
  const QByteArray expected = ReadBytes(TestDataFile(QStringLiteral("WLT_nastawy_007.txt")));
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), expected);

  // The expected file itself, written out here where its layout is fixed:
  // header, headings, first rows, first boxes, first events and codes.
  const QStringList lines = TextFile::Decode(expected);
  ASSERT_EQ(lines.size(), 4 + 21 + 1 + 1 + 110 + 1 + 1 + 160 + 64);
  const QStringList head = {QStringLiteral("WLT - nastawy 007"),
                            QString(),
                            QStringLiteral("----------------------------------------------------"),
                            QStringLiteral("Nastawy:"),
                            QStringLiteral("               Nastawa   WartośćJednostka"),
                            QStringLiteral(" 1           nst_trSZR       150       ms"),
                            QStringLiteral(" 2           nst_tgSZR      2000       ms")};
  EXPECT_EQ(lines.mid(0, 7), head);
  EXPECT_EQ(lines.mid(25, 4), QStringList({QStringLiteral("----------------------------------------------------"),
                                           QStringLiteral("Zezwolenia:"), QStringLiteral("801           Tekst 801  1"),
                                           QStringLiteral("802                      0")}));
  EXPECT_EQ(lines.mid(137, 4), QStringList({QStringLiteral("0 -------------------------------------------------------"),
                                            QStringLiteral("Zdarzenia:"), QStringLiteral("1 Opis 1"), QStringLiteral("2")}));
  EXPECT_EQ(lines.mid(299, 2), QStringList({QStringLiteral("1001       Kod A"), QStringLiteral("1002       ")}));
  EXPECT_TRUE(expected.endsWith("1064       Kod 1064\r\n"));
}

TEST_F(SaveSettings, DisabledBoxesGetNoLineHiddenOnesDo) {
  w.form.CheckBox(849).Enabled = false;
  w.form.CheckBox(851).Visible = false;
  Save(Path(QStringLiteral("WLT_nastawy_007.txt")));
  const QStringList lines = TextFile::Decode(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))));
  EXPECT_TRUE(lines.contains(QStringLiteral("848           Tekst 848  0")));
  EXPECT_FALSE(lines.contains(QStringLiteral("849           Tekst 849  1")));
  EXPECT_TRUE(lines.contains(QStringLiteral("851           Tekst 851  0")));
  EXPECT_EQ(lines.size(), 4 + 21 + 1 + 1 + 109 + 1 + 1 + 160 + 64);
}

TEST_F(SaveSettings, SecondSaveKeepsThePreviousFileAsTheOnlyBackup) {
  Save(Path(QStringLiteral("WLT_nastawy_007")));
  const QByteArray first = ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt")));
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.bak")), "an older backup\r\n"));
  w.form.StringGrid1.Cells(1, 1) = QStringLiteral("990");
  Save(Path(QStringLiteral("WLT_nastawy_007")));

  EXPECT_EQ(FolderEntries(folder.Path()),
            QStringList({QStringLiteral("WLT_nastawy_007.bak"), QStringLiteral("WLT_nastawy_007.txt")}));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), first);
  const QStringList lines = TextFile::Decode(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))));
  EXPECT_EQ(lines[5], QStringLiteral(" 1           nst_trSZR       990       ms"));
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_TRUE(w.ui.Messages.isEmpty());
}

TEST_F(SaveSettings, ANameWithAnotherExtensionMovesThePreviousFileToTheBackup) {
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), "previous\r\n"));
  Save(Path(QStringLiteral("WLT_nastawy_007.abc")));
  EXPECT_EQ(FolderEntries(folder.Path()),
            QStringList({QStringLiteral("WLT_nastawy_007.abc.txt"), QStringLiteral("WLT_nastawy_007.bak")}));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), QByteArray("previous\r\n"));
}

TEST_F(SaveSettings, AnInvalidGridValueLeavesTheDiskUntouched) {
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), "old file\r\n"));
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.bak")), "old backup\r\n"));
  w.form.SettingsImage.fill(0xAAAA);
  w.form.StringGrid1.Cells(1, 5) = QStringLiteral("12,5");
  Save(Path(QStringLiteral("WLT_nastawy_007")));

  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007*"));
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QStringLiteral("Niepoprawna wartość"));
  EXPECT_EQ(w.ui.Beeps, 1);
  EXPECT_TRUE(w.ui.Messages.isEmpty());
  EXPECT_EQ(FolderEntries(folder.Path()),
            QStringList({QStringLiteral("WLT_nastawy_007.bak"), QStringLiteral("WLT_nastawy_007.txt")}));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), QByteArray("old file\r\n"));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), QByteArray("old backup\r\n"));
  // Rows before the refused one are already converted, as for a device write.
  EXPECT_EQ(w.form.SettingsImage[103], 4);       // row 4: 40 ms
  EXPECT_EQ(w.form.SettingsImage[104], 0xAAAA);  // row 5 and after: untouched
}

TEST_F(SaveSettings, AnOutputErrorKeepsTheOldFileAndReportsIt) {
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), "old file\r\n"));
  {
    const FileSizeLimit limit(2000);  // the write fails part-way
    ASSERT_TRUE(limit.Active());
    Save(Path(QStringLiteral("WLT_nastawy_007")));
  }
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007*"));
  EXPECT_EQ(w.ui.Log.mid(1), QStringList({QStringLiteral("confirm:Plik WLT_nastawy_007.txt już istnieje. Zastąpić go?"),
                                          QStringLiteral("beep"), QStringLiteral("message:Błąd zapisu")}));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), QByteArray("old file\r\n"));
  // Besides it only the backup: no half-written file is left behind.
  EXPECT_EQ(FolderEntries(folder.Path()),
            QStringList({QStringLiteral("WLT_nastawy_007.bak"), QStringLiteral("WLT_nastawy_007.txt")}));
}

TEST_F(SaveSettings, ABackupThatCannotBeMadeStopsTheSaveBeforeWriting) {
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), "old file\r\n"));
  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("WLT_nastawy_007.bak")));
  w.form.Caption = QStringLiteral("WLT - nastawy 005");
  Save(Path(QStringLiteral("WLT_nastawy_007.txt")));
  EXPECT_EQ(w.ui.Errors, QStringList{QStringLiteral("Unable to create backup file.")});
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), QByteArray("old file\r\n"));
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 005"));
}

TEST_F(SaveSettings, CancelledDialogDoesNothing) {
  w.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
  w.form.Zapiszjako1Click();  // no answer: cancelled
  EXPECT_EQ(w.ui.Log, QStringList{QStringLiteral("save:Text files (*.txt)|*.TXT")});
  EXPECT_EQ(w.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_TRUE(FolderEntries(folder.Path()).isEmpty());
}

// The same name rules hold for saving and opening.
TEST_F(SaveSettings, RefusedNamesWriteAndReadNothing) {
  const struct {
    const char* name;
    int factoryNumberAfter;  // from 5
  } cases[] = {
      {"WLT_nastawy_7.txt", 5},   {"WLT_nastawy_12a", 5},
      {"wlt_nastawy_007.txt", 7}, {"Kopia_123.txt", 123},
      {"WLT_nastawy.txt", 5},     {"WLT_nast_rejzd_x1000", 0},
  };
  for (const bool saving : {true, false}) {
    for (const auto& c : cases) {
      const QString name = QString::fromLatin1(c.name);
      ASSERT_TRUE(WriteBytes(Path(name), "must stay\r\n"));
      w.form.FactoryNumber = 5;
      w.form.Caption = QStringLiteral("WLT - nastawy 005");
      w.ui.ClearRecords();
      if (saving) {
        Save(Path(name));
      } else {
        w.ui.OpenAnswers.push_back(Path(name));
        w.form.Otwrz1Click();
      }
      // Saving over it (a name with ".txt"), the question before the file
      // is replaced comes first, as the dialog asked it.
      QStringList expected{QStringLiteral("beep"),
                           QStringLiteral("message:Błędna nazwa pliku.\nNazwa musi mieć postać "
                                          "WLT_nastawy_NNN.txt lub WLT_nast_rejzd_NNN.txt (NNN: numer "
                                          "fabryczny).")};
      if (saving && name.endsWith(QLatin1String(".txt"))) expected.prepend(QStringLiteral("confirm:Plik %1 już istnieje. Zastąpić go?").arg(name));
      EXPECT_EQ(w.ui.Log.mid(1), expected) << c.name;
      EXPECT_EQ(w.form.FactoryNumber, c.factoryNumberAfter) << c.name;
      EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 005")) << c.name;
      EXPECT_EQ(ReadBytes(Path(name)), QByteArray("must stay\r\n")) << c.name;
      EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801")) << c.name;  // nothing read
      QFile::remove(Path(name));
      EXPECT_TRUE(FolderEntries(folder.Path()).isEmpty()) << c.name;
    }
  }
  // The number a refused name gave is the one proposed next.
  w.form.FactoryNumber = 5;
  Save(Path(QStringLiteral("Kopia_123.txt")));
  w.ui.ClearRecords();
  w.form.Zapiszjako1Click();
  EXPECT_EQ(w.ui.DialogFileNames, QStringList{QStringLiteral("WLT_nast_rejzd_123")});
}

TEST_F(SaveSettings, FactoryNumbersFromOneThousandUpAreSavedOpenedAndProposed) {
  w.form.FactoryNumber = 1000;
  Save(Path(QStringLiteral("WLT_nast_rejzd_1000")));
  EXPECT_EQ(w.ui.DialogFileNames, QStringList{QStringLiteral("WLT_nast_rejzd_1000")});
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 1000"));
  const QStringList lines = TextFile::Decode(ReadBytes(Path(QStringLiteral("WLT_nast_rejzd_1000.txt"))));
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines[0], QStringLiteral("WLT - nastawy 1000"));

  w.form.FactoryNumber = 0;
  w.form.CheckBox(801).Caption = QStringLiteral("zmieniony");
  w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nast_rejzd_1000.txt")));
  w.form.Otwrz1Click();
  EXPECT_EQ(w.form.FactoryNumber, 1000);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 1000"));
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801"));
}

TEST_F(SaveSettings, AValueWiderThanItsFieldIsSavedAsItsNumber) {
  w.form.StringGrid1.Cells(1, 3) = QStringLiteral("    000000030");
  w.form.StringGrid1.Cells(1, 4) = QStringLiteral("  $28");  // fits: saved as typed
  Save(Path(QStringLiteral("WLT_nastawy_007")));
  const QStringList lines = TextFile::Decode(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))));
  EXPECT_EQ(lines[7], QStringLiteral(" 3          nst_trSZRA        30       ms"));
  EXPECT_EQ(lines[8], QStringLiteral(" 4          nst_tgSZRA       $28       ms"));
}

}  // namespace
