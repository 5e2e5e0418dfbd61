// BOSS rules: set-up, mixing, moves and the solved test.
#include <QtTest>
#include <limits>
#include <set>

#include "puzzles/boss/BossRules.h"
#include "tests/common/ScriptedRandom.h"
#include "tests/common/TestMain.h"

using namespace zt;
using zt::test::ScriptedRandom;

namespace {

// Rows top to bottom as the player reads them.
using Rows = std::vector<std::vector<int>>;

Rows BoardRows(const BossRules& b) {
  Rows rows;
  for (int r = 1; r <= b.BossRows; ++r) {
    std::vector<int> row;
    for (int c = 1; c <= b.BossColumns; ++c)
      row.push_back(b.Board(c, r));
    rows.push_back(row);
  }
  return rows;
}

// The solved board of a size as the rules describe it: tile k in reading
// order, plus 40 where column + row is even, and the gap in the last cell.
Rows SolvedRows(int columns, int rows) {
  Rows solved;
  for (int r = 1; r <= rows; ++r) {
    std::vector<int> row;
    for (int c = 1; c <= columns; ++c) {
      const int k = (r - 1) * columns + (c - 1);
      row.push_back(c == columns && r == rows ? -1 : k + ((c + r) % 2 == 0 ? 40 : 0));
    }
    solved.push_back(row);
  }
  return solved;
}

BossRules Solved(int columns, int rows) {
  BossRules b;
  b.BossColumns = columns;
  b.BossRows = rows;
  ScriptedRandom stay({1});  // the gap starts in the last column: every step refused
  b.SetUpBossBoard(stay);
  return b;
}

}  // namespace

class BossRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void solvedArrangements() {
    // The two boards drawn in full, as the player sees them solved.
    QCOMPARE(BoardRows(Solved(5, 3)),
             (Rows{{40, 1, 42, 3, 44}, {5, 46, 7, 48, 9}, {50, 11, 52, 13, -1}}));
    QCOMPARE(BoardRows(Solved(3, 2)), (Rows{{40, 1, 42}, {3, 44, -1}}));

