// Presses on the TRANSIT play area and what they start: which line turns which
// way, the clock, the sound, the solved call, and the variant steps.
#include <QtTest>
#include <vector>

#include "puzzles/core/SelectionFrame.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/transit/TransitTestKit.h"

using zt::kLeftButton;
using zt::kMiddleButton;
using zt::kRightButton;
using zt::kRunning;
using zt::kSolved;
using zt::kTransit;
using zt::TransitDirection;
using zt::TransitRules;
using zt::TransitView;
using zt::test::PuzzleRig;
using namespace zt::test::transit;

namespace {

enum class Turn { None, RowLeft, RowRight, ColumnUp, ColumnDown };

std::vector<int> Repeated(std::vector<int> pair, int times) {
  std::vector<int> out;
  for (int i = 0; i < times; ++i)
    out.insert(out.end(), pair.begin(), pair.end());
  return out;
}

// The draws of one new game: 1000 picture swaps, then 1000 line choices.
std::vector<int> NewGameDraws() {
  std::vector<int> draws(2000, 21);
  const auto mix = Repeated({4, 7}, 1000);
  draws.insert(draws.end(), mix.begin(), mix.end());
  return draws;
}

}  // namespace

Q_DECLARE_METATYPE(Turn)

class TransitInputTest : public QObject {
  Q_OBJECT

 private slots:
  void presses_data();
  void presses();
  void clockTicksInTheFourthFrameWhileRunning_data();
  void clockTicksInTheFourthFrameWhileRunning();
  void solvingMoveCallsPuzzleSolved();
  void finishedColumnPatternStaysSolvedAfterAColumnTurn();
  void mixLeftOnThePatternIsNotSolved();
  void initDrawsNothing();
  void nextVariant_data();
  void nextVariant();
  void cursorKeys_data();
  void cursorKeys();
  void shiftArrowTurnsAsMarginPress_data();
  void shiftArrowTurnsAsMarginPress();
  void cursorStaysOnItsCellWhileTheLineTurns();
};

void TransitInputTest::presses_data() {
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<int>("button");
  QTest::addColumn<Turn>("turn");
  QTest::addColumn<int>("line");

  // Left margin: 25 < x < 60 and 44 < y < 289.
  QTest::newRow("left margin, first pixel") << 26 << 45 << kLeftButton << Turn::RowRight << 0;
  QTest::newRow("left margin, right button") << 26 << 45 << kRightButton << Turn::RowLeft << 0;
  QTest::newRow("left of the left margin") << 25 << 45 << kLeftButton << Turn::None << 0;
  QTest::newRow("board's left edge") << 60 << 45 << kLeftButton << Turn::None << 0;
  QTest::newRow("left margin, above row 0") << 40 << 44 << kLeftButton << Turn::None << 0;
  QTest::newRow("left margin, below row 6") << 40 << 289 << kLeftButton << Turn::None << 0;
  QTest::newRow("left margin, row 3") << 59 << 160 << kLeftButton << Turn::RowRight << 3;
  // Right margin: 305 < x < 340.
  QTest::newRow("right margin, last pixel") << 339 << 288 << kLeftButton << Turn::RowLeft << 6;
  QTest::newRow("right margin, right button") << 339 << 288 << kRightButton << Turn::RowRight << 6;
  QTest::newRow("right margin, middle button")
      << 339 << 288 << kMiddleButton << Turn::RowRight << 6;
  QTest::newRow("board's right edge") << 305 << 100 << kLeftButton << Turn::None << 0;
  QTest::newRow("right of the right margin") << 340 << 100 << kLeftButton << Turn::None << 0;
  QTest::newRow("right margin, row 1") << 306 << 113 << kLeftButton << Turn::RowLeft << 1;
  // Top margin: 60 < x < 305 and 9 < y < 44.
  QTest::newRow("top margin, last pixel") << 100 << 43 << kLeftButton << Turn::ColumnDown << 1;
  QTest::newRow("top margin, right button") << 100 << 43 << kRightButton << Turn::ColumnUp << 1;
  QTest::newRow("top margin, first pixel") << 304 << 10 << kLeftButton << Turn::ColumnDown << 6;
  QTest::newRow("above the top margin") << 100 << 9 << kLeftButton << Turn::None << 0;
  QTest::newRow("top margin, left of column 0") << 60 << 20 << kLeftButton << Turn::None << 0;
  QTest::newRow("top-left corner") << 40 << 20 << kLeftButton << Turn::None << 0;
  // Bottom margin: 289 < y < 324.
  QTest::newRow("bottom margin, first pixel") << 100 << 290 << kLeftButton << Turn::ColumnUp << 1;
  QTest::newRow("bottom margin, middle button")
      << 100 << 290 << kMiddleButton << Turn::ColumnDown << 1;
  QTest::newRow("bottom margin, last pixel") << 61 << 323 << kLeftButton << Turn::ColumnUp << 0;
  QTest::newRow("board's bottom edge") << 100 << 289 << kLeftButton << Turn::None << 0;
  QTest::newRow("below the bottom margin") << 100 << 324 << kLeftButton << Turn::None << 0;
  QTest::newRow("bottom-right corner") << 320 << 300 << kLeftButton << Turn::None << 0;
  // Elsewhere.
  QTest::newRow("on the board") << 100 << 100 << kLeftButton << Turn::None << 0;
  QTest::newRow("on the miniature") << 400 << 80 << kLeftButton << Turn::None << 0;
  QTest::newRow("far corner") << 499 << 332 << kRightButton << Turn::None << 0;
}

