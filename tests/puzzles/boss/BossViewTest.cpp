// BOSS on the screen: hit tests, keys, every animation frame, clock ticks.
#include <QPainter>
#include <QtTest>

#include "puzzles/boss/BossView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"

using namespace zt;
using namespace zt::test;

namespace {

constexpr int kAtlasHeight = 733;

// A 5 x 3 rig whose board is solved and whose gap is then walked by hand.
struct BossRig : PuzzleRig {
  BossRig(int columns = 5, int rows = 3) : PuzzleRig(kBoss, 500, kAtlasHeight) {
    boss.Rules().BossColumns = columns;
    boss.Rules().BossRows = rows;
    random.SetScript({1});  // the gap starts in the last column: a solved board
    boss.InitPuzzle();
    boss.PaintPuzzle();
    ClearRecords();
  }
  // Places the gap without animation (tiles shift along the walk).
  void WalkGap(int column, int row) {
    BossRules& r = boss.Rules();
    while (r.GapColumn > column)
      r.Move(BossMove::Right);
    while (r.GapColumn < column)
      r.Move(BossMove::Left);
    while (r.GapRow > row)
      r.Move(BossMove::Down);
    while (r.GapRow < row)
      r.Move(BossMove::Up);
    boss.PaintPuzzle();
    ClearRecords();
  }
  BossView boss{ctx};
};

// The screen as it must look with a board drawn cell by cell from the atlas.
QImage ExpectedPaint(const BossRules& r, const QImage& atlas) {
  QImage screen = atlas.copy(0, 0, 500, 333);
  for (int c = 1; c <= r.BossColumns; ++c) {
    for (int row = 1; row <= r.BossRows; ++row) {
      const int x = 213 - 25 * r.BossColumns + 50 * (c - 1);
      const int y = 166 - 25 * r.BossRows + 50 * (row - 1);
      const int v = r.Board(c, row);
      const QPoint from = v < 0 ? QPoint(x, y) : QPoint(50 * (v % 10), 333 + 50 * (v / 10));
      QPainter p(&screen);
      p.drawImage(QPoint(x, y), atlas, QRect(from, QSize(50, 50)));
    }
  }
  return screen;
}

}  // namespace

class BossViewTest : public QObject {
  Q_OBJECT

 private slots:
  void paintDrawsBackgroundAndEveryCell() {
    for (auto [columns, rows] : {std::pair{3, 2}, {5, 3}, {7, 5}, {4, 5}}) {
      BossRig rig(columns, rows);
      rig.WalkGap(2, 1);
      rig.boss.PaintPuzzle();
      const QString diff =
          FirstDifference(rig.canvas.Screen(), ExpectedPaint(rig.boss.Rules(), rig.canvas.Atlas()));
      QVERIFY2(diff.isEmpty(), qPrintable(diff));
      QCOMPARE(rig.presents.back(), QRect(0, 0, 500, 333));
    }
  }

  void hitTestBoundsAreStrict_data() {
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<bool>("moves");
    // Gap at (2, 1) on 5 x 3: cell (1, 1) covers (88, 91)-(138, 141).
    QTest::newRow("inside the top-left cell") << QPoint(89, 92) << true;
    QTest::newRow("its left outline") << QPoint(88, 92) << false;
    QTest::newRow("its top outline") << QPoint(100, 91) << false;
    QTest::newRow("the line between cells") << QPoint(138, 100) << false;
    QTest::newRow("last pixel inside") << QPoint(137, 140) << true;
    QTest::newRow("beside the board") << QPoint(60, 100) << false;
  }
  void hitTestBoundsAreStrict() {
    QFETCH(QPoint, press);
    QFETCH(bool, moves);
    BossRig rig;
    rig.WalkGap(2, 1);
    rig.boss.PuzzleMouseDown(press.x(), press.y(), kLeftButton);
    QCOMPARE(rig.boss.Rules().GapColumn, moves ? 1 : 2);
    QCOMPARE(rig.host.sounds, moves ? std::vector<int>{3} : std::vector<int>{});
  }

  void pressOnCellTwoAndTheGapItself() {
    BossRig rig;
    rig.WalkGap(1, 1);
    rig.boss.PuzzleMouseDown(139, 100, kLeftButton);  // cell (2, 1), beside the gap
    QCOMPARE(rig.boss.Rules().GapColumn, 2);
    rig.ClearRecords();
    rig.boss.PuzzleMouseDown(163, 116, kRightButton);   // the gap: nothing
    rig.boss.PuzzleMouseDown(263, 116, kMiddleButton);  // two cells away: nothing
    rig.boss.PuzzleMouseDown(113, 166, kLeftButton);    // diagonal: nothing
    QVERIFY(rig.host.sounds.empty());
    QCOMPARE(int(rig.play.PuzzleState[kBoss]), int(kRunning));  // started by the first move
    rig.play.PuzzleState[kBoss] = kReady;
    rig.boss.PuzzleMouseDown(163, 116, kLeftButton);
    QCOMPARE(int(rig.play.PuzzleState[kBoss]), int(kReady));
  }

