#include "CliCommandLine.h"

#include "launch/DemoSimulator.h"
#include "mdbcomp/LineOptions.h"

const std::array<CliCommandEntry, 17> kCliCommands{{
    {CliCommand::Info, "info", "", 0, true, false, false, false,
     "connect; print the factory number, the production year and the connection state"},
    {CliCommand::ReadSettings, "read-settings", "FILE", 1, true, false, true, false,
     "connect, read the settings and save them as the settings file FILE (WLT_nastawy_NNN.txt or "
     "WLT_nast_rejzd_NNN.txt). A name without \".txt\" (\".TXT\" too) gets \".txt\" added; an "
     "existing STEM.txt (STEM: the name up to its first dot) is kept as STEM.bak. The name written "
     "and the backup go to standard error"},
    {CliCommand::WriteSettings, "write-settings", "FILE", 1, true, false, true, false,
     "connect, open the settings file FILE and write its settings to the controller. What FILE "
     "gives no value or state for keeps what the controller holds; each change is printed first, "
     "one a line: \"REG NAME: OLD -> NEW\" (REG.BIT for a programming bit). A FILE named for "
     "another factory number needs --yes. The settings are read back after the write: one the "
     "controller did not keep fails the command"},
    {CliCommand::ShowSettings, "show-settings", "FILE", 1, false, false, true, false,
     "open the settings file FILE and print the lines of its settings printout"},
    {CliCommand::ReadEvents, "read-events", "FILE", 1, true, false, true, false,
     "connect, read the event recorder, save it as the event file FILE (its name up to the first "
     "dot, with \".dat\"; the name written goes to standard error) and print the event list"},
    {CliCommand::ShowEvents, "show-events", "FILE", 1, false, false, true, false,
     "open the event file FILE and print the event list"},
    {CliCommand::Clock, "clock", "", 0, true, false, false, false,
     "connect; print the controller's and the PC's date, time and day of the week"},
    {CliCommand::SetClock, "set-clock", "", 0, true, true, false, false,
     "connect and set the controller's clock from the PC's"},
    {CliCommand::ReadSchedule, "read-schedule", "", 0, true, false, false, false,
     "connect, read the three test times and print them (day, hour)"},
    {CliCommand::WriteSchedule, "write-schedule", "D1 H1 D2 H2 D3 H3", 6, true, true, false, false,
     "connect and write the three test times: day codes 0 (none), 1 (Sunday) to 7 (Saturday), "
     "hours 0 to 23"},
    {CliCommand::SetAddress, "set-address", "N", 1, true, true, false, false,
     "connect and set the network address of the controller's second port to N (1 to 247)"},
    {CliCommand::Signal, "signal", "", 0, true, true, false, false,
     "connect and switch on the signal \"odst/odbl z systemu\""},
    {CliCommand::PrintSettings, "print-settings", "FILE OUT.pdf", 2, false, false, true, true,
     "open the settings file FILE and print the settings printout into OUT.pdf"},
    {CliCommand::PrintEvents, "print-events", "FILE OUT.pdf", 2, false, false, true, true,
     "open the event file FILE and print the event printout into OUT.pdf"},
    // diff-settings takes one file (against the controller) or two.
    {CliCommand::DiffSettings, "diff-settings", "A.txt [B.txt]", 2, true, false, true, false,
     "print the settings in which the settings files A and B differ, one a line: \"REG NAME: A -> B\" "
     "(REG.BIT for a programming bit). With A alone: connect, and print what write-settings A would "
     "change, \"REG NAME: CONTROLLER -> A\". Exit status 0 when there is no difference, 3 when there "
     "are"},
    {CliCommand::ExportEvents, "export-events", "FILE OUT.csv", 2, false, false, true, false,
     "open the event file FILE and write its events as the table OUT.csv (UTF-8, \";\" between "
     "fields; \".csv\" is added to a name without it)"},
    {CliCommand::Scan, "scan", "", 0, false, false, false, false,
#ifdef _WIN32
     "search the serial ports (COM1 to COM256) "
#else
     "search the serial devices (COM1 to COM4 as mapped, /dev/serial/by-id, /dev/ttyUSB*, /dev/ttyACM*) "
#endif
     "at 19200, 9600, 4800 and 2400 bit/s, every parity, slave addresses 1 to 247, for the controller; "
     "connect to the one found and print its device, line settings, address, factory number and year. "
     "The search's progress goes to standard error; a signal stops it"},
}};

