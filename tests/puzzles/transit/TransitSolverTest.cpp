// The TRANSIT solver: mixes of every pattern and boards of freely shuffled
// cells followed turn by turn through the rules to the pattern, boards a turn
// or two from the pattern against a breadth-first search written here over
// the rules' own turns, and the boards it must refuse.
#include <QtTest>
#include <algorithm>
#include <atomic>
#include <optional>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "puzzles/core/Random.h"
#include "puzzles/transit/TransitRules.h"
#include "puzzles/transit/TransitSolver.h"
#include "tests/common/SolverTestKit.h"
#include "tests/common/TestMain.h"

using zt::ClockRandom;
using zt::TransitDirection;
using zt::TransitMove;
using zt::TransitRules;
using zt::TransitSolver;
using zt::test::kSanitized;

namespace {

constexpr int kN = TransitRules::kSize;

std::vector<TransitMove> AllTurns() {
  std::vector<TransitMove> turns;
  for (TransitDirection direction : {TransitDirection::Left, TransitDirection::Right,
                                     TransitDirection::Up, TransitDirection::Down}) {
    for (int line = 0; line < kN; ++line)
      turns.push_back({direction, line});
  }
  return turns;
}

TransitRules Finished(int pattern) {
  TransitRules rules;
  rules.TransitPattern = pattern;
  rules.TransitBoard = rules.Target();
  return rules;
}

// Plays the moves through the rules; false on a move no press can make.
bool Replay(TransitRules& rules, const std::vector<TransitMove>& moves) {
  for (const TransitMove& move : moves) {
    if (move.line < 0 || move.line >= kN) return false;
    rules.RotateTransitLine(move.direction, move.line);
  }
  return true;
}

bool SameMove(const TransitMove& a, const TransitMove& b) {
  return a.direction == b.direction && a.line == b.line;
}

// The solutions are tidied: no turn is taken straight back, and no line turns
// four times in a row the same way (three the other way round are shorter).
QString Untidy(const std::vector<TransitMove>& moves) {
  int run = 1;
  for (std::size_t i = 1; i < moves.size(); ++i) {
    if (SameMove(moves[i], zt::Opposite(moves[i - 1])))
      return QStringLiteral("move %1 undoes move %2").arg(i).arg(i - 1);
    run = SameMove(moves[i], moves[i - 1]) ? run + 1 : 1;
    if (run > kN / 2) return QStringLiteral("move %1 is the 4th same turn in a row").arg(i);
  }
  return {};
}

// The fewest turns from the board to its pattern by breadth-first search over
// the rules' rotations, or -1 when more than `limit` are needed.
int FewestTurns(const TransitRules& start, int limit) {
  if (start.IsTransitPatternBuilt()) return 0;
  std::set<TransitRules::Grid> seen{start.TransitBoard};
  std::vector<TransitRules> layer{start};
  for (int depth = 1; depth <= limit; ++depth) {
    std::vector<TransitRules> next;
    for (const TransitRules& board : layer) {
      for (const TransitMove& turn : AllTurns()) {
        TransitRules moved = board;
        moved.RotateTransitLine(turn.direction, turn.line);
        if (moved.IsTransitPatternBuilt()) return depth;
        if (seen.insert(moved.TransitBoard).second) next.push_back(moved);
      }
    }
    layer = std::move(next);
  }
  return -1;
}

}  // namespace

class TransitSolverTest : public QObject {
  Q_OBJECT

 private slots:
  // First, so that the solves at once are the run's first ones.
  void solvesAtOnceAgree();
  void mixesReachThePattern_data();
  void mixesReachThePattern();
  void shuffledCellsReachThePattern_data();
  void shuffledCellsReachThePattern();
  void nearBoardsInFewestTurns_data();
  void nearBoardsInFewestTurns();
  void finishedBoardGivesNoMoves();
  void followingFirstTurnsKeepsToTheWay_data();
  void followingFirstTurnsKeepsToTheWay();
  void cancelledSolveGivesNoSolution();
  void otherKindsGiveNoSolution_data();
  void otherKindsGiveNoSolution();
};

void TransitSolverTest::mixesReachThePattern_data() {
  QTest::addColumn<int>("pattern");
  for (int pattern = 1; pattern <= TransitRules::kPatternCount; ++pattern)
    QTest::addRow("pattern %d", pattern) << pattern;
  // A stored pattern number out of range plays as the nearest pattern.
  QTest::addRow("pattern 0") << 0;
  QTest::addRow("pattern 23") << 23;
}

