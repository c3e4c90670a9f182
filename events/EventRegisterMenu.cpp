// Reading the controller's event register (menu "Zdarzenia"): the six
// blocks of the recorder, the controller clock beside them and the PC clock.

#include "app/StatusProgress.h"
#include "app/TForm1.h"
#include "events/EventPage.h"
#include "events/EventRecord.h"
#include "events/EventTexts.h"

#include <type_traits>

static_assert(std::is_same_v<decltype(TForm1::EventTable), EventRecord::Table>,
              "the window's event table has the recorder's layout");
static_assert(TForm1::kCauseTexts == EventRecord::kCauses &&
              TForm1::kEventIndicators == EventRecord::kStates);

void TForm1::Odczyt1Click() { ReadEventRegister(); }

void TForm1::ReadEventRegister() {
  // All six blocks go into a scratch table first: a readout that breaks off
  // part-way must not leave EventTable half old and half new, while the list
  // and the record view still show the old one.
  EventRecord::Words words{};
  // Six blocks and the clock; at 2400 bit/s that takes seconds.
  constexpr int kSteps = int(EventRecord::kReadBlocks.size()) + 1;
  StatusProgress progress(*this);
  int step = 0;
  for (const EventRecord::ReadBlock& block : EventRecord::kReadBlocks) {
    progress.ShowStep(EventTexts::ReadingEvents, ++step, kSteps);
    if (!Mdb1.ReadRegisters(SlaveAddress, std::uint16_t(block.firstRegister),
                            std::uint16_t(block.count), &words[std::size_t(block.firstWord)])) {
      ReportNoCommunication(false);
      return;
    }
  }
  EventTable = EventRecord::TableFromWords(words);
  EventsLoaded = true;
  CurrentEvent = 0;
  ShowEvent(0, +1);

  // The controller clock at the same moment; without it the fields stay empty.
  std::array<std::uint16_t, EventRecord::kClockWords> clock{};
  progress.ShowStep(EventTexts::ReadingEvents, ++step, kSteps);
  if (Mdb1.ReadRegisters(SlaveAddress, EventRecord::kClockRegister, EventRecord::kClockWords,
                         clock.data())) {
    Edit5.Text = EventRecord::FormatRecordDate(clock[0], clock[1]);
    Edit6.Text = EventRecord::FormatRecordTime(clock[1], clock[2]);
  } else {
    Edit5.Text.clear();
    Edit6.Text.clear();
  }
  const QDateTime now = ui_.Now();
  Edit7.Text = ui_.ShortDate(now.date());
  Edit8.Text = ui_.LongTime(now.time());

  StatusBar1.Panels[1].Text = EventTexts::EventsRead;
  EventPage::ShowList(*this);
  EventPage::EnableEventCommands(*this);
  BuildEventList();
}
