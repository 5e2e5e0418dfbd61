// The TILZ solver against a plain breadth-first search written here from the
// rules alone: the start layouts' fewest pushes, boards met in play, the four
// corners of level 5 one after another, and the boards it must refuse.
#include <QtTest>
#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <vector>

#include "puzzles/core/Random.h"
#include "puzzles/tilz/TilzRules.h"
#include "puzzles/tilz/TilzSolver.h"
#include "tests/common/SolverTestKit.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/tilz/TilzBoards.h"

using zt::ClockRandom;
using zt::TilzMove;
using zt::TilzProgress;
using zt::TilzPush;
using zt::TilzRules;
using zt::TilzSolver;
using zt::test::BoardFromRows;
using zt::test::BoardText;

namespace {

constexpr TilzPush kPushes[] = {TilzPush::Right, TilzPush::Up, TilzPush::Left, TilzPush::Down};

bool OnTarget(const TilzRules& rules) {
  const TilzRules::Target t = rules.CurrentTarget();
  return rules.Cell(t.column, t.row) == TilzRules::kBig;
}

// The fewest pushes to the current target, by brute force: whole boards as
// keys, every cell tried with every push. -1 when the target cannot be reached.
int ReferencePushes(const TilzRules& start) {
  if (OnTarget(start)) return 0;
  std::map<TilzRules::Board, int> seen{{start.TilzBoard, 0}};
  std::vector<TilzRules::Board> frontier{start.TilzBoard};
  TilzRules probe = start;
  for (int depth = 1; !frontier.empty(); ++depth) {
    std::vector<TilzRules::Board> next;
    for (const TilzRules::Board& board : frontier) {
      for (int c = 0; c < TilzRules::kColumns; ++c) {
        for (int r = 0; r < TilzRules::kRows; ++r) {
          for (TilzPush push : kPushes) {
            probe.TilzBoard = board;
            if (!probe.PushPlate(c, r, push)) continue;
            if (!seen.emplace(probe.TilzBoard, depth).second) continue;
            if (OnTarget(probe)) return depth;
            next.push_back(probe.TilzBoard);
          }
        }
      }
    }
    frontier = std::move(next);
  }
  return -1;
}

// Plays the moves through the rules; empty when one of them is refused.
std::optional<TilzRules> Replay(TilzRules rules, const std::vector<TilzMove>& moves) {
  for (const TilzMove& m : moves) {
    if (!rules.PushPlate(m.column, m.row, m.push)) return std::nullopt;
  }
  return rules;
}

// A board as play leaves it: random presses on random cells, each push
// followed by the solved test as in the game, so level 5 moves through its
// corners too.
TilzRules BoardAfterPlay(int level, int pushes, ClockRandom& random) {
  TilzRules rules;
  rules.TilzLevel = level;
  rules.SetUpTilzBoard();
  for (int made = 0; made < pushes;) {
    const int c = random.Next(TilzRules::kColumns);
    const int r = random.Next(TilzRules::kRows);
    if (!rules.PushPlate(c, r, kPushes[random.Next(4)])) continue;
    ++made;
    rules.StepTilzTarget();
  }
  return rules;
}

QString MovesText(const std::vector<TilzMove>& moves) {
  QString text;
  for (const TilzMove& m : moves)
    text += QString(" (%1,%2)%3").arg(m.column).arg(m.row).arg(static_cast<int>(m.push));
  return text;
}

}  // namespace

class TilzSolverTest : public QObject {
  Q_OBJECT

 private slots:
  void startLayouts_data();
  void startLayouts();
  void level5CornerByCorner();
  void boardsFromPlay_data();
  void boardsFromPlay();
  void boardsWithOtherPlates_data();
  void boardsWithOtherPlates();
  void boardOnTargetNeedsNoMoves_data();
  void boardOnTargetNeedsNoMoves();
  void malformedBoards_data();
  void malformedBoards();
  void cancelledSolveGivesNoSolution();
};

void TilzSolverTest::startLayouts_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("pushes");
  QTest::newRow("level 1") << 1 << 41;
  QTest::newRow("level 2") << 2 << 116;
  QTest::newRow("level 3") << 3 << 131;
  QTest::newRow("level 4") << 4 << 73;
}

