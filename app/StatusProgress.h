#pragma once
// What a device operation that may take seconds is doing, in status panel 1
// while it runs: each step's text is put into the panel and handed to the
// Ui to be shown at once. The operation then sets its own result text as
// always; one that ends without any gets the panel back as it was.

#include <QString>

class TForm1;

class StatusProgress {
 public:
  explicit StatusProgress(TForm1& form);
  ~StatusProgress();
  StatusProgress(const StatusProgress&) = delete;
  StatusProgress& operator=(const StatusProgress&) = delete;

  void Show(const QString& text);
  // "text 3/7 …" style: the step (from 1) of so many.
  void ShowStep(const QString& format, int step, int steps);

 private:
  TForm1& form_;
  QString before_;
  QString shown_;
};
