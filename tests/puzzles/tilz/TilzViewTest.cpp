// TILZ on the screen, with a synthetic atlas in which every pixel tells where
// it came from: full paints, every frame of slides and bumps, the level-5
// markers, presses turned into pushes, the clock, the sounds and the solved
// calls. The expected pictures are put together here from the atlas layout,
// not by the view's own drawing code.
#include <QtTest>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "puzzles/core/SelectionFrame.h"
#include "puzzles/tilz/TilzView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/tilz/TilzBoards.h"

using zt::TilzPush;
using zt::TilzRules;
using zt::TilzView;
using zt::test::BoardFromRows;
using zt::test::BoardText;
using zt::test::FirstDifference;
using zt::test::PuzzleRig;

Q_DECLARE_METATYPE(TilzPush)

namespace {

constexpr int kAtlasWidth = 610;
constexpr int kAtlasHeight = 333;

// ----------------------------------------------------- expected pictures --

void Blit(const QImage& src, int sx, int sy, int w, int h, QImage& dst, int dx, int dy) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (dst.rect().contains(dx + x, dy + y))
        dst.setPixel(dx + x, dy + y, src.pixel(sx + x, sy + y));
    }
  }
}

void Black(QImage& dst, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (dst.rect().contains(x, y)) dst.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
}

// Atlas place of the picture of cell code k.
QPoint Picture(int code) {
  const int x[] = {0, 0, 1, 0, 1, 0, 1, 2, 2, 2};
  const int y[] = {3, 0, 0, 1, 1, 2, 2, 0, 1, 2};
  return {50 + 50 * x[code], 50 + 50 * y[code]};
}

QSize PlateSize(int anchor) {
  switch (anchor) {
    case 1:
      return {100, 100};
    case 5:
      return {100, 50};
    case 7:
      return {50, 100};
    default:
      return {50, 50};
  }
}

QPoint CellAt(int column, int row) {
  return {41 + 50 * column, 41 + 50 * row};
}

// Top-left pixel of the target marker, by level and (level 5) phase.
QPoint MarkerAt(int level, int phase) {
  const QPoint byLevel[] = {{420, 71}, {410, 71}, {410, 71}, {430, 71}};
  const QPoint corners[] = {{390, 41}, {430, 41}, {430, 71}, {390, 71}};
  return level < 5 ? byLevel[level - 1] : corners[phase];
}

void DrawMarker(const QImage& atlas, QImage& screen, QPoint at) {
  Blit(atlas, 200, 50, 20, 20, screen, at.x(), at.y());
}

QImage ExpectedPaint(const QImage& atlas, int level, const TilzRules::Board& board, int phase = 0) {
  QImage screen(500, 333, QImage::Format_RGB32);
  screen.fill(Qt::black);
  Blit(atlas, 0, 0, 500, 333, screen, 0, 0);
  if (level <= 3) {
    Blit(atlas, 500, 0, 55, 260, screen, 36, 36);
    Blit(atlas, 555, 0, 55, 260, screen, 291, 36);
  } else {
    Blit(atlas, 267, 45, 70, 60, screen, 385, 36);
  }
  DrawMarker(atlas, screen, MarkerAt(level, phase));
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 5; ++r) {
      const int code = board[5 * c + r];
      if (code < 0) continue;
      const QPoint from = Picture(code);
      Blit(atlas, from.x(), from.y(), 50, 50, screen, 41 + 50 * c, 41 + 50 * r);
    }
  }
  return screen;
}

// Every pixel that differs between two pictures lies inside rect.
QString ChangesOutside(const QImage& before, const QImage& after, const QRect& rect) {
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) != after.pixel(x, y) && !rect.contains(x, y))
        return QString("pixel (%1, %2) changed outside the presented rectangle").arg(x).arg(y);
    }
  }
  return {};
}

bool AllBlack(const QImage& image, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if ((image.pixel(x, y) & 0xffffff) != 0) return false;
    }
  }
  return true;
}

QPoint Offset(TilzPush push, int distance) {
  switch (push) {
    case TilzPush::Left:
      return {-distance, 0};
    case TilzPush::Right:
      return {distance, 0};
    case TilzPush::Up:
      return {0, -distance};
    case TilzPush::Down:
      return {0, distance};
    case TilzPush::None:
      break;
  }
  return {};
}

void Push(TilzView& tilz, int column, int row, TilzPush push) {
  tilz.PushPlate(column, row, push);
}

// A board with only the big plate, anchored at (column, row).
QStringList BigPlateAlone(int column, int row, char rest = '9') {
  QStringList rows(5, QString(6, QLatin1Char(rest)));
  rows[row][column] = QLatin1Char('1');
  rows[row][column + 1] = QLatin1Char('2');
  rows[row + 1][column] = QLatin1Char('3');
  rows[row + 1][column + 1] = QLatin1Char('4');
  return rows;
}

// A test's puzzle: the rig with a synthetic atlas of the TILZ size.
struct TilzFixture {
  TilzFixture() : rig(zt::kTilz, kAtlasWidth, kAtlasHeight), tilz(rig.ctx) {}
  void Lay(int level, const QStringList& rows, int phase = 0) {
    tilz.Rules().TilzLevel = level;
    tilz.Rules().TilzBoard = BoardFromRows(rows);
    tilz.Rules().TilzTargetPhase = phase;
  }
  std::uint8_t& State() { return rig.play.PuzzleState[zt::kTilz]; }
  const QImage& Atlas() const { return rig.canvas.Atlas(); }
  QImage Screen() const { return rig.canvas.Screen().copy(); }

  PuzzleRig rig;
  TilzView tilz;
};

}  // namespace

class TilzViewTest : public QObject {
  Q_OBJECT

 private slots:
  void fullPaint_data();
  void fullPaint();
  void moveFrames_data();
  void moveFrames();
  void moveTicksOnlyWhileRunning_data();
  void moveTicksOnlyWhileRunning();
  void bumpFrames_data();
  void bumpFrames();
  void animationsLeaveAFreshPaintWithTheRealAtlas();
  void level5MarkersUntilTheNextPaint();
  void level5CornersThroughPushes();
  void solvedAfterMovesAndBumps();
  void newGameAndLevelStepping_data();
  void newGameAndLevelStepping();
  void pressEdges_data();
  void pressEdges();
  void octants_data();
  void octants();
  void pushDirectionTable_data();
  void pushDirectionTable();
  void pressesThatPushNothing();
  void everyButtonPushes_data();
  void everyButtonPushes();
  void newGameSelectsTheBigPlate();
  void tabStepsInReadingOrder_data();
  void tabStepsInReadingOrder();
  void keyPushMatchesPress_data();
  void keyPushMatchesPress();
  void levelOneSolvedByKeysAlone();
};

