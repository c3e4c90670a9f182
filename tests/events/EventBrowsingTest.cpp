// The record view and the arrows headless on TForm1, with a table put into
// the window as a readout leaves it: entering events, walking causes and
// events, the edges on events 1 and 40, the up-down's wrap-around, list picks
// and the indicators.

#include "EventTestSupport.h"
#include "FakeUi.h"
#include "app/TForm1.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using eventtest::MakeRecord;

class EventBrowsing : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
    for (int c = 0; c < EventRecord::kCauses; ++c) form.CauseTexts[std::size_t(c)] = QStringLiteral("tekst %1").arg(c + 1);
  }
  // The table as a complete readout leaves it: event 1 shown, the list built.
  void Load() {
    form.EventTable = table;
    form.EventsLoaded = true;
    form.CurrentEvent = 0;
    ASSERT_TRUE(form.ShowEvent(0, +1));
    form.BuildEventList();
    ui.ClearRecords();
  }
  // What the record view shows, "Zdarzenie 7 | 17:  tekst 17".
  std::string Shown() const { return (form.Edit3.Text + QStringLiteral(" | ") + form.Edit4.Text).toStdString(); }
  int ListLineOf(const QString& start) const {
    for (int i = 0; i < form.ListBox1.Items.size(); ++i)
      if (form.ListBox1.Items[i].startsWith(start)) return i;
    return -1;
  }
  // Double click on the first list line that begins with start.
  void Pick(const QString& start) {
    form.ListBox1.ItemIndex = ListLineOf(start);
    ASSERT_GE(form.ListBox1.ItemIndex, 9) << start.toStdString();
    form.ListBox1Click();
  }
  void Down() { form.UpDown1Click(-1); }
  void Up() { form.UpDown1Click(+1); }

  EventRecord::Table table{};
  FakeUi ui;
  std::shared_ptr<FakeLineState> line = std::make_shared<FakeLineState>();
  TForm1 form{ui, std::make_unique<FakeSerialLine>(line)};
};

TEST_F(EventBrowsing, EnteringAnEventLooksAtCause1Or64First) {
  table[4] = MakeRecord(0x0324, 0x0815, 0x5905, {1, 64});
  table[5] = MakeRecord(0x0324, 0x0815, 0x5905, {5, 9});
  Load();
  struct Case {
    int index, direction;
    const char* shown;
    int currentCause;
  };
  const Case cases[] = {
      {4, +1, "Zdarzenie 5 | 01:  tekst 1", 0},
      {4, -1, "Zdarzenie 5 | 64:  tekst 64", 63},
      // Forwards: 1, then 64 down; backwards: 64, then 1 up.
      {5, +1, "Zdarzenie 6 | 09:  tekst 9", 8},
      {5, -1, "Zdarzenie 6 | 05:  tekst 5", 4},
      {0, +1, "Zdarzenie 1 | Nie ma żadnej informacji", 63},
      {0, -1, "Zdarzenie 1 | Nie ma żadnej informacji", 0},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(form.ShowEvent(c.index, c.direction));
    EXPECT_EQ(Shown(), c.shown) << c.index << " " << c.direction;
    EXPECT_EQ(form.CurrentCause, c.currentCause) << c.index << " " << c.direction;
  }
  form.ShowEvent(4, +1);
  EXPECT_EQ(form.Edit1.Text, QStringLiteral("24-03-15"));
  EXPECT_EQ(form.Edit2.Text, QStringLiteral("08:05:59"));
  EXPECT_TRUE(ui.Log.isEmpty());
  EXPECT_TRUE(line->Writes.empty());
}

TEST_F(EventBrowsing, AnIndexOutsideTheRecorderShowsNothing) {
  Load();
  form.ShowEvent(2, +1);
  const std::string shown = Shown();
  for (int index : {-1, 40, 1000}) {
    EXPECT_FALSE(form.ShowEvent(index, +1)) << index;
    EXPECT_EQ(Shown(), shown) << index;
    EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Błąd odczytu zdarzeń"));
  }
}

TEST_F(EventBrowsing, IndicatorsFollowTheStateWords) {
  table[2] = MakeRecord(0x0324, 0x0815, 0x5905, {}, {{1, 0x8001}});
  table[3] = MakeRecord(0x0324, 0x0815, 0x5905, {}, {{6, 0x0200}});
  table[4] = MakeRecord(0x0324, 0x0815, 0x5905, {}, {{2, 0x0001}, {10, 0x8000}, {5, 0x0180}});
  Load();
  const auto checked = [this] {
    std::vector<int> on;
    for (int n = 1; n <= 160; ++n)
      if (form.CheckBox(n).Checked) on.push_back(n);
    return on;
  };
  form.ShowEvent(2, +1);
  EXPECT_EQ(checked(), (std::vector<int>{1, 16}));
  form.ShowEvent(3, -1);
  EXPECT_EQ(checked(), std::vector<int>{90});
  form.ShowEvent(4, +1);
  EXPECT_EQ(checked(), (std::vector<int>{17, 72, 73, 160}));
  form.ShowEvent(5, +1);  // no state bit: every indicator clears
  EXPECT_EQ(checked(), std::vector<int>{});
  for (int n = 801; n <= 910; ++n) EXPECT_FALSE(form.CheckBox(n).Checked) << n;
}