  void anyMouseButtonMoves() {
    for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
      BossRig rig;
      rig.boss.PuzzleMouseDown(313, 166, button);  // cell (5, 2), above the gap (5, 3)
      QCOMPARE(rig.boss.Rules().GapRow, 2);
    }
  }

  void arrowKeysAtTheEdgesDoNothing_data() {
    QTest::addColumn<int>("gapColumn");
    QTest::addColumn<int>("gapRow");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("moves");
    QTest::newRow("right, gap in column 1") << 1 << 2 << kKeyRight << false;
    QTest::newRow("right, gap in column 2") << 2 << 2 << kKeyRight << true;
    QTest::newRow("left, gap in last column") << 5 << 2 << kKeyLeft << false;
    QTest::newRow("left, gap in column 4") << 4 << 2 << kKeyLeft << true;
    QTest::newRow("down, gap in row 1") << 3 << 1 << kKeyDown << false;
    QTest::newRow("down, gap in row 2") << 3 << 2 << kKeyDown << true;
    QTest::newRow("up, gap in last row") << 3 << 3 << kKeyUp << false;
    QTest::newRow("up, gap in row 2") << 3 << 2 << kKeyUp << true;
    QTest::newRow("a letter") << 3 << 2 << int('A') << false;
  }
  void arrowKeysAtTheEdgesDoNothing() {
    QFETCH(int, gapColumn);
    QFETCH(int, gapRow);
    QFETCH(int, key);
    QFETCH(bool, moves);
    BossRig rig;
    rig.WalkGap(gapColumn, gapRow);
    const BossRules before = rig.boss.Rules();
    rig.boss.PuzzleKeyDown(key);
    QCOMPARE(rig.host.sounds.size(), moves ? 1u : 0u);
    QCOMPARE(int(rig.play.PuzzleState[kBoss]), moves ? int(kRunning) : int(kReady));
    if (!moves) {
      QCOMPARE(rig.boss.Rules().BossBoard, before.BossBoard);
      return;
    }
    // The arrow names the way the tile travels; the gap goes the other way.
    const int dc = key == kKeyLeft ? 1 : key == kKeyRight ? -1 : 0;
    const int dr = key == kKeyUp ? 1 : key == kKeyDown ? -1 : 0;
    QCOMPARE(rig.boss.Rules().GapColumn, gapColumn + dc);
    QCOMPARE(rig.boss.Rules().GapRow, gapRow + dr);
  }

  void everyFrameOfAMove_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QPoint>("step");   // face movement per frame
    QTest::addColumn<QPoint>("start");  // face position before frame 1
    QTest::addColumn<QList<int>>("ticks");
    // Gap at (3, 2) of 5 x 3: cell (3, 2) covers (188, 141)-(238, 191).
    QTest::newRow("tile moves left") << kKeyLeft << QRect(188, 141, 100, 50) << QPoint(-5, 0)
                                     << QPoint(238, 141) << QList<int>{3, 6, 9};
    QTest::newRow("tile moves right") << kKeyRight << QRect(138, 141, 100, 50) << QPoint(5, 0)
                                      << QPoint(138, 141) << QList<int>{2, 5, 8};
    QTest::newRow("tile moves up") << kKeyUp << QRect(188, 141, 50, 100) << QPoint(0, -5)
                                   << QPoint(188, 191) << QList<int>{3, 6, 9};
    QTest::newRow("tile moves down") << kKeyDown << QRect(188, 91, 50, 100) << QPoint(0, 5)
                                     << QPoint(188, 91) << QList<int>{2, 5, 8};
  }
  void everyFrameOfAMove() {
    QFETCH(int, key);
    QFETCH(QRect, region);
    QFETCH(QPoint, step);
    QFETCH(QPoint, start);
    QFETCH(QList<int>, ticks);
    BossRig rig;
    rig.WalkGap(3, 2);
    rig.play.PuzzleState[kBoss] = kRunning;
    rig.play.PuzzleClock[kBoss] = 10;
    const QImage before = rig.canvas.Screen().copy();
    // The moving tile is the one under the start position.
    const BossRules& r = rig.boss.Rules();
    const int column = (start.x() - 88) / 50 + 1;
    const int row = (start.y() - 91) / 50 + 1;
    const int code = r.Board(column, row);
    const QPoint face(50 * (code % 10), 333 + 50 * (code / 10));

    std::vector<int> clockAtFrame;
    rig.host.onDelay = [&] {
      rig.frames.push_back(rig.canvas.Screen().copy());
      clockAtFrame.push_back(rig.play.PuzzleClock[kBoss]);
    };
    rig.boss.PuzzleKeyDown(key);

    QCOMPARE(int(rig.frames.size()), 10);
    QCOMPARE(rig.host.delays, std::vector<int>(10, 20));
    QCOMPARE(rig.host.sounds, std::vector<int>{3});
    int clock = 10;
    for (int k = 1; k <= 10; ++k) {
      QImage expected = before.copy();
      QPainter p(&expected);
      p.drawImage(region.topLeft(), rig.canvas.Atlas(), region);
      p.drawImage(start + step * k, rig.canvas.Atlas(), QRect(face, QSize(50, 50)));
      p.end();
      const QString diff = FirstDifference(rig.frames[k - 1], expected);
      QVERIFY2(diff.isEmpty(), qPrintable(QString("frame %1: %2").arg(k).arg(diff)));
      if (ticks.contains(k)) ++clock;
      QCOMPARE(clockAtFrame[k - 1], clock);
      QCOMPARE(rig.presents[k - 1], region);
    }
    QCOMPARE(rig.play.PuzzleClock[kBoss], 13);
    QCOMPARE(int(rig.host.clockAtRepaint.size()), 3);

    // A repaint now shows exactly what the last frame left.
    const QImage afterMove = rig.canvas.Screen().copy();
    rig.boss.PaintPuzzle();
    const QString diff = FirstDifference(rig.canvas.Screen(), afterMove);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
  }

  void clockTicksOnlyWhileRunning() {
    for (std::uint8_t state : {kReady, kSolved}) {
      BossRig rig;
      rig.play.PuzzleState[kBoss] = state;
      rig.boss.PuzzleKeyDown(kKeyDown);
      // A move in state 0 first starts the clock, so it already counts.
      QCOMPARE(rig.play.PuzzleClock[kBoss], state == kReady ? 3 : 0);
      QCOMPARE(int(rig.play.PuzzleState[kBoss]), state == kReady ? int(kRunning) : int(kSolved));
    }
  }

  void solvingMoveReportsAfterTheAnimation() {
    BossRig rig;
    rig.boss.PuzzleKeyDown(kKeyRight);  // the tile left of the gap moves right
    QCOMPARE(rig.host.solvedCalls, 0);
    int framesAtSolve = -1;
    rig.frames.clear();
    rig.host.onDelay = [&] { rig.frames.push_back(QImage()); };
    FakeHost& host = rig.host;
    rig.boss.PuzzleKeyDown(kKeyLeft);  // and back: solved
    framesAtSolve = int(rig.frames.size());
    QCOMPARE(host.solvedCalls, 1);
    QCOMPARE(framesAtSolve, 10);
    QCOMPARE(rig.play.PuzzleClock[kBoss], 6);  // 3 ticks per move, the first move started it
    QCOMPARE(int(rig.play.PuzzleState[kBoss]), int(kSolved));
    // Moving on after the solve: sound, no second solve, clock stays.
    rig.boss.PuzzleKeyDown(kKeyRight);
    rig.boss.PuzzleKeyDown(kKeyLeft);
    QCOMPARE(host.solves, 1);
    QCOMPARE(rig.play.PuzzleClock[kBoss], 6);
    QCOMPARE(host.sounds, (std::vector<int>{3, 3, 3, 3}));
  }

  void nextVariantWrapsAndMixes_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("label");
    QTest::newRow("left widens") << 5 << 3 << kLeftButton << "6-3";
    QTest::newRow("left wraps 7 to 3") << 7 << 5 << kLeftButton << "3-5";
    QTest::newRow("right heightens") << 3 << 2 << kRightButton << "3-3";
    QTest::newRow("right wraps 5 to 2") << 3 << 5 << kRightButton << "3-2";
    QTest::newRow("middle keeps the size") << 4 << 4 << kMiddleButton << "4-4";
  }
  void nextVariantWrapsAndMixes() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, button);
    QFETCH(QString, label);
    BossRig rig(columns, rows);
    rig.random.SetScript({0, 2, 1, 3});
    rig.boss.NextVariant(button);
    QCOMPARE(QString::fromStdString(rig.boss.LevelText()), label);
    QCOMPARE(int(rig.random.ranges.size()), 5000);
    QCOMPARE(rig.boss.VariantNumber(), rig.boss.Rules().BossColumns * rig.boss.Rules().BossRows);
    QCOMPARE(rig.presents.back(), QRect(0, 0, 500, 333));  // drawn in full
    QVERIFY(rig.host.sounds.empty());
  }
};

ZT_TEST_MAIN(BossViewTest)
#include "BossViewTest.moc"
