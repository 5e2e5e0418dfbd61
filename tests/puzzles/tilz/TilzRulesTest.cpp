// The TILZ rules without any drawing: the five start layouts, every plate kind
// pushed every way (allowed and refused), the board updates, the solved test
// with the level-5 corners, and a search that proves every level solvable.
#include <QtTest>
#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "puzzles/tilz/TilzRules.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/tilz/TilzBoards.h"

using zt::TilzProgress;
using zt::TilzPush;
using zt::TilzRules;
using zt::test::BoardFromRows;
using zt::test::BoardText;

Q_DECLARE_METATYPE(TilzPush)
Q_DECLARE_METATYPE(TilzProgress)

namespace {

// The start layouts as the level tables give them, row by row.
using Rows = std::array<std::array<int, 6>, 5>;
const std::array<Rows, 5> kLevelRows{{
    {{{-1, 1, 2, 5, 6, -1},
      {-1, 3, 4, 5, 6, -1},
      {-1, 9, 9, 0, 0, -1},
      {-1, 7, 7, 5, 6, -1},
      {-1, 8, 8, 5, 6, -1}}},
    {{{-1, 7, 1, 2, 7, -1},
      {-1, 8, 3, 4, 8, -1},
      {-1, 7, 5, 6, 7, -1},
      {-1, 8, 9, 9, 8, -1},
      {-1, 9, 0, 0, 9, -1}}},
    {{{-1, 9, 1, 2, 9, -1},
      {-1, 7, 3, 4, 7, -1},
      {-1, 8, 7, 0, 8, -1},
      {-1, 9, 8, 0, 9, -1},
      {-1, 5, 6, 5, 6, -1}}},
    {{{1, 2, 5, 6, 7, 7},
      {3, 4, 5, 6, 8, 8},
      {9, 9, 0, 0, 5, 6},
      {5, 6, 7, 7, 5, 6},
      {5, 6, 8, 8, 5, 6}}},
    {{{5, 6, 9, 9, 5, 6},
      {5, 6, 0, 0, 5, 6},
      {7, 7, 1, 2, 7, 7},
      {8, 8, 3, 4, 8, 8},
      {5, 6, 9, 9, 5, 6}}},
}};

TilzRules::Board FromRows(const Rows& rows) {
  TilzRules::Board board{};
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 6; ++c)
      board[5 * c + r] = rows[r][c];
  }
  return board;
}

TilzRules WithBoard(const QStringList& rows, int level = 4) {
  TilzRules rules;
  rules.TilzLevel = level;
  rules.TilzBoard = BoardFromRows(rows);
  return rules;
}

// ------------------------------------------------------------------ search --

// A position as one number: where the big plate stands, the kind of every
// other cell (free or wall, wide, tall, small: the plates' halves follow from
// their order) and the level-5 phase. 5 + 26 * 2 + 2 bits.
std::uint64_t PositionKey(const TilzRules& rules) {
  std::uint64_t key = 0;
  int big = 0;
  for (int i = 0; i < TilzRules::kCells; ++i) {
    const int v = rules.TilzBoard[i];
    if (v == 1) big = i;
    if (v >= 1 && v <= 4) continue;
    const int kind = v <= 0 ? 0 : v <= 6 ? 1 : v <= 8 ? 2 : 3;
    key = (key << 2) | static_cast<std::uint64_t>(kind);
  }
  return (key << 7) | static_cast<std::uint64_t>(big << 2) |
         static_cast<std::uint64_t>(rules.TilzTargetPhase);
}

