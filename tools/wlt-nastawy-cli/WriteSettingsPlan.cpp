#include "WriteSettingsPlan.h"

#include "app/TForm1.h"
#include "settings/SettingsCompare.h"

namespace WriteSettingsPlan {

using namespace SettingsRegisterMap;

void KeepControllerValues(TForm1& form, const SettingsDiff::Image& held) {
  for (int row = 1; row <= kTimingRows; ++row)
    if (!form.LoadedFileRows[std::size_t(row)])
      form.StringGrid1.Cells(1, row) = GridText(row, held[std::size_t(TimingWord(row))]);
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox; ++box) {
    if (form.LoadedFileBoxes[std::size_t(box - SettingsCatalogue::kFirstProgramBox)]) continue;
    const BitPosition at = *ProgramBit(box);
    form.CheckBox(box).Checked = (held[std::size_t(at.word)] >> at.bit) & 1u;
  }
}

SettingsDiff::Names ShownNames(const TForm1& form) { return SettingsCompare::ShownNames(form); }

int FactoryNumber(const SettingsDiff::Image& held) { return held[std::size_t(898 - kFirstRegister)]; }

}  // namespace WriteSettingsPlan
