// The window in use, offscreen: menu entries that run once their menu has
// closed, progress painted while an operation runs, the clock tick against a
// controller that stopped answering, the event arrows, and the keyboard's
// way into the menus. Modal requests go to a scripted Ui.

#include "FakeUi.h"
#include "ShownWindow.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#if __has_include("SimProcess.h") && defined(WLT_SIM_PATH)
#include "SimProcess.h"
#define WLT_VIEW_TESTS_WITH_SIM 1
#endif

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include <csignal>
#include <map>
#include <memory>
#include <set>

namespace {

const char* kMissingPort = "/nonexistent/wlt-view-test-port";

int OverrideCursor() { return QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1; }

// Counts the paint events a widget and its children get.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Records, at every beep, progress text and box, the state of the screen.
struct ProbeUi : FakeUi {
  MainWindow* window = nullptr;
  const QMenu* menu = nullptr;
  const PaintCounter* paints = nullptr;
  QList<int> cursorAtBeep, paintsAtBeep;
  QList<bool> menuShownAtBeep;
  QStringList panelAtProgress;  // the status panel's widget, not the state
  void Beep() override {
    cursorAtBeep << OverrideCursor();
    paintsAtBeep << (paints ? paints->paints : -1);
    menuShownAtBeep << (menu && menu->isVisible());
    FakeUi::Beep();
  }
  void ShowProgress(const QString& status) override {
    if (auto* panel = window ? window->findChild<QLabel*>(QStringLiteral("StatusBar1Panel1")) : nullptr)
      panelAtProgress << panel->text();
    FakeUi::ShowProgress(status);
  }
};

struct Window : ShownWindow {
  using ShownWindow::ShownWindow;
  QString panel(int i) { return find<QLabel>(QStringLiteral("StatusBar1Panel%1").arg(i))->text(); }
};

// Records the override cursor at each tick's reading of the PC clock.
struct ClockProbeUi : FakeUi {
  QList<int> cursorAtClock;
  QDateTime Now() override {
    cursorAtClock << OverrideCursor();
    return FakeUi::Now();
  }
};

// The menus as the keyboard reaches them: the entry's object name, its
// caption with the underlined letter marked, and its shortcut.
struct MenuKey {
  const char* name;
  QString caption;
  QString shortcut;  // portable text, empty for none
};

const std::vector<std::pair<MenuKey, std::vector<MenuKey>>>& Menus() {
  static const std::vector<std::pair<MenuKey, std::vector<MenuKey>>> menus = {
      {{"File1", QStringLiteral("&Komunikacja"), {}},
       {{"Polcz1", QStringLiteral("&Polącz"), {}},
        {"Rozlcz1", QStringLiteral("&Rozlącz"), {}},
        {"Szukaj1", QStringLiteral("&Szukaj urządzenia…"), {}}}},
      {{"WLT1", QStringLiteral("&Nastawy"), {}},
       {{"N1", QStringLiteral("&Odczyt nastaw z WLT"), QStringLiteral("F6")},
        {"WLTPC1", QStringLiteral("Za&pis nastaw do WLT"), {}},
        {"Porownaj1", QStringLiteral("Po&równaj z WLT"), {}},
        {"Otwrz1", QStringLiteral("O&twórz plik"), QStringLiteral("Ctrl+O")},
        {"Zapiszjako1", QStringLiteral("&Zapisz plik jako..."), QStringLiteral("Ctrl+S")},
        {"Podglad2", QStringLiteral("Podgląd &wydruku"), {}},
        {"Drukuj2", QStringLiteral("&Drukuj"), QStringLiteral("Ctrl+P")}}},
      {{"Zdarzenia1", QStringLiteral("&Zdarzenia"), {}},
       {{"Odczyt1", QStringLiteral("&Odczyt rejestru z WLT"), QStringLiteral("F7")},
        {"OdczytPC1", QStringLiteral("O&twórz plik"), {}},
        {"Zapiszjako2", QStringLiteral("&Zapisz plik jako..."), {}},
        {"EksportCSV1", QStringLiteral("&Eksport do CSV"), {}},
        {"Podglad1", QStringLiteral("Podgląd &wydruku"), {}},
        {"Drukuj1", QStringLiteral("&Drukuj"), {}}}},
  };
  return menus;
}

QChar Mnemonic(const QString& caption) {
  const qsizetype at = caption.indexOf(QLatin1Char('&'));
  return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toLower() : QChar();
}

}  // namespace

class WindowUseTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  // The entry's handler runs from the event loop once the menu has closed
  // and the window has been painted again, under the wait cursor shown at
  // once.
  void aMenuEntryRunsAfterItsMenuHasClosed() {
    ProbeUi probe;
    Window w(probe);
    probe.window = w.window.get();
    PaintCounter paints;
    w.window->centralWidget()->installEventFilter(&paints);
    probe.paints = &paints;
    auto* menu = w.find<QMenu>(QStringLiteral("File1"));
    probe.menu = menu;
    probe.ClearRecords();
    probe.cursorAtBeep.clear();
    probe.paintsAtBeep.clear();
    probe.menuShownAtBeep.clear();

    menu->popup(w.window->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(w.find<QAction>(QStringLiteral("Polcz1")));
    paints.paints = 0;
    QTest::keyClick(menu, Qt::Key_Return);
    // Nothing ran inside the menu's signal; the user sees the wait at once.
    QVERIFY(probe.Log.isEmpty());
    QVERIFY(!menu->isVisible());
    QCOMPARE(OverrideCursor(), int(Qt::WaitCursor));
    QTRY_VERIFY(!probe.Log.isEmpty());
    QVERIFY(probe.Messages.value(0).startsWith(QStringLiteral("COM1 jest niedostępny\n")));
    QCOMPARE(probe.cursorAtBeep, QList<int>{int(Qt::WaitCursor)});
    QCOMPARE(probe.menuShownAtBeep, QList<bool>{false});
    QVERIFY2(probe.paintsAtBeep.value(0) > 0, "the window was not painted before the handler ran");
    QCOMPARE(OverrideCursor(), -1);
  }

  // A second entry chosen before the first has run is not lost, nor run
  // inside the first.
  void entriesChosenInARowRunOneAfterTheOther() {
    FakeUi ui;
    Window w(ui);
    ui.ClearRecords();
    w.find<QAction>(QStringLiteral("Polcz1"))->trigger();
    w.find<QAction>(QStringLiteral("Otwrz1"))->trigger();
    QTRY_COMPARE(ui.Log.size(), 3);
    QCOMPARE(ui.Log.value(0), QStringLiteral("beep"));
    QVERIFY(ui.Log.value(1).startsWith(QStringLiteral("message:COM1 jest niedostępny")));
    QCOMPARE(ui.Log.value(2), QStringLiteral("open:Text files (*.txt)|*.TXT"));
  }

  // The underlined letters read as the described captions, differ within
  // each menu, and the shortcuts are the common ones where an entry means
  // what Qt's standard key means, else keys no standard key uses.
  void menusHaveMnemonicsAndShortcuts() {
    FakeUi ui;
    Window w(ui);
    const QList<QAction*> top = w.window->menuBar()->actions();
    QCOMPARE(top.size(), qsizetype(Menus().size()));
    std::set<QChar> topLetters;
    std::map<QString, QString> shortcuts;  // key -> entry
    for (std::size_t m = 0; m < Menus().size(); ++m) {
      const auto& [menuKey, entries] = Menus()[m];
      QCOMPARE(top[qsizetype(m)]->text(), menuKey.caption);
      QVERIFY(topLetters.insert(Mnemonic(menuKey.caption)).second);
      std::set<QChar> letters;
      for (const MenuKey& entry : entries) {
        auto* action = w.find<QAction>(QString::fromLatin1(entry.name));
        QVERIFY2(action, entry.name);
        QCOMPARE(action->text(), entry.caption);
        QVERIFY2(letters.insert(Mnemonic(entry.caption)).second, entry.name);
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), entry.shortcut);
        if (!entry.shortcut.isEmpty())
          QVERIFY2(shortcuts.emplace(entry.shortcut, QString::fromLatin1(entry.name)).second, entry.name);
      }
    }
    // Which standard key each shortcut may be: its own meaning only.
    const std::map<QString, std::set<QKeySequence::StandardKey>> allowed = {
        {QStringLiteral("Otwrz1"), {QKeySequence::Open}},
        {QStringLiteral("Zapiszjako1"), {QKeySequence::Save, QKeySequence::SaveAs}},
        {QStringLiteral("Drukuj2"), {QKeySequence::Print}},
    };
    for (const auto& [key, entry] : shortcuts) {
      for (int standard = QKeySequence::HelpContents; standard <= QKeySequence::Cancel; ++standard) {
        const auto standardKey = QKeySequence::StandardKey(standard);
        if (!QKeySequence::keyBindings(standardKey).contains(QKeySequence(key))) continue;
        const auto ok = allowed.find(entry);
        QVERIFY2(ok != allowed.end() && ok->second.count(standardKey),
                 qPrintable(entry + QStringLiteral(" clashes with standard key ") + QString::number(standard)));
      }
    }
  }

  void aShortcutRunsItsEntry() {
    FakeUi ui;
    Window w(ui);
    ui.ClearRecords();
    QTest::keySequence(w.window.get(), QKeySequence(QStringLiteral("Ctrl+O")));
    QTRY_COMPARE(ui.Log, QStringList{QStringLiteral("open:Text files (*.txt)|*.TXT")});
    ui.ClearRecords();
    QTest::keySequence(w.window.get(), QKeySequence(QStringLiteral("F6")));
    QTRY_COMPARE(ui.Log.value(1), QStringLiteral("message:Brak komunikacji z urządzeniem"));
    QCOMPARE(w.panel(1), QStringLiteral(" Błąd odczytu"));
  }

  // The first arrow press after a readout goes the way of the arrow, by
  // mouse and by key.
  void theEventArrowsGoTheWayPressed() {
    FakeUi ui;
    Window w(ui);
    TForm1& f = w.form();
    for (int c = 0; c < 64; ++c) f.CauseTexts[std::size_t(c)] = QStringLiteral("tekst %1").arg(c + 1);
    f.EventTable[6][3] = 0x0002;  // event 7: causes 2, 17 and 30
    f.EventTable[6][4] = 0x2001;
    f.EventsLoaded = true;
    f.BuildEventList();
    f.CurrentEvent = 6;
    f.ShowEvent(6, -1);  // from the lowest cause: 2
    f.ListBox1.Visible = false;
    w.window->Render();
    w.find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(3);
    auto* cause = w.find<QLineEdit>(QStringLiteral("Edit4"));
    QCOMPARE(cause->text(), QStringLiteral("02:  tekst 2"));
    QCOMPARE(f.UpDown1.Position, 0);
    auto* upDown = w.find<QWidget>(QStringLiteral("UpDown1"));
    QTest::mouseClick(upDown->findChild<QToolButton*>(QStringLiteral("Down")), Qt::LeftButton);
    QCOMPARE(cause->text(), QStringLiteral("17:  tekst 17"));
    QCOMPARE(f.UpDown1.Position, 100);
    QTest::keyClick(upDown, Qt::Key_Down);
    QCOMPARE(cause->text(), QStringLiteral("30:  tekst 30"));
    f.UpDown1.Position = 100;
    QTest::keyClick(upDown, Qt::Key_Up);
    QCOMPARE(cause->text(), QStringLiteral("17:  tekst 17"));
    QCOMPARE(f.UpDown1.Position, 0);
  }

  // The slots are always declared: moc does not see which helpers exist.
  void progressIsOnScreenWhileTheReadoutRuns() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim;
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    ProbeUi probe;
    Window w(probe);
    probe.window = w.window.get();
    QVERIFY(w.form().ControllerFound());
    probe.ClearRecords();
    w.find<QAction>(QStringLiteral("Odczyt1"))->trigger();
    QTRY_COMPARE(w.panel(1), QStringLiteral(" Odczytano zdarzenia"));
    QStringList steps;
    for (int i = 1; i <= 7; ++i) steps << QStringLiteral(" Odczyt zdarzeń %1/7 …").arg(i);
    QCOMPARE(probe.Progress, steps);
    // The widget showed each step while the readout ran.
    QCOMPARE(probe.panelAtProgress, steps);
