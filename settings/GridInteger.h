#pragma once
// The integer syntax of a value cell in the settings grid.
//
// Accepted: any number of leading blanks (spaces), then either an optional
// "+" or "-" and decimal digits whose value lies in -2147483648..2147483647,
// or one of the prefixes "$", "x", "X", "0x", "0X" (no sign) and hexadecimal
// digits in either case whose value fits in 32 bits; those 32 bits are taken
// as a two's-complement number, so "$FFFFFFFF" is -1. Leading zeros are
// allowed. Nothing else is an integer: no trailing blanks, no inner blanks,
// no fraction, no unit, no empty or blank-only text.

#include <QString>

#include <cstdint>

// True and value set when text is an integer; false and value untouched otherwise.
bool ParseGridInteger(const QString& text, std::int32_t& value);
