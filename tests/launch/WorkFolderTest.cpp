// The work folder of the demo start and scripts/run.sh: made when missing,
// given the general description file once, never overwriting one there.

#include "AppTestSupport.h"
#include "launch/WorkFolder.h"

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.Valid());
    general = QDir(home.Path()).filePath(QStringLiteral("share/WLT_nast_rejzd_000.txt"));
    ASSERT_TRUE(QDir(home.Path()).mkdir(QStringLiteral("share")));
    ASSERT_TRUE(home.WriteFile(QStringLiteral("share/WLT_nast_rejzd_000.txt"), "general\r\n"));
  }
  TempCurrentFolder home;  // restores the current folder afterwards
  QString general;
};

TEST_F(WorkFolderTest, MadeAndGivenTheGeneralFileThenEntered) {
  const QString folder = QDir(home.Path()).filePath(QStringLiteral("a/WLT"));
  QString error, warning;
  ASSERT_TRUE(WorkFolder::Enter(folder, general, error, warning)) << error.toStdString();
  EXPECT_TRUE(warning.isEmpty());
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(folder).canonicalPath());
  EXPECT_EQ(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))), QByteArray("general\r\n"));
}

TEST_F(WorkFolderTest, AFileAlreadyThereIsKept) {
  const QString folder = QDir(home.Path()).filePath(QStringLiteral("WLT"));
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(home.WriteFile(QStringLiteral("WLT/WLT_nast_rejzd_000.txt"), "edited by the user\r\n"));
  QString error, warning;
  ASSERT_TRUE(WorkFolder::Enter(folder, general, error, warning));
  EXPECT_EQ(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))), QByteArray("edited by the user\r\n"));
}

TEST_F(WorkFolderTest, AMissingGeneralFileOnlyWarns) {
  const QString folder = QDir(home.Path()).filePath(QStringLiteral("WLT"));
  QString error, warning;
  ASSERT_TRUE(WorkFolder::Enter(folder, QDir(home.Path()).filePath(QStringLiteral("none.txt")), error, warning));
  EXPECT_TRUE(warning.contains(QStringLiteral("none.txt"))) << warning.toStdString();
  EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

TEST_F(WorkFolderTest, AFolderThatCannotBeMadeIsAnError) {
  ASSERT_TRUE(home.WriteFile(QStringLiteral("file"), "x"));
  const QString before = QDir::currentPath();
  QString error, warning;
  EXPECT_FALSE(WorkFolder::Enter(QDir(home.Path()).filePath(QStringLiteral("file/WLT")), general, error, warning));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(QDir::currentPath(), before);
}

TEST(WorkFolderPaths, DefaultFolderAndShippedFile) {
  const QByteArray previous = qgetenv("WLT_WORK_DIR");
  qputenv("WLT_WORK_DIR", "/srv/wlt");
  EXPECT_EQ(WorkFolder::DefaultPath(), QStringLiteral("/srv/wlt"));
  qunsetenv("WLT_WORK_DIR");
  EXPECT_EQ(WorkFolder::DefaultPath(), QDir::home().filePath(QStringLiteral("WLT")));
  if (!previous.isEmpty()) qputenv("WLT_WORK_DIR", previous);
  EXPECT_EQ(QDir::cleanPath(WorkFolder::ShippedGeneralFile(QStringLiteral("/usr/bin"))),
            QStringLiteral("/usr/share/wlt-nastawy/WLT_nast_rejzd_000.txt"));
}

}  // namespace
