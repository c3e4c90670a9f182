#pragma once
// The controller's event recorder as plain data: registers 1321 to 2000 hold
// 40 records of 17 words, read in six requests. Each record carries its date
// and time in packed BCD (words 0 to 2), 64 cause bits (words 3 to 6, "R1" to
// "R4") and 160 state bits (words 7 to 16, "1" to "10"). The window, the event
// file and the printouts decode records through these functions only.

#include <QString>

#include <array>
#include <cstdint>

namespace EventRecord {

constexpr int kRecords = 40;
constexpr int kRecordWords = 17;
constexpr int kWords = kRecords * kRecordWords;  // 680
constexpr int kFirstRegister = 1321;             // word 0 of record 0

constexpr int kFirstCauseWord = 3;
constexpr int kCauseWords = 4;
constexpr int kCauses = 64;
constexpr int kFirstStateWord = 7;
constexpr int kStateWords = 10;
constexpr int kStates = 160;

// The controller clock, read with the recorder: the same three BCD words.
constexpr int kClockRegister = 1300;
constexpr int kClockWords = 3;

using Record = std::array<std::uint16_t, kRecordWords>;
using Table = std::array<Record, kRecords>;
using Words = std::array<std::uint16_t, kWords>;  // register order
using CauseFlags = std::array<bool, kCauses>;
using CauseTexts = std::array<QString, kCauses>;

// One function-3 request of the readout: its first register and count, and
// where its words land in register order. 125 is the most one request may
// carry; the blocks do not follow record boundaries.
struct ReadBlock {
  int firstRegister;
  int count;
  int firstWord;
};
inline constexpr std::array<ReadBlock, 6> kReadBlocks = {{
    {1321, 125, 0},
    {1446, 125, 125},
    {1571, 125, 250},
    {1696, 125, 375},
    {1821, 125, 500},
    {1946, 55, 625},
}};

// The words in register order cut into records.
Table TableFromWords(const Words& words);

// "rr-mm-dd" from words 0 and 1 and "gg:mm:ss" from words 1 and 2. Every
// 4-bit group is written on its own in decimal, so a group of 10 to 15 takes
// two digits: an erased record shows 1515-1515-1515 and 1515:1515:1515.
QString FormatRecordDate(std::uint16_t w0, std::uint16_t w1);
QString FormatRecordTime(std::uint16_t w1, std::uint16_t w2);

// An event or cause number as two digits, "07"; from 100 on as it is.
QString TwoDigits(int n);

// Cause c (0 to 63) is bit c mod 16 of word 3 + c div 16.
CauseFlags DecodeCauses(const Record& record);
bool HasCause(const Record& record);

// State bit s (0 to 159) is bit s mod 16 of word 7 + s div 16; false outside.
bool StateBit(const Record& record, int s);

// The cause as the cause field and the list show it: its number c + 1 as two
// digits, a colon, two blanks and its text ("07:  text").
QString CauseLine(int c, const QString& text);

}  // namespace EventRecord
