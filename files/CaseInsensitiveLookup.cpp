#include "files/CaseInsensitiveLookup.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace CaseInsensitiveLookup {

Found Find(const QDir& folder, const QString& fileName) {
  // QDir::Files lists no FIFOs or devices (those are QDir::System).
  QStringList matches;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
    if (name.compare(fileName, Qt::CaseInsensitive) == 0 && QFileInfo(folder.filePath(name)).isFile())
      matches << name;
  Found found;
  if (matches.isEmpty()) return found;
  std::sort(matches.begin(), matches.end());
  found.several = matches.size() > 1;
  found.name = matches.contains(fileName) ? fileName : matches.constFirst();
  return found;
}

}  // namespace CaseInsensitiveLookup
