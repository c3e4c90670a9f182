#pragma once
// The packed BCD words of the controller's clock and test schedule, and how
// the window shows them. Each byte of these registers holds two decimal
// digits, tens in the high nibble. Plain functions over plain data: no window.

#include <QDate>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>

namespace BcdCodec {

// Four decimal digits packed into 16 bits: 1234 gives 0x1234. Defined for
// 0 to 9999; a value outside is first brought into that range.
std::uint16_t IntToBcd(int n);

// The reverse, nibble by nibble with the weights 1000, 100, 10 and 1. A
// nibble above 9 counts at its value: 0x1A gives 20.
int BcdToInt(std::uint16_t v);

// A byte as the window shows it: its high nibble and its low nibble, each
// written in decimal, one after the other (0x07 gives "07", 0x1C "112").
QString ByteDigits(std::uint8_t byte);

// The controller's clock registers 1300 to 1303 as the window shows them.
struct ClockText {
  QString Date;       // "rr-mm-dd": year, month, day
  QString Time;       // "gg:mm:ss": hour, minute, second
  int DayOfWeek = 0;  // low 4 bits of 1303: 1 = Sunday .. 7 = Saturday; 0 and 8 to 15 name no day
};
ClockText ControllerClockText(const std::array<std::uint16_t, 4>& words);

// Registers 1307 to 1309 that set the controller's clock to this date and
// time: year within the century and month, day and hour, minute and second
// (low byte first in each pair). Milliseconds are dropped.
std::array<std::uint16_t, 3> ClockSetWords(const QDate& date, const QTime& time);

// The day of the week counted from Sunday = 1 to Saturday = 7, as the
// controller counts it; 0 for an invalid date.
int SundayFirstDayOfWeek(const QDate& date);

// Entry 1 to 7 of a day-name table; an empty text for any other number, so
// a value from the wire never reads outside the table.
QString DayName(const std::array<QString, 8>& dayNames, int day);

// One test time: register 1230, 1231 or 1232 holds the day code in its low
// byte (0 no test, 1 Sunday .. 7 Saturday) and the hour in its high byte.
struct TestTime {
  int DayCode = 0;
  int Hour = 0;
};
std::uint16_t TestTimeWord(int dayCode, int hour);
// Decoded as the controller holds it: a day code above 7 or an hour above 23
// is passed on for the caller to show as it can.
TestTime TestTimeFromWord(std::uint16_t word);

}  // namespace BcdCodec
