// The BOSS solver against searches written here from the rules alone: every
// board of at most 9 cells against a full breadth-first search, larger boards
// against a plain IDA* with the Manhattan distance, and mixes of every size
// followed move by move through the rules to the solved board.
#include <QtTest>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "puzzles/boss/BossRules.h"
#include "puzzles/boss/BossSolver.h"
#include "puzzles/core/Random.h"
#include "tests/common/ScriptedRandom.h"
#include "tests/common/SolverTestKit.h"
#include "tests/common/TestMain.h"

using zt::BossMove;
using zt::BossRules;
using zt::BossSolver;
using zt::ClockRandom;
using zt::test::kSanitized;
using zt::test::ScriptedRandom;

namespace {

constexpr BossMove kMoves[] = {BossMove::Left, BossMove::Right, BossMove::Up, BossMove::Down};

// The solved board of the size: the mix draws 1 every time, which with the
// gap in the last column moves nothing.
// Made once per size: the mix's 5000 draws are slow to repeat for every
// board of a full search.
BossRules Solved(int columns, int rows) {
  static std::map<std::pair<int, int>, BossRules> made;
  const auto found = made.find({columns, rows});
  if (found != made.end()) return found->second;
  BossRules rules;
  rules.BossColumns = columns;
  rules.BossRows = rows;
  ScriptedRandom stay({1});
  rules.SetUpBossBoard(stay);
  made.emplace(std::pair{columns, rows}, rules);
  return rules;
}

// Cells in reading order, each the reading-order index of the tile's home,
// -1 for the gap.
BossRules FromHomes(int columns, int rows, const std::vector<int>& homes) {
  BossRules rules = Solved(columns, rows);
  for (int cell = 0; cell < columns * rows; ++cell) {
    const int c = cell % columns + 1;
    const int r = cell / columns + 1;
    const int k = homes[static_cast<std::size_t>(cell)];
    if (k < 0) {
      rules.Board(c, r) = BossRules::kGap;
      rules.GapColumn = c;
      rules.GapRow = r;
    } else {
      rules.Board(c, r) =
          k + BossRules::kColourOffset * BossRules::Colour(k % columns + 1, k / columns + 1);
    }
  }
  return rules;
}

// Four bits a cell: the home index, 15 for the gap.
std::uint64_t Key(const BossRules& rules) {
  std::uint64_t key = 0;
  for (int r = rules.BossRows; r >= 1; --r) {
    for (int c = rules.BossColumns; c >= 1; --c) {
      const std::int32_t code = rules.Board(c, r);
      key = key << 4 | static_cast<std::uint64_t>(code < 0 ? 15 : code % BossRules::kColourOffset);
    }
  }
  return key;
}

std::vector<int> HomesOf(std::uint64_t key, int cells) {
  std::vector<int> homes;
  for (int cell = 0; cell < cells; ++cell, key >>= 4) {
    const int k = static_cast<int>(key & 15);
    homes.push_back(k == 15 ? -1 : k);
  }
  return homes;
}

// Every board play can reach from the solved one within `most` moves (all of
// them by default), with its fewest moves.
std::unordered_map<std::uint64_t, int> AllDistances(int columns, int rows, int most = 1 << 30) {
  const BossRules solved = Solved(columns, rows);
  std::unordered_map<std::uint64_t, int> distance{{Key(solved), 0}};
  std::vector<BossRules> frontier{solved};
  for (int depth = 1; !frontier.empty() && depth <= most; ++depth) {
    std::vector<BossRules> next;
    for (const BossRules& board : frontier) {
      for (BossMove move : kMoves) {
        if (!board.CanMove(move)) continue;
        BossRules after = board;
        after.Move(move);
        if (distance.emplace(Key(after), depth).second) next.push_back(after);
      }
    }
    frontier = std::move(next);
  }
  return distance;
}

int Manhattan(const BossRules& rules) {
  int sum = 0;
  for (int c = 1; c <= rules.BossColumns; ++c) {
    for (int r = 1; r <= rules.BossRows; ++r) {
      const std::int32_t code = rules.Board(c, r);
      if (code < 0) continue;
      const int k = code % BossRules::kColourOffset;
      sum += std::abs(k % rules.BossColumns + 1 - c) + std::abs(k / rules.BossColumns + 1 - r);
    }
  }
  return sum;
}

// A plain IDA* guided by the Manhattan distance: slow, but clearly right.
class ManhattanSearch {
 public:
  int Fewest(BossRules start) {
    for (bound_ = Manhattan(start);; bound_ = next_) {
      next_ = 1 << 30;
      if (Dfs(start, 0, nullptr)) return bound_;
    }
  }