void TilzSolverTest::startLayouts() {
  QFETCH(int, level);
  QFETCH(int, pushes);
  TilzRules rules;
  rules.TilzLevel = level;
  rules.SetUpTilzBoard();

  QCOMPARE(ReferencePushes(rules), pushes);
  const auto moves = TilzSolver().Solve(rules);
  QVERIFY(moves.has_value());
  QCOMPARE(static_cast<int>(moves->size()), pushes);
  const auto end = Replay(rules, *moves);
  QVERIFY2(end.has_value(), qPrintable(MovesText(*moves)));
  QVERIFY(OnTarget(*end));
  TilzRules solved = *end;
  QCOMPARE(solved.StepTilzTarget(), TilzProgress::Solved);
  // Only the last push reaches the target: the solved test would have
  // stopped the game earlier otherwise.
  for (std::size_t n = 0; n + 1 < moves->size(); ++n) {
    const auto part = Replay(rules, {moves->begin(), moves->begin() + n + 1});
    QVERIFY(!OnTarget(*part));
  }
}

void TilzSolverTest::level5CornerByCorner() {
  TilzRules rules;
  rules.TilzLevel = 5;
  rules.SetUpTilzBoard();
  for (int corner = 0; corner < TilzRules::kLevel5Targets; ++corner) {
    QCOMPARE(rules.TilzTargetPhase, corner);
    const auto moves = TilzSolver().Solve(rules);
    QVERIFY(moves.has_value());
    QCOMPARE(static_cast<int>(moves->size()), ReferencePushes(rules));
    const auto end = Replay(rules, *moves);
    QVERIFY(end.has_value());
    rules = *end;
    QVERIFY(OnTarget(rules));
    QCOMPARE(rules.StepTilzTarget(),
             corner < 3 ? TilzProgress::PhaseAdvanced : TilzProgress::Solved);
  }
}

void TilzSolverTest::boardsFromPlay_data() {
  QTest::addColumn<int>("level");
  for (int level = 1; level <= TilzRules::kLevels; ++level)
    QTest::addRow("level %d", level) << level;
}

void TilzSolverTest::boardsFromPlay() {
  QFETCH(int, level);
  // Every board is followed to its target; every 25th is also measured
  // against the reference search.
  const int boards = zt::test::kSanitized ? 20 : 100;
  ClockRandom random(static_cast<std::uint32_t>(1000 + level));
  const TilzSolver solver;  // one for the whole game, as a player's hints use it
  for (int i = 0; i < boards; ++i) {
    const TilzRules rules = BoardAfterPlay(level, random.Next(400), random);
    const auto moves = solver.Solve(rules);
    QVERIFY2(moves.has_value(), qPrintable(BoardText(rules.TilzBoard)));
    const auto end = Replay(rules, *moves);
    QVERIFY2(end.has_value(), qPrintable(BoardText(rules.TilzBoard) + MovesText(*moves)));
    QVERIFY(OnTarget(*end));
    if (i % 25 == 0) {
      QCOMPARE(static_cast<int>(moves->size()), ReferencePushes(rules));
    }
  }
}

void TilzSolverTest::boardsWithOtherPlates_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<QStringList>("rows");
  // The narrow levels with a plate swapped for others: no play from a level's
  // start reaches these, so the solver has to search rather than look up.
  QTest::newRow("level 1, small plates for the tall ones")
      << 1 << QStringList{"#1256#", "#3456#", "#99..#", "#9956#", "#9956#"};
  // Jammed: the big plate can never reach its target.
  QTest::newRow("level 1, a wide plate for the two small ones")
      << 1 << QStringList{"#1256#", "#3456#", "#56..#", "#7756#", "#8856#"};
  QTest::newRow("level 2, two small plates for the wide one")
      << 2 << QStringList{"#7127#", "#8348#", "#7997#", "#8998#", "#9..9#"};
  QTest::newRow("level 3, two small plates for a wide one")
      << 3 << QStringList{"#9129#", "#7347#", "#87.8#", "#98.9#", "#9956#"};
}

