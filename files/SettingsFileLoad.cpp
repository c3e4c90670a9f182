// Loading a settings or description file into the window: the grid, the
// programming check boxes and the event texts, in three passes over the
// file, each from its first line. What a pass set before a failure stays.

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "files/FileTexts.h"
#include "files/SettingsFileFormat.h"
#include "files/SettingsFileNames.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFileInfo>

using namespace SettingsFileFormat;

void TForm1::LoadSettingsFile(const QString& fileName) {
  LoadedFileRows.fill(false);
  LoadedFileBoxes.fill(false);
  QStringList file;
  const QString target = SettingsFileNames::LoadTarget(fileName);
  const bool ok = TextFile::ReadLines(target, file) && ReadSettingsSection(file) && ReadPermissionsSection(file);
  Caption = TitleLine(PadNumber3(FactoryNumber));
  if (ok) return;
  Caption += FileTexts::FailureMark;
  ui_.Beep();
  // A file that is not there is named, with the folder it was looked for in.
  const QFileInfo missing(target);
  if (missing.exists()) {
    ui_.ShowMessage(FileTexts::ReadError);
    return;
  }
  ui_.ShowMessage(AppTexts::WithSecondLine(
      FileTexts::ReadError,
      FileTexts::MissingFile.arg(missing.fileName(), QDir::toNativeSeparators(missing.absolutePath()))));
}

// Names, values and units of the rows the file gives. A row gives a value
// when its value cell is not empty; of two lines for one row, the last counts.
bool TForm1::ReadSettingsSection(const QStringList& file) {
  const Section section = ParseSettingsSection(file);
  for (const NumberedLines::Line& line : section.lines) {
    if (line.number < 1 || line.number >= kGridRows) continue;
    const GridCells cells = GridRowCells(line.rest);
    StringGrid1.Cells(0, line.number) = cells.name;
    StringGrid1.Cells(1, line.number) = cells.value;
    StringGrid1.Cells(2, line.number) = cells.unit;
    LoadedFileRows[std::size_t(line.number)] = !cells.value.isEmpty();
  }
  return section.ok;
}

bool TForm1::ReadPermissionsSection(const QStringList& file) {
  const Section section = ParsePermissionsSection(file);
  for (const NumberedLines::Line& line : section.lines) {
    if (line.number < kFirstBox || line.number > kLastBox) continue;
    ApplyCheckBoxLine(CheckBox(line.number), line.rest);
    if (CheckBoxState(line.rest)) LoadedFileBoxes[std::size_t(line.number - kFirstBox)] = true;
  }
  return section.ok && ReadEventTextsFromLines(file);
}

// The caption shows the box or hides it; the state changes only when the
// state field converts.
void TForm1::ApplyCheckBoxLine(TCheckBox& box, const QString& rest) {
  box.Caption = CheckBoxCaption(rest);
  box.Visible = !box.Caption.isEmpty();
  if (const std::optional<int> state = CheckBoxState(rest)) box.Checked = *state == 1;
}
