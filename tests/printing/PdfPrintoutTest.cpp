// The printouts through the real Qt printing path into PDF files, read back
// with pdftotext and pdfinfo: the page painter on a PDF writer (the path of
// programs without widgets), the window's printer path with a PDF output
// file, and the print preview's pages.

#include "FakeUi.h"
#include "PrintoutTestSupport.h"
#include "app/TForm1.h"
#include "app/view/MainWindow.h"
#include "app/view/PrintPreviewDialog.h"
#include "app/view/PrinterOutput.h"
#include "mdbcomp/PortMap.h"
#include "printing/PagePainter.h"

#if __has_include("SimProcess.h") && defined(WLT_SIM_PATH)
#include "SimProcess.h"
#define WLT_PDF_TESTS_WITH_SIM 1
#endif

#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A program of poppler-utils on the file; its standard output, or an empty
// text with the reason in error.
QString Poppler(const QString& program, const QStringList& arguments, QString& error) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    error = program + QStringLiteral(": ") + process.errorString() +
            QString::fromLocal8Bit(process.readAllStandardError());
    return QString();
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& file, int page = 0) {
  QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
  if (page > 0) arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
  arguments << file << QStringLiteral("-");
  QString error;
  const QString text = Poppler(QStringLiteral("pdftotext"), arguments, error);
  if (!error.isEmpty()) qWarning("%s", qPrintable(error));
  return text;
}

int PdfPages(const QString& file) {
  QString error;
  const QString info = Poppler(QStringLiteral("pdfinfo"), {file}, error);
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                           QRegularExpression::MultilineOption).match(info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfTitle(const QString& file) {
  QString error;
  const QString info = Poppler(QStringLiteral("pdfinfo"), {file}, error);
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^Title:\\s+(.*)$"),
                                                           QRegularExpression::MultilineOption).match(info);
  return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// The text lines of pdftotext's layout, each with its runs of blanks made
// one: the layout keeps the words and their order, not every blank.
QStringList LayoutLines(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QString simple = line.simplified();
    if (!simple.isEmpty()) lines << simple;
  }
  return lines;
}

// The non-empty lines of a printout, blanks made one as above.
QStringList Simplified(const QStringList& printout) { return LayoutLines(printout.join(QLatin1Char('\n'))); }

// Whether every line of expected appears in lines, in the same order.
bool InOrder(const QStringList& expected, const QStringList& lines, QString& missing) {
  qsizetype at = 0;
  for (const QString& line : expected) {
    at = lines.indexOf(line, at);
    if (at < 0) {
      missing = line;
      return false;
    }
    ++at;
  }
  return true;
}

