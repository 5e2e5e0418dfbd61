#pragma once

#include <QImage>
#include <vector>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/FrameDriver.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/Puzzle.h"
#include "tests/common/FakeHost.h"
#include "tests/common/ScriptedRandom.h"
#include "tests/common/SyntheticAtlas.h"

namespace zt::test {

// Everything a puzzle needs, without a window: a recording host, scripted
// random numbers, a canvas with a synthetic atlas, and the screen captured at
// every Delay (one picture per animation frame) and every present.
struct PuzzleRig {
  explicit PuzzleRig(int puzzle, int atlasWidth = 500, int atlasHeight = 333) {
    play.PuzzleMode = static_cast<std::uint8_t>(puzzle);
    play.PuzzleState[puzzle] = kReady;
    canvas.SetAtlas(MakeSyntheticAtlas(atlasWidth, atlasHeight));
    host.onDelay = [this] { frames.push_back(canvas.Screen().copy()); };
    canvas.SetPresenter([this](const QRect& r) { presents.push_back(r); });
  }

  void ClearRecords() {
    host.Clear();
    random.ranges.clear();
    frames.clear();
    presents.clear();
  }

  PlayState play;
  FakeHost host{play};
  ScriptedRandom random;
  Canvas canvas;
  FrameDriver driver{host, play};
  PuzzleContext ctx{host, canvas, random, play, driver};
  std::vector<QImage> frames;
  std::vector<QRect> presents;
};

}  // namespace zt::test
