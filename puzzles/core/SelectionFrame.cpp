#include "puzzles/core/SelectionFrame.h"

#include "puzzles/core/Canvas.h"

namespace zt {

namespace {

// A ring of the given width just inside r.
void Ring(QImage& target, const QRect& r, int width, QRgb colour) {
  Canvas::Fill(target, r.x(), r.y(), r.width(), width, colour);
  Canvas::Fill(target, r.x(), r.y() + r.height() - width, r.width(), width, colour);
  Canvas::Fill(target, r.x(), r.y(), width, r.height(), colour);
  Canvas::Fill(target, r.x() + r.width() - width, r.y(), width, r.height(), colour);
}

}  // namespace

void SelectionFrame::Draw(QImage& target, const QRect& r) {
  const QRect outer = r.adjusted(kInset, kInset, -kInset, -kInset);
  Ring(target, outer, kBlack + kBand + kBlack, qRgb(0, 0, 0));
  Ring(target, outer.adjusted(kBlack, kBlack, -kBlack, -kBlack), kBand, kBandColour);
}

}  // namespace zt