// Every push that can move something goes into a free cell, so only the plates
// beside the free cells need trying.
template <typename Visit>
void ForEachMove(const TilzRules& rules, Visit visit) {
  struct Side {
    int dc, dr;
    TilzPush towardsFree;
  };
  static constexpr std::array<Side, 4> kSides{{{1, 0, TilzPush::Left},
                                               {-1, 0, TilzPush::Right},
                                               {0, 1, TilzPush::Up},
                                               {0, -1, TilzPush::Down}}};
  for (int c = 0; c < TilzRules::kColumns; ++c) {
    for (int r = 0; r < TilzRules::kRows; ++r) {
      if (rules.Cell(c, r) != TilzRules::kFree) continue;
      for (const Side& s : kSides) {
        int pc = c + s.dc;
        int pr = r + s.dr;
        const int code = rules.Cell(pc, pr);
        if (code < 1) continue;
        if (code == 2 || code == 4 || code == 6) --pc;
        if (code == 3 || code == 4 || code == 8) --pr;
        TilzRules after = rules;
        if (after.PushPlate(pc, pr, s.towardsFree)) visit(after);
      }
    }
  }
}

struct SearchResult {
  int pushes = -1;                  // -1: the goal cannot be reached
  std::vector<TilzRules> arrivals;  // every position that reached it first
  std::size_t positions = 0;
};

// Breadth-first from the given positions until the solved test first reports
// progress (a level-5 corner or the solve).
SearchResult SearchNextStep(std::vector<TilzRules> frontier) {
  SearchResult result;
  std::unordered_set<std::uint64_t> seen;
  for (const TilzRules& r : frontier)
    seen.insert(PositionKey(r));
  for (int depth = 1; !frontier.empty(); ++depth) {
    std::vector<TilzRules> next;
    for (const TilzRules& state : frontier) {
      ForEachMove(state, [&](TilzRules& after) {
        if (!seen.insert(PositionKey(after)).second) return;
        if (after.StepTilzTarget() != TilzProgress::NotSolved)
          result.arrivals.push_back(after);
        else
          next.push_back(after);
      });
    }
    if (!result.arrivals.empty()) {
      result.pushes = depth;
      break;
    }
    frontier = std::move(next);
  }
  result.positions = seen.size();
  return result;
}

}  // namespace

class TilzRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void startLayouts_data();
  void startLayouts();
  void setUpClampsLevelAndResetsPhase();
  void plateSizes();
  void pushes_data();
  void pushes();
  void onlyAnchorsMove();
  void solvedTestOfLevels1To4_data();
  void solvedTestOfLevels1To4();
  void level5CornersInOrder();
  void everyLevelIsSolvable_data();
  void everyLevelIsSolvable();
};

void TilzRulesTest::startLayouts_data() {
  QTest::addColumn<int>("level");
  for (int level = 1; level <= 5; ++level)
    QTest::addRow("level %d", level) << level;
}

void TilzRulesTest::startLayouts() {
  QFETCH(int, level);
  const TilzRules::Board expected = FromRows(kLevelRows[level - 1]);
  QCOMPARE(BoardText(TilzRules::TilzLevels[level - 1]), BoardText(expected));

  TilzRules rules;
  rules.TilzLevel = level;
  rules.TilzBoard.fill(0);
  rules.TilzTargetPhase = 2;
  rules.SetUpTilzBoard();
  QCOMPARE(BoardText(rules.TilzBoard), BoardText(expected));
  QCOMPARE(rules.TilzTargetPhase, 0);
  // Every layout keeps the board's invariants: two free cells, one big plate,
  // walls only in the outer columns of the narrow levels.
  QCOMPARE(std::count(expected.begin(), expected.end(), 0), 2);
  QCOMPARE(std::count(expected.begin(), expected.end(), 1), 1);
  QCOMPARE(std::count(expected.begin(), expected.end(), -1), level <= 3 ? 10 : 0);
}

void TilzRulesTest::setUpClampsLevelAndResetsPhase() {
  const struct { int stored, level; } cases[] = {{0, 1}, {-7, 1}, {6, 5}, {99, 5}, {3, 3}};
  for (const auto& c : cases) {
    TilzRules rules;
    rules.TilzLevel = c.stored;
    rules.TilzTargetPhase = 3;
    rules.SetUpTilzBoard();
    QCOMPARE(rules.TilzLevel, c.level);
    QCOMPARE(rules.TilzTargetPhase, 0);
    QCOMPARE(BoardText(rules.TilzBoard), BoardText(FromRows(kLevelRows[c.level - 1])));
  }
}

