#include "FuzzForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

QString ScratchFolder() {
  static const QTemporaryDir folder = [] {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? QTemporaryDir(QStringLiteral("/dev/shm/wlt-fuzz-XXXXXX"))
                                           : QTemporaryDir();
  }();
  return folder.path();
}

QString ScratchFile(const QString& name) { return QDir(ScratchFolder()).filePath(name); }

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

LoadedTexts TextsOf(const TForm1& form) {
  LoadedTexts texts;
  for (int row = 0; row <= 20; ++row)
    for (int column = 0; column < 3; ++column)
      texts.grid[std::size_t(row)][std::size_t(column)] = form.StringGrid1.Cells(column, row);
  for (int n = 801; n <= 910; ++n) {
    const TCheckBox& box = form.CheckBox(n);
    texts.boxCaptions[std::size_t(n - 801)] = box.Caption;
    texts.boxChecked[std::size_t(n - 801)] = box.Checked;
    texts.boxVisible[std::size_t(n - 801)] = box.Visible;
  }
  texts.eventLabels = form.EventLabels;
  texts.causeTexts = form.CauseTexts;
  return texts;
}