void TransitInputTest::presses() {
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(int, button);
  QFETCH(Turn, turn);
  QFETCH(int, line);

  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 22;
  SetStaggeredBoard(puzzle.Rules());
  SetSpreadMap(puzzle.Rules());
  puzzle.PaintPuzzle();
  const QImage before = rig.canvas.Screen().copy();
  TransitRules expected = puzzle.Rules();
  rig.ClearRecords();

  puzzle.PuzzleMouseDown(x, y, button);

  if (turn == Turn::None) {
    QVERIFY(puzzle.Rules().TransitBoard == expected.TransitBoard);
    QVERIFY(rig.host.sounds.empty());
    QVERIFY(rig.host.delays.empty());
    QVERIFY(rig.presents.empty());
    QCOMPARE(rig.canvas.Screen(), before);
    QCOMPARE(rig.play.PuzzleState[kTransit], zt::kReady);  // the clock does not start
    QCOMPARE(rig.play.PuzzleClock[kTransit], 0);
    return;
  }
  switch (turn) {
    case Turn::RowLeft:
      expected.RotateTransitRow(line, TransitDirection::Left);
      break;
    case Turn::RowRight:
      expected.RotateTransitRow(line, TransitDirection::Right);
      break;
    case Turn::ColumnUp:
      expected.RotateTransitColumn(line, TransitDirection::Up);
      break;
    default:
      expected.RotateTransitColumn(line, TransitDirection::Down);
      break;
  }
  QVERIFY(puzzle.Rules().TransitBoard == expected.TransitBoard);
  QCOMPARE(rig.host.sounds, std::vector<int>{4});
  QCOMPARE(rig.host.delays, std::vector<int>(7, 20));
  const bool row = turn == Turn::RowLeft || turn == Turn::RowRight;
  QCOMPARE(rig.presents, std::vector<QRect>(7, LineRect(row, line)));
  QCOMPARE(rig.play.PuzzleState[kTransit], kRunning);
}

void TransitInputTest::clockTicksInTheFourthFrameWhileRunning_data() {
  QTest::addColumn<int>("state");
  QTest::addColumn<int>("clock");
  QTest::addColumn<std::vector<int>>("clockAtFrames");
  QTest::addColumn<int>("stateAfter");

  QTest::newRow("first move starts the clock")
      << 0 << 0 << std::vector<int>{0, 0, 0, 1, 1, 1, 1} << int(kRunning);
  QTest::newRow("running") << 1 << 10 << std::vector<int>{10, 10, 10, 11, 11, 11, 11}
                           << int(kRunning);
  QTest::newRow("solved board stays stopped") << 3 << 42 << std::vector<int>(7, 42) << int(kSolved);
}

