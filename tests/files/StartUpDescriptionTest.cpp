// The description file chosen at start-up (FormCreate on a fake controller):
// the controller's own file, the general file, neither; and the general file
// shipped with the programs, read and written back unchanged.

#include "FifoFeeder.h"
#include "FileFormTest.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

const QString kGeneral = QStringLiteral(WLT_GENERAL_DESCRIPTION);

class StartUpDescription : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid());
    w.SetController(7, 2021);
  }
  bool Place(const QString& source, const QString& name) {
    return QFile::copy(source, QDir(folder.Path()).filePath(name));
  }
  TempCurrentFolder folder;
  FakeWindow w;
};

TEST_F(StartUpDescription, TheControllersOwnFileComesFirst) {
  ASSERT_TRUE(Place(TestDataFile(QStringLiteral("WLT_nastawy_007.txt")), QStringLiteral("WLT_nast_rejzd_007.txt")));
  ASSERT_TRUE(Place(kGeneral, QStringLiteral("WLT_nast_rejzd_000.txt")));
  w.form.FormCreate();
  EXPECT_TRUE(w.ui.Log.isEmpty()) << w.ui.Log.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(w.form.FactoryNumber, 7);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.StringGrid1.Cells(1, 2), QStringLiteral("2000"));  // defaults until a read
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("Tekst 801"));
  EXPECT_FALSE(w.form.CheckBox(802).Visible);
  EXPECT_EQ(w.form.zdLabel(3).Caption, QStringLiteral("Opis 3"));
  EXPECT_EQ(w.form.CauseTexts[0], QStringLiteral("Kod A"));
}

TEST_F(StartUpDescription, TheGeneralFileWhenTheControllerHasNone) {
  ASSERT_TRUE(Place(kGeneral, QStringLiteral("WLT_nast_rejzd_000.txt")));
  w.form.FormCreate();
  EXPECT_TRUE(w.ui.Log.isEmpty()) << w.ui.Log.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 000"));
  EXPECT_EQ(w.form.EditNrFabr.Text, QStringLiteral("7"));
  // Its captions, with the reserve bits and unused indicators hidden.
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("SZR aktywny"));
  EXPECT_EQ(w.form.CheckBox(803).Caption, QStringLiteral("Powrót autom."));
  EXPECT_FALSE(w.form.CheckBox(881).Visible);
  EXPECT_TRUE(w.form.CheckBox(901).Visible);
  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("U1 obecne"));
  EXPECT_EQ(w.form.zdLabel(160).Caption, QStringLiteral("Zegar ustaw."));
  EXPECT_EQ(w.form.CauseTexts[0], QStringLiteral("Zanik napięcia zasilania 1"));
  EXPECT_EQ(w.form.CauseTexts[63], QStringLiteral("Błąd sumy kontrolnej nastaw"));
  // No values: nothing that could be written to a controller before its
  // own settings have been read.
  for (int row = 1; row <= 20; ++row) EXPECT_EQ(w.form.StringGrid1.Cells(1, row), QString()) << row;
  EXPECT_EQ(w.form.StringGrid1.Cells(0, 1), QStringLiteral("nst_trSZR"));
}

TEST_F(StartUpDescription, NeitherFileLeavesTheCatalogueAndReportsIt) {
  w.form.FormCreate();
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"),
                                   QStringLiteral("message:Błąd odczytu\nNie ma pliku WLT_nast_rejzd_000.txt w "
                                                  "folderze ") +
                                       QDir::toNativeSeparators(QDir::currentPath()) + QStringLiteral(".")}));
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 000*"));
  EXPECT_EQ(w.form.StringGrid1.Cells(0, 1), QStringLiteral("nst_trSZR"));
  EXPECT_EQ(w.form.CheckBox(801).Caption, QStringLiteral("nast_SZR1"));
  EXPECT_TRUE(w.form.CheckBox(801).Visible);
  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("Label"));
  EXPECT_TRUE(w.form.zdLabel(1).Visible && w.form.CheckBox(1).Visible);
}