// ------------------------------------------------------------ full paint --

void TilzViewTest::fullPaint_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("phase");
  for (int level = 1; level <= 5; ++level)
    QTest::addRow("level %d", level) << level << 0;
  for (int phase = 1; phase < 4; ++phase)
    QTest::addRow("level 5, phase %d", phase) << 5 << phase;
}

void TilzViewTest::fullPaint() {
  QFETCH(int, level);
  QFETCH(int, phase);
  TilzFixture b;
  b.tilz.Rules().TilzLevel = level;
  b.tilz.InitPuzzle();
  QVERIFY(b.rig.presents.empty());  // set-up draws nothing
  QVERIFY(AllBlack(b.rig.canvas.Screen(), b.rig.canvas.Screen().rect()));

  b.tilz.Rules().TilzTargetPhase = phase;
  b.tilz.PaintPuzzle();
  const QImage expected = ExpectedPaint(b.Atlas(), level, TilzRules::TilzLevels[level - 1], phase);
  const QString diff = FirstDifference(b.rig.canvas.Screen(), expected);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  QCOMPARE(b.rig.presents.size(), std::size_t{1});
  QCOMPARE(b.rig.presents.back(), QRect(0, 0, 500, 333));
  QVERIFY(b.rig.frames.empty());
  QVERIFY(b.rig.host.sounds.empty());
}

// ---------------------------------------------------------------- slides --

void TilzViewTest::moveFrames_data() {
  QTest::addColumn<QStringList>("rows");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<TilzPush>("push");
  // The big plate in the middle with room on the side it goes to, and the
  // other kinds once each.
  QTest::newRow("big left") << QStringList{"999999", "9.1299", "9.3499", "999999", "999999"} << 2
                            << 1 << TilzPush::Left;
  QTest::newRow("big right") << QStringList{"999999", "9912.9", "9934.9", "999999", "999999"} << 2
                             << 1 << TilzPush::Right;
  QTest::newRow("big up") << QStringList{"99..99", "991299", "993499", "999999", "999999"} << 2 << 1
                          << TilzPush::Up;
  QTest::newRow("big down") << QStringList{"999999", "991299", "993499", "99..99", "999999"} << 2
                            << 1 << TilzPush::Down;
  QTest::newRow("wide up") << QStringList{"999999", "9..999", "956999", "999999", "999999"} << 1
                           << 2 << TilzPush::Up;
  QTest::newRow("tall left") << QStringList{"999999", "99.799", "99.899", "999999", "999999"} << 3
                             << 1 << TilzPush::Left;
  QTest::newRow("small down") << QStringList{"999999", "999999", "999999", "999999", "9999.."} << 4
                              << 3 << TilzPush::Down;
}

void TilzViewTest::moveFrames() {
  QFETCH(QStringList, rows);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(TilzPush, push);
  TilzFixture b;
  b.Lay(4, rows);
  b.tilz.PaintPuzzle();
  const QImage paint = b.Screen();
  b.rig.ClearRecords();
  b.State() = zt::kRunning;

  const int code = b.tilz.Rules().Cell(column, row);
  const QSize size = PlateSize(code);
  const QRect plate(CellAt(column, row), size);
  std::vector<int> clockAtFrame;
  auto capture = b.rig.host.onDelay;
  b.rig.host.onDelay = [&] {
    capture();
    clockAtFrame.push_back(b.rig.play.PuzzleClock[zt::kTilz]);
  };

  Push(b.tilz, column, row, push);

  QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
  QCOMPARE(b.rig.host.delays, std::vector<int>(10, 30));
  QCOMPARE(b.rig.frames.size(), std::size_t{10});
  QCOMPARE(b.rig.presents.size(), std::size_t{10});
  QImage previous = paint;
  for (int i = 1; i <= 10; ++i) {
    // The plate picture 5 i pixels along; where it stood and has left, black;
    // the free cells it has not reached yet, as painted.
    QImage expected = paint;
    Black(expected, plate);
    const QPoint at = plate.topLeft() + Offset(push, 5 * i);
    const QPoint from = Picture(code);
    Blit(b.Atlas(), from.x(), from.y(), size.width(), size.height(), expected, at.x(), at.y());
    const QImage& frame = b.rig.frames[i - 1];
    QString diff = FirstDifference(frame, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(QString("step %1: %2").arg(i).arg(diff)));
    // Each step shows at once what it changed, and not much more.
    const QRect shown = b.rig.presents[i - 1];
    diff = ChangesOutside(previous, frame, shown);
    QVERIFY2(diff.isEmpty(), qPrintable(QString("step %1: %2").arg(i).arg(diff)));
    QVERIFY(shown.width() * shown.height() <= (size.width() + 5) * (size.height() + 5));
    previous = frame;
  }
  // The animation keeps the clock: one tick after steps 3, 6 and 9.
  QCOMPARE(clockAtFrame, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3, 3}));
  QCOMPARE(b.rig.host.clockAtRepaint, (std::vector<int>{1, 2, 3}));

  // The board follows, the screen stays as the last step left it, with the
  // vacated cells black although the free-cell picture is not.
  QImage after = b.Screen();
  QCOMPARE(FirstDifference(after, b.rig.frames.back()), QString());
  const QPoint d = Offset(push, 1);
  QCOMPARE(b.tilz.Rules().Cell(column + d.x(), row + d.y()), code);
  const QRect moved = plate.translated(Offset(push, 50));
  for (int c = 0; c < 6; ++c) {
    for (int r = 0; r < 5; ++r) {
      const QRect cell(CellAt(c, r), QSize(50, 50));
      if (!plate.contains(cell) || moved.contains(cell)) continue;
      QCOMPARE(b.tilz.Rules().Cell(c, r), 0);
      QVERIFY2(AllBlack(after, cell), qPrintable(QString("cell %1,%2 not black").arg(c).arg(r)));
    }
  }
  QCOMPARE(b.rig.host.solvedCalls, 0);
}

void TilzViewTest::moveTicksOnlyWhileRunning_data() {
  QTest::addColumn<int>("state");
  QTest::newRow("ready") << int(zt::kReady);
  QTest::newRow("solved") << int(zt::kSolved);
}

