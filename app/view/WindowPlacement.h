#pragma once
// The window's described place and size brought onto the screen: at 125 %
// or 150 % scale a laptop's 1366x768 screen has less room than the window
// was designed for. Plain geometry, no widgets.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace WindowPlacement {

struct Placement {
  QPoint position;  // of the frame's top left corner
  QSize size;       // of the window inside its frame
};

// No larger than the available area less the frame the window system adds,
// and moved, as little as needed, so that the whole frame lies inside it.
// A window that fits stays where it was asked to be.
Placement FitToScreen(const QPoint& position, const QSize& size, const QRect& available,
                      const QMargins& frame = QMargins());

}  // namespace WindowPlacement
