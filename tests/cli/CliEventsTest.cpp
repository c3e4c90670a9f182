// wlt-nastawy-cli's event commands against wlt-sim: the event file and the
// event list are the window's, and the file shows and prints again without
// the controller.

#include "CliOnSim.h"

namespace {

// Every line but one: the PC's time stamp, which each program took from its
// own clock in its own regional format.
QStringList WithoutLine(QStringList lines, int index) {
  if (index < lines.size()) lines.removeAt(index);
  return lines;
}

QStringList FileLines(const QString& path) {
  return QString::fromLatin1(ReadBytes(path)).split(QStringLiteral("\r\n"));
}

class CliEvents : public CliOnSim {};

TEST_F(CliEvents, EventFileAndListAreTheWindows) {
  StartSim({"--factory-number", "7", "--production-year", "2019", "--freeze-clock", "--clock",
            "2026-12-08T10:20:30", "--event-history", "1"});
  ASSERT_TRUE(QDir(folder.Path()).mkpath(QStringLiteral("cli")));
  ASSERT_TRUE(QDir(folder.Path()).mkpath(QStringLiteral("window")));
  const QString mine = Path(QStringLiteral("cli/zdarzenia.dat"));
  const CliOutcome read = Cli({QStringLiteral("read-events"), mine});
  ASSERT_EQ(read.status, 0) << read.err.toStdString();
  EXPECT_TRUE(read.err.contains(QStringLiteral("status:  Odczytano zdarzenia\n"))) << read.err.toStdString();
  ASSERT_TRUE(QFileInfo::exists(mine));

  StartWindow();
  form.Odczyt1Click();
  const QString theirs = Path(QStringLiteral("window/zdarzenia.dat"));
  ui.SaveAnswers.push_back(theirs);
  form.Zapiszjako2Click();
  ASSERT_TRUE(QFileInfo::exists(theirs));
  ASSERT_GE(form.ListBox1.Items.size(), 50);

  // The event file: line 6 is the PC's stamp.
  EXPECT_EQ(WithoutLine(FileLines(mine), 5), WithoutLine(FileLines(theirs), 5));
  EXPECT_TRUE(FileLines(mine)[5].startsWith(QStringLiteral("                           PC: ")));
  // The list, line for line as ListBox1 holds it; its line 6 is the PC's stamp.
  EXPECT_EQ(WithoutLine(read.out, 5), WithoutLine(form.ListBox1.Items, 5));

  // Without the controller: the same list from the file, and its printout.
  const CliOutcome shown = Cli({QStringLiteral("show-events"), mine}, false);
  ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
  EXPECT_EQ(shown.out, read.out);
  const QString pdf = Path(QStringLiteral("zdarzenia.pdf"));
  const CliOutcome printed = Cli({QStringLiteral("print-events"), mine, pdf}, false);
  ASSERT_EQ(printed.status, 0) << printed.err.toStdString();
  EXPECT_GT(QFileInfo(pdf).size(), 0);

  // The file as a table: the window's "Eksport do CSV" on the file opened,
  // byte for byte what the window writes from the readout it was saved of.
  const CliOutcome exported = Cli({QStringLiteral("export-events"), mine, Path(QStringLiteral("cli/tabela"))}, false);
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  EXPECT_TRUE(exported.err.contains(QStringLiteral("saved as ") + Path(QStringLiteral("cli/tabela.csv"))))
      << exported.err.toStdString();
  ASSERT_TRUE(form.ExportEventsCsv(Path(QStringLiteral("window/tabela.csv"))));
  const QByteArray table = ReadBytes(Path(QStringLiteral("cli/tabela.csv")));
  EXPECT_TRUE(table.startsWith("\xEF\xBB\xBFNr;Data;Czas;Przyczyny;"));
  EXPECT_EQ(table, ReadBytes(Path(QStringLiteral("window/tabela.csv"))));
}

TEST_F(CliEvents, AMissingEventFileIsTheWindowsReadError) {
  const CliOutcome o = Cli({QStringLiteral("show-events"), QStringLiteral("brak.dat")}, false);
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.out.isEmpty());
  EXPECT_TRUE(o.err.contains(QStringLiteral("Błąd odczytu"))) << o.err.toStdString();
}

}  // namespace