TEST_F(EventBrowsing, APickOfCause17OfEvent7ThenDown) {
  struct Case {
    const char* name;
    std::initializer_list<int> event7, event6;
    const char* afterDown;
  };
  const Case cases[] = {
      {"a later cause of event 7", {2, 17, 30}, {3}, "Zdarzenie 7 | 30:  tekst 30"},
      {"event 6 from cause 64", {2, 17}, {5, 64}, "Zdarzenie 6 | 64:  tekst 64"},
      {"event 6 from cause 1 up", {2, 17}, {3, 9}, "Zdarzenie 6 | 03:  tekst 3"},
      {"event 6 without causes", {17}, {}, "Zdarzenie 6 | Nie ma żadnej informacji"},
  };
  for (const Case& c : cases) {
    SetUp();
    table[6] = MakeRecord(0x0324, 0x0815, 0x5905, c.event7);
    table[5] = MakeRecord(0x0324, 0x0815, 0x5905, c.event6);
    Load();
    form.ListBox1.ItemIndex = -1;
    for (int i = 0; i < form.ListBox1.Items.size(); ++i)
      if (form.ListBox1.Items[i].startsWith(QStringLiteral("07")) &&
          form.ListBox1.Items[i].contains(QStringLiteral("    17:  ")))
        form.ListBox1.ItemIndex = i;
    ASSERT_GT(form.ListBox1.ItemIndex, 8) << c.name;
    form.ListBox1Click();
    EXPECT_EQ(Shown(), "Zdarzenie 7 | 17:  tekst 17") << c.name;
    EXPECT_EQ(form.CurrentEvent, 6) << c.name;
    EXPECT_EQ(form.CurrentCause, 16) << c.name;
    EXPECT_FALSE(form.ListBox1.Visible) << c.name;
    EXPECT_EQ(ui.Log, QStringList{QStringLiteral("focus:UpDown1")}) << c.name;
    form.UpDown1.Position = 50;
    Down();
    EXPECT_EQ(Shown(), c.afterDown) << c.name;
  }
}

TEST_F(EventBrowsing, AWalkDownAndBackUp) {
  table[39] = MakeRecord(0x0324, 0x0815, 0x5905, {3, 20});
  table[38] = MakeRecord(0x0324, 0x0815, 0x5905, {7});
  table[37] = MakeRecord(0x0324, 0x0815, 0x5905, {1, 2});
  Load();
  Pick(QStringLiteral("40"));
  form.UpDown1.Position = 50;
  std::vector<std::string> seen{Shown()};
  for (int i = 0; i < 5; ++i) {
    Down();
    seen.push_back(Shown());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Zdarzenie 40 | 03:  tekst 3", "Zdarzenie 40 | 20:  tekst 20",
                      "Zdarzenie 39 | 07:  tekst 7", "Zdarzenie 38 | 01:  tekst 1",
                      "Zdarzenie 38 | 02:  tekst 2", "Zdarzenie 37 | Nie ma żadnej informacji"}));
  EXPECT_EQ(form.UpDown1.Position, 45);
  seen = {};
  for (int i = 0; i < 5; ++i) {
    Up();
    seen.push_back(Shown());
  }
  // Up enters an event at cause 1, then from 64 down.
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Zdarzenie 38 | 01:  tekst 1", "Zdarzenie 39 | 07:  tekst 7",
                      "Zdarzenie 40 | 20:  tekst 20", "Zdarzenie 40 | 03:  tekst 3",
                      "Zdarzenie 40 | 03:  tekst 3"}));
  EXPECT_TRUE(line->Writes.empty());
}