#endif
  }

  // The controller stops answering: the tick asks it less and less often,
  // panel 1 says so, and between the questions the window is free (no wait
  // cursor). The view's own timer drives the ticks.
  void aSilentControllerLeavesTheWindowFree() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    // The start-up's connection and schedule take 5 requests.
    SimProcess sim({"--stop-after-requests", "7"});
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    FakeUi ui;
    Window w(ui);
    QVERIFY(w.form().ControllerFound());
    ui.ClearRecords();
    w.form().Mdb1.ResponseTime = 100;  // a failed question: about 0.4 s
    QTRY_COMPARE_WITH_TIMEOUT(w.panel(1), QStringLiteral(" WLT nie odpowiada"), 10000);
    const std::size_t silentFrom = sim.Requests().size();
    // Seven seconds of ticks, the cursor looked at every 50 ms.
    int samples = 0, busy = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 7000) {
      QTest::qWait(50);
      ++samples;
      busy += OverrideCursor() == int(Qt::WaitCursor);
    }
    const std::size_t asked = sim.Requests().size() - silentFrom;
    // Every second the link's three tries would be 21 requests; asked after
    // 2, 4 and 8 ticks it is three questions at most.
    QVERIFY2(asked <= 12, qPrintable(QString::number(asked)));
    QVERIFY2(busy * 2 < samples, qPrintable(QStringLiteral("%1 of %2 samples busy").arg(busy).arg(samples)));
    QCOMPARE(w.panel(0), QStringLiteral(" Połączony"));
    QCOMPARE(w.panel(1), QStringLiteral(" WLT nie odpowiada"));
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit9"))->text(), QStringLiteral("##-##-##"));
    QVERIFY(ui.Log.isEmpty());
