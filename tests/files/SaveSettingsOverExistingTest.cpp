// "Zapisz plik jako..." over what is already on disk: the question before a
// file is replaced names the file the save writes; links under the name of
// the settings file or of its backup are replaced, never written through;
// a FIFO under the name is refused at once.

#include "FifoFeeder.h"
#include "FileFormTest.h"
#include "files/FileTexts.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class SaveOverExisting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.Valid() && elsewhere.isValid());
    SetExampleState(w.form);
  }
  QString Path(const QString& name) const { return QDir(folder.Path()).filePath(name); }
  void Save(const QString& chosen, bool replace = true) {
    w.ui.ClearRecords();
    w.ui.SaveAnswers.push_back(Path(chosen));
    w.ui.ConfirmAnswers.assign(1, replace);
    w.form.Zapiszjako1Click();
    w.ui.ConfirmAnswers.clear();
  }
  bool IsLink(const QString& name) const { return QFileInfo(Path(name)).isSymLink(); }

  TempCurrentFolder folder;
  QTemporaryDir elsewhere;
  FakeWindow w;
};

const QString kSaveDialog = QStringLiteral("save:Text files (*.txt)|*.TXT");

QString Question(const char* name) {
  return QStringLiteral("confirm:Plik %1 już istnieje. Zastąpić go?").arg(QString::fromLatin1(name));
}

TEST_F(SaveOverExisting, TheQuestionNamesTheFileTheSaveWrites) {
  const QByteArray earlier = "earlier\r\n";
  const struct {
    const char* name;
    const char* typed;
    std::vector<const char*> existing;
    bool replace;
    QStringList log;
    const char* written;  // nullptr: nothing
  } cases[] = {
      {"the .txt typed", "WLT_nastawy_007.txt", {"WLT_nastawy_007.txt"}, true,
       {kSaveDialog, Question("WLT_nastawy_007.txt")}, "WLT_nastawy_007.txt"},
      {"the .txt typed, kept", "WLT_nastawy_007.txt", {"WLT_nastawy_007.txt"}, false,
       {kSaveDialog, Question("WLT_nastawy_007.txt")}, nullptr},
      {"a .dat typed: its .dat is not written", "WLT_nastawy_007.dat", {"WLT_nastawy_007.dat"}, false,
       {kSaveDialog}, "WLT_nastawy_007.dat.txt"},
      {"a .dat typed: the .dat.txt is", "WLT_nastawy_007.dat", {"WLT_nastawy_007.dat.txt"}, false,
       {kSaveDialog, Question("WLT_nastawy_007.dat.txt")}, nullptr},
      {"nothing of the name", "WLT_nastawy_007.txt", {"WLT_nastawy_008.txt"}, false, {kSaveDialog},
       "WLT_nastawy_007.txt"},
      // Asked before the name is judged, as the dialog asked.
      {"a refused name", "WLT_nastawy_7.txt", {"WLT_nastawy_7.txt"}, true,
       {kSaveDialog, Question("WLT_nastawy_7.txt"), QStringLiteral("beep"),
        QStringLiteral("message:") + FileTexts::BadFileName + QLatin1Char('\n') + FileTexts::FileNameForm},
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const QString& name : FolderEntries(folder.Path())) QFile::remove(Path(name));
    for (const char* name : c.existing) ASSERT_TRUE(WriteBytes(Path(QString::fromLatin1(name)), earlier));
    Save(QString::fromLatin1(c.typed), c.replace);
    EXPECT_EQ(w.ui.Log, c.log);
    if (c.written) {
      EXPECT_TRUE(ReadBytes(Path(QString::fromLatin1(c.written))).startsWith("WLT - nastawy 007\r\n"));
    }
    for (const char* name : c.existing) {
      if (!c.written || QLatin1String(name) != QLatin1String(c.written)) {
        EXPECT_EQ(ReadBytes(Path(QString::fromLatin1(name))), earlier) << name;
      }
    }
  }
}

// A link under either name is replaced itself, as deleting and renaming
// would; the file it points to keeps what it had.
TEST_F(SaveOverExisting, LinksUnderTheFilesOrTheBackupsNameAreReplacedNotWrittenThrough) {
  const struct {
    const char* name;
    const char* link;
    QByteArray backup;  // what WLT_nastawy_007.bak holds afterwards
  } cases[] = {
      {"backup", "WLT_nastawy_007.bak", "previous\r\n"},
      {"settings file", "WLT_nastawy_007.txt", "outside\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const QString& name : FolderEntries(folder.Path())) QFile::remove(Path(name));
    const QString outside = QDir(elsewhere.path()).filePath(QStringLiteral("outside.txt"));
    ASSERT_TRUE(WriteBytes(outside, "outside\r\n"));
    if (QLatin1String(c.link) != QLatin1String("WLT_nastawy_007.txt")) {
      ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.txt")), "previous\r\n"));
    }
    ASSERT_TRUE(QFile::link(outside, Path(QString::fromLatin1(c.link))));

    Save(QStringLiteral("WLT_nastawy_007.txt"));
    EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
    EXPECT_EQ(ReadBytes(outside), QByteArray("outside\r\n"));
    EXPECT_FALSE(IsLink(QStringLiteral("WLT_nastawy_007.txt")) || IsLink(QStringLiteral("WLT_nastawy_007.bak")));
    EXPECT_TRUE(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))).startsWith("WLT - nastawy 007\r\n"));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), c.backup);
    EXPECT_EQ(FolderEntries(elsewhere.path()), QStringList{QStringLiteral("outside.txt")});
  }
}

TEST_F(SaveOverExisting, AFifoUnderTheFilesNameIsAWriteErrorAtOnce) {
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("WLT_nastawy_007.bak")), "old backup\r\n"));
  const FifoFeeder fifo(Path(QStringLiteral("WLT_nastawy_007.txt")), "WLT - nastawy 007\r\n");
  ASSERT_TRUE(fifo.Made());
  Save(QStringLiteral("WLT_nastawy_007.txt"));
  EXPECT_EQ(w.ui.Log, QStringList({kSaveDialog, Question("WLT_nastawy_007.txt"), QStringLiteral("beep"),
                                   QStringLiteral("message:Błąd zapisu")}));
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007*"));
  struct stat status {};
  ASSERT_EQ(::lstat(QFile::encodeName(Path(QStringLiteral("WLT_nastawy_007.txt"))).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), QByteArray("old backup\r\n"));
  EXPECT_EQ(FolderEntries(folder.Path()),
            QStringList({QStringLiteral("WLT_nastawy_007.bak"), QStringLiteral("WLT_nastawy_007.txt")}));
  EXPECT_FALSE(fifo.Fed());
}

}  // namespace
