#pragma once
// What the link monitor counts from the link's events: requests, replies,
// failed tries by their cause, late replies thrown away, retries, and the
// reply times (last, mean, worst). Plain C++.

#include "mdbcomp/LinkObserver.h"

#include <cstdint>

struct LinkCounters {
  std::uint64_t Requests = 0;
  std::uint64_t Replies = 0;      // frames or fragments received
  std::uint64_t TimeOuts = 0;     // tries that got nothing
  std::uint64_t CrcErrors = 0;    // tries whose bytes had no correct CRC
  std::uint64_t Exceptions = 0;   // exception replies
  std::uint64_t OtherErrors = 0;  // other frames that were not the answer
  std::uint64_t LateReplies = 0;  // late replies thrown away
  std::uint64_t Retries = 0;      // requests after a transaction's first try

  // Reply times, from the request to the end of a frame with a correct CRC
  // (the read ends on the silence after its last byte).
  std::uint64_t TimedReplies = 0;
  std::uint64_t TotalUs = 0;
  std::uint32_t LastUs = 0;
  std::uint32_t WorstUs = 0;
  std::uint32_t MeanUs() const { return TimedReplies == 0 ? 0 : std::uint32_t(TotalUs / TimedReplies); }

  void Count(const LinkEvent& event);
};