#endif
  }

  // A tick that asks a controller whose last transaction went unanswered
  // may hold the window for the link's tries: it runs under the wait
  // cursor; the ticks that only wait, and the window between ticks, do not.
  void aTickAskingASilentControllerShowsTheWaitCursor() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim({"--factory-number", "7"});
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    ClockProbeUi probe;
    Window w(probe);
    QVERIFY(w.form().ControllerFound());
    QCOMPARE(OverrideCursor(), -1);
    // The controller stops answering: the next transaction fails.
    QVERIFY(sim.Signal(SIGSTOP));
    w.form().Mdb1.ResponseTime = 100;
    std::uint16_t word = 0;
    QVERIFY(!w.form().Mdb1.ReadRegisters(1, 1300, 1, &word));
    probe.cursorAtClock.clear();
    // Ticks: one that asks (and fails), one that waits, one that asks.
    QTRY_VERIFY_WITH_TIMEOUT(probe.cursorAtClock.size() >= 3, 6000);
    QCOMPARE(probe.cursorAtClock.mid(0, 3), QList<int>({int(Qt::WaitCursor), -1, int(Qt::WaitCursor)}));
    QCOMPARE(OverrideCursor(), -1);
    QVERIFY(sim.Signal(SIGCONT));
#endif
  }
};

QTEST_MAIN(WindowUseTest)
#include "WindowUseTest.moc"