void TilzRulesTest::plateSizes() {
  const int widths[] = {0, 100, 0, 0, 0, 100, 0, 50, 0, 50};
  const int heights[] = {0, 100, 0, 0, 0, 50, 0, 100, 0, 50};
  for (int code = 0; code <= 9; ++code) {
    QCOMPARE(TilzRules::PlateWidth(code), widths[code]);
    QCOMPARE(TilzRules::PlateHeight(code), heights[code]);
  }
  QCOMPARE(TilzRules::PlateWidth(-1), 0);
  QCOMPARE(TilzRules::PlateHeight(10), 0);
}

void TilzRulesTest::pushes_data() {
  QTest::addColumn<QStringList>("before");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<TilzPush>("push");
  QTest::addColumn<QStringList>("after");  // empty: refused, board unchanged

  const QStringList none;
  auto add = [](const char* name, QStringList before, int c, int r, TilzPush p, QStringList after) {
    QTest::newRow(name) << before << c << r << p << after;
  };
  using P = TilzPush;

  // Big plate.
  add("big left", {"999999", ".12999", ".34999", "999999", "999999"}, 1, 1, P::Left,
      {"999999", "12.999", "34.999", "999999", "999999"});
  add("big left, one of two free", {"999999", ".12999", "934999", "999999", "999999"}, 1, 1,
      P::Left, none);
  add("big left, board edge", {"999999", "12.999", "34.999", "999999", "999999"}, 0, 1, P::Left,
      none);
  add("big left, wall", {"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}, 1, 0, P::Left, none);
  add("big right", {"999999", "12.999", "34.999", "999999", "999999"}, 0, 1, P::Right,
      {"999999", ".12999", ".34999", "999999", "999999"});
  add("big right, one of two free", {"999999", "12.999", "349999", "999999", "999999"}, 0, 1,
      P::Right, none);
  add("big right, board edge", {"9999..", "999912", "999934", "999999", "999999"}, 4, 1, P::Right,
      none);
  add("big right, wall", {"#..12#", "#..34#", "#9999#", "#9999#", "#9999#"}, 3, 0, P::Right, none);
  add("big up", {"9..999", "912999", "934999", "999999", "999999"}, 1, 1, P::Up,
      {"912999", "934999", "9..999", "999999", "999999"});
  add("big up, one of two free", {"99.999", "912999", "934999", "999999", "999999"}, 1, 1, P::Up,
      none);
  add("big up, board edge", {"912999", "934999", "9..999", "999999", "999999"}, 1, 0, P::Up, none);
  add("big down", {"999999", "999999", "912999", "934999", "9..999"}, 1, 2, P::Down,
      {"999999", "999999", "9..999", "912999", "934999"});
  add("big down, one of two free", {"999999", "999999", "912999", "934999", "9.9999"}, 1, 2,
      P::Down, none);
  add("big down, board edge", {"999999", "9..999", "999999", "912999", "934999"}, 1, 3, P::Down,
      none);

  // Wide plate.
  add("wide left", {"999999", "999999", "9.5699", "999999", "99.999"}, 2, 2, P::Left,
      {"999999", "999999", "956.99", "999999", "99.999"});
  add("wide left, board edge", {"999999", "999999", "56..99", "999999", "999999"}, 0, 2, P::Left,
      none);
  add("wide left, wall", {"#56..#", "#9999#", "#9999#", "#9999#", "#9999#"}, 1, 0, P::Left, none);
  add("wide left, another plate", {"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}, 3, 0, P::Left,
      none);
  add("wide right", {"999999", "999999", "956.99", "999999", "9.9999"}, 1, 2, P::Right,
      {"999999", "999999", "9.5699", "999999", "9.9999"});
  add("wide right, board edge", {"999999", "999999", "..9956", "999999", "999999"}, 4, 2, P::Right,
      none);
  add("wide right, wall", {"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}, 3, 1, P::Right, none);
  add("wide up", {"999999", "9..999", "956999", "999999", "999999"}, 1, 2, P::Up,
      {"999999", "956999", "9..999", "999999", "999999"});
  add("wide up, one of two free", {"999999", "9.9.99", "956999", "999999", "999999"}, 1, 2, P::Up,
      none);
  add("wide up, board edge", {"956999", "9..999", "999999", "999999", "999999"}, 1, 0, P::Up, none);
  add("wide down", {"999999", "956999", "9..999", "999999", "999999"}, 1, 1, P::Down,
      {"999999", "9..999", "956999", "999999", "999999"});
  add("wide down, one of two free", {"999999", "956999", "99.9.9", "999999", "999999"}, 1, 1,
      P::Down, none);
  add("wide down, board edge", {"999999", "999999", "999999", "9..999", "956999"}, 1, 4, P::Down,
      none);

  // Tall plate.
  add("tall left", {"999999", "9.7999", "9.8999", "999999", "999999"}, 2, 1, P::Left,
      {"999999", "97.999", "98.999", "999999", "999999"});
  add("tall left, one of two free", {"999999", "9.7999", "998999", "9.9999", "999999"}, 2, 1,
      P::Left, none);
  add("tall left, board edge", {"999999", "7.9999", "8.9999", "999999", "999999"}, 0, 1, P::Left,
      none);
  add("tall left, wall", {"#9129#", "#7347#", "#87.8#", "#98.9#", "#5656#"}, 1, 1, P::Left, none);
  add("tall right", {"999999", "97.999", "98.999", "999999", "999999"}, 1, 1, P::Right,
      {"999999", "9.7999", "9.8999", "999999", "999999"});
  add("tall right, one of two free", {"999999", "97.999", "989999", "99.999", "999999"}, 1, 1,
      P::Right, none);
  add("tall right, board edge", {"999999", "9999.7", "9999.8", "999999", "999999"}, 5, 1, P::Right,
      none);
  add("tall right, wall", {"#9129#", "#7347#", "#87.8#", "#98.9#", "#5656#"}, 4, 1, P::Right, none);
  add("tall up", {"999999", "9.9999", "979.99", "989999", "999999"}, 1, 2, P::Up,
      {"999999", "979999", "989.99", "9.9999", "999999"});
  add("tall up, board edge", {"799999", "899999", "9.9999", "9.9999", "999999"}, 0, 0, P::Up, none);
  add("tall down", {"999999", "979999", "989999", "9.9999", "99.999"}, 1, 1, P::Down,
      {"999999", "9.9999", "979999", "989999", "99.999"});
  add("tall down, board edge", {"999999", "9.9999", "9.9999", "999997", "999998"}, 5, 3, P::Down,
      none);

  // Small plate.
  add("small left", {"999999", "999999", "99.999", "999.99", "999999"}, 3, 2, P::Left,
      {"999999", "999999", "999.99", "999.99", "999999"});
  add("small left, board edge", {"999999", "999999", "9.9999", "9.9999", "999999"}, 0, 2, P::Left,
      none);
  add("small left, wall", {"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}, 1, 2, P::Left, none);
  add("small left, another plate", {"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}, 2, 2,
      P::Left, none);
  add("small right", {"999999", "999999", "9.9.99", "999999", "999999"}, 2, 2, P::Right,
      {"999999", "999999", "9..999", "999999", "999999"});
  add("small right, board edge", {"999999", "999999", "9999.9", "9999.9", "999999"}, 5, 2, P::Right,
      none);
  add("small right, wall", {"#9129#", "#7347#", "#87.8#", "#98.9#", "#5656#"}, 4, 0, P::Right,
      none);
  add("small up", {"99.999", "999999", "999999", "9.9999", "999999"}, 2, 1, P::Up,
      {"999999", "99.999", "999999", "9.9999", "999999"});
  add("small up, board edge", {"99.999", "99.999", "999999", "999999", "999999"}, 3, 0, P::Up,
      none);
  add("small down", {"999999", "999999", "999999", "999.99", "9.9999"}, 1, 3, P::Down,
      {"999999", "999999", "999999", "9.9.99", "999999"});
  add("small down, board edge", {"999999", "999999", "99.999", "99.999", "999999"}, 3, 4, P::Down,
      none);
}

void TilzRulesTest::pushes() {
  QFETCH(QStringList, before);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(TilzPush, push);
  QFETCH(QStringList, after);

  TilzRules rules = WithBoard(before);
  const bool allowed = !after.isEmpty();
  QCOMPARE(rules.CanPushPlate(column, row, push), allowed);
  QCOMPARE(rules.PushPlate(column, row, push), allowed);
  QCOMPARE(BoardText(rules.TilzBoard), BoardText(BoardFromRows(allowed ? after : before)));
}

void TilzRulesTest::onlyAnchorsMove() {
  // A push names a plate by its top-left cell; the other cells of a plate,
  // free cells, walls and places off the board name nothing.
  const QStringList rows{"#.12.#", "#.34.#", "#5679#", "#9989#", "#5656#"};
  const struct {
    int column, row;
    TilzPush push;
  } cases[] = {{3, 0, TilzPush::Right}, {2, 1, TilzPush::Left},   {3, 1, TilzPush::Right},
               {2, 2, TilzPush::Up},    {3, 3, TilzPush::Up},     {1, 0, TilzPush::Down},
               {0, 0, TilzPush::Right}, {-1, 0, TilzPush::Right}, {6, 0, TilzPush::Left},
               {2, 0, TilzPush::None}};
  for (const auto& c : cases) {
    TilzRules rules = WithBoard(rows, 1);
    QVERIFY(!rules.CanPushPlate(c.column, c.row, c.push));
    QVERIFY(!rules.PushPlate(c.column, c.row, c.push));
    QCOMPARE(BoardText(rules.TilzBoard), BoardText(BoardFromRows(rows)));
  }
}

void TilzRulesTest::solvedTestOfLevels1To4_data() {
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("row");
  QTest::addColumn<bool>("solved");
  // The targets: level 1 (3, 3), levels 2 and 3 (2, 3), level 4 (4, 3).
  const struct {
    int level, column, row;
    bool solved;
  } rows[] = {{1, 3, 3, true},  {1, 2, 3, false}, {1, 3, 2, false}, {2, 2, 3, true},
              {2, 3, 3, false}, {3, 2, 3, true},  {3, 1, 3, false}, {4, 4, 3, true},
              {4, 3, 3, false}, {4, 4, 2, false}, {4, 0, 0, false}};
  for (const auto& r : rows) {
    QTest::addRow("level %d, big plate at %d,%d", r.level, r.column, r.row)
        << r.level << r.column << r.row << r.solved;
  }
}

void TilzRulesTest::solvedTestOfLevels1To4() {
  QFETCH(int, level);
  QFETCH(int, column);
  QFETCH(int, row);
  QFETCH(bool, solved);
  TilzRules rules;
  rules.TilzLevel = level;
  rules.TilzBoard.fill(9);
  rules.At(column, row) = 1;
  rules.At(column + 1, row) = 2;
  rules.At(column, row + 1) = 3;
  rules.At(column + 1, row + 1) = 4;
  const auto before = rules.TilzBoard;
  for (int repeat = 0; repeat < 2; ++repeat) {
    QCOMPARE(rules.StepTilzTarget(), solved ? TilzProgress::Solved : TilzProgress::NotSolved);
    QCOMPARE(rules.TilzTargetPhase, 0);
  }
  QCOMPARE(BoardText(rules.TilzBoard), BoardText(before));
}

void TilzRulesTest::level5CornersInOrder() {
  TilzRules rules;
  rules.TilzLevel = 5;
  rules.SetUpTilzBoard();
  auto bigAt = [&rules](int column, int row) {
    rules.TilzBoard.fill(9);
    rules.At(column, row) = 1;
    rules.At(column + 1, row) = 2;
    rules.At(column, row + 1) = 3;
    rules.At(column + 1, row + 1) = 4;
  };
  struct Corner {
    int column, row;
  };
  const Corner topLeft{0, 0}, topRight{4, 0}, bottomRight{4, 3}, bottomLeft{0, 3};
  const Corner corners[] = {topLeft, topRight, bottomRight, bottomLeft};

  for (int phase = 0; phase < 4; ++phase) {
    // Every corner but the current one counts for nothing, the middle neither.
    for (int other = 0; other < 4; ++other) {
      if (other == phase) continue;
      bigAt(corners[other].column, corners[other].row);
      QCOMPARE(rules.StepTilzTarget(), TilzProgress::NotSolved);
      QCOMPARE(rules.TilzTargetPhase, phase);
    }
    bigAt(2, 2);
    QCOMPARE(rules.StepTilzTarget(), TilzProgress::NotSolved);

    bigAt(corners[phase].column, corners[phase].row);
    QCOMPARE(rules.CurrentTarget().column, corners[phase].column);
    QCOMPARE(rules.CurrentTarget().row, corners[phase].row);
    if (phase < 3) {
      QCOMPARE(rules.StepTilzTarget(), TilzProgress::PhaseAdvanced);
      QCOMPARE(rules.TilzTargetPhase, phase + 1);
      // One step per test: still standing there is no further step.
      QCOMPARE(rules.StepTilzTarget(), TilzProgress::NotSolved);
      QCOMPARE(rules.TilzTargetPhase, phase + 1);
    } else {
      QCOMPARE(rules.StepTilzTarget(), TilzProgress::Solved);
      QCOMPARE(rules.StepTilzTarget(), TilzProgress::Solved);
      QCOMPARE(rules.TilzTargetPhase, 3);
    }
  }

  // A new game starts from the first corner again.
  rules.SetUpTilzBoard();
  QCOMPARE(rules.TilzTargetPhase, 0);
  QCOMPARE(rules.CurrentTarget().column, 0);
  QCOMPARE(rules.CurrentTarget().row, 0);
}

void TilzRulesTest::everyLevelIsSolvable_data() {
  QTest::addColumn<int>("level");
  for (int level = 1; level <= 5; ++level)
    QTest::addRow("level %d", level) << level;
}

void TilzRulesTest::everyLevelIsSolvable() {
  QFETCH(int, level);
  TilzRules start;
  start.TilzLevel = level;
  start.SetUpTilzBoard();

  if (level < 5) {
    const SearchResult result = SearchNextStep({start});
    QVERIFY2(result.pushes > 0, "the target cannot be reached");
    TilzRules solved = result.arrivals.front();
    QCOMPARE(solved.StepTilzTarget(), TilzProgress::Solved);
    qInfo("level %d: solved in %d pushes at the fewest (%zu positions searched)", level,
          result.pushes, result.positions);
    return;
  }

  // All four corners in one search would visit tens of millions of positions,
  // so the search goes corner by corner, each from every position in which
  // the corner before was first reached.
  std::vector<TilzRules> from{start};
  int total = 0;
  QString steps;
  for (int corner = 0; corner < 4; ++corner) {
    const SearchResult result = SearchNextStep(from);
    QVERIFY2(result.pushes > 0, qPrintable(QString("corner %1 cannot be reached").arg(corner + 1)));
    for (const TilzRules& r : result.arrivals) {
      QCOMPARE(r.TilzTargetPhase, corner < 3 ? corner + 1 : 3);
    }
    total += result.pushes;
    steps += QString(corner == 0 ? "%1" : " + %1").arg(result.pushes);
    from = result.arrivals;
  }
  TilzRules solved = from.front();
  QCOMPARE(solved.StepTilzTarget(), TilzProgress::Solved);
  qInfo(
      "level 5: the four corners in order after %s = %d pushes, each corner by the fewest "
      "pushes from where the one before was reached",
      qPrintable(steps), total);
}

ZT_TEST_MAIN(TilzRulesTest)
#include "TilzRulesTest.moc"
