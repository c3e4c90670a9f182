#include "app/StatusProgress.h"
#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "settings/SettingsCompare.h"
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

// The check after a complete write: the block read back once, the words
// sent compared with what the controller holds now. A controller that
// clamps or refuses a value silently echoes it all the same.
void VerifyWrittenSettings(TForm1& f, StatusProgress& progress) {
  SettingsDiff::Image readBack{};
  progress.Show(SettingsTexts::VerifyingSettings);
  if (!f.Mdb1.ReadRegisters(f.SlaveAddress, SettingsRegisterMap::kFirstRegister, TForm1::kSettingsWords,
                            readBack.data())) {
    // The report of a failed read, with what is known of the write.
    f.StatusBar1.Panels[1].Text = AppTexts::kReadError;
    f.ui().Beep();
    f.ui().ShowMessage(AppTexts::kNoCommunication + QLatin1Char('\n') +
                       SettingsTexts::VerifyReadFailed.arg(SettingsWriteOrder::kRegisters));
    return;
  }
  const std::vector<SettingsDiff::Change> mismatches =
      SettingsDiff::Mismatches(f.SettingsImage, readBack, SettingsCompare::ShownNames(f));
  if (mismatches.empty()) {
    f.StatusBar1.Panels[1].Text = SettingsTexts::SettingsWritten;
    return;
  }
  QString box = SettingsTexts::VerifyMismatch;
  for (const SettingsDiff::Change& mismatch : mismatches) box += QLatin1Char('\n') + SettingsDiff::Line(mismatch);
  f.StatusBar1.Panels[1].Text = SettingsTexts::VerifyFailed;
  f.ui().Beep();
  f.ui().ShowMessage(box);
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
// and the report says how far it got. A complete write is checked by
// reading the block back.
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
    VerifyWrittenSettings(*this, progress);
  else
    ReportDeviceNotFound(StoppedWriteNote(written));
}
