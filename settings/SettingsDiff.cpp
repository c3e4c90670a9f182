#include "settings/SettingsDiff.h"

namespace SettingsDiff {
namespace {

using namespace SettingsRegisterMap;

std::uint16_t Word(const Image& image, int index) { return image[std::size_t(index)]; }

// The grid value of a timing word, as GridText shows it.
std::int64_t GridValue(int row, std::uint16_t word) {
  return RowUnscaled(row) ? std::int64_t(word) : std::int64_t(word) * 10;
}

}  // namespace

std::vector<Change> Compare(const Image& before, const Image& after, const Names& names) {
  std::vector<Change> changes;
  for (int row = 1; row <= kTimingRows; ++row) {
    const std::uint16_t old = Word(before, TimingWord(row));
    const std::uint16_t now = Word(after, TimingWord(row));
    if (old != now)
      changes.push_back({kFirstRegister + TimingWord(row), -1, names.rows[std::size_t(row)], GridValue(row, old),
                         GridValue(row, now)});
  }
  for (int box = SettingsCatalogue::kFirstProgramBox; box <= SettingsCatalogue::kLastProgramBox; ++box) {
    const BitPosition at = *ProgramBit(box);
    const int old = (Word(before, at.word) >> at.bit) & 1;
    const int now = (Word(after, at.word) >> at.bit) & 1;
    if (old != now)
      changes.push_back({kFirstRegister + at.word, at.bit,
                         names.boxes[std::size_t(box - SettingsCatalogue::kFirstProgramBox)], old, now});
  }
  return changes;
}

QString Setting(const Change& change) {
  QString setting = QString::number(change.reg);
  if (change.bit >= 0) setting += QLatin1Char('.') + QString::number(change.bit);
  return setting;
}

std::vector<Change> Mismatches(const Image& sent, const Image& readBack, const Names& names) {
  std::vector<Change> mismatches = Compare(sent, readBack, names);
  constexpr int kLastProgramWord = kProgramWords - 1;
  for (int bit = 14; bit <= 15; ++bit) {
    const int old = (Word(sent, kLastProgramWord) >> bit) & 1;
    const int now = (Word(readBack, kLastProgramWord) >> bit) & 1;
    if (old != now) mismatches.push_back({kFirstRegister + kLastProgramWord, bit, QString(), old, now});
  }
  return mismatches;
}

QString Line(const Change& change) {
  QString line = Setting(change);
  if (!change.name.isEmpty()) line += QLatin1Char(' ') + change.name;
  return line + QStringLiteral(": %1 -> %2").arg(change.before).arg(change.after);
}

}  // namespace SettingsDiff
