// wlt-nastawy-cli and what the file system holds under the names it is
// given: a PDF output that names the file printed from, an output that
// cannot be written whole (a device that is always full, a file size limit
// reached half-way), and a FIFO where a file should be.

#include "CliOnSim.h"
#include "FifoFeeder.h"

#include <QElapsedTimer>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kExample = QStringLiteral(WLT_SETTINGS_EXAMPLE);

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class CliFiles : public CliOnSim {
 protected:
  void SetUp() override {
    CliOnSim::SetUp();
    ASSERT_TRUE(QFile::copy(kExample, Path(QStringLiteral("WLT_nastawy_007.txt"))));
  }
  // The program as Cli() runs it, its files limited to fileSizeLimit bytes
  // (a disk that fills up); a write past the limit fails with EFBIG.
  CliOutcome CliWithFileSizeLimit(const QStringList& arguments, rlim_t fileSizeLimit) {
    QProcess process;
    process.setWorkingDirectory(folder.Path());
    process.setChildProcessModifier([fileSizeLimit] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{fileSizeLimit, fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(Program(), arguments);
    CliOutcome outcome;
    if (!process.waitForFinished(60000)) {
      process.kill();
      process.waitForFinished();
      return outcome;
    }
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = Lines(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
  }
};

// The output names the file printed from: as given, as the window reads it
// (".txt" added to a settings name without extension, an event file's
// ".dat" for any extension), or through a link. Nothing is read or written.
TEST_F(CliFiles, APdfNamingTheFilePrintedFromIsRefused) {
  ASSERT_TRUE(QFile::link(Path(QStringLiteral("WLT_nastawy_007.txt")), Path(QStringLiteral("link.pdf"))));
  ASSERT_TRUE(QFile::copy(kExample, Path(QStringLiteral("zdarzenia.dat"))));
  const QByteArray settings = ReadBytes(kExample);
  const struct {
    QStringList arguments;
    QString refused;  // the file named in the message
  } cases[] = {
      {{QStringLiteral("print-settings"), QStringLiteral("WLT_nastawy_007.txt"), QStringLiteral("WLT_nastawy_007.txt")},
       Path(QStringLiteral("WLT_nastawy_007.txt"))},
      {{QStringLiteral("print-settings"), QStringLiteral("WLT_nastawy_007"), QStringLiteral("WLT_nastawy_007.txt")},
       Path(QStringLiteral("WLT_nastawy_007.txt"))},
      {{QStringLiteral("print-settings"), QStringLiteral("WLT_nastawy_007.txt"), QStringLiteral("link.pdf")},
       Path(QStringLiteral("WLT_nastawy_007.txt"))},
      {{QStringLiteral("print-events"), QStringLiteral("zdarzenia.txt"), QStringLiteral("zdarzenia.dat")},
       Path(QStringLiteral("zdarzenia.dat"))},
      {{QStringLiteral("print-events"), QStringLiteral("zdarzenia.dat"), QStringLiteral("./zdarzenia.dat")},
       Path(QStringLiteral("zdarzenia.dat"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
    const CliOutcome o = Cli(c.arguments, false);
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(c.arguments[0] + QStringLiteral(": the PDF file would replace the file printed from, ") +
                               c.refused + QStringLiteral("; nothing was written")))
        << o.err.toStdString();
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), settings);
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("zdarzenia.dat"))), settings);
    EXPECT_TRUE(QFileInfo(Path(QStringLiteral("link.pdf"))).isSymLink());
  }
}

TEST_F(CliFiles, APdfThatCannotBeWrittenWholeIsAnErrorAndLeavesTheOldOne) {
  const QStringList print{QStringLiteral("print-settings"), QStringLiteral("WLT_nastawy_007.txt"),
                          QStringLiteral("nastawy.pdf")};
  const CliOutcome whole = Cli(print, false);
  ASSERT_EQ(whole.status, 0) << whole.err.toStdString();
  const qint64 size = QFileInfo(Path(QStringLiteral("nastawy.pdf"))).size();
  ASSERT_GT(size, 4096);

  // A device that takes nothing: the error, not a PDF reported made.
  const CliOutcome full = Cli({print[0], print[1], QStringLiteral("/dev/full")}, false);
  EXPECT_EQ(full.status, 1);
  EXPECT_TRUE(full.err.contains(QStringLiteral("error: Błąd drukowania: /dev/full\n"))) << full.err.toStdString();

  // The disk full half-way through the new PDF: the old one stays whole
  // and nothing else is left in the folder.
  ASSERT_TRUE(WriteBytes(Path(QStringLiteral("nastawy.pdf")), "the old PDF\n"));
  const QStringList before = QDir(folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  const CliOutcome cut = CliWithFileSizeLimit(print, rlim_t(size / 2));
  EXPECT_EQ(cut.status, 1);
  EXPECT_TRUE(cut.err.contains(QStringLiteral("error: Błąd drukowania: ") + Path(QStringLiteral("nastawy.pdf"))))
      << cut.err.toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("nastawy.pdf"))), QByteArray("the old PDF\n"));
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

// A FIFO given as the file: a read error at once, without waiting for a
// writer (the feeder would make a waiting program read a whole file).
TEST_F(CliFiles, AFifoGivenAsTheFileIsAReadErrorAtOnce) {
  const FifoFeeder settings(Path(QStringLiteral("WLT_nastawy_008.txt")), ReadBytes(kExample));
  const FifoFeeder events(Path(QStringLiteral("zdarzenia.dat")), ReadBytes(kExample));
  ASSERT_TRUE(settings.Made() && events.Made());
  for (const QStringList& arguments :
       {QStringList{QStringLiteral("show-settings"), QStringLiteral("WLT_nastawy_008.txt")},
        QStringList{QStringLiteral("show-events"), QStringLiteral("zdarzenia.dat")}}) {
    SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
    const CliOutcome o = Cli(arguments, false, 20000);
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("Błąd odczytu"))) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
  }
  EXPECT_FALSE(settings.Fed() || events.Fed());
}

}  // namespace
