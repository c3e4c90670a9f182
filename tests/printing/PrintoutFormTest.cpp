// The two printouts headless on TForm1 with a scripted Ui: what RichEdit1
// holds, the print jobs and previews the Ui receives, and the grid check.

#include "FakeSerialLine.h"
#include "FakeUi.h"
#include "PrintoutTestSupport.h"
#include "app/TForm1.h"
#include "tests/events/EventTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using printouttest::DescribedSettingsPrintout;

class Printouts : public ::testing::Test {
 protected:
  void SetUp() override { printouttest::PrepareSettings(form); }

  // A complete readout of the event register from the scripted controller.
  void ReadEvents() {
    EventRecord::Table table{};
    for (int k = 0; k < EventRecord::kRecords; ++k) table[std::size_t(k)] = eventtest::DatedRecord(k);
    table[6] = eventtest::MakeRecord(0x0324, 0x0815, 0x5905, {2, 17});
    for (const auto& [reg, value] : eventtest::RecorderRegisters(table)) controller.registers[reg] = value;
    for (int c = 0; c < EventRecord::kCauses; ++c)
      form.CauseTexts[std::size_t(c)] = QStringLiteral("Przyczyna źródła %1").arg(c + 1);
    line->Responder = [this](const Bytes& request) { return controller.Answer(request); };
    form.Mdb1.OpenPort();
    ASSERT_TRUE(form.Mdb1.PortOpen());
    form.Odczyt1Click();
    ASSERT_TRUE(form.EventsLoaded);
    ui.ClearRecords();
  }

  static void ExpectPrintoutJob(const PrintRequest& job, const QStringList& lines) {
    EXPECT_EQ(job.Lines, lines);
    EXPECT_EQ(job.DocumentTitle, QStringLiteral("WLT"));
    EXPECT_EQ(job.FontFamily, QStringLiteral("Courier New"));
    EXPECT_EQ(job.PointSize, 10);
  }

  eventtest::ScriptedRecorder controller;
  FakeUi ui;
  std::shared_ptr<FakeLineState> line = std::make_shared<FakeLineState>();
  TForm1 form{ui, std::make_unique<FakeSerialLine>(line)};
};

TEST_F(Printouts, SettingsPrintoutIsTheTableThenTheShownBoxes) {
  printouttest::DescribeBoxes(form);
  ui.PrintDialogAnswers = {1};
  form.Drukuj2Click();
  EXPECT_EQ(form.RichEdit1.Lines, DescribedSettingsPrintout());
  ASSERT_EQ(ui.PrintJobs.size(), 1u);
  ExpectPrintoutJob(ui.PrintJobs[0], DescribedSettingsPrintout());
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("print-dialog"), QStringLiteral("print:WLT")}));
  EXPECT_EQ(ui.Beeps, 0);
  EXPECT_TRUE(form.StatusBar1.Panels[1].Text.isEmpty());
  // The check converted the grid on the way.
  EXPECT_EQ(form.SettingsImage[100], 15);
  EXPECT_EQ(form.SettingsImage[105], 5);
}

TEST_F(Printouts, EveryShownBoxHasItsLineUnderItsOwnNumber) {
  // The catalogue as start-up leaves it without a description file: all 110 shown.
  form.CheckBox(805).Checked = true;
  ui.PrintDialogAnswers = {1};
  form.Drukuj2Click();
  const QStringList& lines = form.RichEdit1.Lines;
  ASSERT_EQ(lines.size(), 27 + 1 + 110 + 1);
  EXPECT_EQ(lines[27], QStringLiteral("   Zezwolenia:"));
  EXPECT_EQ(lines[28], QStringLiteral("   801            nast_SZR1  0"));
  EXPECT_EQ(lines[32], QStringLiteral("   805            nast_SZR5  1"));
  EXPECT_EQ(lines[137], QStringLiteral("   910           nast_rez23  0"));
  for (int box = 801; box <= 910; ++box)
    EXPECT_TRUE(lines[27 + box - 800].startsWith(QStringLiteral("   %1 ").arg(box))) << box;
}

