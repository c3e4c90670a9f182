// wlt-nastawy-cli against wlt-sim: every command once, as a user runs it;
// the files it writes against those of the window's handlers for the same
// state; a start-up that fails; confirmations and bad arguments that stop
// a command before anything reaches the controller.

#include "CliOnSim.h"
#include "ModbusFrames.h"

#include <QRegularExpression>

namespace {

using frames::Hex;
using frames::WriteRequest;

// The controller of these tests: factory number 7 of 2019, a clock standing
// at Tuesday 8 December 2026 10:20:30, test times Monday 8 h, Wednesday
// 22 h and none.
const std::vector<std::string> kController{"--factory-number",
                                           "7",
                                           "--production-year",
                                           "2019",
                                           "--freeze-clock",
                                           "--clock",
                                           "2026-12-08T10:20:30",
                                           "--set",
                                           "1230=2050",
                                           "--set",
                                           "1231=8708",
                                           "--set",
                                           "1232=0"};

QString PdfText(const QString& file) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                              QStringLiteral("UTF-8"), file, QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The registers a list of write requests went to, in order.
std::vector<int> Registers(const std::vector<std::string>& writes) {
  std::vector<int> registers;
  for (const std::string& frame : writes)
    registers.push_back(std::stoi(frame.substr(6, 2) + frame.substr(9, 2), nullptr, 16) + 1);
  return registers;
}

std::vector<int> SettingsWriteOrder() {
  std::vector<int> order;
  for (int reg = 901; reg <= 920; ++reg) order.push_back(reg);
  for (int reg = 801; reg <= 807; ++reg) order.push_back(reg);
  order.push_back(900);
  return order;
}

class CliCommands : public CliOnSim {};

// Each command once on one controller, in an order in which each finds
// what the one before left: the settings file read is written back and
// printed; the schedule is read before it is written.
TEST_F(CliCommands, EveryCommandOnce) {
  StartSim(kController);
  const QString settings = Path(QStringLiteral("WLT_nastawy_007.txt"));
  const QString pdf = Path(QStringLiteral("nastawy.pdf"));

  struct Case {
    QStringList arguments;
    QStringList out;                  // standard output, exactly (unless checked below)
    QString err;                      // a part of standard error
    std::vector<std::string> writes;  // the write requests, exactly
  };
  const Case cases[] = {
      {{QStringLiteral("info")},
       {QStringLiteral("Nr fabr.: 7"), QStringLiteral("Rok prod.: 2019"), QStringLiteral(" Połączony")},
       QStringLiteral("status:  Połączony\n"),
       {}},
      {{QStringLiteral("read-schedule")},
       {QStringLiteral("Czas 1: Poniedziałek 8"), QStringLiteral("Czas 2: Środa 22"),
        QStringLiteral("Czas 3: Żaden 0")},
       QString(),
       {}},
      {{QStringLiteral("read-settings"), settings}, {}, QStringLiteral("status:  Odczytano nastawy\n"), {}},
      {{QStringLiteral("show-settings"), settings}, {}, QString(), {}},
      {{QStringLiteral("print-settings"), settings, pdf}, {}, QString(), {}},
      {{QStringLiteral("write-schedule"), QStringLiteral("4"), QStringLiteral("22"), QStringLiteral("7"),
        QStringLiteral("23"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("--yes")},
       {},
       QStringLiteral("confirm: Zmienić nastawione daty testowania? OK\n"),
       {Hex(WriteRequest(1, 1230, 0x2204)), Hex(WriteRequest(1, 1231, 0x2307)),
        Hex(WriteRequest(1, 1232, 0))}},
      {{QStringLiteral("set-address"), QStringLiteral("5"), QStringLiteral("--yes")},
       {},
       QStringLiteral("status: Ustawiono adres\n"),
       {Hex(WriteRequest(1, 1274, 5))}},
      {{QStringLiteral("signal"), QStringLiteral("--yes")},
       {},
       QStringLiteral("confirm: Załączyć sygnał \"odst/odbl z systemu\" ? OK\n"),
       {"01 06 04 F7 00 08 38 CE"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    sim->ClearLog();
    const CliOutcome o = Cli(c.arguments);
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    if (!c.out.isEmpty()) {
      EXPECT_EQ(o.out, c.out);
    }
    EXPECT_TRUE(o.err.contains(c.err)) << o.err.toStdString();
    EXPECT_FALSE(o.err.contains(QStringLiteral("message:"))) << o.err.toStdString();
    EXPECT_EQ(Writes(), c.writes);
  }
  // The schedule and the address as the controller now holds them.
  const CliOutcome schedule = Cli({QStringLiteral("read-schedule")});
  EXPECT_EQ(schedule.out,
            QStringList({QStringLiteral("Czas 1: Środa 22"), QStringLiteral("Czas 2: Sobota 23"),
                         QStringLiteral("Czas 3: Żaden 0")}));

  // show-settings printed the settings printout of the file read.
  const CliOutcome shown = Cli({QStringLiteral("show-settings"), settings}, false);
  ASSERT_GE(shown.out.size(), 27);
  EXPECT_EQ(shown.out[1], QStringLiteral("   WLT - nastawy 007"));
  EXPECT_EQ(shown.out[4], QStringLiteral("   Nastawy:"));
  // print-settings put the same printout into a PDF titled "WLT".
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("WLT - nastawy 007"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Zezwolenia:")));
  EXPECT_TRUE(text.contains(QStringLiteral("Wartość")));

  // The clock: the controller's row from its registers, the PC's from the PC.
  sim->ClearLog();
  const CliOutcome clock = Cli({QStringLiteral("clock")});
  EXPECT_EQ(clock.status, 0) << clock.err.toStdString();
  ASSERT_EQ(clock.out.size(), 2);
  EXPECT_EQ(clock.out[0], QStringLiteral("WLT: 26-12-08 10:20:30 Wtorek"));
  EXPECT_TRUE(clock.out[1].startsWith(QStringLiteral("PC: "))) << clock.out[1].toStdString();
  EXPECT_TRUE(Writes().empty());

  // Setting the clock: the PC's time into 1307 to 1309, then the command to 1310.
  sim->ClearLog();
  const CliOutcome setClock = Cli({QStringLiteral("--yes"), QStringLiteral("set-clock")});
  EXPECT_EQ(setClock.status, 0) << setClock.err.toStdString();
  EXPECT_TRUE(setClock.err.contains(QStringLiteral("confirm: Zmienić czas i datę urządzenia? OK")));
  const std::vector<std::string> clockWrites = Writes();
  EXPECT_EQ(Registers(clockWrites), (std::vector<int>{1307, 1308, 1309, 1310}));
  ASSERT_EQ(clockWrites.size(), 4u);
  EXPECT_EQ(clockWrites[3], Hex(WriteRequest(1, 1310, 0x0200)));

  // The settings file read back into the controller: 28 writes, 900 last.
  sim->ClearLog();
  const CliOutcome written = Cli({QStringLiteral("write-settings"), settings});
  EXPECT_EQ(written.status, 0) << written.err.toStdString();
  EXPECT_TRUE(written.err.contains(QStringLiteral("status:  Zapisano nastawy\n")));
  EXPECT_EQ(Registers(Writes()), SettingsWriteOrder());
  ASSERT_FALSE(Writes().empty());
  EXPECT_EQ(Writes().back(), Hex(WriteRequest(1, 900, 1)));
}

// The settings file and the settings printout are the window's own: the
// headless window on the same controller writes the same bytes and prints
// the same lines. A second read keeps the first file as the backup.
TEST_F(CliCommands, SettingsFileAndPrintoutAreTheWindows) {
  StartSim(kController);
  ASSERT_TRUE(QDir(folder.Path()).mkpath(QStringLiteral("cli")));
  ASSERT_TRUE(QDir(folder.Path()).mkpath(QStringLiteral("window")));
  const QString mine = Path(QStringLiteral("cli/WLT_nastawy_007.txt"));
  const CliOutcome read = Cli({QStringLiteral("read-settings"), QStringLiteral("cli/WLT_nastawy_007.txt")});
  ASSERT_EQ(read.status, 0) << read.err.toStdString();
  EXPECT_TRUE(read.out.isEmpty());

  StartWindow();
  form.N1Click();
  const QString theirs = Path(QStringLiteral("window/WLT_nastawy_007.txt"));
  ui.SaveAnswers.push_back(theirs);
  form.Zapiszjako1Click();
  ASSERT_TRUE(ui.Messages.isEmpty()) << ui.Messages.join(QLatin1Char('|')).toStdString();
  const QByteArray bytes = ReadBytes(theirs);
  ASSERT_FALSE(bytes.isEmpty());
  EXPECT_EQ(ReadBytes(mine), bytes);
  EXPECT_TRUE(bytes.contains("\r\n"));

  // The printout of that file, as the window prints it.
  const CliOutcome shown = Cli({QStringLiteral("show-settings"), mine}, false);
  ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
  ui.OpenAnswers.push_back(theirs);
  form.Otwrz1Click();
  ui.PrintDialogAnswers.push_back(1);
  form.Drukuj2Click();
  ASSERT_EQ(ui.PrintJobs.size(), 1u);
  EXPECT_EQ(shown.out, ui.PrintJobs[0].Lines);
  form.FormDestroy();  // the port is the program's again

  // Read again: the first file becomes the backup, the new one replaces it.
  const CliOutcome again = Cli({QStringLiteral("read-settings"), mine});
  ASSERT_EQ(again.status, 0) << again.err.toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("cli/WLT_nastawy_007.bak"))), bytes);
  EXPECT_EQ(ReadBytes(mine), bytes);
}

// A start-up that does not find the controller ends the command with the
// window's message: nothing reaches the controller, nothing reaches the disk.
TEST_F(CliCommands, StartUpWithoutAControllerEndsWithStatus1) {
  StartSim({"--no-answer"});
  struct Case {
    QStringList arguments;
    bool onSim;
    QString message;
  };
  const Case cases[] = {
      // About nine seconds of link time-outs.
      {{QStringLiteral("read-settings"), QStringLiteral("WLT_nastawy_007.txt")},
       true,
       QStringLiteral("message: Nie znaleziono urządzenia\n")},
      {{QStringLiteral("--port"), QStringLiteral("/nonexistent-folder/ttyWLT"), QStringLiteral("--yes"),
        QStringLiteral("set-clock")},
       false,
       QStringLiteral("message: COM1 jest niedostępny\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    const CliOutcome o = Cli(c.arguments, c.onSim);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("WLT_nast_rejzd_000.txt")});
  }
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(sim->Requests().empty());  // the connection was tried
}

// The window asks before it changes the controller; without --yes, and for
// arguments it cannot take, nothing is sent at all: not even the start-up.
TEST_F(CliCommands, RefusedCommandsSendNothing) {
  StartSim(kController);
  const QStringList cases[] = {
      {QStringLiteral("set-clock")},
      {QStringLiteral("signal")},
      {QStringLiteral("set-address"), QStringLiteral("5")},
      {QStringLiteral("write-schedule"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
       QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")},
      {QStringLiteral("set-address"), QStringLiteral("300"), QStringLiteral("--yes")},
      {QStringLiteral("--baud"), QStringLiteral("38400"), QStringLiteral("info")},
      {QStringLiteral("read-settings")},
  };
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    const CliOutcome o = Cli(arguments);
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains(QStringLiteral("--help"))) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
  }
  EXPECT_TRUE(sim->Requests().empty());
  EXPECT_TRUE(sim->Log().empty());
}

// The file is opened before anything is written: one the window cannot load
// stops the command with its message and the controller untouched.
TEST_F(CliCommands, WriteSettingsOfAFileThatDoesNotLoadWritesNothing) {
  StartSim(kController);
  ASSERT_TRUE(
      folder.WriteFile(QStringLiteral("WLT_nastawy_007.txt"),
                       "WLT - nastawy 007\r\n\r\nNastawy:\r\n               Nastawa   WartośćJednostka\r\n"));
  const CliOutcome o = Cli({QStringLiteral("write-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  EXPECT_EQ(o.status, 1);
  EXPECT_TRUE(o.err.contains(QStringLiteral("message: Błąd odczytu\n"))) << o.err.toStdString();
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(sim->Requests().empty());  // it did connect

  // A name the window refuses, likewise.
  sim->ClearLog();
  const CliOutcome badName = Cli({QStringLiteral("write-settings"), QStringLiteral("kopia.txt")});
  EXPECT_EQ(badName.status, 1);
  EXPECT_TRUE(badName.err.contains(QStringLiteral("message: Błędna nazwa pliku.\n")))
      << badName.err.toStdString();
  EXPECT_TRUE(Writes().empty());
}

TEST_F(CliCommands, HelpAndTheDemo) {
  const CliOutcome help = Cli({QStringLiteral("--help")}, false);
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.join(QLatin1Char('\n')).contains(QStringLiteral("write-schedule D1 H1 D2 H2 D3 H3")));

  // --demo: the simulator beside the program, in a work folder given the
  // general description file; a file argument stays where the user is.
  const CliOutcome demo =
      Cli({QStringLiteral("--demo"), QStringLiteral("--work-dir"), Path(QStringLiteral("work")),
           QStringLiteral("read-settings"), QStringLiteral("WLT_nastawy_007.txt")},
          false);
  EXPECT_EQ(demo.status, 0) << demo.err.toStdString();
  EXPECT_FALSE(demo.err.contains(QStringLiteral("message:"))) << demo.err.toStdString();
  EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("WLT_nastawy_007.txt"))));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("work/WLT_nast_rejzd_000.txt"))), ReadBytes(GeneralFile()));
}

}  // namespace
