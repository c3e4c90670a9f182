#include "settings/SettingsCompare.h"

#include "app/StatusProgress.h"
#include "app/TForm1.h"
#include "settings/SettingsTexts.h"

namespace SettingsCompare {

using namespace SettingsRegisterMap;

SettingsDiff::Names ShownNames(const TForm1& form) {
  SettingsDiff::Names names;
  for (int row = 1; row <= kTimingRows; ++row) names.rows[std::size_t(row)] = form.StringGrid1.Cells(0, row);
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox; ++box)
    names.boxes[std::size_t(box - SettingsCatalogue::kFirstProgramBox)] = form.CheckBox(box).Caption;
  return names;
}

std::optional<SettingsDiff::Image> WindowImage(const TForm1& form, const SettingsDiff::Image& base) {
  SettingsDiff::Image image = base;
  for (int row = 1; row <= kTimingRows; ++row) {
    const std::optional<std::uint16_t> value = CellToRegister(row, form.StringGrid1.Cells(1, row));
    if (!value) return std::nullopt;
    image[std::size_t(TimingWord(row))] = *value;
  }
  for (int word = 0; word < kProgramWords; ++word) image[std::size_t(word)] = 0;
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox; ++box) {
    if (!form.CheckBox(box).Checked) continue;
    const BitPosition at = *ProgramBit(box);
    image[std::size_t(at.word)] |= std::uint16_t(1u << at.bit);
  }
  return image;
}

}  // namespace SettingsCompare

void TForm1::Porownaj1Click() {
  StatusBar1.Panels[1].Text.clear();
  CompareSettings();
}

// Reads the controller's block and shows where the window's settings differ
// from it, in the grid's units; nothing is written unless the user asks for
// the write from the table. A grid value the write would refuse stops the
// compare before anything is sent.
void TForm1::CompareSettings() {
  const std::optional<SettingsDiff::Image> window = SettingsCompare::WindowImage(*this, SettingsImage);
  if (!window) {
    StatusBar1.Panels[1].Text = SettingsTexts::InvalidValue;
    return;
  }
  SettingsDiff::Image controller{};
  {
    StatusProgress progress(*this);
    progress.Show(SettingsTexts::ReadingSettings);
    if (!Mdb1.ReadRegisters(SlaveAddress, SettingsRegisterMap::kFirstRegister, kSettingsWords,
                            controller.data())) {
      ReportNoCommunication(false);
      return;
    }
  }
  // Each difference as the write would change it: from the controller's value to the window's.
  const std::vector<SettingsDiff::Change> differences =
      SettingsDiff::Compare(controller, *window, SettingsCompare::ShownNames(*this));
  if (differences.empty()) {
    StatusBar1.Panels[1].Text = SettingsTexts::SettingsEqual;
    return;
  }
  if (ui().ShowSettingsDifferences(differences)) WLTPC1Click();
}
