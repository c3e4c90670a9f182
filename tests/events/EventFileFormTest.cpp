// The event file on a headless window: "Zapisz plik jako..." writes the
// readout of a fake controller byte for byte, "Otwórz plik" brings it back
// into a window without a controller exactly as it was read, files that do
// not read change nothing, and failed saves keep what was on disk.

#include "EventFileTestSupport.h"
#include "FifoFeeder.h"

#include <gtest/gtest.h>

namespace {

using eventfiletest::ReadOut;
using eventfiletest::Shown;
using eventfiletest::ShownBy;

class EventFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    ReadOut(reader, eventfiletest::VariedTable());
    ASSERT_TRUE(reader.form.EventsLoaded);
    reader.ui.ClearRecords();
    viewer.form.InitSettingsCatalogue();
  }
  QString Path(const QString& name) const { return QDir(folder.Path()).filePath(name); }
  // "Zapisz plik jako..." in the reading window, answered with this name
  // and, should it ask before replacing a file, with replace.
  void Save(const QString& chosen, bool replace = true) {
    reader.ui.SaveAnswers.push_back(chosen);
    reader.ui.ConfirmAnswers.assign(1, replace);
    reader.form.Zapiszjako2Click();
    reader.ui.ConfirmAnswers.clear();
  }
  // "Otwórz plik" in the viewing window, answered with this name.
  void Open(const QString& chosen) {
    viewer.ui.ClearRecords();
    viewer.ui.OpenAnswers.push_back(chosen);
    viewer.form.OdczytPC1Click();
  }
  QStringList SavedLines(const QString& name) const { return TextFile::Decode(ReadBytes(Path(name))); }

  TempCurrentFolder folder;
  FakeWindow reader;  // connected to the controller it read
  FakeWindow viewer;  // never connected
};

TEST_F(EventFile, SaveWritesTheReadoutWithItsTextsAsTheChosenDatFile) {
  reader.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
  const Shown before = ShownBy(reader.form);
  Save(Path(QStringLiteral("odczyt.txt")));

  EXPECT_EQ(reader.ui.Log, QStringList{QStringLiteral("save:Text files (*.dat)|*.dat")});
  EXPECT_EQ(FolderEntries(folder.Path()), QStringList{QStringLiteral("odczyt.dat")});
  Shown after = ShownBy(reader.form);
  EXPECT_EQ(after.panel1, QString());
  after.panel1 = before.panel1;
  EXPECT_EQ(after, before);  // nothing else on the screen changes

  const QByteArray bytes = ReadBytes(Path(QStringLiteral("odczyt.dat")));
  EXPECT_TRUE(bytes.startsWith("                         WLT - nastawy : Rejestracja zdarze\xf1\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 50 + 1 + 160 + 64);
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
  const QStringList lines = TextFile::Decode(bytes);
  ASSERT_EQ(lines.size(), 275);
  EXPECT_EQ(lines[2], QStringLiteral("WLT nr fabr 7 / 2019"));
  EXPECT_EQ(lines[4], QStringLiteral("                           WLT:24-03-15  08:05:59"));
  EXPECT_EQ(lines[5], QStringLiteral("                           PC: 2026-12-08  10:20:30"));
  EXPECT_EQ(lines[9], QStringLiteral(" 1 24-03-15 08:05:59      5      0      0      0  32769      0      0      0      0"
                                     "    512      0      0      0      0"));
  const QString zero = QStringLiteral("      0");
  EXPECT_EQ(lines[21], QStringLiteral("1324-012-1508:05:119") + zero.repeated(3) + QStringLiteral("  32768") +
                           zero.repeated(10));
  EXPECT_TRUE(lines[29].startsWith(QStringLiteral("211515-1515-15151515:1515:1515  65535  65535")));
  EXPECT_TRUE(lines[48].endsWith(QStringLiteral("      0  65535")));
  EXPECT_EQ(lines[49], QString(121, QLatin1Char('-')));
  EXPECT_EQ(lines.mid(50, 3), QStringList({QStringLiteral("Zdarzenia:"), QStringLiteral("1 Opis 1"), QStringLiteral("2")}));
  EXPECT_EQ(lines[211], QStringLiteral("1001       Zanik napięcia 1"));
  EXPECT_EQ(lines[274], QStringLiteral("1064       Zanik napięcia 64"));
}

TEST_F(EventFile, OpenedInAWindowWithoutControllerItShowsTheReadoutAsItWasRead) {
  Save(Path(QStringLiteral("odczyt")));
  viewer.form.PageControl1.ActivePageIndex = 3;
  Open(Path(QStringLiteral("odczyt.dat")));

  EXPECT_EQ(viewer.ui.Log, (QStringList{QStringLiteral("open:Text files (*.dat)|*.dat"), QStringLiteral("focus:ListBox1")}));
  EXPECT_TRUE(viewer.line->Requests.empty());
  EXPECT_EQ(ShownBy(viewer.form), ShownBy(reader.form));
  EXPECT_EQ(viewer.form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
  EXPECT_EQ(viewer.form.Edit4.Text, QStringLiteral("01:  Zanik napięcia 1"));
  EXPECT_EQ(viewer.form.ListBox1.Items[5], QStringLiteral("                           PC:  2026-12-08  10:20:30"));
  // The factory number names the files of the controller; a file does not change it.
  EXPECT_EQ(viewer.form.FactoryNumber, 0);

  // Saved again, it is the same file.
  viewer.ui.SaveAnswers.push_back(Path(QStringLiteral("again.dat")));
  viewer.form.Zapiszjako2Click();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("again.dat"))), ReadBytes(Path(QStringLiteral("odczyt.dat"))));
}

