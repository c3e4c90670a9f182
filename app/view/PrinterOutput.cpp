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
  // A PDF file goes through the page painter's file path, as the other
  // programs' PDF files do: made whole, then put in place in one step, every
  // write error told. The printer would write into the file as it paints,
  // not notice a full disk, and write through a link or into a FIFO.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    return PagePainter::WritePdf(printer.outputFileName(), request.Lines, RequestFont(request),
                                 request.DocumentTitle, printer.pageLayout(), printer.resolution());
  return PagePainter::PaintLines(printer, request.Lines, RequestFont(request));
}

QString Destination(const QPrinter& printer) {
  return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

}  // namespace PrinterOutput
