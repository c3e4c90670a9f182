// The view's conversions: dialog filters and key codes for the handlers.

#include "app/view/ViewConversions.h"

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
};

QTEST_APPLESS_MAIN(ViewConversionsTest)
#include "ViewConversionsTest.moc"
