#include "puzzles/core/HintMark.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace zt {

namespace {

// The arrow pointing right from (0, 0) along x, centred on the x axis.
QPolygonF RightArrow(qreal length, qreal headWidth) {
  const qreal shaft = headWidth / 3;
  const qreal headLength = std::min(length / 2, headWidth * 0.75);
  const qreal back = -length / 2;
  const qreal neck = length / 2 - headLength;
  return QPolygonF({QPointF(back, -shaft / 2), QPointF(neck, -shaft / 2),
                    QPointF(neck, -headWidth / 2), QPointF(length / 2, 0),
                    QPointF(neck, headWidth / 2), QPointF(neck, shaft / 2),
                    QPointF(back, shaft / 2)});
}

}  // namespace

void HintMark::Draw(QImage& target, const QRect& r, HintWay way) {
  SelectionFrame::Draw(target, r, kBandColour);

  const bool across = way == HintWay::Left || way == HintWay::Right;
  const int along = (across ? r.width() : r.height()) - 2 * kWidth;
  const int side = (across ? r.height() : r.width()) - 2 * kWidth;
  const qreal length = std::min(kArrowLength, along - 4);
  const qreal head = std::min(kHeadWidth, side - 4);
  if (length < 6 || head < 6) return;

  QPainter p(&target);  // in the screen's play-area coordinates, at its scale
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(QRectF(r).center());
  switch (way) {
    case HintWay::Right:
      break;
    case HintWay::Down:
      p.rotate(90);
      break;
    case HintWay::Left:
      p.rotate(180);
      break;
    case HintWay::Up:
      p.rotate(270);
      break;
  }
  p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(QColor::fromRgb(kBandColour));
  p.drawPolygon(RightArrow(length, head));
}

}  // namespace zt
