#include "EventHistory.h"

#include <ctime>

#include "WireCodes.h"

namespace wltsim {

namespace {

// Small deterministic generator, so the same history number always gives the same history.
class Lcg {
 public:
  explicit Lcg(unsigned historyNumber) : state_(historyNumber * 2654435761u + 12345u) {}
  unsigned Next() {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) & 0xFFFFFF;
  }
  unsigned Below(unsigned n) { return n ? Next() % n : 0; }

 private:
  unsigned state_;
};

}  // namespace

EventWords ErasedEventHistory() {
  EventWords words;
  words.fill(0xFFFF);
  return words;
}

EventWords GenerateEventHistory(int count, unsigned historyNumber) {
  EventWords words = ErasedEventHistory();
  if (count < 0) count = 0;
  if (count > kEventRecords) count = kEventRecords;
  Lcg random(historyNumber);
  // Start on 2 January 2023 and move forward by hours to a few days per event.
  tm start{};
  start.tm_year = 123;
  start.tm_mon = 0;
  start.tm_mday = 2;
  start.tm_hour = 6;
  time_t when = timegm(&start);
  for (int k = 0; k < count; ++k) {
    when += 3600 + static_cast<time_t>(random.Below(5 * 24 * 3600));
    tm t{};
    gmtime_r(&when, &t);
    uint16_t* record = &words[static_cast<size_t>(k) * kEventRecordWords];
    record[0] = static_cast<uint16_t>(ToBcdByte(t.tm_mon + 1) << 8 | ToBcdByte(t.tm_year % 100));
    record[1] = static_cast<uint16_t>(ToBcdByte(t.tm_hour) << 8 | ToBcdByte(t.tm_mday));
    record[2] = static_cast<uint16_t>(ToBcdByte(t.tm_sec) << 8 | ToBcdByte(t.tm_min));
    for (int i = 3; i < kEventRecordWords; ++i) record[i] = 0;
    if (k % 7 != 3) {
      // One to three causes; the first record uses the first and the last cause bit.
      if (k == 0) {
        record[3] |= 0x0001;
        record[6] |= 0x8000;
      } else {
        // Distinct bits, so a record meant to have several causes has them.
        int causes = 1 + static_cast<int>(random.Below(3));
        while (causes > 0) {
          unsigned bit = random.Below(64);
          uint16_t& word = record[3 + bit / 16];
          const uint16_t mask = static_cast<uint16_t>(1u << (bit % 16));
          if (word & mask) continue;
          word |= mask;
          --causes;
        }
      }
    }
    // State words: about a quarter of the indicators on, in every word.
    for (int i = 7; i < kEventRecordWords; ++i) {
      record[i] = static_cast<uint16_t>(random.Next() & random.Next() & 0xFFFF);
    }
  }
  return words;
}

}  // namespace wltsim
