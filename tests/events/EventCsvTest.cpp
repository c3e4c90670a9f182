// The events' CSV table read back by Python's csv module, as a script or a
// spreadsheet takes it: rows, columns, values, the byte order mark, and the
// texts a spreadsheet must not take apart or evaluate.

#include "AppTestSupport.h"
#include "EventTestSupport.h"
#include "events/EventCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using eventtest::MakeRecord;

// The rows Python's csv module reads from the file, and the separator its
// sniffer finds in the header row.
struct ReadBack {
  std::vector<QStringList> rows;
  QString sniffed;
};

bool ReadWithPython(const QString& path, ReadBack& out) {
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) return false;
  QProcess process;
  process.start(python, {QStringLiteral(WLT_READ_CSV_SCRIPT), path});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    ADD_FAILURE() << process.readAllStandardError().toStdString();
    return false;
  }
  const QJsonObject result = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
  for (const QJsonValue& row : result.value(QStringLiteral("rows")).toArray()) {
    QStringList fields;
    for (const QJsonValue& field : row.toArray()) fields << field.toString();
    out.rows.push_back(fields);
  }
  out.sniffed = result.value(QStringLiteral("sniffed")).toString();
  return true;
}

class EventCsvExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty()) GTEST_SKIP() << "no python3";
    form.InitSettingsCatalogue();
    // Event 1: 24-03-15 08:05:59, causes 2 and 17, indicators 1, 16 and 90.
    form.EventTable[0] = MakeRecord(0x0324, 0x0815, 0x5905, {2, 17}, {{1, 0x8001}, {6, 0x0200}});
    form.EventTable[39].fill(0xFFFF);  // an erased slot
    // As a description file gives them: the rest of the line, from the blank after the number.
    form.EventLabels[1] = QStringLiteral(" -Q1 zał.");            // a formula to a spreadsheet
    form.EventLabels[16] = QStringLiteral(" Napięcie; \"L1\"");   // the separator and quotes
    form.EventLabels[90] = QStringLiteral("    Łącznik Ść  ");    // blanks around
    form.CauseTexts[1] = QStringLiteral("Zanik napięcia");
    form.CauseTexts[16] = QStringLiteral("=SUM(A1)");
    form.EventsLoaded = true;
  }
  QString Path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  FakeUi ui;
  TForm1 form{ui};
};