void TilzSolverTest::boardsWithOtherPlates() {
  QFETCH(int, level);
  QFETCH(QStringList, rows);
  TilzRules rules;
  rules.TilzLevel = level;
  rules.TilzBoard = BoardFromRows(rows);
  const int pushes = ReferencePushes(rules);
  const TilzSolver solver;
  const auto moves = solver.Solve(rules);
  QCOMPARE(moves.has_value(), pushes > 0);
  if (!moves) return;
  QCOMPARE(static_cast<int>(moves->size()), pushes);
  const auto end = Replay(rules, *moves);
  QVERIFY2(end.has_value(), qPrintable(MovesText(*moves)));
  QVERIFY(OnTarget(*end));

  // The level's own start still solves shortest with the same solver.
  rules.SetUpTilzBoard();
  const auto fromStart = solver.Solve(rules);
  QVERIFY(fromStart.has_value());
  QCOMPARE(static_cast<int>(fromStart->size()), ReferencePushes(rules));
}

void TilzSolverTest::boardOnTargetNeedsNoMoves_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("phase");
  QTest::addColumn<QStringList>("rows");
  QTest::newRow("level 1") << 1 << 0
                           << QStringList{"#5656#", "#5656#", "#99..#", "#7712#", "#8834#"};
  QTest::newRow("level 4") << 4 << 0
                           << QStringList{"565656", "565656", "99..99", "565612", "565634"};
  QTest::newRow("level 5, last corner")
      << 5 << 3 << QStringList{"565656", "565656", "..9999", "125656", "345656"};
}

void TilzSolverTest::boardOnTargetNeedsNoMoves() {
  QFETCH(int, level);
  QFETCH(int, phase);
  QFETCH(QStringList, rows);
  TilzRules rules;
  rules.TilzLevel = level;
  rules.TilzTargetPhase = phase;
  rules.TilzBoard = BoardFromRows(rows);
  QVERIFY(OnTarget(rules));
  const auto moves = TilzSolver().Solve(rules);
  QVERIFY(moves.has_value());
  QVERIFY2(moves->empty(), qPrintable(MovesText(*moves)));

  // The same board one corner earlier has somewhere to go.
  if (level == 5) {
    rules.TilzTargetPhase = 2;
    const auto toCorner = TilzSolver().Solve(rules);
    QVERIFY(toCorner.has_value());
    QCOMPARE(static_cast<int>(toCorner->size()), ReferencePushes(rules));
    QVERIFY(!toCorner->empty());
  }
}

void TilzSolverTest::malformedBoards_data() {
  QTest::addColumn<QStringList>("rows");
  QTest::newRow("no big plate") << QStringList{"565656", "565656", "99..77", "565688", "565699"};
  QTest::newRow("two big plates") << QStringList{"121256", "343456", "99..77", "565688", "565699"};
  QTest::newRow("big plate without its bottom half")
      << QStringList{"125656", "995656", "99..77", "565688", "565699"};
  QTest::newRow("wide plate without its right half")
      << QStringList{"125956", "345656", "99..77", "565688", "565699"};
  QTest::newRow("stray lower half of a tall plate")
      << QStringList{"125656", "345656", "99..99", "565688", "565699"};
  QTest::newRow("three free cells")
      << QStringList{"125656", "345656", "99...9", "565699", "565699"};
  QTest::newRow("plate halves swapped")
      << QStringList{"216556", "435656", "99..77", "565688", "565699"};
}

void TilzSolverTest::malformedBoards() {
  QFETCH(QStringList, rows);
  TilzRules rules;
  rules.TilzLevel = 4;
  rules.TilzBoard = BoardFromRows(rows);
  QVERIFY(!TilzSolver().Solve(rules).has_value());

  // A code no plate has.
  rules.TilzLevel = 4;
  rules.SetUpTilzBoard();
  rules.TilzBoard[12] = 11;
  QVERIFY(!TilzSolver().Solve(rules).has_value());
}

void TilzSolverTest::cancelledSolveGivesNoSolution() {
  TilzRules rules;
  rules.TilzLevel = 3;
  rules.SetUpTilzBoard();
  const std::atomic<bool> cancelled{true};
  const auto start = std::chrono::steady_clock::now();
  QVERIFY(!TilzSolver().Solve(rules, &cancelled).has_value());
  QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(50));

  const std::atomic<bool> running{false};
  QVERIFY(TilzSolver().Solve(rules, &running).has_value());
}

ZT_TEST_MAIN(TilzSolverTest)
#include "TilzSolverTest.moc"
