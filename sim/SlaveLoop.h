// The frame loop: gathers request frames from the line (a frame ends at its
// known length with a good CRC, or at 3.5 characters of silence), logs them,
// lets the fault injector and the controller model decide, and sends replies.
#pragma once

#include <ctime>
#include <deque>

#include "ControllerModel.h"
#include "FaultInjector.h"
#include "FrameLog.h"
#include "SerialEndpoint.h"
#include "SimOptions.h"

namespace wltsim {

class SlaveLoop {
 public:
  SlaveLoop(const SimOptions& options, SerialEndpoint& line, ControllerModel& model, FrameLog& log)
      : options_(options), line_(line), model_(model), log_(log), faults_(options) {}

  // Serves until a signal arrives on signalFd (or the device fails).
  // Returns the exit status: 0 after a signal, 1 after a line failure.
  int Run(int signalFd);

 private:
  void Dispatch(const Frame& frame, const timespec& firstByteReal, const timespec& firstByteMono);
  void Note(const char* what, const Frame& frame, const std::string& detail) const;
  long long SilenceNs() const;
  // Sends the replies held back by --reply-delay whose time has come.
  void SendDueReplies();
  // Logs a reply and sends it at notBefore (or as soon as it can).
  void SendReply(const Frame& reply, timespec notBefore, timespec sendReal);

  struct DelayedReply {
    long long sendAtNs;  // CLOCK_MONOTONIC
    Frame frame;
  };

  const SimOptions& options_;
  SerialEndpoint& line_;
  ControllerModel& model_;
  FrameLog& log_;
  FaultInjector faults_;
  std::deque<DelayedReply> delayed_;  // in the order they fall due (one fixed delay)
};

}  // namespace wltsim
