// The event register readout of the headless window against wlt-sim on a
// pseudo-terminal: the seven requests on the wire, what the window shows
// after them, and a controller that refuses one of them.

#include "EventTestSupport.h"
#include "WindowOnSim.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

using eventtest::MakeRecord;

class ReadoutWithSim : public WindowOnSim {
 protected:
  // Starts the simulator serving table, its clock standing at 2024-03-15
  // 08:05:59, and opens COM1 on it as start-up leaves the line.
  void StartSim(const EventRecord::Table& served, std::vector<std::string> extra = {}) {
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("events.txt")).toStdString();
    ASSERT_TRUE(eventtest::WriteEventsFile(path, served));
    std::vector<std::string> args{"--events-file", path, "--clock", "2024-03-15T08:05:59", "--freeze-clock"};
    args.insert(args.end(), extra.begin(), extra.end());
    WindowOnSim::StartSim(args);
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
    for (int c = 0; c < EventRecord::kCauses; ++c) form.CauseTexts[std::size_t(c)] = QStringLiteral("tekst %1").arg(c + 1);
  }

  QTemporaryDir dir;
};

TEST_F(ReadoutWithSim, SixBlocksAndTheClockOnTheWireFillTheWindow) {
  EventRecord::Table table{};
  for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
  // Event 1 with causes 1 and 64 and states over the block boundary of
  // request 1 (words 7 to 16 of record 7 straddle registers 1445/1446).
  table[0] = MakeRecord(0x0324, 0x0815, 0x5905, {1, 64}, {{1, 0x8001}, {6, 0x0200}});
  table[7] = MakeRecord(0x0324, 0x0815, 0x5905, {2, 17}, {{10, 0xFFFF}});
  StartSim(table);
  form.PageControl1.ActivePageIndex = 3;
  form.Odczyt1Click();

  EXPECT_EQ(sim->Requests(), eventtest::ReadoutRequests());
  EXPECT_EQ(sim->Requests()[0], "01 03 05 28 00 7D 05 2F");  // 1321 is 0x0528 on the wire
  EXPECT_EQ(sim->Replies().size(), 7u);
  EXPECT_EQ(form.EventTable, table);
  EXPECT_TRUE(form.EventsLoaded);
  EXPECT_EQ(form.CurrentEvent, 0);

  EXPECT_EQ(form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
  EXPECT_EQ(form.Edit1.Text, QStringLiteral("24-03-15"));
  EXPECT_EQ(form.Edit2.Text, QStringLiteral("08:05:59"));
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("01:  tekst 1"));
  for (int n = 1; n <= 160; ++n) EXPECT_EQ(form.CheckBox(n).Checked, n == 1 || n == 16 || n == 90) << n;
  EXPECT_EQ(form.Edit5.Text, QStringLiteral("24-03-15"));  // the controller clock
  EXPECT_EQ(form.Edit6.Text, QStringLiteral("08:05:59"));
  EXPECT_EQ(form.Edit7.Text, QStringLiteral("2026-12-08"));  // the PC clock in its formats
  EXPECT_EQ(form.Edit8.Text, QStringLiteral("10:20:30"));

  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano zdarzenia"));
  EXPECT_TRUE(form.ListBox1.Visible);
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("focus:ListBox1")});
  EXPECT_TRUE(form.Drukuj1.Enabled && form.Podglad1.Enabled && form.Zapiszjako2.Enabled);

  const QStringList& list = form.ListBox1.Items;
  ASSERT_EQ(list.size(), 9 + 38 + 2 + 2 + 1);
  EXPECT_EQ(list[2], QStringLiteral("WLT nr fabr 000 / ####"));
  EXPECT_EQ(list[4], QStringLiteral("                           WLT: 24-03-15  08:05:59"));
  EXPECT_EQ(list[5], QStringLiteral("                           PC:  2026-12-08  10:20:30"));
  EXPECT_EQ(list[9], QStringLiteral("40   24-03-12   08:05:39    Nie ma żadnej informacji"));
  EXPECT_EQ(list[41], QStringLiteral("08   24-03-15   08:05:59    02:  tekst 2"));
  EXPECT_EQ(list[42], QStringLiteral("08   24-03-15   08:05:59    17:  tekst 17"));
  EXPECT_EQ(list[49], QStringLiteral("01   24-03-15   08:05:59    01:  tekst 1"));
  EXPECT_EQ(list[50], QStringLiteral("01   24-03-15   08:05:59    64:  tekst 64"));
  EXPECT_EQ(list[51], QString(85, QLatin1Char('-')));
  EXPECT_EQ(form.ListBox1.ItemIndex, -1);
}