// Stamps of other lengths than 8 characters come back whole.
TEST_F(EventFile, TimeStampsOfAnyLengthComeBackWhole) {
  const QStringList stamps[] = {
      {QStringLiteral("24-03-15"), QStringLiteral("08:05:59"), QStringLiteral("08.12.26"), QStringLiteral("10:20:30")},
      {QStringLiteral("24-03-15"), QStringLiteral("08:05:59"), QStringLiteral("8.12.2026"), QStringLiteral("9:05:07 PM")},
      {QString(), QString(), QStringLiteral("2026-12-08"), QStringLiteral(" 9:05:07")},
      {QStringLiteral("1515-1515-1515"), QStringLiteral("1515:1515:1515"), QString(), QString()},
  };
  for (const QStringList& stamp : stamps) {
    reader.form.Edit5.Text = stamp[0];
    reader.form.Edit6.Text = stamp[1];
    reader.form.Edit7.Text = stamp[2];
    reader.form.Edit8.Text = stamp[3];
    ASSERT_TRUE(reader.form.WriteEventFile(Path(QStringLiteral("stamps.dat"))));
    EXPECT_TRUE(viewer.form.ReadEventFile(Path(QStringLiteral("stamps.dat"))));
    EXPECT_EQ((QStringList{viewer.form.Edit5.Text, viewer.form.Edit6.Text, viewer.form.Edit7.Text,
                           viewer.form.Edit8.Text}),
              stamp);
    EXPECT_EQ(viewer.form.EventTable, reader.form.EventTable);
  }
}

TEST_F(EventFile, TheChosenNameGivesStemDotDatInTheChosenFolder) {
  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("sub")));
  struct Case {
    QString chosen, written;
  };
  const Case cases[] = {
      {QStringLiteral("sub/x.txt"), QStringLiteral("sub/x.dat")},
      {QStringLiteral("sub/ab.cd.txt"), QStringLiteral("sub/ab.dat")},
      {QStringLiteral("sub/plain"), QStringLiteral("sub/plain.dat")},
      {QStringLiteral("sub/y.dat"), QStringLiteral("sub/y.dat")},
  };
  for (const Case& c : cases) {
    Save(Path(c.chosen));
    EXPECT_TRUE(QFileInfo::exists(Path(c.written))) << c.chosen.toStdString();
    viewer.form.EventsLoaded = false;
    Open(Path(c.chosen));  // x.txt chosen: x.dat read
    EXPECT_TRUE(viewer.form.EventsLoaded) << c.chosen.toStdString();
    EXPECT_EQ(viewer.form.StatusBar1.Panels[1].Text, QString());
  }
  EXPECT_EQ(FolderEntries(Path(QStringLiteral("sub"))),
            QStringList({QStringLiteral("ab.dat"), QStringLiteral("plain.dat"), QStringLiteral("x.dat"),
                         QStringLiteral("y.dat")}));
  EXPECT_EQ(FolderEntries(folder.Path()), QStringList{QStringLiteral("sub")});
}

