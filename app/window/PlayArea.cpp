#include "app/window/PlayArea.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "app/host/PuzzleHost.h"
#include "app/window/MouseButton.h"
#include "app/window/Zoom.h"
#include "puzzles/core/Canvas.h"

namespace zt {

PlayArea::PlayArea(QWidget* parent, int top, PuzzleHost& host, const Canvas& canvas)
    : QWidget(parent), host_(host), canvas_(canvas), top_(top) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetZoom(1);
}

void PlayArea::SetZoom(int zoom) {
  zoom_ = std::max(zoom, 1);
  setGeometry(0, top_ * zoom_, Canvas::kWidth * zoom_, Canvas::kHeight * zoom_);
  update();
}

QPoint PlayArea::ToPlayArea(QPointF widgetPoint) const {
  return zt::ToPlayArea(widgetPoint, zoom_);
}

void PlayArea::Present(const QRect& r) {
  if (painting_) return;  // the running paint shows the whole screen anyway
  presenting_ = true;
  repaint(QRect(r.topLeft() * zoom_, r.size() * zoom_));
  presenting_ = false;
}

void PlayArea::paintEvent(QPaintEvent* event) {
  painting_ = true;
  if (!presenting_) host_.PlayAreaPaint();
  QPainter p(this);
  // The play-area pixels the request touches, drawn from the screen at its
  // own scale; any further enlargement takes the nearest pixel.
  const QRect asked = event->rect();
  const QRect r = QRect(ToPlayArea(asked.topLeft()), ToPlayArea(asked.bottomRight()))
                      .intersected(QRect(0, 0, Canvas::kWidth, Canvas::kHeight));
  const int s = Canvas::ScaleOf(canvas_.Screen());
  p.drawImage(QRectF(r.x() * zoom_, r.y() * zoom_, r.width() * zoom_, r.height() * zoom_),
              canvas_.Screen(), QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s));
  painting_ = false;
  emit painted();
}

void PlayArea::mousePressEvent(QMouseEvent* event) {
  const int button = PuzzleButton(event->button());
  if (button < 0) return;
  const QPoint pos = ToPlayArea(event->position());
  host_.PlayAreaMouseDown(pos.x(), pos.y(), button);
  emit pressed();
}

bool PlayArea::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QRect zoomed(rulesPlace_.topLeft() * zoom_, rulesPlace_.size() * zoom_);
    const QRect place = zoomed.translated(-pos());  // in the widget
    if (place.contains(help->pos())) {
      QString text = rulesHint_;
      text.replace('\r', '\n');
      QToolTip::showText(help->globalPos(), text, this, place);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace zt
