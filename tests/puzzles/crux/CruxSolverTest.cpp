// The CRUX solver against a breadth-first search written here over the rules'
// own slides (CruxCanShift and ShiftCrux), and mixes followed slide by slide
// through the rules to the pattern.
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "puzzles/core/Random.h"
#include "puzzles/crux/CruxRules.h"
#include "puzzles/crux/CruxSolver.h"
#include "tests/common/SolverTestKit.h"
#include "tests/common/TestMain.h"

using zt::ClockRandom;
using zt::CruxRules;
using zt::CruxSolver;
using zt::test::kSanitized;

namespace {

// The finished pattern, laid out without mixing.
CruxRules Built(int pattern) {
  CruxRules rules;
  rules.CruxPattern = pattern;
  for (int x = CruxRules::kBlockFirst; x < CruxRules::kBlockFirst + CruxRules::kBlockSize; ++x) {
    for (int y = CruxRules::kBlockFirst; y < CruxRules::kBlockFirst + CruxRules::kBlockSize; ++y)
      rules.CruxBoard[x][y] = rules.PatternValue(x, y);
  }
  return rules;
}

std::string Key(const CruxRules& rules) {
  std::string key;
  for (const auto& column : rules.CruxBoard)
    key.append(column.begin(), column.end());
  return key;
}

// Every board within `depth` slides of the pattern, with its fewest slides,
// found by a plain breadth-first search over the rules' slides.
std::map<std::string, std::pair<CruxRules, int>> Around(int pattern, int depth) {
  const CruxRules goal = Built(pattern);
  std::map<std::string, std::pair<CruxRules, int>> seen{{Key(goal), {goal, 0}}};
  std::vector<CruxRules> layer{goal};
  for (int d = 1; d <= depth; ++d) {
    std::vector<CruxRules> next;
    for (const CruxRules& board : layer) {
      for (int direction = 0; direction < CruxRules::kDirections; ++direction) {
        if (!board.CruxCanShift(direction)) continue;
        CruxRules after = board;
        after.ShiftCrux(direction);
        if (seen.emplace(Key(after), std::pair{after, d}).second) next.push_back(after);
      }
    }
    layer = std::move(next);
  }
  return seen;
}

// Follows the slides through the rules; empty when one of them is refused.
std::optional<CruxRules> Replay(CruxRules rules, const std::vector<int>& slides) {
  for (int direction : slides) {
    if (direction < 0 || direction >= CruxRules::kDirections || !rules.CruxCanShift(direction))
      return std::nullopt;
    rules.ShiftCrux(direction);
  }
  return rules;
}

QString SlidesText(const std::vector<int>& slides) {
  QString text;
  for (int direction : slides)
    text += QString::number(direction);
  return text;
}

}  // namespace

class CruxSolverTest : public QObject {
  Q_OBJECT
 private slots:
  void fewestSlidesNearPattern_data();
  void fewestSlidesNearPattern();
  void mixesReachPattern_data();
  void mixesReachPattern();
  void builtPatternNeedsNoSlides();
  void brokenBoards_data();
  void brokenBoards();
  void cancelledSolveGivesNoSolution();
  void outOfTimeSettlesForShortSolution_data();
  void outOfTimeSettlesForShortSolution();
  void solvesOnSeveralThreadsAgree();
  void followingFirstSlidesKeepsToTheWay_data();
  void followingFirstSlidesKeepsToTheWay();
};

void CruxSolverTest::fewestSlidesNearPattern_data() {
  QTest::addColumn<int>("pattern");
  // Patterns whose tables build fast enough for a unit test: one number with
  // few pieces, pairs, several numbers, and pieces each of their own.
  for (int pattern : {1, 6, 14, 16})
    QTest::newRow(qPrintable(QString("pattern %1").arg(pattern))) << pattern;
}

