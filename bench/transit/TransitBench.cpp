// Times a TRANSIT move: the line composed once in the back buffer, then seven
// frames, each one window copied to the screen and presented. The presenter
// copies the presented rectangle once more, standing in for the display.
//
//   transit_bench [atlas]   (the atlas defaults to the built b4.bmp)
#include <QImage>
#include <chrono>
#include <cstdio>

#include "puzzles/transit/TransitView.h"

namespace {

class NoWaitHost final : public zt::HostServices {
 public:
  void PlaySound(zt::SoundEffect) override {}
  void Delay(int) override {}  // the 20 ms waits are the animation's pace, not its cost
  void RepaintClock() override {}
  void PuzzleSolved() override {}
};

}  // namespace

int main(int argc, char** argv) {
  const QString atlasPath =
      argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_GAME_DIR "/b4.bmp");
  QImage atlas(atlasPath);
  if (atlas.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(atlasPath));
    return 1;
  }

  zt::PlayState play;
  play.PuzzleMode = zt::kTransit;
  play.PuzzleState[zt::kTransit] = zt::kRunning;
  NoWaitHost host;
  zt::FrameDriver driver{host, play};
  zt::Canvas canvas;
  canvas.SetAtlas(atlas);
  QImage display = zt::Canvas::MakeImage(zt::Canvas::kWidth, zt::Canvas::kHeight);
  long presentedPixels = 0;
  canvas.SetPresenter([&](const QRect& r) {
    zt::Canvas::Copy(canvas.Screen(), r.x(), r.y(), r.width(), r.height(), display, r.x(), r.y());
    presentedPixels += static_cast<long>(r.width()) * r.height();
  });
  zt::ClockRandom random(1);
  zt::TransitView puzzle(zt::PuzzleContext{host, canvas, random, play, driver});
  puzzle.Rules().TransitPattern = 22;
  puzzle.InitPuzzle();
  puzzle.PaintPuzzle();

  constexpr zt::TransitDirection kDirections[4] = {
      zt::TransitDirection::Left, zt::TransitDirection::Right, zt::TransitDirection::Up,
      zt::TransitDirection::Down};
  auto run = [&](int moves) {
    for (int i = 0; i < moves; ++i)
      puzzle.MoveTransit(kDirections[i % 4], (i / 4) % 7);
  };
  run(200);  // warm the caches

  constexpr int kMoves = 20000;
  presentedPixels = 0;
  const auto start = std::chrono::steady_clock::now();
  run(kMoves);
  const auto end = std::chrono::steady_clock::now();
  const double total = std::chrono::duration<double, std::micro>(end - start).count();
  const double perMove = total / kMoves;
  const double perFrame = perMove / zt::TransitView::kFrames;
  std::printf("TRANSIT move: %d moves, %.0f pixels presented per frame\n", kMoves,
              static_cast<double>(presentedPixels) / (kMoves * zt::TransitView::kFrames));
  std::printf("  per move (compose + 7 frames): %.2f us\n", perMove);
  std::printf("  per frame (compose shared):    %.3f ms (target under 0.5 ms)\n", perFrame / 1000);
  return 0;
}
