#pragma once
// The window's printing: one job on a printer of the print system (or the
// PDF file the print dialog chose), painted by the shared page painter.

#include "app/Ui.h"

#include <QFont>

class QPrinter;

namespace PrinterOutput {

// The font the request asks for, as the page painter finds it installed.
QFont RequestFont(const PrintRequest& request);

// Prints the request as one job of one copy on the printer as it is set up
// (printer name or output file, page size), titled with the request's
// document title. The printer's copy count is set to 1 first: each copy is a
// job of its own. A PDF output file is replaced whole, as PagePainter::WritePdf
// replaces one. False when the job could not be printed.
bool PrintJob(QPrinter& printer, const PrintRequest& request);

// Where the job went, for the error box: the output file or the printer.
QString Destination(const QPrinter& printer);

}  // namespace PrinterOutput
