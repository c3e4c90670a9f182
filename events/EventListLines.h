#pragma once
// The event list as text lines: a nine-line header, one block per record
// from event 40 down to event 1, and a closing dash line. The window shows
// it in ListBox1 and the event printout prints the same lines.

#include "events/EventRecord.h"

#include <QString>
#include <QStringList>

namespace EventListLines {

constexpr int kHeaderLines = 9;  // lines 0 to 8; event lines start at 9
constexpr int kRuleWidth = 85;

// What the header shows: the controller's type, factory number and year as
// the window's header fields hold them, and the time stamps of the readout.
struct Header {
  QString type;
  QString factoryNumber;
  QString productionYear;
  QString wltDate, wltTime;
  QString pcDate, pcTime;
};

QString Rule();  // 85 dashes
// "WLT nr fabr 7 / 2019": the controller's identity, in the list and the event file alike.
QString IdentityLine(const Header& header);

QStringList HeaderLines(const Header& header);

// Event number as two digits, three blanks, date, three blanks, time: 24
// characters for a record with valid BCD.
QString EventPrefix(int index, const EventRecord::Record& record);

// The lines of record index (0 to 39): one "no information" line for a
// record without causes, else one line per set cause in increasing order,
// each beginning with the event prefix.
QStringList RecordBlock(int index, const EventRecord::Record& record,
                        const EventRecord::CauseTexts& causeTexts);

// The whole list: header, records 39 down to 0, closing rule.
QStringList Lines(const Header& header, const EventRecord::Table& table,
                  const EventRecord::CauseTexts& causeTexts);

}  // namespace EventListLines