TEST_F(EventFile, CancelledDialogsOnlyEmptyThePanel) {
  reader.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
  reader.form.Zapiszjako2Click();
  reader.form.OdczytPC1Click();
  EXPECT_EQ(reader.ui.Log, (QStringList{QStringLiteral("save:Text files (*.dat)|*.dat"),
                                        QStringLiteral("open:Text files (*.dat)|*.dat")}));
  EXPECT_EQ(reader.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_TRUE(FolderEntries(folder.Path()).isEmpty());
}

// A block that ends early fills the slots it lacks with empty records,
// not with those of the readout shown before.
TEST_F(EventFile, ARecordBlockEndingAfterTenLinesLeavesTheOtherRecordsEmpty) {
  Save(Path(QStringLiteral("odczyt.dat")));
  QStringList lines = SavedLines(QStringLiteral("odczyt.dat"));
  lines.remove(19, 30);  // records 11 to 40; the closing dash line follows record 10
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("short.dat")), Cp1250File(lines)));
  ReadOut(viewer, eventfiletest::VariedTable());  // an earlier readout in the window
  Open(Path(QStringLiteral("short.dat")));

  EventRecord::Table expected{};
  for (int k = 0; k < 10; ++k) expected[std::size_t(k)] = reader.form.EventTable[std::size_t(k)];
  EXPECT_EQ(viewer.form.EventTable, expected);
  EXPECT_EQ(viewer.form.ListBox1.Items[9], QStringLiteral("40   00-00-00   00:00:00    Nie ma żadnej informacji"));
  EXPECT_EQ(viewer.form.StatusBar1.Panels[1].Text, QString());
}

// Without "Zdarzenia:" the file's events come under the texts in use; the
// event labels are emptied as every pass over event texts does.
TEST_F(EventFile, AFileWithoutEventTextsShowsItsEventsSilently) {
  Save(Path(QStringLiteral("odczyt.dat")));
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("bare.dat")), Cp1250File(SavedLines(QStringLiteral("odczyt.dat")).mid(0, 50))));
  viewer.form.CauseTexts[0] = QStringLiteral("własny tekst");
  viewer.form.EventLabels[1] = QStringLiteral(" stary");
  viewer.form.PageControl1.ActivePageIndex = 3;
  viewer.ui.ClearRecords();
  EXPECT_FALSE(viewer.form.ReadEventFile(Path(QStringLiteral("bare.dat"))));

  EXPECT_EQ(viewer.ui.Log, QStringList{QStringLiteral("focus:ListBox1")});
  EXPECT_EQ(viewer.form.StatusBar1.Panels[1].Text, QString());
  EXPECT_TRUE(viewer.form.EventsLoaded);
  EXPECT_EQ(viewer.form.EventTable, reader.form.EventTable);
  EXPECT_EQ(viewer.form.Edit7.Text, QStringLiteral("2026-12-08"));
  EXPECT_EQ(viewer.form.EventLabels[1], QString());
  EXPECT_EQ(viewer.form.Edit4.Text, QStringLiteral("01:  własny tekst"));
  ASSERT_EQ(viewer.form.ListBox1.Items.size(), reader.form.ListBox1.Items.size());
  EXPECT_EQ(viewer.form.ListBox1.Items.last(), reader.form.ListBox1.Items.last());
  EXPECT_EQ(viewer.form.ListBox1.Items[4], reader.form.ListBox1.Items[4]);
  EXPECT_TRUE(viewer.form.ListBox1.Items.contains(QStringLiteral("01   24-03-15   08:05:59    01:  własny tekst")));
}

