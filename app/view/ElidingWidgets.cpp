#include "app/view/ElidingWidgets.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

QRect ElidingLabel::TextRect() const {
  QRect rect = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  if (indent() > 0) rect.adjust(indent(), 0, 0, 0);
  return rect;
}

QString ElidingLabel::ShownText() const {
  if (wordWrap() || textFormat() == Qt::RichText) return text();
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

QSize ElidingLabel::minimumSizeHint() const {
  const QSize whole = QLabel::minimumSizeHint();
  if (wordWrap() || text().isEmpty()) return whole;
  const int few = fontMetrics().horizontalAdvance(text().left(3) + QChar(0x2026));
  const QMargins frame = contentsMargins();
  return QSize(std::min(whole.width(), few + frame.left() + frame.right() + 2 * margin()), whole.height());
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
  const QString shown = ShownText();
  if (shown == text()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  style()->drawItemText(&painter, TextRect(), int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(), shown,
                        foregroundRole());
}

QString ElidingCheckBox::ShownText() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect room = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  // The style draws the caption a little inside its room.
  return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, room.width() - 4));
}

void ElidingCheckBox::paintEvent(QPaintEvent* event) {
  const QString shown = ShownText();
  if (shown == text()) {
    QCheckBox::paintEvent(event);
    return;
  }
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text = shown;
  painter.drawControl(QStyle::CE_CheckBox, option);
}
