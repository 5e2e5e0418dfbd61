// Renders CRUX with the real atlas for looking at the artwork: every pattern
// finished and mixed, a frame in the middle of a slide, sheets of four
// patterns each, and the piece pictures enlarged.
//   crux_render <output folder> [atlas]
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "bench/crux/BenchKit.h"
#include "puzzles/crux/CruxView.h"

namespace {

bool Save(const QImage& image, const QDir& dir, const QString& name) {
  if (image.save(dir.filePath(name), "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(name)));
  return false;
}

// Four screens in a 2 x 2 sheet.
QImage Sheet(const QImage* screens) {
  QImage sheet(1004, 670, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int i = 0; i < 4; ++i)
    p.drawImage(QPoint((i % 2) * 504, (i / 2) * 337), screens[i]);
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder> [atlas]\n", argv[0]);
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) return 1;
  const QString atlasPath = argc > 2 ? QString::fromLocal8Bit(argv[2]) : ZT_GAME_DIR "/b1.bmp";
  QImage atlas = zt::bench::LoadCruxAtlas(atlasPath);
  if (atlas.isNull()) return 1;

  zt::PlayState play;
  zt::bench::QuietHost host;
  zt::FrameDriver driver{host, play};
  zt::Canvas canvas;
  canvas.SetAtlas(atlas);
  bool ok = true;

  QImage finished[16];
  QImage mixed[16];
  for (int n = 1; n <= 16; ++n) {
    zt::bench::BackAndForth backAndForth;
    zt::PuzzleContext finishedCtx{host, canvas, backAndForth, play, driver};
    zt::CruxView crux(finishedCtx);
    crux.Rules().CruxPattern = n;
    crux.InitPuzzle();
    crux.PaintPuzzle();
    finished[n - 1] = canvas.Screen().copy();

    zt::ClockRandom random(static_cast<std::uint32_t>(1000 + n));
    zt::PuzzleContext mixedCtx{host, canvas, random, play, driver};
    zt::CruxView mixedCrux(mixedCtx);
    mixedCrux.Rules().CruxPattern = n;
    mixedCrux.InitPuzzle();
    mixedCrux.PaintPuzzle();
    mixed[n - 1] = canvas.Screen().copy();

    const QString number = QString("%1").arg(n, 2, 10, QChar('0'));
    ok &= Save(finished[n - 1], out, "pattern" + number + "-finished.png");
    ok &= Save(mixed[n - 1], out, "pattern" + number + "-mixed.png");
  }
  for (int s = 0; s < 4; ++s) {
    const QString range = QString("%1-%2").arg(4 * s + 1).arg(4 * s + 4);
    ok &= Save(Sheet(finished + 4 * s), out, "sheet-finished-" + range + ".png");
    ok &= Save(Sheet(mixed + 4 * s), out, "sheet-mixed-" + range + ".png");
  }

  // Half way through a slide down of the vertical baulk.
  {
    zt::bench::BackAndForth backAndForth;
    zt::PuzzleContext ctx{host, canvas, backAndForth, play, driver};
    zt::CruxView crux(ctx);
    crux.Rules().CruxPattern = 16;
    crux.InitPuzzle();
    crux.PaintPuzzle();
    crux.DrawCruxVertical(15);
    ok &= Save(canvas.Screen(), out, "slide-frame5.png");
  }

  // The piece pictures, three times their size, large ones above the small.
  const QImage pieces = atlas.copy(0, 333, 400, 125).convertToFormat(QImage::Format_RGB32);
  ok &= Save(pieces.scaled(1200, 375, Qt::IgnoreAspectRatio, Qt::FastTransformation), out,
             "pieces-x3.png");
  ok &= Save(atlas, out, "atlas.png");
  return ok ? 0 : 1;
}
