#pragma once
// How often the clock tick asks the controller for its clock. Every tick
// while the controller answers; after a tick it did not answer, only every
// 2nd, then 4th, then 8th tick, at most every 10th, so that a silent
// controller holds the window for the link's tries only now and then. The
// PC's clock still goes on every tick. Plain state and logic, no window.

struct ClockPolling {
  static constexpr int kMaxInterval = 10;

  int Interval = 1;  // ticks from one question to the next
  int Wait = 0;      // ticks still to let pass without a question

  // Whether this tick asks. A transaction answered since the last question
  // (an operation the user started) shows the controller is back: it ends
  // the wait.
  bool Due(bool answeredSince);
  // The outcome of the question this tick asked.
  void Record(bool answered);
  // Every tick again (a new connection, or none).
  void Reset();
};
