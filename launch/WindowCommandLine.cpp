#include "launch/WindowCommandLine.h"

#include "launch/DemoSimulator.h"
#include "launch/LaunchOptions.h"

using LaunchOptions::OptionIs;
using LaunchOptions::TakeValue;

bool ParseCommandLine(const QStringList& arguments, CommandLine& result, QString& error) {
  result = CommandLine{};
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      result.help = true;
    } else if (argument == QLatin1String("--demo") && kDemoAvailable) {
      result.demo = true;
    } else if (argument == QLatin1String("--default-work-dir")) {
      result.defaultWorkDir = true;
    } else if (OptionIs(argument, QStringLiteral("--port"))) {
      QString value;
      if (!TakeValue(arguments, i, QStringLiteral("--port"), value)) {
        error = QStringLiteral("--port needs a value COMn=PATH");
        return false;
      }
      result.portOptions << value;
    } else if (OptionIs(argument, QStringLiteral("--work-dir"))) {
      if (!TakeValue(arguments, i, QStringLiteral("--work-dir"), result.workDir) ||
          result.workDir.isEmpty()) {
        error = QStringLiteral("--work-dir needs a folder");
        return false;
      }
    } else if (OptionIs(argument, QStringLiteral("--screenshot"))) {
      if (!TakeValue(arguments, i, QStringLiteral("--screenshot"), result.screenshotDir) ||
          result.screenshotDir.isEmpty()) {
        error = QStringLiteral("--screenshot needs a folder");
        return false;
      }
    } else {
      error = QStringLiteral("unknown argument \"%1\"").arg(argument);
      return false;
    }
  }
  if (result.defaultWorkDir && !result.workDir.isEmpty()) {
    error = QStringLiteral("--work-dir and --default-work-dir exclude each other");
    return false;
  }
  return true;
}

QString WorkFolderToEnter(const CommandLine& options, const QString& defaultPath) {
  if (!options.workDir.isEmpty()) return options.workDir;
  if (options.defaultWorkDir || options.demo) return defaultPath;
  return QString();
}

QString UsageText(const QString& programName) {
#ifdef _WIN32
  const char* const text =
      "Usage: %1 [--port COMn=NAME]... [--work-dir DIR | --default-work-dir]\n"
      "Service tool for the WLT transfer controller (Modbus RTU on RS-232).\n"
      "\n"
      "  --port COMn=NAME  open the PC's port NAME (COM7, \\\\.\\COM12) for the port\n"
      "                    COMn (n = 1..9); repeatable. Without it COMn is the\n"
      "                    PC's port COMn.\n"
      "  --work-dir DIR    start in the work folder DIR: created when missing and\n"
      "                    given a copy of the general description file\n"
      "                    WLT_nast_rejzd_000.txt unless it has one. The files\n"
      "                    the program reads and saves are looked for there.\n"
      "  --default-work-dir\n"
      "                    start in the default work folder: %WLT_WORK_DIR%,\n"
      "                    else WLT in the user's Documents (the start from the\n"
      "                    Start menu). With neither the program uses the\n"
      "                    current folder.\n"
      "  --help            show this text.\n";
#else
  const char* const text =
      "Usage: %1 [--port COMn=PATH]... [--demo] [--work-dir DIR | --default-work-dir]\n"
      "Service tool for the WLT transfer controller (Modbus RTU on RS-232).\n"
      "\n"
      "  --port COMn=PATH  open PATH for the port COMn (n = 1..9); repeatable.\n"
      "                    Without it COMn is /dev/ttyS(n-1).\n"
      "  --demo            start the controller simulator wlt-sim (beside this\n"
      "                    program) on a pseudo-terminal and use it as COM1;\n"
      "                    the program starts in the work folder (below).\n"
      "  --work-dir DIR    start in the work folder DIR: created when missing and\n"
      "                    given a copy of the general description file\n"
      "                    WLT_nast_rejzd_000.txt unless it has one. The files\n"
      "                    the program reads and saves are looked for there.\n"
      "  --default-work-dir\n"
      "                    start in the default work folder: $WLT_WORK_DIR,\n"
      "                    else ~/WLT (the start from the desktop menu).\n"
      "                    --demo without --work-dir uses it too. With none of\n"
      "                    these the program uses the current folder.\n"
      "  --help            show this text.\n";
#endif
  return QString::fromLatin1(text).arg(programName);
}
