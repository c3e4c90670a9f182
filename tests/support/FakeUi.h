#pragma once
// A scripted Ui for headless tests: records every beep, box, dialog, print
// job and focus request, and answers confirmations and dialogs from queues.

#include "app/Ui.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <deque>
#include <optional>

class FakeUi : public Ui {
 public:
  // What happened, in order: "beep", "message:<text>", "confirm:<question>",
  // "error:<text>", "open:<filter>", "save:<filter>", "print-dialog",
  // "print:<document title>", "preview:<document title>", "focus:<name>".
  QStringList Log;
  QStringList Messages;    // texts of ShowMessage, in order
  QStringList Questions;   // texts of Confirm, in order
  QStringList Errors;      // texts of ShowError
  QStringList DialogFileNames;  // the file name each file dialog proposed, in order
  int Beeps = 0;

  // Answers. An empty queue answers Cancel / no file.
  std::deque<bool> ConfirmAnswers;
  std::deque<QString> OpenAnswers;   // chosen path per open dialog
  std::deque<QString> SaveAnswers;   // chosen path per save dialog
  std::deque<int> PrintDialogAnswers;  // copies per print dialog; <= 0 cancels
  std::deque<bool> PreviewAnswers;     // per preview: true asks to print from it
  int PrintFailsFromJob = 0;           // > 0: that job (counted from 1) and later ones fail

  std::vector<PrintRequest> PrintJobs;  // one per job, in order
  std::vector<PrintRequest> Previews;
  QStringList FocusRequests;
  // The progress texts of long operations, in order (kept out of Log, which
  // lists what the user has to answer or hears).
  QStringList Progress;

  // The PC clock; a fixed time unless a test sets another.
  QDateTime Clock = QDateTime(QDate(2026, 12, 8), QTime(10, 20, 30));

  void Beep() override {
    ++Beeps;
    Log << QStringLiteral("beep");
  }
  void ShowMessage(const QString& text) override {
    Messages << text;
    Log << QStringLiteral("message:") + text;
  }
  bool Confirm(const QString& question) override {
    Questions << question;
    Log << QStringLiteral("confirm:") + question;
    if (ConfirmAnswers.empty()) return false;
    const bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
  }
  void ShowError(const QString& text) override {
    Errors << text;
    Log << QStringLiteral("error:") + text;
  }
  bool ExecuteOpenDialog(TFileDialog& dialog) override {
    Log << QStringLiteral("open:") + dialog.Filter;
    DialogFileNames << dialog.FileName;
    return Answer(OpenAnswers, dialog);
  }
  bool ExecuteSaveDialog(TFileDialog& dialog) override {
    Log << QStringLiteral("save:") + dialog.Filter;
    DialogFileNames << dialog.FileName;
    return Answer(SaveAnswers, dialog);
  }
  bool ExecutePrintDialog(TPrintDialog& dialog) override {
    Log << QStringLiteral("print-dialog");
    if (PrintDialogAnswers.empty()) return false;
    const int copies = PrintDialogAnswers.front();
    PrintDialogAnswers.pop_front();
    if (copies <= 0) return false;
    dialog.Copies = copies;
    return true;
  }
  bool PrintLines(const PrintRequest& request) override {
    Log << QStringLiteral("print:") + request.DocumentTitle;
    PrintJobs.push_back(request);
    return PrintFailsFromJob <= 0 || int(PrintJobs.size()) < PrintFailsFromJob;
  }
  bool PreviewLines(const PrintRequest& request) override {
    Log << QStringLiteral("preview:") + request.DocumentTitle;
    Previews.push_back(request);
    if (PreviewAnswers.empty()) return false;
    const bool print = PreviewAnswers.front();
    PreviewAnswers.pop_front();
    return print;
  }
  void ShowProgress(const QString& status) override { Progress << status; }
  // The compare's tables shown, in order ("differences:<n>" in Log), and
  // the answers: true asks for the write.
  std::vector<std::vector<SettingsDiff::Change>> DifferenceTables;
  std::deque<bool> DifferenceAnswers;
  bool ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) override {
    Log << QStringLiteral("differences:%1").arg(differences.size());
    DifferenceTables.push_back(differences);
    if (DifferenceAnswers.empty()) return false;
    const bool write = DifferenceAnswers.front();
    DifferenceAnswers.pop_front();
    return write;
  }
  void SetFocus(const QString& controlName) override {
    FocusRequests << controlName;
    Log << QStringLiteral("focus:") + controlName;
  }
  QDateTime Now() override { return Clock; }
  // Fixed regional formats, as on a Polish Windows PC.
  QString ShortDate(const QDate& date) override { return date.toString(QStringLiteral("yyyy-MM-dd")); }
  QString LongTime(const QTime& time) override { return time.toString(QStringLiteral("HH:mm:ss")); }

  void ClearRecords() {
    Log.clear();
    Messages.clear();
    Questions.clear();
    Errors.clear();
    DialogFileNames.clear();
    Beeps = 0;
    PrintJobs.clear();
    Previews.clear();
    DifferenceTables.clear();
    FocusRequests.clear();
    Progress.clear();
  }

 private:
  static bool Answer(std::deque<QString>& answers, TFileDialog& dialog) {
    if (answers.empty()) return false;
    const QString path = answers.front();
    answers.pop_front();
    if (path.isEmpty()) return false;
    dialog.FileName = path;
    return true;
  }
};