void TransitInputTest::clockTicksInTheFourthFrameWhileRunning() {
  QFETCH(int, state);
  QFETCH(int, clock);
  QFETCH(std::vector<int>, clockAtFrames);
  QFETCH(int, stateAfter);

  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 22;
  SetStaggeredBoard(puzzle.Rules());
  rig.play.PuzzleState[kTransit] = static_cast<std::uint8_t>(state);
  rig.play.PuzzleClock[kTransit] = clock;
  std::vector<int> seen;
  rig.host.onDelay = [&] { seen.push_back(rig.play.PuzzleClock[kTransit]); };

  puzzle.PuzzleMouseDown(40, 100, kLeftButton);

  QCOMPARE(seen, clockAtFrames);
  QCOMPARE(int(rig.play.PuzzleState[kTransit]), stateAfter);
  // The clock is redrawn right after each tick, with the new value.
  const bool ticks = clockAtFrames.back() != clock;
  QCOMPARE(rig.host.clockAtRepaint, ticks ? std::vector<int>{clock + 1} : std::vector<int>{});

  // Every further move adds its own tick.
  puzzle.PuzzleMouseDown(320, 200, kLeftButton);
  QCOMPARE(rig.play.PuzzleClock[kTransit], clock + (ticks ? 2 : 0));
}

void TransitInputTest::solvingMoveCallsPuzzleSolved() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  TransitRules& rules = puzzle.Rules();
  rules.TransitPattern = 5;
  rules.TransitBoard = rules.Target();
  rules.RotateTransitRow(2, TransitDirection::Left);
  QVERIFY(!rules.IsTransitPatternBuilt());
  std::vector<int> stateAtFrames;
  rig.host.onDelay = [&] { stateAtFrames.push_back(rig.play.PuzzleState[kTransit]); };

  // The right button on the right margin turns row 2 right: back to the pattern.
  puzzle.PuzzleMouseDown(320, 44 + 35 * 2 + 17, kRightButton);
  QVERIFY(rules.IsTransitPatternBuilt());
  QCOMPARE(rig.host.solvedCalls, 1);
  QCOMPARE(rig.play.PuzzleState[kTransit], kSolved);
  // Solved only after the whole animation.
  QCOMPARE(stateAtFrames, std::vector<int>(7, kRunning));

  // Still playable: away from the pattern no call, back to it a call that the
  // host ignores.
  puzzle.PuzzleMouseDown(100, 20, kLeftButton);
  QCOMPARE(rig.host.solvedCalls, 1);
  puzzle.PuzzleMouseDown(100, 20, kRightButton);
  QCOMPARE(rig.host.solvedCalls, 2);
  QCOMPARE(rig.host.solves, 1);
  QCOMPARE(rig.play.PuzzleState[kTransit], kSolved);
}

void TransitInputTest::finishedColumnPatternStaysSolvedAfterAColumnTurn() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 16;
  puzzle.Rules().TransitBoard = puzzle.Rules().Target();
  rig.play.PuzzleState[kTransit] = kRunning;

  puzzle.PuzzleMouseDown(200, 300, kLeftButton);  // column 4 up: nothing changes

  QVERIFY(puzzle.Rules().TransitBoard == puzzle.Rules().Target());
  QCOMPARE(rig.host.sounds, std::vector<int>{4});
  QCOMPARE(rig.host.delays.size(), std::size_t{7});
  QCOMPARE(rig.play.PuzzleClock[kTransit], 1);
  QCOMPARE(rig.host.solvedCalls, 1);
}

void TransitInputTest::mixLeftOnThePatternIsNotSolved() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 3;
  // The mix turns row 3 left and right again, 500 times each.
  rig.random.SetScript({0, 3, 1, 3});
  puzzle.MixPuzzle();
  QVERIFY(puzzle.Rules().IsTransitPatternBuilt());
  QCOMPARE(rig.host.solvedCalls, 0);
  QCOMPARE(rig.play.PuzzleState[kTransit], zt::kReady);
  QVERIFY(rig.host.sounds.empty());
  QVERIFY(rig.host.delays.empty());
}

void TransitInputTest::initDrawsNothing() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  const QImage before = rig.canvas.Screen().copy();
  // Swaps 0,1 then 1,2 (a three-cycle, 250 times); rows 1, 2 and 0 turn.
  rig.random.SetScript({0, 1, 1, 2, 0, 0, 0, 0});
  puzzle.InitPuzzle();
  QCOMPARE(rig.random.ranges, NewGameDraws());
  QVERIFY(puzzle.Rules().TransitPictureMap != TransitRules::IdentityMap());
  QVERIFY(!puzzle.Rules().IsTransitPatternBuilt());
  QVERIFY(rig.presents.empty());
  QCOMPARE(rig.canvas.Screen(), before);
  QVERIFY(puzzle.TakesKeys());  // the cursor and Shift+arrow turns
}

