// The window as the handlers' Ui: the beep, modal boxes, file and print
// dialogs, printing, keyboard focus and the PC clock. The state is rendered
// before anything modal, so the user sees what the handler has done so far.

#include "app/AppTexts.h"
#include "app/view/MainWindow.h"
#include "app/view/ViewConversions.h"
#include "app/view/ViewFonts.h"
#include "app/view/WaitCursor.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>

#if WLT_HAVE_PRINTSUPPORT
#include <QPrintDialog>
#include <QPrinter>
#endif

#include <cstdio>

void MainWindow::Beep() {
  if (override_) override_->Beep();
  else QApplication::beep();
}

void MainWindow::ShowMessage(const QString& text) {
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ShowMessage(text);
  QMessageBox box(QMessageBox::NoIcon, AppTexts::kApplicationTitle, text, QMessageBox::Ok, this);
  box.exec();
}

bool MainWindow::Confirm(const QString& question) {
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->Confirm(question);
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void MainWindow::ShowError(const QString& text) {
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ShowError(text);
  QMessageBox::critical(this, AppTexts::kApplicationTitle, text);
}

bool MainWindow::ExecuteOpenDialog(TFileDialog& dialog) { return FileDialog(dialog, false); }

bool MainWindow::ExecuteSaveDialog(TFileDialog& dialog) { return FileDialog(dialog, true); }

bool MainWindow::FileDialog(TFileDialog& dialog, bool save) {
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return save ? override_->ExecuteSaveDialog(dialog) : override_->ExecuteOpenDialog(dialog);
  QFileDialog box(this);
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Any name may be typed, also in the open dialog: the handlers add the
  // extension a name lacks, so the proposed name (no extension) opens.
  box.setFileMode(QFileDialog::AnyFile);
  // A save dialog asks before replacing a file when its state says so.
  box.setOption(QFileDialog::DontConfirmOverwrite, !(save && dialog.OverwritePrompt));
  box.setNameFilters(ViewConversions::QtNameFilters(dialog.Filter));
  if (!dialog.DefaultExt.isEmpty()) box.setDefaultSuffix(dialog.DefaultExt);
  // The proposed name: in its own folder when it has one, else in the
  // current folder, where the program keeps its files.
  const QFileInfo proposed(dialog.FileName);
  const bool hasFolder = dialog.FileName.contains(QLatin1Char('/')) ||
                         dialog.FileName.contains(QLatin1Char('\\'));
  box.setDirectory(hasFolder ? proposed.absolutePath() : QDir::currentPath());
  if (!dialog.FileName.isEmpty()) box.selectFile(proposed.fileName());
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.FileName = box.selectedFiles().constFirst();
  return true;
}

#if WLT_HAVE_PRINTSUPPORT

bool MainWindow::ExecutePrintDialog(TPrintDialog& dialog) {
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ExecutePrintDialog(dialog);
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setCopyCount(std::max(1, dialog.Copies));
  QPrintDialog box(printer_.get(), this);
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Copies = std::max(1, printer_->copyCount());
  return true;
}

bool MainWindow::PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                            int copies) {
  Render();
  if (override_) return override_->PrintLines(lines, fontFamily, pointSize, copies);
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrinter& printer = *printer_;
  // Copies the driver cannot make are printed one after the other.
  const int wanted = std::max(1, copies);
  const int ownCopies = printer.supportsMultipleCopies() ? 1 : wanted;
  printer.setCopyCount(printer.supportsMultipleCopies() ? wanted : 1);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QFont font(ViewFonts::FontFor(fontFamily, pointSize), &printer);
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  const QRect page = painter.viewport();
  const int lineHeight = std::max(1, metrics.lineSpacing());
  for (int copy = 0; copy < ownCopies; ++copy) {
    if (copy > 0 && !printer.newPage()) return false;
    int y = metrics.ascent();
    for (const QString& line : lines) {
      if (y + metrics.descent() > page.height() && y > metrics.ascent()) {
        if (!printer.newPage()) return false;
        y = metrics.ascent();
      }
      painter.drawText(0, y, line);
      y += lineHeight;
    }
  }
  return painter.end();
}

#else  // Qt without print support: no printer to offer.

bool MainWindow::ExecutePrintDialog(TPrintDialog& dialog) {
  Render();
  if (override_) return override_->ExecutePrintDialog(dialog);
  std::fputs("wlt-nastawy: built without print support\n", stderr);
  return false;
}

bool MainWindow::PrintLines(const QStringList& lines, const QString& fontFamily, int pointSize,
                            int copies) {
  if (override_) return override_->PrintLines(lines, fontFamily, pointSize, copies);
  return false;
}

#endif

void MainWindow::SetFocus(const QString& controlName) {
  Render();
  if (override_) override_->SetFocus(controlName);
  if (controlName.isEmpty()) return;
  if (QWidget* widget = findChild<QWidget*>(controlName)) {
    // A control on another page cannot take the focus; asking is harmless.
    if (widget->isVisible() && widget->isEnabled()) widget->setFocus(Qt::OtherFocusReason);
  }
}

QDateTime MainWindow::Now() {
  if (override_) return override_->Now();
  return QDateTime::currentDateTime();
}

QString MainWindow::ShortDate(const QDate& date) {
  if (override_) return override_->ShortDate(date);
  return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString MainWindow::LongTime(const QTime& time) {
  if (override_) return override_->LongTime(time);
  const QLocale locale = QLocale::system();
  return locale.toString(time, ViewConversions::TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}
