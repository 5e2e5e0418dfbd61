#pragma once

#include "puzzles/core/SoundEffect.h"

namespace zt {

// What the host offers the puzzles.
class HostServices {
 public:
  virtual ~HostServices() = default;
  // Plays the sound effect if sound effects are on.
  virtual void PlaySound(SoundEffect effect) = 0;
  // Blocks for ms milliseconds without handling any event: input waits in the
  // queue and the clock timer cannot fire meanwhile. Only the frame driver
  // waits.
  virtual void Delay(int ms) = 0;
  // Draws the current puzzle's clock at once.
  virtual void RepaintClock() = 0;
  // The solved sequence; ignored while the current puzzle is already solved.
  virtual void PuzzleSolved() = 0;
};

}  // namespace zt
