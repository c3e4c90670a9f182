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

Outcome RunProgram(const QStringList& arguments, int timeoutMs = 30000) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void helpNeedsNoDisplay() {
    const Outcome o = RunProgram({QStringLiteral("--help")});
    QCOMPARE(o.exitCode, 0);
    QVERIFY(o.out.contains(QStringLiteral("--port COMn=PATH")));
    QVERIFY(o.out.contains(QStringLiteral("--demo")));
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
    QTemporaryDir shots;
    QVERIFY(shots.isValid());
    const Outcome o = RunProgram({QStringLiteral("--demo"), QStringLiteral("--screenshot"), shots.path()}, 90000);
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
  }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "ProgramTest.moc"
