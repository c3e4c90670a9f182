// The settings-file entries of the menu "Nastawy": "Otwórz plik" and
// "Zapisz plik jako...". Both propose the description file of the present
// factory number and take the factory number from the name chosen.

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "files/FileTexts.h"
#include "files/ReplaceQuestion.h"
#include "files/SettingsFileNames.h"

namespace {

// The factory number from the chosen name, then the check of its form. A
// refused name has already given its number when it had one.
bool TakeChosenName(TForm1& form, const QString& path) {
  const SettingsFileNames::NameCheck check = SettingsFileNames::CheckStem(SettingsFileNames::Stem(path));
  if (check.factoryNumber) form.FactoryNumber = *check.factoryNumber;
  if (check.accepted) return true;
  form.ui().Beep();
  form.ui().ShowMessage(AppTexts::WithSecondLine(FileTexts::BadFileName, FileTexts::FileNameForm));
  return false;
}

}  // namespace

void TForm1::Otwrz1Click() {
  StatusBar1.Panels[1].Text.clear();
  OpenDialog1.FileName = SettingsFileNames::kDescriptionPrefix + PadNumber3(FactoryNumber);
  if (!ui_.ExecuteOpenDialog(OpenDialog1)) return;
  if (!TakeChosenName(*this, OpenDialog1.FileName)) return;
  LoadSettingsFile(OpenDialog1.FileName);
}

void TForm1::Zapiszjako1Click() {
  StatusBar1.Panels[1].Text.clear();
  SaveDialog1.FileName = SettingsFileNames::kDescriptionPrefix + PadNumber3(FactoryNumber);
  if (!ui_.ExecuteSaveDialog(SaveDialog1)) return;
  // The dialog's own question, about the name the save writes.
  if (!ReplaceQuestion::MayReplace(ui_, SaveDialog1, SettingsFileNames::SaveTarget(SaveDialog1.FileName))) return;
  if (!TakeChosenName(*this, SaveDialog1.FileName)) return;
  SaveSettingsFile();
}
