// The controller's real-time clock: the PC's local clock plus an offset that
// setting the clock changes.
#pragma once

#include <cstdint>
#include <string>

namespace wltsim {

struct ClockFields {
  int year = 2000;  // full year
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int dayOfWeek = 1;  // 1 = Sunday to 7 = Saturday
};

class ControllerClock {
 public:
  ControllerClock() = default;

  // Stops the clock at its present reading (setting it still moves it).
  void Freeze();

  // Shifts the clock by seconds.
  void AddOffsetSeconds(long long seconds) { offsetMs_ += seconds * 1000; }

  // Sets the clock to the given date and time (the second starts now). Returns false,
  // changing nothing, when the fields are no valid date and time.
  bool Set(const ClockFields& fields);

  // Parses "YYYY-MM-DDThh:mm:ss" (a blank may stand for the T) and sets the clock.
  bool SetFromText(const std::string& text);

  ClockFields Now() const;

  // Registers 1300 to 1303: year/month, day/hour, minute/second in packed BCD, day of week.
  void ReadRegisters(uint16_t words[4]) const;

  // Decodes registers 1307 to 1309 (the same layout as 1300 to 1302, year in this
  // century); false when a byte is no valid BCD or the date does not exist.
  static bool DecodeSetRegisters(uint16_t w0, uint16_t w1, uint16_t w2, ClockFields& fields);

  static bool IsValid(const ClockFields& fields);

 private:
  long long BaseMs() const;

  long long offsetMs_ = 0;
  bool frozen_ = false;
  long long frozenBaseMs_ = 0;
};

}  // namespace wltsim
