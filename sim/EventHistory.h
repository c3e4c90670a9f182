// The controller's event recorder: 40 records of 17 words (registers 1321 to 2000).
#pragma once

#include <array>
#include <cstdint>

namespace wltsim {

constexpr int kEventRecords = 40;
constexpr int kEventRecordWords = 17;
constexpr int kEventWords = kEventRecords * kEventRecordWords;

using EventWords = std::array<uint16_t, kEventWords>;

// A plausible, reproducible history: `count` records in slot order, oldest
// first, with packed BCD date and time, one to three distinct cause bits (every
// seventh record, from the fourth on, none) and state bits in all ten state
// words; the slots from `count` on are erased (all bits set).
EventWords GenerateEventHistory(int count, unsigned historyNumber);

// Every bit set, as the recorder reads after erasing.
EventWords ErasedEventHistory();

}  // namespace wltsim
