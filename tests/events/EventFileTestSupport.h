#pragma once
// Helpers of the event-file tests: a readout taken from a fake controller
// as the window takes it, a table with every kind of record the file must
// carry, and a picture of everything that opening an event file may change.

#include "EventTestSupport.h"
#include "FilesTestSupport.h"
#include "events/EventFileFormat.h"
#include "files/EventTextsSection.h"

#include <ostream>
#include <vector>

namespace eventfiletest {

using EventRecord::Record;
using EventRecord::Table;

// Event 1 is the worked record (24-03-15 08:05:59, R1 = 5) with states;
// event 7 has causes 2, 17 and 30; event 13 has a group above 9 in its
// date and its time; event 21 is erased (all bits set); event 40 carries
// 65535 in its last state word. The others are dated records.
inline Table VariedTable() {
  Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  table[0] = eventtest::MakeRecord(0x0324, 0x0815, 0x5905, {1, 3}, {{1, 0x8001}, {6, 0x0200}});
  table[6] = eventtest::MakeRecord(0x0324, 0x0816, 0x0102, {2, 17, 30});
  table[12] = eventtest::MakeRecord(0x0C24, 0x0815, 0xB905, {64});
  table[20].fill(0xFFFF);
  table[39][16] = 65535;
  return table;
}

// Dated records, event 4 with cause 5: another readout than VariedTable's.
inline Table DatedTable() {
  Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  table[3] = eventtest::MakeRecord(0x0323, 0x0701, 0x0000, {5});
  return table;
}

// The event texts of a description: odd events " Opis <n>", even ones
// none; causes with Polish letters.
inline QStringList DescriptionTexts() {
  EventTextsSection::Labels labels;
  EventTextsSection::Causes causes;
  for (int n = 1; n <= EventTextsSection::kEvents; ++n)
    labels[std::size_t(n)] = n % 2 ? QStringLiteral(" Opis %1").arg(n) : QString();
  for (int c = 0; c < EventTextsSection::kCauses; ++c)
    causes[std::size_t(c)] = QStringLiteral("Zanik napięcia %1").arg(c + 1);
  return EventTextsSection::Compose(labels, causes);
}

// A controller with factory number 7, year 2019 and its clock at 24-03-15
// 08:05:59 holding the table: the window finds it, takes the description's
// texts and reads the events out on the page "Zdarzenia".
inline void ReadOut(FakeWindow& w, const Table& table) {
  w.SetController(7, 2019);
  for (const auto& [reg, value] : eventtest::RecorderRegisters(table)) w.line->Registers[std::uint16_t(reg)] = value;
  w.line->Registers[1300] = 0x0324;
  w.line->Registers[1301] = 0x0815;
  w.line->Registers[1302] = 0x5905;
  w.form.InitSettingsCatalogue();
  w.form.ReadEventTextsFromLines(DescriptionTexts());
  w.form.ConnectDevice();
  w.form.PageControl1.ActivePageIndex = 3;
  w.form.Odczyt1Click();
}

// Everything opening an event file may change, as the window shows it.
struct Shown {
  Table table{};
  bool loaded = false;
  int currentEvent = 0, currentCause = 0;
  QStringList edits;  // EditTyp, EditNrFabr, EditRokProd, Edit1 to Edit8
  QStringList list;
  bool listVisible = false, printEnabled = false, saveEnabled = false;
  std::vector<QString> eventLabels;
  std::vector<QString> causeTexts;
  QStringList indicators;  // per indicator: caption, visible, checked
  QString panel1;
  bool operator==(const Shown&) const = default;
};

inline Shown ShownBy(const TForm1& f) {
  Shown s;
  s.table = f.EventTable;
  s.loaded = f.EventsLoaded;
  s.currentEvent = f.CurrentEvent;
  s.currentCause = f.CurrentCause;
  for (const TEdit* edit : {&f.EditTyp, &f.EditNrFabr, &f.EditRokProd, &f.Edit1, &f.Edit2, &f.Edit3, &f.Edit4,
                            &f.Edit5, &f.Edit6, &f.Edit7, &f.Edit8})
    s.edits << edit->Text;
  s.list = f.ListBox1.Items;
  s.listVisible = f.ListBox1.Visible;
  s.printEnabled = f.Drukuj1.Enabled;
  s.saveEnabled = f.Zapiszjako2.Enabled;
  s.eventLabels.assign(f.EventLabels.begin(), f.EventLabels.end());
  s.causeTexts.assign(f.CauseTexts.begin(), f.CauseTexts.end());
  for (int n = 1; n <= TForm1::kEventIndicators; ++n)
    s.indicators << QStringLiteral("%1|%2|%3|%4")
                        .arg(f.zdLabel(n).Caption)
                        .arg(f.zdLabel(n).Visible)
                        .arg(f.CheckBox(n).Visible)
                        .arg(f.CheckBox(n).Checked);
  s.panel1 = f.StatusBar1.Panels[1].Text;
  return s;
}

inline void PrintTo(const Shown& s, std::ostream* os) {
  *os << "{edits " << s.edits.join(QLatin1Char('|')).toStdString() << ", loaded " << s.loaded << ", list "
      << s.list.size() << " lines, panel1 \"" << s.panel1.toStdString() << "\"}";
}

}  // namespace eventfiletest
