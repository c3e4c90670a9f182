// Standard output keeps its first failure: a line that did not get out
// makes the output no longer intact, and nothing is written after it.

#include "StandardOutput.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(StandardOutput, LinesGetOutAndTheCloseSaysSo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("out.txt"));
  std::FILE* stream = std::fopen(QFile::encodeName(path).constData(), "w");
  ASSERT_NE(stream, nullptr);
  StandardOutput out(stream);
  EXPECT_TRUE(out.WriteLine(QStringLiteral("Nr fabr.: 7")));
  EXPECT_TRUE(out.Write("Rok prod.: 2019\n"));
  EXPECT_TRUE(out.WriteLine(QStringLiteral(" Połączony")));
  EXPECT_TRUE(out.Intact());
  EXPECT_TRUE(out.Close());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("Nr fabr.: 7\nRok prod.: 2019\n Połączony\n"));
}

TEST(StandardOutput, AFullDeviceIsAFailureThatStays) {
  std::FILE* stream = std::fopen("/dev/full", "w");
  ASSERT_NE(stream, nullptr);
  StandardOutput out(stream);
  EXPECT_FALSE(out.WriteLine(QStringLiteral("Nr fabr.: 7")));
  EXPECT_FALSE(out.Intact());
  EXPECT_EQ(out.ErrorText(), QStringLiteral("No space left on device"));
  EXPECT_FALSE(out.WriteLine(QStringLiteral("Rok prod.: 2019")));
  EXPECT_FALSE(out.Close());
  EXPECT_EQ(out.ErrorText(), QStringLiteral("No space left on device"));
}

TEST(StandardOutput, NothingWritesAfterTheClose) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::FILE* stream = std::fopen(QFile::encodeName(dir.filePath(QStringLiteral("x"))).constData(), "w");
  ASSERT_NE(stream, nullptr);
  StandardOutput out(stream);
  EXPECT_TRUE(out.Close());
  EXPECT_TRUE(out.Close());
  EXPECT_FALSE(out.WriteLine(QStringLiteral("late")));
}

}  // namespace