TEST_F(Printouts, GridIsPrintedAsShownNotAsConverted) {
  form.StringGrid1.Cells(1, 3) = QStringLiteral(" $64");
  form.StringGrid1.Cells(1, 4) = QStringLiteral("25");
  ui.PrintDialogAnswers = {1};
  form.Drukuj2Click();
  ASSERT_EQ(ui.PrintJobs.size(), 1u);
  EXPECT_EQ(form.RichEdit1.Lines[8], QStringLiteral("    3          nst_trSZRA       $64       ms"));
  EXPECT_EQ(form.RichEdit1.Lines[9], QStringLiteral("    4          nst_tgSZRA        25       ms"));
  EXPECT_EQ(form.SettingsImage[102], 10);
  EXPECT_EQ(form.SettingsImage[103], 2);
}

TEST_F(Printouts, AValueThatIsNoIntegerStopsTheSettingsPrintout) {
  form.SettingsImage.fill(0xAAAA);
  form.RichEdit1.Lines = {QStringLiteral("earlier printout")};
  form.StringGrid1.Cells(1, 3) = QStringLiteral("12a");
  ui.PrintDialogAnswers = {2};
  form.Drukuj2Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("print-dialog"), QStringLiteral("beep")}));
  EXPECT_TRUE(ui.PrintJobs.empty());
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Niepoprawna wartość"));
  EXPECT_EQ(form.RichEdit1.Lines, QStringList{QStringLiteral("earlier printout")});
  // Rows 1 and 2 are converted already; row 3 and later keep their words.
  EXPECT_EQ(form.SettingsImage[100], 15);
  EXPECT_EQ(form.SettingsImage[101], 200);
  for (std::size_t word = 102; word < 120; ++word) EXPECT_EQ(form.SettingsImage[word], 0xAAAA) << word;
}

TEST_F(Printouts, CancellingThePrintDialogDoesNothingAtAll) {
  form.SettingsImage.fill(0xAAAA);
  form.RichEdit1.Lines = {QStringLiteral("earlier printout")};
  form.StringGrid1.Cells(1, 3) = QStringLiteral("12a");  // not even checked
  form.StatusBar1.Panels[1].Text = QStringLiteral(" Odczytano nastawy");
  form.Drukuj2Click();  // no answer: Cancel
  ReadEvents();
  form.Drukuj1Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("print-dialog")}));
  EXPECT_TRUE(ui.PrintJobs.empty());
  EXPECT_EQ(form.RichEdit1.Lines, QStringList{QStringLiteral("earlier printout")});
  EXPECT_EQ(form.SettingsImage[100], 0xAAAA);
}

TEST_F(Printouts, EachCopyIsAJobOfItsOwnTitledWLT) {
  printouttest::DescribeBoxes(form);
  ui.PrintDialogAnswers = {3};
  form.Drukuj2Click();
  ASSERT_EQ(ui.PrintJobs.size(), 3u);
  for (const PrintRequest& job : ui.PrintJobs) ExpectPrintoutJob(job, DescribedSettingsPrintout());
  EXPECT_EQ(form.PrintDialog1.Copies, 3);
}

TEST_F(Printouts, AJobThePrinterRefusesEndsTheCopiesWithoutAMessageOfItsOwn) {
  ui.PrintFailsFromJob = 2;
  ui.PrintDialogAnswers = {4};
  form.Drukuj2Click();
  EXPECT_EQ(ui.PrintJobs.size(), 2u);
  EXPECT_TRUE(ui.Messages.isEmpty());
  EXPECT_TRUE(ui.Errors.isEmpty());
  EXPECT_EQ(ui.Beeps, 0);
}

