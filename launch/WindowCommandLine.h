#pragma once
// The window's command line:
//   --port COMn=PATH   which device a port name opens (repeatable)
//   --demo             start the controller simulator and map COM1 to it
//                      (not on Windows)
//   --work-dir DIR     start in DIR, which is given the general description file
//   --default-work-dir start in the default work folder (the desktop entry's
//                      start: it cannot name a folder in the user's home)
//   --help             the usage text
// and one option for the screenshot script, not shown in the usage text:
//   --screenshot DIR   grab every page into DIR, then quit

#include <QString>
#include <QStringList>

struct CommandLine {
  QStringList portOptions;  // "COMn=PATH", in the order given
  bool demo = false;
  bool help = false;
  bool defaultWorkDir = false;
  QString workDir;
  QString screenshotDir;
};

// Parses the arguments after the program name. False with a reason in error
// for an unknown option or a missing value.
bool ParseCommandLine(const QStringList& arguments, CommandLine& result, QString& error);

// The work folder to enter: the one named by --work-dir, else defaultPath
// for --default-work-dir or --demo; empty to stay in the folder the program
// was started in.
QString WorkFolderToEnter(const CommandLine& options, const QString& defaultPath);

// The ports of the --port options are mapped with
// LaunchOptions::ApplyPortMappings.

// The usage text printed by --help.
QString UsageText(const QString& programName);
