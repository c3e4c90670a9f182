#pragma once
// The command line of wlt-nastawy-cli:
//   wlt-nastawy-cli [line options] [--yes] [--demo] [--work-dir DIR] COMMAND [ARGUMENTS]
// The commands, what each needs and how it is described in --help stand in
// one table.

#include "launch/LaunchOptions.h"

#include <QString>
#include <QStringList>

#include <array>

enum class CliCommand {
  Info,
  ReadSettings,
  WriteSettings,
  ShowSettings,
  ReadEvents,
  ShowEvents,
  Clock,
  SetClock,
  ReadSchedule,
  WriteSchedule,
  SetAddress,
  Signal,
  PrintSettings,
  PrintEvents,
  DiffSettings,
  ExportEvents,
  Scan
};

struct CliCommandEntry {
  CliCommand command;
  const char* name;
  const char* arguments;  // as the usage text names them
  int argumentCount;
  bool needsController;   // runs the window's start-up first
  bool asksConfirmation;  // the window asks before it changes the controller
  bool takesFiles;        // every argument is a file
  bool writesPdf;         // the last argument is the PDF file printed into
  const char* summary;    // for --help
};

extern const std::array<CliCommandEntry, 17> kCliCommands;

struct CliRequest {
  bool help = false;
  LaunchOptions::Line line;
  bool yes = false;
  bool demo = false;
  bool trace = false;  // --trace: the link's rows on standard error
  QString workDir;
  const CliCommandEntry* entry = nullptr;
  QStringList arguments;  // the command's arguments as given
  // write-schedule: day code and hour of each row; set-address: the address.
  std::array<int, 6> schedule{};
  int address = 0;
};

// Parses the arguments after the program name. False with a reason in error
// for anything the program cannot run: an unknown option or command, a
// missing or bad value, or a command that changes the controller without
// --yes (checked here, before any port is opened).
bool ParseCliCommandLine(const QStringList& arguments, CliRequest& request, QString& error);

// The text of --help.
QString CliUsage(const QString& programName);