// Every board up to eight slides from the pattern (five under the sanitizers)
// gets exactly as many slides as the breadth-first search needs, and they
// bring it back.
void CruxSolverTest::fewestSlidesNearPattern() {
  QFETCH(int, pattern);
  const int depth = kSanitized ? 5 : 8;
  const auto boards = Around(pattern, depth);
  const CruxSolver solver(CruxSolver::kNoTimeLimit);
  std::map<int, int> perDistance;
  for (const auto& [key, entry] : boards) {
    const auto& [board, distance] = entry;
    const auto solution = solver.SolveWithProof(board);
    QVERIFY(solution.has_value());
    QVERIFY(solution->fewest);
    const auto& slides = solution->slides;
    QCOMPARE(static_cast<int>(slides.size()), distance);
    const auto end = Replay(board, slides);
    QVERIFY2(end.has_value(), qPrintable(SlidesText(slides)));
    QVERIFY2(end->IsCruxPatternBuilt(), qPrintable(SlidesText(slides)));
    ++perDistance[distance];
  }
  // The search above really went that deep.
  QVERIFY(perDistance[depth] > 0);
}

void CruxSolverTest::mixesReachPattern_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("mixes");
  // The patterns whose tables build fast (fewer under the sanitizers); the
  // benchmark follows mixes of every pattern through the rules.
  const std::vector<int> patterns =
      kSanitized ? std::vector<int>{1, 6, 16} : std::vector<int>{1, 6, 10, 11, 12, 13, 14, 16};
  for (int pattern : patterns)
    QTest::newRow(qPrintable(QString("pattern %1").arg(pattern)))
        << pattern << (kSanitized ? 3 : 10);
}

// Boards a few dozen random slide attempts from the pattern: the solution is
// allowed slide by slide and ends in the pattern, and is never longer than
// the slides that made the board.
void CruxSolverTest::mixesReachPattern() {
  QFETCH(int, pattern);
  QFETCH(int, mixes);
  ClockRandom random(static_cast<std::uint32_t>(7 * pattern));
  const CruxSolver solver(CruxSolver::kNoTimeLimit);
  for (int i = 0; i < mixes; ++i) {
    CruxRules rules = Built(pattern);
    int made = 0;
    for (int attempt = 0; attempt < 24; ++attempt) {
      const int direction = random.Next(CruxRules::kDirections);
      if (!rules.CruxCanShift(direction)) continue;
      rules.ShiftCrux(direction);
      ++made;
    }
    const auto slides = solver.Solve(rules);
    QVERIFY(slides.has_value());
    QVERIFY(static_cast<int>(slides->size()) <= made);
    const auto end = Replay(rules, *slides);
    QVERIFY2(end.has_value(), qPrintable(SlidesText(*slides)));
    QVERIFY2(end->IsCruxPatternBuilt(), qPrintable(SlidesText(*slides)));
  }
}

void CruxSolverTest::builtPatternNeedsNoSlides() {
  const CruxSolver solver;
  for (int pattern = 1; pattern <= CruxRules::kPatternCount; ++pattern) {
    const auto slides = solver.Solve(Built(pattern));
    QVERIFY(slides.has_value());
    QVERIFY(slides->empty());
  }
}

void CruxSolverTest::brokenBoards_data() {
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::addColumn<int>("value");
  QTest::addColumn<QPoint>("emptied");
  // Pattern 16 one slide right (so the left end pair is empty) with one cell
  // set and maybe one emptied: a piece off the tracks, a number the pattern
  // does not use, a piece missing, a piece too many, and the same pieces with
  // a hole in a baulk (no play opens one).
  const QPoint none(-1, -1);
  QTest::newRow("piece off the tracks") << 0 << 0 << 25 << none;
  QTest::newRow("number not in the pattern") << 3 << 4 << 1 << none;
  QTest::newRow("piece missing") << 5 << 2 << 0 << none;
  QTest::newRow("piece too many") << 0 << 4 << 27 << none;
  QTest::newRow("piece moved off the tracks") << 9 << 9 << 27 << QPoint(8, 4);
  QTest::newRow("hole in the horizontal baulk") << 0 << 4 << 27 << QPoint(8, 4);
  QTest::newRow("hole in the vertical baulk") << 5 << 8 << 25 << QPoint(5, 7);
}

