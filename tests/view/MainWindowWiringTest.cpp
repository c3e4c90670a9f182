// The window's wiring, offscreen: the pages, menus and status panels as the
// state gives them, user input reaching the state and its handlers, and
// rendering that writes the state without calling handlers. Modal requests
// go to the scripted FakeUi.

#include "FakeUi.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#if __has_include("SimProcess.h") && defined(WLT_SIM_PATH)
#include "SimProcess.h"
#define WLT_VIEW_TESTS_WITH_SIM 1
#endif

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include "app/view/SettingsDifferencesDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

namespace {

const char* kMissingPort = "/nonexistent/wlt-view-test-port";

// The window as a test drives it: a fake for everything modal, shown so
// that clicks and keys reach the widgets.
struct Window {
  FakeUi ui;
  std::unique_ptr<MainWindow> window;
  explicit Window(Ui* modal = nullptr) {
    window = std::make_unique<MainWindow>(modal ? modal : &ui);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    // The start-up steps run once the window is on screen.
    if (!QTest::qWaitFor([this] { return window->Created(); }, 20000)) qWarning("FormCreate did not run");
  }
  TForm1& form() { return window->form(); }
  template <typename T>
  T* find(const QString& name) {
    return window->findChild<T*>(name);
  }
  void showPage(int index) {
    find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(index);
    QCoreApplication::processEvents();
  }
  QString panel(int i) { return find<QLabel>(QStringLiteral("StatusBar1Panel%1").arg(i))->text(); }
  // A menu entry chosen: its handler runs from the event loop.
  void choose(const char* entry) {
    find<QAction>(QString::fromLatin1(entry))->trigger();
    QCoreApplication::processEvents();
  }
};

// The boxes of a port that does not open and of a missing description file.
bool IsPortBox(const QString& text) { return text.startsWith(QStringLiteral("COM1 jest niedostępny\n")); }
bool IsMissingFileBox(const QString& text) {
  return text.startsWith(QStringLiteral("Błąd odczytu\nNie ma pliku WLT_nast_rejzd_000.txt"));
}

// Records, at each beep and box, the override cursor and whether the
// window was on screen.
struct ProbeUi : FakeUi {
  MainWindow* window = nullptr;
  QList<int> cursorAtBeep, cursorAtMessage;  // -1: no override cursor
  QList<bool> shownAtMessage;
  static int Cursor() { return QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1; }
  void Beep() override {
    cursorAtBeep << Cursor();
    FakeUi::Beep();
  }
  void ShowMessage(const QString& text) override {
    cursorAtMessage << Cursor();
    shownAtMessage << (window && window->isVisible() && window->windowHandle() &&
                       window->windowHandle()->isExposed());
    FakeUi::ShowMessage(text);
  }
};

int OverrideCursor() { return ProbeUi::Cursor(); }

}  // namespace

class MainWindowWiringTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  void eightPagesWithTheirCaptionsInOrder() {
    Window w;
    auto* pages = w.find<QTabWidget>(QStringLiteral("PageControl1"));
    QVERIFY(pages);
    const QStringList captions = {QStringLiteral("WLT"), QStringLiteral("Czasy działania"),
                                  QStringLiteral("Programowanie dzałania"), QStringLiteral("Zdarzenia"),
                                  QStringLiteral("Ustawienia transmisji"), QStringLiteral("Ustawienia WLT"),
                                  QStringLiteral("Testowanie"), QStringLiteral("O programie")};
    QCOMPARE(pages->count(), 8);
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(pages->tabText(i), captions[i]);
      QCOMPARE(pages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(i + 1));
    }
    QCOMPARE(pages->currentIndex(), 0);
    // The user's page choice reaches the state.
    pages->setCurrentIndex(4);
    QCOMPARE(w.form().PageControl1.ActivePageIndex, 4);
  }

  void windowTitleSizeAndPosition() {
    Window w;
    QCOMPARE(w.window->windowTitle(), w.form().Caption);
    QCOMPARE(w.window->size(), QSize(747, 594));
  }

  void menusWithTheirEntriesAndEnabledStates() {
    Window w;
    struct Expected {
      const char* name;
      QString caption;
      bool enabled;
    };
    const std::vector<std::pair<QString, std::vector<Expected>>> menus = {
        {QStringLiteral("&Komunikacja"),
         {{"Polcz1", QStringLiteral("&Polącz"), true},
          {"Rozlcz1", QStringLiteral("&Rozlącz"), true},
          {"Szukaj1", QStringLiteral("&Szukaj urządzenia…"), true},
          {"", QString(), true},  // the separator before the monitor
          {"Monitorcza1", QStringLiteral("&Monitor łącza"), true}}},
        {QStringLiteral("&Nastawy"),
         {{"N1", QStringLiteral("&Odczyt nastaw z WLT"), true},
          {"WLTPC1", QStringLiteral("Za&pis nastaw do WLT"), true},
          {"Porownaj1", QStringLiteral("Po&równaj z WLT"), true},
          {"Otwrz1", QStringLiteral("O&twórz plik"), true},
          {"Zapiszjako1", QStringLiteral("&Zapisz plik jako..."), true},
          {"Podglad2", QStringLiteral("Podgląd &wydruku"), true},
          {"Drukuj2", QStringLiteral("&Drukuj"), true}}},
        {QStringLiteral("&Zdarzenia"),
         {{"Odczyt1", QStringLiteral("&Odczyt rejestru z WLT"), true},
          {"OdczytPC1", QStringLiteral("O&twórz plik"), true},
          {"Zapiszjako2", QStringLiteral("&Zapisz plik jako..."), false},
          {"EksportCSV1", QStringLiteral("&Eksport do CSV"), false},
          {"Podglad1", QStringLiteral("Podgląd &wydruku"), false},
          {"Drukuj1", QStringLiteral("&Drukuj"), false}}},
    };
    const QList<QAction*> top = w.window->menuBar()->actions();
    QCOMPARE(top.size(), qsizetype(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
      QCOMPARE(top[qsizetype(m)]->text(), menus[m].first);
      const QList<QAction*> entries = top[qsizetype(m)]->menu()->actions();
      QCOMPARE(entries.size(), qsizetype(menus[m].second.size()));
      for (std::size_t e = 0; e < std::size_t(entries.size()); ++e) {
        const Expected& expected = menus[m].second[e];
        QCOMPARE(entries[qsizetype(e)]->objectName(), QString::fromLatin1(expected.name));
        QCOMPARE(entries[qsizetype(e)]->text(), expected.caption);
        QVERIFY2(entries[qsizetype(e)]->isEnabled() == expected.enabled, expected.name);
      }
    }
    // Enabled states follow the state at the next rendering.
    w.form().Drukuj1.Enabled = true;
    w.form().OdczytPC1.Enabled = false;
    w.window->Render();
    QVERIFY(w.find<QAction>(QStringLiteral("Drukuj1"))->isEnabled());
    QVERIFY(!w.find<QAction>(QStringLiteral("OdczytPC1"))->isEnabled());
  }

  // The compare's table: register, name, the window's value, the
  // controller's; the write button accepts, Enter closes without writing.
  void settingsDifferencesDialogShowsTheTableAndItsWriteButton() {
    const std::vector<SettingsDiff::Change> differences = {
        {905, -1, QStringLiteral("nst_trSPP"), 50, 300},
        {807, 13, QStringLiteral("Rezerwa"), 1, 0},
    };
    const QStringList expected[] = {
        {QStringLiteral("905"), QStringLiteral("nst_trSPP"), QStringLiteral("300"), QStringLiteral("50")},
        {QStringLiteral("807.13"), QStringLiteral("Rezerwa"), QStringLiteral("0"), QStringLiteral("1")},
    };
    for (const bool write : {true, false}) {
      SettingsDifferencesDialog dialog(differences);
      QTableWidget* table = dialog.table();
      QCOMPARE(table->rowCount(), 2);
      QCOMPARE(table->columnCount(), 4);
      QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("W programie"));
      QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("W WLT"));
      for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column)
          QCOMPARE(table->item(row, column)->text(), expected[row][column]);
      auto* button = dialog.findChild<QPushButton*>(QStringLiteral("WriteSettingsButton"));
      QVERIFY(button);
      QCOMPARE(button->text(), QStringLiteral("Zapis nastaw do WLT"));
      dialog.show();
      if (write) button->click();
      else QTest::keyClick(&dialog, Qt::Key_Return);
      QCOMPARE(dialog.result(), write ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }
  }

  void menuEntryRunsItsHandler() {
    Window w;
    w.ui.ClearRecords();
    w.choose("Polcz1");
    QCOMPARE(w.ui.Messages.size(), 1);
    QVERIFY(IsPortBox(w.ui.Messages[0]));
  }

  void printAndPreviewEntriesReachTheirHandlers() {
    Window w;
    for (int row = 1; row <= 20; ++row) w.form().StringGrid1.Cells(1, row) = QStringLiteral("100");
    w.window->Render();
    w.ui.ClearRecords();
    w.ui.PrintDialogAnswers = {2};
    w.choose("Drukuj2");
    QCOMPARE(w.ui.Log, (QStringList{QStringLiteral("print-dialog"), QStringLiteral("print:WLT"),
                                    QStringLiteral("print:WLT")}));
    w.ui.ClearRecords();
    w.choose("Podglad2");
    QCOMPARE(w.ui.Log, QStringList{QStringLiteral("preview:WLT")});
    QCOMPARE(w.ui.Previews.front().Lines, w.form().RichEdit1.Lines);
    // The event entries wait for events.
    w.ui.ClearRecords();
    w.choose("Podglad1");
    w.choose("Drukuj1");
    QVERIFY(w.ui.Log.isEmpty());
  }

  void fourStatusPanels() {
    Window w;
    const int widths[] = {90, 120, 50, 50};
    for (int i = 0; i < 4; ++i) {
      auto* panel = w.find<QLabel>(QStringLiteral("StatusBar1Panel%1").arg(i));
      QVERIFY(panel);
      QCOMPARE(panel->width(), widths[i]);
      QCOMPARE(panel->text(), w.form().StatusBar1.Panels[std::size_t(i)].Text);
    }
    QCOMPARE(w.panel(0), QStringLiteral(" Brak połączenia"));
    QVERIFY(w.panel(2).isEmpty() && w.panel(3).isEmpty());
  }

  void everyControlHasItsWidget() {
    Window w;
    int checked = 0;
    for (const TControl* control : w.form().Controls()) {
      QVERIFY2(w.window->findChild<QObject*>(control->Name), qPrintable(control->Name));
      ++checked;
    }
    QVERIFY(checked > 300);  // 110 + 160 check boxes, 160 labels and the rest
  }

  void startUpWithoutPortStillOpensTheWindow() {
    Window w;
    QVERIFY(IsPortBox(w.ui.Messages.value(0)));
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.panel(0), QStringLiteral(" Brak połączenia"));
    // No description file in the test's folder: the failure caption.
    QVERIFY(IsMissingFileBox(w.ui.Messages.last()));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("WLT - nastawy 000*"));
  }

  void startUpStepsRunOnceTheWindowIsOnScreen() {
    ProbeUi probe;
    auto window = std::make_unique<MainWindow>(&probe);
    probe.window = window.get();
    QTest::qWait(50);
    QVERIFY(!window->Created());
    QVERIFY(probe.Log.isEmpty());
    window->show();
    QVERIFY(QTest::qWaitFor([&window] { return window->Created(); }, 20000));
    QCOMPARE(probe.Messages.size(), 2);
    QVERIFY(IsPortBox(probe.Messages[0]));
    QVERIFY(IsMissingFileBox(probe.Messages[1]));
    QCOMPARE(probe.shownAtMessage, QList<bool>({true, true}));
    // The start-up waits under the wait cursor; the boxes do not.
    QCOMPARE(probe.cursorAtBeep, QList<int>({int(Qt::WaitCursor), int(Qt::WaitCursor)}));
    QCOMPARE(probe.cursorAtMessage, QList<int>({-1, -1}));
    QCOMPARE(OverrideCursor(), -1);
  }

  void menuCommandsRunUnderTheWaitCursor() {
    ProbeUi probe;
    Window w(&probe);
    probe.cursorAtBeep.clear();
    probe.cursorAtMessage.clear();
    w.choose("Polcz1");
    QCOMPARE(probe.cursorAtBeep, QList<int>{int(Qt::WaitCursor)});
    QCOMPARE(probe.cursorAtMessage, QList<int>{-1});
    QCOMPARE(OverrideCursor(), -1);
  }

  void connectButtonReachesConnectDevice() {
    Window w;
    w.showPage(4);
    auto* connect = w.find<QPushButton>(QStringLiteral("Connect"));
    QVERIFY(connect);
    QCOMPARE(connect->text(), QStringLiteral("Połącz"));
    w.ui.ClearRecords();
    QTest::mouseClick(connect, Qt::LeftButton);
    QCOMPARE(w.ui.Messages.size(), 1);
    QVERIFY(IsPortBox(w.ui.Messages[0]));
    QCOMPARE(w.ui.Beeps, 1);
    QCOMPARE(w.panel(0), QStringLiteral(" Brak połączenia"));
  }

  // The slot is always declared: moc does not see which helpers exist.
  void connectAndDisconnectWithTheSimulator() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim({"--factory-number", "7", "--production-year", "2019"});
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    Window w;  // FormCreate connects
    QCOMPARE(w.panel(0), QStringLiteral(" Połączony"));
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("EditNrFabr"))->text(), QStringLiteral("7"));
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("EditRokProd"))->text(), QStringLiteral("2019"));
    QVERIFY(!w.find<QAction>(QStringLiteral("OdczytPC1"))->isEnabled());

    w.showPage(4);
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("Disconnect")), Qt::LeftButton);
    QCOMPARE(w.panel(0), QStringLiteral(" Brak połączenia"));
    QVERIFY(w.find<QAction>(QStringLiteral("OdczytPC1"))->isEnabled());
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("Connect")), Qt::LeftButton);
    QCOMPARE(w.panel(0), QStringLiteral(" Połączony"));