void TilzViewTest::moveTicksOnlyWhileRunning() {
  QFETCH(int, state);
  TilzFixture b;
  b.Lay(4, {"999999", "9.1299", "9.3499", "999999", "999999"});
  b.State() = static_cast<std::uint8_t>(state);
  b.rig.play.PuzzleClock[zt::kTilz] = 17;
  b.tilz.PushPlate(2, 1, TilzPush::Left);
  QCOMPARE(b.rig.host.delays.size(), std::size_t{10});
  QCOMPARE(b.rig.play.PuzzleClock[zt::kTilz], 17);
  QVERIFY(b.rig.host.clockAtRepaint.empty());
  QCOMPARE(int(b.State()), state);  // a push itself never starts the clock
}

// ----------------------------------------------------------------- bumps --

void TilzViewTest::bumpFrames_data() {
  QTest::addColumn<QStringList>("rows");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<TilzPush>("push");
  const QStringList big = BigPlateAlone(2, 1);
  QTest::newRow("big left") << big << 2 << 1 << TilzPush::Left;
  QTest::newRow("big right") << big << 2 << 1 << TilzPush::Right;
  QTest::newRow("big up") << big << 2 << 1 << TilzPush::Up;
  QTest::newRow("big down") << big << 2 << 1 << TilzPush::Down;
  const QStringList wide{"999999", "999999", "995699", "999999", "999999"};
  QTest::newRow("wide left") << wide << 2 << 2 << TilzPush::Left;
  QTest::newRow("wide down") << wide << 2 << 2 << TilzPush::Down;
  const QStringList tall{"999999", "999799", "999899", "999999", "999999"};
  QTest::newRow("tall right") << tall << 3 << 1 << TilzPush::Right;
  QTest::newRow("tall up") << tall << 3 << 1 << TilzPush::Up;
  // Against the board's edges: the pixel just outside the board is drawn on
  // too (and left black) there.
  QTest::newRow("small at the left edge")
      << QStringList{"999999", "999999", "999999", "999999", "999999"} << 0 << 2 << TilzPush::Left;
  QTest::newRow("small at the top edge")
      << QStringList{"999999", "999999", "999999", "999999", "999999"} << 3 << 0 << TilzPush::Up;
}

void TilzViewTest::bumpFrames() {
  QFETCH(QStringList, rows);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(TilzPush, push);
  TilzFixture b;
  b.Lay(4, rows);
  b.tilz.PaintPuzzle();
  const QImage paint = b.Screen();
  b.rig.ClearRecords();
  b.State() = zt::kRunning;
  b.rig.play.PuzzleClock[zt::kTilz] = 40;

  const int code = b.tilz.Rules().Cell(column, row);
  const QSize size = PlateSize(code);
  const int w = size.width(), h = size.height();
  const QRect plate(CellAt(column, row), size);
  const int x0 = plate.x(), y0 = plate.y();
  const QPoint inner = Picture(code) + QPoint(1, 1);

  Push(b.tilz, column, row, push);

  QCOMPARE(b.rig.host.sounds, std::vector<int>{6});
  QCOMPARE(b.rig.host.delays, std::vector<int>{90});
  QCOMPARE(b.rig.frames.size(), std::size_t{1});
  QCOMPARE(b.rig.presents.size(), std::size_t{2});

  // While held: the plate without its outer ring, 2 pixels towards the
  // blocked side; the 2 pixels it left on the other side black.
  QRect left;    // uncovered by the shift
  QRect beyond;  // covered by the shift beyond the plate's inner area
  switch (push) {
    case TilzPush::Left:
      left = QRect(x0 + w - 3, y0, 2, h);
      beyond = QRect(x0 - 1, y0, 2, h);
      break;
    case TilzPush::Right:
      left = QRect(x0 + 1, y0, 2, h);
      beyond = QRect(x0 + w - 1, y0, 2, h);
      break;
    case TilzPush::Up:
      left = QRect(x0, y0 + h - 3, w, 2);
      beyond = QRect(x0, y0 - 1, w, 2);
      break;
    default:
      left = QRect(x0, y0 + 1, w, 2);
      beyond = QRect(x0, y0 + h - 1, w, 2);
      break;
  }
  QImage held = paint;
  const QPoint shifted = QPoint(x0 + 1, y0 + 1) + Offset(push, 2);
  Blit(b.Atlas(), inner.x(), inner.y(), w - 2, h - 2, held, shifted.x(), shifted.y());
  Black(held, left);
  QString diff = FirstDifference(b.rig.frames[0], held);
  QVERIFY2(diff.isEmpty(), qPrintable("held: " + diff));
  diff = ChangesOutside(paint, b.rig.frames[0], b.rig.presents[0]);
  QVERIFY2(diff.isEmpty(), qPrintable("held: " + diff));

  // Back: the inner picture in its place, the 2-pixel line on the blocked
  // side black (the plate's outer pixel and its neighbour's); of the line
  // left black while held, only the plate's outer ring stays black.
  QImage back = paint;
  Black(back, left);
  Blit(b.Atlas(), inner.x(), inner.y(), w - 2, h - 2, back, x0 + 1, y0 + 1);
  Black(back, beyond);
  diff = FirstDifference(b.rig.canvas.Screen(), back);
  QVERIFY2(diff.isEmpty(), qPrintable("back: " + diff));
  diff = ChangesOutside(b.rig.frames[0], b.rig.canvas.Screen(), b.rig.presents[1]);
  QVERIFY2(diff.isEmpty(), qPrintable("back: " + diff));

  // Nothing moved and the clock stood.
  QCOMPARE(b.tilz.Rules().Cell(column, row), code);
  QCOMPARE(b.rig.play.PuzzleClock[zt::kTilz], 40);
  QVERIFY(b.rig.host.clockAtRepaint.empty());
}

