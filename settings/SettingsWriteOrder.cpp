#include "settings/SettingsWriteOrder.h"

#include "settings/SettingsRegisterMap.h"

#include <QStringList>

namespace SettingsWriteOrder {

const std::array<int, kRegisters>& Registers() {
  static const std::array<int, kRegisters> order = [] {
    std::array<int, kRegisters> registers{};
    std::size_t i = 0;
    for (int reg = 901; reg <= 920; ++reg) registers[i++] = reg;
    for (int reg = 801; reg <= 807; ++reg) registers[i++] = reg;
    registers[i] = SettingsRegisterMap::kCompletionRegister;
    return registers;
  }();
  return order;
}

QString Ranges(int count) {
  QStringList ranges;
  const std::array<int, kRegisters>& order = Registers();
  int i = 0;
  while (i < count && i < kRegisters) {
    // A run of consecutive registers, as far as it was sent.
    int last = i;
    while (last + 1 < count && last + 1 < kRegisters && order[std::size_t(last + 1)] == order[std::size_t(last)] + 1)
      ++last;
    const int first = order[std::size_t(i)];
    ranges << (last == i ? QString::number(first)
                         : QStringLiteral("%1-%2").arg(first).arg(order[std::size_t(last)]));
    i = last + 1;
  }
  return ranges.join(QStringLiteral(", "));
}

}  // namespace SettingsWriteOrder
