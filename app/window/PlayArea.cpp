#include "app/window/PlayArea.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "app/host/PuzzleHost.h"
#include "app/window/MouseButton.h"
#include "puzzles/core/Canvas.h"

namespace zt {

PlayArea::PlayArea(QWidget* parent, int top, PuzzleHost& host, const Canvas& canvas)
    : QWidget(parent), host_(host), canvas_(canvas) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(0, top, Canvas::kWidth, Canvas::kHeight);
}

void PlayArea::Present(const QRect& r) {
  if (painting_) return;  // the running paint shows the whole screen anyway
  presenting_ = true;
  repaint(r);
  presenting_ = false;
}

void PlayArea::paintEvent(QPaintEvent* event) {
  painting_ = true;
  if (!presenting_) host_.PlayAreaPaint();
  QPainter p(this);
  const QRect r = event->rect();
  p.drawImage(r, canvas_.Screen(), r);
  painting_ = false;
  emit painted();
}

void PlayArea::mousePressEvent(QMouseEvent* event) {
  const int button = PuzzleButton(event->button());
  if (button < 0) return;
  const QPoint pos = event->position().toPoint();
  host_.PlayAreaMouseDown(pos.x(), pos.y(), button);
  emit pressed();
}

bool PlayArea::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QRect place = rulesPlace_.translated(-pos());  // in the play area
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
