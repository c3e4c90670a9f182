#include "app/TForm1.h"
#include "settings/SettingsCatalogueTables.h"
#include "settings/SettingsTexts.h"

// Writes the catalogue into the controls; the first step of the window's
// creation. It sets no values: the value column stays as it is and no box is
// checked, shown or hidden here.
void TForm1::InitSettingsCatalogue() {
  for (int day = 1; day <= 7; ++day) DayNames[std::size_t(day)] = SettingsTexts::DayNames[day - 1];

  // Test-day selectors: item 0 is "Żaden", no test.
  ComboBox5.SetItemIndex(0);
  ComboBox6.SetItemIndex(0);
  ComboBox7.SetItemIndex(0);

  for (QString& text : CauseTexts) text.clear();
  EventsLoaded = false;

  StringGrid1.Cells(0, 0) = SettingsTexts::GridHeaderName;
  StringGrid1.Cells(1, 0) = SettingsTexts::GridHeaderValue;
  StringGrid1.Cells(2, 0) = SettingsTexts::GridHeaderUnit;
  for (int row = 1; row <= SettingsCatalogue::kTimingRows; ++row)
    StringGrid1.Cells(0, row) = SettingsCatalogue::TimingName(row);
  for (int row = 1; row <= SettingsCatalogue::kTimingRows; ++row)
    StringGrid1.Cells(2, row) = SettingsCatalogue::TimingUnit(row);

  // Column 0 and row 0 are fixed; values and units edit in place.
  StringGrid1.goFixedVertLine = true;
  StringGrid1.goFixedHorzLine = true;
  StringGrid1.goVertLine = true;
  StringGrid1.goHorzLine = true;
  StringGrid1.goEditing = true;
  StringGrid1.goRangeSelect = false;

  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox;
       ++box)
    CheckBox(box).Caption = SettingsCatalogue::DefaultCaption(box);
}