TEST_F(EventFile, EventTextsBreakingOffAreAReadErrorAfterTheEvents) {
  Save(Path(QStringLiteral("odczyt.dat")));
  QStringList lines = SavedLines(QStringLiteral("odczyt.dat"));
  lines.insert(53, QStringLiteral("trzy Opis"));  // after the lines of events 1 and 2
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("broken.dat")), Cp1250File(lines)));
  EXPECT_FALSE(viewer.form.ReadEventFile(Path(QStringLiteral("broken.dat"))));
  EXPECT_EQ(viewer.form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd odczytu"));
  EXPECT_TRUE(viewer.ui.Log.isEmpty());
  EXPECT_EQ(viewer.form.EventTable, reader.form.EventTable);
  EXPECT_EQ(viewer.form.zdLabel(1).Caption, QStringLiteral("Opis 1"));
  EXPECT_EQ(viewer.form.zdLabel(3).Caption, QStringLiteral("Label"));  // behind the break
  EXPECT_EQ(viewer.form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
}

// Files that do not read leave the window as it was, with "Błąd odczytu"
// in status panel 1 and no beep or box.
TEST_F(EventFile, FilesThatDoNotReadChangeNothing) {
  Save(Path(QStringLiteral("odczyt.dat")));
  const QStringList lines = SavedLines(QStringLiteral("odczyt.dat"));
  QStringList record20 = lines;
  record20[28] = record20[28].left(70);
  QStringList identity = lines;
  identity[2] = QStringLiteral("WLT 7 2019");
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("record20.dat")), Cp1250File(record20)));
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("identity.dat")), Cp1250File(identity)));
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("header.dat")), Cp1250File(lines.mid(0, 5))));
  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("folder.dat")));

  ReadOut(viewer, eventfiletest::DatedTable());  // an earlier readout in the window
  for (const char* name : {"missing.dat", "record20.dat", "identity.dat", "header.dat", "folder.dat"}) {
    viewer.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
    Shown expected = ShownBy(viewer.form);
    expected.panel1 = QStringLiteral("Błąd odczytu");
    Open(Path(QString::fromLatin1(name)));
    EXPECT_EQ(ShownBy(viewer.form), expected) << name;
    EXPECT_EQ(viewer.ui.Log, QStringList{QStringLiteral("open:Text files (*.dat)|*.dat")}) << name;
  }
}

TEST_F(EventFile, AFailedSaveSaysSoAndKeepsTheFileOnDisk) {
  // A folder that is not there.
  EXPECT_FALSE(reader.form.WriteEventFile(Path(QStringLiteral("nowhere/odczyt.dat"))));
  EXPECT_EQ(reader.form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd zapisu"));
  EXPECT_TRUE(reader.ui.Log.isEmpty());

  // The disk full half-way: the earlier file stays whole, no part is left.
  const QByteArray earlier = "an earlier event file\r\n";
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("odczyt.dat")), earlier));
  {
    const FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Active());
    reader.form.StatusBar1.Panels[1].Text.clear();
    Save(Path(QStringLiteral("odczyt.dat")));
  }
  EXPECT_EQ(reader.form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd zapisu"));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("odczyt.dat"))), earlier);
  EXPECT_EQ(FolderEntries(folder.Path()), QStringList{QStringLiteral("odczyt.dat")});
  EXPECT_EQ(reader.ui.Beeps, 0);
  EXPECT_TRUE(reader.ui.Messages.isEmpty());
}

