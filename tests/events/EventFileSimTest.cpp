// An event readout from wlt-sim saved and reviewed later: the headless
// window reads the recorder over a pseudo-terminal and saves it; a second
// window that never had a controller opens the file and shows the same
// list, stamps and identity, without a frame on the wire.

#include "EventFileTestSupport.h"
#include "WindowOnSim.h"

#include <gtest/gtest.h>

namespace {

class EventFileWithSim : public WindowOnSim {
 protected:
  QTemporaryDir dir;
};

TEST_F(EventFileWithSim, ASavedReadoutOpensWithoutTheController) {
  ASSERT_TRUE(dir.isValid());
  // Events 1 to 30 as the varied table has them, the others erased (all
  // bits set), as a controller's recorder that is not yet full.
  EventRecord::Table served = eventfiletest::VariedTable();
  for (int k = 30; k < EventRecord::kRecords; ++k) served[std::size_t(k)].fill(0xFFFF);
  const std::string events = dir.filePath(QStringLiteral("events.txt")).toStdString();
  ASSERT_TRUE(eventtest::WriteEventsFile(events, served));
  StartSim({"--events-file", events, "--clock", "2024-03-15T08:05:59", "--freeze-clock", "--factory-number", "12",
            "--production-year", "2021"});
  form.ReadEventTextsFromLines(eventfiletest::DescriptionTexts());
  Connect();
  form.PageControl1.ActivePageIndex = 3;
  form.Odczyt1Click();
  ASSERT_EQ(Panel1(), QStringLiteral(" Odczytano zdarzenia"));
  ASSERT_EQ(form.EventTable, served);

  ui.SaveAnswers.push_back(dir.filePath(QStringLiteral("odczyt")));
  form.Zapiszjako2Click();
  ASSERT_EQ(Panel1(), QString());
  ASSERT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("odczyt.dat"))));
  sim->ClearLog();

  FakeUi laterUi;
  TForm1 later{laterUi};
  later.InitSettingsCatalogue();
  laterUi.OpenAnswers.push_back(dir.filePath(QStringLiteral("odczyt.dat")));
  later.OdczytPC1Click();

  EXPECT_EQ(later.StatusBar1.Panels[1].Text, QString());
  EXPECT_EQ(later.ListBox1.Items, form.ListBox1.Items);
  EXPECT_EQ(later.EventTable, form.EventTable);
  for (const auto& [shown, read] : {std::pair{&later.Edit5, &form.Edit5}, std::pair{&later.Edit6, &form.Edit6},
                                    std::pair{&later.Edit7, &form.Edit7}, std::pair{&later.Edit8, &form.Edit8},
                                    std::pair{&later.EditNrFabr, &form.EditNrFabr},
                                    std::pair{&later.EditRokProd, &form.EditRokProd}})
    EXPECT_EQ(shown->Text, read->Text) << read->Name.toStdString();
  EXPECT_EQ(later.EditNrFabr.Text, QStringLiteral("12"));
  EXPECT_EQ(later.Edit5.Text, QStringLiteral("24-03-15"));
  EXPECT_EQ(later.ListBox1.Items[2], QStringLiteral("WLT nr fabr 12 / 2021"));
  EXPECT_EQ(later.Edit3.Text, form.Edit3.Text);
  EXPECT_EQ(later.Edit4.Text, form.Edit4.Text);
  EXPECT_TRUE(sim->Requests().empty());
}

}  // namespace
