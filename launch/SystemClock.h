#pragma once
// The PC clock and its regional formats as every front end gives them to
// the handlers (Ui::Now, Ui::ShortDate, Ui::LongTime): the local time, the
// system locale's short date, and its long time without the time zone.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace SystemClock {

QDateTime Now();
QString ShortDate(const QDate& date);
QString LongTime(const QTime& time);

// The locale's long time format without its time-zone part: every "t"
// outside quotes is dropped, with the blanks around it.
QString TimeFormatWithoutZone(const QString& format);

}  // namespace SystemClock
