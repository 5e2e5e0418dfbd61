#pragma once

#include <Qt>

#include "puzzles/core/Puzzle.h"

namespace zt {

// The number the puzzles give a mouse button (kLeftButton, kRightButton,
// kMiddleButton), or -1 for any other button.
inline int PuzzleButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return -1;
  }
}

}  // namespace zt