void CruxSolverTest::brokenBoards() {
  QFETCH(int, x);
  QFETCH(int, y);
  QFETCH(int, value);
  QFETCH(QPoint, emptied);
  CruxRules rules = Built(16);
  rules.ShiftCrux(CruxRules::kRight);
  rules.CruxBoard[x][y] = static_cast<std::uint8_t>(value);
  if (emptied.x() >= 0) {
    // The moved piece is really one of the pattern's.
    QCOMPARE(static_cast<int>(rules.Cell(emptied.x(), emptied.y())), value);
    rules.CruxBoard[emptied.x()][emptied.y()] = 0;
  }
  const auto start = std::chrono::steady_clock::now();
  QVERIFY(!CruxSolver().Solve(rules).has_value());
  QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(1));
}

void CruxSolverTest::cancelledSolveGivesNoSolution() {
  // Pattern 7 has five numbers of four pieces each; its mixes need dozens of
  // slides and its first solve builds tables for a while.
  CruxRules rules;
  rules.CruxPattern = 7;
  ClockRandom random(7);
  rules.SetUpCruxBoard(random);
  {
    const std::atomic<bool> cancelled{true};
    const auto start = std::chrono::steady_clock::now();
    QVERIFY(!CruxSolver().Solve(rules, &cancelled).has_value());
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200));
  }
  {
    std::atomic<bool> cancel{false};
    std::optional<std::vector<int>> result{std::vector<int>{}};
    std::chrono::steady_clock::time_point returned;
    std::thread worker([&] {
      result = CruxSolver().Solve(rules, &cancel);
      returned = std::chrono::steady_clock::now();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto cancelledAt = std::chrono::steady_clock::now();
    cancel = true;
    worker.join();
    QVERIFY(!result.has_value());
    QVERIFY(returned - cancelledAt < std::chrono::milliseconds(200));
  }
}

void CruxSolverTest::outOfTimeSettlesForShortSolution_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("mixes");
  // Patterns of many numbers, whose fewest slides take far longer to prove
  // than no time at all; their tables build in about a second.
  QTest::newRow("pattern 16") << 16 << (kSanitized ? 1 : 4);
  if (!kSanitized) QTest::newRow("pattern 11") << 11 << 3;
}