// With the real artwork, whatever the animations leave looks exactly like a
// fresh paint of the same board: plates carry a black outer ring, free cells
// are black, and so are the pixels just round the board and beside the walls.
void TilzViewTest::animationsLeaveAFreshPaintWithTheRealAtlas() {
  QImage atlas(zt::test::GameDir() + "/b2.bmp");
  QVERIFY2(!atlas.isNull(), "b2.bmp was not built");
  QVERIFY(atlas.width() >= 610 && atlas.height() >= 333);
  TilzFixture b;
  b.rig.canvas.SetAtlas(atlas);

  struct Step {
    int column, row;
    TilzPush push;
  };
  const struct {
    int level;
    std::vector<Step> steps;
  } games[] = {
      // Level 1: against both walls, the top and the bottom edge; a slide.
      {1,
       {{1, 0, TilzPush::Left},
        {3, 0, TilzPush::Right},
        {1, 0, TilzPush::Up},
        {1, 3, TilzPush::Down},
        {2, 2, TilzPush::Right},
        {3, 3, TilzPush::Up},
        {1, 2, TilzPush::Right},
        {3, 3, TilzPush::Right},
        {2, 2, TilzPush::Left}}},
      // Level 4: against all four edges of the full board; slides.
      {4,
       {{0, 0, TilzPush::Left},
        {0, 0, TilzPush::Up},
        {5, 0, TilzPush::Right},
        {4, 4, TilzPush::Down},
        {1, 2, TilzPush::Right},
        {2, 0, TilzPush::Down},
        {0, 3, TilzPush::Down}}},
  };
  for (const auto& game : games) {
    b.tilz.Rules().TilzLevel = game.level;
    b.tilz.MixPuzzle();
    for (const Step& s : game.steps) {
      Push(b.tilz, s.column, s.row, s.push);
      const QImage animated = b.Screen();
      b.tilz.PaintPuzzle();
      const QString diff = FirstDifference(animated, b.rig.canvas.Screen());
      QVERIFY2(diff.isEmpty(), qPrintable(QString("level %1, push at %2,%3: %4")
                                              .arg(game.level)
                                              .arg(s.column)
                                              .arg(s.row)
                                              .arg(diff)));
    }
  }
  // Both kinds of animation ran.
  QVERIFY(std::count(b.rig.host.sounds.begin(), b.rig.host.sounds.end(), 2) >= 3);
  QVERIFY(std::count(b.rig.host.sounds.begin(), b.rig.host.sounds.end(), 6) >= 6);
}

// ---------------------------------------------------------------- level 5 --

void TilzViewTest::level5MarkersUntilTheNextPaint() {
  TilzFixture b;
  b.Lay(5, {".12999", ".34999", "999999", "999999", "999999"});
  b.tilz.PaintPuzzle();
  b.rig.ClearRecords();
  b.tilz.PushPlate(1, 0, TilzPush::Left);  // reaches the top-left corner

  QCOMPARE(b.rig.host.sounds, (std::vector<int>{2, 7}));
  QCOMPARE(b.tilz.Rules().TilzTargetPhase, 1);
  QCOMPARE(b.rig.host.solvedCalls, 0);
  QCOMPARE(b.rig.presents.back(), QRect(430, 41, 20, 20));

  const QRect preview(385, 36, 70, 60);
  QImage twoMarkers(500, 333, QImage::Format_RGB32);
  twoMarkers.fill(Qt::black);
  Blit(b.Atlas(), 267, 45, 70, 60, twoMarkers, 385, 36);
  DrawMarker(b.Atlas(), twoMarkers, {390, 41});
  DrawMarker(b.Atlas(), twoMarkers, {430, 41});
  QString diff = FirstDifference(b.rig.canvas.Screen(), twoMarkers, preview);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));

  // Blocked pushes and slides leave the preview alone.
  b.tilz.PushPlate(0, 0, TilzPush::Left);
  b.tilz.PushPlate(3, 0, TilzPush::Left);
  QCOMPARE(b.rig.host.sounds, (std::vector<int>{2, 7, 6, 2}));
  diff = FirstDifference(b.rig.canvas.Screen(), twoMarkers, preview);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));

  b.tilz.PaintPuzzle();
  const QImage expected = ExpectedPaint(b.Atlas(), 5, b.tilz.Rules().TilzBoard, 1);
  diff = FirstDifference(b.rig.canvas.Screen(), expected);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TilzViewTest::level5CornersThroughPushes() {
  TilzFixture b;
  b.tilz.Rules().TilzLevel = 5;
  b.tilz.MixPuzzle();
  b.State() = zt::kRunning;
  // For each phase: first a push that brings the big plate onto a corner out
  // of turn (nothing happens), then one onto the current corner.
  struct Step {
    QStringList rows;
    int column, row;
    TilzPush push;
  };
  const struct {
    Step outOfTurn;
    Step onTarget;
  } phases[] = {
      {{{"999999", "999999", "999999", "99912.", "99934."}, 3, 3, TilzPush::Right},
       {{".12999", ".34999", "999999", "999999", "999999"}, 1, 0, TilzPush::Left}},
      {{{"999999", "999999", "999999", ".12999", ".34999"}, 1, 3, TilzPush::Left},
       {{"99912.", "99934.", "999999", "999999", "999999"}, 3, 0, TilzPush::Right}},
      {{{".12999", ".34999", "999999", "999999", "999999"}, 1, 0, TilzPush::Left},
       {{"999999", "999999", "999912", "999934", "9999.."}, 4, 2, TilzPush::Down}},
      {{{"9999..", "999912", "999934", "999999", "999999"}, 4, 1, TilzPush::Up},
       {{"999999", "999999", "129999", "349999", "..9999"}, 0, 2, TilzPush::Down}},
  };
  int phase = 0;
  for (const auto& p : phases) {
    b.tilz.Rules().TilzBoard = BoardFromRows(p.outOfTurn.rows);
    b.rig.ClearRecords();
    Push(b.tilz, p.outOfTurn.column, p.outOfTurn.row, p.outOfTurn.push);
    QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
    QCOMPARE(b.tilz.Rules().TilzTargetPhase, phase);
    QCOMPARE(b.rig.host.solvedCalls, 0);

    b.tilz.Rules().TilzBoard = BoardFromRows(p.onTarget.rows);
    b.rig.ClearRecords();
    Push(b.tilz, p.onTarget.column, p.onTarget.row, p.onTarget.push);
    if (phase < 3) {
      QCOMPARE(b.rig.host.sounds, (std::vector<int>{2, 7}));
      QCOMPARE(b.tilz.Rules().TilzTargetPhase, phase + 1);
      QCOMPARE(b.rig.host.solvedCalls, 0);
      const QRect marker(MarkerAt(5, phase + 1), QSize(20, 20));
      QCOMPARE(b.rig.presents.back(), marker);
      QImage expected(500, 333, QImage::Format_RGB32);
      expected.fill(Qt::black);
      DrawMarker(b.Atlas(), expected, marker.topLeft());
      const QString diff = FirstDifference(b.rig.canvas.Screen(), expected, marker);
      QVERIFY2(diff.isEmpty(), qPrintable(diff));
    } else {
      QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
      QCOMPARE(b.tilz.Rules().TilzTargetPhase, 3);
      QCOMPARE(b.rig.host.solvedCalls, 1);
      QCOMPARE(int(b.State()), int(zt::kSolved));
    }
    ++phase;
  }
}

