// The play area composed at scale 2 and 3: each puzzle's still picture and
// every frame of its moves copy from the atlas of that scale, so they show its
// detail, and they match the 1x picture pixel for pixel in what they copy.
#include <QtTest>
#include <functional>
#include <memory>

#include "puzzles/boss/BossView.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/core/Canvas.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/SyntheticAtlas.h"
#include "tests/common/TestMain.h"

using namespace zt;
using namespace zt::test;

namespace {

// An atlas whose every pixel has a colour of its own, for atlases of any size
// the game uses at 3x: the colour is 1 + the pixel's index, never black.
QImage NumberedAtlas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x)
      line[x] = 0xff000000u | static_cast<QRgb>(y * width + x + 1);
  }
  return image;
}
// The atlas pixel a colour of a numbered atlas of that width came from, or
// (-1, -1) for black.
QPoint NumberedOrigin(QRgb colour, int width) {
  const int index = static_cast<int>(colour & 0xffffff) - 1;
  if (index < 0) return {-1, -1};
  return {index % width, index / width};
}

// The frame at scale s as it must be: every pixel copied from the scale-s
// atlas where the 1x frame copied its 1x pixel, black where that was black.
QImage ExpectedAtScale(const QImage& oneX, int atlasWidth, int s) {
  QImage expected(oneX.width() * s, oneX.height() * s, QImage::Format_RGB32);
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QPoint from = NumberedOrigin(oneX.pixel(x / s, y / s), atlasWidth);
      QRgb colour = qRgb(0, 0, 0);
      if (from.x() >= 0) {
        const int bx = from.x() * s + x % s;
        const int by = from.y() * s + y % s;
        colour = 0xff000000u | static_cast<QRgb>(by * atlasWidth * s + bx + 1);
      }
      expected.setPixel(x, y, colour);
    }
  }
  return expected;
}

// One puzzle on a rig at a scale: its view, and what a test does with it.
struct ScaledPuzzle {
  ScaledPuzzle(int puzzle, int scale) : rig(puzzle), scale(scale) {
    const PuzzleEntry& entry = CatalogEntry(puzzle);
    atlasWidth = entry.atlasWidth;
    rig.canvas.SetAtlas(NumberedAtlas(entry.atlasWidth * scale, entry.atlasHeight * scale), scale);
    switch (puzzle) {
      case kCrux:
        view = std::make_unique<CruxView>(rig.ctx);
        break;
      case kTilz:
        view = std::make_unique<TilzView>(rig.ctx);
        break;
      case kBoss:
        view = std::make_unique<BossView>(rig.ctx);
        break;
      default:
        view = std::make_unique<TransitView>(rig.ctx);
        break;
    }
    rig.random.SetScript({1, 2, 0, 3});
    view->InitPuzzle();
    view->PaintPuzzle();
  }
  PuzzleRig rig;
  int scale;
  int atlasWidth = 0;
  std::unique_ptr<Puzzle> view;
};

// The moves each puzzle plays in the frame test: presses on its push areas
// and arrow keys, the same on every scale.
using Moves = std::function<void(Puzzle&)>;

void PressAll(Puzzle& p, std::initializer_list<QPoint> points) {
  for (const QPoint& at : points)
    p.PuzzleMouseDown(at.x(), at.y(), kLeftButton);
}

}  // namespace

class CanvasScaleTest : public QObject {
  Q_OBJECT

