// Saving the window's settings as a settings text file: the grid, the
// enabled programming check boxes and the event texts.

#include "app/TForm1.h"
#include "files/FileTexts.h"
#include "files/SettingsFileFormat.h"
#include "files/SettingsFileNames.h"
#include "files/TextFile.h"
#include "settings/GridInteger.h"
#include "settings/SettingsTexts.h"

#include <QFile>
#include <QFileInfo>

using namespace SettingsFileFormat;

// The grid is checked before anything on disk changes; the old file is
// backed up by a copy and replaced only by a complete new file, so a refused
// or failed save leaves the old file where it was. Only regular files are
// backed up and replaced: a FIFO, device or folder in the way is a write
// error and stays as it is (one under the previous file's name stops the
// save before the backup). A link under the name of the file or of its
// backup is replaced itself, as deleting and renaming would; the file it
// points to stays as it was.
void TForm1::SaveSettingsFile() {
  const QString title = TitleLine(PadNumber3(FactoryNumber));
  if (!GridToImage()) {
    Caption = title + FileTexts::FailureMark;
    StatusBar1.Panels[1].Text = SettingsTexts::InvalidValue;
    ui_.Beep();
    return;
  }
  const auto writeError = [&] {
    Caption = title + FileTexts::FailureMark;
    ui_.Beep();
    ui_.ShowMessage(FileTexts::WriteError);
  };

  QStringList file;
  WriteSettingsSection(file);
  WritePermissionsSection(file);

  const QString chosen = SaveDialog1.FileName;
  const QString target = SettingsFileNames::SaveTarget(chosen);
  const QString previous = SettingsFileNames::SiblingWithExtension(chosen, SettingsFileNames::kTextExtension);
  const QFileInfo previousFile(previous);
  const bool hadPrevious = previousFile.exists();
  if (hadPrevious && !previousFile.isFile()) return writeError();
  if (hadPrevious && !TextFile::CopyFile(previous, SettingsFileNames::SiblingWithExtension(
                                                       chosen, SettingsFileNames::kBackupExtension))) {
    ui_.ShowError(FileTexts::BackupFailed);
    return;
  }
  if (!TextFile::WriteLines(target, file)) return writeError();
  // Written under another name (a chosen name without ".txt"), the previous
  // file lives on as the backup only, as if it had been renamed to it.
  if (hadPrevious && QFileInfo(previous).absoluteFilePath() != QFileInfo(target).absoluteFilePath())
    QFile::remove(previous);
  Caption = title;
}

void TForm1::WriteSettingsSection(QStringList& file) {
  Grid grid;
  for (int row = 0; row < kGridRows; ++row)
    for (int column = 0; column < kGridColumns; ++column)
      grid[std::size_t(row)][std::size_t(column)] = StringGrid1.Cells(column, row);
  // A value wider than its field would run into the unit and read back as
  // another number; the saved grid has passed GridToImage, so it has one.
  for (int row = 1; row < kGridRows; ++row) {
    QString& value = grid[std::size_t(row)][1];
    std::int32_t n = 0;
    if (value.size() > kValueWidth && ParseGridInteger(value, n)) value = QString::number(n);
  }
  file += HeaderAndSettingsLines(PadNumber3(FactoryNumber), grid);
}

void TForm1::WritePermissionsSection(QStringList& file) {
  file << kPermissionsHeading;
  for (int number = kFirstBox; number <= kLastBox; ++number)
    WriteCheckBoxLine(CheckBox(number), file, number);
  file << TerminatorLine();
  WriteEventTextsSection(file);
}

// A disabled box gets no line; a hidden one does, with its empty caption.
void TForm1::WriteCheckBoxLine(const TCheckBox& box, QStringList& file, int number) {
  if (box.Enabled) file << CheckBoxLine(number, box.Caption, box.Checked);
}
