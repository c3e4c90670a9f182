#include "app/StatusProgress.h"
#include "app/TForm1.h"
#include "settings/SettingsRegisterMap.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsWriteOrder.h"

#include <array>

namespace {

// What the report of a write that stopped adds: how far it got. Nothing
// when the first register already refused its value.
QString StoppedWriteNote(int written) {
  using SettingsWriteOrder::kRegisters;
  if (written == 0) return QString();
  const QString& text = written == kRegisters - 1 ? SettingsTexts::WrittenWithoutMark : SettingsTexts::PartlyWritten;
  return text.arg(written).arg(kRegisters).arg(SettingsWriteOrder::Ranges(written));
}

}  // namespace

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
// ends the sending; what was written before it stays in the controller,
// and the report says how far it got.
void TForm1::WriteSettings() {
  if (!ControllerFound()) {
    ReportNoCommunication(true, false);
    return;
  }
  if (!GridToImage()) {
    StatusBar1.Panels[1].Text = SettingsTexts::InvalidValue;
    return;
  }
  CheckBoxesToImage();

  StatusProgress progress(*this);
  auto writeWord = [this](int reg) {
    const std::uint16_t value =
        reg == SettingsRegisterMap::kCompletionRegister
            ? std::uint16_t(1)
            : SettingsImage[std::size_t(reg - SettingsRegisterMap::kFirstRegister)];
    return Mdb1.WriteRegister(SlaveAddress, std::uint16_t(reg), value);
  };
  int written = 0;
  for (const int reg : SettingsWriteOrder::Registers()) {
    progress.ShowStep(SettingsTexts::WritingSettings, written + 1, SettingsWriteOrder::kRegisters);
    if (!writeWord(reg)) break;
    ++written;
  }

  if (written == SettingsWriteOrder::kRegisters)
    StatusBar1.Panels[1].Text = SettingsTexts::SettingsWritten;
  else
    ReportDeviceNotFound(StoppedWriteNote(written));
}
