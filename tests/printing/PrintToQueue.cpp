// Prints the settings printout on a queue of the print system through the
// window's printer path, as the window does once its print dialog has been
// answered: the dialog's answer is the number of copies given here, and
// every job goes to a QPrinter set to the queue. Writes the printout's lines
// to standard output (UTF-8), so the caller can look for them in the jobs.
//
// Usage: print-to-queue QUEUE COPIES
// Exit status: 0 printed, 1 a job failed or the queue is unknown, 2 usage.

#include "FakeUi.h"
#include "PrintoutTestSupport.h"
#include "app/TForm1.h"
#include "app/view/PrinterOutput.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

namespace {

class QueueUi : public FakeUi {
 public:
  QueueUi(const QString& queue, int copies) : printer_(QPrinter::HighResolution), copies_(copies) {
    printer_.setPrinterName(queue);
  }
  bool ExecutePrintDialog(TPrintDialog& dialog) override {
    FakeUi::ExecutePrintDialog(dialog);
    dialog.Copies = copies_;
    return true;
  }
  bool PrintLines(const PrintRequest& request) override {
    FakeUi::PrintLines(request);
    const bool printed = PrinterOutput::PrintJob(printer_, request);
    if (!printed) ++failed;
    return printed;
  }
  int failed = 0;

 private:
  QPrinter printer_;
  int copies_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  bool numeric = false;
  const int copies = arguments.value(2).toInt(&numeric);
  if (arguments.size() != 3 || !numeric || copies < 1) {
    std::fputs("usage: print-to-queue QUEUE COPIES\n", stderr);
    return 2;
  }
  const QString queue = arguments[1];
  if (QPrinterInfo::printerInfo(queue).isNull()) {
    std::fprintf(stderr, "print-to-queue: the print system has no queue \"%s\"\n", qPrintable(queue));
    return 1;
  }
  int failed = 0;
  QStringList printed;
  {
    QueueUi ui(queue, copies);
    TForm1 form(ui);
    printouttest::PrepareSettings(form);
    printouttest::DescribeBoxes(form);
    form.Drukuj2Click();
    failed = ui.failed;
    if (int(ui.PrintJobs.size()) != copies) {
      std::fprintf(stderr, "print-to-queue: %d jobs for %d copies\n", int(ui.PrintJobs.size()), copies);
      return 1;
    }
    printed = form.RichEdit1.Lines;
  }
  std::fputs(printed.join(QLatin1Char('\n')).append(QLatin1Char('\n')).toUtf8().constData(), stdout);
  return failed == 0 ? 0 : 1;
}
