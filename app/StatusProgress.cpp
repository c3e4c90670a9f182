#include "app/StatusProgress.h"

#include "app/TForm1.h"

StatusProgress::StatusProgress(TForm1& form) : form_(form), before_(form.StatusBar1.Panels[1].Text) {}

StatusProgress::~StatusProgress() {
  QString& panel = form_.StatusBar1.Panels[1].Text;
  if (!shown_.isEmpty() && panel == shown_) panel = before_;
}

void StatusProgress::Show(const QString& text) {
  shown_ = text;
  form_.StatusBar1.Panels[1].Text = text;
  form_.ui().ShowProgress(text);
}

void StatusProgress::ShowStep(const QString& format, int step, int steps) {
  Show(format.arg(step).arg(steps));
}
