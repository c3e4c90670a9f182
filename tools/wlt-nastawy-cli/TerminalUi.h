#pragma once
// The handlers' Ui on a terminal. Every box goes to standard error as a line
// (message boxes, error boxes, confirmations); file dialogs are answered by
// the paths the command line named; confirmations by --yes; the print dialog
// by one copy, printed into the PDF file the command line named or, for the
// commands that show a printout, onto standard output. The PC clock and its
// regional formats are the window's.

#include "app/Ui.h"

#include <QString>

#include <functional>

class TerminalUi : public Ui {
 public:
  // One line of text, without its line end.
  using Sink = std::function<void(const QString& line)>;

  // out: the lines a command prints; err: every box and status text.
  // confirmAll: what --yes answers; without it every confirmation is Cancel.
  TerminalUi(Sink out, Sink err, bool confirmAll);

  // The path the next open or save dialog is answered with; a dialog with
  // no answer set is cancelled.
  void AnswerNextFileDialog(const QString& path);
  // Where the next print dialog prints its one copy: into a PDF file, or its
  // lines onto out. Without either the print dialog is cancelled.
  void PrintIntoPdf(const QString& path);
  void PrintOntoOutput();

  // What happened so far, for telling whether a handler reported a failure:
  // beeps, message boxes and error boxes; confirmations answered Cancel;
  // print jobs made.
  int Reports() const { return reports_; }
  int RefusedConfirmations() const { return refusedConfirmations_; }
  int PrintedJobs() const { return printedJobs_; }
  // True while the answer of AnswerNextFileDialog has not been asked for.
  bool FileDialogAnswerPending() const { return !fileAnswer_.isEmpty(); }

  // Writes a text of the program's own to err.
  void Note(const QString& text) { err_(text); }

  void Beep() override;
  void ShowMessage(const QString& text) override;
  bool Confirm(const QString& question) override;
  void ShowError(const QString& text) override;
  bool ExecuteOpenDialog(TFileDialog& dialog) override;
  bool ExecuteSaveDialog(TFileDialog& dialog) override;
  bool ExecutePrintDialog(TPrintDialog& dialog) override;
  bool PrintLines(const PrintRequest& request) override;
  bool PreviewLines(const PrintRequest& request) override;
  // The compare's table onto out, one difference a line in the format of
  // SettingsDiff::Line (the controller's value, then the window's); the
  // write is never asked for from it.
  bool ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) override;
  int DifferenceTables() const { return differenceTables_; }
  void SetFocus(const QString& controlName) override;
  QDateTime Now() override;
  QString ShortDate(const QDate& date) override;
  QString LongTime(const QTime& time) override;
  // The device search: each device as it is begun, and every tenth of the
  // way, goes to err; a signal (SIGTERM, SIGINT, SIGHUP) stops it.
  bool ShowSearchProgress(const QString& text, int done, int total) override;

 private:
  QString searchDevice_;
  int searchTenth_ = -1;
  enum class PrintTarget { None, Pdf, Output };
  bool AnswerFileDialog(TFileDialog& dialog);

  Sink out_;
  Sink err_;
  bool confirmAll_;
  QString fileAnswer_;
  PrintTarget printTarget_ = PrintTarget::None;
  QString pdfPath_;
  int reports_ = 0;
  int refusedConfirmations_ = 0;
  int printedJobs_ = 0;
  int differenceTables_ = 0;
};