TEST_F(EventCsvExport, PythonReadsOneRowPerEventWithEveryColumn) {
  const QString path = Path(QStringLiteral("zdarzenia.csv"));
  ASSERT_TRUE(form.ExportEventsCsv(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFNr;Data;Czas;Przyczyny;"));
  EXPECT_TRUE(bytes.endsWith("\r\n"));

  ReadBack back;
  ASSERT_TRUE(ReadWithPython(path, back));
  EXPECT_EQ(back.sniffed, QStringLiteral(";"));
  ASSERT_EQ(back.rows.size(), 41u);  // the header and 40 events
  for (const QStringList& row : back.rows) ASSERT_EQ(row.size(), 4 + 160);

  const QStringList& header = back.rows[0];
  EXPECT_EQ(header.mid(0, 4), (QStringList{"Nr", "Data", "Czas", "Przyczyny"}));
  EXPECT_EQ(header[4], QStringLiteral("'-Q1 zał."));
  EXPECT_EQ(header[5], QStringLiteral("Stan 2"));
  EXPECT_EQ(header[4 + 15], QStringLiteral("Napięcie; \"L1\""));
  EXPECT_EQ(header[4 + 89], QStringLiteral("Łącznik Ść"));
  EXPECT_EQ(header[4 + 159], QStringLiteral("Stan 160"));

  const QStringList& first = back.rows[1];
  EXPECT_EQ(first.mid(0, 4), (QStringList{"1", "24-03-15", "08:05:59", "02:  Zanik napięcia\n17:  =SUM(A1)"}));
  QStringList set;
  for (int s = 1; s <= 160; ++s)
    if (first[3 + s] == QLatin1String("1")) set << QString::number(s);
    else EXPECT_EQ(first[3 + s], QStringLiteral("0")) << s;
  EXPECT_EQ(set, (QStringList{"1", "16", "90"}));

  const QStringList& empty = back.rows[2];
  EXPECT_EQ(empty.mid(0, 4), (QStringList{"2", "00-00-00", "00:00:00", ""}));

  const QStringList& erased = back.rows[40];
  EXPECT_EQ(erased[0], QStringLiteral("40"));
  EXPECT_EQ(erased[1], QStringLiteral("1515-1515-1515"));
  EXPECT_EQ(erased[3].split(QLatin1Char('\n')).size(), 64);
  EXPECT_EQ(erased.mid(4).count(QStringLiteral("1")), 160);
}

// A readout and the same events loaded from their event file give the same table.
TEST_F(EventCsvExport, AnEventFileExportsAsTheReadoutItWasSavedFrom) {
  for (int k = 1; k < 39; ++k) form.EventTable[std::size_t(k)] = eventtest::DatedRecord(k);
  form.EventTable[39] = MakeRecord(0x0101, 0x0001, 0, {64});
  // The stamps of the readout, as a readout leaves them.
  form.Edit5.Text = form.Edit7.Text = QStringLiteral("24-03-15");
  form.Edit6.Text = form.Edit8.Text = QStringLiteral("08:06:00");
  form.EditNrFabr.Text = QStringLiteral("7");
  form.EditRokProd.Text = QStringLiteral("2019");
  const QString eventFile = Path(QStringLiteral("odczyt.dat"));
  ASSERT_TRUE(form.WriteEventFile(eventFile));
  ASSERT_TRUE(form.ExportEventsCsv(Path(QStringLiteral("odczyt.csv"))));

  FakeUi otherUi;
  TForm1 other{otherUi};
  other.InitSettingsCatalogue();
  ASSERT_TRUE(other.ReadEventFile(eventFile));
  ASSERT_TRUE(other.ExportEventsCsv(Path(QStringLiteral("plik.csv"))));

  QFile a(Path(QStringLiteral("odczyt.csv"))), b(Path(QStringLiteral("plik.csv")));
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  EXPECT_EQ(a.readAll(), b.readAll());
}

// The menu entry: a save dialog, ".csv" added to a name without it, the
// question before a file is replaced; nothing to export before events are loaded.
TEST_F(EventCsvExport, TheMenuEntryAsksForTheFileAndAddsItsExtension) {
  ui.SaveAnswers = {Path(QStringLiteral("tabela"))};
  form.EksportCSV1Click();
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("save:Pliki CSV (*.csv)|*.csv")});
  ASSERT_TRUE(QFile::exists(Path(QStringLiteral("tabela.csv"))));
  EXPECT_TRUE(form.StatusBar1.Panels[1].Text.isEmpty());

  // Replacing it asks first; Cancel keeps the old file.
  QFile::resize(Path(QStringLiteral("tabela.csv")), 3);
  ui.ClearRecords();
  ui.SaveAnswers = {Path(QStringLiteral("tabela.csv"))};
  ui.ConfirmAnswers = {false};
  form.EksportCSV1Click();
  EXPECT_EQ(ui.Questions.size(), 1);
  EXPECT_EQ(QFileInfo(Path(QStringLiteral("tabela.csv"))).size(), 3);

  ui.ClearRecords();
  form.EventsLoaded = false;
  form.EksportCSV1Click();
  EXPECT_TRUE(ui.Log.isEmpty());
}

TEST_F(EventCsvExport, AFolderThatCannotBeWrittenSaysBladZapisu) {
  EXPECT_FALSE(form.ExportEventsCsv(Path(QStringLiteral("brak/tabela.csv"))));
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd zapisu"));
}

}  // namespace
