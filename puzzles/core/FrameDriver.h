#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "puzzles/core/HostServices.h"
#include "puzzles/core/PlayState.h"

namespace zt {

// The frames of an animation, numbered from 1, after which a running clock
// gains a tick (at most frame 32).
class TickFrames {
 public:
  constexpr TickFrames() = default;
  constexpr TickFrames(std::initializer_list<int> frames) {
    for (const int frame : frames)
      *this = With(frame);
  }
  constexpr bool Has(int frame) const { return InRange(frame) && (mask_ & Bit(frame)) != 0; }
  // These frames and one more.
  constexpr TickFrames With(int frame) const {
    TickFrames more = *this;
    if (InRange(frame)) more.mask_ |= Bit(frame);
    return more;
  }

 private:
  static constexpr bool InRange(int frame) { return frame >= 1 && frame <= 32; }
  static constexpr std::uint32_t Bit(int frame) { return std::uint32_t{1} << (frame - 1); }
  std::uint32_t mask_ = 0;
};

// How an animation runs: how many frames, the wait after each, and the frames
// on which the clock of the moving puzzle ticks.
struct FramePlan {
  int puzzle = kCrux;  // whose clock keeps time during the frames
  int frames = 0;
  int delayMs = 0;
  TickFrames ticks;
};

// Runs every move animation of every puzzle. The wait between frames blocks
// the user-interface thread, so the 200 ms timer cannot fire during a move:
// the driver gives the running clock the ticks the plan names instead, right
// after the frame is shown and before the wait. The views only say what each
// frame shows.
class FrameDriver {
 public:
  using ShowFrame = std::function<void(int frame)>;

  FrameDriver(HostServices& host, PlayState& play) : host_(host), play_(play) {}

  // For each frame 1..plan.frames: show(frame), the clock tick if the plan
  // names the frame and the puzzle's clock runs, then the wait.
  void Play(const FramePlan& plan, const ShowFrame& show);

 private:
  HostServices& host_;
  PlayState& play_;
};

}  // namespace zt
