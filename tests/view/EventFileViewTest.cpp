// The event file in the window, offscreen: the save dialogs as Qt shows them
// ask before replacing a file.

#include "app/view/MainWindow.h"
#include "mdbcomp/PortMap.h"

#include <QtTest>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
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
// with their escape button ("No" for the overwrite question), file dialogs
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

}  // namespace

class EventFileViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PortMap::Clear();
    PortMap::Set("COM1", kMissingPort);
  }
  void cleanup() { PortMap::Clear(); }

  // Qt's dialog asks about the file the save would replace and, answered
  // "No", stays open; cancelled then, nothing is written.
  void saveDialogsAskBeforeReplacingAFile_data() {
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("event file") << QStringLiteral("SaveDialog2") << QStringLiteral("odczyt.dat") << QStringLiteral("dat");
    QTest::newRow("settings file") << QStringLiteral("SaveDialog1") << QStringLiteral("WLT_nastawy_007.txt")
                                   << QString();
  }
  void saveDialogsAskBeforeReplacingAFile() {
    QFETCH(QString, dialogName);
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
    bool confirms = false;
    QString defaultSuffix;
    answers.onFileDialog = [&](QFileDialog& dialog) {
      if (seen++ == 0) {
        confirms = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        defaultSuffix = dialog.defaultSuffix();
        dialog.selectFile(path);
        QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
      } else {
        dialog.reject();
      }
    };
    TFileDialog& state = dialogName == QLatin1String("SaveDialog2") ? window->form().SaveDialog2
                                                                    : window->form().SaveDialog1;
    state.FileName = path;
    QVERIFY(!window->ExecuteSaveDialog(state));
    QVERIFY(confirms);
    QCOMPARE(defaultSuffix, suffix);
    QCOMPARE(seen, 2);
    QCOMPARE(answers.boxTexts.size(), 1);  // the overwrite question
    QVERIFY2(answers.boxTexts[0].contains(existing), qPrintable(answers.boxTexts[0]));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier\r\n"));
  }
};

QTEST_MAIN(EventFileViewTest)
#include "EventFileViewTest.moc"
