#include "puzzles/transit/Transit.h"

namespace zt {

void Transit::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  ctx_.canvas.PresentAll();
}

void Transit::NextVariant(int button) {
  if (button == kLeftButton) rules_.TransitPattern = rules_.TransitPattern % 22 + 1;
  if (button == kRightButton) rules_.TransitPattern = (rules_.TransitPattern + 22 - 2) % 22 + 1;
  MixPuzzle();
}

}  // namespace zt
