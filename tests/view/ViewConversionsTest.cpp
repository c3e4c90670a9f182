// The view's conversions: dialog filters and key codes for the handlers,
// and the window's described place and size brought onto a screen.

#include "app/view/ViewConversions.h"
#include "app/view/WindowPlacement.h"

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

  // The described place (157, 72) and size (747x594) on screens of 1366x768
  // at 100, 125 and 150 %, with and without a desktop panel and a frame.
  void theWindowIsBroughtOntoTheScreen() {
    using WindowPlacement::FitToScreen;
    const QPoint place(157, 72);
    const QSize size(747, 594);
    struct Case {
      const char* name;
      QRect available;
      QMargins frame;
      QPoint position;
      QSize size;
    };
    const Case cases[] = {
        {"100 %, fits where it was asked to be", QRect(0, 0, 1366, 768), {}, place, size},
        {"100 %, panel and title bar", QRect(0, 27, 1366, 741), QMargins(1, 30, 1, 1), QPoint(157, 72), QSize(747, 594)},
        {"125 %, moved up, full height", QRect(0, 0, 1093, 614), {}, QPoint(157, 20), size},
        {"125 %, panel and title bar: shorter", QRect(0, 26, 1093, 588), QMargins(1, 30, 1, 1), QPoint(157, 26),
         QSize(747, 557)},
        {"150 %: shorter", QRect(0, 0, 911, 512), {}, QPoint(157, 0), QSize(747, 512)},
        {"a screen narrower than the window", QRect(100, 0, 600, 400), QMargins(4, 24, 4, 4), QPoint(100, 0),
         QSize(592, 372)},
        {"a second screen to the left", QRect(-1280, 0, 1280, 1024), {}, QPoint(-1280 + 1280 - 747, 72), size},
    };
    for (const Case& c : cases) {
      const WindowPlacement::Placement placed = FitToScreen(place, size, c.available, c.frame);
      QVERIFY2(placed.position == c.position, c.name);
      QVERIFY2(placed.size == c.size, c.name);
      const QRect outer(placed.position, placed.size.grownBy(c.frame));
      QVERIFY2(c.available.contains(outer), c.name);
    }
  }
};

QTEST_APPLESS_MAIN(ViewConversionsTest)
#include "ViewConversionsTest.moc"
