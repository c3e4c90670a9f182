// What wlt-nastawy-cli tells about its output: standard output that could
// not be written (a full disk, a pipe whose reader has gone) is a failure
// reported on standard error, after the files asked for are saved; and the
// names of the files it really wrote.

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

// The settings file is written under the name the window's rule gives, and
// the command says which: ".txt" is added to a name that does not hold it
// (upper case ".TXT" included), and the file of the same stem with ".txt"
// lives on as the backup ".bak".
TEST_F(CliOutput, TheSavedFilesAreNamedOnStandardError) {
  StartSim(kController);
  const QByteArray old = "an old settings file\r\n";
  struct Case {
    QString argument;
    QString written;
    QString note;  // the line about the old file
  };
  const Case cases[] = {
      {QStringLiteral("WLT_nastawy_007.txt"), QStringLiteral("WLT_nastawy_007.txt"),
       QStringLiteral("read-settings: the old file is kept as %1").arg(Path(QStringLiteral("WLT_nastawy_007.bak")))},
      {QStringLiteral("WLT_nastawy_007.TXT"), QStringLiteral("WLT_nastawy_007.TXT.txt"),
       QStringLiteral("read-settings: the old file %1 is now %2")
           .arg(Path(QStringLiteral("WLT_nastawy_007.txt")), Path(QStringLiteral("WLT_nastawy_007.bak")))},
      {QStringLiteral("WLT_nastawy_007"), QStringLiteral("WLT_nastawy_007.txt"),
       QStringLiteral("read-settings: the old file is kept as %1").arg(Path(QStringLiteral("WLT_nastawy_007.bak")))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    for (const QString& name : QDir(folder.Path()).entryList({QStringLiteral("WLT_nastawy_*")}, QDir::Files))
      ASSERT_TRUE(QFile::remove(Path(name)));
    ASSERT_TRUE(folder.WriteFile(QStringLiteral("WLT_nastawy_007.txt"), old));
    const CliOutcome o = Cli({QStringLiteral("read-settings"), c.argument});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(QStringLiteral("read-settings: saved as ") + Path(c.written) + QLatin1Char('\n')))
        << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(c.note + QLatin1Char('\n'))) << o.err.toStdString();
    EXPECT_TRUE(ReadBytes(Path(c.written)).startsWith("WLT - nastawy 007\r\n"));
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.bak"))), old);
    // The old file went to the backup: replaced, or removed beside a new name.
    EXPECT_NE(ReadBytes(Path(QStringLiteral("WLT_nastawy_007.txt"))), old);
  }

  // No old file, no line about one.
  QFile::remove(Path(QStringLiteral("WLT_nastawy_007.txt")));
  QFile::remove(Path(QStringLiteral("WLT_nastawy_007.bak")));
  const CliOutcome fresh = Cli({QStringLiteral("read-settings"), QStringLiteral("WLT_nastawy_007.txt")});
  ASSERT_EQ(fresh.status, 0) << fresh.err.toStdString();
  EXPECT_FALSE(fresh.err.contains(QStringLiteral("old file"))) << fresh.err.toStdString();

  // The event file takes ".dat" in place of what the name had.
  const CliOutcome events = Cli({QStringLiteral("read-events"), QStringLiteral("lista.txt")});
  ASSERT_EQ(events.status, 0) << events.err.toStdString();
  EXPECT_TRUE(events.err.contains(QStringLiteral("read-events: saved as ") + Path(QStringLiteral("lista.dat")) +
                                  QLatin1Char('\n')))
      << events.err.toStdString();
  EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("lista.dat"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("lista.txt"))));

  // The help says what the command does with the name.
  const CliOutcome help = Cli({QStringLiteral("--help")}, false);
  const QString text = help.out.join(QLatin1Char(' ')).simplified();
  EXPECT_FALSE(text.contains(QStringLiteral("an existing FILE is kept as .bak"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("\".TXT\""))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("STEM.bak"))) << text.toStdString();
}

}  // namespace
