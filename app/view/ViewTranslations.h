#pragma once
// The toolkit's own texts in Polish, like the rest of the window: the file,
// print and overwrite dialogs and the standard buttons take Qt's Polish
// translation (qtbase_pl.qm, Debian package qt6-translations-l10n).

class QCoreApplication;

namespace ViewTranslations {

// False where the translation is not installed: the dialogs stay English.
bool InstallPolish(QCoreApplication& application);
void RemovePolish(QCoreApplication& application);

}  // namespace ViewTranslations