void TilzViewTest::solvedAfterMovesAndBumps() {
  TilzFixture b;
  // Level 1: the big plate one step above its target.
  b.Lay(1, {"#99.9#", "#99.9#", "#9912#", "#9934#", "#99..#"});
  b.State() = zt::kRunning;
  b.tilz.PushPlate(3, 2, TilzPush::Down);
  QCOMPARE(b.rig.host.solvedCalls, 1);
  QCOMPARE(int(b.State()), int(zt::kSolved));

  // Still on the target: a blocked push reports it again (the host ignores
  // it), and so does a slide of another plate.
  b.rig.ClearRecords();
  b.tilz.PushPlate(3, 3, TilzPush::Down);
  QCOMPARE(b.rig.host.sounds, std::vector<int>{6});
  QCOMPARE(b.rig.host.solvedCalls, 1);
  b.tilz.PushPlate(4, 1, TilzPush::Down);
  QCOMPARE(b.rig.host.sounds, (std::vector<int>{6, 2}));
  QCOMPARE(b.rig.host.solvedCalls, 2);
  QCOMPARE(b.rig.host.solves, 0);
  QCOMPARE(b.rig.play.PuzzleClock[zt::kTilz], 3);  // only the first slide, while running

  // Away from the target, neither a bump nor a slide calls.
  b.Lay(1, {"#99.9#", "#99.9#", "#9912#", "#9934#", "#99..#"});
  b.State() = zt::kRunning;
  b.rig.ClearRecords();
  b.tilz.PushPlate(3, 2, TilzPush::Up);
  b.tilz.PushPlate(2, 0, TilzPush::Right);
  QCOMPARE(b.rig.host.sounds, (std::vector<int>{6, 2}));
  QCOMPARE(b.rig.host.solvedCalls, 0);
}

void TilzViewTest::newGameAndLevelStepping_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("to");
  QTest::newRow("left 1") << 1 << zt::kLeftButton << 2;
  QTest::newRow("left 4") << 4 << zt::kLeftButton << 5;
  QTest::newRow("left 5 wraps") << 5 << zt::kLeftButton << 1;
  QTest::newRow("right 3") << 3 << zt::kRightButton << 2;
  QTest::newRow("right 1 wraps") << 1 << zt::kRightButton << 5;
  QTest::newRow("middle 5 stays") << 5 << zt::kMiddleButton << 5;
  QTest::newRow("middle 2 stays") << 2 << zt::kMiddleButton << 2;
}

void TilzViewTest::newGameAndLevelStepping() {
  QFETCH(int, from);
  QFETCH(int, button);
  QFETCH(int, to);
  TilzFixture b;
  b.Lay(from, BigPlateAlone(0, 0, '.'), 2);
  b.tilz.NextVariant(button);
  QCOMPARE(b.tilz.Rules().TilzLevel, to);
  QCOMPARE(b.tilz.VariantNumber(), to);
  QCOMPARE(QString::fromStdString(b.tilz.LevelText()), QString::number(to));
  QCOMPARE(b.tilz.Rules().TilzTargetPhase, 0);
  QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(TilzRules::TilzLevels[to - 1]));
  // The new game is drawn at once.
  QCOMPARE(b.rig.presents.back(), QRect(0, 0, 500, 333));
  const QString diff = FirstDifference(b.rig.canvas.Screen(),
                                       ExpectedPaint(b.Atlas(), to, TilzRules::TilzLevels[to - 1]));
  QVERIFY2(diff.isEmpty(), qPrintable(diff));

  // A new game of the same level restores the layout and the first corner.
  b.Lay(to, BigPlateAlone(0, 0, '.'), 3);
  b.tilz.MixPuzzle();
  QCOMPARE(b.tilz.Rules().TilzTargetPhase, 0);
  QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(TilzRules::TilzLevels[to - 1]));
  QVERIFY(b.rig.host.sounds.empty());
}

// ----------------------------------------------------------------- presses --

namespace {
// Small plates everywhere but in four free cells round (2, 2), so that a
// press anywhere on the small plate there, or on one of the board's outer
// cells beside a free cell, moves something.
const QStringList kSmallPlates{"999999", "99.999", "9.9.99", "99.999", "999999"};
}  // namespace

void TilzViewTest::pressEdges_data() {
  QTest::addColumn<QStringList>("rows");
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<QPoint>("from");  // (-1, -1): the press is ignored
  QTest::addColumn<QPoint>("to");
  const QStringList leftFree{"999999", "999999", "9.9999", "999999", "999999"};
  const QStringList rightFree{"999999", "999999", "9999.9", "999999", "999999"};
  const QStringList topFree{"999999", "99.999", "999999", "999999", "999999"};
  const QStringList bottomFree{"999999", "999999", "999999", "99.999", "999999"};
  const QPoint none(-1, -1);
  // Row 2 is y 141..190, column 2 is x 141..190.
  QTest::newRow("x 40") << leftFree << 40 << 166 << none << none;
  QTest::newRow("x 41 is column 0") << leftFree << 41 << 166 << QPoint(0, 2) << QPoint(1, 2);
  QTest::newRow("x 340 is column 5") << rightFree << 340 << 166 << QPoint(5, 2) << QPoint(4, 2);
  QTest::newRow("x 341") << rightFree << 341 << 166 << none << none;
  QTest::newRow("y 40") << topFree << 166 << 40 << none << none;
  QTest::newRow("y 41 is row 0") << topFree << 166 << 41 << QPoint(2, 0) << QPoint(2, 1);
  QTest::newRow("y 290 is row 4") << bottomFree << 166 << 290 << QPoint(2, 4) << QPoint(2, 3);
  QTest::newRow("y 291") << bottomFree << 166 << 291 << none << none;
  QTest::newRow("far outside") << leftFree << 499 << 332 << none << none;
  QTest::newRow("negative") << leftFree << -5 << -5 << none << none;
}

