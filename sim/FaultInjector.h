// Fault injection: which requests go unanswered and how replies are spoiled.
#pragma once

#include <string>

#include "SimOptions.h"
#include "WireCodes.h"

namespace wltsim {

struct FaultDecision {
  bool answer = true;
  int exceptionCode = 0;  // non-zero: answer with this exception instead
  bool die = false;       // end the simulator at once, unannounced
  std::string reason;     // why the request goes unanswered, for --verbose
};

class FaultInjector {
 public:
  explicit FaultInjector(const SimOptions& options) : options_(options) {}

  // Decides about one intact request addressed to this controller.
  FaultDecision Decide(const Frame& request);

  // Spoils a reply built for the request, as the options ask.
  void Spoil(Frame& reply) const;

 private:
  const SimOptions& options_;
  bool silent_ = false;
  long long answeredRequests_ = 0;
  long long answeredWrites_ = 0;
  Frame lastRequest_;
  int streak_ = 0;
};

}  // namespace wltsim
