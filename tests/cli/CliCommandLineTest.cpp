// The command line of wlt-nastawy-cli: every command with its arguments,
// the refusals that end with status 2 before any port is opened, and a
// usage text that lists all of it.

#include "AppTestSupport.h"
#include "CliCommandLine.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QStringList Args(std::initializer_list<const char*> words) {
  QStringList list;
  for (const char* word : words) list << QString::fromUtf8(word);
  return list;
}

struct Accepted {
  std::initializer_list<const char*> arguments;
  CliCommand command;
  std::initializer_list<const char*> commandArguments;
  bool needsController;
};

TEST(CliCommandLine, EveryCommandWithItsArguments) {
  const Accepted cases[] = {
      {{"info"}, CliCommand::Info, {}, true},
      {{"read-settings", "WLT_nastawy_007.txt"}, CliCommand::ReadSettings, {"WLT_nastawy_007.txt"}, true},
      {{"write-settings", "a/WLT_nastawy_007.txt"},
       CliCommand::WriteSettings,
       {"a/WLT_nastawy_007.txt"},
       true},
      {{"show-settings", "x.txt"}, CliCommand::ShowSettings, {"x.txt"}, false},
      {{"read-events", "e.dat"}, CliCommand::ReadEvents, {"e.dat"}, true},
      {{"show-events", "e.dat"}, CliCommand::ShowEvents, {"e.dat"}, false},
      {{"clock"}, CliCommand::Clock, {}, true},
      {{"--yes", "set-clock"}, CliCommand::SetClock, {}, true},
      {{"read-schedule"}, CliCommand::ReadSchedule, {}, true},
      {{"write-schedule", "0", "0", "7", "23", "2", "8", "--yes"},
       CliCommand::WriteSchedule,
       {"0", "0", "7", "23", "2", "8"},
       true},
      {{"set-address", "247", "--yes"}, CliCommand::SetAddress, {"247"}, true},
      {{"signal", "--yes"}, CliCommand::Signal, {}, true},
      {{"print-settings", "s.txt", "out.pdf"}, CliCommand::PrintSettings, {"s.txt", "out.pdf"}, false},
      {{"print-events", "e.dat", "out.pdf"}, CliCommand::PrintEvents, {"e.dat", "out.pdf"}, false},
      {{"diff-settings", "a.txt", "b.txt"}, CliCommand::DiffSettings, {"a.txt", "b.txt"}, true},
      {{"export-events", "e.dat", "e.csv"}, CliCommand::ExportEvents, {"e.dat", "e.csv"}, false},
      {{"scan"}, CliCommand::Scan, {}, false},
      // A file named like an option, after "--"; diff-settings with one file.
      {{"show-settings", "--", "--odd.txt"}, CliCommand::ShowSettings, {"--odd.txt"}, false},
      {{"diff-settings", "a.txt"}, CliCommand::DiffSettings, {"a.txt"}, true},
  };
  for (const Accepted& c : cases) {
    const QStringList arguments = Args(c.arguments);
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    CliRequest request;
    QString error;
    ASSERT_TRUE(ParseCliCommandLine(arguments, request, error)) << error.toStdString();
    ASSERT_NE(request.entry, nullptr);
    EXPECT_EQ(request.entry->command, c.command);
    EXPECT_EQ(request.arguments, Args(c.commandArguments));
    EXPECT_EQ(request.entry->needsController, c.needsController);
  }
  // Every command of the table is among the cases above.
  EXPECT_EQ(kCliCommands.size(), std::size(cases) - 2);
}

TEST(CliCommandLine, LineOptionsAndTheNumbersOfTheCommands) {
  CliRequest request;
  QString error;
  ASSERT_TRUE(ParseCliCommandLine(
      Args({"--port", "COM2=/dev/pts/9", "--baud=9600", "--parity", "even", "--stop-bits", "2", "--slave",
            "12", "--work-dir", "/tmp/w", "--yes", "write-schedule", "1", "0", "7", "23", "0", "5"}),
      request, error))
      << error.toStdString();
  EXPECT_EQ(request.line.startUp.Port, COM2);
  EXPECT_EQ(request.line.devicePath, QStringLiteral("/dev/pts/9"));
  EXPECT_EQ(request.line.startUp.BaudRate, br9600);
  EXPECT_EQ(request.line.startUp.Parity, prEven);
  EXPECT_EQ(request.line.startUp.StopBits, sbTwoStopBits);
  EXPECT_EQ(request.line.startUp.SlaveAddress, 12);
  EXPECT_EQ(request.workDir, QStringLiteral("/tmp/w"));
  EXPECT_TRUE(request.yes);
  EXPECT_EQ(request.schedule, (std::array<int, 6>{1, 0, 7, 23, 0, 5}));

  ASSERT_TRUE(ParseCliCommandLine(Args({"set-address", "0x10", "--yes"}), request, error));
  EXPECT_EQ(request.address, 16);

  // Without options the window's own line: COM1, 19200, no parity, 1 stop bit, slave 1.
  ASSERT_TRUE(ParseCliCommandLine(Args({"info"}), request, error));
  EXPECT_EQ(request.line.startUp.Port, COM1);
  EXPECT_TRUE(request.line.devicePath.isEmpty());
  EXPECT_EQ(request.line.startUp.BaudRate, br19200);
  EXPECT_EQ(request.line.startUp.Parity, prNone);
  EXPECT_EQ(request.line.startUp.StopBits, sbOneStopBit);
  EXPECT_EQ(request.line.startUp.SlaveAddress, 1);
  EXPECT_FALSE(request.yes);

  // The simulator serves only the commands that connect.
  ASSERT_TRUE(ParseCliCommandLine(Args({"--demo", "clock"}), request, error));
  EXPECT_TRUE(request.demo);
  ASSERT_TRUE(ParseCliCommandLine(Args({"--demo", "show-settings", "f.txt"}), request, error));
  EXPECT_FALSE(request.demo);
}

