#include "app/view/WindowPlacement.h"

#include <algorithm>

namespace WindowPlacement {

Placement FitToScreen(const QPoint& position, const QSize& size, const QRect& available, const QMargins& frame) {
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize room = (available.size() - frameSize).expandedTo(QSize(0, 0));
  Placement placed{position, size.boundedTo(room)};
  const QSize outer = placed.size + frameSize;
  // Towards the far edge first, so that a frame larger than the screen
  // still starts at its near edge.
  const int lastX = available.left() + available.width() - outer.width();
  const int lastY = available.top() + available.height() - outer.height();
  placed.position.setX(std::max(available.left(), std::min(position.x(), lastX)));
  placed.position.setY(std::max(available.top(), std::min(position.y(), lastY)));
  return placed;
}

}  // namespace WindowPlacement