 private:
  bool Dfs(BossRules& board, int depth, const BossMove* undo) {
    const int h = Manhattan(board);
    if (h == 0) return true;
    if (depth + h > bound_) {
      next_ = std::min(next_, depth + h);
      return false;
    }
    for (BossMove move : kMoves) {
      if ((undo && move == *undo) || !board.CanMove(move)) continue;
      BossRules after = board;
      after.Move(move);
      const BossMove back = Opposite(move);
      if (Dfs(after, depth + 1, &back)) return true;
    }
    return false;
  }
  int bound_ = 0;
  int next_ = 0;
};

// Plays the moves through the rules: true when each is allowed and the board
// ends solved.
bool ReplaySolves(BossRules rules, const std::vector<BossMove>& moves) {
  for (BossMove move : moves) {
    if (!rules.CanMove(move)) return false;
    rules.Move(move);
  }
  return rules.IsBossSolved();
}

// A board a given number of random gap steps from solved, never stepping
// straight back.
BossRules Walk(int columns, int rows, int steps, ClockRandom& random) {
  BossRules rules = Solved(columns, rows);
  int last = -1;
  for (int made = 0; made < steps;) {
    const int pick = random.Next(4);
    if ((pick ^ 1) == last || !rules.CanMove(kMoves[pick])) continue;
    rules.Move(kMoves[pick]);
    last = pick;
    ++made;
  }
  return rules;
}

// One solver for the whole run with room for every size's tables, so each is
// built once.
const BossSolver& Solver() {
  static const BossSolver solver(std::size_t{512} << 20);
  return solver;
}

// The sizes whose tables take long to build under the sanitizers (their
// search is the one the 4 x 3 block of larger boards uses too).
bool SlowUnderSanitizers(int columns, int rows) {
  return kSanitized && columns * rows >= 12 && columns * rows <= 16 && !(columns == 4 && rows == 3);
}

}  // namespace

class BossSolverTest : public QObject {
  Q_OBJECT

 private slots:
  void everySmallBoardInFewestMoves_data();
  void everySmallBoardInFewestMoves();
  void boardsNearSolvedInFewestMoves_data();
  void boardsNearSolvedInFewestMoves();
  void largerBoardsInFewestMoves_data();
  void largerBoardsInFewestMoves();
  void mixesOfEverySizeAreSolved();
  void followingFirstMovesKeepsToTheWay();
  void solvedBoardNeedsNoMoves();
  void malformedBoards_data();
  void malformedBoards();
  void cancelledSolveGivesNoSolution();
  void sizesTakenInTurnWithoutRoomToKeepTables();
};

void BossSolverTest::everySmallBoardInFewestMoves_data() {
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("rows");
  QTest::newRow("3 x 2") << 3 << 2;
  QTest::newRow("4 x 2") << 4 << 2;
  QTest::newRow("3 x 3") << 3 << 3;
}

void BossSolverTest::everySmallBoardInFewestMoves() {
  QFETCH(int, columns);
  QFETCH(int, rows);
  const auto distance = AllDistances(columns, rows);
  // Half of all arrangements: those whose parity play can reach.
  std::size_t all = 1;
  for (int i = 2; i <= columns * rows; ++i)
    all *= static_cast<std::size_t>(i);
  QCOMPARE(distance.size(), all / 2);

  const BossSolver& solver = Solver();
  const std::size_t every = kSanitized && columns * rows == 9 ? 37 : 1;
  std::size_t i = 0;
  for (const auto& [key, fewest] : distance) {
    if (i++ % every != 0) continue;
    const BossRules board = FromHomes(columns, rows, HomesOf(key, columns * rows));
    const auto moves = solver.Solve(board);
    QVERIFY2(moves.has_value(), qPrintable(QString::number(key, 16)));
    QCOMPARE(static_cast<int>(moves->size()), fewest);
    QVERIFY2(ReplaySolves(board, *moves), qPrintable(QString::number(key, 16)));
  }
}