namespace {

const CliCommandEntry* FindCommand(const QString& name) {
  for (const CliCommandEntry& entry : kCliCommands)
    if (name == QLatin1String(entry.name)) return &entry;
  return nullptr;
}

bool ParseInteger(const QString& text, int low, int high, int& value) {
  unsigned long parsed = 0;
  if (!LineOptions::ParseNumber(text.toStdString(), (unsigned long)low, (unsigned long)high, parsed))
    return false;
  value = int(parsed);
  return true;
}

// The numbers of write-schedule and set-address, within what the window's
// controls take.
bool ParseCommandNumbers(CliRequest& request, QString& error) {
  const QStringList& a = request.arguments;
  if (request.entry->command == CliCommand::WriteSchedule) {
    for (int row = 0; row < 3; ++row) {
      const QString& day = a[2 * row];
      const QString& hour = a[2 * row + 1];
      if (!ParseInteger(day, 0, 7, request.schedule[std::size_t(2 * row)])) {
        error =
            QStringLiteral("write-schedule: bad day code \"%1\" in row %2 (0 to 7)").arg(day).arg(row + 1);
        return false;
      }
      if (!ParseInteger(hour, 0, 23, request.schedule[std::size_t(2 * row + 1)])) {
        error = QStringLiteral("write-schedule: bad hour \"%1\" in row %2 (0 to 23)").arg(hour).arg(row + 1);
        return false;
      }
    }
  }
  if (request.entry->command == CliCommand::SetAddress && !ParseInteger(a[0], 1, 247, request.address)) {
    error = QStringLiteral("set-address: bad address \"%1\" (1 to 247)").arg(a[0]);
    return false;
  }
  return true;
}

// The text broken into lines of at most width characters, each indented.
QString Wrapped(const QString& text, int indent, int width) {
  QString out;
  QString line;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
      out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
      line.clear();
    }
    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  if (!line.isEmpty()) out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
  return out;
}

}  // namespace

bool ParseCliCommandLine(const QStringList& arguments, CliRequest& request, QString& error) {
  request = CliRequest{};
  QStringList positional;
  bool optionsEnded = false;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
      positional << argument;
      continue;
    }
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    if (argument == QLatin1String("--")) {
      optionsEnded = true;
    } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      request.help = true;
    } else if (argument == QLatin1String("--yes")) {
      request.yes = true;
    } else if (argument == QLatin1String("--trace")) {
      request.trace = true;
    } else if (argument == QLatin1String("--demo") && kDemoAvailable) {
      request.demo = true;
    } else if (name == QLatin1String("--work-dir")) {
      if (!LaunchOptions::TakeValue(arguments, i, name, request.workDir) || request.workDir.isEmpty()) {
        error = QStringLiteral("--work-dir needs a folder");
        return false;
      }
    } else if (LaunchOptions::IsLineOption(name)) {
      QString value;
      if (!LaunchOptions::TakeValue(arguments, i, name, value)) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return false;
      }
      if (!LaunchOptions::SetLineOption(name, value, request.line, error)) return false;
    } else {
      error = QStringLiteral("unknown option \"%1\"").arg(argument);
      return false;
    }
  }
  if (request.help) return true;

  if (positional.isEmpty()) {
    error = QStringLiteral("no command given");
    return false;
  }
  const QString commandName = positional.takeFirst();
  request.entry = FindCommand(commandName);
  if (!request.entry) {
    error = QStringLiteral("unknown command \"%1\"").arg(commandName);
    return false;
  }
  const CliCommandEntry& entry = *request.entry;
  const bool oneSettingsFile = entry.command == CliCommand::DiffSettings && positional.size() == 1;
  if (positional.size() != entry.argumentCount && !oneSettingsFile) {
    const QString name = QLatin1String(entry.name);
    error = entry.argumentCount == 0
                ? QStringLiteral("%1 takes no arguments").arg(name)
                : QStringLiteral("%1 needs %2").arg(name, QLatin1String(entry.arguments));
    return false;
  }
  request.arguments = positional;
  for (const QString& argument : request.arguments) {
    if (argument.isEmpty()) {
      error = QStringLiteral("%1: an empty argument").arg(QLatin1String(entry.name));
      return false;
    }
  }
  if (!ParseCommandNumbers(request, error)) return false;
  // Refused before anything is opened: nothing reaches the controller.
  if (entry.asksConfirmation && !request.yes) {
    error = QStringLiteral("%1 changes the controller: the window asks first; confirm with --yes")
                .arg(QLatin1String(entry.name));
    return false;
  }
  if (request.demo && !entry.needsController) request.demo = false;  // no controller, no simulator
  if (entry.command == CliCommand::DiffSettings && !oneSettingsFile) request.demo = false;
  if (request.demo && !request.line.devicePath.isEmpty()) {
    error = QStringLiteral("--demo opens the simulator; it takes no device in --port");
    return false;
  }
  return true;
}