TEST_F(EventBrowsing, Event1AndEvent40HoldAtTheEdges) {
  table[0] = MakeRecord(0x0101, 0x0001, 0x0000, {4, 9});
  table[39] = MakeRecord(0x0324, 0x0815, 0x5905, {4, 9});
  Load();
  // Event 1 at its highest cause (entered forwards: cause 1 is not set, so
  // from 64 down): down stays and shows the highest cause again.
  form.ShowEvent(0, +1);
  ASSERT_EQ(Shown(), "Zdarzenie 1 | 09:  tekst 9");
  form.StepDown();
  EXPECT_EQ(Shown(), "Zdarzenie 1 | 09:  tekst 9");
  EXPECT_EQ(form.CurrentEvent, 0);
  EXPECT_EQ(form.CurrentCause, 8);
  // At its lowest cause the next down goes to 9 first, then holds.
  form.ShowEvent(0, -1);
  ASSERT_EQ(Shown(), "Zdarzenie 1 | 04:  tekst 4");  // from 64, then 1 up
  form.CurrentCause = 3;
  form.ShowCause(3, +1);
  ASSERT_EQ(Shown(), "Zdarzenie 1 | 04:  tekst 4");
  form.StepDown();
  EXPECT_EQ(Shown(), "Zdarzenie 1 | 09:  tekst 9");

  // Event 40 at its lowest cause: up stays and shows the lowest cause.
  form.CurrentEvent = 39;
  form.ShowEvent(39, +1);
  form.CurrentCause = 3;
  form.ShowCause(3, +1);
  ASSERT_EQ(Shown(), "Zdarzenie 40 | 04:  tekst 4");
  form.StepUp();
  EXPECT_EQ(Shown(), "Zdarzenie 40 | 04:  tekst 4");
  EXPECT_EQ(form.CurrentEvent, 39);
  EXPECT_EQ(form.CurrentCause, 3);
  form.StepUp();
  EXPECT_EQ(Shown(), "Zdarzenie 40 | 04:  tekst 4");

  // Without any cause the edges show the notice.
  table[0] = MakeRecord(0, 0, 0);
  Load();
  form.StepDown();
  EXPECT_EQ(Shown(), "Zdarzenie 1 | Nie ma żadnej informacji");
  EXPECT_EQ(form.CurrentEvent, 0);
  EXPECT_EQ(form.CurrentCause, 63);
}

// The arrow pressed is the direction, at every position of the up-down and
// across its wrap-around: up steps to the next lower cause, down to the next
// higher one. The position still wraps and Edit13 keeps the old one.
TEST_F(EventBrowsing, TheArrowPressedIsTheDirectionAtEveryPosition) {
  table[2] = MakeRecord(0x0324, 0x0815, 0x5905, {10, 20, 30});
  Load();
  struct Case {
    int position, arrow;
    int newPosition;
    const char* shown;  // from cause 20 of event 3
  };
  const Case cases[] = {
      {50, +1, 51, "Zdarzenie 3 | 10:  tekst 10"},
      {50, -1, 49, "Zdarzenie 3 | 30:  tekst 30"},
      // The first press after a readout: the up-down stands at 0.
      {0, -1, 100, "Zdarzenie 3 | 30:  tekst 30"},
      {0, +1, 1, "Zdarzenie 3 | 10:  tekst 10"},
      {1, -1, 0, "Zdarzenie 3 | 30:  tekst 30"},
      {99, +1, 100, "Zdarzenie 3 | 10:  tekst 10"},
      {100, +1, 0, "Zdarzenie 3 | 10:  tekst 10"},
      {100, -1, 99, "Zdarzenie 3 | 30:  tekst 30"},
  };
  for (const Case& c : cases) {
    form.CurrentEvent = 2;
    form.ShowEvent(2, +1);
    form.CurrentCause = 19;
    form.ShowCause(19, +1);
    form.UpDown1.Position = c.position;
    form.UpDown1Click(c.arrow);
    EXPECT_EQ(form.UpDown1.Position, c.newPosition) << c.position << " " << c.arrow;
    EXPECT_EQ(form.Edit13.Text, QString::number(c.position)) << c.position << " " << c.arrow;
    EXPECT_EQ(Shown(), c.shown) << c.position << " " << c.arrow;
  }
}

// Walking down from a fresh readout with the down arrow only: every press
// goes on to the next cause or the previous event, never back.
TEST_F(EventBrowsing, DownPressesFromAFreshReadoutNeverGoBack) {
  table[6] = MakeRecord(0x0324, 0x0815, 0x5905, {2, 17});
  table[5] = MakeRecord(0x0324, 0x0815, 0x5905, {4});
  Load();
  form.CurrentEvent = 6;
  form.ShowEvent(6, +1);
  form.CurrentCause = 1;
  form.ShowCause(1, +1);
  ASSERT_EQ(Shown(), "Zdarzenie 7 | 02:  tekst 2");
  ASSERT_EQ(form.UpDown1.Position, 0);
  const char* expected[] = {"Zdarzenie 7 | 17:  tekst 17", "Zdarzenie 6 | 04:  tekst 4"};
  for (const char* shown : expected) {
    Down();
    EXPECT_EQ(Shown(), shown);
  }
}

