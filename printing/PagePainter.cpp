#include "printing/PagePainter.h"

#include "files/DiskFile.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// Fixed-pitch families in order of preference; the first is metric-compatible
// with the Windows typewriter face the printouts were laid out for.
const QStringList kFixedFamilies = {
    QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono"),
    QStringLiteral("Noto Mono"), QStringLiteral("Nimbus Mono PS"),
    QStringLiteral("FreeMono"),
};

const QString kPolishLetters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");

QFont FamilyFont(const QString& family, int pointSize) {
  QFont font(family);
  font.setPointSize(pointSize);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

bool Installed(const QString& family) {
  return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

}  // namespace

namespace PagePainter {

bool HasPolishLetters(const QFont& font) {
  const QFontMetrics metrics(font);
  for (const QChar c : kPolishLetters) {
    if (!metrics.inFont(c)) return false;
  }
  return true;
}

QFont PrintFont(const QString& family, int pointSize) {
  const int size = pointSize > 0 ? pointSize : 10;
  QStringList candidates;
  if (!family.isEmpty()) candidates << family;
  candidates << kFixedFamilies;
  for (const QString& candidate : candidates) {
    if (!Installed(candidate)) continue;
    const QFont font = FamilyFont(candidate, size);
    if (QFontDatabase::isFixedPitch(candidate) && HasPolishLetters(font)) return font;
  }
  // None of the known families: whatever the system calls its fixed font.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(size);
  return font;
}

std::vector<LinePlace> LayOut(int lineCount, int lineSpacing, int ascent, int descent, int pageHeight) {
  std::vector<LinePlace> places;
  places.reserve(std::size_t(std::max(0, lineCount)));
  const int spacing = std::max(1, lineSpacing);
  int page = 0;
  int baseline = ascent;
  for (int i = 0; i < lineCount; ++i) {
    if (baseline > ascent && baseline + descent > pageHeight) {
      ++page;
      baseline = ascent;
    }
    places.push_back({page, baseline});
    baseline += spacing;
  }
  return places;
}

bool PaintLines(QPagedPaintDevice& device, const QStringList& lines, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // The point size is resolved for the device's own resolution.
  const QFont deviceFont(font, &device);
  painter.setFont(deviceFont);
  const QFontMetrics metrics(deviceFont, &device);
  const std::vector<LinePlace> places =
      LayOut(int(lines.size()), metrics.lineSpacing(), metrics.ascent(), metrics.descent(), device.height());
  int page = 0;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const LinePlace& place = places[std::size_t(i)];
    if (place.page != page) {
      if (!device.newPage()) {
        painter.end();
        return false;
      }
      page = place.page;
    }
    if (!lines[i].isEmpty()) painter.drawText(QPoint(0, place.baseline), lines[i]);
  }
  return painter.end();
}

bool WritePdf(const QString& fileName, const QStringList& lines, const QFont& font,
              const QString& title) {
  return WritePdf(fileName, lines, font, title,
                  QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                              QPageLayout::Millimeter),
                  1200);
}

bool WritePdf(const QString& fileName, const QStringList& lines, const QFont& font,
              const QString& title, const QPageLayout& layout, int resolution) {
  QByteArray document;
  {
    QBuffer buffer(&document);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(title);
    writer.setResolution(resolution);
    writer.setPageLayout(layout);
    if (!PaintLines(writer, lines, font)) return false;
  }
  return DiskFile::Replace(fileName, document);
}

}  // namespace PagePainter
