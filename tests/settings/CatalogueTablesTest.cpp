#include "settings/SettingsCatalogueTables.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace SettingsCatalogue;

TEST(CatalogueTables, CaptionsOfEachGroup) {
  const std::pair<int, const char*> table[] = {
      {801, "nast_SZR1"},       {816, "nast_SZR16"},      {820, "nast_SZR20"},
      {821, "nast_PPZ1w"},      {830, "nast_PPZ10w"},     {831, "nast_PPZ1sb"},
      {840, "nast_PPZ10sb"},    {841, "nast_SPP1w"},      {860, "nast_SPP20w"},
      {861, "nast_SPP1sb"},     {880, "nast_SPP20sb"},    {881, "nast_rez1"},
      {890, "nast_rez10"},      {891, "nast_SZR"},        {892, "nast_SZRA"},
      {893, "nast_PPZ"},        {894, "nast_SPP"},        {895, "nast_AZZ"},
      {896, "nast_rez11"},      {900, "nast_rez15"},      {901, "nast_bl_po_SZR"},
      {902, "nast_bl_po_odc"},  {903, "nast_rez16"},      {910, "nast_rez23"},
  };
  for (auto [box, caption] : table) EXPECT_EQ(DefaultCaption(box), QString::fromLatin1(caption)) << box;
}

TEST(CatalogueTables, CaptionsAreDistinctAndNumbersOutsideHaveNone) {
  std::set<QString> seen;
  for (int box = 801; box <= 910; ++box) {
    const QString caption = DefaultCaption(box);
    EXPECT_FALSE(caption.isEmpty()) << box;
    EXPECT_TRUE(seen.insert(caption).second) << box << " " << caption.toStdString();
  }
  for (int box = 801; box <= 820; ++box)
    EXPECT_TRUE(DefaultCaption(box).endsWith(QString::number(box - 800))) << box;
  EXPECT_TRUE(DefaultCaption(800).isEmpty());
  EXPECT_TRUE(DefaultCaption(911).isEmpty());
}

TEST(CatalogueTables, TimingNamesAndUnits) {
  EXPECT_EQ(TimingName(1), "nst_trSZR");
  EXPECT_EQ(TimingName(6), "nst_twSPP");
  EXPECT_EQ(TimingName(8), "nst_tgAZZ");
  EXPECT_EQ(TimingName(17), "nst_tos");
  EXPECT_EQ(TimingName(20), "nst_rez_3");
  for (int row = 1; row <= 17; ++row)
    EXPECT_EQ(TimingUnit(row), row == 6 ? "min" : "ms") << row;
  for (int row = 18; row <= 20; ++row) EXPECT_TRUE(TimingUnit(row).isEmpty()) << row;
  EXPECT_TRUE(TimingName(0).isEmpty());
  EXPECT_TRUE(TimingName(21).isEmpty());
  EXPECT_TRUE(TimingUnit(-1).isEmpty());
}

}  // namespace
