#include "app/StatusProgress.h"
#include "app/TForm1.h"
#include "settings/SettingsRegisterMap.h"
#include "settings/SettingsTexts.h"

#include <array>

void TForm1::N1Click() {
  StatusBar1.Panels[1].Text.clear();
  ReadSettings();
}

void TForm1::WLTPC1Click() {
  StatusBar1.Panels[1].Text.clear();
  WriteSettings();
}

// One block read of registers 801 to 920, tried in any connection state.
void TForm1::ReadSettings() {
  // A failed read leaves the image as it was, whatever the link left in its buffer.
  std::array<std::uint16_t, kSettingsWords> block{};
  StatusProgress progress(*this);
  progress.Show(SettingsTexts::ReadingSettings);
  if (!Mdb1.ReadRegisters(SlaveAddress, SettingsRegisterMap::kFirstRegister, kSettingsWords,
                          block.data())) {
    ReportNoCommunication(false);
    return;
  }
  SettingsImage = block;
  ImageToGrid();
  ImageToCheckBoxes();
  StatusBar1.Panels[1].Text = SettingsTexts::SettingsRead;
}

// Timing registers 901..920, then the programming bits 801..807, then 1 into
// 900 to tell the controller the set is complete. The first failed write
// ends the sending; what was written before it stays in the controller.
void TForm1::WriteSettings() {
  if (!ControllerFound()) {
    ReportNoCommunication(true);
    return;
  }
  if (!GridToImage()) {
    StatusBar1.Panels[1].Text = SettingsTexts::InvalidValue;
    return;
  }
  CheckBoxesToImage();

  // 20 timing registers, 7 words of bits and the completion.
  constexpr int kWrites = (920 - 901 + 1) + (807 - 801 + 1) + 1;
  StatusProgress progress(*this);
  int written = 0;
  auto writeWord = [this, &progress, &written](int reg) {
    progress.ShowStep(SettingsTexts::WritingSettings, ++written, kWrites);
    return Mdb1.WriteRegister(SlaveAddress, std::uint16_t(reg),
                              SettingsImage[std::size_t(reg - SettingsRegisterMap::kFirstRegister)]);
  };
  bool ok = true;
  for (int reg = 901; ok && reg <= 920; ++reg) ok = writeWord(reg);
  for (int reg = 801; ok && reg <= 807; ++reg) ok = writeWord(reg);
  if (ok) {
    progress.ShowStep(SettingsTexts::WritingSettings, ++written, kWrites);
    ok = Mdb1.WriteRegister(SlaveAddress, SettingsRegisterMap::kCompletionRegister, 1);
  }

  if (ok)
    StatusBar1.Panels[1].Text = SettingsTexts::SettingsWritten;
  else
    ReportDeviceNotFound();
}
