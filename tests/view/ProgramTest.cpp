// The program from outside: its command line, and the demo start that runs
// the simulator, finds the controller and takes a picture of every page.

#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
  int exitCode = -1;
  QString out, err;
};

Outcome RunProgram(const QStringList& arguments, int timeoutMs = 30000,
                   const QString& workDirVariable = QString()) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  if (!workDirVariable.isEmpty()) environment.insert(QStringLiteral("WLT_WORK_DIR"), workDirVariable);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(WLT_NASTAWY_PATH), arguments);
  Outcome outcome;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    outcome.err = QStringLiteral("timed out");
    return outcome;
  }
  outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
  return outcome;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The copy in the build tree, where the program finds it.
QString ShippedGeneralFile() {
  return QFileInfo(QStringLiteral(WLT_NASTAWY_PATH)).dir().filePath(QStringLiteral("../share/wlt-nastawy/WLT_nast_rejzd_000.txt"));
}

// The arguments of the desktop entry's Exec line, after the program's name.
QStringList DesktopEntryArguments() {
  QFile entry(QStringLiteral(WLT_DESKTOP_ENTRY_PATH));
  if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) return {QStringLiteral("<no desktop entry>")};
  while (!entry.atEnd()) {
    const QString line = QString::fromUtf8(entry.readLine()).trimmed();
    if (!line.startsWith(QLatin1String("Exec="))) continue;
    QStringList words = line.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.takeFirst() != QLatin1String("wlt-nastawy")) return {QStringLiteral("<not wlt-nastawy>")};
    return words;
  }
  return {QStringLiteral("<no Exec line>")};
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void helpNeedsNoDisplay() {
    const Outcome o = RunProgram({QStringLiteral("--help")});
    QCOMPARE(o.exitCode, 0);
    QVERIFY(o.out.contains(QStringLiteral("--port COMn=PATH")));
    QVERIFY(o.out.contains(QStringLiteral("--demo")));
    QVERIFY(o.out.contains(QStringLiteral("--work-dir DIR")));
    QVERIFY(o.out.contains(QStringLiteral("--default-work-dir")));
    QVERIFY(o.out.contains(QStringLiteral("WLT_WORK_DIR")));
    QVERIFY(!o.out.contains(QStringLiteral("--screenshot")));  // the script's own option
  }

  void badPortValueEndsWithStatus2() {
    for (const QString& bad : {QStringLiteral("COM1"), QStringLiteral("COMX=/dev/null"),
                              QStringLiteral("COM1=")}) {
      const Outcome o = RunProgram({QStringLiteral("--port"), bad});
      QCOMPARE(o.exitCode, 2);
      QVERIFY2(o.err.contains(QStringLiteral("invalid --port value")), qPrintable(o.err));
    }
  }

  void unknownArgumentEndsWithStatus2() {
    const Outcome o = RunProgram({QStringLiteral("--colour")});
    QCOMPARE(o.exitCode, 2);
    QVERIFY(o.err.contains(QStringLiteral("--colour")));
  }

  void demoFindsTheControllerAndGrabsEveryPage() {
    QTemporaryDir shots, work;
    QVERIFY(shots.isValid() && work.isValid());
    const QString folder = QDir(work.path()).filePath(QStringLiteral("WLT"));
    const Outcome o = RunProgram({QStringLiteral("--demo"), QStringLiteral("--work-dir"), folder,
                                  QStringLiteral("--screenshot"), shots.path()}, 90000);
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    // The window found the simulated controller at start-up.
    QVERIFY2(o.out.contains(QStringLiteral("EditNrFabr=7 EditRokProd=2019 panel0= Połączony")),
             qPrintable(o.out));
    for (int page = 1; page <= 8; ++page) {
      const QString path = QDir(shots.path()).filePath(QStringLiteral("page-%1.png").arg(page));
      QVERIFY2(QFileInfo::exists(path), qPrintable(path));
      QImage image(path);
      QVERIFY(!image.isNull());
      QVERIFY(image.width() >= 700 && image.height() >= 550);
    }
    // The settings read through the menu reached the simulator.
    QVERIFY(QFileInfo::exists(QDir(shots.path()).filePath(QStringLiteral("page-2-read.png"))));
    // The work folder was made and given the general description file,
    // which the window then loaded (the controller, number 7, has none).
    QCOMPARE(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))), ReadAll(ShippedGeneralFile()));
    QVERIFY2(o.out.contains(QStringLiteral("caption=WLT - nastawy 000\n")), qPrintable(o.out));
    // No box at start-up (the tour's own boxes come after the caption).
    QVERIFY2(!o.out.section(QStringLiteral("caption="), 0, 0).contains(QStringLiteral("box-")), qPrintable(o.out));
    // The save dialog was offered and answered into the picture folder:
    // nothing new in the work folder.
    QVERIFY2(o.out.contains(QStringLiteral("Text files (*.txt *.TXT) | WLT_nast_rejzd_000.txt\n")), qPrintable(o.out));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("WLT_nast_rejzd_000.txt")});
    const QString saved = QDir(shots.path()).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"));
    QVERIFY2(o.out.contains(QStringLiteral("saved=") + saved + QLatin1Char('\n')), qPrintable(o.out));
    QVERIFY(ReadAll(saved).contains("\r\nNastawy:\r\n"));
  }

  void workFolderKeepsItsFilesAndTheControllersOwnFileWins() {
    QTemporaryDir shots, work;
    QVERIFY(shots.isValid() && work.isValid());
    const QString general = QDir(work.path()).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"));
    QFile mine(general);
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine\r\n") == 6);
    mine.close();
    QVERIFY(QFile::copy(ShippedGeneralFile(), QDir(work.path()).filePath(QStringLiteral("WLT_nast_rejzd_007.txt"))));
    const Outcome o = RunProgram({QStringLiteral("--demo"), QStringLiteral("--work-dir"), work.path(),
                                  QStringLiteral("--screenshot"), shots.path()}, 90000);
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    QVERIFY2(o.out.contains(QStringLiteral("caption=WLT - nastawy 007\n")), qPrintable(o.out));
    QCOMPARE(ReadAll(general), QByteArray("mine\r\n"));  // never overwritten
  }

  // Started from the menu, with no controller on COM1: the window works in
  // the default work folder, made on the first start with the general file.
  void desktopEntryStartsInTheDefaultWorkFolder() {
    QTemporaryDir shots, home;
    QVERIFY(shots.isValid() && home.isValid());
    const QString folder = QDir(home.path()).filePath(QStringLiteral("WLT"));
    const QStringList arguments = DesktopEntryArguments();
    QCOMPARE(arguments, QStringList{QStringLiteral("--default-work-dir")});
    const QString noPort = QDir(home.path()).filePath(QStringLiteral("no-such-port"));
    const Outcome o = RunProgram(arguments + QStringList{QStringLiteral("--port"), QStringLiteral("COM1=") + noPort,
                                                         QStringLiteral("--screenshot"), shots.path()},
                                 90000, folder);
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    QCOMPARE(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))), ReadAll(ShippedGeneralFile()));
    QVERIFY2(o.out.contains(QStringLiteral("caption=WLT - nastawy 000\n")), qPrintable(o.out));
    // A second start keeps what the folder holds.
    QFile mine(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt")));
    QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine\r\n") == 6);
    mine.close();
    const Outcome again = RunProgram({QStringLiteral("--default-work-dir"), QStringLiteral("--port"),
                                      QStringLiteral("COM1=") + noPort, QStringLiteral("--screenshot"), shots.path()},
                                     90000, folder);
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    QCOMPARE(ReadAll(QDir(folder).filePath(QStringLiteral("WLT_nast_rejzd_000.txt"))), QByteArray("mine\r\n"));
  }

  void defaultWorkFolderThatCannotBeMadeEndsWithStatus1() {
    const Outcome o = RunProgram({QStringLiteral("--default-work-dir")}, 30000, QStringLiteral("/dev/null/WLT"));
    QCOMPARE(o.exitCode, 1);
    QVERIFY2(o.err.contains(QStringLiteral("/dev/null/WLT")), qPrintable(o.err));
  }

  void workFolderThatCannotBeMadeEndsWithStatus1() {
    const Outcome o = RunProgram({QStringLiteral("--work-dir"), QStringLiteral("/dev/null/WLT")});
    QCOMPARE(o.exitCode, 1);
    QVERIFY2(o.err.contains(QStringLiteral("/dev/null/WLT")), qPrintable(o.err));
  }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
