#include "puzzles/tilz/Tilzer.h"

namespace zt {

void Tilzer::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  ctx_.canvas.PresentAll();
}

void Tilzer::NextVariant(int button) {
  if (button == kLeftButton) rules_.TilzLevel = rules_.TilzLevel % 5 + 1;
  if (button == kRightButton) rules_.TilzLevel = (rules_.TilzLevel + 5 - 2) % 5 + 1;
  MixPuzzle();
}

}  // namespace zt
