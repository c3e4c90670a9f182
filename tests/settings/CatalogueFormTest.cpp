// InitSettingsCatalogue on a headless window: what it writes into the
// controls, and what it must leave alone.

#include "FakeUi.h"
#include "app/TForm1.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class CatalogueOnForm : public ::testing::Test {
 protected:
  FakeUi ui;
  TForm1 form{ui};
};

TEST_F(CatalogueOnForm, GridHeaderNamesAndUnits) {
  form.InitSettingsCatalogue();
  const TStringGrid& grid = form.StringGrid1;
  EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("Nastawa"));
  EXPECT_EQ(grid.Cells(1, 0), QStringLiteral("Wartość"));
  EXPECT_EQ(grid.Cells(2, 0), QStringLiteral("Jednostka"));
  const char* names[20] = {"nst_trSZR", "nst_tgSZR", "nst_trSZRA", "nst_tgSZRA", "nst_trSPP",
                           "nst_twSPP", "nst_trAZZ", "nst_tgAZZ",  "nst_tgPPZ",  "nst_ti",
                           "nst_toz",   "nst_toza",  "nst_top",    "nst_towa",   "nst_tU",
                           "nst_tip",   "nst_tos",   "nst_rez_1",  "nst_rez_2",  "nst_rez_3"};
  for (int row = 1; row <= 20; ++row) {
    EXPECT_EQ(grid.Cells(0, row), QString::fromLatin1(names[row - 1])) << row;
    const QString unit = row == 6 ? QStringLiteral("min") : row >= 18 ? QString() : QStringLiteral("ms");
    EXPECT_EQ(grid.Cells(2, row), unit) << row;
  }
}

TEST_F(CatalogueOnForm, ValueColumnCheckedStatesAndVisibilityAreLeftAlone) {
  form.StringGrid1.Cells(1, 3) = QStringLiteral("77");
  form.StringGrid1.Cells(2, 19) = QStringLiteral("stale");
  form.CheckBox(805).Checked = true;
  form.CheckBox(910).Visible = false;
  form.CheckBox(850).Enabled = false;
  form.InitSettingsCatalogue();
  EXPECT_EQ(form.StringGrid1.Cells(1, 3), QStringLiteral("77"));
  for (int row = 1; row <= 20; ++row) {
    if (row == 3) continue;
    EXPECT_TRUE(form.StringGrid1.Cells(1, row).isEmpty()) << row;
  }
  EXPECT_TRUE(form.StringGrid1.Cells(2, 19).isEmpty());  // units are rewritten, empty for 18..20
  EXPECT_TRUE(form.CheckBox(805).Checked);
  EXPECT_FALSE(form.CheckBox(910).Visible);
  EXPECT_FALSE(form.CheckBox(850).Enabled);
  EXPECT_EQ(form.CheckBox(910).Caption, QStringLiteral("nast_rez23"));
}

TEST_F(CatalogueOnForm, GridOptionsExactly) {
  TStringGrid& grid = form.StringGrid1;
  grid.goFixedVertLine = grid.goFixedHorzLine = grid.goVertLine = grid.goHorzLine = false;
  grid.goEditing = false;
  grid.goRangeSelect = true;
  form.InitSettingsCatalogue();
  EXPECT_TRUE(grid.goFixedVertLine);
  EXPECT_TRUE(grid.goFixedHorzLine);
  EXPECT_TRUE(grid.goVertLine);
  EXPECT_TRUE(grid.goHorzLine);
  EXPECT_TRUE(grid.goEditing);
  EXPECT_FALSE(grid.goRangeSelect);
  // Values and units edit in place; names and the header do not.
  EXPECT_TRUE(grid.CellEditable(1, 1));
  EXPECT_TRUE(grid.CellEditable(2, 20));
  EXPECT_FALSE(grid.CellEditable(0, 5));
  EXPECT_FALSE(grid.CellEditable(1, 0));
}

TEST_F(CatalogueOnForm, DefaultCaptionsAtTheCornersAndAllDistinct) {
  form.InitSettingsCatalogue();
  const std::pair<int, const char*> corners[] = {
      {801, "nast_SZR1"},    {820, "nast_SZR20"},     {821, "nast_PPZ1w"},
      {830, "nast_PPZ10w"},  {831, "nast_PPZ1sb"},    {840, "nast_PPZ10sb"},
      {841, "nast_SPP1w"},   {860, "nast_SPP20w"},    {861, "nast_SPP1sb"},
      {880, "nast_SPP20sb"}, {881, "nast_rez1"},      {890, "nast_rez10"},
      {891, "nast_SZR"},     {895, "nast_AZZ"},       {896, "nast_rez11"},
      {900, "nast_rez15"},   {901, "nast_bl_po_SZR"}, {902, "nast_bl_po_odc"},
      {903, "nast_rez16"},   {910, "nast_rez23"}};
  for (auto [box, caption] : corners)
    EXPECT_EQ(form.CheckBox(box).Caption, QString::fromLatin1(caption)) << box;
  std::set<QString> captions;
  for (int box = 801; box <= 910; ++box) {
    EXPECT_TRUE(form.CheckBox(box).Visible) << box;
    EXPECT_FALSE(form.CheckBox(box).Checked) << box;
    captions.insert(form.CheckBox(box).Caption);
  }
  EXPECT_EQ(captions.size(), 110u);
  EXPECT_FALSE(captions.count(QString()));
}

TEST_F(CatalogueOnForm, DayNamesTestDaysAndEventRecorderReset) {
  form.ComboBox5.SetItemIndex(3);
  form.ComboBox6.SetItemIndex(7);
  form.ComboBox7.Text = QStringLiteral("typed");
  form.CauseTexts[0] = QStringLiteral("old cause");
  form.CauseTexts[63] = QStringLiteral("last cause");
  form.EventsLoaded = true;
  form.InitSettingsCatalogue();

  const char* days[7] = {"Niedziela", "Poniedziałek", "Wtorek", "Środa",
                         "Czwartek",  "Piątek",       "Sobota"};
  for (int day = 1; day <= 7; ++day)
    EXPECT_EQ(form.DayNames[std::size_t(day)], QString::fromUtf8(days[day - 1])) << day;
  for (TComboBox* box : {&form.ComboBox5, &form.ComboBox6, &form.ComboBox7}) {
    EXPECT_EQ(box->ItemIndex, 0);
    EXPECT_EQ(box->Text, QStringLiteral("Żaden"));
  }
  for (const QString& cause : form.CauseTexts) EXPECT_TRUE(cause.isEmpty());
  EXPECT_FALSE(form.EventsLoaded);
  EXPECT_EQ(ui.Beeps, 0);
  EXPECT_TRUE(ui.Messages.isEmpty());
}

}  // namespace