void TransitSolverTest::mixesReachThePattern() {
  QFETCH(int, pattern);
  const int mixes = kSanitized ? 4 : (pattern >= 1 && pattern <= 22 ? 100 : 10);
  ClockRandom random(static_cast<std::uint32_t>(7000 + pattern));
  const TransitSolver solver;
  for (int i = 0; i < mixes; ++i) {
    TransitRules rules;
    rules.TransitPattern = pattern;
    rules.SetUpTransitBoard(random);
    const auto moves = solver.Solve(rules);
    QVERIFY2(moves.has_value(), qPrintable(QStringLiteral("mix %1 unsolved").arg(i)));
    const QString untidy = Untidy(*moves);
    QVERIFY2(untidy.isEmpty(), qPrintable(QStringLiteral("mix %1: %2").arg(i).arg(untidy)));
    QVERIFY(Replay(rules, *moves));
    QVERIFY2(rules.IsTransitPatternBuilt(), qPrintable(QStringLiteral("mix %1").arg(i)));
  }
}

void TransitSolverTest::followingFirstTurnsKeepsToTheWay_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("mixes");
  QTest::addRow("pattern 7") << 7 << (kSanitized ? 1 : 3);
  if (!kSanitized) {
    QTest::addRow("pattern 10") << 10 << 3;
    QTest::addRow("pattern 22") << 22 << 3;
  }
}

// A player who follows the hints, one first turn after the other, gets there
// in no more turns than the first hint's solution had, and no later solution
// is longer than what was left of the one before. Solutions built afresh from
// each board differ, and following them used to go round in circles.
void TransitSolverTest::followingFirstTurnsKeepsToTheWay() {
  QFETCH(int, pattern);
  QFETCH(int, mixes);
  ClockRandom random(static_cast<std::uint32_t>(pattern));
  for (int i = 0; i < mixes; ++i) {
    const TransitSolver solver;
    TransitRules rules;
    rules.TransitPattern = pattern;
    rules.SetUpTransitBoard(random);
    const QString wrong = zt::test::FollowFirstMoves(
        rules, [&](const TransitRules& board) { return solver.Solve(board); },
        [](TransitRules& board, const TransitMove& move) {
          board.RotateTransitLine(move.direction, move.line);
          return true;
        },
        [](const TransitRules& board) { return board.IsTransitPatternBuilt(); });
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("mix %1: %2").arg(i).arg(wrong)));
  }
}

// Boards no mix would make, with the pattern's cells in any order at all: an
// odd order needs two cells of one kind to trade places.
void TransitSolverTest::shuffledCellsReachThePattern_data() {
  QTest::addColumn<int>("pattern");
  for (int pattern : {1, 6, 14, 16, 22})
    QTest::addRow("pattern %d", pattern) << pattern;
}

void TransitSolverTest::shuffledCellsReachThePattern() {
  QFETCH(int, pattern);
  ClockRandom random(static_cast<std::uint32_t>(9000 + pattern));
  const TransitSolver solver;
  for (int i = 0; i < (kSanitized ? 2 : 20); ++i) {
    TransitRules rules = Finished(pattern);
    // Fisher-Yates over the 49 cells; the odd shuffles are kept by the last swap.
    for (int cell = kN * kN - 1; cell > 0; --cell) {
      const int other = random.Next(cell + 1);
      std::swap(rules.TransitBoard[cell % kN][cell / kN],
                rules.TransitBoard[other % kN][other / kN]);
    }
    const auto moves = solver.Solve(rules);
    QVERIFY2(moves.has_value(), qPrintable(QStringLiteral("board %1 unsolved").arg(i)));
    QVERIFY(Replay(rules, *moves));
    QVERIFY2(rules.IsTransitPatternBuilt(), qPrintable(QStringLiteral("board %1").arg(i)));
  }
}

// Every board one turn away and a spread of boards two turns away, for
// patterns of few and many kinds (in 16 the columns hold one kind each, so a
// column turn changes nothing, and two turns can undo each other).
void TransitSolverTest::nearBoardsInFewestTurns_data() {
  QTest::addColumn<int>("pattern");
  for (int pattern : {1, 5, 9, 15, 16, 22})
    QTest::addRow("pattern %d", pattern) << pattern;
}

