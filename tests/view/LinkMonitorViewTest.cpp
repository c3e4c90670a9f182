// The link monitor in the window, offscreen, against wlt-sim with the
// faults an engineer meets: its entry in "Komunikacja", its dock with a row
// per try and its outcome, the counters, "Wyczyść", closing it, and a table
// that appends in batches and keeps the last 10,000 rows. With
// WLT_MONITOR_SHOTS=DIR each case leaves a picture of the window there.

#include "FakeUi.h"
#include "SimProcess.h"
#include "TraceFrames.h"
#include "app/view/LinkMonitorDock.h"
#include "ShownWindow.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>

#include <memory>

namespace {

const char* kMissingPort = "/nonexistent/wlt-monitor-test-port";

struct Window : ShownWindow {
  using ShownWindow::ShownWindow;
  QTableView* table() { return find<QTableView>(QStringLiteral("MonitorTable")); }
  QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }
  // Opens the monitor through its menu entry, as the user does.
  bool OpenMonitor() {
    find<QAction>(QStringLiteral("Monitorcza1"))->trigger();
    return QTest::qWaitFor([this] { return find<QDockWidget>(QStringLiteral("LinkMonitorDock"))->isVisible(); });
  }
  void Shot(const char* name) {
    const QString dir = qEnvironmentVariable("WLT_MONITOR_SHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    window->grab().save(QDir(dir).filePath(QStringLiteral("monitor-%1.png").arg(QLatin1String(name))));
  }
};

}  // namespace

class LinkMonitorViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  void itsEntryEndsTheMenuKomunikacja() {
    FakeUi ui;
    Window w(ui);
    auto* menu = w.find<QMenu>(QStringLiteral("File1"));
    QVERIFY(menu);
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 4);
    QCOMPARE(actions.back()->objectName(), QStringLiteral("Monitorcza1"));
    QCOMPARE(actions.back()->text(), QStringLiteral("&Monitor łącza"));
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    QVERIFY(!w.find<QDockWidget>(QStringLiteral("LinkMonitorDock"))->isVisible());
  }

  // Each try, its outcome and the counters, as the link met them; the rows
  // are the simulator's frames, one for one.
  void eachTryAgainstTheSimulator_data() {
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<QStringList>("outcomes");  // column "Wynik", row by row
    QTest::addColumn<QString>("counters");
    QTest::addColumn<QString>("message");
    QTest::newRow("answer-from-try-3")
        << QStringList{QStringLiteral("--answer-from-try"), QStringLiteral("3")}
        << QStringList{QStringLiteral("zapytanie, próba 1 z 3"), QStringLiteral("brak odpowiedzi po "),
                       QStringLiteral("zapytanie, próba 2 z 3"), QStringLiteral("brak odpowiedzi po "),
                       QStringLiteral("zapytanie, próba 3 z 3"), QStringLiteral("odpowiedź poprawna, "),
                       QStringLiteral("wynik: poprawna odpowiedź w próbie 3 z 3")}
        << QStringLiteral("Zapytania: 3   Odpowiedzi: 1   Brak odpowiedzi: 2   Błędy CRC: 0   Wyjątki: 0   "
                          "Inne błędne: 0   Spóźnione odrzucone: 0   Powtórzenia: 2")
        << QString();
    QTest::newRow("bad-crc")
        << QStringList{QStringLiteral("--bad-crc")}
        << QStringList{QStringLiteral("zapytanie, próba 1 z 3"), QStringLiteral("błędna suma CRC, "),
                       QStringLiteral("zapytanie, próba 2 z 3"), QStringLiteral("błędna suma CRC, "),
                       QStringLiteral("zapytanie, próba 3 z 3"), QStringLiteral("błędna suma CRC, "),
                       QStringLiteral("wynik: brak komunikacji po 3 próbach")}
        << QStringLiteral("Zapytania: 3   Odpowiedzi: 3   Brak odpowiedzi: 0   Błędy CRC: 3   Wyjątki: 0   "
                          "Inne błędne: 0   Spóźnione odrzucone: 0   Powtórzenia: 2")
        << QStringLiteral("Nie znaleziono urządzenia");
    QTest::newRow("exception")
        << QStringList{QStringLiteral("--exception"), QStringLiteral("801-920")}
        << QStringList{QStringLiteral("zapytanie, próba 1 z 3"),
                       QStringLiteral("wyjątek 2: niedozwolony adres danych (Illegal Data Address), "),
                       QStringLiteral("wynik: odpowiedź odrzucona")}
        << QStringLiteral("Zapytania: 1   Odpowiedzi: 1   Brak odpowiedzi: 0   Błędy CRC: 0   Wyjątki: 1   "
                          "Inne błędne: 0   Spóźnione odrzucone: 0   Powtórzenia: 0")
        << QStringLiteral("Nie znaleziono urządzenia\nUrządzenie odpowiedziało wyjątkiem 2: niedozwolony adres "
                          "danych.");
  }
  void eachTryAgainstTheSimulator() {
    QFETCH(QStringList, simulator);
    QFETCH(QStringList, outcomes);
    QFETCH(QString, counters);
    QFETCH(QString, message);
    std::vector<std::string> args;
    for (const QString& a : simulator) args.push_back(a.toStdString());
    SimProcess sim(args);
    QVERIFY(sim.Running());
    FakeUi ui;
    Window w(ui);  // starts on a missing port: nothing on the line yet
    QVERIFY(w.OpenMonitor());
    PortMap::Set("COM1", sim.DevicePath());
    ui.ClearRecords();
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("Connect")), Qt::LeftButton);
    // The rows as they stood when the connection was over (the clock may
    // add its own afterwards).
    QTableView* table = w.table();
    QVERIFY(table);
    QVERIFY(table->isVisible());
    QCOMPARE(table->model()->rowCount(), int(outcomes.size()));
    for (int row = 0; row < outcomes.size(); ++row)
      QVERIFY2(w.cell(row, LinkMonitorModel::kOutcomeColumn).startsWith(outcomes[row]),
               qPrintable(w.cell(row, LinkMonitorModel::kOutcomeColumn)));
    QCOMPARE(w.find<QLabel>(QStringLiteral("MonitorCounters"))->text(), counters);
    QVERIFY(w.find<QLabel>(QStringLiteral("MonitorReplyTimes"))->text().startsWith(QStringLiteral("Czas odpowiedzi: ")));
    QCOMPARE(ui.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    std::string rows;
    for (const QString& line : w.form().Monitor.FileLines(QDateTime::currentDateTime())) rows += line.toStdString() + "\n";
    QCOMPARE(trace_frames::FromTrace(rows), trace_frames::FromSimLog(sim.Log()));
    w.Shot(QTest::currentDataTag());
  }

  // "Wyczyść" empties the table and the counters; closing the dock stops
  // the watching, and the entry brings it back counting from nothing.
  void clearAndClose() {
    FakeUi ui;
    Window w(ui);
    QVERIFY(w.OpenMonitor());
    TForm1& f = w.form();
    const std::uint8_t request[8] = {1, 3, 3, 0x81, 0, 1, 0xD4, 0x66};
    LinkEvent sent;
    sent.Request = request;
    sent.RequestLength = 8;
    sent.Try = 1;
    sent.Tries = 3;
    f.Monitor.OnLinkEvent(sent);
    w.window->Render();
    QCOMPARE(w.table()->model()->rowCount(), 1);
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("MonitorClearButton")), Qt::LeftButton);
    QCOMPARE(w.table()->model()->rowCount(), 0);
    QVERIFY(w.find<QLabel>(QStringLiteral("MonitorCounters"))->text().startsWith(QStringLiteral("Zapytania: 0 ")));
    auto* dock = w.find<QDockWidget>(QStringLiteral("LinkMonitorDock"));
    QVERIFY(dock->close());
    QTRY_VERIFY(!f.LinkMonitorDock.Visible);
    QCOMPARE(f.Mdb1.Observer(), nullptr);
    QVERIFY(!dock->isVisible());
    QVERIFY(w.OpenMonitor());
    QCOMPARE(f.Mdb1.Observer(), static_cast<LinkObserver*>(&f.Monitor));
  }

  // Rows are appended in one batch per render and the oldest dropped in
  // one, never by resetting the table; the last 10,000 stay.
  void theTableAppendsInBatchesAndKeepsTheLastRows() {
    FakeUi ui;
    Window w(ui);
    QVERIFY(w.OpenMonitor());
    QAbstractItemModel* model = w.table()->model();
    int resets = 0, inserts = 0, removals = 0;
    connect(model, &QAbstractItemModel::modelReset, this, [&] { ++resets; });
    connect(model, &QAbstractItemModel::rowsInserted, this, [&] { ++inserts; });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [&] { ++removals; });
    TForm1& f = w.form();
    const std::uint8_t request[8] = {1, 3, 3, 0x81, 0, 1, 0xD4, 0x66};
    LinkEvent sent;
    sent.Request = request;
    sent.RequestLength = 8;
    sent.Tries = 3;
    for (unsigned i = 1; i <= 9990; ++i) {
      sent.Try = i;
      f.Monitor.OnLinkEvent(sent);
    }
    w.window->Render();
    QCOMPARE(model->rowCount(), 9990);
    for (unsigned i = 9991; i <= 10025; ++i) {
      sent.Try = i;
      f.Monitor.OnLinkEvent(sent);
    }
    w.window->Render();
    QCOMPARE(model->rowCount(), 10000);
    QCOMPARE(inserts, 2);
    QCOMPARE(removals, 1);
    QCOMPARE(resets, 0);
    QCOMPARE(w.cell(0, LinkMonitorModel::kOutcomeColumn), QStringLiteral("zapytanie, próba 26 z 3"));
    QCOMPARE(w.cell(9999, LinkMonitorModel::kOutcomeColumn), QStringLiteral("zapytanie, próba 10025 z 3"));
    // The view follows the newest row.
    QTRY_VERIFY(w.table()->rowAt(w.table()->viewport()->height() - 2) >= 9990);
  }
};

QTEST_MAIN(LinkMonitorViewTest)
#include "LinkMonitorViewTest.moc"
