#pragma once
// What tells two settings images apart, as the engineer reads it: each
// timing setting (registers 901 to 920) in grid units and each programming
// bit (boxes 801 to 910 in registers 801 to 807) as 0 or 1, with its grid
// name or box caption. The other words of the block (the factory number,
// the production year, the completion mark, the spare bits 14 and 15 of 807)
// are no settings and never differ here.
//
// One change a line, a format scripts may rely on:
//   901 nst_trSZR: 120 -> 150       a timing row: register, name, old and new grid value
//   801.4 Kolejność faz: 0 -> 1     a programming bit: register.bit, caption, old and new state
// A change without a name reads "801.4: 0 -> 1". The values follow the last
// ": " of the line.

#include "settings/SettingsCatalogueTables.h"
#include "settings/SettingsRegisterMap.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace SettingsDiff {

using Image = std::array<std::uint16_t, SettingsRegisterMap::kWords>;  // word i = register 801 + i

// The names the changes carry: grid row 1..20 (entry 0 unused) and box
// 801 + i.
struct Names {
  std::array<QString, SettingsRegisterMap::kTimingRows + 1> rows;
  std::array<QString, SettingsCatalogue::kProgramBoxes> boxes;
};

struct Change {
  int reg = 0;   // 901..920 for a timing row, 801..807 for a programming bit
  int bit = -1;  // -1 for a timing row, else 0..15
  QString name;
  std::int64_t before = 0;  // grid units, or 0 / 1
  std::int64_t after = 0;
  bool operator==(const Change&) const = default;
};

// The settings that differ, timing rows first (901 to 920), then the bits
// in box order (801 to 910): the order in which a write sends them.
std::vector<Change> Compare(const Image& before, const Image& after, const Names& names);

// One change in the line format above.
QString Line(const Change& change);

// The setting a change is about as the line begins: "901", or "801.4" for a bit.
QString Setting(const Change& change);

// What a write did not get across: the words it sends (901 to 920, 801 to
// 807) as they read back, each against what was sent (before: sent, after:
// read back). Beside the settings of Compare, the spare bits 14 and 15 of 807,
// which a write always sends as 0, without a name.
std::vector<Change> Mismatches(const Image& sent, const Image& readBack, const Names& names);

}  // namespace SettingsDiff
