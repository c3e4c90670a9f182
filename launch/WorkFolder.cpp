#include "launch/WorkFolder.h"

#include "files/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace WorkFolder {

QString DefaultPath() {
  const QString fromEnvironment = qEnvironmentVariable("WLT_WORK_DIR");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
#ifdef _WIN32
  // Where a Windows user keeps files: Documents, wherever it was moved to.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty()) return QDir(documents).filePath(QStringLiteral("WLT"));
#endif
  return QDir::home().filePath(QStringLiteral("WLT"));
}

QString ShippedGeneralFile(const QString& programFolder) {
  return QDir(programFolder).filePath(QStringLiteral("../share/wlt-nastawy/") + kGeneralFileName);
}

bool Enter(const QString& folder, const QString& generalFile, QString& error, QString& warning) {
  if (!QDir().mkpath(folder)) {
    error = QStringLiteral("cannot create the work folder %1").arg(folder);
    return false;
  }
  const QString copy = QDir(folder).filePath(kGeneralFileName);
  if (!QFileInfo::exists(copy) && !TextFile::CopyFile(generalFile, copy))
    warning = QStringLiteral("cannot copy %1 into %2").arg(QDir::cleanPath(generalFile), folder);
  if (!QDir::setCurrent(folder)) {
    error = QStringLiteral("cannot enter the work folder %1").arg(folder);
    return false;
  }
  return true;
}

bool EnterForProgram(const QString& folder, QString& error, QString& warning) {
  return Enter(folder, ShippedGeneralFile(QCoreApplication::applicationDirPath()), error, warning);
}

}  // namespace WorkFolder