QString CliUsage(const QString& programName) {
  constexpr int kSummaryColumn = 21;
  QString text = QStringLiteral(
                     "Usage: %1 [OPTIONS] COMMAND [ARGUMENTS]\n"
                     "Runs the commands of the WLT nastawy window without the window: the same\n"
                     "handlers, the same files, the same printouts. Messages and status texts go\n"
                     "to standard error, what a command prints to standard output (UTF-8).\n"
                     "\n"
                     "Commands:\n")
                     .arg(programName);
  for (const CliCommandEntry& entry : kCliCommands) {
    const QString head =
        QStringLiteral("  ") +
        QStringLiteral("%1 %2").arg(QLatin1String(entry.name), QLatin1String(entry.arguments)).trimmed();
    QString summary = QString::fromUtf8(entry.summary);
    if (entry.asksConfirmation) summary += QStringLiteral(" (needs --yes)");
    // Laid out as the options are: the summary from column 21, beside a
    // short command, below a long one (the manual page's help2man reads
    // either as a tagged paragraph).
    const QString wrapped = Wrapped(summary, kSummaryColumn, 79);
    if (head.size() + 2 <= kSummaryColumn)
      text += head.leftJustified(kSummaryColumn) + wrapped.mid(kSummaryColumn);
    else
      text += head + QLatin1Char('\n') + wrapped;
  }
  text += QStringLiteral(
      "\n"
      "A command that connects first runs the window's start-up on the line below:\n"
      "it finds the controller and loads its description file WLT_nast_rejzd_NNN.txt\n"
      "(or WLT_nast_rejzd_000.txt) from the current folder. The other commands\n"
      "never open a port.\n"
      "\n"
      "Options:\n");
  text += LaunchOptions::LineOptionsUsage();
  text += QStringLiteral(
      "  --yes              answer OK to the window's confirmation (set-clock,\n"
      "                     write-schedule, set-address, signal); let write-settings\n"
      "                     write a file of another factory number\n");
  if (kDemoAvailable)
    text += QStringLiteral(
        "  --demo             connect to the controller simulator wlt-sim (beside this\n"
        "                     program) on a pseudo-terminal instead of a port\n");
  text += QStringLiteral(
      "  --trace            print every frame sent to and received from the\n"
      "                     controller, each try's outcome and time-out to standard\n"
      "                     error as it happens\n");
  text += QStringLiteral(
      "  --work-dir DIR     run in the work folder DIR: created when missing and given\n"
      "                     the general description file WLT_nast_rejzd_000.txt unless\n"
      "                     it has one (file arguments stay relative to where you are)\n"
      "  -h, --help         show this text\n"
      "\n"
      "Exit status: 0 the command did what it says; 1 the controller, the link or a\n"
      "file failed it (the window's message on standard error), or standard output\n"
      "could not be written (a file asked for is still saved); 2 bad arguments or a\n"
      "confirmation needed without --yes (nothing written to the controller);\n"
      "3 diff-settings found differences.\n");
  return text;
}
