#include "files/ReplaceQuestion.h"

#include "app/Ui.h"
#include "files/FileTexts.h"

#include <QFileInfo>

namespace ReplaceQuestion {

// A link that leads nowhere holds nothing to lose; a folder or FIFO under
// the name is asked about too, and the save then refuses it.
bool MayReplace(Ui& ui, const TFileDialog& dialog, const QString& finalPath) {
  const QFileInfo file(finalPath);
  if (!dialog.OverwritePrompt || !file.exists()) return true;
  return ui.Confirm(FileTexts::ReplaceQuestion.arg(file.fileName()));
}

}  // namespace ReplaceQuestion
