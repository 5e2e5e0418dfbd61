#include "app/window/Zoom.h"

#include <algorithm>
#include <cmath>

namespace zt {

int LargestZoom(QSize available, QSize base, QSize frame) {
  frame = frame.expandedTo(QSize(0, 0));  // none given, or none yet
  int zoom = kMaxZoom;
  while (zoom > 1 && (base.width() * zoom + frame.width() > available.width() ||
                      base.height() * zoom + frame.height() > available.height())) {
    --zoom;
  }
  return zoom;
}

int ClampZoom(int zoom, int largest) {
  return std::clamp(zoom, 1, std::clamp(largest, 1, kMaxZoom));
}

QPoint ToPlayArea(QPointF zoomedPoint, int zoom) {
  zoom = std::max(zoom, 1);
  const auto down = [zoom](double v) {
    const int pixel = static_cast<int>(std::floor(v));
    return pixel >= 0 ? pixel / zoom : -((-pixel + zoom - 1) / zoom);
  };
  return {down(zoomedPoint.x()), down(zoomedPoint.y())};
}

ZoomCommand ZoomKey(int key, Qt::KeyboardModifiers modifiers) {
  // Shift may be needed to reach "+" on a keyboard; the keypad adds its own flag.
  const Qt::KeyboardModifiers others =
      modifiers & ~(Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
  if (!(modifiers & Qt::ControlModifier) || others) return ZoomCommand::None;
  switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return ZoomCommand::In;
    case Qt::Key_Minus:
      return ZoomCommand::Out;
    case Qt::Key_0:
      return ZoomCommand::Reset;
    default:
      return ZoomCommand::None;
  }
}

int ApplyZoom(int zoom, ZoomCommand command, int largest) {
  switch (command) {
    case ZoomCommand::In:
      return ClampZoom(zoom + 1, largest);
    case ZoomCommand::Out:
      return ClampZoom(zoom - 1, largest);
    case ZoomCommand::Reset:
      return 1;
    case ZoomCommand::None:
      break;
  }
  return ClampZoom(zoom, largest);
}

}  // namespace zt
