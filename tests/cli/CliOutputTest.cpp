// What wlt-nastawy-cli tells about its output: standard output that could
// not be written (a full disk, a pipe whose reader has gone) is a failure
// reported on standard error, after the files asked for are saved.

#include "CliOnSim.h"

namespace {

const std::vector<std::string> kController{"--factory-number", "7", "--production-year", "2019",
                                           "--event-history", "1"};

class CliOutput : public CliOnSim {};

// Lost standard output ends with status 1 and says so; a file the command
// was asked to save is saved all the same.
TEST_F(CliOutput, LostStandardOutputIsStatus1AfterTheSave) {
  StartSim(kController);
  ASSERT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists());
  struct Case {
    QStringList arguments;
    bool closedPipe;          // else /dev/full
    QString savedFile;        // saved despite the lost output
    QString reason;           // the system's text in the message
  };
  const Case cases[] = {
      {{QStringLiteral("info")}, false, QString(), QStringLiteral("No space left on device")},
      {{QStringLiteral("read-events"), QStringLiteral("zd.dat")},
       false,
       QStringLiteral("zd.dat"),
       QStringLiteral("No space left on device")},
      {{QStringLiteral("read-events"), QStringLiteral("zd2.dat")},
       true,
       QStringLiteral("zd2.dat"),
       QStringLiteral("Broken pipe")},
      {{QStringLiteral("info")}, true, QString(), QStringLiteral("Broken pipe")},
      {{QStringLiteral("--help")}, false, QString(), QStringLiteral("No space left on device")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.arguments.join(QLatin1Char(' ')) + (c.closedPipe ? " | closed" : " > /dev/full"))
                     .toStdString());
    standardOutputFile = c.closedPipe ? QString() : QStringLiteral("/dev/full");
    standardOutputPipeClosed = c.closedPipe;
    const CliOutcome o = Cli(c.arguments);
    EXPECT_EQ(o.status, 1) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("wlt-nastawy-cli: standard output: ") + c.reason))
        << o.err.toStdString();
    if (!c.savedFile.isEmpty()) {
      EXPECT_TRUE(o.err.contains(QStringLiteral("status:  Odczytano zdarzenia"))) << o.err.toStdString();
      // The saved file is whole: it shows again without the controller.
      standardOutputFile.clear();
      standardOutputPipeClosed = false;
      const CliOutcome shown = Cli({QStringLiteral("show-events"), c.savedFile}, false);
      EXPECT_EQ(shown.status, 0) << shown.err.toStdString();
      EXPECT_GE(shown.out.size(), 50);
    }
  }

  // Output that gets out ends with 0.
  standardOutputFile = Path(QStringLiteral("info.txt"));
  standardOutputPipeClosed = false;
  const CliOutcome kept = Cli({QStringLiteral("info")});
  EXPECT_EQ(kept.status, 0) << kept.err.toStdString();
  EXPECT_FALSE(kept.err.contains(QStringLiteral("standard output"))) << kept.err.toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("info.txt"))), QByteArray("Nr fabr.: 7\nRok prod.: 2019\n Połączony\n"));
}

}  // namespace
