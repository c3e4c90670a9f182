#pragma once
// The program's command line as text, read before the toolkit starts (so
// that --help and bad options need no display), and its standard output
// made ready for the Polish letters.

#include <QString>
#include <QStringList>

namespace ProgramArguments {

// The arguments after the program name. Windows hands argv over in the ANSI
// code page, which has no "ł" or "ź" on most PCs ("łódź" became "lódz"), so
// there they come from the wide-character command line, as Qt's
// QCoreApplication::arguments() takes them; elsewhere argv is in the
// locale's encoding.
QStringList Arguments(int argc, char** argv);

// The file name of the program, for its messages ("wlt-nastawy-cli.exe").
QString ProgramName(int argc, char** argv);

// The programs write UTF-8. A Windows console shows it only in its UTF-8
// code page, which is set here; elsewhere nothing is done.
void UseUtf8Console();

}  // namespace ProgramArguments
