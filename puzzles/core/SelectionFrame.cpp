#include "puzzles/core/SelectionFrame.h"

#include "puzzles/core/Canvas.h"

namespace zt {

void SelectionFrame::Draw(QImage& target, const QRect& r, QRgb band) {
  const QRect outer = r.adjusted(kInset, kInset, -kInset, -kInset);
  Canvas::FillRing(target, outer, kBlack + kBand + kBlack, qRgb(0, 0, 0));
  Canvas::FillRing(target, outer.adjusted(kBlack, kBlack, -kBlack, -kBlack), kBand, band);
}

}  // namespace zt
