#pragma once
// Lays text lines onto the pages of a paged paint device: a printer of the
// window's print system, or a PDF file. Both the window and the
// command-line program print through here, so their pages are the same.
// QtGui only: it needs a QGuiApplication (any platform, offscreen too) for
// its fonts, but no widgets.

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;

namespace PagePainter {

// The fixed-pitch font a printout asks for: the family itself when it is
// installed and has the Polish letters, else the first installed fixed-pitch
// family that has them (a metric twin of the Windows typewriter face first),
// at pointSize (10 when not positive).
QFont PrintFont(const QString& family, int pointSize);

// True when the font draws every Polish letter, capitals included.
bool HasPolishLetters(const QFont& font);

// Paints the lines top to bottom from the top-left corner of the device's
// printable area, one line per line spacing of the font, starting a new
// page whenever the next line would not fit. No header, footer or page
// number; an empty list gives one empty page. False when the device cannot
// be painted on or refuses a new page.
bool PaintLines(QPagedPaintDevice& device, const QStringList& lines, const QFont& font);

// Where PaintLines puts each line: its page (from 0) and the baseline's
// distance from the top of the printable area.
struct LinePlace {
  int page = 0;
  int baseline = 0;
};

// The places of lineCount lines of a font with this line spacing, ascent
// and descent on pages pageHeight high (all in device pixels). A line goes
// on the next page when its descent would cross the bottom; the first line
// of a page stays there even when the page is too low for it.
std::vector<LinePlace> LayOut(int lineCount, int lineSpacing, int ascent, int descent, int pageHeight);

// Writes the lines as a PDF file on A4 paper with 10 mm margins, the title
// as the document's title. The document is made whole in memory and then
// replaces the file in one step, as every file of the program
// (DiskFile::Replace): false when it cannot be painted or written (a full
// disk, a FIFO or device named, a missing folder), and the file named is
// then as it was.
bool WritePdf(const QString& fileName, const QStringList& lines, const QFont& font,
              const QString& title);
// The same on pages of this layout, painted at this resolution (dots per
// inch), as a printer set up for a PDF file has them.
bool WritePdf(const QString& fileName, const QStringList& lines, const QFont& font,
              const QString& title, const QPageLayout& layout, int resolution);

}  // namespace PagePainter