void TransitInputTest::nextVariant_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("expected");

  QTest::newRow("left steps up") << 7 << kLeftButton << 8;
  QTest::newRow("left after 22 comes 1") << 22 << kLeftButton << 1;
  QTest::newRow("right steps down") << 7 << kRightButton << 6;
  QTest::newRow("right before 1 comes 22") << 1 << kRightButton << 22;
  QTest::newRow("middle keeps it") << 7 << kMiddleButton << 7;
  QTest::newRow("middle keeps 22") << 22 << kMiddleButton << 22;
}

void TransitInputTest::nextVariant() {
  QFETCH(int, pattern);
  QFETCH(int, button);
  QFETCH(int, expected);

  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = pattern;
  rig.random.SetScript({2, 5, 3, 1, 0, 6, 1, 4});
  rig.ClearRecords();

  puzzle.NextVariant(button);

  QCOMPARE(puzzle.Rules().TransitPattern, expected);
  QCOMPARE(puzzle.VariantNumber(), expected);
  QCOMPARE(puzzle.LevelText(), std::to_string(expected));
  // Every press deals a new game: new pictures and a new board, drawn at once.
  QCOMPARE(rig.random.ranges, NewGameDraws());
  QVERIFY(puzzle.Rules().TransitPictureMap != TransitRules::IdentityMap());
  const QImage expectedPaint = ExpectedPaint(rig.canvas.Atlas(), puzzle.Rules());
  for (const QRect& area : {QRect(60, 44, 245, 245), QRect(362, 44, 105, 105)}) {
    const QString diff = zt::test::FirstDifference(rig.canvas.Screen(), expectedPaint, area);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
  }
  QVERIFY(!rig.presents.empty());
}

// ------------------------------------------------------------- keyboard --

namespace {

// Arrow keys without Shift until the cursor stands on (column, row).
void WalkCursor(TransitView& puzzle, int column, int row) {
  while (puzzle.Cursor().x() != column)
    puzzle.PuzzleKeyDownWith(zt::kKeyRight, zt::kNoModifier);
  while (puzzle.Cursor().y() != row)
    puzzle.PuzzleKeyDownWith(zt::kKeyDown, zt::kNoModifier);
}

bool FrameDrawnAt(const QImage& screen, int column, int row) {
  const QRect cell = TransitView::CellRect(column, row);
  return screen.pixel(cell.x() + 1, cell.center().y()) == qRgb(0, 0, 0) &&
         screen.pixel(cell.x() + 3, cell.center().y()) == zt::SelectionFrame::kBandColour &&
         screen.pixel(cell.right() - 3, cell.center().y()) == zt::SelectionFrame::kBandColour;
}

}  // namespace

void TransitInputTest::cursorKeys_data() {
  QTest::addColumn<QPoint>("from");
  QTest::addColumn<int>("key");
  QTest::addColumn<QPoint>("to");
  QTest::newRow("right") << QPoint(3, 3) << int(zt::kKeyRight) << QPoint(4, 3);
  QTest::newRow("left") << QPoint(3, 3) << int(zt::kKeyLeft) << QPoint(2, 3);
  QTest::newRow("up") << QPoint(3, 3) << int(zt::kKeyUp) << QPoint(3, 2);
  QTest::newRow("down") << QPoint(3, 3) << int(zt::kKeyDown) << QPoint(3, 4);
  QTest::newRow("right wraps") << QPoint(6, 2) << int(zt::kKeyRight) << QPoint(0, 2);
  QTest::newRow("left wraps") << QPoint(0, 5) << int(zt::kKeyLeft) << QPoint(6, 5);
  QTest::newRow("up wraps") << QPoint(4, 0) << int(zt::kKeyUp) << QPoint(4, 6);
  QTest::newRow("down wraps") << QPoint(1, 6) << int(zt::kKeyDown) << QPoint(1, 0);
}

// The arrows move only the cursor: no turn, no sound, no wait, no clock.
void TransitInputTest::cursorKeys() {
  QFETCH(QPoint, from);
  QFETCH(int, key);
  QFETCH(QPoint, to);
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  rig.random.SetScript({0, 1, 1, 2, 0, 0, 0, 0});
  puzzle.MixPuzzle();
  QCOMPARE(puzzle.Cursor(), QPoint(3, 3));  // the middle cell at a new game
  WalkCursor(puzzle, from.x(), from.y());
  const TransitRules before = puzzle.Rules();
  rig.ClearRecords();

  puzzle.PuzzleKeyDownWith(key, zt::kNoModifier);

  QCOMPARE(puzzle.Cursor(), to);
  QVERIFY(puzzle.Rules().TransitBoard == before.TransitBoard);
  QVERIFY(rig.host.sounds.empty());
  QVERIFY(rig.host.delays.empty());
  QCOMPARE(rig.play.PuzzleState[kTransit], zt::kReady);
  QVERIFY(FrameDrawnAt(rig.canvas.Screen(), to.x(), to.y()));
  QVERIFY(!FrameDrawnAt(rig.canvas.Screen(), from.x(), from.y()));
}

