// Times one frame of a CRUX slide: composing the moving track in its strip
// image, copying it to the screen and presenting it (to a presenter that does
// nothing), without the 20 ms wait. Prints the median and the slowest 1 % per
// frame for each track.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/crux/BenchKit.h"
#include "puzzles/crux/CruxView.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double median;
  double p99;
};

// Runs `rounds` rounds of the nine frames of a slide and returns the time per
// frame in microseconds.
template <typename Frame>
Figures Measure(int rounds, Frame frame) {
  constexpr int kSteps[9] = {1, 3, 6, 10, 15, 19, 22, 24, 25};
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(rounds) * 9);
  for (int r = 0; r < rounds; ++r) {
    for (int s : kSteps) {
      const auto start = Clock::now();
      frame(s);
      times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString atlasPath = argc > 1 ? QString::fromLocal8Bit(argv[1]) : ZT_GAME_DIR "/b1.bmp";
  QImage atlas = zt::bench::LoadCruxAtlas(atlasPath);
  if (atlas.isNull()) return 1;

  zt::PlayState play;
  zt::bench::QuietHost host;
  zt::FrameDriver driver{host, play};
  zt::ClockRandom random(7);
  zt::Canvas canvas;
  canvas.SetAtlas(atlas);
  int presents = 0;
  canvas.SetPresenter([&presents](const QRect&) { ++presents; });
  zt::PuzzleContext ctx{host, canvas, random, play, driver};
  zt::CruxView crux(ctx);
  crux.Rules().CruxPattern = 16;  // the most varied pictures
  crux.InitPuzzle();
  crux.PaintPuzzle();

  const int rounds = 20000;
  const Figures horizontal = Measure(rounds, [&](int s) {
    crux.DrawCruxHorizontal(s);
    canvas.Present(zt::CruxView::HorizontalStripRect());
  });
  const Figures vertical = Measure(rounds, [&](int s) {
    crux.DrawCruxVertical(-s);
    canvas.Present(zt::CruxView::VerticalStripRect());
  });

  // Whole slides through the real move, the waits being no-ops.
  const auto start = Clock::now();
  int slides = 0;
  for (int i = 0; i < 4000; ++i) {
    const int d = random.Next(4);
    if (!crux.Rules().CruxCanShift(d)) continue;
    crux.MoveCrux(d);
    ++slides;
  }
  const double perSlideFrame =
      std::chrono::duration<double, std::micro>(Clock::now() - start).count() / (slides * 9.0);

  std::printf("CRUX slide frame (compose + copy + present), %d frames per track:\n", rounds * 9);
  std::printf("  horizontal strip: median %.2f us, 99%% %.2f us\n", horizontal.median,
              horizontal.p99);
  std::printf("  vertical strip:   median %.2f us, 99%% %.2f us\n", vertical.median, vertical.p99);
  std::printf("  whole slides:     %.2f us per frame over %d slides (no waits)\n", perSlideFrame,
              slides);
  std::printf("target: under 500 us per frame\n");
  return presents > 0 ? 0 : 1;
}