// The question names the file the save writes: the stem of the name typed
// with ".dat", whatever extension was typed; nothing else is asked about.
TEST_F(EventFile, TheSaveAsksAboutTheDatFileItWrites) {
  const QString question = QStringLiteral("confirm:Plik zdarzenia.dat już istnieje. Zastąpić go?");
  const QString dialog = QStringLiteral("save:Text files (*.dat)|*.dat");
  const QByteArray earlier = "an earlier event file\r\n";
  const struct {
    const char* name;
    const char* typed;
    const char* existing;
    bool replace;
    QStringList log;
    bool datReplaced;
  } cases[] = {
      {"a .txt of the name is not the file written", "zdarzenia.txt", "zdarzenia.txt", false, {dialog}, true},
      {"the .dat behind a .txt typed", "zdarzenia.txt", "zdarzenia.dat", false, {dialog, question}, false},
      {"the .dat behind a .txt typed, replaced", "zdarzenia.txt", "zdarzenia.dat", true, {dialog, question}, true},
      {"the .dat typed", "zdarzenia.dat", "zdarzenia.dat", false, {dialog, question}, false},
      {"no extension typed", "zdarzenia", "zdarzenia.dat", true, {dialog, question}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const QString& name : FolderEntries(folder.Path())) QFile::remove(Path(name));
    ASSERT_TRUE(WriteBytes(Path(QString::fromLatin1(c.existing)), earlier));
    reader.ui.ClearRecords();
    Save(Path(QString::fromLatin1(c.typed)), c.replace);
    EXPECT_EQ(reader.ui.Log, c.log);
    const QByteArray dat = ReadBytes(Path(QStringLiteral("zdarzenia.dat")));
    EXPECT_EQ(dat.startsWith("                         WLT - nastawy"), c.datReplaced);
    if (!c.datReplaced) {
      EXPECT_EQ(dat, earlier);
    }
    if (QLatin1String(c.existing) != QLatin1String("zdarzenia.dat")) {
      EXPECT_EQ(ReadBytes(Path(QString::fromLatin1(c.existing))), earlier);
    }
    EXPECT_EQ(reader.form.StatusBar1.Panels[1].Text, QString());
  }
}

// A FIFO of the event file's name is neither read nor written, at once.
TEST_F(EventFile, AFifoIsNeitherReadNorReplaced) {
  Save(Path(QStringLiteral("odczyt.dat")));
  ASSERT_EQ(SavedLines(QStringLiteral("odczyt.dat")).size(), 50 + 1 + 160 + 64);

  // The FIFO holds a whole event file for a program that would wait on it.
  const FifoFeeder fifo(Path(QStringLiteral("fifo.dat")), ReadBytes(Path(QStringLiteral("odczyt.dat"))));
  ASSERT_TRUE(fifo.Made());
  viewer.form.StatusBar1.Panels[1].Text = QStringLiteral("stale");
  Shown expected = ShownBy(viewer.form);
  expected.panel1 = QStringLiteral("Błąd odczytu");
  Open(Path(QStringLiteral("fifo.dat")));
  EXPECT_EQ(ShownBy(viewer.form), expected);
  EXPECT_FALSE(fifo.Fed());

  reader.ui.ClearRecords();
  Save(Path(QStringLiteral("fifo.dat")));
  EXPECT_EQ(reader.form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd zapisu"));
  const QFileInfo fifoFile(Path(QStringLiteral("fifo.dat")));
  EXPECT_TRUE(fifoFile.exists() && !fifoFile.isFile());  // still the FIFO
  EXPECT_EQ(FolderEntries(folder.Path()), QStringList({QStringLiteral("fifo.dat"), QStringLiteral("odczyt.dat")}));
}

TEST(EventFileDialogs, BothSaveDialogsAskBeforeReplacingAFile) {
  FakeUi ui;
  TForm1 form{ui};
  struct Case {
    const TFileDialog& dialog;
    const char* name;
    const char* filter;
    const char* defaultExt;
    bool prompt;
  };
  const Case cases[] = {
      {form.SaveDialog2, "SaveDialog2", "Text files (*.dat)|*.dat", "dat", true},
      {form.OpenDialog2, "OpenDialog2", "Text files (*.dat)|*.dat", "", false},
      {form.SaveDialog1, "SaveDialog1", "Text files (*.txt)|*.TXT", "txt", true},
      {form.OpenDialog1, "OpenDialog1", "Text files (*.txt)|*.TXT", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.dialog.Name, QString::fromLatin1(c.name));
    EXPECT_EQ(c.dialog.Filter, QString::fromLatin1(c.filter)) << c.name;
    EXPECT_EQ(c.dialog.DefaultExt, QString::fromLatin1(c.defaultExt)) << c.name;
    EXPECT_EQ(c.dialog.OverwritePrompt, c.prompt) << c.name;
  }
}

}  // namespace
