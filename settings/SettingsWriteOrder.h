#pragma once
// The order in which a settings write sends the block: the timing registers
// 901 to 920, the programming bits 801 to 807, and last 1 into 900, which
// tells the controller that the set is complete. A write that stops leaves
// the registers before the refused one with their new values.

#include <QString>

#include <array>

namespace SettingsWriteOrder {

constexpr int kRegisters = 28;

const std::array<int, kRegisters>& Registers();

// The first count registers of the order as ranges, in the order sent:
// "901", "901-910", "901-920, 801-802". Empty for 0.
QString Ranges(int count);

}  // namespace SettingsWriteOrder
