#include "app/window/Zoom.h"

#include <QAbstractButton>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zt {

int ArtworkScale(int zoom, double devicePixelRatio) {
  const double factor = std::max(zoom, 1) * std::max(devicePixelRatio, 1.0);
  return std::clamp(static_cast<int>(std::lround(factor)), 1, 3);
}

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

namespace {

constexpr char kGeometry[] = "zt_geometry_1x";
constexpr char kFontPixels[] = "zt_font_pixels_1x";
constexpr char kIconSize[] = "zt_icon_size_1x";
constexpr char kFixed[] = "zt_fixed_1x";

void ZoomOne(QWidget* w, int zoom, bool isRoot) {
  if (!w->property(kGeometry).isValid()) {
    w->setProperty(kGeometry, w->geometry());
    w->setProperty(kFixed, w->minimumSize() == w->maximumSize());
    // Only fonts set on the widget itself: the others follow their parent's.
    if (w->testAttribute(Qt::WA_SetFont) && w->font().pixelSize() > 0) {
      w->setProperty(kFontPixels, w->font().pixelSize());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      w->setProperty(kIconSize, button->iconSize());
    }
  }
  const QRect one = w->property(kGeometry).toRect();
  const QRect zoomed(one.topLeft() * zoom, one.size() * zoom);
  if (w->property(kFixed).toBool()) w->setFixedSize(zoomed.size());
  if (isRoot) {
    w->resize(zoomed.size());
  } else {
    w->setGeometry(zoomed);
  }
  if (const QVariant pixels = w->property(kFontPixels); pixels.isValid()) {
    QFont font = w->font();
    font.setPixelSize(pixels.toInt() * zoom);
    w->setFont(font);
  }
  if (auto* button = qobject_cast<QAbstractButton*>(w);
      button && w->property(kIconSize).isValid()) {
    button->setIconSize(w->property(kIconSize).toSize() * zoom);
  }
}

}  // namespace

void ZoomWidgetTree(QWidget* root, int zoom) {
  zoom = std::clamp(zoom, 1, kMaxZoom);
  ZoomOne(root, zoom, true);
  for (QWidget* child : root->findChildren<QWidget*>()) {
    if (child->isWindow()) continue;  // dialogs owned by the widget grow on their own
    ZoomOne(child, zoom, false);
  }
}

}  // namespace zt
