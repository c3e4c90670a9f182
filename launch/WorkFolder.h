#pragma once
// The work folder the program can start in: the folder that holds the
// controllers' description files and where the user's files land. It gets
// a copy of the general description file shipped with the programs, so the
// window shows named check boxes and indicators from the first start.

#include <QString>

namespace WorkFolder {

inline const QString kGeneralFileName = QStringLiteral("WLT_nast_rejzd_000.txt");

// $WLT_WORK_DIR when set, else the folder WLT in the user's home folder (on
// Windows in the user's Documents).
QString DefaultPath();

// The shipped general description file, found from the program's folder:
// <program folder>/../share/wlt-nastawy/ (installed and in the build tree).
QString ShippedGeneralFile(const QString& programFolder);

// Creates folder when missing, copies generalFile into it unless a file of
// that name is already there (never overwritten), and makes it the current
// folder. False with a reason in error when the folder cannot be made or
// entered; a general file that cannot be copied only gives a warning.
bool Enter(const QString& folder, const QString& generalFile, QString& error, QString& warning);

// Enter with the general file shipped beside the running program.
bool EnterForProgram(const QString& folder, QString& error, QString& warning);

}  // namespace WorkFolder
