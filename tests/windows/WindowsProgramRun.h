#pragma once
// What the wine tests of the Windows programs share: scratch folders seen
// from both sides (a Linux path is Z:\... under wine), the Linux build's CLI
// as the reference a Windows program's files must equal byte for byte, the
// simulator's options for a controller that gives the same answers every
// time, and text helpers.

#include "WineSession.h"
#include "WineTestEnvironment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

// A frozen controller clock and the demo's identity: two runs against it
// read the same settings, events and clock.
std::vector<std::string> SteadyControllerOptions();

// The wine session of the test program with the locale the tests expect
// (UTF-8 file names and arguments), or nullptr.
WineSession* PreparedWine();

// The path a Windows program under wine opens for a Linux path.
std::string WindowsPath(const QString& linuxPath);

QByteArray ReadAll(const QString& path);
// An event file or list with the PC's date and time of the readout taken
// out: each system writes them in its own regional format, at its own
// second. Everything else of the file stays, byte for byte.
QByteArray WithoutPcStamp(const QByteArray& bytes);
// The lines of a program's output: UTF-8, CR LF or LF.
QStringList OutputLines(const std::string& output);
QStringList OutputLines(const QByteArray& output);

struct LinuxRun {
  int status = -1;
  QByteArray out;
  QByteArray err;
};
// The Linux build's wlt-nastawy-cli in folder (the general description file
// copied there first), on the device.
LinuxRun RunLinuxCli(const QString& folder, const QString& device, const QStringList& arguments);

// The general description file of the Linux build tree.
QString GeneralDescriptionFile();

// A Windows program under wine, its folder and arguments as given.
WineRun RunWindowsProgram(WineSession& wine, const std::string& exe, const std::vector<std::string>& args,
                          int timeoutMs = 120000);
