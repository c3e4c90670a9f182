#pragma once
// The question a save dialog asks before its file replaces an existing one.
// The toolkit's dialog would ask about the name typed; a save writes the
// name its own rules make of it (".txt" appended to a settings file's name,
// ".dat" for the stem of an event file), so the handler asks, about that.

#include <QString>

class Ui;
struct TFileDialog;

namespace ReplaceQuestion {

// True when the save may write finalPath: the dialog does not ask
// (OverwritePrompt off), nothing is there under that name, or the user
// answered OK to "Plik <name> już istnieje. Zastąpić go?".
bool MayReplace(Ui& ui, const TFileDialog& dialog, const QString& finalPath);

}  // namespace ReplaceQuestion
