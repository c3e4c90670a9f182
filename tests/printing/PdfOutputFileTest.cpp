// The PDF files of both printing paths, the page painter's (programs without
// widgets) and the window's printer set to a PDF output file, against what
// lies under the file's name: every write error is told, the old file stays
// whole when the new one cannot be written, a FIFO is refused without
// waiting for a reader.

#include "FifoFeeder.h"
#include "FilesTestSupport.h"
#include "app/view/PrinterOutput.h"
#include "printing/PagePainter.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>

namespace {

const QStringList kLines = [] {
  QStringList lines;
  for (int i = 1; i <= 150; ++i) lines << QStringLiteral("Wiersz %1 wydruku: zażółć gęślą jaźń").arg(i);
  return lines;
}();

const PrintRequest kRequest{kLines, QStringLiteral("Courier New"), 10, QStringLiteral("WLT")};

struct PdfPath {
  const char* name;
  std::function<bool(const QString& file)> print;
};

const PdfPath kPaths[] = {
    {"page painter",
     [](const QString& file) {
       return PagePainter::WritePdf(file, kRequest.Lines, PrinterOutput::RequestFont(kRequest),
                                    kRequest.DocumentTitle);
     }},
    {"window's printer",
     [](const QString& file) {
       QPrinter printer(QPrinter::HighResolution);
       printer.setOutputFormat(QPrinter::PdfFormat);
       printer.setOutputFileName(file);
       return PrinterOutput::PrintJob(printer, kRequest);
     }},
};

bool IsPdf(const QByteArray& bytes) { return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"); }

TEST(PdfOutputFile, ADeviceThatTakesNothingIsAnError) {
  for (const PdfPath& path : kPaths) EXPECT_FALSE(path.print(QStringLiteral("/dev/full"))) << path.name;
}

TEST(PdfOutputFile, TheDiskFullHalfWayLeavesTheOldFileWholeAndNothingBeside) {
  for (const PdfPath& path : kPaths) {
    SCOPED_TRACE(path.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("nastawy.pdf"));
    ASSERT_TRUE(path.print(file));
    const QByteArray whole = ReadBytes(file);
    ASSERT_TRUE(IsPdf(whole));
    ASSERT_GT(whole.size(), 8192);
    {
      const FileSizeLimit limit(rlim_t(whole.size() / 2));
      ASSERT_TRUE(limit.Active());
      EXPECT_FALSE(path.print(file));
    }
    EXPECT_EQ(ReadBytes(file), whole);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("nastawy.pdf")});
  }
}

TEST(PdfOutputFile, AFifoIsRefusedWithoutWaitingForAReader) {
  for (const PdfPath& path : kPaths) {
    SCOPED_TRACE(path.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("nastawy.pdf"));
    const FifoDrainer reader(file);
    ASSERT_TRUE(reader.Made());
    EXPECT_FALSE(path.print(file));
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(file).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_FALSE(reader.Drained());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // A write into a FIFO whose reader left fails with EPIPE instead.
  std::signal(SIGPIPE, SIG_IGN);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
