#include "ui/WidgetZoom.h"

#include <QAbstractButton>
#include <QFrame>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zt {

namespace {

constexpr char kWindowZoom[] = "zt_zoom";
constexpr char kGeometry[] = "zt_geometry_1x";
constexpr char kFontPixels[] = "zt_font_pixels_1x";
constexpr char kIconSize[] = "zt_icon_size_1x";
constexpr char kFixed[] = "zt_fixed_1x";
constexpr char kLineWidth[] = "zt_line_width_1x";

void ZoomOne(QWidget* w, int zoom, bool isRoot) {
  auto* frame = qobject_cast<QFrame*>(w);
  const bool framed = frame != nullptr && frame->frameShape() != QFrame::NoFrame;
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
    if (framed) w->setProperty(kLineWidth, frame->lineWidth());
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
  // A frame's lines grow with it, as a drawn outline would.
  if (const QVariant width = w->property(kLineWidth); framed && width.isValid()) {
    frame->setLineWidth(width.toInt() * zoom);
  }
}

}  // namespace

int ArtworkScale(int zoom, double devicePixelRatio) {
  const double factor = std::max(zoom, 1) * std::max(devicePixelRatio, 1.0);
  return std::clamp(static_cast<int>(std::lround(factor)), 1, 3);
}

int WindowZoom(const QWidget* mainWindow) {
  if (mainWindow == nullptr) return 1;
  const QVariant zoom = mainWindow->property(kWindowZoom);
  return zoom.isValid() ? std::clamp(zoom.toInt(), 1, kMaxZoom) : 1;
}

void SetWindowZoom(QWidget* mainWindow, int zoom) {
  if (mainWindow != nullptr) mainWindow->setProperty(kWindowZoom, std::clamp(zoom, 1, kMaxZoom));
}

void ZoomWidgetTree(QWidget* root, int zoom) {
  zoom = std::clamp(zoom, 1, kMaxZoom);
  ZoomOne(root, zoom, true);
  for (QWidget* child : root->findChildren<QWidget*>()) {
    if (child->isWindow()) continue;  // dialogs owned by the widget grow on their own
    ZoomOne(child, zoom, false);
  }
}

}  // namespace zt
