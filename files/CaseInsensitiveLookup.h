#pragma once
// A file of a given name in a folder whatever the case of its letters, as
// the controller's description files come from Windows PCs, where
// "WLT_nast_rejzd_007.TXT" and "WLT_nast_rejzd_007.txt" are one name.

#include <QString>

class QDir;

namespace CaseInsensitiveLookup {

struct Found {
  QString name;          // the file name as it is in the folder; empty: none
  bool several = false;  // more than one file had the name
};

// Among the regular files of the folder (and links to them) those whose
// name equals fileName in any letter case: one is taken; of several, the
// one of exactly fileName, else the first in the order of their character
// codes. FIFOs, devices and folders of the name are never taken.
Found Find(const QDir& folder, const QString& fileName);

}  // namespace CaseInsensitiveLookup
