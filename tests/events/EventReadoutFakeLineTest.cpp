// The readout on a scripted line, where a fault is easy to place: a block
// that gets no answer after a good readout, a silent controller, and the
// readout that showing an event starts by itself.

#include "EventTestSupport.h"
#include "FakeUi.h"
#include "app/TForm1.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using eventtest::MakeRecord;

class ReadoutOnFakeLine : public ::testing::Test {
 protected:
  ReadoutOnFakeLine() {
    line->Responder = [this](const Bytes& request) { return controller.Answer(request); };
  }
  void SetUp() override {
    for (int k = 0; k < EventRecord::kRecords; ++k) first[std::size_t(k)] = eventtest::DatedRecord(k);
    first[2] = MakeRecord(0x0324, 0x0815, 0x5905, {3, 40}, {{4, 0x0101}});
    for (int k = 0; k < EventRecord::kRecords; ++k)
      second[std::size_t(k)] = MakeRecord(0x0101, 0x0101, 0x0101, {k + 1}, {{1, 0xFFFF}});
    Serve(first);
    controller.registers[1300] = 0x1226;
    controller.registers[1301] = 0x1008;
    controller.registers[1302] = 0x3020;
  }
  void Serve(const EventRecord::Table& table) {
    for (const auto& [reg, value] : eventtest::RecorderRegisters(table)) controller.registers[reg] = value;
  }
  void OpenPort() {
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
  }
  // Everything the window shows of the events, for before/after comparisons.
  QStringList Shown() const {
    QStringList s;
    for (const TEdit* e : {&form.Edit1, &form.Edit2, &form.Edit3, &form.Edit4, &form.Edit5, &form.Edit6,
                           &form.Edit7, &form.Edit8})
      s << e->Text;
    s << QString::number(form.CurrentEvent) << QString::number(form.CurrentCause)
      << QString::number(form.EventsLoaded) << QString::number(form.Drukuj1.Enabled)
      << QString::number(form.Zapiszjako2.Enabled) << QString::number(form.ListBox1.Visible);
    for (int n = 1; n <= 160; ++n) s << QString::number(form.CheckBox(n).Checked);
    for (bool f : form.CauseFlags) s << QString::number(f);
    return s + form.ListBox1.Items;
  }

  eventtest::ScriptedRecorder controller;
  EventRecord::Table first{}, second{};
  FakeUi ui;
  std::shared_ptr<FakeLineState> line = std::make_shared<FakeLineState>();
  TForm1 form{ui, std::make_unique<FakeSerialLine>(line)};
};

TEST_F(ReadoutOnFakeLine, ABlockLostAfterAGoodReadoutLeavesEverythingAsItWas) {
  OpenPort();
  form.Odczyt1Click();
  ASSERT_EQ(form.EventTable, first);
  form.ShowEvent(2, +1);
  form.CurrentEvent = 2;
  ui.ClearRecords();
  controller.requests.clear();

  // The controller now holds other records, and the fourth block gets no answer.
  Serve(second);
  controller.silentAt = {1696};
  const QStringList before = Shown();
  form.Odczyt1Click();

  const std::vector<std::string> all = eventtest::ReadoutRequests();
  std::vector<std::string> expected(all.begin(), all.begin() + 4);
  expected.push_back(all[3]);  // the link's three tries
  expected.push_back(all[3]);
  EXPECT_EQ(controller.requests, expected);
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem")}));
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Błąd odczytu"));
  // Not a word of the three blocks that did arrive reached the table.
  EXPECT_EQ(form.EventTable, first);
  EXPECT_EQ(Shown(), before);

  // Once the controller answers again, the next readout takes the new records.
  controller.silentAt.clear();
  form.Odczyt1Click();
  EXPECT_EQ(form.EventTable, second);
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("01:  "));
}

TEST_F(ReadoutOnFakeLine, ShowingAnEventWithNothingLoadedReadsFirstWhenThePortIsOpen) {
  // Port closed: nothing is read and nothing changes.
  form.Edit3.Text = QStringLiteral("untouched");
  const QStringList before = Shown();
  EXPECT_FALSE(form.ShowEvent(5, +1));
  EXPECT_EQ(Shown(), before);
  EXPECT_TRUE(line->Writes.empty());
  EXPECT_TRUE(ui.Log.isEmpty());

  // Port open: the register is read and event 1 shown, whatever was asked.
  OpenPort();
  EXPECT_TRUE(form.ShowEvent(5, -1));
  EXPECT_EQ(controller.requests, eventtest::ReadoutRequests());
  EXPECT_TRUE(form.EventsLoaded);
  EXPECT_EQ(form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
  EXPECT_EQ(form.Edit5.Text, QStringLiteral("26-12-08"));
  EXPECT_EQ(form.Edit6.Text, QStringLiteral("10:20:30"));
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral(" Odczytano zdarzenia"));
}

TEST_F(ReadoutOnFakeLine, ArrowsBeforeAnyReadout) {
  // Down shows the notice and reads nothing.
  OpenPort();
  form.UpDown1.Position = 50;
  form.UpDown1Click(-1);
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("Nie ma żadnej informacji"));
  EXPECT_TRUE(controller.requests.empty());
  EXPECT_EQ(form.CurrentEvent, 0);

  // Up with the controller silent: the failed readout is reported and the
  // position stays where it was, so later arrows stay within the tables.
  controller.silentAt = {1321};
  const int cause = form.CurrentCause;
  form.UpDown1Click(+1);
  EXPECT_EQ(ui.Messages, QStringList{QStringLiteral("Brak komunikacji z urządzeniem")});
  EXPECT_EQ(form.CurrentEvent, 0);
  EXPECT_EQ(form.CurrentCause, cause);
  EXPECT_FALSE(form.EventsLoaded);

  // With the port closed the up arrow does nothing at all, however often.
  form.Mdb1.ClosePort();
  ui.ClearRecords();
  controller.requests.clear();
  for (int i = 0; i < 3; ++i) form.UpDown1Click(+1);
  for (int i = 0; i < 3; ++i) form.UpDown1Click(-1);
  EXPECT_EQ(form.CurrentEvent, 0);
  EXPECT_GE(form.CurrentCause, 0);
  EXPECT_LE(form.CurrentCause, 63);
  EXPECT_TRUE(ui.Log.isEmpty());
  EXPECT_TRUE(controller.requests.empty());

  // Up with an answering controller reads the register and shows event 1.
  OpenPort();
  controller.silentAt.clear();
  form.CurrentCause = 0;
  form.UpDown1Click(+1);
  EXPECT_EQ(controller.requests, eventtest::ReadoutRequests());
  EXPECT_EQ(form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
  EXPECT_EQ(form.CurrentEvent, 0);
}

}  // namespace
