// The files on disk as bytes, beyond what the text files show: a replaced
// file keeps its permissions, a new one gets the umask's, and which names
// lead to one file.

#include "FilesTestSupport.h"
#include "files/DiskFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t Permissions(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST(DiskFile, AReplacedFileKeepsItsPermissionsANewOneGetsTheUmasks) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString old = dir.filePath(QStringLiteral("old.txt"));
  ASSERT_TRUE(WriteBytes(old, "old"));
  ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0640), 0);
  ASSERT_TRUE(DiskFile::Replace(old, "new"));
  EXPECT_EQ(Permissions(old), mode_t(0640));
  EXPECT_EQ(ReadBytes(old), QByteArray("new"));

  const mode_t umask = ::umask(027);
  const QString fresh = dir.filePath(QStringLiteral("fresh.txt"));
  const bool made = DiskFile::Replace(fresh, "fresh");
  ::umask(umask);
  ASSERT_TRUE(made);
  EXPECT_EQ(Permissions(fresh), mode_t(0640));
  EXPECT_EQ(FolderEntries(dir.path()), QStringList({QStringLiteral("fresh.txt"), QStringLiteral("old.txt")}));
}

TEST(DiskFile, NamesOfOneFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("file"));
  const QString other = dir.filePath(QStringLiteral("other"));
  ASSERT_TRUE(WriteBytes(file, "same") && WriteBytes(other, "same"));
  ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("link"))));
  ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(dir.filePath(QStringLiteral("hard"))).constData()), 0);
  const struct {
    QString name;
    bool same;
  } cases[] = {
      {file, true},
      {dir.path() + QStringLiteral("/./file"), true},
      {dir.filePath(QStringLiteral("link")), true},
      {dir.filePath(QStringLiteral("hard")), true},
      {other, false},  // the same bytes, another file
      {dir.filePath(QStringLiteral("missing")), false},
  };
  for (const auto& c : cases) EXPECT_EQ(DiskFile::SameFile(c.name, file), c.same) << c.name.toStdString();
  EXPECT_FALSE(DiskFile::SameFile(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("missing"))));
}

}  // namespace
