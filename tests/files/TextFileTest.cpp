// The one place for text files on disk: Windows-1250 with CR LF, whole files
// read as lines, whole files replaced in one step.

#include "FifoFeeder.h"
#include "FilesTestSupport.h"
#include "files/TextFile.h"

#include <QTemporaryDir>

#include <sys/stat.h>

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

// What lies under the name decides: a regular file or a link is replaced
// by a new regular file (never the file a link points to), anything else is
// refused and stays. Nothing is left beside it either way.
TEST(TextFileOnDisk, WritingReplacesOnlyAFileOrALinkNeverWhatALinkPointsTo) {
  enum class Kind { Missing, Regular, Link, DanglingLink, Fifo, Folder };
  const struct {
    const char* name;
    Kind kind;
    bool written;
  } cases[] = {
      {"missing", Kind::Missing, true},      {"regular file", Kind::Regular, true},
      {"link to a file", Kind::Link, true},  {"link to nothing", Kind::DanglingLink, true},
      {"FIFO", Kind::Fifo, false},           {"folder", Kind::Folder, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir, elsewhere;
    ASSERT_TRUE(dir.isValid() && elsewhere.isValid());
    const QString path = dir.filePath(QStringLiteral("WLT_nastawy_007.txt"));
    const QString outside = elsewhere.filePath(QStringLiteral("outside.txt"));
    ASSERT_TRUE(WriteBytes(outside, "outside\r\n"));
    switch (c.kind) {
      case Kind::Missing: break;
      case Kind::Regular: ASSERT_TRUE(WriteBytes(path, "old\r\n")); break;
      case Kind::Link: ASSERT_TRUE(QFile::link(outside, path)); break;
      case Kind::DanglingLink: ASSERT_TRUE(QFile::link(elsewhere.filePath(QStringLiteral("none")), path)); break;
      case Kind::Fifo: ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); break;
      case Kind::Folder: ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("WLT_nastawy_007.txt"))); break;
    }
    EXPECT_EQ(TextFile::WriteLines(path, {QStringLiteral("new")}), c.written);
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0);
    if (c.written) {
      EXPECT_TRUE(S_ISREG(status.st_mode));
      EXPECT_EQ(ReadBytes(path), QByteArray("new\r\n"));
    }
    if (c.kind == Kind::Fifo) {
      EXPECT_TRUE(S_ISFIFO(status.st_mode));
    }
    if (c.kind == Kind::Folder) {
      EXPECT_TRUE(S_ISDIR(status.st_mode));
    }
    EXPECT_EQ(ReadBytes(outside), QByteArray("outside\r\n"));
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("WLT_nastawy_007.txt")});
    EXPECT_EQ(FolderEntries(elsewhere.path()), QStringList{QStringLiteral("outside.txt")});
  }
}

// Only a regular file is read, also through a link; a FIFO or device is a
// read error at once, without waiting for a writer.
TEST(TextFileOnDisk, ReadingTakesOnlyRegularFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("file.txt"));
  ASSERT_TRUE(WriteBytes(file, "a\r\n"));
  const QString link = dir.filePath(QStringLiteral("link.txt"));
  ASSERT_TRUE(QFile::link(file, link));
  const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
  const FifoFeeder feeder(fifo, "fed\r\n");
  const QString linkedFifo = dir.filePath(QStringLiteral("linked-fifo.txt"));
  const FifoFeeder linkedFeeder(linkedFifo, "fed\r\n");
  ASSERT_TRUE(feeder.Made() && linkedFeeder.Made());
  const QString fifoLink = dir.filePath(QStringLiteral("fifo-link.txt"));
  ASSERT_TRUE(QFile::link(linkedFifo, fifoLink));

  const struct {
    QString path;
    bool read;
  } cases[] = {
      {file, true}, {link, true}, {fifo, false}, {fifoLink, false}, {QStringLiteral("/dev/zero"), false},
      {QStringLiteral("/dev/null"), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    QStringList lines{QStringLiteral("stale")};
    EXPECT_EQ(TextFile::ReadLines(c.path, lines), c.read);
    EXPECT_EQ(lines, c.read ? QStringList{QStringLiteral("a")} : QStringList());
  }
  EXPECT_FALSE(feeder.Fed() || linkedFeeder.Fed());
}

}  // namespace
