#include "TerminalUi.h"

#include "app/AppTexts.h"
#include "launch/ShutdownSignals.h"
#include "launch/SystemClock.h"
#include "printing/PagePainter.h"

#include <utility>

TerminalUi::TerminalUi(Sink out, Sink err, bool confirmAll)
    : out_(std::move(out)), err_(std::move(err)), confirmAll_(confirmAll) {}

void TerminalUi::AnswerNextFileDialog(const QString& path) { fileAnswer_ = path; }

void TerminalUi::PrintIntoPdf(const QString& path) {
  printTarget_ = PrintTarget::Pdf;
  pdfPath_ = path;
}

void TerminalUi::PrintOntoOutput() { printTarget_ = PrintTarget::Output; }

// A script gains nothing from the bell; the beep counts as a report, since
// the handlers beep on every failure.
void TerminalUi::Beep() { ++reports_; }

void TerminalUi::ShowMessage(const QString& text) {
  ++reports_;
  err_(QStringLiteral("message: ") + text);
}

bool TerminalUi::Confirm(const QString& question) {
  err_(QStringLiteral("confirm: ") + question +
       (confirmAll_ ? QStringLiteral(" OK") : QStringLiteral(" Cancel")));
  if (!confirmAll_) ++refusedConfirmations_;
  return confirmAll_;
}

void TerminalUi::ShowError(const QString& text) {
  ++reports_;
  err_(QStringLiteral("error: ") + text);
}

bool TerminalUi::AnswerFileDialog(TFileDialog& dialog) {
  if (fileAnswer_.isEmpty()) return false;
  dialog.FileName = std::exchange(fileAnswer_, QString());
  return true;
}

bool TerminalUi::ExecuteOpenDialog(TFileDialog& dialog) { return AnswerFileDialog(dialog); }

bool TerminalUi::ExecuteSaveDialog(TFileDialog& dialog) { return AnswerFileDialog(dialog); }

bool TerminalUi::ExecutePrintDialog(TPrintDialog& dialog) {
  if (printTarget_ == PrintTarget::None) return false;
  dialog.Copies = 1;
  return true;
}

bool TerminalUi::PrintLines(const PrintRequest& request) {
  if (printTarget_ == PrintTarget::Output) {
    for (const QString& line : request.Lines) out_(line);
    ++printedJobs_;
    return true;
  }
  if (printTarget_ != PrintTarget::Pdf) return false;
  if (!PagePainter::WritePdf(pdfPath_, request.Lines,
                             PagePainter::PrintFont(request.FontFamily, request.PointSize),
                             request.DocumentTitle)) {
    ShowError(AppTexts::kPrintFailedPrefix + pdfPath_);
    return false;
  }
  ++printedJobs_;
  return true;
}

// There is no screen to show a preview on; nothing is printed from one.
bool TerminalUi::PreviewLines(const PrintRequest&) { return false; }

bool TerminalUi::ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) {
  ++differenceTables_;
  for (const SettingsDiff::Change& difference : differences) out_(SettingsDiff::Line(difference));
  return false;
}

void TerminalUi::SetFocus(const QString&) {}

QDateTime TerminalUi::Now() { return SystemClock::Now(); }
QString TerminalUi::ShortDate(const QDate& date) { return SystemClock::ShortDate(date); }
QString TerminalUi::LongTime(const QTime& time) { return SystemClock::LongTime(time); }

bool TerminalUi::ShowSearchProgress(const QString& text, int done, int total) {
  const QString device = text.section(QLatin1Char('\n'), 0, 0);
  const int tenth = total > 0 ? int(qint64(done) * 10 / total) : 0;
  if (device != searchDevice_ || tenth != searchTenth_) {
    err_(QStringLiteral("scan: %1%: ").arg(tenth * 10) + QString(text).replace(QLatin1Char('\n'), QStringLiteral(", ")));
    searchDevice_ = device;
    searchTenth_ = tenth;
  }
  return ShutdownSignals::Received() == 0;
}