TEST_F(Printouts, EventPrintoutRightAfterAReadIsTheListBehindTwoEmptyLines) {
  ReadEvents();
  ui.PrintDialogAnswers = {2};
  form.Drukuj1Click();
  const QStringList& list = form.ListBox1.Items;
  ASSERT_EQ(list.size(), 9 + 39 + 2 + 1);
  const QStringList& lines = form.RichEdit1.Lines;
  ASSERT_EQ(lines.size(), list.size() + 2);
  EXPECT_EQ(lines[0], QString());
  EXPECT_EQ(lines[1], QString());
  EXPECT_EQ(lines[2], QStringLiteral("                              WLT - nastawy : Rejestracja zdarzeń"));
  EXPECT_EQ(lines[8], QStringLiteral("   "));  // the list's empty header line
  EXPECT_EQ(lines[10], QStringLiteral("   ") + QString(85, QLatin1Char('-')));
  for (int i = 0; i < list.size(); ++i) EXPECT_EQ(lines[i + 2], QStringLiteral("   ") + list[i]) << i;
  EXPECT_TRUE(lines.contains(QStringLiteral("   07   24-03-15   08:05:59    17:  Przyczyna źródła 17")));
  ASSERT_EQ(ui.PrintJobs.size(), 2u);
  for (const PrintRequest& job : ui.PrintJobs) ExpectPrintoutJob(job, lines);
}

TEST_F(Printouts, EventPrintoutAndPreviewWaitForLoadedEvents) {
  EXPECT_FALSE(form.Drukuj1.Enabled);
  EXPECT_FALSE(form.Podglad1.Enabled);
  ui.PrintDialogAnswers = {1};
  ui.PreviewAnswers = {true};
  form.Drukuj1Click();
  form.Podglad1Click();
  EXPECT_TRUE(ui.Log.isEmpty());
  EXPECT_TRUE(form.RichEdit1.Lines.isEmpty());

  ReadEvents();
  EXPECT_TRUE(form.Drukuj1.Enabled);
  EXPECT_TRUE(form.Podglad1.Enabled);
}

TEST_F(Printouts, PreviewShowsWhatPrintingPrintsAndCanPrintFromThere) {
  printouttest::DescribeBoxes(form);
  ui.PreviewAnswers = {false};
  form.Podglad2Click();
  ASSERT_EQ(ui.Previews.size(), 1u);
  ExpectPrintoutJob(ui.Previews[0], DescribedSettingsPrintout());
  EXPECT_TRUE(ui.PrintJobs.empty());

  // "Drukuj..." in the preview: the print dialog, then the jobs as from the menu.
  ui.ClearRecords();
  ui.PreviewAnswers = {true};
  ui.PrintDialogAnswers = {2};
  form.Podglad2Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("preview:WLT"), QStringLiteral("print-dialog"),
                                 QStringLiteral("print:WLT"), QStringLiteral("print:WLT")}));
  ASSERT_EQ(ui.PrintJobs.size(), 2u);
  ExpectPrintoutJob(ui.PrintJobs[1], DescribedSettingsPrintout());

  ReadEvents();
  ui.PreviewAnswers = {true};
  ui.PrintDialogAnswers = {0};  // Cancel in the print dialog after the preview
  form.Podglad1Click();
  EXPECT_EQ(ui.Log, (QStringList{QStringLiteral("preview:WLT"), QStringLiteral("print-dialog")}));
  ASSERT_EQ(ui.Previews.size(), 1u);
  EXPECT_EQ(ui.Previews[0].Lines.mid(2), [this] {
    QStringList shifted;
    for (const QString& item : form.ListBox1.Items) shifted << QStringLiteral("   ") + item;
    return shifted;
  }());
}

TEST_F(Printouts, PreviewOfSettingsIsStoppedByTheGridCheckLikePrinting) {
  form.StringGrid1.Cells(1, 5) = QStringLiteral("1,5");
  ui.PreviewAnswers = {true};
  form.Podglad2Click();
  EXPECT_EQ(ui.Log, QStringList{QStringLiteral("beep")});
  EXPECT_EQ(form.StatusBar1.Panels[1].Text, QStringLiteral("Niepoprawna wartość"));
  EXPECT_TRUE(ui.Previews.empty());
}

}  // namespace
