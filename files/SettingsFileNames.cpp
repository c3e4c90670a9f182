#include "files/SettingsFileNames.h"

#include "files/NumberedLines.h"

#include <QDir>
#include <QFileInfo>

namespace SettingsFileNames {
namespace {

QString FileNamePart(const QString& path) { return QFileInfo(path).fileName(); }

// Three or more decimal digits whose value an int holds.
std::optional<int> AllDigits(const QString& text) {
  if (text.size() < 3) return std::nullopt;
  qint64 value = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > 2147483647) return std::nullopt;
  }
  return int(value);
}

}  // namespace

QString Stem(const QString& path) {
  const QString name = FileNamePart(path);
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

NameCheck CheckStem(const QString& stem) {
  for (const QString& prefix : {kSettingsPrefix, kDescriptionPrefix}) {
    if (!stem.startsWith(prefix)) continue;
    if (const std::optional<int> number = AllDigits(stem.mid(prefix.size()))) return {number, true};
  }
  // The last three characters give the number; what stands before them must
  // be one of the prefixes exactly.
  NameCheck check;
  check.factoryNumber = NumberedLines::FieldToInt(stem.right(3));
  if (!check.factoryNumber) return check;
  const QString before = stem.left(std::max<qsizetype>(0, stem.size() - 3));
  check.accepted = before == kSettingsPrefix || before == kDescriptionPrefix;
  return check;
}

QString SaveTarget(const QString& chosenPath) {
  return FileNamePart(chosenPath).contains(kTextExtension) ? chosenPath : chosenPath + kTextExtension;
}

QString LoadTarget(const QString& chosenPath) {
  return FileNamePart(chosenPath).contains(QLatin1Char('.')) ? chosenPath : chosenPath + kTextExtension;
}

QString SiblingWithExtension(const QString& chosenPath, const QString& extension) {
  const QString name = Stem(chosenPath) + extension;
  // A bare name stays relative to the current folder, as the dialogs leave it.
  const QString folder = QFileInfo(chosenPath).path();
  return folder == QLatin1String(".") ? name : QDir(folder).filePath(name);
}

}  // namespace SettingsFileNames
