#include "app/view/PrinterOutput.h"

#include "printing/PagePainter.h"

#include <QPrinter>

namespace PrinterOutput {

QFont RequestFont(const PrintRequest& request) {
  return PagePainter::PrintFont(request.FontFamily, request.PointSize);
}

bool PrintJob(QPrinter& printer, const PrintRequest& request) {
  printer.setCopyCount(1);
  printer.setDocName(request.DocumentTitle);
  printer.setCreator(request.DocumentTitle);
  // Every page is printed, whatever range a dialog left behind.
  printer.setPrintRange(QPrinter::AllPages);
  return PagePainter::PaintLines(printer, request.Lines, RequestFont(request));
}

QString Destination(const QPrinter& printer) {
  return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

}  // namespace PrinterOutput
