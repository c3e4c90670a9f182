#include "app/view/ViewFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString FirstInstalled(const QStringList& families) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : families) {
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
  }
  return QString();
}

QFont Make(const QStringList& preference, int pointSize, QFont::StyleHint hint, bool fixedPitch) {
  QFont font;
  const QString family = FirstInstalled(preference);
  if (family.isEmpty()) {
    font = QFontDatabase::systemFont(fixedPitch ? QFontDatabase::FixedFont
                                                : QFontDatabase::GeneralFont);
  } else {
    font.setFamily(family);
  }
  font.setStyleHint(hint);
  font.setFixedPitch(fixedPitch);
  font.setPointSize(pointSize > 0 ? pointSize : 8);
  return font;
}

const QStringList kSans = {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
const QStringList kFixed = {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                            QStringLiteral("Cousine"), QStringLiteral("DejaVu Sans Mono"),
                            QStringLiteral("Noto Mono"), QStringLiteral("Nimbus Mono PS")};
const QStringList kArial = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                            QStringLiteral("DejaVu Sans")};

}  // namespace

namespace ViewFonts {

QFont WindowFont(int pointSize) { return Make(kSans, pointSize, QFont::SansSerif, false); }

QFont FixedFont(int pointSize) { return Make(kFixed, pointSize, QFont::TypeWriter, true); }

QFont ArialFont(int pointSize) { return Make(kArial, pointSize, QFont::SansSerif, false); }

}  // namespace ViewFonts
