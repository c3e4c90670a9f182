#include "app/view/Pictures.h"

#include "app/view/ViewFonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

LogoWidget::LogoWidget(QWidget* parent) : QWidget(parent) { setFixedSize(48, 48); }

void LogoWidget::paintEvent(QPaintEvent*) {
  // Two supply lines meeting in one bus: what a transfer controller does.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
  QLinearGradient fill(r.topLeft(), r.bottomRight());
  fill.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
  fill.setColorAt(1, QColor(0x0b, 0x2e, 0x5c));
  p.setPen(QPen(QColor(0x08, 0x22, 0x44), 1.5));
  p.setBrush(fill);
  p.drawRoundedRect(r, 8, 8);

  p.setPen(QPen(QColor(0xff, 0xd2, 0x3f), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const qreal cx = r.center().x();
  p.drawLine(QPointF(r.left() + 9, r.top() + 10), QPointF(cx, r.top() + 24));
  p.drawLine(QPointF(r.right() - 9, r.top() + 10), QPointF(cx, r.top() + 24));
  p.drawLine(QPointF(cx, r.top() + 24), QPointF(cx, r.bottom() - 8));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(cx, r.top() + 24), 3.5, 3.5);
}

RoundedBar::RoundedBar(QWidget* parent) : QWidget(parent) {
  setFixedHeight(6);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RoundedBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, palette().color(QPalette::Light));
  fill.setColorAt(1, palette().color(QPalette::Mid));
  p.setPen(QPen(palette().color(QPalette::Dark), 0.8));
  p.setBrush(fill);
  p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
}

DevicePicture::DevicePicture(QWidget* parent) : QWidget(parent) {
  setMinimumSize(sizeHint());
}

void DevicePicture::paintEvent(QPaintEvent*) {
  // The front of a DIN-rail controller: housing, display, signal lamps, keys
  // and the terminal strips above and below.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QSizeF size = sizeHint();
  p.translate((width() - size.width()) / 2, (height() - size.height()) / 2);

  // Terminal strips.
  p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
  for (int strip = 0; strip < 2; ++strip) {
    const qreal y = strip == 0 ? 4 : size.height() - 30;
    p.setBrush(QColor(0x3a, 0x3a, 0x3a));
    p.drawRect(QRectF(40, y, size.width() - 80, 26));
    p.setBrush(QColor(0xb8, 0xb8, 0xb8));
    for (int i = 0; i < 12; ++i) p.drawEllipse(QPointF(56 + i * 22.5, y + 13), 6, 6);
  }

  // Housing.
  const QRectF body(20, 34, size.width() - 40, size.height() - 68);
  QLinearGradient housing(body.topLeft(), body.bottomLeft());
  housing.setColorAt(0, QColor(0xee, 0xee, 0xe8));
  housing.setColorAt(1, QColor(0xc8, 0xc8, 0xc0));
  p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.5));
  p.setBrush(housing);
  p.drawRoundedRect(body, 10, 10);

  // Display.
  const QRectF display(body.left() + 24, body.top() + 22, 170, 62);
  p.setPen(QPen(QColor(0x20, 0x30, 0x20), 2));
  p.setBrush(QColor(0x9c, 0xc8, 0x7a));
  p.drawRoundedRect(display, 4, 4);
  QFont lcd = ViewFonts::FixedFont(16);
  lcd.setBold(true);
  p.setFont(lcd);
  p.setPen(QColor(0x1c, 0x2a, 0x18));
  p.drawText(display.adjusted(10, 6, -6, -30), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("WLT"));
  QFont small = ViewFonts::FixedFont(9);
  p.setFont(small);
  p.drawText(display.adjusted(10, 32, -6, -6), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("L1 230V  L2 230V"));

  // Signal lamps with their captions.
  const struct {
    QColor colour;
    const char* caption;
  } lamps[] = {{QColor(0x2e, 0xc4, 0x40), "Zas. 1"},
               {QColor(0x2e, 0xc4, 0x40), "Zas. 2"},
               {QColor(0xf2, 0xb7, 0x1a), "Praca"},
               {QColor(0xe0, 0x30, 0x30), "Awaria"}};
  QFont caption = ViewFonts::WindowFont(7);
  for (int i = 0; i < 4; ++i) {
    const QPointF centre(display.right() + 34 + (i % 2) * 52, display.top() + 12 + (i / 2) * 34);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(lamps[i].colour);
    p.drawEllipse(centre, 7, 7);
    p.setFont(caption);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(QRectF(centre.x() - 26, centre.y() + 8, 52, 14), Qt::AlignCenter,
               QString::fromUtf8(lamps[i].caption));
  }

  // Keys.
  p.setFont(caption);
  const char* keys[] = {"\u25b2", "\u25bc", "OK", "ESC"};
  for (int i = 0; i < 4; ++i) {
    const QRectF key(display.left() + i * 44, display.bottom() + 22, 36, 24);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0x5a, 0x6e, 0x8c));
    p.drawRoundedRect(key, 4, 4);
    p.setPen(Qt::white);
    p.drawText(key, Qt::AlignCenter, QString::fromUtf8(keys[i]));
  }

  // Serial port socket.
  const QRectF socket(body.right() - 70, body.bottom() - 42, 46, 24);
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
  p.setBrush(QColor(0x88, 0x88, 0x88));
  QPainterPath sub;
  sub.moveTo(socket.topLeft());
  sub.lineTo(socket.topRight());
  sub.lineTo(socket.right() - 6, socket.bottom());
  sub.lineTo(socket.left() + 6, socket.bottom());
  sub.closeSubpath();
  p.drawPath(sub);
  p.setPen(QColor(0x30, 0x30, 0x30));
  p.drawText(QRectF(socket.left() - 10, socket.top() - 16, socket.width() + 20, 14),
             Qt::AlignCenter, QStringLiteral("RS-232"));
}
