// The window frame: construction in the order the window is made (widgets,
// geometry, then FormCreate), the handler runner and the renderer.

#include "app/view/MainWindow.h"

#include "app/view/CompactTabStyle.h"
#include "app/view/GridCellDelegate.h"
#include "app/view/Pictures.h"
#include "app/view/ViewFonts.h"

#include <QCloseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#if WLT_HAVE_PRINTSUPPORT
#include <QPrinter>
#endif

#include <exception>

MainWindow::MainWindow(Ui* modalOverride, std::unique_ptr<SerialLine> line, QWidget* parent)
    : QMainWindow(parent), override_(modalOverride),
      form_(std::make_unique<TForm1>(*this, std::move(line))) {
  setObjectName(QStringLiteral("Form1"));
  setFont(ViewFonts::WindowFont(8));

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
  pages_->addTab(BuildPicturePage(), QString());
  pages_->addTab(BuildGridPage(), QString());
  pages_->addTab(BuildProgrammingPage(), QString());
  pages_->addTab(BuildEventsPage(), QString());
  pages_->addTab(BuildTransmissionPage(), QString());
  pages_->addTab(BuildWltPage(), QString());
  pages_->addTab(BuildTestPage(), QString());
  pages_->addTab(BuildAboutPage(), QString());
  column->addWidget(pages_, 1);
  setCentralWidget(central);

  BindPages();
  BindStatusBar();
  BindTimer();

  move(form_->Left, form_->Top);
  resize(form_->Width, form_->Height);
  Render();

  // The window's creation event.
  Run([this] { form_->FormCreate(); });
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
  try {
    form_->FormDestroy();
  } catch (...) {
    // Closing goes on: the port is closed by Mdb1 itself at the latest.
  }
  destroyed_ = true;
}

void MainWindow::Run(const std::function<void()>& handler) {
  if (inHandler_ || destroyed_) return;
  inHandler_ = true;
  QString failure;
  try {
    handler();
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  } catch (...) {
    failure = QStringLiteral("Nieoczekiwany błąd");
  }
  inHandler_ = false;
  if (!failure.isEmpty()) ShowError(failure);
  Render();
}

void MainWindow::RunHandler(Handler handler) {
  if (handler) Run([this, handler] { (form_.get()->*handler)(); });
}

void MainWindow::Render() {
  if (rendering_ || destroyed_) return;
  rendering_ = true;
  if (windowTitle() != form_->Caption) setWindowTitle(form_->Caption);
  for (const auto& render : renderers_) render();
  rendering_ = false;
}
