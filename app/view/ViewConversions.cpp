#include "app/view/ViewConversions.h"

#include <Qt>
#include <QRegularExpression>

namespace ViewConversions {

namespace {

// "(*.txt)" at the end of a description is Qt's pattern list: drop it, the
// patterns of the pair replace it.
QString DescriptionWithoutPatterns(const QString& description) {
  static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QString text = description;
  text.remove(trailing);
  return text.trimmed();
}

}  // namespace

QStringList QtNameFilters(const QString& filter) {
  QStringList result;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (int i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QStringList patterns;
    if (i + 1 < parts.size()) {
      for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = pattern.trimmed();
        for (const QString& variant : {p.toLower(), p, p.toUpper()}) {
          if (!variant.isEmpty() && !patterns.contains(variant)) patterns << variant;
        }
      }
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    QString name = DescriptionWithoutPatterns(description);
    if (name.isEmpty()) name = patterns.join(QLatin1Char(' '));
    result << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  if (result.isEmpty()) result << QStringLiteral("* (*)");
  return result;
}

int WindowsKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

}  // namespace ViewConversions