// The controller's file copied from a Windows PC may have its name in other
// letters: found whatever their case. Of several, the exact name, else the
// first in the order of the character codes, and status panel 1 says which.
TEST_F(StartUpDescription, TheDescriptionFilesNameInAnyLetterCase) {
  // Each file of the controller's name carries its own caption of box 801.
  const QByteArray example = ReadBytes(TestDataFile(QStringLiteral("WLT_nastawy_007.txt")));
  ASSERT_TRUE(example.contains("Tekst 801"));
  const auto variant = [&](const char* name, const char* caption) {
    QByteArray bytes = example;
    return WriteBytes(QDir(folder.Path()).filePath(QString::fromLatin1(name)), bytes.replace("Tekst 801", caption));
  };
  const struct {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // name, caption of box 801
    int factoryNumber;
    const char* caption;  // of box 801 after the start-up
    const char* panel1;
  } cases[] = {
      {"one in capitals", {{"WLT_nast_rejzd_007.TXT", "Wersja A1"}}, 7, "Wersja A1", ""},
      {"the exact name among several",
       {{"WLT_nast_rejzd_007.TXT", "Wersja A1"}, {"WLT_nast_rejzd_007.txt", "Wersja B1"}},
       7,
       "Wersja B1",
       "Wczytano plik WLT_nast_rejzd_007.txt spośród kilku o tej nazwie"},
      {"several, none exact",
       {{"wlt_nast_rejzd_007.txt", "Wersja C1"}, {"WLT_NAST_REJZD_007.txt", "Wersja D1"}},
       7,
       "Wersja D1",
       "Wczytano plik WLT_NAST_REJZD_007.txt spośród kilku o tej nazwie"},
      {"the general file in capitals", {{"WLT_NAST_REJZD_000.TXT", "Wersja E1"}}, 0, "Wersja E1", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const QString& name : FolderEntries(folder.Path())) QFile::remove(QDir(folder.Path()).filePath(name));
    for (const auto& [name, caption] : c.files) ASSERT_TRUE(variant(name, caption));
    FakeWindow window;
    window.SetController(7, 2021);
    window.form.FormCreate();
    EXPECT_TRUE(window.ui.Log.isEmpty()) << window.ui.Log.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window.form.FactoryNumber, c.factoryNumber);
    EXPECT_EQ(window.form.CheckBox(801).Caption, QString::fromLatin1(c.caption));
    EXPECT_EQ(window.form.StatusBar1.Panels[1].Text, QString::fromUtf8(c.panel1));
  }
}

// A FIFO is no description file: under the controller's name in any case
// it is passed over, under the general file's name it is a read error at
// once, never a window waiting for a writer.
TEST_F(StartUpDescription, AFifoIsNeitherTakenNorWaitedOn) {
  const FifoFeeder controllers(QDir(folder.Path()).filePath(QStringLiteral("WLT_nast_rejzd_007.TXT")),
                               ReadBytes(TestDataFile(QStringLiteral("WLT_nastawy_007.txt"))));
  const FifoFeeder general(QDir(folder.Path()).filePath(QStringLiteral("WLT_nast_rejzd_000.txt")),
                           ReadBytes(kGeneral));
  ASSERT_TRUE(controllers.Made() && general.Made());
  w.form.FormCreate();
  EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:Błąd odczytu")}));
  EXPECT_EQ(w.form.FactoryNumber, 0);
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 000*"));
  EXPECT_FALSE(controllers.Fed() || general.Fed());
}

TEST(ShippedGeneralFile, IsInExactlyTheFormatTheProgramWrites) {
  TempCurrentFolder folder;
  FakeWindow w;
  w.form.InitSettingsCatalogue();
  w.form.LoadSettingsFile(kGeneral);
  ASSERT_TRUE(w.ui.Log.isEmpty()) << w.ui.Log.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 000"));
  QStringList lines;
  w.form.WriteSettingsSection(lines);
  w.form.WritePermissionsSection(lines);
  const QByteArray shipped = ReadBytes(kGeneral);
  EXPECT_EQ(TextFile::Encode(lines), shipped);
  EXPECT_EQ(lines.size(), 363);
  // Every caption fits the width read back, behind its separating blank.
  for (int n = 801; n <= 910; ++n) EXPECT_LE(w.form.CheckBox(n).Caption.size(), 19) << n;
  // Every indicator and every cause has a text of its own, so no event
  // shows a bare number.
  QSet<QString> captions, causes;
  for (int n = 1; n <= 160; ++n) {
    EXPECT_TRUE(w.form.zdLabel(n).Visible && w.form.CheckBox(n).Visible) << n;
    EXPECT_FALSE(w.form.zdLabel(n).Caption.trimmed().isEmpty()) << n;
    captions.insert(w.form.zdLabel(n).Caption);
  }
  for (int c = 0; c < 64; ++c) {
    EXPECT_FALSE(w.form.CauseTexts[std::size_t(c)].trimmed().isEmpty()) << c + 1;
    causes.insert(w.form.CauseTexts[std::size_t(c)]);
  }
  EXPECT_EQ(captions.size(), 160);
  EXPECT_EQ(causes.size(), 64);
}

}  // namespace
