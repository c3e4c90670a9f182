// The record view of the page "Zdarzenia": one event with its number, date
// and time, one of its causes at a time and its 160 state indicators.

#include "app/TForm1.h"
#include "events/EventRecord.h"
#include "events/EventTexts.h"

namespace {

bool ValidRecord(int index) { return index >= 0 && index < EventRecord::kRecords; }

}  // namespace

bool TForm1::ShowEvent(int index, int direction) {
  if (!EventsLoaded && Mdb1.PortOpen()) {
    ReadEventRegister();
    index = 0;
  }
  if (!EventsLoaded) return false;
  // An index outside the recorder shows nothing of it.
  if (!ValidRecord(index)) {
    StatusBar1.Panels[1].Text = EventTexts::EventDisplayError;
    return false;
  }
  const EventRecord::Record& record = EventTable[std::size_t(index)];
  Edit3.Text = EventTexts::EventNumberPrefix + QString::number(index + 1);
  Edit1.Text = EventRecord::FormatRecordDate(record[0], record[1]);
  Edit2.Text = EventRecord::FormatRecordTime(record[1], record[2]);
  // Entering forwards looks at cause 1 first, then from 64 down; entering
  // backwards at cause 64 first, then from 1 up.
  CurrentCause = direction > 0 ? 0 : EventRecord::kCauses - 1;
  DecodeCauseWords(index);
  ShowCause(CurrentCause, -direction);
  ShowEventStates(index);
  return true;
}

void TForm1::ShowCause(int start, int step) {
  // Only 0..63 name a cause; below 0 can come from stepping before anything
  // was shown, and must not reach outside the flags either.
  if (start < 0 || start >= EventRecord::kCauses) {
    Edit4.Text = EventTexts::CauseError;
    return;
  }
  int n = 0;
  while (!CauseFlags[std::size_t(start)] && n < EventRecord::kCauses) {
    start += step;
    if (start >= EventRecord::kCauses) start = 0;
    if (start < 0) start = EventRecord::kCauses - 1;
    ++n;
  }
  if (n >= EventRecord::kCauses) {
    Edit4.Text = EventTexts::NoInformation;
    CurrentCause = step > 0 ? 0 : EventRecord::kCauses - 1;
    return;
  }
  Edit4.Text = EventRecord::CauseLine(start, CauseTexts[std::size_t(start)]);
  CurrentCause = start;
}

void TForm1::DecodeCauseWords(int record) {
  if (!ValidRecord(record)) return;
  CauseFlags = EventRecord::DecodeCauses(EventTable[std::size_t(record)]);
}

void TForm1::ShowEventStates(int record) {
  if (!ValidRecord(record)) return;
  const EventRecord::Record& words = EventTable[std::size_t(record)];
  for (int s = 0; s < EventRecord::kStates; ++s) CheckBox(s + 1).Checked = EventRecord::StateBit(words, s);
}
