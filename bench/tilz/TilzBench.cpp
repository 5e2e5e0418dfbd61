// How long one frame of a TILZ slide takes to compose and present: the plate
// picture copied to its next place, the uncovered strip filled black and the
// changed rectangle handed to the presenter, which here copies it into a
// window-sized image as the play area's repaint would. Target: under 0.5 ms.
//
//   tilz_bench [atlas file]
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/tilz/TilzView.h"

namespace {

using Clock = std::chrono::steady_clock;

// Marks the end of each frame: the animation calls Delay right after it has
// presented the frame.
class TimingHost final : public zt::HostServices {
 public:
  void PlaySound(zt::SoundEffect) override {}
  void Delay(int) override { marks.push_back(Clock::now()); }
  void RepaintClock() override {}
  void PuzzleSolved() override {}
  std::vector<Clock::time_point> marks;
};

class NoRandom final : public zt::Random {
 public:
  int Next(int) override { return 0; }
};

double Micros(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString atlasPath =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_GAME_DIR "/b2.bmp");
  QImage atlas(atlasPath);
  if (atlas.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(atlasPath));
    return 1;
  }

  TimingHost host;
  NoRandom random;
  zt::Canvas canvas;
  zt::PlayState play;
  zt::FrameDriver driver{host, play};
  play.PuzzleMode = zt::kTilz;
  play.PuzzleState[zt::kTilz] = zt::kRunning;  // the clock ticks too, as in a game
  canvas.SetAtlas(atlas);
  QImage window = zt::Canvas::MakeImage(zt::Canvas::kWidth, zt::Canvas::kHeight);
  canvas.SetPresenter([&](const QRect& r) {
    zt::Canvas::Copy(canvas.Screen(), r.x(), r.y(), r.width(), r.height(), window, r.x(), r.y());
  });
  zt::TilzView tilz(zt::PuzzleContext{host, canvas, random, play, driver});

  // The big plate, the largest picture, slides left and right between two
  // free columns, 10 frames a slide.
  tilz.Rules().TilzLevel = 4;
  tilz.Rules().TilzBoard.fill(9);
  for (int row : {1, 2})
    tilz.Rules().At(1, row) = 0;
  tilz.Rules().At(2, 1) = 1;
  tilz.Rules().At(3, 1) = 2;
  tilz.Rules().At(2, 2) = 3;
  tilz.Rules().At(3, 2) = 4;
  tilz.PaintPuzzle();

  constexpr int kSlides = 2000;
  std::vector<double> frames;
  frames.reserve(kSlides * 10);
  const auto start = Clock::now();
  for (int i = 0; i < kSlides; ++i) {
    host.marks.clear();
    const auto begin = Clock::now();
    if (i % 2 == 0)
      tilz.PushPlate(2, 1, zt::TilzPush::Left);
    else
      tilz.PushPlate(1, 1, zt::TilzPush::Right);
    auto previous = begin;
    for (const auto& mark : host.marks) {
      frames.push_back(Micros(mark - previous));
      previous = mark;
    }
  }
  const double total = Micros(Clock::now() - start);
  if (frames.size() != static_cast<std::size_t>(kSlides) * 10) {
    std::fprintf(stderr, "expected 10 frames a slide, saw %zu in all\n", frames.size());
    return 1;
  }

  std::sort(frames.begin(), frames.end());
  const double median = frames[frames.size() / 2];
  const double p99 = frames[frames.size() * 99 / 100];
  std::printf(
      "TILZ slide frame (big plate 100 x 100, compose + present): median %.2f us, "
      "99th percentile %.2f us, mean %.2f us over %zu frames\n",
      median, p99, total / static_cast<double>(frames.size()), frames.size());

  constexpr int kPaints = 500;
  const auto paintStart = Clock::now();
  for (int i = 0; i < kPaints; ++i)
    tilz.PaintPuzzle();
  std::printf("TILZ full paint (background, preview, marker, 30 cells, present): %.2f us\n",
              Micros(Clock::now() - paintStart) / kPaints);
  std::printf("target: a slide frame under 500 us: %s\n", median < 500 ? "met" : "MISSED");
  return 0;
}
