#include "app/TForm1.h"
#include "settings/SettingsCatalogueTables.h"
#include "settings/SettingsRegisterMap.h"

// The four conversions between the settings image and the controls.

using namespace SettingsRegisterMap;

void TForm1::ImageToGrid() {
  for (int row = 1; row <= kTimingRows; ++row)
    StringGrid1.Cells(1, row) = GridText(row, SettingsImage[std::size_t(TimingWord(row))]);
}

void TForm1::ImageToCheckBoxes() {
  // Every box is set, hidden ones too; the spare bits 14 and 15 of 807 have no box.
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox;
       ++box) {
    const BitPosition at = *ProgramBit(box);
    CheckBox(box).Checked = (SettingsImage[std::size_t(at.word)] >> at.bit) & 1u;
  }
}

bool TForm1::GridToImage() {
  // Rows before a refused one keep their new words; the refused row and the
  // rows after it keep what they held.
  for (int row = 1; row <= kTimingRows; ++row) {
    const std::optional<std::uint16_t> value = CellToRegister(row, StringGrid1.Cells(1, row));
    if (!value) return false;
    SettingsImage[std::size_t(TimingWord(row))] = *value;
  }
  return true;
}

void TForm1::CheckBoxesToImage() {
  for (int word = 0; word < kProgramWords; ++word) SettingsImage[std::size_t(word)] = 0;
  // A hidden box still carries its bit, so a hidden setting is written back unchanged.
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox;
       ++box) {
    if (!CheckBox(box).Checked) continue;
    const BitPosition at = *ProgramBit(box);
    SettingsImage[std::size_t(at.word)] |= std::uint16_t(1u << at.bit);
  }
}
