#pragma once
// The names of settings and description files. A name is judged on its stem,
// the file name without folder cut before its first ".": a settings file is
// "WLT_nastawy_" and a description file "WLT_nast_rejzd_" followed by the
// factory number, which the stem gives back.

#include <QString>

#include <optional>

namespace SettingsFileNames {

inline const QString kSettingsPrefix = QStringLiteral("WLT_nastawy_");
inline const QString kDescriptionPrefix = QStringLiteral("WLT_nast_rejzd_");
inline const QString kTextExtension = QStringLiteral(".txt");
inline const QString kBackupExtension = QStringLiteral(".bak");

// The file name without its folder, cut before its first ".".
QString Stem(const QString& path);

struct NameCheck {
  // The factory number the name gives; none when it gives none (the name is
  // then refused and the number stays as it was).
  std::optional<int> factoryNumber;
  bool accepted = false;
};

// A stem of one of the two prefixes followed by three or more decimal digits
// is accepted, with all its digits as the factory number. Any other stem is
// refused; its last three characters (the whole stem when shorter), read as
// an integer, still give the factory number when they convert.
NameCheck CheckStem(const QString& stem);

// The file the writer writes: the chosen name with ".txt" appended unless the
// file name already contains ".txt".
QString SaveTarget(const QString& chosenPath);
// The file the loader reads: the chosen name with ".txt" appended when the
// file name has no "." at all.
QString LoadTarget(const QString& chosenPath);

// stem + extension in the folder of the chosen name: the file a save backs
// up ("stem.txt") and its backup ("stem.bak").
QString SiblingWithExtension(const QString& chosenPath, const QString& extension);

}  // namespace SettingsFileNames
