#pragma once
// The texts the settings and description files show. The message boxes carry
// no leading blank; the backup error is the standard error box's text.

#include <QString>

namespace FileTexts {

inline const QString BadFileName = QStringLiteral("Błędna nazwa pliku.");
// Its second line: the names a settings or description file may have.
inline const QString FileNameForm = QStringLiteral(
    "Nazwa musi mieć postać WLT_nastawy_NNN.txt lub WLT_nast_rejzd_NNN.txt (NNN: numer fabryczny).");
inline const QString ReadError = QStringLiteral("Błąd odczytu");
// The second line of "Błąd odczytu" when the file (%1) is not in the folder (%2).
inline const QString MissingFile = QStringLiteral("Nie ma pliku %1 w folderze %2.");
inline const QString WriteError = QStringLiteral("Błąd zapisu");
inline const QString BackupFailed = QStringLiteral("Unable to create backup file.");
// A save dialog's question before a file is replaced: this, the file name.
inline const QString ReplaceQuestion = QStringLiteral("Plik %1 już istnieje. Zastąpić go?");
// Status panel 1 after start-up when several files in the folder have the
// description file's name in other letter cases: this, the one loaded.
inline const QString DescriptionChosen = QStringLiteral("Wczytano plik %1 spośród kilku o tej nazwie");
// Appended to the window caption after a failed save or load.
inline const QString FailureMark = QStringLiteral("*");

}  // namespace FileTexts