void TilzViewTest::pressEdges() {
  QFETCH(QStringList, rows);
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  TilzFixture b;
  b.Lay(4, rows);
  b.tilz.PuzzleMouseDown(x, y, zt::kLeftButton);
  if (from.x() < 0) {
    QVERIFY(b.rig.host.sounds.empty());
    QCOMPARE(int(b.State()), int(zt::kReady));
    QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(BoardFromRows(rows)));
    QVERIFY(b.rig.presents.empty());
    return;
  }
  QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
  QCOMPARE(int(b.State()), int(zt::kRunning));
  QCOMPARE(b.tilz.Rules().Cell(from.x(), from.y()), 0);
  QCOMPARE(b.tilz.Rules().Cell(to.x(), to.y()), 9);
}

void TilzViewTest::octants_data() {
  QTest::addColumn<int>("dx");
  QTest::addColumn<int>("dy");
  QTest::addColumn<TilzPush>("push");
  // From the centre of the small plate at (2, 2); the plate moves away from
  // the edge nearest to the press.
  const struct {
    const char* name;
    int dx, dy;
    TilzPush push;
  } rows[] = {
      {"near the right edge, lower", 24, 5, TilzPush::Left},
      {"near the right edge, upper", 24, -5, TilzPush::Left},
      {"near the top edge, right", 5, -25, TilzPush::Down},
      {"near the top edge, left", -5, -25, TilzPush::Down},
      {"near the left edge, upper", -25, -5, TilzPush::Right},
      {"near the left edge, lower", -25, 5, TilzPush::Right},
      {"near the bottom edge, left", -5, 24, TilzPush::Up},
      {"near the bottom edge, right", 5, 24, TilzPush::Up},
      // On the diagonals the press belongs to the octant above or below.
      {"diagonal lower right", 10, 10, TilzPush::Up},
      {"diagonal upper right", 10, -10, TilzPush::Down},
      {"diagonal upper left", -10, -10, TilzPush::Down},
      {"diagonal lower left", -10, 10, TilzPush::Up},
      {"top-left pixel", -25, -25, TilzPush::Down},
      {"bottom-right pixel", 24, 24, TilzPush::Up},
      {"top-right pixel", 24, -25, TilzPush::Down},
      {"bottom-left pixel", -25, 24, TilzPush::Right},
      // The exact centre is in the right and lower halves.
      {"centre", 0, 0, TilzPush::Up},
      {"one left of the centre", -1, 0, TilzPush::Right},
      {"one above the centre", 0, -1, TilzPush::Down},
  };
  for (const auto& r : rows)
    QTest::newRow(r.name) << r.dx << r.dy << r.push;
}

void TilzViewTest::octants() {
  QFETCH(int, dx);
  QFETCH(int, dy);
  QFETCH(TilzPush, push);
  TilzFixture b;
  b.Lay(4, kSmallPlates);
  b.tilz.PuzzleMouseDown(166 + dx, 166 + dy, zt::kLeftButton);
  const QPoint to = QPoint(2, 2) + Offset(push, 1);
  QCOMPARE(b.tilz.Rules().Cell(2, 2), 0);
  QCOMPARE(b.tilz.Rules().Cell(to.x(), to.y()), 9);
  QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
}

void TilzViewTest::pushDirectionTable_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("octant");
  QTest::addColumn<int>("direction");
  // The press table: by cell code and octant, 1 right, 2 up, 3 left, 4 down,
  // 0 no push.
  const int table[9][8] = {
      {0, 4, 4, 4, 1, 1, 1, 0}, {3, 3, 4, 4, 4, 0, 0, 3}, {2, 0, 0, 1, 1, 1, 2, 2},
      {3, 3, 3, 0, 0, 2, 2, 2}, {2, 4, 4, 4, 1, 1, 2, 2}, {3, 3, 4, 4, 4, 2, 2, 2},
      {3, 3, 4, 4, 1, 1, 1, 3}, {3, 3, 3, 1, 1, 1, 2, 2}, {3, 3, 4, 4, 1, 1, 2, 2},
  };
  for (int code = 1; code <= 9; ++code) {
    for (int octant = 1; octant <= 8; ++octant)
      QTest::addRow("code %d, octant %d", code, octant)
          << code << octant << table[code - 1][octant - 1];
  }
}

void TilzViewTest::pushDirectionTable() {
  QFETCH(int, code);
  QFETCH(int, octant);
  QFETCH(int, direction);
  // One plate alone with its anchor at (2, 1), free all round; the press goes
  // to the plate's cell that carries the code.
  const int anchor = code <= 4 ? 1 : code <= 6 ? 5 : code <= 8 ? 7 : 9;
  QStringList rows(5, QString(6, QLatin1Char('.')));
  const QSize size = PlateSize(anchor) / 50;
  for (int i = 0; i < size.width(); ++i) {
    for (int j = 0; j < size.height(); ++j)
      rows[1 + j][2 + i] = QChar('0' + anchor + (anchor == 1 ? i + 2 * j : anchor == 7 ? j : i));
  }
  const QPoint cell = QPoint(2, 1) + QPoint(code == 2 || code == 4 || code == 6 ? 1 : 0,
                                            code == 3 || code == 4 || code == 8 ? 1 : 0);
  // A point inside each octant, off the diagonals.
  const QPoint inOctant[] = {{20, 5},   {20, -5}, {5, -20}, {-5, -20},
                             {-20, -5}, {-20, 5}, {-5, 20}, {5, 20}};
  const QPoint press = CellAt(cell.x(), cell.y()) + QPoint(25, 25) + inOctant[octant - 1];

  TilzFixture b;
  b.Lay(4, rows);
  QCOMPARE(b.tilz.Rules().Cell(cell.x(), cell.y()), code);
  b.tilz.PuzzleMouseDown(press.x(), press.y(), zt::kLeftButton);
  QCOMPARE(int(b.State()), int(zt::kRunning));
  if (direction == 0) {
    QVERIFY(b.rig.host.sounds.empty());
    QVERIFY(b.rig.frames.empty());
    QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(BoardFromRows(rows)));
    return;
  }
  const TilzPush push = static_cast<TilzPush>(direction);
  const QPoint to = QPoint(2, 1) + Offset(push, 1);
  QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
  QCOMPARE(b.tilz.Rules().Cell(to.x(), to.y()), anchor);
}

