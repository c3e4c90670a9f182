// The device search's progress box: what is being probed, how far, the time
// it has taken, and "Przerwij". Between two probes the window repaints and
// takes the button; the box is modal, so nothing else of the window runs,
// and the timer's ticks are skipped while the handler runs.

#include "app/AppTexts.h"
#include "app/view/MainWindow.h"
#include "app/view/WaitCursor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTime>

namespace {

QString Elapsed(qint64 ms) {
  return AppTexts::kSearchElapsed.arg(QTime(0, 0).addMSecs(int(ms)).toString(QStringLiteral("HH:mm:ss")));
}

}  // namespace

bool MainWindow::ShowSearchProgress(const QString& text, int done, int total) {
  if (closing_) return false;
  bool go = !override_ || override_->ShowSearchProgress(text, done, total);
  if (!searchBox_) {
    Render();
    searchBox_ = new QProgressDialog(this);
    searchBox_->setObjectName(QStringLiteral("SearchProgress"));
    searchBox_->setWindowTitle(AppTexts::kSearchTitle);
    searchBox_->setCancelButtonText(AppTexts::kSearchStop);
    searchBox_->setWindowModality(Qt::WindowModal);
    searchBox_->setAutoClose(false);
    searchBox_->setAutoReset(false);
    searchBox_->setMinimumDuration(0);
    searchBox_->setMinimumWidth(420);
    searchClock_.start();
    // The button is to be pressed: the normal cursor while the box is up.
    searchPausedCursors_ = waitCursors_;
    for (int i = 0; i < searchPausedCursors_; ++i) WaitCursor::Pop(waitCursors_);
    searchBox_->show();
  }
  searchBox_->setMaximum(std::max(total, 1));
  searchBox_->setLabelText(text + QLatin1Char('\n') + Elapsed(searchClock_.elapsed()));
  searchBox_->setValue(std::min(done, std::max(total, 1)));
  // The probes leave the event loop no other moment: paint and take input now.
  QApplication::processEvents();
  if (searchBox_->wasCanceled() || closing_) go = false;
  return go;
}

void MainWindow::EndSearchProgress() {
  if (override_) override_->EndSearchProgress();
  if (!searchBox_) return;
  searchBox_->hide();
  searchBox_->deleteLater();
  searchBox_ = nullptr;
  for (int i = 0; i < searchPausedCursors_; ++i) WaitCursor::Push(waitCursors_);
  searchPausedCursors_ = 0;
}
