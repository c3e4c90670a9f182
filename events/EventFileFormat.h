#pragma once
// The event file apart from the window: a readout as 50 fixed-column lines
// (title, identity, the two time stamps, the column header, one line per
// record, the closing rule) and those lines read back into plain data. The
// event-texts section that closes the file is EventTextsSection's.
//
// A record line is the event number in width 2, the date and the time in
// width 9 each and the 14 words from R1 on in width 7 each, every field
// right-aligned and never cut: 118 characters for a record with valid BCD.
// A group of 10 to 15 widens the date or the time, so the reader takes the
// words from the end of the line and the date and time from what is left.

#include "events/EventListLines.h"
#include "events/EventRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace EventFileFormat {

constexpr int kRuleWidth = 121;
constexpr int kNumberWidth = 2;
constexpr int kStampWidth = 9;  // date, time
constexpr int kWordWidth = 7;   // R1..R4, states 1..10
constexpr int kWordColumns = EventRecord::kRecordWords - EventRecord::kFirstCauseWord;  // 14
constexpr int kFirstRecordLine = 9;  // line 10, counted from 0

// A line holding this ends the record block; no record line holds it.
inline const QString kBlockEnd = QStringLiteral("-------");

// What the file carries beside the records: the identity as the header
// fields show it and the time stamps of the readout.
using Header = EventListLines::Header;

QString Rule();  // 121 dashes

// The file the event file's dialogs mean: the chosen name cut before its
// first "." and given ".dat", in the folder chosen (a chosen x.txt is x.dat
// beside it).
QString FileName(const QString& chosenPath);

// Lines 1 to 50: header, one line per record (events 1 to 40), closing rule.
QStringList Lines(const Header& header, const EventRecord::Table& table);
QString RecordLine(int index, const EventRecord::Record& record);

// What a file gives the window. The controller type is not read back.
struct Readout {
  QString factoryNumber;
  QString productionYear;
  QString wltDate, wltTime;
  QString pcDate, pcTime;
  // Records after the end of the block are empty (all zero).
  EventRecord::Table table{};
};

// The whole file, from its first line. Nothing when the identity line or a
// stamp line lacks its marks, or a record line does not read as a record:
// then the file gives nothing at all.
std::optional<Readout> Parse(const QStringList& fileLines);

// One record line; nothing when it is no record.
std::optional<EventRecord::Record> ParseRecordLine(const QString& line);

// A stamp line's text behind its label: the date up to the two blanks the
// writer puts between date and time, the time behind them.
struct Stamp {
  QString date, time;
};
Stamp SplitStamp(const QString& text);

}  // namespace EventFileFormat