void BossSolverTest::boardsNearSolvedInFewestMoves_data() {
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("rows");
  QTest::addColumn<int>("most");
  QTest::newRow("4 x 4") << 4 << 4 << 14;
  QTest::newRow("5 x 3") << 5 << 3 << 13;
  QTest::newRow("3 x 5") << 3 << 5 << 13;
}

// Every board a few moves from solved, where every tile's table entries are
// read near home, in each grouping and mirrored: a bound that is ever too
// high there shows as a solution longer than the breadth-first distance.
void BossSolverTest::boardsNearSolvedInFewestMoves() {
  QFETCH(int, columns);
  QFETCH(int, rows);
  QFETCH(int, most);
  if (SlowUnderSanitizers(columns, rows)) QSKIP("table build too slow under the sanitizers");
  const auto distance = AllDistances(columns, rows, most);
  const BossSolver& solver = Solver();
  for (const auto& [key, fewest] : distance) {
    const BossRules board = FromHomes(columns, rows, HomesOf(key, columns * rows));
    const auto moves = solver.Solve(board);
    QVERIFY2(moves.has_value(), qPrintable(QString::number(key, 16)));
    QCOMPARE(static_cast<int>(moves->size()), fewest);
    QVERIFY2(ReplaySolves(board, *moves), qPrintable(QString::number(key, 16)));
  }
}

void BossSolverTest::largerBoardsInFewestMoves_data() {
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("rows");
  QTest::addColumn<int>("steps");
  QTest::newRow("4 x 3") << 4 << 3 << 60;
  QTest::newRow("5 x 2") << 5 << 2 << 60;
  QTest::newRow("4 x 4") << 4 << 4 << 40;
  QTest::newRow("5 x 3") << 5 << 3 << 40;
  QTest::newRow("3 x 5") << 3 << 5 << 40;
  QTest::newRow("7 x 2") << 7 << 2 << 40;
}

void BossSolverTest::largerBoardsInFewestMoves() {
  QFETCH(int, columns);
  QFETCH(int, rows);
  QFETCH(int, steps);
  if (SlowUnderSanitizers(columns, rows)) QSKIP("table build too slow under the sanitizers");
  ClockRandom random(static_cast<std::uint32_t>(columns * 10 + rows));
  const BossSolver& solver = Solver();
  for (int i = 0; i < (kSanitized ? 2 : 8); ++i) {
    const BossRules board = Walk(columns, rows, steps, random);
    const int fewest = ManhattanSearch().Fewest(board);
    const auto moves = solver.Solve(board);
    QVERIFY(moves.has_value());
    QCOMPARE(static_cast<int>(moves->size()), fewest);
    QVERIFY(ReplaySolves(board, *moves));
  }
}

void BossSolverTest::mixesOfEverySizeAreSolved() {
  const BossSolver& solver = Solver();
  for (int columns = BossRules::kMinColumns; columns <= BossRules::kMaxColumns; ++columns) {
    for (int rows = BossRules::kMinRows; rows <= BossRules::kMaxRows; ++rows) {
      if (SlowUnderSanitizers(columns, rows)) continue;
      const bool hard = columns * rows >= 14 && columns * rows <= 16;
      const int mixes = kSanitized ? (hard ? 1 : 4) : (hard ? 20 : 100);
      ClockRandom random(static_cast<std::uint32_t>(columns * 100 + rows));
      for (int i = 0; i < mixes; ++i) {
        BossRules board;
        board.BossColumns = columns;
        board.BossRows = rows;
        board.SetUpBossBoard(random);
        const auto moves = solver.Solve(board);
        const QString where = QString("%1 x %2, mix %3").arg(columns).arg(rows).arg(i);
        QVERIFY2(moves.has_value(), qPrintable(where));
        QVERIFY2(ReplaySolves(board, *moves), qPrintable(where));
        // No solution is shorter than the tiles' distances from home.
        QVERIFY2(static_cast<int>(moves->size()) >= Manhattan(board), qPrintable(where));
      }
    }
  }
}

