// The settings printout: the grid as a table, then one line per visible
// programming box, composed into RichEdit1.

#include "app/TForm1.h"
#include "printing/PrintoutLines.h"
#include "settings/SettingsCatalogueTables.h"

void TForm1::ComposeSettingsTable() {
  // The values as the grid shows them, not as converted for the check.
  RichEdit1.Lines << PrintoutLines::SettingsTable(PadNumber3(FactoryNumber), StringGrid1);
}

void TForm1::ComposePermissions() {
  RichEdit1.Lines << PrintoutLines::PermissionsHeading();
  for (int number = SettingsCatalogue::kFirstProgramBox; number <= SettingsCatalogue::kLastProgramBox;
       ++number)
    PermissionLine(CheckBox(number), number);
  RichEdit1.Lines << PrintoutLines::Rule();
}

void TForm1::PermissionLine(const TCheckBox& box, int number) {
  // A box hidden for its empty caption has no line.
  if (!box.Visible) return;
  RichEdit1.Lines << PrintoutLines::PermissionLine(number, box.Caption, box.Checked);
}
