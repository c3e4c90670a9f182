// The names of settings and description files: stems, the two prefixes, the
// factory number a name gives, and the extensions added.

#include "FilesTestSupport.h"
#include "files/SettingsFileNames.h"

#include <gtest/gtest.h>

namespace {

using namespace SettingsFileNames;

TEST(SettingsFileNameCheck, AcceptedAndRefusedNamesWithTheirFactoryNumbers) {
  const struct {
    QString path;
    QString stem;
    std::optional<int> number;
    bool accepted;
  } cases[] = {
      {QStringLiteral("/dane/WLT_nastawy_007"), QStringLiteral("WLT_nastawy_007"), 7, true},
      {QStringLiteral("/dane/WLT_nast_rejzd_007.txt"), QStringLiteral("WLT_nast_rejzd_007"), 7, true},
      {QStringLiteral("WLT_nastawy_123.txt.bak"), QStringLiteral("WLT_nastawy_123"), 123, true},
      {QStringLiteral("/a.b/WLT_nastawy_000.tar"), QStringLiteral("WLT_nastawy_000"), 0, true},
      // Three or more digits after a prefix: all of them are the number.
      {QStringLiteral("/dane/WLT_nast_rejzd_1000"), QStringLiteral("WLT_nast_rejzd_1000"), 1000, true},
      {QStringLiteral("WLT_nastawy_65535.txt"), QStringLiteral("WLT_nastawy_65535"), 65535, true},
      {QStringLiteral("WLT_nastawy_00012.txt"), QStringLiteral("WLT_nastawy_00012"), 12, true},
      // Three characters after the prefix keep their old outcome.
      {QStringLiteral("WLT_nastawy_ 12.txt"), QStringLiteral("WLT_nastawy_ 12"), 12, true},
      {QStringLiteral("WLT_nastawy_+12.txt"), QStringLiteral("WLT_nastawy_+12"), 12, true},
      {QStringLiteral("WLT_nastawy_7.txt"), QStringLiteral("WLT_nastawy_7"), std::nullopt, false},
      {QStringLiteral("WLT_nastawy_12a"), QStringLiteral("WLT_nastawy_12a"), std::nullopt, false},
      {QStringLiteral("wlt_nastawy_007.txt"), QStringLiteral("wlt_nastawy_007"), 7, false},
      {QStringLiteral("/dane/Kopia_123.txt"), QStringLiteral("Kopia_123"), 123, false},
      {QStringLiteral("WLT_nastawy_x1000"), QStringLiteral("WLT_nastawy_x1000"), 0, false},
      {QStringLiteral("WLT_nastawy_99999999999"), QStringLiteral("WLT_nastawy_99999999999"), 999, false},
      {QStringLiteral("12"), QStringLiteral("12"), 12, false},
      {QStringLiteral("WLT_nastawy_"), QStringLiteral("WLT_nastawy_"), std::nullopt, false},
      {QStringLiteral(".txt"), QString(), std::nullopt, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Stem(c.path), c.stem) << c.path.toStdString();
    const NameCheck check = CheckStem(Stem(c.path));
    EXPECT_EQ(check.factoryNumber, c.number) << c.path.toStdString();
    EXPECT_EQ(check.accepted, c.accepted) << c.path.toStdString();
  }
}

TEST(SettingsFileNameCheck, ExtensionsAddedOnSavingAndLoading) {
  const struct {
    QString chosen, saved, loaded;
  } cases[] = {
      {QStringLiteral("/d/WLT_nastawy_007"), QStringLiteral("/d/WLT_nastawy_007.txt"), QStringLiteral("/d/WLT_nastawy_007.txt")},
      {QStringLiteral("/d/WLT_nastawy_007.txt"), QStringLiteral("/d/WLT_nastawy_007.txt"), QStringLiteral("/d/WLT_nastawy_007.txt")},
      // ".txt" is looked for case-sensitively; any "." keeps the loader's name.
      {QStringLiteral("/d/WLT_nastawy_007.TXT"), QStringLiteral("/d/WLT_nastawy_007.TXT.txt"), QStringLiteral("/d/WLT_nastawy_007.TXT")},
      {QStringLiteral("/d/WLT_nastawy_007.txt.old"), QStringLiteral("/d/WLT_nastawy_007.txt.old"), QStringLiteral("/d/WLT_nastawy_007.txt.old")},
      // A "." or ".txt" in a folder name does not count.
      {QStringLiteral("/home/jan.kowalski/WLT_nastawy_007"), QStringLiteral("/home/jan.kowalski/WLT_nastawy_007.txt"),
       QStringLiteral("/home/jan.kowalski/WLT_nastawy_007.txt")},
      {QStringLiteral("/d.txt/WLT_nastawy_007"), QStringLiteral("/d.txt/WLT_nastawy_007.txt"), QStringLiteral("/d.txt/WLT_nastawy_007.txt")},
      {QStringLiteral("WLT_nast_rejzd_000"), QStringLiteral("WLT_nast_rejzd_000.txt"), QStringLiteral("WLT_nast_rejzd_000.txt")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SaveTarget(c.chosen), c.saved);
    EXPECT_EQ(LoadTarget(c.chosen), c.loaded);
  }
}

TEST(SettingsFileNameCheck, BackupNamesStandInTheChosenFolder) {
  EXPECT_EQ(SiblingWithExtension(QStringLiteral("/d/WLT_nastawy_007.abc"), kBackupExtension), QStringLiteral("/d/WLT_nastawy_007.bak"));
  EXPECT_EQ(SiblingWithExtension(QStringLiteral("/d/WLT_nastawy_007"), kTextExtension), QStringLiteral("/d/WLT_nastawy_007.txt"));
  EXPECT_EQ(SiblingWithExtension(QStringLiteral("WLT_nastawy_007.txt"), kBackupExtension), QStringLiteral("WLT_nastawy_007.bak"));
}

}  // namespace