// A player who follows the hints on a larger board, one first move after the
// other, gets there in no more moves than the first hint's solution had, and
// no later solution is longer than what was left of the one before.
void BossSolverTest::followingFirstMovesKeepsToTheWay() {
  const BossSolver& solver = Solver();
  ClockRandom random(75);
  for (auto [columns, rows] : {std::pair{7, 5}, std::pair{5, 4}}) {
    if (kSanitized && columns == 7) continue;
    BossRules board;
    board.BossColumns = columns;
    board.BossRows = rows;
    board.SetUpBossBoard(random);
    const QString wrong = zt::test::FollowFirstMoves(
        board, [&](const BossRules& rules) { return solver.Solve(rules); },
        [](BossRules& rules, BossMove move) {
          if (!rules.CanMove(move)) return false;
          rules.Move(move);
          return true;
        },
        [](const BossRules& rules) { return rules.IsBossSolved(); });
    QVERIFY2(wrong.isEmpty(), qPrintable(QString("%1 x %2: %3").arg(columns).arg(rows).arg(wrong)));
  }
}

void BossSolverTest::solvedBoardNeedsNoMoves() {
  const BossSolver& solver = Solver();
  for (int columns = BossRules::kMinColumns; columns <= BossRules::kMaxColumns; ++columns) {
    for (int rows = BossRules::kMinRows; rows <= BossRules::kMaxRows; ++rows) {
      const auto moves = solver.Solve(Solved(columns, rows));
      QVERIFY(moves.has_value());
      QVERIFY2(moves->empty(), qPrintable(QString("%1 x %2").arg(columns).arg(rows)));
    }
  }
}

void BossSolverTest::malformedBoards_data() {
  QTest::addColumn<std::vector<int>>("homes");
  QTest::addColumn<int>("tweak");
  // 3 x 3 boards; tweak 1 repaints tile 0 in the other colour, 2 moves the
  // recorded gap away from the gap cell.
  QTest::newRow("two tiles swapped") << std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, -1} << 0;
  QTest::newRow("a tile twice") << std::vector<int>{0, 0, 2, 3, 4, 5, 6, 7, -1} << 0;
  QTest::newRow("a tile out of range") << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 9, -1} << 0;
  QTest::newRow("two gaps") << std::vector<int>{0, 1, 2, 3, 4, 5, -1, 7, -1} << 0;
  QTest::newRow("tile of the wrong colour") << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, -1} << 1;
  QTest::newRow("gap recorded elsewhere") << std::vector<int>{0, 1, 2, 3, 4, 5, 6, -1, 7} << 2;
}

void BossSolverTest::malformedBoards() {
  QFETCH(std::vector<int>, homes);
  QFETCH(int, tweak);
  BossRules board = FromHomes(3, 3, homes);
  if (tweak == 1) board.Board(1, 1) += BossRules::kColourOffset;
  if (tweak == 2) board.GapColumn = 3;
  QVERIFY(!Solver().Solve(board).has_value());
}

void BossSolverTest::cancelledSolveGivesNoSolution() {
  ClockRandom random(7);
  BossRules board;
  board.BossColumns = 4;
  board.BossRows = 3;
  board.SetUpBossBoard(random);
  const BossSolver& solver = Solver();
  QVERIFY(solver.Solve(board).has_value());  // the tables are built now
  const std::atomic<bool> cancel{true};
  QElapsedTimer clock;
  clock.start();
  for (const auto& [columns, rows] : {std::pair{4, 3}, std::pair{7, 5}}) {
    board.BossColumns = columns;
    board.BossRows = rows;
    board.SetUpBossBoard(random);
    QVERIFY(!solver.Solve(board, &cancel).has_value());
  }
  QVERIFY(clock.elapsed() < 100);
}

void BossSolverTest::sizesTakenInTurnWithoutRoomToKeepTables() {
  // No room: every change of size drops the other size's tables and builds
  // its own again; the answers must not change.
  const BossSolver tight(0);
  ClockRandom random(11);
  for (int round = 0; round < 3; ++round) {
    for (const auto& [columns, rows] : {std::pair{4, 3}, std::pair{3, 3}, std::pair{5, 2}}) {
      BossRules board;
      board.BossColumns = columns;
      board.BossRows = rows;
      board.SetUpBossBoard(random);
      const auto moves = tight.Solve(board);
      const auto reference = Solver().Solve(board);
      const QString where = QString("%1 x %2, round %3").arg(columns).arg(rows).arg(round);
      QVERIFY2(moves.has_value() && reference.has_value(), qPrintable(where));
      QCOMPARE(moves->size(), reference->size());
      QVERIFY2(ReplaySolves(board, *moves), qPrintable(where));
    }
  }
}

ZT_TEST_MAIN(BossSolverTest)
#include "BossSolverTest.moc"
