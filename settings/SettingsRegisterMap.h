#pragma once
// The register map of the settings block (registers 801 to 920, image words
// 0 to 119) and the conversions of single values between the image and the
// controls. TForm1's ImageToGrid, ImageToCheckBoxes, GridToImage and
// CheckBoxesToImage apply these to the grid and the 110 check boxes.

#include <QString>

#include <cstdint>
#include <optional>

namespace SettingsRegisterMap {

constexpr int kFirstRegister = 801;  // image word 0
constexpr int kWords = 120;          // registers 801 to 920
constexpr int kProgramWords = 7;     // registers 801 to 807: the programming bits
constexpr int kFirstTimingWord = 100;  // register 901 = grid row 1
constexpr int kTimingRows = 20;
constexpr int kCompletionRegister = 900;  // receives 1 after a complete write

// Image word of grid row 1..20 (register 900 + row).
constexpr int TimingWord(int row) { return kFirstTimingWord - 1 + row; }

struct BitPosition {
  int word;  // 0..6: register 801 + word
  int bit;   // 0..15, bit 0 the least significant
};

// Check box 801 + 16 w + b is bit b of register 801 + w. Register 807 carries
// boxes 897..910 in bits 0..13; its bits 14 and 15 belong to no box. Empty
// for a number that is no programming box.
std::optional<BitPosition> ProgramBit(int box);

// Rows 6 (minutes) and 8 (single milliseconds) hold the grid value itself;
// every other row holds a tenth of it. The rule follows the row number only.
bool RowUnscaled(int row);

// n / 10 to the nearest integer, an exact half going to the even neighbour.
std::int64_t DivideBy10HalfEven(std::int64_t n);

// The register value of grid value n in row 1..20; empty when it falls
// outside 0..65535, which a 16-bit register cannot hold.
std::optional<std::uint16_t> RegisterValue(int row, std::int32_t n);

// The grid text of register value word in row 1..20: the word itself in rows
// 6 and 8, ten times it elsewhere, plain decimal.
QString GridText(int row, std::uint16_t word);

// Parses a value cell and scales it: empty when the text is no integer or
// its register value is out of range.
std::optional<std::uint16_t> CellToRegister(int row, const QString& text);

}  // namespace SettingsRegisterMap
