#pragma once
// The events as a table for spreadsheets: a header row, then one row per
// record, events 1 to 40 in order. Columns: the event number, its date and
// time as the window shows them, its causes (one line each, "07:  text", in
// one cell; empty when none is set) and the 160 state indicators, 0 or 1,
// each headed by its caption ("Stan 17" for an indicator without one).
//
// Fields are separated by ";" (the list separator of Polish regional
// settings, so a spreadsheet on such a PC splits the columns itself) and
// quoted with '"' when they hold a ";", a '"', a line end or a blank at
// either end, a '"' inside doubled. Rows end in CR LF. A text that begins
// with "=", "+", "-" or "@" is written with a "'" in front, so that a
// spreadsheet shows it as text instead of evaluating it as a formula.

#include "events/EventRecord.h"

#include <QString>
#include <QStringList>

#include <array>

namespace EventCsv {

constexpr QChar kSeparator = QLatin1Char(';');

struct Texts {
  std::array<QString, EventRecord::kStates + 1> labels;  // 1..160, entry 0 unused
  EventRecord::CauseTexts causes;
};

// The fields of the header row and of each record's row.
QStringList HeaderFields(const Texts& texts);
QStringList RecordFields(int index, const EventRecord::Record& record, const Texts& texts);

// One field as it stands in the file.
QString Field(const QString& text);

// The whole table, every row ended by CR LF.
QString Table(const EventRecord::Table& table, const Texts& texts);

}  // namespace EventCsv
