#pragma once
// The print preview: the pages of a printout as the printer chosen last
// would print them, with zoom and page buttons. "Drukuj..." closes it with
// Accepted, so the handler goes on to print through the print dialog;
// "Zamknij" closes it with Rejected.

#include "app/Ui.h"

#include <QDialog>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

class PrintPreviewDialog : public QDialog {
  Q_OBJECT
 public:
  PrintPreviewDialog(QPrinter& printer, const PrintRequest& request, QWidget* parent = nullptr);

  QPrintPreviewWidget* preview() const { return preview_; }
  // "Strona 2 z 3".
  QString PageText() const;

 private:
  void ShowPageText();

  PrintRequest request_;
  QPrintPreviewWidget* preview_ = nullptr;
  QLabel* pageLabel_ = nullptr;
};
