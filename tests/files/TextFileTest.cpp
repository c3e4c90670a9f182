// The one place for text files on disk: Windows-1250 with CR LF, whole files
// read as lines, whole files replaced in one step.

#include "FilesTestSupport.h"
#include "files/TextFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TextFileCoding, PolishLettersInWindows1250) {
  const QString polish = QStringLiteral("Zażółć gęślą jaźń ŁŚŻŹĆŃĘĄÓ");
  const QByteArray bytes = TextFile::Encode({polish, QString()});
  EXPECT_EQ(bytes.toHex(' '), QByteArray("5a 61 bf f3 b3 e6 20 67 ea 9c 6c b9 20 6a 61 9f f1 20 a3 8c af 8f c6 d1 ca a5 d3 0d 0a 0d 0a"));
  EXPECT_EQ(TextFile::Decode(bytes), QStringList({polish, QString()}));
  // What the code page lacks becomes "?", the rest of the line stays.
  EXPECT_EQ(TextFile::Encode({QStringLiteral("a中ą\U0001F600b")}), QByteArray("a?\xb9?b\r\n"));
}

TEST(TextFileCoding, LineEnds) {
  const struct {
    QByteArray bytes;
    QStringList lines;
  } cases[] = {
      {"a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b")}},
      {"a\r\nb", {QStringLiteral("a"), QStringLiteral("b")}},  // last line without its end
      {"a\nb\rc\r\n", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
      {"a\r\n\r\n", {QStringLiteral("a"), QString()}},
      {"\r\n", {QString()}},
      {"", {}},
      {"a\r\r\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
      {QByteArray("a\0b\r\n", 5), {QStringLiteral("a") + QChar(0) + QStringLiteral("b")}},
  };
  for (const auto& c : cases) EXPECT_EQ(TextFile::Decode(c.bytes), c.lines) << c.bytes.toHex().toStdString();
}

TEST(TextFileOnDisk, WholeFilesInAndOut) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("WLT_nastawy_007.txt"));
  const QStringList lines = {QStringLiteral("Zdarzenia:"), QStringLiteral("1 Załączenie"), QString()};
  ASSERT_TRUE(TextFile::WriteLines(path, lines));
  EXPECT_EQ(ReadBytes(path), QByteArray("Zdarzenia:\r\n1 Za\xb3\xb9" "czenie\r\n\r\n"));
  QStringList read;
  ASSERT_TRUE(TextFile::ReadLines(path, read));
  EXPECT_EQ(read, lines);
  EXPECT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("WLT_nastawy_007.txt")});  // no temporary left

  // Replacing keeps nothing of the old file.
  ASSERT_TRUE(TextFile::WriteLines(path, {QStringLiteral("x")}));
  EXPECT_EQ(ReadBytes(path), QByteArray("x\r\n"));

  // A byte copy, not a recoded one.
  const QByteArray odd("\x81\x98\xff\r\n\n", 6);
  ASSERT_TRUE(WriteBytes(dir.filePath(QStringLiteral("a")), odd));
  ASSERT_TRUE(TextFile::CopyFile(dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))));
  EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("b"))), odd);
}

TEST(TextFileOnDisk, AWriteFailingPartWayLeavesTheOldFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("a.txt"));
  ASSERT_TRUE(TextFile::WriteLines(path, {QStringLiteral("old")}));
  const QStringList many(2000, QStringLiteral("a line of the new file"));
  {
    const FileSizeLimit limit(3000);
    ASSERT_TRUE(limit.Active());
    EXPECT_FALSE(TextFile::WriteLines(path, many));
  }
  EXPECT_EQ(ReadBytes(path), QByteArray("old\r\n"));
  EXPECT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("a.txt")});  // nothing half-written beside it
}

TEST(TextFileOnDisk, WhatCannotBeReadOrWritten) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QStringList lines{QStringLiteral("stale")};
  EXPECT_FALSE(TextFile::ReadLines(dir.filePath(QStringLiteral("missing.txt")), lines));
  EXPECT_TRUE(lines.isEmpty());
  EXPECT_FALSE(TextFile::ReadLines(dir.path(), lines));  // a folder
  EXPECT_FALSE(TextFile::WriteLines(dir.filePath(QStringLiteral("no/such/folder.txt")), {QStringLiteral("x")}));
  EXPECT_FALSE(TextFile::WriteLines(dir.path(), {QStringLiteral("x")}));  // a folder in the way
  EXPECT_FALSE(TextFile::CopyFile(dir.filePath(QStringLiteral("missing.txt")), dir.filePath(QStringLiteral("c"))));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("c"))));

  // Past the size limit: refused, not read into memory.
  QFile big(dir.filePath(QStringLiteral("big.txt")));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(TextFile::kMaxFileSize + 1));
  big.close();
  EXPECT_FALSE(TextFile::ReadLines(big.fileName(), lines));
}

}  // namespace
