// The view's conversions: dialog filters, the long time format without its
// time zone, key codes for the handlers, and the command line.

#include "app/view/CommandLine.h"
#include "app/view/ViewConversions.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

using namespace ViewConversions;

class ViewConversionsTest : public QObject {
  Q_OBJECT

 private slots:
  void filtersOfTheWindowsDialogs() {
    QCOMPARE(QtNameFilters(QStringLiteral("Text files (*.txt)|*.TXT")),
             QStringList{QStringLiteral("Text files (*.txt *.TXT)")});
    QCOMPARE(QtNameFilters(QStringLiteral("Text files (*.dat)|*.dat")),
             QStringList{QStringLiteral("Text files (*.dat *.DAT)")});
  }

  void filtersWithSeveralPairsAndPatterns() {
    QCOMPARE(QtNameFilters(QStringLiteral("Pliki|*.txt;*.dat|Wszystkie|*.*")),
             (QStringList{QStringLiteral("Pliki (*.txt *.TXT *.dat *.DAT)"),
                          QStringLiteral("Wszystkie (*.*)")}));
  }

  void filtersWithoutPatterns() {
    QCOMPARE(QtNameFilters(QString()), QStringList{QStringLiteral("* (*)")});
    QCOMPARE(QtNameFilters(QStringLiteral("Wszystkie")), QStringList{QStringLiteral("Wszystkie (*)")});
  }

  void longTimeLosesItsZone() {
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("HH:mm:ss t")), QStringLiteral("HH:mm:ss"));
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("h:mm:ss AP t")), QStringLiteral("h:mm:ss AP"));
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("t HH:mm:ss")), QStringLiteral("HH:mm:ss"));
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("HH:mm:ss tttt")), QStringLiteral("HH:mm:ss"));
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("HH:mm:ss")), QStringLiteral("HH:mm:ss"));
  }

  void quotedTextKeepsItsLetters() {
    QCOMPARE(TimeFormatWithoutZone(QStringLiteral("HH:mm:ss 'tt' t")), QStringLiteral("HH:mm:ss 'tt'"));
  }

  void keyCodesOfTheHandlers() {
    QCOMPARE(WindowsKeyCode(Qt::Key_Return), 13);
    QCOMPARE(WindowsKeyCode(Qt::Key_Enter), 13);
    QCOMPARE(WindowsKeyCode(Qt::Key_Up), 38);
    QCOMPARE(WindowsKeyCode(Qt::Key_Down), 40);
    QCOMPARE(WindowsKeyCode(Qt::Key_A), 65);
    QCOMPARE(WindowsKeyCode(Qt::Key_Z), 90);
    QCOMPARE(WindowsKeyCode(Qt::Key_7), 55);
    QCOMPARE(WindowsKeyCode(Qt::Key_F12), 123);
    QCOMPARE(WindowsKeyCode(Qt::Key_Shift), 0);
  }

  void commandLineOptions() {
    CommandLine options;
    QString error;
    QVERIFY(ParseCommandLine({QStringLiteral("--port"), QStringLiteral("COM1=/dev/ttyUSB0"),
                              QStringLiteral("--port=COM2=/tmp/a"), QStringLiteral("--demo")},
                             options, error));
    QCOMPARE(options.portOptions,
             (QStringList{QStringLiteral("COM1=/dev/ttyUSB0"), QStringLiteral("COM2=/tmp/a")}));
    QVERIFY(options.demo);
    QVERIFY(!options.help);
    QVERIFY(options.screenshotDir.isEmpty());

    QVERIFY(ParseCommandLine({QStringLiteral("--screenshot"), QStringLiteral("/tmp/shots")}, options, error));
    QCOMPARE(options.screenshotDir, QStringLiteral("/tmp/shots"));
    QVERIFY(!options.demo);
  }

  void commandLineRefusals() {
    CommandLine options;
    QString error;
    QVERIFY(!ParseCommandLine({QStringLiteral("--port")}, options, error));
    QVERIFY(error.contains(QStringLiteral("--port")));
    QVERIFY(!ParseCommandLine({QStringLiteral("--bogus")}, options, error));
    QVERIFY(error.contains(QStringLiteral("--bogus")));
    QVERIFY(!ParseCommandLine({QStringLiteral("COM1")}, options, error));
    QVERIFY(!ParseCommandLine({QStringLiteral("--screenshot")}, options, error));
  }

  void portOptionsReachThePortMap() {
    PortMap::Clear();
    QString error;
    QVERIFY(ApplyPortOptions({QStringLiteral("COM3=/tmp/wlt-a"), QStringLiteral("COM3=/tmp/wlt-b")}, error));
    QCOMPARE(QString::fromStdString(PortMap::Resolve("COM3")), QStringLiteral("/tmp/wlt-b"));
    for (const QString& bad : {QStringLiteral("COM0=/x"), QStringLiteral("COM1"), QStringLiteral("COM1="),
                              QStringLiteral("LPT1=/x")}) {
      QVERIFY2(!ApplyPortOptions({bad}, error), qPrintable(bad));
      QVERIFY(error.contains(bad));
    }
    PortMap::Clear();
  }
};

QTEST_APPLESS_MAIN(ViewConversionsTest)
#include "ViewConversionsTest.moc"
