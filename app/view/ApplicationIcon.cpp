#include "app/view/ApplicationIcon.h"

#if WLT_HAVE_SVG
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#endif

namespace ApplicationIcon {

QIcon Make() {
  QIcon icon;
#if WLT_HAVE_SVG
  QSvgRenderer picture(QStringLiteral(":/icons/wlt-nastawy.svg"));
  if (!picture.isValid()) return icon;
  // The sizes title bars, task bars and switchers ask for.
  for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    picture.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
#endif
  return icon;
}

}  // namespace ApplicationIcon
