// Renders TILZ boards with the real atlas into PNG files, to look at the
// artwork as the game shows it: each level's start, level 5 on its way round
// the four corners (with the markers the game leaves on the preview after each
// corner, and again after a full repaint), a bump and a slide in mid-frame.
// The level label that the main window puts over the play area is drawn in
// too, so that its place on the artwork can be judged.
//
//   tilz_render <output folder> [atlas file]
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/tilz/TilzView.h"

namespace {

using zt::TilzPush;
using zt::TilzRules;

class QuietHost final : public zt::HostServices {
 public:
  void PlaySound(zt::SoundEffect) override {}
  void Delay(int) override {
    if (onDelay) onDelay();
  }
  void RepaintClock() override {}
  void PuzzleSolved() override {}
  std::function<void()> onDelay;
};

class NoRandom final : public zt::Random {
 public:
  int Next(int) override { return 0; }
};

struct Push {
  int column;
  int row;
  TilzPush push;
};

std::string Key(const TilzRules& rules) {
  std::string key(rules.TilzBoard.begin(), rules.TilzBoard.end());
  key.push_back(static_cast<char>(rules.TilzTargetPhase));
  return key;
}

// The fewest pushes from the rules' position to the next step of the solved
// test (a level-5 corner or the solve), by breadth-first search. A search over
// all four corners at once is far too big for a quick look, so level 5 goes
// corner by corner.
std::vector<Push> NextStep(const TilzRules& start) {
  struct Seen {
    std::string parent;
    Push push;
  };
  std::unordered_map<std::string, Seen> seen{{Key(start), {"", {}}}};
  std::vector<TilzRules> frontier{start};
  auto path = [&seen](std::string key, Push last) {
    std::vector<Push> pushes{last};
    for (auto it = seen.find(key); !it->second.parent.empty(); it = seen.find(key)) {
      pushes.insert(pushes.begin(), it->second.push);
      key = it->second.parent;
    }
    return pushes;
  };
  while (!frontier.empty()) {
    std::vector<TilzRules> next;
    for (const TilzRules& state : frontier) {
      const std::string key = Key(state);
      for (int column = 0; column < TilzRules::kColumns; ++column) {
        for (int row = 0; row < TilzRules::kRows; ++row) {
          for (TilzPush push : {TilzPush::Left, TilzPush::Right, TilzPush::Up, TilzPush::Down}) {
            TilzRules after = state;
            if (!after.PushPlate(column, row, push)) continue;
            if (after.StepTilzTarget() != zt::TilzProgress::NotSolved)
              return path(key, {column, row, push});
            if (seen.emplace(Key(after), Seen{key, {column, row, push}}).second)
              next.push_back(after);
          }
        }
      }
    }
    frontier = std::move(next);
  }
  return {};
}

void PushWith(zt::TilzView& tilz, const Push& p) {
  switch (p.push) {
    case TilzPush::Left:
      tilz.PushPlate(p.column, p.row, zt::TilzPush::Left);
      break;
    case TilzPush::Right:
      tilz.PushPlate(p.column, p.row, zt::TilzPush::Right);
      break;
    case TilzPush::Up:
      tilz.PushPlate(p.column, p.row, zt::TilzPush::Up);
      break;
    case TilzPush::Down:
      tilz.PushPlate(p.column, p.row, zt::TilzPush::Down);
      break;
    case TilzPush::None:
      break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder> [atlas file]\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const QString atlasPath =
      argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(ZT_GAME_DIR "/b2.bmp");
  QImage atlas(atlasPath);
  if (atlas.isNull() || atlas.width() < 610 || atlas.height() < 333) {
    std::fprintf(stderr, "cannot read a TILZ atlas from %s\n", qPrintable(atlasPath));
    return 1;
  }
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  QuietHost host;
  NoRandom random;
  zt::Canvas canvas;
  zt::PlayState play;
  zt::FrameDriver driver{host, play};
  play.PuzzleMode = zt::kTilz;
  play.PuzzleState[zt::kTilz] = zt::kReady;
  canvas.SetAtlas(atlas);
  zt::TilzView tilz(zt::PuzzleContext{host, canvas, random, play, driver});

  bool ok = true;
  auto save = [&](const QString& name) {
    const QString path = out.filePath(name + ".png");
    // The main window's level label lies over the play area: bold italic
    // figures with 27-pixel characters, left-aligned in a 77 x 32 box at
    // (450, 242) of the play area.
    QImage shot = canvas.Screen().copy();
    QPainter p(&shot);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Liberation Sans");
    font.setPixelSize(30);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(450, 242, 77, 32), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(tilz.LevelText()));
    p.end();
    if (!shot.save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      ok = false;
    } else {
      std::printf("%s\n", qPrintable(path));
    }
  };

  for (int level = 1; level <= TilzRules::kLevels; ++level) {
    tilz.Rules().TilzLevel = level;
    tilz.MixPuzzle();
    save(QString("level%1").arg(level));
  }

  // A bump and a slide caught in mid-frame, on level 1.
  tilz.Rules().TilzLevel = 1;
  tilz.MixPuzzle();
  int frame = 0;
  host.onDelay = [&] {
    if (++frame == 1) save("level1-bump");
  };
  tilz.PushPlate(1, 0, zt::TilzPush::Left);  // the big plate against the wall
  frame = 0;
  host.onDelay = [&] {
    if (++frame == 6) save("level1-slide");
  };
  tilz.PushPlate(3, 1, zt::TilzPush::Down);
  host.onDelay = nullptr;

  // Level 5 round its corners, the way a player would see it.
  tilz.Rules().TilzLevel = 5;
  tilz.MixPuzzle();
  int total = 0;
  for (int corner = 0; corner < TilzRules::kLevel5Targets; ++corner) {
    const std::vector<Push> pushes = NextStep(tilz.Rules());
    if (pushes.empty()) {
      std::fprintf(stderr, "level 5: corner %d cannot be reached\n", corner + 1);
      return 1;
    }
    total += static_cast<int>(pushes.size());
    for (const Push& p : pushes)
      PushWith(tilz, p);
    std::printf("level 5: corner %d after %d pushes\n", corner + 1, total);
    if (corner + 1 < TilzRules::kLevel5Targets) {
      save(QString("level5-phase%1-reached").arg(tilz.Rules().TilzTargetPhase));
      tilz.PaintPuzzle();
      save(QString("level5-phase%1").arg(tilz.Rules().TilzTargetPhase));
    }
  }
  save("level5-solved");
  return ok ? 0 : 1;
}
