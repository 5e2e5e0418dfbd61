// Undo, redo and restart on all four puzzles. Random games of moves, undos,
// redos, restarts, new games and variant changes are played on each view, and
// every board is checked against a record of the boards the game went through:
// undo and redo must return exactly the earlier boards, each as a normal move
// with its sound and clock ticks, restart must lay the mixed board at once, and
// the clock must never go down.
#include <QtTest>
#include <random>
#include <utility>
#include <vector>

#include "puzzles/boss/BossView.h"
#include "puzzles/core/MoveHistory.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/tilz/TilzBoards.h"

using namespace zt;
using namespace zt::test;

namespace {

// Fewer games under the sanitizers, where every frame costs much more.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kGames = 100;
#else
constexpr int kGames = 1000;
#endif
constexpr int kMaxSteps = 30;

// What each puzzle's adapter gives the common game loop: its view, a board
// that compares as a whole, a random move, its move sound and the ticks one
// move gives a running clock; whether a move that leaves the board as it was
// (refused, or a turn of like pictures) is one.
struct Boss {
  static constexpr int kPuzzle = kBoss;
  static constexpr bool kEveryMoveCounts = false;
  static constexpr int kSound = 3;
  static constexpr int kTicks = 3;
  explicit Boss(PuzzleContext& ctx) : view(ctx) {}
  template <typename Board>
  static bool CornerReached(const Board&, const Board&) {
    return false;
  }
  BossRules::Grid Board() const { return view.Rules().BossBoard; }
  void Move(std::mt19937& pick) { view.PlayMove(static_cast<BossMove>(pick() % 4)); }
  BossView view;
};

struct Crux {
  static constexpr int kPuzzle = kCrux;
  static constexpr bool kEveryMoveCounts = false;
  static constexpr int kSound = 1;
  static constexpr int kTicks = 1;
  explicit Crux(PuzzleContext& ctx) : view(ctx) {}
  template <typename Board>
  static bool CornerReached(const Board&, const Board&) {
    return false;
  }
  CruxRules::Board Board() const { return view.Rules().CruxBoard; }
  void Move(std::mt19937& pick) {
    view.PlayMove(static_cast<CruxRules::Direction>(pick() % CruxRules::kDirections));
  }
  CruxView view;
};

struct Tilz {
  static constexpr int kPuzzle = kTilz;
  static constexpr bool kEveryMoveCounts = false;
  static constexpr int kSound = 2;
  static constexpr int kTicks = 3;
  explicit Tilz(PuzzleContext& ctx) : view(ctx) {}
  template <typename Board>
  static bool CornerReached(const Board& before, const Board& after) {
    return after.second != before.second;
  }
  // The level-5 corner reached belongs to the board: undo never crosses it.
  std::pair<TilzRules::Board, int> Board() const {
    return {view.Rules().TilzBoard, view.Rules().TilzTargetPhase};
  }
  void Move(std::mt19937& pick) {
    const TilzRules::Anchors plates = view.Rules().PlateAnchors();
    const TilzRules::Anchor plate = plates.at[pick() % plates.count];
    const TilzPush pushes[] = {TilzPush::Left, TilzPush::Right, TilzPush::Up, TilzPush::Down};
    view.PlayMove({plate.column, plate.row, pushes[pick() % 4]});
  }
  TilzView view;
};

// Every turn is a move, even one of a line whose pictures are all alike.
struct Transit {
  static constexpr int kPuzzle = kTransit;
  static constexpr bool kEveryMoveCounts = true;
  static constexpr int kSound = 4;
  static constexpr int kTicks = 1;
  explicit Transit(PuzzleContext& ctx) : view(ctx) {}
  template <typename Board>
  static bool CornerReached(const Board&, const Board&) {
    return false;
  }
  TransitRules::Grid Board() const { return view.Rules().TransitBoard; }
  void Move(std::mt19937& pick) {
    const TransitDirection ways[] = {TransitDirection::Left, TransitDirection::Right,
                                     TransitDirection::Up, TransitDirection::Down};
    view.PlayMove({ways[pick() % 4], static_cast<int>(pick() % TransitRules::kSize)});
  }
  TransitView view;
};

enum class Step { Move, Undo, Redo, Restart, NewGame, NextVariant };

Step PickStep(std::mt19937& pick) {
  const unsigned roll = pick() % 100;
  if (roll < 45) return Step::Move;
  if (roll < 72) return Step::Undo;
  if (roll < 90) return Step::Redo;
  if (roll < 96) return Step::Restart;
  if (roll < 98) return Step::NewGame;
  return Step::NextVariant;
}

// Plays kGames random games on one puzzle. The record holds every board from
// the mix on; `at` is the one shown now.
template <typename Adapter>
void PlayRandomGames(unsigned seed) {
  PuzzleRig rig(Adapter::kPuzzle, 610, 733);
  rig.host.onDelay = nullptr;  // no picture per frame: only boards are compared
  rig.canvas.SetPresenter(nullptr);
  Adapter puzzle(rig.ctx);
  std::mt19937 pick(seed);
  auto& state = rig.play.PuzzleState[Adapter::kPuzzle];
  auto& clock = rig.play.PuzzleClock[Adapter::kPuzzle];

  // A new game as the host starts one: mixed with a scripted Random, clock at
  // 0, ready.
  auto newGame = [&](bool nextVariant) {
    std::vector<int> script;
    for (int i = 0; i < 61; ++i)
      script.push_back(static_cast<int>(pick() % 2));
    rig.random.SetScript(script);
    if (nextVariant) {
      puzzle.view.NextVariant(static_cast<int>(pick() % 2));
    } else {
      puzzle.view.MixPuzzle();
    }
    state = kReady;
    clock = 0;
  };

  for (int game = 0; game < kGames; ++game) {
    newGame(game % 7 == 0);
    using Board = decltype(puzzle.Board());
    std::vector<Board> record{puzzle.Board()};
    std::size_t at = 0;
    const int steps = 1 + static_cast<int>(pick() % kMaxSteps);
    for (int s = 0; s < steps; ++s) {
      const Step step = PickStep(pick);
      const std::int32_t clockBefore = clock;
      const std::uint8_t stateBefore = state;
      const Board before = puzzle.Board();
      const std::size_t atBefore = at;
      rig.host.Clear();
      const QByteArray where = QByteArray("game ") + QByteArray::number(game) + ", step " +
                               QByteArray::number(s) + ", kind " +
                               QByteArray::number(static_cast<int>(step));
      switch (step) {
        case Step::Move: {
          puzzle.Move(pick);
          const Board after = puzzle.Board();
          if (Adapter::CornerReached(before, after)) {
            // A corner reached starts the history afresh.
            record.assign(1, after);
            at = 0;
          } else if (Adapter::kEveryMoveCounts || after != before) {
            record.resize(at + 1);
            record.push_back(after);
            ++at;
          }
          break;
        }
        case Step::Undo: {
          const bool done = puzzle.view.UndoMove();
          QVERIFY2(done == (at > 0), where.constData());
          if (done) --at;
          break;
        }
        case Step::Redo: {
          const bool done = puzzle.view.RedoMove();
          QVERIFY2(done == (at + 1 < record.size()), where.constData());
          if (done) ++at;
          break;
        }
        case Step::Restart: {
          const bool done = puzzle.view.RestartPuzzle();
          QVERIFY2(done == (at > 0), where.constData());
          // Laid at once: no frame, no sound, no tick, the state as it was.
          QVERIFY2(rig.host.delays.empty(), where.constData());
          QVERIFY2(rig.host.sounds.empty(), where.constData());
          QVERIFY2(clock == clockBefore, where.constData());
          QVERIFY2(state == stateBefore, where.constData());
          at = 0;
          break;
        }
        case Step::NewGame:
        case Step::NextVariant:
          newGame(step == Step::NextVariant);
          record.assign(1, puzzle.Board());
          at = 0;
          QVERIFY2(!puzzle.view.UndoMove(), where.constData());
          QVERIFY2(!puzzle.view.RedoMove(), where.constData());
          QVERIFY2(!puzzle.view.RestartPuzzle(), where.constData());
          break;
      }
      QVERIFY2(puzzle.Board() == record[at], where.constData());
      if (step == Step::Undo || step == Step::Redo) {
        const bool done = !rig.host.delays.empty();
        QVERIFY2(done == (at != atBefore), where.constData());
        if (done) {
          // A normal move: its sound first, and a running clock runs on.
          QVERIFY2(!rig.host.sounds.empty() && rig.host.sounds.front() == Adapter::kSound,
                   where.constData());
          if (stateBefore == kRunning) {
            QVERIFY2(clock == clockBefore + Adapter::kTicks, where.constData());
          } else {
            QVERIFY2(clock == clockBefore, where.constData());
          }
        } else {
          QVERIFY2(rig.host.sounds.empty() && clock == clockBefore, where.constData());
        }
      }
      if (step != Step::NewGame && step != Step::NextVariant)
        QVERIFY2(clock >= clockBefore, where.constData());
    }
  }
}

}  // namespace