// With no time to look for the fewest slides, a full mix still gets a
// solution that the rules allow and that builds the pattern. It is not called
// the fewest: such mixes need about twice the slides the exact search had
// ruled out when it stopped. A cancel stops the fallback search too.
void CruxSolverTest::outOfTimeSettlesForShortSolution() {
  QFETCH(int, pattern);
  QFETCH(int, mixes);
  const CruxSolver solver(std::chrono::milliseconds(0));
  ClockRandom random(static_cast<std::uint32_t>(pattern));
  for (int i = 0; i < mixes; ++i) {
    CruxRules rules;
    rules.CruxPattern = pattern;
    rules.SetUpCruxBoard(random);
    const auto solution = solver.SolveWithProof(rules);
    QVERIFY(solution.has_value());
    QVERIFY(!solution->fewest);
    const auto end = Replay(rules, solution->slides);
    QVERIFY2(end.has_value(), qPrintable(SlidesText(solution->slides)));
    QVERIFY2(end->IsCruxPatternBuilt(), qPrintable(SlidesText(solution->slides)));
  }
  // The tables are built now, so this cancel lands in the search itself.
  CruxRules rules;
  rules.CruxPattern = pattern;
  rules.SetUpCruxBoard(random);
  std::atomic<bool> cancel{false};
  std::optional<std::vector<int>> result{std::vector<int>{}};
  std::chrono::steady_clock::time_point returned;
  std::thread worker([&] {
    result = solver.Solve(rules, &cancel);
    returned = std::chrono::steady_clock::now();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const auto cancelledAt = std::chrono::steady_clock::now();
  cancel = true;
  worker.join();
  // A search may finish before the cancel; one that is still running stops.
  if (returned > cancelledAt) {
    QVERIFY(!result.has_value());
    QVERIFY(returned - cancelledAt < std::chrono::milliseconds(200));
  }
}

// One solver shared by threads that solve different patterns at once gives
// each the same number of slides as a solver of its own.
void CruxSolverTest::solvesOnSeveralThreadsAgree() {
  std::vector<CruxRules> boards;
  for (int pattern : {1, 6, 16}) {
    ClockRandom random(static_cast<std::uint32_t>(pattern));
    CruxRules rules = Built(pattern);
    for (int attempt = 0; attempt < 40; ++attempt) {
      const int direction = random.Next(CruxRules::kDirections);
      if (rules.CruxCanShift(direction)) rules.ShiftCrux(direction);
    }
    boards.push_back(rules);
  }
  std::vector<std::size_t> alone;
  for (const CruxRules& board : boards) {
    const auto slides = CruxSolver(CruxSolver::kNoTimeLimit).Solve(board);
    QVERIFY(slides.has_value());
    alone.push_back(slides->size());
  }
  const CruxSolver shared(CruxSolver::kNoTimeLimit);
  std::vector<std::optional<std::vector<int>>> together(boards.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < boards.size(); ++i)
    threads.emplace_back([&, i] { together[i] = shared.Solve(boards[i]); });
  for (std::thread& thread : threads)
    thread.join();
  for (std::size_t i = 0; i < boards.size(); ++i) {
    QVERIFY(together[i].has_value());
    QCOMPARE(together[i]->size(), alone[i]);
    const auto end = Replay(boards[i], *together[i]);
    QVERIFY(end.has_value() && end->IsCruxPatternBuilt());
  }
}

void CruxSolverTest::followingFirstSlidesKeepsToTheWay_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<int>("exactMs");
  // Short solutions that are not the fewest, and the fewest proven.
  QTest::newRow("pattern 16, no time") << 16 << 0;
  if (!kSanitized) QTest::newRow("pattern 11, no time") << 11 << 0;
  QTest::newRow("pattern 2, all the time") << 2 << -1;
}

// A player who follows the hints, one first slide after the other, gets there
// in no more slides than the first hint's solution had, and no later solution
// is longer than what was left of the one before. A fresh short solution from
// each new board could be longer and could even lead round in circles. Once
// the fewest is known, it stays known along the way.
void CruxSolverTest::followingFirstSlidesKeepsToTheWay() {
  QFETCH(int, pattern);
  QFETCH(int, exactMs);
  const CruxSolver solver(exactMs < 0 ? CruxSolver::kDefaultExactTime
                                      : std::chrono::milliseconds(exactMs));
  ClockRandom random(static_cast<std::uint32_t>(100 + pattern));
  CruxRules rules;
  rules.CruxPattern = pattern;
  rules.SetUpCruxBoard(random);
  std::optional<CruxSolver::Solution> first;
  int solves = 0;  // the first one, then one for each slide followed
  bool proven = false;
  bool proofLost = false;
  const QString wrong = zt::test::FollowFirstMoves(
      rules,
      [&](const CruxRules& board) -> std::optional<std::vector<int>> {
        auto solution = solver.SolveWithProof(board);
        if (!solution) return std::nullopt;
        if (solves++ == 0) first = solution;
        proofLost = proofLost || (proven && !solution->fewest);
        proven = solution->fewest;
        return std::move(solution->slides);
      },
      [](CruxRules& board, int direction) {
        if (!board.CruxCanShift(direction)) return false;
        board.ShiftCrux(direction);
        return true;
      },
      [](const CruxRules& board) { return board.IsCruxPatternBuilt(); });
  QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  QVERIFY(first.has_value());
  QVERIFY(!first->slides.empty());
  QVERIFY(!proofLost);
  if (first->fewest) QCOMPARE(solves - 1, static_cast<int>(first->slides.size()));
}

ZT_TEST_MAIN(CruxSolverTest)
#include "CruxSolverTest.moc"
