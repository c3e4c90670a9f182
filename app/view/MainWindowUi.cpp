// The window as the handlers' Ui: the beep, modal boxes, file and print
// dialogs, printing, keyboard focus and the PC clock. The state is rendered
// before anything modal, so the user sees what the handler has done so far.

#include "app/AppTexts.h"
#include "app/view/MainWindow.h"
#include "app/view/MessageBoxes.h"
#include "app/view/SettingsDifferencesDialog.h"
#include "app/view/ViewConversions.h"
#include "app/view/ViewFonts.h"
#include "app/view/WaitCursor.h"
#include "launch/SystemClock.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#if WLT_HAVE_PRINTSUPPORT
#include "app/view/PrintPreviewDialog.h"
#include "app/view/PrinterOutput.h"

#include <QPrintDialog>
#include <QPrinter>
#endif

#include <cstdio>

void MainWindow::Beep() {
  if (override_) override_->Beep();
  else QApplication::beep();
}

void MainWindow::ShowMessage(const QString& text) {
  if (closing_) return;  // the window is on its way out: no box waits for an answer
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ShowMessage(text);
  MessageBoxes::Message(this, text)->exec();
}

bool MainWindow::Confirm(const QString& question) {
  if (closing_) return false;
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->Confirm(question);
  return MessageBoxes::Confirmation(this, question)->exec() == QMessageBox::Ok;
}

void MainWindow::ShowError(const QString& text) {
  if (closing_) return;
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ShowError(text);
  MessageBoxes::Error(this, text)->exec();
}

void MainWindow::ShowProgress(const QString& status) {
  if (closing_) return;
  Render();
  statusBar()->repaint();
  emit progressShown(status);
  if (override_) override_->ShowProgress(status);
}

bool MainWindow::ExecuteOpenDialog(TFileDialog& dialog) { return FileDialog(dialog, false); }

bool MainWindow::ExecuteSaveDialog(TFileDialog& dialog) { return FileDialog(dialog, true); }

bool MainWindow::FileDialog(TFileDialog& dialog, bool save) {
  if (closing_) return false;
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return save ? override_->ExecuteSaveDialog(dialog) : override_->ExecuteOpenDialog(dialog);
  QFileDialog box(this);
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Any name may be typed, also in the open dialog: the handlers add the
  // extension a name lacks, so the proposed name (no extension) opens.
  box.setFileMode(QFileDialog::AnyFile);
  // The toolkit's dialog never asks before replacing a file: it would ask
  // about the name typed, and the handlers write the name their rules make
  // of it, so they ask (dialog.OverwritePrompt) about that one.
  box.setOption(QFileDialog::DontConfirmOverwrite, true);
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

QPrinter& MainWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool MainWindow::ExecutePrintDialog(TPrintDialog& dialog) {
  if (closing_) return false;
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ExecutePrintDialog(dialog);
  QPrinter& printer = Printer();
  printer.setCopyCount(std::max(1, dialog.Copies));
  QPrintDialog box(&printer, this);
  // Every page is printed; the print system's own choices (a printer, or a
  // PDF file on Linux) are all offered.
  box.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Copies = std::max(1, printer.copyCount());
  return true;
}

bool MainWindow::PrintLines(const PrintRequest& request) {
  Render();
  if (override_) return override_->PrintLines(request);
  QPrinter& printer = Printer();
  if (PrinterOutput::PrintJob(printer, request)) return true;
  ShowError(AppTexts::kPrintFailedPrefix + PrinterOutput::Destination(printer));
  return false;
}

bool MainWindow::PreviewLines(const PrintRequest& request) {
  if (closing_) return false;
  Render();
  if (override_) return override_->PreviewLines(request);
  PrintPreviewDialog preview(Printer(), request, this);
  return preview.exec() == QDialog::Accepted;
}

#else  // Qt without print support: no printer to offer.

bool MainWindow::ExecutePrintDialog(TPrintDialog& dialog) {
  Render();
  if (override_) return override_->ExecutePrintDialog(dialog);
  std::fputs("wlt-nastawy: built without print support\n", stderr);
  return false;
}

bool MainWindow::PrintLines(const PrintRequest& request) {
  if (override_) return override_->PrintLines(request);
  return false;
}

bool MainWindow::PreviewLines(const PrintRequest& request) {
  Render();
  if (override_) return override_->PreviewLines(request);
  std::fputs("wlt-nastawy: built without print support\n", stderr);
  return false;
}

#endif

bool MainWindow::ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) {
  if (closing_) return false;
  Render();
  const ModalPause pause(waitCursors_);
  if (override_) return override_->ShowSettingsDifferences(differences);
  SettingsDifferencesDialog box(differences, this);
  return box.exec() == QDialog::Accepted;
}

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
  return SystemClock::Now();
}

QString MainWindow::ShortDate(const QDate& date) {
  if (override_) return override_->ShortDate(date);
  return SystemClock::ShortDate(date);
}

QString MainWindow::LongTime(const QTime& time) {
  if (override_) return override_->LongTime(time);
  return SystemClock::LongTime(time);
}