void TilzViewTest::pressesThatPushNothing() {
  TilzFixture b;
  b.tilz.Rules().TilzLevel = 1;
  b.tilz.MixPuzzle();
  b.rig.ClearRecords();
  const auto start = b.tilz.Rules().TilzBoard;

  // Walls (the outer columns of level 1) and free cells do not count as a move.
  for (const QPoint p : {QPoint(41, 41), QPoint(66, 166), QPoint(90, 290), QPoint(291, 100),
                         QPoint(340, 200), QPoint(216, 166), QPoint(266, 190)}) {
    b.tilz.PuzzleMouseDown(p.x(), p.y(), zt::kLeftButton);
    QCOMPARE(int(b.State()), int(zt::kReady));
  }
  QVERIFY(b.rig.host.sounds.empty());
  QVERIFY(b.rig.presents.empty());

  // The exact centre of the big plate's top-left quarter faces the plate's
  // middle: no push, but the clock starts.
  b.tilz.PuzzleMouseDown(116, 66, zt::kLeftButton);
  QCOMPARE(int(b.State()), int(zt::kRunning));
  QVERIFY(b.rig.host.sounds.empty());
  QVERIFY(b.rig.frames.empty());
  QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(start));

  // A blocked push in a new game starts the clock too, and only bumps.
  b.tilz.MixPuzzle();
  b.State() = zt::kReady;
  b.rig.ClearRecords();
  b.tilz.PuzzleMouseDown(140, 166, zt::kLeftButton);  // small plate (1, 2), right edge: left
  QCOMPARE(int(b.State()), int(zt::kRunning));
  QCOMPARE(b.rig.host.sounds, std::vector<int>{6});
  QCOMPARE(b.rig.host.delays, std::vector<int>{90});
  QCOMPARE(b.rig.play.PuzzleClock[zt::kTilz], 0);
  QCOMPARE(BoardText(b.tilz.Rules().TilzBoard), BoardText(start));
}

void TilzViewTest::everyButtonPushes_data() {
  QTest::addColumn<int>("button");
  QTest::newRow("left") << zt::kLeftButton;
  QTest::newRow("right") << zt::kRightButton;
  QTest::newRow("middle") << zt::kMiddleButton;
}

void TilzViewTest::everyButtonPushes() {
  QFETCH(int, button);
  TilzFixture b;
  b.tilz.Rules().TilzLevel = 1;
  b.tilz.MixPuzzle();
  b.rig.ClearRecords();
  // The wide plate at (3, 1), pressed near its top edge: it moves down.
  b.tilz.PuzzleMouseDown(216, 92, button);
  QCOMPARE(b.rig.host.sounds, std::vector<int>{2});
  QCOMPARE(int(b.State()), int(zt::kRunning));
  QCOMPARE(b.tilz.Rules().Cell(3, 2), 5);
  QCOMPARE(b.tilz.Rules().Cell(4, 2), 6);
  QCOMPARE(b.tilz.Rules().Cell(3, 1), 0);
  QCOMPARE(b.rig.frames.size(), std::size_t{10});
}

// -------------------------------------------------------------- keyboard --

namespace {

// Plates in reading order of their top-left cells: small (0,0), wide (2,0),
// small (5,0), tall (0,1), big (3,1), small (0,3).
const QStringList kKeyBoard{"9.56.9", "7..12.", "8..34.", "9.....", "..####"};

using Anchor = TilzRules::Anchor;

// Tab (or Shift+Tab) until the plate anchored there is selected; false when
// a whole round did not reach it.
bool SelectByTab(TilzView& tilz, Anchor anchor) {
  for (int i = 0; i <= TilzRules::kCells && !(tilz.Selected() == anchor); ++i)
    tilz.PuzzleKeyDownWith(zt::kKeyTab, zt::kNoModifier);
  return tilz.Selected() == anchor;
}

int ArrowFor(TilzPush push) {
  switch (push) {
    case TilzPush::Left:
      return zt::kKeyLeft;
    case TilzPush::Right:
      return zt::kKeyRight;
    case TilzPush::Up:
      return zt::kKeyUp;
    case TilzPush::Down:
    case TilzPush::None:
      break;
  }
  return zt::kKeyDown;
}

}  // namespace

Q_DECLARE_METATYPE(Anchor)

void TilzViewTest::newGameSelectsTheBigPlate() {
  for (int level = 1; level <= 5; ++level) {
    TilzFixture b;
    b.tilz.Rules().TilzLevel = level;
    b.tilz.MixPuzzle();
    const Anchor at = b.tilz.Selected();
    QCOMPARE(b.tilz.Rules().Cell(at.column, at.row), TilzRules::kBig);
    // A plate selected by key is forgotten at the next level.
    b.tilz.PuzzleKeyDownWith(zt::kKeyTab, zt::kNoModifier);
    QVERIFY(!(b.tilz.Selected() == at));
    b.tilz.NextVariant(zt::kLeftButton);
    const Anchor next = b.tilz.Selected();
    QCOMPARE(b.tilz.Rules().Cell(next.column, next.row), TilzRules::kBig);
  }
}

void TilzViewTest::tabStepsInReadingOrder_data() {
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<std::vector<Anchor>>("order");
  // From the tall plate at (0, 1), selected by a press.
  QTest::newRow("Tab") << zt::kNoModifier
                       << std::vector<Anchor>{{3, 1}, {0, 3}, {0, 0}, {2, 0}, {5, 0}, {0, 1}};
  QTest::newRow("Shift+Tab") << zt::kShiftModifier
                             << std::vector<Anchor>{{5, 0}, {2, 0}, {0, 0}, {0, 3}, {3, 1}, {0, 1}};
}

void TilzViewTest::tabStepsInReadingOrder() {
  QFETCH(int, modifiers);
  QFETCH(std::vector<Anchor>, order);
  TilzFixture b;
  b.tilz.MixPuzzle();
  b.Lay(1, kKeyBoard);
  b.tilz.PaintPuzzle();
  b.tilz.PlayMove({0, 1, TilzPush::Left});  // a bump against the edge selects the plate
  QCOMPARE(b.tilz.Selected(), (Anchor{0, 1}));
  b.rig.ClearRecords();
  const auto board = b.tilz.Rules().TilzBoard;
  for (const Anchor& expected : order) {
    b.tilz.PuzzleKeyDownWith(zt::kKeyTab, modifiers);
    QCOMPARE(b.tilz.Selected(), expected);
  }
  // Selecting moves nothing, sounds nothing and takes no time.
  QVERIFY(b.tilz.Rules().TilzBoard == board);
  QVERIFY(b.rig.host.sounds.empty());
  QVERIFY(b.rig.host.delays.empty());
  QCOMPARE(b.rig.play.PuzzleClock[zt::kTilz], 0);
}

