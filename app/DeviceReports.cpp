// The one way every device operation reports a failure, and the confirmation
// asked before an operation changes the controller.

#include "app/AppTexts.h"
#include "app/TForm1.h"

void TForm1::ReportNoCommunication(bool writing) {
  StatusBar1.Panels[1].Text = writing ? AppTexts::kWriteError : AppTexts::kReadError;
  ui_.Beep();
  ui_.ShowMessage(AppTexts::kNoCommunication);
}

void TForm1::ReportDeviceNotFound(const QString& detail) {
  StatusBar1.Panels[1].Text = AppTexts::kNoDevice;
  ui_.Beep();
  ui_.ShowMessage(detail.isEmpty() ? AppTexts::kDeviceNotFound
                                   : AppTexts::kDeviceNotFound + QLatin1Char('\n') + detail);
}

bool TForm1::ConfirmOperation(const QString& question) { return ui_.Confirm(question); }
