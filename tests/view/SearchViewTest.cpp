// The device search in the window, offscreen: the progress box with what is
// probed, how far and the time taken, its "Przerwij", and the port box
// naming the device of each port. The line is a fake controller.

#include "FakeControllerLine.h"
#include "FakeUi.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

#include <memory>

namespace {

struct SearchWindow {
  FakeUi ui;
  std::shared_ptr<FakeControllerLine::State> line = std::make_shared<FakeControllerLine::State>();
  std::unique_ptr<MainWindow> window;
  SearchWindow() {
    line->Answers = false;
    window = std::make_unique<MainWindow>(&ui, std::make_unique<FakeControllerLine>(line));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    if (!QTest::qWaitFor([this] { return window->Created(); }, 20000)) qWarning("FormCreate did not run");
    window->form().SearchDevices = [] { return std::vector<std::string>{"/dev/fake-usb0"}; };
    ui.ClearRecords();
  }
  QString panel(int i) { return window->findChild<QLabel*>(QStringLiteral("StatusBar1Panel%1").arg(i))->text(); }
};

}  // namespace

class SearchViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { PortMap::Clear(); }
  void cleanup() { PortMap::Clear(); }

  void progressBoxShowsTheProbeAndPrzerwijStopsTheSearch() {
    SearchWindow w;
    QString label, button;
    int maximum = -1;
    bool windowBlocked = false;
    // Once the box is up (the search is running), read it and press its button.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = w.window->findChild<QProgressDialog*>(QStringLiteral("SearchProgress"));
      if (!box || !box->isVisible() || box->wasCanceled()) return;
      label = box->labelText();
      maximum = box->maximum();
      windowBlocked = box->windowModality() != Qt::NonModal;
      if (auto* stop = box->findChild<QPushButton*>()) {
        button = stop->text();
        QTest::mouseClick(stop, Qt::LeftButton);
      }
    });
    poll.start(0);
    w.window->findChild<QAction*>(QStringLiteral("Szukaj1"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.panel(1), QStringLiteral(" Przerwano szukanie"), 20000);
    poll.stop();
    QVERIFY2(label.startsWith(QStringLiteral("Urządzenie /dev/fake-usb0 (1 z 1)\n")), qPrintable(label));
    QVERIFY2(label.contains(QStringLiteral("bit/s, parzystość: ")), qPrintable(label));
    QVERIFY2(label.contains(QStringLiteral("\nCzas: 00:00:")), qPrintable(label));
    QCOMPARE(button, QStringLiteral("Przerwij"));
    QCOMPARE(maximum, 2964);
    QVERIFY(windowBlocked);
    QVERIFY(w.line->Requests.size() < 2964);
    QVERIFY(w.ui.Messages.isEmpty());
    QTRY_VERIFY(!w.window->findChild<QProgressDialog*>(QStringLiteral("SearchProgress")));
  }

  void portBoxNamesTheDeviceOfEachPort() {
    PortMap::Set("COM1", "/dev/ttyUSB0");
    PortMap::Set("COM2", "tcp:127.0.0.1:4001");
    SearchWindow w;
    auto* box = w.window->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    QVERIFY(box);
    QCOMPARE(box->currentText(), QStringLiteral("COM1"));  // the name stays the box's text
    QCOMPARE(box->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("tcp:127.0.0.1:4001"));
    QCOMPARE(box->toolTip(), QStringLiteral("/dev/ttyUSB0"));
    // The list is wide enough for "COM2 → tcp:127.0.0.1:4001".
    QVERIFY(box->view()->minimumWidth() > box->fontMetrics().horizontalAdvance(QStringLiteral("COM2 → tcp:127.0.0.1")));
  }

  void aFindSetsThePageConnectsAndShowsTheController() {
    SearchWindow w;
    w.line->Answers = true;
    w.line->Slave = 4;
    w.line->Registers[898] = 23;
    w.line->Registers[899] = 2018;
    w.window->findChild<QAction*>(QStringLiteral("Szukaj1"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.panel(0), QStringLiteral(" Połączony"), 20000);
    QCOMPARE(w.window->findChild<QLineEdit*>(QStringLiteral("EditNrFabr"))->text(), QStringLiteral("23"));
    QCOMPARE(w.window->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->toolTip(), QStringLiteral("/dev/fake-usb0"));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("WLT - nastawy 023"));
  }
};

QTEST_MAIN(SearchViewTest)
#include "SearchViewTest.moc"
