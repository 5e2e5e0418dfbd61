#include "puzzles/core/FrameDriver.h"

namespace zt {

void FrameDriver::Play(const FramePlan& plan, const ShowFrame& show) {
  for (int frame = 1; frame <= plan.frames; ++frame) {
    show(frame);
    if (plan.ticks.Has(frame) && play_.Running(plan.puzzle)) {
      ++play_.PuzzleClock[plan.puzzle];
      host_.RepaintClock();
    }
    host_.Delay(plan.delayMs);
  }
}

}  // namespace zt