void TransitSolverTest::nearBoardsInFewestTurns() {
  QFETCH(int, pattern);
  const std::vector<TransitMove> turns = AllTurns();
  const TransitSolver solver;
  std::vector<std::vector<TransitMove>> away;
  for (const TransitMove& turn : turns)
    away.push_back({turn});
  const std::size_t step = kSanitized ? 97 : 5;
  for (std::size_t i = 0; i < turns.size() * turns.size(); i += step)
    away.push_back({turns[i / turns.size()], turns[i % turns.size()]});
  for (const auto& made : away) {
    TransitRules rules = Finished(pattern);
    Replay(rules, made);
    const int fewest = FewestTurns(rules, 2);
    QVERIFY(fewest >= 0);
    const auto moves = solver.Solve(rules);
    QVERIFY(moves.has_value());
    const QString where = QStringLiteral("%1 turn(s) made, %2 needed, %3 given")
                              .arg(made.size())
                              .arg(fewest)
                              .arg(moves->size());
    QVERIFY2(static_cast<int>(moves->size()) <= fewest, qPrintable(where));
    QVERIFY2(Replay(rules, *moves) && rules.IsTransitPatternBuilt(), qPrintable(where));
  }
}

void TransitSolverTest::finishedBoardGivesNoMoves() {
  const TransitSolver solver;
  for (int pattern = 1; pattern <= TransitRules::kPatternCount; ++pattern) {
    const auto moves = solver.Solve(Finished(pattern));
    QVERIFY(moves.has_value());
    QVERIFY(moves->empty());
  }
  // In pattern 16 a turned column is still the pattern.
  TransitRules rules = Finished(16);
  rules.RotateTransitColumn(3, TransitDirection::Up);
  const auto moves = solver.Solve(rules);
  QVERIFY(moves.has_value() && moves->empty());
}

void TransitSolverTest::cancelledSolveGivesNoSolution() {
  const TransitSolver solver;
  ClockRandom random(5);
  for (int pattern : {1, 16, 22}) {
    TransitRules rules;
    rules.TransitPattern = pattern;
    rules.SetUpTransitBoard(random);
    const std::atomic<bool> cancel{true};
    QVERIFY(!solver.Solve(rules, &cancel).has_value());
    // The same board, not cancelled, is solved: the refusal came from the flag.
    const std::atomic<bool> go{false};
    QVERIFY(solver.Solve(rules, &go).has_value());
  }
}

// Solves on two threads at once, the first ones of the run among them (the
// last line's table is built then), give what one thread alone gives.
void TransitSolverTest::solvesAtOnceAgree() {
  std::vector<TransitRules> boards;
  ClockRandom random(11);
  for (int i = 0; i < (kSanitized ? 4 : 16); ++i) {
    TransitRules rules;
    rules.TransitPattern = 1 + i % TransitRules::kPatternCount;
    rules.SetUpTransitBoard(random);
    boards.push_back(rules);
  }
  const TransitSolver solver;
  using Solution = std::optional<std::vector<TransitMove>>;
  std::vector<Solution> first(boards.size());
  std::vector<Solution> second(boards.size());
  std::thread other([&] {
    for (std::size_t i = 0; i < boards.size(); ++i)
      second[i] = solver.Solve(boards[i]);
  });
  for (std::size_t i = boards.size(); i-- > 0;)
    first[i] = solver.Solve(boards[i]);
  other.join();
  for (std::size_t i = 0; i < boards.size(); ++i) {
    QVERIFY(first[i].has_value() && second[i].has_value());
    QCOMPARE(first[i]->size(), second[i]->size());
    QVERIFY(std::equal(first[i]->begin(), first[i]->end(), second[i]->begin(), SameMove));
  }
}

// A board whose kinds are not the pattern's cannot be turned into it.
void TransitSolverTest::otherKindsGiveNoSolution_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("kind");
  QTest::addRow("one 0 made a 1") << 1 << 0 << 0 << 1;
  QTest::addRow("one 6 made a 5") << 16 << 6 << 2 << 5;
  QTest::addRow("a kind the patterns never use") << 22 << 3 << 3 << 7;
  QTest::addRow("a kind beyond the picture map") << 9 << 1 << 5 << 255;
}

void TransitSolverTest::otherKindsGiveNoSolution() {
  QFETCH(int, pattern);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(int, kind);
  ClockRandom random(static_cast<std::uint32_t>(pattern));
  TransitRules rules;
  rules.TransitPattern = pattern;
  rules.SetUpTransitBoard(random);
  rules.TransitBoard[column][row] = static_cast<std::uint8_t>(kind);
  QVERIFY(!TransitSolver().Solve(rules).has_value());
  // Also when the changed cell is the only one out of place.
  TransitRules near = Finished(pattern);
  near.TransitBoard[column][row] = static_cast<std::uint8_t>(kind);
  QVERIFY(!TransitSolver().Solve(near).has_value());
}

ZT_TEST_MAIN(TransitSolverTest)
#include "TransitSolverTest.moc"
