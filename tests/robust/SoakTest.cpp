// Long play: many random legal moves on every puzzle with the board's
// invariants checked after each one, first on the rules alone, then through
// the views with a host whose waits return at once, where the clock is
// watched as well. ZT_SOAK_MOVES and ZT_SOAK_VIEW_MOVES set the number of
// moves per puzzle (100,000 and 20,000).
#include <QtTest>
#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "puzzles/boss/BossView.h"
#include "puzzles/core/Canvas.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/FakeHost.h"
#include "tests/common/SyntheticAtlas.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

int MovesFromEnvironment(const char* name, int fallback) {
  bool ok = false;
  const int n = qEnvironmentVariableIntValue(name, &ok);
  return ok && n > 0 ? n : fallback;
}

int RulesMoves() {
  return MovesFromEnvironment("ZT_SOAK_MOVES", 100000);
}
int ViewMoves() {
  return MovesFromEnvironment("ZT_SOAK_VIEW_MOVES", 20000);
}

// A random element of a non-empty list.
template <typename T>
const T& Pick(const std::vector<T>& items, std::mt19937& random) {
  return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

// ---- invariants -----------------------------------------------------------

// BOSS: inside the board every tile code of the solved board once and the gap
// (-1) exactly where the rules say; outside the board nothing but -1.
QString BossFault(const BossRules& r) {
  std::map<int, int> board, target;
  for (int c = 1; c <= BossRules::kMaxColumns; ++c) {
    for (int row = 1; row <= BossRules::kMaxRows; ++row) {
      const bool inside = c <= r.BossColumns && row <= r.BossRows;
      if (!inside) {
        if (r.Board(c, row) != -1)
          return QString("cell (%1, %2) outside the board set").arg(c).arg(row);
        continue;
      }
      ++board[r.Board(c, row)];
      ++target[r.Target(c, row)];
      if ((r.Board(c, row) == -1) != (c == r.GapColumn && row == r.GapRow)) {
        return QString("gap at (%1, %2), the rules say (%3, %4)")
            .arg(c)
            .arg(row)
            .arg(r.GapColumn)
            .arg(r.GapRow);
      }
    }
  }
  if (board != target) return "the tiles are not those of the solved board";
  for (const auto& [code, count] : board) {
    if (count != 1) return QString("code %1 %2 times").arg(code).arg(count);
  }
  return {};
}

bool InCruxTracks(int x, int y) {
  return x == 4 || x == 5 || y == 4 || y == 5;
}

std::map<int, int> CruxPieces(const CruxRules& r) {
  std::map<int, int> pieces;
  for (int x = 0; x < CruxRules::kSize; ++x) {
    for (int y = 0; y < CruxRules::kSize; ++y) {
      if (r.Cell(x, y) != 0) ++pieces[r.Cell(x, y)];
    }
  }
  return pieces;
}

// CRUX: the pattern's 20 pieces, all inside the two tracks.
QString CruxFault(const CruxRules& r, const std::map<int, int>& pieces) {
  int count = 0;
  for (int x = 0; x < CruxRules::kSize; ++x) {
    for (int y = 0; y < CruxRules::kSize; ++y) {
      if (r.Cell(x, y) == 0) continue;
      ++count;
      if (!InCruxTracks(x, y))
        return QString("a piece outside the tracks at (%1, %2)").arg(x).arg(y);
    }
  }
  if (count != 20) return QString("%1 pieces").arg(count);
  if (CruxPieces(r) != pieces) return "the pieces changed";
  return {};
}

// TILZ: exactly two free cells, every plate whole, the walls where the level
// has them, and as many plates of each kind as the level started with.
QString TilzFault(const TilzRules& r, const TilzRules::Board& start) {
  int free = 0;
  std::map<int, int> codes, startCodes;
  for (int c = 0; c < TilzRules::kColumns; ++c) {
    for (int row = 0; row < TilzRules::kRows; ++row) {
      const int code = r.Cell(c, row);
      const int was = start[5 * c + row];
      ++codes[code];
      ++startCodes[was];
      if ((code == TilzRules::kWall) != (was == TilzRules::kWall)) {
        return QString("wall changed at (%1, %2)").arg(c).arg(row);
      }
      if (code == TilzRules::kFree) ++free;
      // Each part of a plate has the rest of its plate beside it.
      const auto at = [&](int dc, int dr) { return r.Cell(c + dc, row + dr); };
      bool whole = true;
      switch (code) {
        case 1:
          whole = at(1, 0) == 2 && at(0, 1) == 3 && at(1, 1) == 4;
          break;
        case 2:
          whole = at(-1, 0) == 1;
          break;
        case 3:
          whole = at(0, -1) == 1;
          break;
        case 4:
          whole = at(-1, -1) == 1;
          break;
        case 5:
          whole = at(1, 0) == 6;
          break;
        case 6:
          whole = at(-1, 0) == 5;
          break;
        case 7:
          whole = at(0, 1) == 8;
          break;
        case 8:
          whole = at(0, -1) == 7;
          break;
        default:
          break;
      }
      if (!whole)
        return QString("plate part %1 at (%2, %3) is not whole").arg(code).arg(c).arg(row);
    }
  }
  if (free != 2) return QString("%1 free cells").arg(free);
  if (codes != startCodes) return "the plates changed";
  return {};
}

std::map<int, int> TransitKinds(const TransitRules::Grid& grid) {
  std::map<int, int> kinds;
  for (const auto& column : grid) {
    for (const std::uint8_t kind : column)
      ++kinds[kind];
  }
  return kinds;
}

// TRANSIT: as many cells of each kind as the pattern has, and the picture
// map still a permutation.
QString TransitFault(const TransitRules& r) {
  if (TransitKinds(r.TransitBoard) != TransitKinds(r.Target())) return "the kinds changed";
  TransitRules::PictureMap sorted = r.TransitPictureMap;
  std::sort(sorted.begin(), sorted.end());
  if (sorted != TransitRules::IdentityMap()) return "the picture map is not a permutation";
  return {};
}

// ---- legal moves ----------------------------------------------------------

std::vector<BossMove> BossMoves(const BossRules& r) {
  std::vector<BossMove> moves;
  for (BossMove m : {BossMove::Left, BossMove::Right, BossMove::Up, BossMove::Down}) {
    if (r.CanMove(m)) moves.push_back(m);
  }
  return moves;
}

std::vector<int> CruxMoves(const CruxRules& r) {
  std::vector<int> moves;
  for (int d : {CruxRules::kRight, CruxRules::kDown, CruxRules::kLeft, CruxRules::kUp}) {
    if (r.CruxCanShift(d)) moves.push_back(d);
  }
  return moves;
}

std::vector<TilzMove> TilzMoves(const TilzRules& r) {
  std::vector<TilzMove> moves;
  for (int c = 0; c < TilzRules::kColumns; ++c) {
    for (int row = 0; row < TilzRules::kRows; ++row) {
      if (!TilzRules::IsAnchor(r.Cell(c, row))) continue;
      for (TilzPush p : {TilzPush::Right, TilzPush::Up, TilzPush::Left, TilzPush::Down}) {
        if (r.CanPushPlate(c, row, p)) moves.push_back({c, row, p});
      }
    }
  }
  return moves;
}

const TransitDirection kTransitDirections[] = {TransitDirection::Left, TransitDirection::Right,
                                               TransitDirection::Up, TransitDirection::Down};

// ---- the views --------------------------------------------------------------

// A puzzle view with a host whose waits return at once. Every move must leave
// the clock where it was plus the move's ticks while the game runs, and
// unchanged once it is solved; a few moves after a solve, a new game starts,
// as the player would start it.
struct ViewRig {
  ViewRig(int puzzle, QSize atlas) : puzzle(puzzle) {
    play.PuzzleMode = static_cast<std::uint8_t>(puzzle);
    play.PuzzleState[puzzle] = kReady;
    canvas.SetAtlas(test::MakeSyntheticAtlas(atlas.width(), atlas.height()));
  }

  // Runs one move and checks the clock; ticks is what a move adds while running.
  template <typename F>
  bool Move(F&& move, int ticks, QString* fault) {
    const std::uint8_t stateBefore = play.PuzzleState[puzzle];
    const std::int32_t before = play.PuzzleClock[puzzle];
    host.Clear();
    move();
    const std::int32_t after = play.PuzzleClock[puzzle];
    const int expected = stateBefore == kSolved ? 0 : ticks;
    if (after != before + expected) {
      *fault =
          QString("clock went from %1 to %2, expected +%3").arg(before).arg(after).arg(expected);
      return false;
    }
    // Every clock shown during the move is at least the one shown before it.
    if (!std::is_sorted(host.clockAtRepaint.begin(), host.clockAtRepaint.end()) ||
        (!host.clockAtRepaint.empty() && host.clockAtRepaint.front() < before)) {
      *fault = "the clock shown went backwards";
      return false;
    }
    return true;
  }
  // Whether the game was solved a few moves ago and a new one is due.
  bool NewGameDue() {
    if (play.PuzzleState[puzzle] != kSolved) return false;
    return ++movesSinceSolve > 3;
  }
  void NewGame(Puzzle& view) {
    movesSinceSolve = 0;
    view.MixPuzzle();
    play.PuzzleState[puzzle] = kReady;
    play.PuzzleClock[puzzle] = 0;
    ++games;
  }
  // The screen as the moves left it against a full paint of the same board.
  QString PictureFault(Puzzle& view) {
    const QImage moved = canvas.Screen().copy();
    view.PaintPuzzle();
    return test::FirstDifference(moved, canvas.Screen());
  }

  int puzzle;
  PlayState play;
  test::FakeHost host{play};
  FrameDriver driver{host, play};
  ClockRandom random{12345};
  Canvas canvas;
  PuzzleContext ctx{host, canvas, random, play, driver};
  int games = 1;
  int movesSinceSolve = 0;
};

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

  std::mt19937 random_{20240611};

 private slots:
  void bossRules() {
    BossRules r;
    ClockRandom mix(1);
    const int moves = RulesMoves();
    for (int i = 0; i < moves; ++i) {
      // A new board size every 5000 moves, all sizes over the run.
      if (i % 5000 == 0) {
        r.BossColumns = 3 + (i / 5000) % 5;
        r.BossRows = 2 + (i / 25000) % 4;
        r.SetUpBossBoard(mix);
        const QString fault = BossFault(r);
        QVERIFY2(fault.isEmpty(), qPrintable("after mixing: " + fault));
      }
      const auto legal = BossMoves(r);
      QVERIFY(!legal.empty());
      r.Move(Pick(legal, random_));
      const QString fault = BossFault(r);
      QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
    }
  }

  void cruxRules() {
    CruxRules r;
    ClockRandom mix(2);
    std::map<int, int> pieces;
    const int moves = RulesMoves();
    for (int i = 0; i < moves; ++i) {
      if (i % 6250 == 0) {  // all sixteen patterns
        r.CruxPattern = 1 + (i / 6250) % CruxRules::kPatternCount;
        r.SetUpCruxBoard(mix);
        pieces = CruxPieces(r);
        const QString fault = CruxFault(r, pieces);
        QVERIFY2(fault.isEmpty(), qPrintable("after mixing: " + fault));
      }
      const auto legal = CruxMoves(r);
      QVERIFY(!legal.empty());
      r.ShiftCrux(Pick(legal, random_));
      const QString fault = CruxFault(r, pieces);
      QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
    }
  }

  void tilzRules() {
    TilzRules r;
    const int moves = RulesMoves();
    int solves = 0;
    for (int i = 0; i < moves; ++i) {
      if (i % 20000 == 0) {  // the five levels
        r.TilzLevel = 1 + (i / 20000) % TilzRules::kLevels;
        r.SetUpTilzBoard();
      }
      const auto legal = TilzMoves(r);
      QVERIFY(!legal.empty());
      const TilzMove m = Pick(legal, random_);
      QVERIFY(r.PushPlate(m.column, m.row, m.push));
      if (r.StepTilzTarget() == TilzProgress::Solved) ++solves;
      QVERIFY(r.TilzTargetPhase >= 0 && r.TilzTargetPhase < TilzRules::kLevel5Targets);
      const QString fault = TilzFault(r, TilzRules::TilzLevels[r.TilzLevel - 1]);
      QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
    }
    qInfo("TILZ: %d moves ended on a target", solves);
  }

  void transitRules() {
    TransitRules r;
    ClockRandom mix(4);
    const int moves = RulesMoves();
    std::uniform_int_distribution<int> line(0, TransitRules::kSize - 1), way(0, 3);
    for (int i = 0; i < moves; ++i) {
      if (i % 5000 == 0) {  // every pattern, each with new pictures
        r.TransitPattern = 1 + (i / 5000) % TransitRules::kPatternCount;
        r.ShuffleTransitPictures(mix);
        r.SetUpTransitBoard(mix);
        const QString fault = TransitFault(r);
        QVERIFY2(fault.isEmpty(), qPrintable("after mixing: " + fault));
      }
      r.RotateTransitLine(kTransitDirections[way(random_)], line(random_));
      const QString fault = TransitFault(r);
      QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
    }
  }

  void bossView() {
    ViewRig rig(kBoss, {500, 733});
    BossView view(rig.ctx);
    view.Rules().BossColumns = 7;
    view.Rules().BossRows = 5;
    view.InitPuzzle();
    view.PaintPuzzle();
    QString fault;
    for (int i = 0; i < ViewMoves(); ++i) {
      const BossMove m = Pick(BossMoves(view.Rules()), random_);
      QVERIFY2(rig.Move([&] { view.PlayMove(m); }, 3, &fault), qPrintable(fault));
      fault = BossFault(view.Rules());
      QVERIFY2(fault.isEmpty(), qPrintable(fault));
      if (i % 500 == 499) {
        fault = rig.PictureFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
      }
      if (rig.NewGameDue()) rig.NewGame(view);
    }
    qInfo("BOSS: %d games, clock at %d", rig.games, rig.play.PuzzleClock[kBoss]);
  }

  void cruxView() {
    ViewRig rig(kCrux, {500, 458});
    CruxView view(rig.ctx);
    view.InitPuzzle();
    view.PaintPuzzle();
    auto pieces = CruxPieces(view.Rules());
    const int keys[] = {kKeyRight, kKeyDown, kKeyLeft, kKeyUp};  // by direction
    QString fault;
    for (int i = 0; i < ViewMoves(); ++i) {
      const int direction = Pick(CruxMoves(view.Rules()), random_);
      QVERIFY2(rig.Move([&] { view.PuzzleKeyDown(keys[direction]); }, 1, &fault),
               qPrintable(fault));
      fault = CruxFault(view.Rules(), pieces);
      QVERIFY2(fault.isEmpty(), qPrintable(fault));
      if (i % 500 == 499) {
        fault = rig.PictureFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
      }
      if (rig.NewGameDue()) {
        rig.NewGame(view);
        pieces = CruxPieces(view.Rules());
      }
    }
    qInfo("CRUX: %d games, clock at %d", rig.games, rig.play.PuzzleClock[kCrux]);
  }

  void tilzView() {
    // Level after level: the first four are solved now and then by chance.
    ViewRig rig(kTilz, {610, 333});
    TilzView view(rig.ctx);
    view.Rules().TilzLevel = 1;
    view.InitPuzzle();
    view.PaintPuzzle();
    rig.play.StartClock(kTilz);
    QString fault;
    for (int i = 0; i < ViewMoves(); ++i) {
      const TilzMove m = Pick(TilzMoves(view.Rules()), random_);
      QVERIFY2(rig.Move([&] { view.PushPlate(m.column, m.row, m.push); }, 3, &fault),
               qPrintable(fault));
      const int level = view.Rules().TilzLevel;
      fault = TilzFault(view.Rules(), TilzRules::TilzLevels[level - 1]);
      QVERIFY2(fault.isEmpty(), qPrintable(fault));
      if (rig.NewGameDue()) {
        view.Rules().TilzLevel = level % TilzRules::kLevels + 1;
        rig.NewGame(view);
        rig.play.StartClock(kTilz);
      }
    }
    qInfo("TILZ: %d games, clock at %d", rig.games, rig.play.PuzzleClock[kTilz]);
  }

  void transitView() {
    ViewRig rig(kTransit, {500, 333});
    TransitView view(rig.ctx);
    view.InitPuzzle();
    view.PaintPuzzle();
    std::uniform_int_distribution<int> line(0, TransitRules::kSize - 1), way(0, 3);
    QString fault;
    for (int i = 0; i < ViewMoves(); ++i) {
      const TransitDirection d = kTransitDirections[way(random_)];
      const int l = line(random_);
      QVERIFY2(rig.Move([&] { view.MoveTransit(d, l); }, 1, &fault), qPrintable(fault));
      fault = TransitFault(view.Rules());
      QVERIFY2(fault.isEmpty(), qPrintable(fault));
      if (i % 500 == 499) {
        fault = rig.PictureFault(view);
        QVERIFY2(fault.isEmpty(), qPrintable(QString("move %1: %2").arg(i).arg(fault)));
      }
      if (rig.NewGameDue()) rig.NewGame(view);
    }
    qInfo("TRANSIT: %d games, clock at %d", rig.games, rig.play.PuzzleClock[kTransit]);
  }
};

ZT_TEST_MAIN(SoakTest)
#include "SoakTest.moc"
