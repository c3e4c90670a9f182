// The one way every device operation reports a failure, and the confirmation
// asked before an operation changes the controller.

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "mdbcomp/ModbusExceptions.h"

namespace {

// The message, then each line that is not empty.
QString WithLines(QString message, const QStringList& lines) {
  for (const QString& line : lines)
    if (!line.isEmpty()) message = AppTexts::WithSecondLine(message, line);
  return message;
}

}  // namespace

QString TForm1::LinkExceptionLine() const {
  const std::uint8_t code =
      ModbusExceptions::CodeOfReply(Mdb1.Answered(), Mdb1.LastRequest(), Mdb1.LastReply(), Mdb1.LastReplyLength());
  if (code == 0) return QString();
  return AppTexts::kExceptionLine.arg(code).arg(QString::fromUtf8(ModbusExceptions::PolishName(code)));
}

void TForm1::ReportNoCommunication(bool writing, bool afterTransaction) {
  StatusBar1.Panels[1].Text = writing ? AppTexts::kWriteError : AppTexts::kReadError;
  ui_.Beep();
  ui_.ShowMessage(WithLines(AppTexts::kNoCommunication, {afterTransaction ? LinkExceptionLine() : QString()}));
}

// The exception, when the failed write got one, explains the failure; how
// far the write got follows it.
void TForm1::ReportDeviceNotFound(const QString& detail) {
  StatusBar1.Panels[1].Text = AppTexts::kNoDevice;
  ui_.Beep();
  ui_.ShowMessage(WithLines(AppTexts::kDeviceNotFound, {LinkExceptionLine(), detail}));
}

bool TForm1::ConfirmOperation(const QString& question) { return ui_.Confirm(question); }
