#include "puzzles/crux/Crossing.h"

namespace zt {

void Crossing::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  ctx_.canvas.PresentAll();
}

void Crossing::NextVariant(int button) {
  if (button == kLeftButton) rules_.CruxPattern = rules_.CruxPattern % 16 + 1;
  if (button == kRightButton) rules_.CruxPattern = (rules_.CruxPattern + 16 - 2) % 16 + 1;
  MixPuzzle();
}

}  // namespace zt
