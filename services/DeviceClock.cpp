// The controller's and the PC's clock on the page "Ustawienia WLT", and
// setting the controller's clock from the PC's.

#include "app/TForm1.h"
#include "services/BcdCodec.h"
#include "services/ServiceRegisters.h"
#include "services/ServiceTexts.h"

#include <array>

// Every second: the controller's clock while a controller is found (the
// placeholders otherwise or when the read fails), then the PC's clock. A
// controller that stops answering is asked less and less often (ClockPoll),
// and panel 1 says so until it answers again.
void TForm1::Timer1Timer() {
  std::array<std::uint16_t, ServiceRegisters::kClockReadWords> words{};
  bool read = false;
  if (ControllerFound() && ClockPoll.Due(Mdb1.Answered())) {
    read = Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kClockRead, ServiceRegisters::kClockReadWords,
                              words.data());
    // A reply the read cannot use (an exception) still shows the
    // controller is there: only silence makes the tick wait.
    ClockPoll.Record(Mdb1.Answered());
    if (!Mdb1.Answered()) StatusBar1.Panels[1].Text = ServiceTexts::ControllerSilent;
    else if (StatusBar1.Panels[1].Text == ServiceTexts::ControllerSilent) StatusBar1.Panels[1].Text.clear();
  }
  if (read) {
    const BcdCodec::ClockText shown = BcdCodec::ControllerClockText(words);
    Edit9.Text = shown.Date;
    Edit10.Text = shown.Time;
    Edit15.Text = BcdCodec::DayName(DayNames, shown.DayOfWeek);
  } else {
    // The day keeps the last one read.
    Edit9.Text = ServiceTexts::NoDate;
    Edit10.Text = ServiceTexts::NoTime;
  }

  // One reading, so date, time and day always belong together.
  const QDateTime now = ui_.Now();
  Edit11.Text = ui_.ShortDate(now.date());
  Edit12.Text = ui_.LongTime(now.time());
  Edit17.Text = BcdCodec::DayName(DayNames, BcdCodec::SundayFirstDayOfWeek(now.date()));
}

bool TForm1::ClockTickMayWait() const {
  return ControllerFound() && Mdb1.PortOpen() && !Mdb1.Answered() && ClockPoll.Wait == 0;
}

void TForm1::Button4Click() {
  if (ConfirmOperation(ServiceTexts::SetClockQuestion)) SetDeviceClock();
}

// The PC's date and time into 1307..1309, then the command in 1310 that
// makes the controller take them. The day of the week is not written: the
// controller works it out. A failed write ends the operation before the
// command, so the controller never takes a half-written time.
bool TForm1::SetDeviceClock() {
  std::uint16_t probe = 0;
  if (!Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kClockSet, 1, &probe)) {
    ReportNoCommunication(true);
    return false;
  }
  const QDateTime now = ui_.Now();
  const std::array<std::uint16_t, 3> words = BcdCodec::ClockSetWords(now.date(), now.time());
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!Mdb1.WriteRegister(SlaveAddress, std::uint16_t(ServiceRegisters::kClockSet + i), words[i])) {
      ReportNoCommunication(true);
      return false;
    }
  }
  if (!Mdb1.WriteRegister(SlaveAddress, ServiceRegisters::kClockCommand,
                          ServiceRegisters::kClockTakeNewTime)) {
    ReportNoCommunication(true);
    return false;
  }
  StatusBar1.Panels[1].Text.clear();
  return true;
}