TEST_F(EventBrowsing, ControlStepsInTheirOwnState) {
  TUpDown upDown;
  upDown.Min = 0;
  upDown.Max = 100;
  struct Case {
    bool wrap;
    int position, delta, next;
  };
  const Case cases[] = {{true, 100, +1, 0}, {true, 0, -1, 100}, {true, 7, +1, 8},
                        {false, 100, +1, 100}, {false, 0, -1, 0}, {false, 7, -1, 6}};
  for (const Case& c : cases) {
    upDown.Wrap = c.wrap;
    upDown.Position = c.position;
    EXPECT_EQ(upDown.Step(c.delta), c.next) << c.wrap << " " << c.position << " " << c.delta;
  }
  // An up-down that cannot move calls no handler.
  form.UpDown1.Wrap = false;
  form.UpDown1.Position = 100;
  form.Edit13.Text = QStringLiteral("untouched");
  form.UpDown1Click(+1);
  EXPECT_EQ(form.Edit13.Text, QStringLiteral("untouched"));

  TSpinEdit spin;
  spin.MinValue = 1;
  spin.MaxValue = 247;
  spin.SetValue(247);
  spin.Step(+1);
  EXPECT_EQ(spin.Text, QStringLiteral("247"));
  spin.Step(-1);
  EXPECT_EQ(spin.Text, QStringLiteral("246"));
  spin.Text = QStringLiteral("abc");  // no number: the minimum, one on
  spin.Step(+1);
  EXPECT_EQ(spin.Text, QStringLiteral("2"));
  spin.Text = QStringLiteral("0");
  spin.Step(-1);
  EXPECT_EQ(spin.Text, QStringLiteral("1"));
}

TEST_F(EventBrowsing, EnterOnAHeaderOrTheClosingRuleChangesNothing) {
  table[6] = MakeRecord(0x0324, 0x0815, 0x5905, {2, 17});
  Load();
  form.ShowEvent(3, +1);
  form.CurrentEvent = 3;
  const auto snapshot = [this] {
    QStringList s{form.Edit1.Text, form.Edit2.Text, form.Edit3.Text, form.Edit4.Text,
                  QString::number(form.CurrentEvent), QString::number(form.CurrentCause),
                  form.StatusBar1.Panels[1].Text, QString::number(form.ListBox1.Visible)};
    for (int n = 1; n <= 160; ++n) s << QString::number(form.CheckBox(n).Checked);
    return s;
  };
  const QStringList before = snapshot();
  const int lastLine = int(form.ListBox1.Items.size()) - 1;
  ASSERT_EQ(form.ListBox1.Items[lastLine], QString(85, QLatin1Char('-')));
  for (int index : {-1, 0, 1, 4, 7, 8, lastLine, lastLine + 1}) {
    form.ListBox1.ItemIndex = index;
    form.ListBox1KeyDown(13);
    form.ListBox1Click();
    EXPECT_EQ(snapshot(), before) << index;
  }
  // Other keys on an event line do nothing either.
  form.ListBox1.ItemIndex = 9;
  for (int key : {40, 38, 32, 27}) form.ListBox1KeyDown(key);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(ui.Log.isEmpty());
  // Enter on an event line opens it.
  form.ListBox1KeyDown(13);
  EXPECT_EQ(Shown(), "Zdarzenie 40 | Nie ma żadnej informacji");
  EXPECT_FALSE(form.ListBox1.Visible);
}

TEST_F(EventBrowsing, RebuildingTheListKeepsTheCausesOfTheEventOnShow) {
  table[6] = MakeRecord(0x0324, 0x0815, 0x5905, {2, 17});
  table[1] = MakeRecord(0x0324, 0x0815, 0x5905, {40});
  Load();
  Pick(QStringLiteral("07"));
  ASSERT_EQ(Shown(), "Zdarzenie 7 | 02:  tekst 2");
  const auto flags = form.CauseFlags;
  form.CauseTexts[16] = QStringLiteral("nowy tekst");
  form.BuildEventList();  // as new event texts arrive
  EXPECT_EQ(form.CauseFlags, flags);
  EXPECT_EQ(form.ListBox1.Items[ListLineOf(QStringLiteral("07")) + 1],
            QStringLiteral("07   24-03-15   08:05:59    17:  nowy tekst"));
  form.UpDown1.Position = 50;
  Down();
  EXPECT_EQ(Shown(), "Zdarzenie 7 | 17:  nowy tekst");
}

TEST_F(EventBrowsing, TheListButtonBringsTheListBackOnceEventsAreLoaded) {
  form.ListBox1.Visible = false;
  form.Button5Click();
  EXPECT_FALSE(form.ListBox1.Visible);
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("focus:ListBox1")});
  Load();
  Pick(QStringLiteral("01"));
  ASSERT_FALSE(form.ListBox1.Visible);
  ui.ClearRecords();
  form.Button5Click();
  EXPECT_TRUE(form.ListBox1.Visible);
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("focus:ListBox1")});
}

}  // namespace
