#include "app/view/ScreenshotTour.h"

#include "app/view/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& path) {
  if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
  else std::printf("%s\n", qUtf8Printable(path));
  std::fflush(stdout);
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The event loop runs on (timer ticks included) for that long.
void Wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// The name the box watcher types into the next file dialog (then accepted);
// empty: the dialog is closed unanswered.
QString& NextFileAnswer() {
  static QString answer;
  return answer;
}

void Trigger(MainWindow& window, const char* actionName) {
  if (auto* action = window.findChild<QAction*>(QString::fromLatin1(actionName))) action->trigger();
  Settle();
}

void ShowPage(MainWindow& window, int index) {
  if (auto* pages = window.findChild<QTabWidget*>(window.form().PageControl1.Name)) {
    pages->setCurrentIndex(index);
  }
  Settle();
}

}  // namespace

namespace ScreenshotTour {

void WatchModalBoxes(const QString& folder) {
  QDir().mkpath(folder);
  // Qt's own file dialogs, which the watcher can see and answer (Windows
  // would run its native one).
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  auto* watcher = new QTimer(qApp);
  auto* count = new int(0);
  auto* answered = new QPointer<QFileDialog>;
  QObject::connect(watcher, &QTimer::timeout, qApp, [folder, count, answered] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    // The picture has no title bar without a window manager: name it here.
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
    auto* files = qobject_cast<QFileDialog*>(modal);
    if (files)
      text = files->nameFilters().join(QLatin1Char(';')) + QStringLiteral(" | ") +
             QFileInfo(files->selectedFiles().value(0)).fileName();
    std::printf("box-%d: [%s] %s\n", *count + 1, qUtf8Printable(modal->windowTitle()), qUtf8Printable(text));
    // A box of the program's own (the print preview) bears its name too.
    const QString name = modal->objectName().isEmpty() || modal->objectName().startsWith(QLatin1String("qt_"))
                             ? QStringLiteral("box-%1.png").arg(++*count)
                             : QStringLiteral("box-%1-%2.png").arg(++*count).arg(modal->objectName());
    Save(*modal, QDir(folder).filePath(name));
    if (files && !NextFileAnswer().isEmpty()) {
      // Typed, as the user would: selectFile leaves a focused name field alone.
      if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(NextFileAnswer());
      else files->selectFile(NextFileAnswer());
      NextFileAnswer().clear();
      static_cast<QDialog*>(files)->accept();
      return;
    }
    // A save dialog saves under the name it proposes, into the picture
    // folder (never over a file of the work folder), so that the files the
    // window writes can be compared with other builds'.
    // A dialog proposing no name (the event file's) gets "zdarzenia" and its
    // default extension. One that does not take its answer is cancelled.
    if (files && files->acceptMode() == QFileDialog::AcceptSave && files != *answered) {
      *answered = files;
      const QFileInfo proposed(files->selectedFiles().value(0));
      const QString name = proposed.isDir() || proposed.fileName().isEmpty() ? QStringLiteral("zdarzenia")
                                                                              : proposed.fileName();
      // Typed into the name field, as a user does: selectFile() leaves a
      // field that has the focus alone.
      files->setDirectory(folder);
      if (auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->setText(name);
      else files->selectFile(QDir(folder).filePath(name));
      static_cast<QDialog*>(files)->accept();  // QFileDialog's own, which takes the name
      if (files->result() == QDialog::Accepted)
        std::printf("saved=%s\n", qUtf8Printable(QDir::toNativeSeparators(files->selectedFiles().value(0))));
      std::fflush(stdout);
      if (files->result() == QDialog::Accepted) return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  });
  QObject::connect(qApp, &QObject::destroyed, [count, answered] {
    delete count;
    delete answered;
  });
  watcher->start(400);
}

void Start(MainWindow& window, const QString& folder) {
  // The tour begins once the window's start-up steps have run.
  if (!window.Created()) {
    QObject::connect(&window, &MainWindow::created, &window, [&window, folder] { Start(window, folder); },
                     Qt::SingleShotConnection);
    return;
  }
  QTimer::singleShot(1000, &window, [&window, folder] {
    const QDir dir(folder);
    // What the user sees of the connection, for whoever runs the tour.
    const auto text = [&window](const QString& name) {
      if (auto* edit = window.findChild<QLineEdit*>(name)) return edit->text();
      if (auto* label = window.findChild<QLabel*>(name)) return label->text();
      return QString();
    };
    const QString panel0 = window.form().StatusBar1.Name + QStringLiteral("Panel0");
    std::printf("EditNrFabr=%s EditRokProd=%s panel0=%s\n", qUtf8Printable(text(QStringLiteral("EditNrFabr"))),
                qUtf8Printable(text(QStringLiteral("EditRokProd"))), qUtf8Printable(text(panel0)));
    // Without a window manager the pictures have no title bar.
    std::printf("caption=%s\n", qUtf8Printable(window.windowTitle()));
    auto* pages = window.findChild<QTabWidget*>(window.form().PageControl1.Name);
    const int count = pages ? pages->count() : 0;
    for (int i = 0; i < count; ++i) {
      ShowPage(window, i);
      Save(window, dir.filePath(QStringLiteral("page-%1.png").arg(i + 1)));
    }
    // The settings as read from the controller.
    Trigger(window, "N1");
    ShowPage(window, 1);
    Save(window, dir.filePath(QStringLiteral("page-2-read.png")));
    ShowPage(window, 2);
    Save(window, dir.filePath(QStringLiteral("page-3-read.png")));
    // The print preview of the settings as read (grabbed and closed by the box watcher).
    Trigger(window, "Podglad2");
    // Two values edited in the grid, then "Porównaj z WLT": its table lists
    // those two (grabbed and closed by the box watcher); then the write and
    // its check, whose box names what the controller did not keep.
    if (auto* grid = window.findChild<QTableWidget*>(window.form().StringGrid1.Name)) {
      ShowPage(window, 1);
      for (const int row : {5, 10})
        if (QTableWidgetItem* cell = grid->item(row, 1))
          cell->setText(QString::number(cell->text().toInt() + 100 * row));
      Settle();
      Save(window, dir.filePath(QStringLiteral("page-2-edited.png")));
      Trigger(window, "Porownaj1");
      Trigger(window, "WLTPC1");
      Save(window, dir.filePath(QStringLiteral("page-2-written.png")));
    }
    // The event register: the list, then the first event line's detail.
    Trigger(window, "Odczyt1");
    ShowPage(window, 3);
    Save(window, dir.filePath(QStringLiteral("page-4-read.png")));
    Trigger(window, "Podglad1");  // the print preview of the event list
    auto* list = window.findChild<QListWidget*>(window.form().ListBox1.Name);
    if (list && list->isVisible()) {
      // The record view behind the list, as the picture shows it (the
      // state is not touched: the next rendering brings the list back).
      list->hide();  // grabbed at once: the next timer tick renders it back
      Save(window, dir.filePath(QStringLiteral("page-4-record.png")));
      window.Render();
      Settle();
    }
    if (list && list->isVisible() && list->count() > 9) {
      list->setFocus();
      list->setCurrentRow(9);
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(list, &enter);
      Settle();
      Save(window, dir.filePath(QStringLiteral("page-4-detail.png")));
    }
    // The confirmation asked before the controller's clock is set; the box
    // is answered Cancel, so nothing is written.
    ShowPage(window, 5);
    if (auto* setClock = window.findChild<QPushButton*>(window.form().Button4.Name)) setClock->click();
    Settle();
    // The save dialog with its filter and proposed name (answered into the
    // picture folder by the box watcher).
    Trigger(window, "Zapiszjako1");
    // The event file: its save dialog, then the readout written and opened
    // again with the controller disconnected, as when reviewed later.
    Trigger(window, "Zapiszjako2");
    const QTemporaryDir eventFolder;
    const QString eventFile = QDir(eventFolder.path()).filePath(QStringLiteral("zdarzenia.dat"));
    if (eventFolder.isValid() && window.form().WriteEventFile(eventFile)) {
      Trigger(window, "Rozlcz1");
      ShowPage(window, 3);
      window.form().ReadEventFile(eventFile);
      window.Render();
      Settle();
      Save(window, dir.filePath(QStringLiteral("page-4-file.png")));
    }
    // The controller found again, then silent: it no longer hears the
    // window's slave address. The clock tick asks it less and less often
    // and panel 1 says it does not answer; the window stays free.
    Trigger(window, "Polcz1");
    window.form().SlaveAddress = 2;
    ShowPage(window, 5);
    Wait(4500);
    Save(window, dir.filePath(QStringLiteral("page-6-stalled.png")));
    // A readout on the silent line: panel 1 shows its step while it waits
    // (grabbed as it is painted), then the box of the failure.
    {
      bool grabbed = false;
      const QMetaObject::Connection progress =
          QObject::connect(&window, &MainWindow::progressShown, &window, [&window, &dir, &grabbed] {
            if (grabbed) return;
            grabbed = true;
            Save(window, dir.filePath(QStringLiteral("progress.png")));
          });
      ShowPage(window, 3);
      Trigger(window, "Odczyt1");
      QObject::disconnect(progress);
    }
    window.form().SlaveAddress = 1;
    // The boxes that explain themselves on a second line: a file name of
    // another form, and a settings file that is not there.
    NextFileAnswer() = QStringLiteral("nastawy.txt");
    Trigger(window, "Otwrz1");
    NextFileAnswer() = QStringLiteral("WLT_nastawy_999.txt");
    Trigger(window, "Otwrz1");
    // A port that is not there: the message box of a failed connection.
    ShowPage(window, 4);
    if (auto* port = window.findChild<QComboBox*>(window.form().ComboBox1.Name)) {
      port->setCurrentIndex(3);
      emit port->activated(3);  // as if the user had picked "COM4"
      Settle();
      if (auto* connect = window.findChild<QPushButton*>(window.form().Connect.Name)) connect->click();
      Settle();
    }
    window.close();
    QApplication::quit();
  });
}

}  // namespace ScreenshotTour
