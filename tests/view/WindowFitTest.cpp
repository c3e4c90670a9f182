// The window on a screen smaller than its described size, as 1366x768 is at
// 125 % and 150 %: CTest runs this with QT_SCALE_FACTOR set, on the offscreen
// screen of 800x600 pixels (640x480 and 533x400 at those scales).

#include "FakeUi.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

namespace {

const char* kMissingPort = "/nonexistent/wlt-view-test-port";

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  void theWholeWindowIsOnTheScreen() {
    FakeUi ui;
    MainWindow window(&ui);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(QTest::qWaitFor([&window] { return window.Created(); }, 20000));
    const QRect available = window.screen()->availableGeometry();
    qInfo("scale %s: screen %dx%d, window %dx%d at %d,%d", qgetenv("QT_SCALE_FACTOR").constData(),
          available.width(), available.height(), window.width(), window.height(), window.x(), window.y());
    QVERIFY2(available.contains(window.frameGeometry()), "the window reaches past the screen");
    // The status bar and the menus are inside it, so on the screen too.
    for (QWidget* part : {static_cast<QWidget*>(window.statusBar()), static_cast<QWidget*>(window.menuBar())}) {
      QVERIFY(part->isVisible());
      QVERIFY(window.rect().contains(QRect(part->mapTo(&window, QPoint()), part->size())));
    }
    // The window's smallest size fits the screen as well.
    QVERIFY(window.minimumSizeHint().width() <= available.width());
    QVERIFY(window.minimumSizeHint().height() <= available.height());
    QVERIFY(window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isVisible());
  }
};

QTEST_MAIN(WindowFitTest)
#include "WindowFitTest.moc"
