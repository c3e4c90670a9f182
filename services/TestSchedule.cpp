// The controller's three weekly test times on the page "Testowanie": each
// row a day selector (item index = the controller's day code) and an hour.

#include "app/TForm1.h"
#include "services/BcdCodec.h"
#include "services/ServiceRegisters.h"
#include "services/ServiceTexts.h"

namespace {

struct TestTimeRow {
  TComboBox& day;
  TSpinEdit& hour;
  std::uint16_t reg;
};

std::array<TestTimeRow, ServiceRegisters::kTestTimes> Rows(TForm1& f) {
  return {{{f.ComboBox5, f.SpinEdit3, ServiceRegisters::kFirstTestTime},
           {f.ComboBox6, f.SpinEdit4, std::uint16_t(ServiceRegisters::kFirstTestTime + 1)},
           {f.ComboBox7, f.SpinEdit5, std::uint16_t(ServiceRegisters::kFirstTestTime + 2)}}};
}

}  // namespace

void TForm1::Button6Click() { ReadTestSchedule(); }

void TForm1::Button2Click() {
  if (ConfirmOperation(ServiceTexts::WriteScheduleQuestion)) WriteTestSchedule();
}

// Row by row, each from its own register after a probe of the first. A row
// whose read fails keeps what it showed and ends the reading; the rows
// before it show what was read.
bool TForm1::ReadTestSchedule() {
  std::uint16_t word = 0;
  if (!Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kFirstTestTime, 1, &word)) {
    ReportNoCommunication(false);
    return false;
  }
  for (TestTimeRow& row : Rows(*this)) {
    if (!Mdb1.ReadRegisters(SlaveAddress, row.reg, 1, &word)) {
      ReportNoCommunication(false);
      return false;
    }
    const BcdCodec::TestTime time = BcdCodec::TestTimeFromWord(word);
    // The spin edit's range shows an hour above 23 as 23; a day code above
    // 7 leaves no item chosen.
    row.hour.SetValue(time.Hour);
    row.day.SetItemIndex(time.DayCode);
  }
  StatusBar1.Panels[1].Text.clear();
  return true;
}

// Nothing is sent unless every row holds a day of its list and an hour of
// 0 to 23 (a row read with an unknown day, or an hour typed past the range).
// The first failed write ends the sending.
bool TForm1::WriteTestSchedule() {
  for (const TestTimeRow& row : Rows(*this)) {
    const int hour = row.hour.Value();
    if (row.day.ItemIndex < 0 || row.day.ItemIndex > ServiceRegisters::kMaxDayCode || hour < 0 ||
        hour > ServiceRegisters::kMaxHour) {
      StatusBar1.Panels[1].Text = ServiceTexts::InvalidValue;
      ui_.Beep();
      return false;
    }
  }
  std::uint16_t probe = 0;
  if (!Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kFirstTestTime, 1, &probe)) {
    ReportNoCommunication(true);
    return false;
  }
  for (const TestTimeRow& row : Rows(*this)) {
    if (!Mdb1.WriteRegister(SlaveAddress, row.reg,
                            BcdCodec::TestTimeWord(row.day.ItemIndex, row.hour.Value()))) {
      ReportNoCommunication(true);
      return false;
    }
  }
  StatusBar1.Panels[1].Text.clear();
  return true;
}