struct Refused {
  std::initializer_list<const char*> arguments;
  const char* reason;  // a part of the error text
};

TEST(CliCommandLine, RefusedBeforeAnythingIsOpened) {
  const Refused cases[] = {
      {{}, "no command"},
      {{"--yes"}, "no command"},
      {{"backup"}, "unknown command \"backup\""},
      {{"--colour", "info"}, "unknown option \"--colour\""},
      {{"info", "extra"}, "info takes no arguments"},
      {{"read-settings"}, "read-settings needs FILE"},
      {{"print-settings", "a.txt"}, "print-settings needs FILE OUT.pdf"},
      {{"write-schedule", "1", "2", "3", "--yes"}, "write-schedule needs D1 H1 D2 H2 D3 H3"},
      {{"write-schedule", "8", "0", "0", "0", "0", "0", "--yes"}, "bad day code \"8\" in row 1"},
      {{"write-schedule", "1", "0", "1", "24", "0", "0", "--yes"}, "bad hour \"24\" in row 2"},
      {{"write-schedule", "1", "0", "1", "0", "x", "0", "--yes"}, "bad day code \"x\" in row 3"},
      {{"set-address", "0", "--yes"}, "bad address \"0\""},
      {{"set-address", "248", "--yes"}, "bad address \"248\""},
      {{"read-settings", ""}, "empty argument"},
      {{"set-clock"}, "set-clock changes the controller"},
      {{"write-schedule", "1", "0", "1", "0", "1", "0"}, "--yes"},
      {{"set-address", "5"}, "--yes"},
      {{"signal"}, "--yes"},
      {{"--baud", "38400", "info"}, "--baud"},
      {{"--port", "COM5", "info"}, "--port"},
      {{"--slave"}, "--slave needs a value"},
      {{"--work-dir", "", "info"}, "--work-dir needs a folder"},
      {{"--demo", "--port", "/dev/ttyUSB0", "info"}, "--demo"},
  };
  for (const Refused& c : cases) {
    const QStringList arguments = Args(c.arguments);
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    CliRequest request;
    QString error;
    EXPECT_FALSE(ParseCliCommandLine(arguments, request, error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << error.toStdString();
  }
}

TEST(CliCommandLine, HelpListsEveryCommandAndOption) {
  CliRequest request;
  QString error;
  ASSERT_TRUE(ParseCliCommandLine(Args({"--baud", "9600", "--help"}), request, error));
  EXPECT_TRUE(request.help);
  ASSERT_TRUE(ParseCliCommandLine(Args({"-h", "no-such-command"}), request, error));
  EXPECT_TRUE(request.help);

  const QString usage = CliUsage(QStringLiteral("wlt-nastawy-cli"));
  for (const CliCommandEntry& entry : kCliCommands) {
    const QString head =
        QStringLiteral("  %1 %2").arg(QLatin1String(entry.name), QLatin1String(entry.arguments)).trimmed();
    // The summary beside the command (two blanks at least) or below it.
    const QRegularExpression line(QStringLiteral("\n  ") + QRegularExpression::escape(head) +
                                  QStringLiteral("(  +\\S|\n {21}\\S)"));
    EXPECT_TRUE(usage.contains(line)) << entry.name;
  }
  for (const char* option : {"--port", "--baud", "--parity", "--stop-bits", "--slave", "--yes", "--demo",
                             "--work-dir", "--trace", "--help", "Exit status"})
    EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
  for (const QString& line : usage.split(QLatin1Char('\n'))) EXPECT_LE(line.size(), 79) << line.toStdString();
}

// --trace anywhere among the options; without it, no trace.
TEST(CliCommandLine, TraceIsAnOption) {
  CliRequest request;
  QString error;
  ASSERT_TRUE(ParseCliCommandLine(Args({"--trace", "info"}), request, error)) << error.toStdString();
  EXPECT_TRUE(request.trace);
  ASSERT_TRUE(ParseCliCommandLine(Args({"info"}), request, error));
  EXPECT_FALSE(request.trace);
  ASSERT_TRUE(ParseCliCommandLine(Args({"read-schedule", "--trace"}), request, error));
  EXPECT_TRUE(request.trace);
}

}  // namespace