void TilzViewTest::keyPushMatchesPress_data() {
  QTest::addColumn<Anchor>("plate");
  QTest::addColumn<TilzPush>("push");
  QTest::addColumn<Anchor>("selectedAfter");
  QTest::newRow("small slides right") << Anchor{0, 3} << TilzPush::Right << Anchor{1, 3};
  QTest::newRow("small bumps into the tall plate") << Anchor{0, 3} << TilzPush::Up << Anchor{0, 3};
  QTest::newRow("big slides down") << Anchor{3, 1} << TilzPush::Down << Anchor{3, 2};
  QTest::newRow("big bumps into the wide plate") << Anchor{3, 1} << TilzPush::Up << Anchor{3, 1};
  QTest::newRow("wide slides left") << Anchor{2, 0} << TilzPush::Left << Anchor{1, 0};
  QTest::newRow("small bumps at the top edge") << Anchor{5, 0} << TilzPush::Up << Anchor{5, 0};
  QTest::newRow("tall slides right") << Anchor{0, 1} << TilzPush::Right << Anchor{1, 1};
}

// An arrow key pushes the selected plate exactly as a press pushes it: the same
// board, sounds, frames, clock and state; only the selection frame differs.
void TilzViewTest::keyPushMatchesPress() {
  QFETCH(Anchor, plate);
  QFETCH(TilzPush, push);
  QFETCH(Anchor, selectedAfter);
  TilzFixture pressed;
  TilzFixture keyed;
  for (TilzFixture* b : {&pressed, &keyed}) {
    b->tilz.MixPuzzle();
    b->Lay(1, kKeyBoard);
    b->tilz.PaintPuzzle();
  }
  QVERIFY(SelectByTab(keyed.tilz, plate));
  pressed.rig.ClearRecords();
  keyed.rig.ClearRecords();

  pressed.tilz.PlayMove({plate.column, plate.row, push});
  keyed.tilz.PuzzleKeyDownWith(ArrowFor(push), zt::kNoModifier);

  QCOMPARE(BoardText(keyed.tilz.Rules().TilzBoard), BoardText(pressed.tilz.Rules().TilzBoard));
  QCOMPARE(keyed.rig.host.sounds, pressed.rig.host.sounds);
  QCOMPARE(keyed.rig.host.delays, pressed.rig.host.delays);
  QCOMPARE(keyed.rig.host.clockAtRepaint, pressed.rig.host.clockAtRepaint);
  QCOMPARE(keyed.State(), pressed.State());
  QCOMPARE(keyed.State(), std::uint8_t{zt::kRunning});
  QCOMPARE(keyed.tilz.Selected(), selectedAfter);
  QCOMPARE(pressed.tilz.Selected(), selectedAfter);

  // The screens differ only in the frame round the selected plate: a black
  // line one pixel inside its picture, then the yellow band.
  QVERIFY(keyed.tilz.SelectionShown());
  QVERIFY(!pressed.tilz.SelectionShown());
  const std::int32_t code = keyed.tilz.Rules().Cell(selectedAfter.column, selectedAfter.row);
  const QRect frame(TilzView::CellPosition(selectedAfter.column, selectedAfter.row),
                    QSize(TilzRules::PlateWidth(code), TilzRules::PlateHeight(code)));
  const QImage keyScreen = keyed.Screen();
  const QImage pressScreen = pressed.Screen();
  for (int y = 0; y < keyScreen.height(); ++y) {
    for (int x = 0; x < keyScreen.width(); ++x) {
      if (frame.contains(x, y)) continue;
      if (keyScreen.pixel(x, y) != pressScreen.pixel(x, y))
        QFAIL(qPrintable(QString("pixel (%1, %2) differs outside the frame").arg(x).arg(y)));
    }
  }
  QCOMPARE(keyScreen.pixel(frame.x() + 1, frame.y() + frame.height() / 2), qRgb(0, 0, 0));
  QCOMPARE(keyScreen.pixel(frame.x() + 3, frame.y() + frame.height() / 2),
           zt::SelectionFrame::kBandColour);
  QCOMPARE(keyScreen.pixel(frame.center()), pressScreen.pixel(frame.center()));
}

// Level 1 from its start: a shortest solution found here over the rules, then
// played with Tab and the arrow keys only.
void TilzViewTest::levelOneSolvedByKeysAlone() {
  using Board = TilzRules::Board;
  TilzRules start;
  start.TilzLevel = 1;
  start.SetUpTilzBoard();
  std::map<Board, std::pair<Board, zt::TilzMove>> cameFrom;
  std::deque<TilzRules> open{start};
  cameFrom[start.TilzBoard] = {start.TilzBoard, {}};
  std::optional<Board> goal;
  const TilzPush pushes[] = {TilzPush::Left, TilzPush::Right, TilzPush::Up, TilzPush::Down};
  while (!open.empty() && !goal) {
    const TilzRules at = open.front();
    open.pop_front();
    const TilzRules::Anchors plates = at.PlateAnchors();
    for (int i = 0; i < plates.count && !goal; ++i) {
      for (const TilzPush push : pushes) {
        TilzRules next = at;
        if (!next.PushPlate(plates.at[i].column, plates.at[i].row, push)) continue;
        if (cameFrom.count(next.TilzBoard) != 0) continue;
        cameFrom[next.TilzBoard] = {at.TilzBoard, {plates.at[i].column, plates.at[i].row, push}};
        TilzRules probe = next;
        if (probe.StepTilzTarget() == zt::TilzProgress::Solved) {
          goal = next.TilzBoard;
          break;
        }
        open.push_back(next);
      }
    }
  }
  QVERIFY(goal.has_value());
  std::vector<zt::TilzMove> path;
  for (Board b = *goal; b != start.TilzBoard; b = cameFrom[b].first)
    path.insert(path.begin(), cameFrom[b].second);

  TilzFixture f;
  f.tilz.Rules().TilzLevel = 1;
  f.tilz.MixPuzzle();
  for (const zt::TilzMove& move : path) {
    QVERIFY(SelectByTab(f.tilz, {move.column, move.row}));
    QCOMPARE(f.rig.host.solves, 0);
    f.tilz.PuzzleKeyDownWith(ArrowFor(move.push), zt::kNoModifier);
  }
  QCOMPARE(f.rig.host.solves, 1);
  QCOMPARE(f.State(), std::uint8_t{zt::kSolved});
}

ZT_TEST_MAIN(TilzViewTest)
#include "TilzViewTest.moc"
