// The window frame: construction in the order the window is made (widgets,
// geometry; FormCreate once the window is on screen), the handler runner
// and the renderer.

#include "app/view/MainWindow.h"

#include "app/view/ApplicationIcon.h"
#include "app/view/CompactTabStyle.h"
#include "app/view/GridCellDelegate.h"
#include "app/view/Pictures.h"
#include "app/view/ViewFonts.h"
#include "app/view/WaitCursor.h"
#include "app/view/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#if WLT_HAVE_PRINTSUPPORT
#include <QPrinter>
#endif

#include <exception>
#include <optional>

namespace {

// A page in a scroll area of its own, on the page's own background.
QScrollArea* Scrolled(QWidget* page) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  page->setAutoFillBackground(false);
  area->viewport()->setAutoFillBackground(false);
  return area;
}

}  // namespace

MainWindow::MainWindow(Ui* modalOverride, std::unique_ptr<SerialLine> line, QWidget* parent)
    : QMainWindow(parent), override_(modalOverride),
      form_(std::make_unique<TForm1>(*this, std::move(line))) {
  setObjectName(QStringLiteral("Form1"));
  setFont(ViewFonts::WindowFont(8));
  setWindowIcon(ApplicationIcon::Make());

  BindMenus();

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(BuildHeader());
  auto* bar = new RoundedBar(central);
  column->addWidget(bar);
  column->addSpacing(2);

  pages_ = new QTabWidget(central);
  // Where the captions do not fit, arrows scroll the tabs instead of the
  // window growing wider.
  pages_->setUsesScrollButtons(true);
  auto* tabStyle = new CompactTabStyle;
  tabStyle->setParent(pages_);
  pages_->tabBar()->setStyle(tabStyle);
  pages_->setDocumentMode(false);
  pages_->addTab(Scrolled(BuildPicturePage()), QString());
  pages_->addTab(Scrolled(BuildGridPage()), QString());
  pages_->addTab(Scrolled(BuildProgrammingPage()), QString());
  pages_->addTab(Scrolled(BuildEventsPage()), QString());
  pages_->addTab(Scrolled(BuildTransmissionPage()), QString());
  pages_->addTab(Scrolled(BuildWltPage()), QString());
  pages_->addTab(Scrolled(BuildTestPage()), QString());
  pages_->addTab(BuildAboutPage(), QString());  // the text scrolls itself
  column->addWidget(pages_, 1);
  setCentralWidget(central);

  BindPages();
  BindStatusBar();
  BindTimer();
  BindLinkMonitor();

  Render();
  KeepControlsReachable();
  PlaceOnScreen(QMargins());
}

void MainWindow::KeepControlsReachable() {
  for (QWidget* container : placedContainers_) {
    const QRect reach = container->childrenRect();
    if (reach.isValid()) container->setMinimumSize(reach.right() + 3, reach.bottom() + 3);
  }
}

void MainWindow::PlaceOnScreen(const QMargins& frame) {
  const QPoint wanted(form_->Left, form_->Top);
  const QScreen* screen = QGuiApplication::screenAt(wanted);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) {
    move(wanted);
    resize(form_->Width, form_->Height);
    return;
  }
  const WindowPlacement::Placement placed =
      WindowPlacement::FitToScreen(wanted, QSize(form_->Width, form_->Height), screen->availableGeometry(), frame);
  move(placed.position);
  resize(placed.size);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (createScheduled_) return;
  createScheduled_ = true;
  QTimer::singleShot(0, this, [this] { CreateWhenShown(100); });
}

void MainWindow::CreateWhenShown(int triesLeft) {
  if (destroyed_) return;
  // The window system may map the window a little later than it is shown;
  // wait for it (by timer, the event loop keeps running) so that the user
  // sees the window before the start-up blocks it.
  const QWindow* handle = windowHandle();
  if (handle && !handle->isExposed() && triesLeft > 0) {
    QTimer::singleShot(20, this, [this, triesLeft] { CreateWhenShown(triesLeft - 1); });
    return;
  }
  // Now that the window system has framed the window, the whole frame goes
  // onto the screen.
  if (handle && !handle->frameMargins().isNull()) {
    const QRect screen = handle->screen() ? handle->screen()->availableGeometry() : QRect();
    if (screen.isValid() && !screen.contains(frameGeometry())) {
      const WindowPlacement::Placement placed =
          WindowPlacement::FitToScreen(pos(), size(), screen, handle->frameMargins());
      move(placed.position);
      resize(placed.size);
    }
  }
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // The window's creation event.
  Run([this] { form_->FormCreate(); });
  created_ = true;
  emit created();
}

MainWindow::~MainWindow() {
  Destroy();
  // The pages go while the state they report into still exists; whatever
  // they signal on the way out is ignored.
  rendering_ = true;
  delete takeCentralWidget();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Destroy();
  event->accept();
}

void MainWindow::Destroy() {
  if (destroyed_) return;
  if (timer1_) timer1_->stop();
  while (waitCursors_ > 0) WaitCursor::Pop(waitCursors_);
  try {
    form_->FormDestroy();
  } catch (...) {
    // Closing goes on: the port is closed by Mdb1 itself at the latest.
  }
  destroyed_ = true;
}

void MainWindow::Run(const std::function<void()>& handler, bool userStarted) {
  if (inHandler_ || destroyed_) return;
  inHandler_ = true;
  QString failure;
  {
    std::optional<WaitCursor> wait;
    if (userStarted) wait.emplace(waitCursors_);
    try {
      handler();
    } catch (const std::exception& e) {
      failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
      failure = QStringLiteral("Nieoczekiwany błąd");
    }
  }
  inHandler_ = false;
  if (!failure.isEmpty()) ShowError(failure);
  Render();
  if (closing_) close();
}

void MainWindow::CloseWhenIdle() {
  closing_ = true;
  if (!inHandler_) {
    close();
    return;
  }
  // The handler waits in a box of its own: closing the box lets it go on.
  // Boxes stack, the newest on top; a few at most.
  for (int i = 0; i < 8; ++i) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) break;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  }
}

void MainWindow::RunHandler(Handler handler, bool userStarted) {
  if (handler) Run([this, handler] { (form_.get()->*handler)(); }, userStarted);
}

void MainWindow::RunAfterMenu(Handler handler) {
  if (rendering_ || destroyed_ || !handler) return;
  WaitCursor::Push(waitCursors_);
  QTimer::singleShot(0, this, [this, handler] {
    if (!destroyed_) repaint();
    RunHandler(handler);
    WaitCursor::Pop(waitCursors_);
  });
}

void MainWindow::Render() {
  if (rendering_ || destroyed_) return;
  rendering_ = true;
  if (windowTitle() != form_->Caption) setWindowTitle(form_->Caption);
  for (const auto& render : renderers_) render();
  rendering_ = false;
}
