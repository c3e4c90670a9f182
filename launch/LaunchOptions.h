#pragma once
// The options the programs share on their command lines: the line to start
// on (--port, --baud, --parity, --stop-bits, --slave) and the window's port
// mappings. Built on the link's own parser (mdbcomp/LineOptions), limited to
// the line settings the transmission page offers, because the window state
// starts on them and shows them there. QtCore only.

#include "app/TransmissionPage.h"

#include <QString>
#include <QStringList>

namespace LaunchOptions {

// True for "--name" and "--name=VALUE".
bool OptionIs(const QString& argument, const QString& name);
// The value of "--name VALUE" (advancing i) or "--name=VALUE"; false when
// it is missing.
bool TakeValue(const QStringList& arguments, int& i, const QString& name, QString& value);

// The line a program starts on, and the device its port opens when the
// command line names one (--port COMn=PATH or --port PATH).
struct Line {
  StartUpLine startUp;
  QString devicePath;
};

// --port COMn | COMn=PATH | PATH (a bare PATH is COM1), n from 1 to 4.
bool SetPort(const QString& value, Line& line, QString& error);
// --baud 2400 | 4800 | 9600 | 19200.
bool SetBaudRate(const QString& value, Line& line, QString& error);
// --parity none | odd | even.
bool SetParity(const QString& value, Line& line, QString& error);
// --stop-bits 1 | 2.
bool SetStopBits(const QString& value, Line& line, QString& error);
// --slave 1 to 247.
bool SetSlave(const QString& value, Line& line, QString& error);

// True when name is one of the five line options above.
bool IsLineOption(const QString& name);
// Sets the line option name (one of the five) from its value. False with a
// reason in error.
bool SetLineOption(const QString& name, const QString& value, Line& line, QString& error);
// The lines of the usage text that describe the five options.
QString LineOptionsUsage();

// Points the line's port name at its device, when the line names one.
void ApplyPortMap(const Line& line);

// The window's repeatable --port COMn=PATH, in order (n from 1 to 9). False
// with a reason in error at the first value that is not of that form.
bool ApplyPortMappings(const QStringList& mappings, QString& error);

}  // namespace LaunchOptions
