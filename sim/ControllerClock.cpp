#include "ControllerClock.h"

#include <cstdio>
#include <ctime>

#include "WireCodes.h"

namespace wltsim {

namespace {

// The PC's local time as milliseconds of a UTC-like count, so that calendar
// arithmetic with timegm/gmtime yields local fields.
long long LocalNowMs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  time_t seconds = ts.tv_sec;
  tm local{};
  localtime_r(&seconds, &local);
  return static_cast<long long>(timegm(&local)) * 1000 + ts.tv_nsec / 1000000;
}

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return days[month - 1];
}

}  // namespace

long long ControllerClock::BaseMs() const { return frozen_ ? frozenBaseMs_ : LocalNowMs(); }

void ControllerClock::Freeze() {
  if (frozen_) return;
  frozenBaseMs_ = LocalNowMs();
  frozen_ = true;
}

bool ControllerClock::IsValid(const ClockFields& f) {
  if (f.year < 1970 || f.year > 9999 || f.month < 1 || f.month > 12) return false;
  if (f.day < 1 || f.day > DaysInMonth(f.year, f.month)) return false;
  return f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

bool ControllerClock::Set(const ClockFields& f) {
  if (!IsValid(f)) return false;
  tm t{};
  t.tm_year = f.year - 1900;
  t.tm_mon = f.month - 1;
  t.tm_mday = f.day;
  t.tm_hour = f.hour;
  t.tm_min = f.minute;
  t.tm_sec = f.second;
  long long targetMs = static_cast<long long>(timegm(&t)) * 1000;
  offsetMs_ = targetMs - BaseMs();
  return true;
}

bool ControllerClock::SetFromText(const std::string& text) {
  ClockFields f;
  char sep = 0;
  char tail = 0;
  int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%c", &f.year, &f.month, &f.day, &sep, &f.hour,
                      &f.minute, &f.second, &tail);
  if (n != 7 || (sep != 'T' && sep != ' ')) return false;
  return Set(f);
}

ClockFields ControllerClock::Now() const {
  long long ms = BaseMs() + offsetMs_;
  long long seconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
  time_t t = static_cast<time_t>(seconds);
  tm fields{};
  gmtime_r(&t, &fields);
  ClockFields f;
  f.year = fields.tm_year + 1900;
  f.month = fields.tm_mon + 1;
  f.day = fields.tm_mday;
  f.hour = fields.tm_hour;
  f.minute = fields.tm_min;
  f.second = fields.tm_sec;
  f.dayOfWeek = fields.tm_wday + 1;
  return f;
}

void ControllerClock::ReadRegisters(uint16_t words[4]) const {
  ClockFields f = Now();
  words[0] = static_cast<uint16_t>(ToBcdByte(f.month) << 8 | ToBcdByte(f.year % 100));
  words[1] = static_cast<uint16_t>(ToBcdByte(f.hour) << 8 | ToBcdByte(f.day));
  words[2] = static_cast<uint16_t>(ToBcdByte(f.second) << 8 | ToBcdByte(f.minute));
  words[3] = static_cast<uint16_t>(f.dayOfWeek & 0x0F);
}

bool ControllerClock::DecodeSetRegisters(uint16_t w0, uint16_t w1, uint16_t w2, ClockFields& f) {
  int year = FromBcdByte(w0 & 0xFF), month = FromBcdByte(w0 >> 8);
  int day = FromBcdByte(w1 & 0xFF), hour = FromBcdByte(w1 >> 8);
  int minute = FromBcdByte(w2 & 0xFF), second = FromBcdByte(w2 >> 8);
  if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) return false;
  f = ClockFields{2000 + year, month, day, hour, minute, second, 1};
  return IsValid(f);
}

}  // namespace wltsim