class HistoryTest : public QObject {
  Q_OBJECT

 private slots:
  void randomGamesBoss() { PlayRandomGames<Boss>(16001); }
  void randomGamesCrux() { PlayRandomGames<Crux>(16002); }
  void randomGamesTilz() { PlayRandomGames<Tilz>(16003); }
  void randomGamesTransit() { PlayRandomGames<Transit>(16004); }

  // TILZ level 5: the push that reaches a corner cannot be taken back, nor
  // can restart return to the board before it; the pushes after it can.
  void tilzCornerReachedIsKept() {
    PuzzleRig rig(kTilz, 610, 333);
    TilzView tilz(rig.ctx);
    tilz.Rules().TilzLevel = 5;
    tilz.MixPuzzle();
    rig.play.PuzzleState[kTilz] = kRunning;
    tilz.Rules().TilzBoard = BoardFromRows({"..1299", "..3499", "999999", "999999", "999999"});
    tilz.PlayMove({2, 0, TilzPush::Left});
    QCOMPARE(tilz.Rules().TilzTargetPhase, 0);
    tilz.PlayMove({1, 0, TilzPush::Left});  // the top-left corner
    QCOMPARE(tilz.Rules().TilzTargetPhase, 1);
    const TilzRules::Board corner = tilz.Rules().TilzBoard;
    QVERIFY(!tilz.UndoMove());
    QVERIFY(!tilz.RestartPuzzle());
    QCOMPARE(BoardText(tilz.Rules().TilzBoard), BoardText(corner));

    tilz.PlayMove({0, 0, TilzPush::Right});
    QVERIFY(tilz.UndoMove());
    QCOMPARE(BoardText(tilz.Rules().TilzBoard), BoardText(corner));
    QCOMPARE(tilz.Rules().TilzTargetPhase, 1);
    QVERIFY(!tilz.UndoMove());
    QVERIFY(tilz.RedoMove());
    QVERIFY(tilz.RestartPuzzle());
    QCOMPARE(BoardText(tilz.Rules().TilzBoard), BoardText(corner));
    QCOMPARE(tilz.Rules().TilzTargetPhase, 1);
  }

  // A refused move (BOSS: no tile beside the gap that way; TILZ: a bump)
  // leaves nothing to undo.
  void refusedMovesAreNotRecorded() {
    PuzzleRig bossRig(kBoss, 500, 733);
    BossView boss(bossRig.ctx);
    bossRig.random.SetScript({1});  // leaves the board solved, gap bottom right
    boss.InitPuzzle();
    boss.PlayMove(BossMove::Up);  // no tile below the gap
    QVERIFY(!boss.UndoMove());

    PuzzleRig tilzRig(kTilz, 610, 333);
    TilzView tilz(tilzRig.ctx);
    tilz.MixPuzzle();
    tilz.Rules().TilzBoard = BoardFromRows({"12####", "34####", "######", "######", "######"});
    tilzRig.host.Clear();
    tilz.PlayMove({0, 0, TilzPush::Right});
    QCOMPARE(tilzRig.host.sounds, std::vector<int>{6});
    QVERIFY(!tilz.UndoMove());
  }
};

ZT_TEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
