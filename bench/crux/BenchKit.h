#pragma once

#include <QImage>
#include <QString>
#include <cstdio>

#include "puzzles/core/HostServices.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/Random.h"

namespace zt::bench {

// Host services that do nothing: no sound, no waiting.
class QuietHost final : public HostServices {
 public:
  void PlaySound(zt::SoundEffect) override {}
  void Delay(int) override {}
  void RepaintClock() override {}
  void PuzzleSolved() override { ++solved; }
  int solved = 0;
};

// Right and left in turn: every slide is undone by the next, so a mix leaves
// the finished pattern.
class BackAndForth final : public Random {
 public:
  int Next(int) override { return (flip_ = !flip_) ? 0 : 2; }

 private:
  bool flip_ = false;
};

// The CRUX atlas written by the build, or the file given.
inline QImage LoadCruxAtlas(const QString& path) {
  QImage atlas(path);
  if (atlas.isNull()) std::fprintf(stderr, "cannot read the atlas %s\n", qPrintable(path));
  return atlas;
}

}  // namespace zt::bench