// The pages as the printout laid them out, rebuilt from pdftotext's word
// boxes: a word's row from its top edge and its column from its left edge,
// in cells of the fixed-pitch font counted from the printable area's corner
// (left, top in points). Trailing blanks and empty rows at a page's end do
// not show on paper and are left out.
QStringList CellLines(const QString& file, double left, double top) {
  QString error;
  const QString html = Poppler(QStringLiteral("pdftotext"),
                               {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), file,
                                QStringLiteral("-")},
                               error);
  struct Word {
    double x, y;
    QString text;
  };
  QList<QList<Word>> pages;
  std::vector<double> cellWidths, tops;
  static const QRegularExpression kWord(QStringLiteral(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
  for (const QString& pageText : html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
    QList<Word> words;
    for (auto it = kWord.globalMatch(pageText); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      QString text = m.captured(4);
      text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
          .replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
      const double x = m.captured(1).toDouble(), y = m.captured(2).toDouble();
      words.push_back({x, y, text});
      cellWidths.push_back((m.captured(3).toDouble() - x) / double(text.size()));
      tops.push_back(y);
    }
    pages.push_back(words);
  }
  if (cellWidths.empty()) return {};
  std::sort(cellWidths.begin(), cellWidths.end());
  const double cell = cellWidths[cellWidths.size() / 2];
  std::sort(tops.begin(), tops.end());
  double spacing = 1e9;
  for (std::size_t i = 1; i < tops.size(); ++i)
    if (tops[i] - tops[i - 1] > 1.0) spacing = std::min(spacing, tops[i] - tops[i - 1]);
  QStringList all;
  for (const QList<Word>& words : pages) {
    QStringList rows;
    for (const Word& w : words) {
      const int row = int(std::lround((w.y - top) / spacing));
      const int column = int(std::lround((w.x - left) / cell));
      if (row < 0 || column < 0 || row > 1000 || column > 1000) return {QStringLiteral("word off the page: ") + w.text};
      while (rows.size() <= row) rows << QString();
      QString& line = rows[row];
      if (line.size() < column) line += QString(column - line.size(), QLatin1Char(' '));
      line.replace(column, w.text.size(), w.text);
    }
    all << rows;
  }
  return all;
}

// The printout as it shows on paper: trailing blanks cut, no empty last lines.
QStringList OnPaper(QStringList lines) {
  for (QString& line : lines) {
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
  }
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// The Ui of a program that prints into PDF files: each job one file.
class PdfFileUi : public FakeUi {
 public:
  explicit PdfFileUi(QString folder) : folder_(std::move(folder)) {}
  bool PrintLines(const PrintRequest& request) override {
    FakeUi::PrintLines(request);
    const QString file = QStringLiteral("%1/job-%2.pdf").arg(folder_).arg(PrintJobs.size());
    Files << file;
    return PagePainter::WritePdf(file, request.Lines,
                                 PagePainter::PrintFont(request.FontFamily, request.PointSize),
                                 request.DocumentTitle);
  }
  QStringList Files;

 private:
  QString folder_;
};

// A printout of the event list long enough for several pages: every record
// with five causes.
QStringList LongEventPrintout(TForm1& form) {
  for (int k = 0; k < TForm1::kEventRecords; ++k) {
    auto& record = form.EventTable[std::size_t(k)];
    record = {};
    record[0] = 0x0326;
    record[1] = std::uint16_t(0x0900 | (k % 9 + 1) << 4);
    record[2] = 0x3000;
    record[3] = 0x0011;
    record[4] = 0x0101;
    record[6] = 0x8000;
  }
  for (int c = 0; c < TForm1::kCauseTexts; ++c)
    form.CauseTexts[std::size_t(c)] = QStringLiteral("Zanik napięcia źródła %1").arg(c + 1);
  form.EventsLoaded = true;
  form.BuildEventList();
  QStringList lines{QString(), QString()};
  for (const QString& item : form.ListBox1.Items) lines << QStringLiteral("   ") + item;
  return lines;
}

}  // namespace

class PdfPrintoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    for (const char* program : {"pdftotext", "pdfinfo"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed: the PDF files cannot be read back");
    }
    QVERIFY(folder_.isValid());
  }

  void printFontIsFixedPitchWithPolishLetters() {
    const QFont font = PagePainter::PrintFont(QStringLiteral("Courier New"), 10);
    QCOMPARE(font.pointSize(), 10);
    QVERIFY2(PagePainter::HasPolishLetters(font), qPrintable(font.family()));
    const QFontMetrics metrics(font);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiiii")), metrics.horizontalAdvance(QStringLiteral("WWWWW")));
    qInfo("printout font: %s", qPrintable(QFontInfo(font).family()));
  }

  // Two copies from the settings menu entry: two PDF files, each with every
  // line of the printout, Polish letters included, titled "WLT".
  void settingsPrintoutAsPdfFiles() {
    PdfFileUi ui(folder_.path());
    TForm1 form(ui);
    printouttest::PrepareSettings(form);
    printouttest::DescribeBoxes(form);
    ui.PrintDialogAnswers = {2};
    form.Drukuj2Click();
    QCOMPARE(ui.Files.size(), 2);
    for (const QString& file : ui.Files) {
      QCOMPARE(PdfPages(file), 1);
      QCOMPARE(PdfTitle(file), QStringLiteral("WLT"));
      QString missing;
      QVERIFY2(InOrder(Simplified(printouttest::DescribedSettingsPrintout()), LayoutLines(PdfText(file)), missing),
               qPrintable(QStringLiteral("missing line \"%1\"").arg(missing)));
      // Every character in its cell: 10 mm margins, three blanks, the empty first line.
      const double margin = 10.0 * 72.0 / 25.4;
      QCOMPARE(CellLines(file, margin, margin), OnPaper(printouttest::DescribedSettingsPrintout()));
    }
  }

  // The window's printer path with a PDF file as its output, as the print
  // dialog sets it up: a long event list flows over several pages.
  void eventPrintoutFlowsOverPagesOnThePrinter() {
    FakeUi ui;
    TForm1 form(ui);
    const QStringList printout = LongEventPrintout(form);
    QVERIFY(printout.size() > 200);
    const QString file = folder_.filePath(QStringLiteral("events.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setCopyCount(3);  // as a print dialog may leave it: each job is one copy
    const PrintRequest request{printout, QStringLiteral("Courier New"), 10, QStringLiteral("WLT")};
    QVERIFY(PrinterOutput::PrintJob(printer, request));
    QCOMPARE(printer.copyCount(), 1);
    QCOMPARE(PdfTitle(file), QStringLiteral("WLT"));
    const int pages = PdfPages(file);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    // Page 1 begins with the list's title, the last page ends with its closing rule.
    QCOMPARE(LayoutLines(PdfText(file, 1)).value(0), QStringLiteral("WLT - nastawy : Rejestracja zdarzeń"));
    QCOMPARE(LayoutLines(PdfText(file, pages)).last(), QString(85, QLatin1Char('-')));
    QString missing;
    QVERIFY2(InOrder(Simplified(printout), LayoutLines(PdfText(file)), missing), qPrintable(missing));
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
    QCOMPARE(CellLines(file, area.left(), area.top()), OnPaper(printout));
  }

  // The window against wlt-sim with its real print dialog, print preview and
  // printer: the settings as read, previewed, then printed to the PDF file
  // the dialog offers, two copies. The slot is always declared: moc does not
  // see which helpers exist.
  void windowPrintsTheSettingsIntoThePdfFileOfItsPrintDialog() {
#ifndef WLT_PDF_TESTS_WITH_SIM
    QSKIP("wlt-sim is not built");
#else
    SimProcess sim;
    QVERIFY(!sim.DevicePath().empty());
    PortMap::Set("COM1", sim.DevicePath());
    const QString file = folder_.filePath(QStringLiteral("window.pdf"));
    int previewPages = 0;
    QStringList seen;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      if (auto* preview = qobject_cast<PrintPreviewDialog*>(modal)) {
        seen << QStringLiteral("preview");
        previewPages = preview->preview()->pageCount();
        preview->findChild<QPushButton*>(QStringLiteral("PreviewClose"))->click();
      } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
        seen << QStringLiteral("print dialog");
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
        if (!printers || !fileName || !copies) {
          seen << QStringLiteral("print dialog without its printer, file or copies field");
          dialog->reject();
          return;
        }
        printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
        fileName->setText(file);
        copies->setValue(2);
        dialog->accept();
      } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen << box->text();
        box->reject();
      }
    });
    answerer.start(50);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.Created());  // start-up runs once the window is on screen
    seen.clear();                   // its boxes (no description file here) are not this test's
    // A menu entry runs from the event loop once its menu has closed.
    const auto choose = [&window](const char* entry) {
      window.findChild<QAction*>(QString::fromLatin1(entry))->trigger();
      QCoreApplication::processEvents();
    };
    choose("N1");
    QCOMPARE(window.form().StatusBar1.Panels[1].Text, QStringLiteral(" Odczytano nastawy"));
    choose("Podglad2");
    choose("Drukuj2");
    answerer.stop();
    window.close();

    QCOMPARE(seen, (QStringList{QStringLiteral("preview"), QStringLiteral("print dialog")}));
    QCOMPARE(window.form().PrintDialog1.Copies, 2);
    QCOMPARE(PdfPages(file), previewPages);
    QCOMPARE(PdfTitle(file), QStringLiteral("WLT"));
    const QStringList printout = window.form().RichEdit1.Lines;
    QCOMPARE(printout.value(1), QStringLiteral("   WLT - nastawy 000"));
    QCOMPARE(printout.size(), 27 + 1 + 110 + 1);
    QString missing;
    QVERIFY2(InOrder(Simplified(printout), LayoutLines(PdfText(file)), missing), qPrintable(missing));
    QVERIFY(LayoutLines(PdfText(file)).contains(QStringLiteral("Nastawa WartośćJednostka")));
