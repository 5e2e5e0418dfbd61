#pragma once

#include <QImage>
#include <functional>
#include <vector>

#include "puzzles/core/HostServices.h"
#include "puzzles/core/PlayState.h"

namespace zt::test {

// Host services that record what a puzzle asked for. PuzzleSolved behaves as the
// real host's state change does (ignored in state 3, otherwise state 3), so
// puzzles can be driven through whole games without a window.
class FakeHost : public HostServices {
 public:
  explicit FakeHost(PlayState& play) : play_(play) {}

  void PlaySound(SoundEffect effect) override { sounds.push_back(static_cast<int>(effect)); }
  void Delay(int ms) override {
    delays.push_back(ms);
    if (onDelay) onDelay();
  }
  void RepaintClock() override { clockAtRepaint.push_back(play_.PuzzleClock[play_.PuzzleMode]); }
  void PuzzleSolved() override {
    ++solvedCalls;
    auto& state = play_.PuzzleState[play_.PuzzleMode];
    if (state == kSolved) return;
    state = kSolved;
    ++solves;
  }

  void Clear() {
    sounds.clear();
    delays.clear();
    clockAtRepaint.clear();
    solvedCalls = 0;
    solves = 0;
  }

  std::vector<int> sounds;  // the effects' numbers
  std::vector<int> delays;
  std::vector<int> clockAtRepaint;  // the current clock at each RepaintClock
  int solvedCalls = 0;              // every call
  int solves = 0;                   // calls that changed the state to solved
  std::function<void()> onDelay;

 private:
  PlayState& play_;
};

}  // namespace zt::test
