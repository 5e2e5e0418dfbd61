// Renders TRANSIT screens from the real atlas into PNG files, to look at the
// artwork as the player sees it: finished and mixed boards of several patterns
// with several picture maps, and a frame in the middle of a move.
//
//   transit_render <output folder> [atlas]   (the atlas defaults to the built b4.bmp)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "puzzles/transit/TransitView.h"

namespace {

class SilentHost final : public zt::HostServices {
 public:
  void PlaySound(zt::SoundEffect) override {}
  void Delay(int) override {
    if (onDelay) onDelay();
  }
  void RepaintClock() override {}
  void PuzzleSolved() override {}
  std::function<void()> onDelay;
};

// The host's level label sits over the plate at the bottom right: its number
// is drawn in, so the shots show what the player sees there.
QImage WithLevelLabel(const QImage& screen, int pattern) {
  QImage shown = screen.copy();
  QPainter p(&shown);
  QFont font("Arial");
  font.setPixelSize(27);
  font.setBold(true);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(445, 282, 77, 32), Qt::AlignLeft | Qt::AlignTop, QString::number(pattern));
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the level label
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <output folder> [atlas]\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  const QString atlasPath =
      argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(ZT_GAME_DIR "/b4.bmp");
  QImage atlas(atlasPath);
  if (atlas.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(atlasPath));
    return 1;
  }

  zt::PlayState play;
  play.PuzzleMode = zt::kTransit;
  play.PuzzleState[zt::kTransit] = zt::kReady;
  SilentHost host;
  zt::FrameDriver driver{host, play};
  zt::Canvas canvas;
  canvas.SetAtlas(atlas);
  int saved = 0;
  auto save = [&](const QImage& image, const QString& name) {
    const QString path = out.filePath(name);
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
    std::printf("%s\n", qPrintable(path));
    ++saved;
    return true;
  };

  struct Shot {
    int pattern;
    std::uint32_t seed;
  };
  for (const Shot shot : {Shot{1, 11}, Shot{9, 12}, Shot{13, 13}, Shot{16, 14}, Shot{18, 15},
                          Shot{20, 16}, Shot{22, 17}, Shot{22, 18}}) {
    zt::ClockRandom random(shot.seed);
    zt::TransitView puzzle(zt::PuzzleContext{host, canvas, random, play, driver});
    puzzle.Rules().TransitPattern = shot.pattern;
    puzzle.InitPuzzle();
    puzzle.PaintPuzzle();
    const QString stem =
        QString("pattern%1-seed%2").arg(shot.pattern, 2, 10, QChar('0')).arg(shot.seed);
    if (!save(WithLevelLabel(canvas.Screen(), shot.pattern), stem + "-mixed.png")) return 1;
    puzzle.Rules().TransitBoard = puzzle.Rules().Target();
    puzzle.PaintPuzzle();
    if (!save(WithLevelLabel(canvas.Screen(), shot.pattern), stem + "-finished.png")) return 1;
  }

  // Frame 3 of a row move and frame 5 of a column move, mid-slide.
  zt::ClockRandom random(21);
  zt::TransitView puzzle(zt::PuzzleContext{host, canvas, random, play, driver});
  puzzle.Rules().TransitPattern = 22;
  puzzle.InitPuzzle();
  puzzle.PaintPuzzle();
  int frame = 0;
  QImage rowFrame;
  QImage columnFrame;
  host.onDelay = [&] {
    ++frame;
    if (frame == 3) rowFrame = WithLevelLabel(canvas.Screen(), 22);
    if (frame == 7 + 5) columnFrame = WithLevelLabel(canvas.Screen(), 22);
  };
  puzzle.MoveTransit(zt::TransitDirection::Right, 3);
  puzzle.MoveTransit(zt::TransitDirection::Up, 2);
  if (!save(rowFrame, "move-row3-right-frame3.png")) return 1;
  if (!save(columnFrame, "move-column2-up-frame5.png")) return 1;
  if (!save(atlas, "atlas.png")) return 1;
  std::printf("%d pictures written\n", saved);
  return 0;
}
