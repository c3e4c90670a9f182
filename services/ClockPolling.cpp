#include "services/ClockPolling.h"

#include <algorithm>

bool ClockPolling::Due(bool answeredSince) {
  if (Wait > 0 && !answeredSince) {
    --Wait;
    return false;
  }
  Wait = 0;
  return true;
}

void ClockPolling::Record(bool answered) {
  Interval = answered ? 1 : std::min(Interval * 2, kMaxInterval);
  Wait = Interval - 1;
}

void ClockPolling::Reset() {
  Interval = 1;
  Wait = 0;
}
