// Switching between the event list and the record view, and stepping
// through causes and events with the arrows of UpDown1.

#include "app/TForm1.h"
#include "events/EventListLines.h"
#include "events/EventRecord.h"

namespace {

constexpr int kEnterKey = 13;
constexpr int kLastEvent = EventRecord::kRecords - 1;
constexpr int kLastCause = EventRecord::kCauses - 1;

}  // namespace

void TForm1::Button5Click() {
  if (EventsLoaded) ListBox1.Visible = true;
  ui_.SetFocus(ListBox1.Name);
}

void TForm1::ListBox1Click() { SelectListedEvent(); }

void TForm1::ListBox1KeyDown(int key) {
  if (key == kEnterKey) SelectListedEvent();
}

void TForm1::UpDown1Click(int direction) {
  const int next = UpDown1.Step(direction);
  if (next == UpDown1.Position) return;
  UpDown1ChangingEx(next, direction);
  UpDown1.Position = next;
}

// The arrow pressed gives the direction, never the change of the position:
// the position wraps from 0 to 100 and back, and the first down press after
// a readout (at 0) must still step down.
void TForm1::UpDown1ChangingEx(int /*newValue*/, int direction) {
  Edit13.Text = QString::number(UpDown1.Position);
  if (direction > 0) StepUp();
  else StepDown();
}

// Down: the next higher set cause of this event, else the previous event
// from its cause 64, then 1, 2, ...; event 1 holds and shows its highest cause.
void TForm1::StepDown() {
  const int event = CurrentEvent;
  const int a = CurrentCause;
  CurrentCause = a + 1;
  if (CurrentCause <= kLastCause) ShowCause(CurrentCause, +1);
  if (CurrentCause > a && CurrentCause <= kLastCause) return;
  CurrentEvent = CurrentEvent - 1;
  if (CurrentEvent < 0) {
    CurrentEvent = 0;
    CurrentCause = kLastCause;
    ShowCause(kLastCause, -1);
  } else if (!ShowEvent(CurrentEvent, -1)) {
    // Nothing was shown: the position stays with what the fields show.
    CurrentEvent = event;
    CurrentCause = a;
  }
}

// Up: the next lower set cause of this event, else the next event from its
// cause 1, then 64, 63, ...; event 40 holds and shows its lowest cause.
void TForm1::StepUp() {
  const int event = CurrentEvent;
  const int a = CurrentCause;
  CurrentCause = a - 1;
  if (CurrentCause >= 0) ShowCause(CurrentCause, -1);
  if (CurrentCause < a && CurrentCause >= 0) return;
  CurrentEvent = CurrentEvent + 1;
  if (CurrentEvent > kLastEvent) {
    CurrentEvent = kLastEvent;
    CurrentCause = 0;
    ShowCause(0, +1);
  } else if (!ShowEvent(CurrentEvent, +1)) {
    CurrentEvent = event;
    CurrentCause = a;
  }
}

void TForm1::SelectListedEvent() {
  const int line = ListBox1.ItemIndex;
  if (line < EventListLines::kHeaderLines || line >= ListBox1.Items.size()) return;
  const QString text = ListBox1.Items[line];
  // A line that does not begin with an event number (the closing rule) does
  // nothing, and neither does a number that names no event.
  bool ok = false;
  const int n = text.left(3).trimmed().toInt(&ok);
  if (!ok || n < 1 || n > EventRecord::kRecords) return;
  CurrentEvent = n - 1;
  if (!ShowEvent(n - 1, +1)) return;
  int cause = 0;
  if (const qsizetype mark = text.indexOf(QStringLiteral(":  ")); mark >= 0) {
    if (mark < 2) return;
    const int number = text.mid(mark - 2, 2).trimmed().toInt(&ok);
    if (!ok || number < 1 || number > EventRecord::kCauses) return;
    cause = number - 1;
  }
  CurrentCause = cause;
  ShowCause(CurrentCause, +1);
  ListBox1.Visible = false;
  ui_.SetFocus(UpDown1.Name);
}