 private slots:
  void copiesAndFillsAreMultipliedOut() {
    // A 2x image from a 2x atlas, a fill, an overlapping copy within one
    // image, and a 1x source meeting a 2x target: each against the pixels by hand.
    QImage atlas = NumberedAtlas(20, 10);
    atlas.setDevicePixelRatio(2);
    QImage target = Canvas::MakeImage(6, 4, 2);
    QCOMPARE(target.size(), QSize(12, 8));
    QCOMPARE(Canvas::ScaleOf(target), 2);
    Canvas::Copy(atlas, 3, 1, 2, 2, target, 1, 1);  // atlas pixels (6..9, 2..5)
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        QCOMPARE(NumberedOrigin(target.pixel(2 + x, 2 + y), 20), QPoint(6 + x, 2 + y));
    QCOMPARE(target.pixel(1, 2) & 0xffffff, 0u);  // left of the copy stays black
    // Cut off at the target's edge, in scale-free units: only one column lands.
    Canvas::Copy(atlas, 0, 0, 3, 1, target, 5, 0);
    QCOMPARE(NumberedOrigin(target.pixel(10, 0), 20), QPoint(0, 0));
    QCOMPARE(NumberedOrigin(target.pixel(11, 1), 20), QPoint(1, 1));
    Canvas::Fill(target, 1, 1, 1, 1, qRgb(0, 0, 0));
    QCOMPARE(target.pixel(3, 3) & 0xffffff, 0u);
    QCOMPARE(NumberedOrigin(target.pixel(4, 2), 20), QPoint(8, 2));
    // Overlapping copy one pixel down within the image.
    QImage self = target.copy();
    Canvas::Copy(self, 2, 1, 1, 2, self, 2, 2);
    QCOMPARE(NumberedOrigin(self.pixel(4, 6), 20), QPoint(8, 4));
    QCOMPARE(NumberedOrigin(self.pixel(5, 5), 20), QPoint(9, 3));
    // A 1x picture onto a 2x image: every pixel becomes a 2 x 2 block.
    const QImage plain = NumberedAtlas(4, 4);
    QImage big = Canvas::MakeImage(4, 4, 2);
    Canvas::Copy(plain, 1, 1, 2, 2, big, 0, 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        QCOMPARE(NumberedOrigin(big.pixel(x, y), 4), QPoint(1 + x / 2, 1 + y / 2));
  }

  void aNewScaleRemakesTheScreen() {
    Canvas canvas;
    QCOMPARE(canvas.Scale(), 1);
    QCOMPARE(canvas.Screen().size(), QSize(500, 333));
    canvas.SetAtlas(NumberedAtlas(1500, 999), 3);
    QCOMPARE(canvas.Scale(), 3);
    QCOMPARE(canvas.Screen().size(), QSize(1500, 999));
    QCOMPARE(canvas.BackBuffer().size(), QSize(1500, 999));
    canvas.FromAtlas(0, 0, 500, 333, 0, 0);
    QCOMPARE(NumberedOrigin(canvas.Screen().pixel(1499, 998), 1500), QPoint(1499, 998));
    // Presents stay in play-area coordinates.
    QRect presented;
    canvas.SetPresenter([&](const QRect& r) { presented = r; });
    canvas.Present(490, 320, 40, 40);
    QCOMPARE(presented, QRect(490, 320, 10, 13));
    canvas.SetAtlas(NumberedAtlas(500, 333), 1);
    QCOMPARE(canvas.Screen().size(), QSize(500, 333));
    QCOMPARE(canvas.Screen().pixel(0, 0) & 0xffffff, 0u);  // afresh: black until painted
  }

  void framesUseTheAtlasOfTheirScale_data() {
    QTest::addColumn<int>("puzzle");
    QTest::addColumn<int>("scale");
    for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle)
      for (int scale : {2, 3})
        QTest::addRow("%s@%dx", CatalogEntry(puzzle).name, scale) << puzzle << scale;
  }
  void framesUseTheAtlasOfTheirScale() {
    QFETCH(int, puzzle);
    QFETCH(int, scale);
    // Under the sanitizers the moves are left out: the still picture is the
    // same code path and the frames take long there.
#ifdef ZT_SANITIZE
    const bool withMoves = false;
#else
    const bool withMoves = true;
#endif
    ScaledPuzzle one(puzzle, 1);
    ScaledPuzzle big(puzzle, scale);
    const QString still = FirstDifference(
        big.rig.canvas.Screen(), ExpectedAtScale(one.rig.canvas.Screen(), one.atlasWidth, scale));
    QVERIFY2(still.isEmpty(), qPrintable("still picture: " + still));
    if (!withMoves) return;

    const std::array<Moves, kPuzzleCount> moves{
        [](Puzzle& p) {  // CRUX: every arrow key
          for (int key : {kKeyRight, kKeyDown, kKeyLeft, kKeyUp})
            p.PuzzleKeyDown(key);
        },
        [](Puzzle& p) {  // TILZ: a press in each cell's upper left octant
          for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 6; ++column)
              PressAll(p, {QPoint(41 + 50 * column + 20, 41 + 50 * row + 5)});
        },
        [](Puzzle& p) {  // BOSS: every arrow key
          for (int key : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown})
            p.PuzzleKeyDown(key);
        },
        [](Puzzle& p) {  // TRANSIT: a row pushed, a column pulled
          PressAll(p, {QPoint(50, 60), QPoint(80, 30)});
          p.PuzzleMouseDown(100, 300, kRightButton);
        },
    };
    one.rig.ClearRecords();
    big.rig.ClearRecords();
    moves[puzzle](*one.view);
    moves[puzzle](*big.view);
    QVERIFY2(!one.rig.frames.empty(), "the moves played no animation");
    QCOMPARE(big.rig.frames.size(), one.rig.frames.size());
    for (std::size_t f = 0; f < one.rig.frames.size(); ++f) {
      const QString diff = FirstDifference(
          big.rig.frames[f], ExpectedAtScale(one.rig.frames[f], one.atlasWidth, scale));
      QVERIFY2(diff.isEmpty(), qPrintable(QString("frame %1: %2").arg(f).arg(diff)));
    }
    QCOMPARE(big.rig.presents, one.rig.presents);
  }
};

ZT_TEST_MAIN(CanvasScaleTest)
#include "CanvasScaleTest.moc"
