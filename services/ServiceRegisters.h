#pragma once
// The controller's registers the device services use, numbered as the
// controller numbers them (the wire carries the number less one).

#include <cstdint>

namespace ServiceRegisters {

constexpr std::uint16_t kClockRead = 1300;      // 1300..1303: date, time, day of the week
constexpr std::uint16_t kClockReadWords = 4;
constexpr std::uint16_t kClockSet = 1307;       // 1307..1309: the new date and time
constexpr std::uint16_t kClockCommand = 1310;   // takes the new time from 1307..1309
constexpr std::uint16_t kClockTakeNewTime = 0x0200;

constexpr std::uint16_t kSystemSignal = 1272;
constexpr std::uint16_t kSystemSignalOn = 8;
constexpr std::uint16_t kNetworkAddress = 1274;  // of the controller's second serial port
constexpr int kMinNetworkAddress = 1;
constexpr int kMaxNetworkAddress = 247;

constexpr std::uint16_t kFirstTestTime = 1230;  // 1230..1232: test times 1 to 3
constexpr int kTestTimes = 3;
constexpr int kMaxDayCode = 7;
constexpr int kMaxHour = 23;

}  // namespace ServiceRegisters