void TransitInputTest::shiftArrowTurnsAsMarginPress_data() {
  QTest::addColumn<QPoint>("cursor");
  QTest::addColumn<int>("key");
  QTest::addColumn<QPoint>("press");
  QTest::addColumn<int>("button");
  // Rows turn by presses in the left margin (left button: right, right
  // button: left); columns by presses in the top margin (left button: down).
  QTest::newRow("Shift+Right turns row 3 right")
      << QPoint(3, 3) << int(zt::kKeyRight) << QPoint(40, 44 + 35 * 3 + 17) << kLeftButton;
  QTest::newRow("Shift+Left turns row 0 left")
      << QPoint(5, 0) << int(zt::kKeyLeft) << QPoint(40, 44 + 17) << kRightButton;
  QTest::newRow("Shift+Down turns column 6 down")
      << QPoint(6, 2) << int(zt::kKeyDown) << QPoint(60 + 35 * 6 + 17, 30) << kLeftButton;
  QTest::newRow("Shift+Up turns column 1 up")
      << QPoint(1, 6) << int(zt::kKeyUp) << QPoint(60 + 35 + 17, 30) << kRightButton;
}

// Shift with an arrow turns the cursor's row or column exactly as the margin
// press that makes the same turn: board, sounds, frames, clock, state.
void TransitInputTest::shiftArrowTurnsAsMarginPress() {
  QFETCH(QPoint, cursor);
  QFETCH(int, key);
  QFETCH(QPoint, press);
  QFETCH(int, button);
  PuzzleRig keyRig(kTransit);
  PuzzleRig pressRig(kTransit);
  TransitView keyed(keyRig.ctx);
  TransitView pressed(pressRig.ctx);
  for (TransitView* puzzle : {&keyed, &pressed}) {
    puzzle->Rules().TransitPattern = 22;
    SetStaggeredBoard(puzzle->Rules());
    SetSpreadMap(puzzle->Rules());
    puzzle->PaintPuzzle();
  }
  WalkCursor(keyed, cursor.x(), cursor.y());
  keyRig.ClearRecords();
  pressRig.ClearRecords();

  keyed.PuzzleKeyDownWith(key, zt::kShiftModifier);
  pressed.PuzzleMouseDown(press.x(), press.y(), button);

  QVERIFY(keyed.Rules().TransitBoard == pressed.Rules().TransitBoard);
  QCOMPARE(keyRig.host.sounds, std::vector<int>{4});
  QCOMPARE(keyRig.host.sounds, pressRig.host.sounds);
  QCOMPARE(keyRig.host.delays, pressRig.host.delays);
  QCOMPARE(keyRig.host.clockAtRepaint, pressRig.host.clockAtRepaint);
  QCOMPARE(keyRig.play.PuzzleState[kTransit], pressRig.play.PuzzleState[kTransit]);
  QCOMPARE(keyRig.play.PuzzleState[kTransit], zt::kRunning);
  QCOMPARE(keyed.Cursor(), cursor);
}

void TransitInputTest::cursorStaysOnItsCellWhileTheLineTurns() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 22;
  SetStaggeredBoard(puzzle.Rules());
  SetSpreadMap(puzzle.Rules());
  puzzle.PaintPuzzle();
  WalkCursor(puzzle, 2, 3);
  rig.ClearRecords();
  puzzle.PuzzleKeyDownWith(zt::kKeyRight, zt::kShiftModifier);
  QCOMPARE(rig.frames.size(), std::size_t{TransitView::kFrames});
  for (const QImage& frame : rig.frames)
    QVERIFY(FrameDrawnAt(frame, 2, 3));
  QVERIFY(FrameDrawnAt(rig.canvas.Screen(), 2, 3));
  QCOMPARE(puzzle.Cursor(), QPoint(2, 3));
}

ZT_TEST_MAIN(TransitInputTest)
#include "TransitInputTest.moc"