#endif
  }

  // The preview shows the pages the printer would print, and "Drukuj..."
  // closes it with the request to print.
  void previewShowsThePrintedPages() {
    FakeUi ui;
    TForm1 form(ui);
    const PrintRequest request{LongEventPrintout(form), QStringLiteral("Courier New"), 10, QStringLiteral("WLT")};
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = folder_.filePath(QStringLiteral("preview.pdf"));
    printer.setOutputFileName(file);
    QVERIFY(PrinterOutput::PrintJob(printer, request));
    const int pages = PdfPages(file);

    for (const char* button : {"PreviewPrint", "PreviewClose"}) {
      PrintPreviewDialog dialog(printer, request);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QTRY_COMPARE(dialog.preview()->pageCount(), pages);
      QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("PreviewPage"))->text(),
               QStringLiteral("Strona 1 z %1").arg(pages));
      dialog.findChild<QAction*>(QStringLiteral("PreviewNextPage"))->trigger();
      QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("PreviewPage"))->text(),
               QStringLiteral("Strona 2 z %1").arg(pages));
      dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
      QCOMPARE(dialog.result(), qstrcmp(button, "PreviewPrint") == 0 ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }
  }

 private:
  QTemporaryDir folder_;
};

QTEST_MAIN(PdfPrintoutTest)
#include "PdfPrintoutTest.moc"
