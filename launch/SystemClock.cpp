#include "launch/SystemClock.h"

#include <QLocale>

namespace SystemClock {

QDateTime Now() { return QDateTime::currentDateTime(); }

QString ShortDate(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }

QString LongTime(const QTime& time) {
  const QLocale locale = QLocale::system();
  return locale.toString(time, TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

QString TimeFormatWithoutZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (int i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('t')) {
      // Drop the zone with the blanks before it (or after it, at the start).
      while (!out.isEmpty() && out.back() == QLatin1Char(' ')) out.chop(1);
      if (out.isEmpty()) {
        while (i + 1 < format.size() && format[i + 1] == QLatin1Char(' ')) ++i;
      }
      continue;
    }
    out += c;
  }
  return out.trimmed();
}

}  // namespace SystemClock
