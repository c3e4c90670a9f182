// The controller's registers and what it does with requests: the register map,
// its access rules and the side effects (clock, event recorder), with the
// replies built by libmodbus.
#pragma once

#include <modbus.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ControllerClock.h"
#include "SimOptions.h"
#include "WireCodes.h"

namespace wltsim {

class ControllerModel {
 public:
  explicit ControllerModel(const SimOptions& options);
  ~ControllerModel();
  ControllerModel(const ControllerModel&) = delete;
  ControllerModel& operator=(const ControllerModel&) = delete;

  // False when libmodbus or the reply pipe could not be set up.
  bool Ready() const { return ready_; }
  const std::string& Error() const { return error_; }

  // Serves one intact request addressed to this controller (or broadcast).
  // Returns true with the reply frame, or false when no reply goes out
  // (a broadcast) or the reply could not be built.
  bool Serve(const Frame& request, Frame& reply, std::string& note);

  // An exception reply to the request with the given code (1 to 255).
  bool ExceptionReply(const Frame& request, int code, Frame& reply);

  // Direct access for presets and checks; false outside the served block.
  bool Register(int number, uint16_t& value) const;
  bool SetRegister(int number, uint16_t value);

  static bool Readable(int number);
  static bool Writable(int number);

  ControllerClock& Clock() { return clock_; }

 private:
  bool TakeReply(Frame& reply);
  void RefreshClockRegisters();
  void LoadDefaults(const SimOptions& options);

  modbus_t* ctx_ = nullptr;
  modbus_mapping_t* map_ = nullptr;
  int pipeFds_[2] = {-1, -1};
  bool ready_ = false;
  std::string error_;
  ControllerClock clock_;
  // What a write keeps: --ignore-writes and --clamp.
  std::vector<std::pair<int, int>> ignoredWrites_;
  std::vector<std::pair<int, uint16_t>> clamps_;
};

}  // namespace wltsim