    // 7 x 5: 34 tiles, indices 0..33 once each, colour by the home cell.
    const BossRules big = Solved(7, 5);
    std::set<int> indices;
    for (int r = 1; r <= 5; ++r) {
      for (int c = 1; c <= 7; ++c) {
        const int v = big.Board(c, r);
        if (c == 7 && r == 5) {
          QCOMPARE(v, -1);
          continue;
        }
        const int k = (r - 1) * 7 + (c - 1);
        QCOMPARE(v, k + ((c + r) % 2 == 0 ? 40 : 0));
        indices.insert(v % 40);
      }
    }
    QCOMPARE(int(indices.size()), 34);
    QCOMPARE(*indices.rbegin(), 33);
    QVERIFY(big.IsBossSolved());
  }

  void cellsOutsideTheBoardStayEmpty() {
    const BossRules b = Solved(4, 3);
    for (int c = 1; c <= 7; ++c) {
      for (int r = 1; r <= 5; ++r) {
        if (c > 4 || r > 3) {
          QCOMPARE(b.Board(c, r), -1);
          QCOMPARE(b.Target(c, r), -1);
        }
      }
    }
  }

  void mixIsExactly5000Steps() {
    BossRules b;
    ScriptedRandom random({0, 1, 2, 3, 3, 0});
    b.SetUpBossBoard(random);
    QCOMPARE(int(random.ranges.size()), 5000);
    QVERIFY(std::all_of(random.ranges.begin(), random.ranges.end(), [](int n) { return n == 4; }));
  }

  void mixStepsMoveTheGapAndRefusedStepsDoNothing() {
    // Always "tile left of the gap moves right": the gap walks to column 1 and
    // then every further step is refused.
    BossRules b;
    ScriptedRandom left({0});
    b.SetUpBossBoard(left);
    QCOMPARE(BoardRows(b), (Rows{{40, 1, 42, 3, 44}, {5, 46, 7, 48, 9}, {-1, 50, 11, 52, 13}}));
    QCOMPARE(b.GapColumn, 1);
    QCOMPARE(b.GapRow, 3);

    // Up twice (tile above moves down), then refused; then right once.
    BossRules c;
    std::vector<int> script(5000, 2);
    script.back() = 1;  // the last step: the tile right of the gap moves left
    ScriptedRandom up(script);
    c.SetUpBossBoard(up);
    QCOMPARE(c.GapRow, 1);
    QCOMPARE(c.GapColumn, 5);  // the last step was refused: the gap is in the last column
    QCOMPARE(BoardRows(c), (Rows{{40, 1, 42, 3, -1}, {5, 46, 7, 48, 44}, {50, 11, 52, 13, 9}}));
  }

  void moves_data() {
    QTest::addColumn<int>("gapColumn");
    QTest::addColumn<int>("gapRow");
    QTest::addColumn<int>("move");
    QTest::addColumn<bool>("allowed");
    const int L = int(BossMove::Left), R = int(BossMove::Right), U = int(BossMove::Up),
              D = int(BossMove::Down);
    QTest::newRow("left, gap inside") << 3 << 2 << L << true;
    QTest::newRow("left, gap in last column") << 5 << 2 << L << false;
    QTest::newRow("right, gap inside") << 3 << 2 << R << true;
    QTest::newRow("right, gap in column 1") << 1 << 2 << R << false;
    QTest::newRow("up, gap inside") << 3 << 2 << U << true;
    QTest::newRow("up, gap in last row") << 3 << 3 << U << false;
    QTest::newRow("down, gap inside") << 3 << 2 << D << true;
    QTest::newRow("down, gap in row 1") << 3 << 1 << D << false;
  }
  void moves() {
    QFETCH(int, gapColumn);
    QFETCH(int, gapRow);
    QFETCH(int, move);
    QFETCH(bool, allowed);
    // A 5 x 3 board with the gap placed by hand and every tile unique.
    BossRules b = Solved(5, 3);
    std::swap(b.Board(gapColumn, gapRow), b.Board(5, 3));
    b.GapColumn = gapColumn;
    b.GapRow = gapRow;
    const auto m = static_cast<BossMove>(move);
    QCOMPARE(b.CanMove(m), allowed);
    if (!allowed) return;
    const int dc = m == BossMove::Left ? 1 : m == BossMove::Right ? -1 : 0;
    const int dr = m == BossMove::Up ? 1 : m == BossMove::Down ? -1 : 0;
    const int tile = b.Board(gapColumn + dc, gapRow + dr);
    b.ChangeBoard(m);
    // Half way: the tile stands in the old gap cell, the gap has not moved yet.
    QCOMPARE(b.Board(gapColumn, gapRow), tile);
    QCOMPARE(b.Board(gapColumn + dc, gapRow + dr), -1);
    QCOMPARE(b.GapColumn, gapColumn);
    b.MoveGap(m);
    QCOMPARE(b.GapColumn, gapColumn + dc);
    QCOMPARE(b.GapRow, gapRow + dr);
  }

  void solvedTestComparesTheGapToo() {
    BossRules b = Solved(3, 2);
    QVERIFY(b.IsBossSolved());
    b.Move(BossMove::Right);  // the gap leaves its home
    QVERIFY(!b.IsBossSolved());
    b.Move(BossMove::Left);
    QVERIFY(b.IsBossSolved());
  }

  // A size outside 3..7 by 2..5 (only a broken caller could set one) is
  // brought to the nearest size there is before the board is laid out.
  void setUpBringsTheSizeIntoRange_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("keptColumns");
    QTest::addColumn<int>("keptRows");
    QTest::newRow("least size") << 3 << 2 << 3 << 2;
    QTest::newRow("largest size") << 7 << 5 << 7 << 5;
    QTest::newRow("2 columns") << 2 << 3 << 3 << 3;
    QTest::newRow("8 columns") << 8 << 3 << 7 << 3;
    QTest::newRow("1 row") << 5 << 1 << 5 << 2;
    QTest::newRow("6 rows") << 5 << 6 << 5 << 5;
    QTest::newRow("8 x 6") << 8 << 6 << 7 << 5;
    QTest::newRow("0 x 0") << 0 << 0 << 3 << 2;
    QTest::newRow("-4 x 99") << -4 << 99 << 3 << 5;
    QTest::newRow("int max x int min")
        << std::numeric_limits<int>::max() << std::numeric_limits<int>::min() << 7 << 2;
  }
  void setUpBringsTheSizeIntoRange() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, keptColumns);
    QFETCH(int, keptRows);
    const BossRules b = Solved(columns, rows);
    QCOMPARE(b.BossColumns, keptColumns);
    QCOMPARE(b.BossRows, keptRows);
    QCOMPARE(b.GapColumn, keptColumns);
    QCOMPARE(b.GapRow, keptRows);
    QCOMPARE(BoardRows(b), SolvedRows(keptColumns, keptRows));
    QVERIFY(b.IsBossSolved());
  }

  void everySizeMixesIntoAValidBoard() {
    ClockRandom random(7);
    for (int columns = 3; columns <= 7; ++columns) {
      for (int rows = 2; rows <= 5; ++rows) {
        BossRules b;
        b.BossColumns = columns;
        b.BossRows = rows;
        b.SetUpBossBoard(random);
        std::multiset<int> board, target;
        for (int c = 1; c <= columns; ++c) {
          for (int r = 1; r <= rows; ++r) {
            board.insert(b.Board(c, r));
            target.insert(b.Target(c, r));
          }
        }
        QCOMPARE(board, target);
        QCOMPARE(b.Board(b.GapColumn, b.GapRow), -1);
        QVERIFY(b.GapColumn >= 1 && b.GapColumn <= columns);
        QVERIFY(b.GapRow >= 1 && b.GapRow <= rows);
      }
    }
  }
};

ZT_TEST_MAIN(BossRulesTest)
#include "BossRulesTest.moc"