#endif
  }

  void savedSettingsComeBackWhenTheFileIsOpenedAgain() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim({"--factory-number", "7"});
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Window w;
    w.choose("N1");
    QCOMPARE(w.panel(1), QStringLiteral(" Odczytano nastawy"));
    auto* grid = w.find<QTableWidget>(QStringLiteral("StringGrid1"));
    const QString read = grid->item(1, 1)->text();
    QVERIFY(!read.isEmpty());

    w.ui.SaveAnswers.push_back(QDir(folder.path()).filePath(QStringLiteral("WLT_nastawy_007")));
    w.choose("Zapiszjako1");
    QCOMPARE(w.ui.DialogFileNames.last(), QStringLiteral("WLT_nast_rejzd_000"));
    QCOMPARE(w.window->windowTitle(), QStringLiteral("WLT - nastawy 007"));
    QVERIFY(QFileInfo::exists(QDir(folder.path()).filePath(QStringLiteral("WLT_nastawy_007.txt"))));

    // The user edits the value, then opens the saved file again.
    w.showPage(1);
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    grid->editItem(grid->item(1, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("12340"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(w.form().StringGrid1.Cells(1, 1), QStringLiteral("12340"));

    w.ui.OpenAnswers.push_back(QDir(folder.path()).filePath(QStringLiteral("WLT_nastawy_007.txt")));
    w.choose("Otwrz1");
    QCOMPARE(w.ui.DialogFileNames.last(), QStringLiteral("WLT_nast_rejzd_007"));
    QTRY_COMPARE(grid->item(1, 1)->text(), read);
    QCOMPARE(w.window->windowTitle(), QStringLiteral("WLT - nastawy 007"));
#endif
  }

  void gridShowsTheStateWithFixedHeaderRowAndNameColumn() {
    Window w;
    auto* grid = w.find<QTableWidget>(QStringLiteral("StringGrid1"));
    QVERIFY(grid);
    QCOMPARE(grid->columnCount(), 3);
    QCOMPARE(grid->rowCount(), 21);
    for (int c = 0; c < 3; ++c) QCOMPARE(grid->columnWidth(c), 124);
    for (int r = 0; r < 21; ++r) QCOMPARE(grid->rowHeight(r), 18);
    QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Wartość"));
    for (int r = 0; r < 21; ++r)
      for (int c = 0; c < 3; ++c) {
        QCOMPARE(grid->item(r, c)->text(), w.form().StringGrid1.Cells(c, r));
        const bool editable = grid->item(r, c)->flags().testFlag(Qt::ItemIsEditable);
        QCOMPARE(editable, r >= 1 && c >= 1);
      }
  }

  void gridEditReachesTheCellAsTyped() {
    Window w;
    w.showPage(1);
    auto* grid = w.find<QTableWidget>(QStringLiteral("StringGrid1"));
    grid->setFocus();
    grid->setCurrentCell(3, 1);
    grid->editItem(grid->item(3, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("1250"));
    // Before the editor closes: a menu command now sees the typed value.
    QCOMPARE(w.form().StringGrid1.Cells(1, 3), QStringLiteral("1250"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(w.form().StringGrid1.Cells(1, 3), QStringLiteral("1250"));
    QTRY_COMPARE(grid->item(3, 1)->text(), QStringLiteral("1250"));  // the editor commits queued
  }

  void programmingCheckBoxToggleReachesTheState() {
    Window w;
    w.showPage(2);
    auto* box = w.find<QCheckBox>(QStringLiteral("CheckBox801"));
    QVERIFY(box);
    QCOMPARE(box->text(), w.form().CheckBox(801).Caption);
    QCOMPARE(box->geometry().topLeft(), QPoint(10, 8));
    QCOMPARE(w.find<QCheckBox>(QStringLiteral("CheckBox820"))->geometry().topLeft(), QPoint(10, 377));
    QCOMPARE(w.find<QCheckBox>(QStringLiteral("CheckBox891"))->geometry().topLeft(), QPoint(610, 8));
    QVERIFY(!w.form().CheckBox(801).Checked);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(w.form().CheckBox(801).Checked);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(!w.form().CheckBox(801).Checked);
  }

  void renderingWritesTheStateWithoutCallingHandlers() {
    Window w;
    TForm1& f = w.form();
    const TParity parity = f.Mdb1.Parity;
    f.ComboBox3.SetItemIndex(0);  // "Parzysta", set without its handler
    f.CheckBox(805).Checked = true;
    f.SpinEdit1.Text = QStringLiteral("12");
    f.Edit4.Text = QStringLiteral("Nie ma żadnej informacji");
    w.window->Render();
    QCOMPARE(w.find<QComboBox>(QStringLiteral("ComboBox3"))->currentText(), QStringLiteral("Parzysta"));
    QVERIFY(w.find<QCheckBox>(QStringLiteral("CheckBox805"))->isChecked());
    QCOMPARE(w.find<QWidget>(QStringLiteral("SpinEdit1"))->findChild<QLineEdit*>()->text(),
             QStringLiteral("12"));
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit4"))->text(), QStringLiteral("Nie ma żadnej informacji"));
    QCOMPARE(f.Mdb1.Parity, parity);  // ComboBox3Change did not run
    QCOMPARE(int(f.SlaveAddress), 1);  // nor SpinEdit1Change
  }

  void typedPortTextReachesTheStateAndLeavesThePort() {
    Window w;
    w.showPage(4);
    auto* box = w.find<QComboBox>(QStringLiteral("ComboBox1"));
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("COM5"));
    QCOMPARE(w.form().ComboBox1.Text, QStringLiteral("COM5"));
    QCOMPARE(w.form().ComboBox1.ItemIndex, -1);
    QCOMPARE(w.form().Mdb1.Port, COM1);
    QCOMPARE(box->currentText(), QStringLiteral("COM5"));
  }

  void pickedParityRunsItsChangeHandler() {
    Window w;
    w.showPage(4);
    auto* box = w.find<QComboBox>(QStringLiteral("ComboBox3"));
    QCOMPARE(box->currentText(), QStringLiteral("Brak"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);  // the item above: "Nieparzysta"
    QCOMPARE(w.form().ComboBox3.Text, QStringLiteral("Nieparzysta"));
    QCOMPARE(w.form().ComboBox3.ItemIndex, 1);
    QCOMPARE(w.form().Mdb1.Parity, prOdd);
  }

  void typedAddressIsLimitedByItsHandler() {
    Window w;
    w.showPage(4);
    QLineEdit* edit = w.find<QWidget>(QStringLiteral("SpinEdit1"))->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("300"));
    QCOMPARE(int(w.form().SlaveAddress), 247);
    QCOMPARE(edit->text(), QStringLiteral("247"));
    QTest::keyClick(edit, Qt::Key_Up);  // stays in range
    QCOMPARE(edit->text(), QStringLiteral("247"));
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(int(w.form().SlaveAddress), 246);
  }

  void upDownWrapsFromTheTop() {
    Window w;
    TForm1& f = w.form();
    f.ListBox1.Visible = false;  // the record view in front
    f.UpDown1.Position = 100;
    w.window->Render();
    w.showPage(3);
    auto* up = w.find<QWidget>(QStringLiteral("UpDown1"))->findChild<QToolButton*>(QStringLiteral("Up"));
    QVERIFY(up);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(f.UpDown1.Position, 0);
    auto* down = w.find<QWidget>(QStringLiteral("UpDown1"))->findChild<QToolButton*>(QStringLiteral("Down"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(f.UpDown1.Position, 100);
  }

  void eventListFillsThePageAndFollowsTheState() {
    Window w;
    TForm1& f = w.form();
    w.showPage(3);
    auto* list = w.find<QListWidget>(QStringLiteral("ListBox1"));
    QVERIFY(list && list->isVisible());
    QVERIFY(list->font().fixedPitch() || QFontInfo(list->font()).fixedPitch());
    QCOMPARE(list->geometry(), list->parentWidget()->rect());
    f.ListBox1.Items = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    w.window->Render();
    QCOMPARE(list->count(), 3);
    list->setCurrentRow(2);  // the user's choice reaches the state
    QCOMPARE(f.ListBox1.ItemIndex, 2);
    f.ListBox1.Visible = false;
    w.window->Render();
    QVERIFY(!list->isVisible());
    QVERIFY(w.find<QCheckBox>(QStringLiteral("CheckBox160"))->isVisible());
    QVERIFY(!w.find<QCheckBox>(QStringLiteral("CheckBox160"))->isEnabled());
  }

  void daySelectorsHoldOnlyTheirEightItems() {
    Window w;
    w.showPage(6);
    auto* day = w.find<QComboBox>(QStringLiteral("ComboBox6"));
    QVERIFY(day);
    QVERIFY(!day->isEditable());
    QCOMPARE(day->count(), 8);
    QCOMPARE(day->currentText(), QStringLiteral("Żaden"));
    day->setFocus();
    QTest::keyClick(day, Qt::Key_Down);  // the next item: "Niedziela"
    QCOMPARE(w.form().ComboBox6.ItemIndex, 1);
    QCOMPARE(w.form().ComboBox6.Text, QStringLiteral("Niedziela"));
    // A day code the list does not hold leaves no item chosen.
    w.form().ComboBox6.SetItemIndex(9);
    w.window->Render();
    QCOMPARE(day->currentIndex(), -1);
    QVERIFY(day->currentText().isEmpty());
    // The transmission page's lists still take typed text.
    QVERIFY(w.find<QComboBox>(QStringLiteral("ComboBox1"))->isEditable());
  }

  void readOnlyFieldsLookReadOnlyAndStayReadable() {
    Window w;
    w.showPage(5);
    auto* clock = w.find<QLineEdit>(QStringLiteral("Edit9"));
    QLineEdit* address = w.find<QWidget>(QStringLiteral("SpinEdit2"))->findChild<QLineEdit*>();
    QVERIFY(clock && address);
    QVERIFY(clock->isReadOnly());
    // A field on the window's face, an input field on white.
    QCOMPARE(clock->palette().color(QPalette::Base), clock->palette().color(QPalette::Window));
    QVERIFY(clock->palette().color(QPalette::Base) != address->palette().color(QPalette::Base));
    // The header's disabled fields keep the normal text colour.
    auto* number = w.find<QLineEdit>(QStringLiteral("EditNrFabr"));
    QVERIFY(!number->isEnabled());
    QCOMPARE(number->palette().color(QPalette::Disabled, QPalette::Text),
             address->palette().color(QPalette::Active, QPalette::Text));
    QCOMPARE(number->palette().color(QPalette::Disabled, QPalette::Base),
             address->palette().color(QPalette::Active, QPalette::Window));
    // An edit the user may type into looks like one again once it is no longer read-only.
    w.form().Edit9.ReadOnly = false;
    w.window->Render();
    QCOMPARE(clock->palette().color(QPalette::Base), address->palette().color(QPalette::Base));
  }

  // The slot is always declared: moc does not see which helpers exist.
  void clockTicksAndServicesRunWithTheSimulator() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim({"--freeze-clock", "--clock", "2021-07-04T08:00:00"});
    QVERIFY(sim.Running());
    PortMap::Set("COM1", sim.DevicePath());
    Window w;  // FormCreate connects and reads the schedule
    QCOMPARE(w.find<QComboBox>(QStringLiteral("ComboBox5"))->currentText(), QStringLiteral("Poniedziałek"));
    QCOMPARE(w.find<QWidget>(QStringLiteral("SpinEdit4"))->findChild<QLineEdit*>()->text(), QStringLiteral("22"));
    w.showPage(5);
    auto* date = w.find<QLineEdit>(QStringLiteral("Edit9"));
    QTRY_COMPARE_WITH_TIMEOUT(date->text(), QStringLiteral("21-07-04"), 3000);
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit15"))->text(), QStringLiteral("Niedziela"));
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit11"))->text(), QStringLiteral("2026-12-08"));

    // "Ustaw czas": the controller's clock follows the PC's at the next tick.
    w.ui.ClearRecords();
    w.ui.ConfirmAnswers = {true};
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("Button4")), Qt::LeftButton);
    QCOMPARE(w.ui.Questions, QStringList{QStringLiteral("Zmienić czas i datę urządzenia?")});
    QTRY_COMPARE_WITH_TIMEOUT(date->text(), QStringLiteral("26-12-08"), 3000);
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit10"))->text(), QStringLiteral("10:20:30"));
    QCOMPARE(w.panel(1), QString());
#endif
  }

  void eventListShowsPolishLettersInAFixedPitch() {
    Window w;
    auto* list = w.find<QListWidget>(QStringLiteral("ListBox1"));
    QVERIFY(list);
    const QFont font = list->font();
    QVERIFY(QFontInfo(font).fixedPitch());
    const QFontMetrics metrics(font);
    const QString polish = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    for (const QChar letter : polish) QVERIFY2(metrics.inFont(letter), qPrintable(QString(letter)));
    // Fixed pitch indeed: the list's columns line up.
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("żżżżż")), metrics.horizontalAdvance(QStringLiteral("iiiii")));
  }

  void indicatorsStandInTwoBlocksNumberedDownTheColumns() {
    Window w;
    w.form().ListBox1.Visible = false;
    w.window->Render();
    w.showPage(3);
    const auto at = [&w](int n) { return w.find<QCheckBox>(QStringLiteral("CheckBox%1").arg(n))->geometry().topLeft(); };
    // Down a column, then the next column; the lower block repeats the upper one.
    QCOMPARE(at(2).x(), at(1).x());
    QVERIFY(at(2).y() > at(1).y());
    QCOMPARE(at(10).x(), at(1).x());
    QCOMPARE(at(11).y(), at(1).y());
    QVERIFY(at(11).x() > at(1).x());
    QCOMPARE(at(71).y(), at(1).y());
    QCOMPARE(at(80).y(), at(10).y());
    QCOMPARE(at(81).x(), at(1).x());
    QVERIFY(at(81).y() > at(10).y());
    for (int n = 81; n <= 160; ++n) QCOMPARE(at(n).x(), at(n - 80).x());
    // Every indicator and caption lies inside the page, none covered by the cause field.
    auto* cause = w.find<QLineEdit>(QStringLiteral("Edit4"));
    for (int n = 1; n <= 160; ++n) {
      for (QWidget* widget : {static_cast<QWidget*>(w.find<QCheckBox>(QStringLiteral("CheckBox%1").arg(n))),
                              static_cast<QWidget*>(w.find<QLabel>(QStringLiteral("zdLabel%1").arg(n)))}) {
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
        QVERIFY2(!widget->geometry().intersects(cause->geometry()), qPrintable(widget->objectName()));
      }
    }
  }

  void aListPickGivesTheArrowsTheFocus() {
    Window w;
    TForm1& f = w.form();
    for (int c = 0; c < 64; ++c) f.CauseTexts[std::size_t(c)] = QStringLiteral("tekst %1").arg(c + 1);
    f.EventTable[6][3] = 0x0002;  // event 7: causes 2, 17 and 30
    f.EventTable[6][4] = 0x2001;
    f.EventsLoaded = true;
    f.BuildEventList();
    f.UpDown1.Position = 50;
    w.window->Render();
    w.showPage(3);
    auto* list = w.find<QListWidget>(QStringLiteral("ListBox1"));
    int row = -1;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text().startsWith(QStringLiteral("07")) && list->item(i)->text().contains(QStringLiteral("17:  ")))
        row = i;
    QVERIFY(row > 8);
    list->setFocus();
    list->setCurrentRow(row);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    auto* cause = w.find<QLineEdit>(QStringLiteral("Edit4"));
    QCOMPARE(cause->text(), QStringLiteral("17:  tekst 17"));
    QWidget* focused = w.window->focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), QStringLiteral("UpDown1"));
    QTest::keyClick(focused, Qt::Key_Down);
    QCOMPARE(cause->text(), QStringLiteral("30:  tekst 30"));
    QTest::keyClick(focused, Qt::Key_Up);
    QTest::keyClick(focused, Qt::Key_Up);
    QCOMPARE(cause->text(), QStringLiteral("02:  tekst 2"));
    QCOMPARE(f.UpDown1.Position, 51);

    // "Lista zdarzeń" brings the list back with the focus; a double click opens a line.
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("Button5")), Qt::LeftButton);
    QVERIFY(list->isVisible());
    QCOMPARE(w.window->focusWidget(), static_cast<QWidget*>(list));
    const QRect first = list->visualItemRect(list->item(9));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QVERIFY(!list->isVisible());
    QCOMPARE(w.find<QLineEdit>(QStringLiteral("Edit3"))->text(), QStringLiteral("Zdarzenie 40"));
  }

  void hiddenControlsStayHidden() {
    Window w;
    w.showPage(4);
    QVERIFY(!w.find<QCheckBox>(QStringLiteral("CheckBox_1"))->isVisible());
    w.showPage(3);
    QVERIFY(!w.find<QWidget>(QStringLiteral("RichEdit1"))->isVisible());
  }
};

QTEST_MAIN(MainWindowWiringTest)
#include "MainWindowWiringTest.moc"
