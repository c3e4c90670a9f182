// The event file in the window, offscreen: the save dialogs as Qt shows them
// and the question before a file is replaced, and a readout from wlt-sim saved through the
// menu comes back in a window started later without a controller, with the
// same list, stamps and identity on screen.

#include "FakeUi.h"
#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#if __has_include("SimProcess.h") && defined(WLT_SIM_PATH)
#include "SimProcess.h"
#define WLT_VIEW_TESTS_WITH_SIM 1
#endif

#include <QtTest>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

const char* kMissingPort = "/nonexistent/wlt-view-test-port";

// A shown window whose start-up steps have run. Without a Ui of the test's
// own, boxes and dialogs are Qt's real ones.
std::unique_ptr<MainWindow> ShownWindow(Ui* modal) {
  auto window = std::make_unique<MainWindow>(modal);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
  if (!QTest::qWaitFor([&window] { return window->Created(); }, 20000)) qWarning("FormCreate did not run");
  return window;
}

// Answers Qt's real modal boxes and dialogs as they come up: message boxes
// with their escape button ("Cancel" for the question before a file is
// replaced), file dialogs
// by the test's own answer. Records what it saw.
class ModalAnswers : public QObject {
 public:
  std::function<void(QFileDialog&)> onFileDialog;
  QStringList boxTexts;

  ModalAnswers() {
    connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
    timer_.start(50);
  }

 private:
  void Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxTexts << box->text();
      if (QAbstractButton* no = box->button(QMessageBox::No)) no->click();
      else box->reject();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      if (onFileDialog) onFileDialog(*files);
      else files->reject();
    }
  }
  QTimer timer_;
};

QStringList ListTexts(MainWindow& window) {
  QStringList texts;
  auto* list = window.findChild<QListWidget*>(QStringLiteral("ListBox1"));
  for (int i = 0; list && i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

QStringList EditTexts(MainWindow& window) {
  QStringList texts;
  for (const char* name : {"EditNrFabr", "EditRokProd", "Edit5", "Edit6", "Edit7", "Edit8", "Edit3", "Edit1",
                           "Edit2", "Edit4"})
    texts << window.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
  return texts;
}

}  // namespace

class EventFileViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  // Qt's dialog asks nothing before a file is replaced: the handler asks,
  // about the file it writes after its name rules, which is not the name
  // typed. Answered Cancel, nothing is written.
  void saveAsksAboutTheFileItWrites_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("event file") << QStringLiteral("SaveDialog2") << QStringLiteral("zdarzenia.txt")
                                << QStringLiteral("zdarzenia.dat") << QStringLiteral("dat");
    QTest::newRow("settings file") << QStringLiteral("SaveDialog1") << QStringLiteral("WLT_nastawy_007.dat")
                                   << QStringLiteral("WLT_nastawy_007.dat.txt") << QStringLiteral("txt");
  }
  void saveAsksAboutTheFileItWrites() {
    QFETCH(QString, dialogName);
    QFETCH(QString, typed);
    QFETCH(QString, existing);
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(existing);
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write("earlier\r\n") == 9);
    }
    ModalAnswers answers;
    std::unique_ptr<MainWindow> window = ShownWindow(nullptr);
    answers.boxTexts.clear();  // the start-up's boxes

    int seen = 0;
    bool confirms = true;
    QString defaultSuffix;
    const QFileDialog* accepted = nullptr;
    answers.onFileDialog = [&](QFileDialog& dialog) {
      if (&dialog == accepted) return;  // closing on its accept
      if (seen++ == 0) {
        accepted = &dialog;
        confirms = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        defaultSuffix = dialog.defaultSuffix();
        // Typed into the name field in the folder: a name of no file yet.
        dialog.setDirectory(dir.path());
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(typed);
        QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
      } else {
        dialog.reject();
      }
    };
    TForm1& form = window->form();
    if (dialogName == QLatin1String("SaveDialog2")) form.Zapiszjako2Click();
    else form.Zapiszjako1Click();
    QVERIFY(!confirms);
    QCOMPARE(defaultSuffix, suffix);
    QCOMPARE(seen, 1);
    QCOMPARE(answers.boxTexts, QStringList{QStringLiteral("Plik %1 już istnieje. Zastąpić go?").arg(existing)});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{existing});
  }

  void readoutSavedNowComesBackInALaterWindowWithoutController() {
#ifndef WLT_VIEW_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList listRead, editsRead;
    {
      SimProcess sim({"--factory-number", "7", "--production-year", "2019", "--clock", "2024-03-15T08:05:59",
                      "--freeze-clock"});
      QVERIFY(sim.Running());
      PortMap::Set("COM1", sim.DevicePath());
      FakeUi ui;
      std::unique_ptr<MainWindow> window = ShownWindow(&ui);
      QVERIFY(window->form().ControllerFound());
      window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(3);
      window->findChild<QAction*>(QStringLiteral("Odczyt1"))->trigger();
      QCoreApplication::processEvents();  // the entry runs once its menu has closed
      QCOMPARE(window->form().StatusBar1.Panels[1].Text, QStringLiteral(" Odczytano zdarzenia"));
      listRead = ListTexts(*window);
      editsRead = EditTexts(*window);
      QCOMPARE(listRead.size() > 50, true);  // the generated history has causes

      auto* save = window->findChild<QAction*>(QStringLiteral("Zapiszjako2"));
      QVERIFY(save->isEnabled());
      ui.SaveAnswers.push_back(dir.filePath(QStringLiteral("odczyt")));
      save->trigger();
      QCoreApplication::processEvents();
      QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("odczyt.dat"))));
      window->close();
    }

    // The program started again with no controller on the line.
    PortMap::Set("COM1", kMissingPort);
    FakeUi ui;
    std::unique_ptr<MainWindow> window = ShownWindow(&ui);
    QVERIFY(!window->form().ControllerFound());
    window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(3);
    auto* open = window->findChild<QAction*>(QStringLiteral("OdczytPC1"));
    QVERIFY(open->isEnabled());
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("Zapiszjako2"))->isEnabled());
    ui.OpenAnswers.push_back(dir.filePath(QStringLiteral("odczyt.txt")));  // x.txt chosen: x.dat read
    open->trigger();
    QCoreApplication::processEvents();

    QCOMPARE(ListTexts(*window), listRead);
    QCOMPARE(EditTexts(*window), editsRead);
    auto* list = window->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    QVERIFY(list->isVisible());
    QCOMPARE(window->focusWidget(), static_cast<QWidget*>(list));
    QVERIFY(window->findChild<QAction*>(QStringLiteral("Zapiszjako2"))->isEnabled());
    QVERIFY(window->findChild<QAction*>(QStringLiteral("Drukuj1"))->isEnabled());
#endif
  }
};

QTEST_MAIN(EventFileViewTest)
#include "EventFileViewTest.moc"