TEST_F(ReadoutWithSim, AllZeroRecordsShowEvent1WithoutInformation) {
  StartSim(EventRecord::Table{});
  for (int n : {1, 80, 160}) form.CheckBox(n).Checked = true;
  form.ListBox1.Visible = false;
  form.Odczyt1Click();  // on another page: the list comes to the front without the focus

  EXPECT_EQ(form.Edit3.Text, QStringLiteral("Zdarzenie 1"));
  EXPECT_EQ(form.Edit1.Text, QStringLiteral("00-00-00"));
  EXPECT_EQ(form.Edit2.Text, QStringLiteral("00:00:00"));
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("Nie ma żadnej informacji"));
  for (int n = 1; n <= 160; ++n) EXPECT_FALSE(form.CheckBox(n).Checked) << n;
  EXPECT_TRUE(form.ListBox1.Visible);
  EXPECT_TRUE(ui.Log.isEmpty());
  ASSERT_EQ(form.ListBox1.Items.size(), 50);
  EXPECT_EQ(form.ListBox1.Items[9], QStringLiteral("40   00-00-00   00:00:00    Nie ma żadnej informacji"));
  EXPECT_EQ(form.ListBox1.Items[48], QStringLiteral("01   00-00-00   00:00:00    Nie ma żadnej informacji"));
}

TEST_F(ReadoutWithSim, AFourthRequestRefusedStopsTheReadout) {
  // An exception reply to the block 1696..1820 only.
  StartSim(EventRecord::Table{}, {"--exception", "1696-1696"});
  form.PageControl1.ActivePageIndex = 3;
  form.Edit4.Text = QStringLiteral("as before");
  form.Odczyt1Click();

  const std::vector<std::string> all = eventtest::ReadoutRequests();
  // A well-formed exception reply is not tried again; nothing follows it.
  EXPECT_EQ(sim->Requests(), std::vector<std::string>(all.begin(), all.begin() + 4));
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("beep"),
                                 QStringLiteral("message:Brak komunikacji z urządzeniem\nUrządzenie "
                                                "odpowiedziało wyjątkiem 2: niedozwolony adres danych.")}));
  EXPECT_EQ(Panel1(), QStringLiteral(" Błąd odczytu"));
  EXPECT_FALSE(form.EventsLoaded);
  EXPECT_FALSE(form.Drukuj1.Enabled);
  EXPECT_FALSE(form.Zapiszjako2.Enabled);
  EXPECT_TRUE(form.ListBox1.Items.isEmpty());
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("as before"));
  EXPECT_TRUE(form.Edit3.Text.isEmpty());
}

TEST_F(ReadoutWithSim, AClockReadRefusedLeavesTheStampsEmptyWithoutAMessage) {
  EventRecord::Table table{};
  table[0] = MakeRecord(0x0324, 0x0815, 0x5905, {7});
  StartSim(table, {"--exception", "1300-1302"});
  form.Edit5.Text = QStringLiteral("old date");
  form.Edit6.Text = QStringLiteral("old time");
  form.PageControl1.ActivePageIndex = 3;
  form.Odczyt1Click();

  EXPECT_EQ(sim->Requests(), eventtest::ReadoutRequests());
  EXPECT_EQ(Panel1(), QStringLiteral(" Odczytano zdarzenia"));
  EXPECT_TRUE(form.Edit5.Text.isEmpty());
  EXPECT_TRUE(form.Edit6.Text.isEmpty());
  EXPECT_EQ(form.Edit7.Text, QStringLiteral("2026-12-08"));
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("focus:ListBox1")});
  EXPECT_TRUE(form.EventsLoaded);
  EXPECT_EQ(form.Edit4.Text, QStringLiteral("07:  tekst 7"));
  EXPECT_EQ(form.ListBox1.Items[4], QStringLiteral("                           WLT:   "));
  EXPECT_TRUE(form.Drukuj1.Enabled);
}

}  // namespace
