#include "puzzles/catalog/PuzzleViews.h"

#include "puzzles/boss/BossSolver.h"
#include "puzzles/boss/BossView.h"
#include "puzzles/crux/CruxSolver.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzSolver.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitSolver.h"
#include "puzzles/transit/TransitView.h"

namespace zt {

namespace {

template <typename View>
std::unique_ptr<Puzzle> Make(const PuzzleContext& ctx) {
  return std::make_unique<View>(ctx);
}

using Maker = std::unique_ptr<Puzzle> (*)(const PuzzleContext&);

// By puzzle number, as the catalog.
constexpr std::array<Maker, kPuzzleCount> kMakers{&Make<CruxView>, &Make<TilzView>, &Make<BossView>,
                                                  &Make<TransitView>};

// Each view's hints from its puzzle's solver. A solver's copies share its
// tables, so the copy each search takes along is cheap.
void GiveSolvers(std::array<std::unique_ptr<Puzzle>, kPuzzleCount>& views) {
  static_cast<TilzView&>(*views[kTilz])
      .SetHintSearch(
          [solver = TilzSolver()](const TilzRules& rules, const std::atomic<bool>* cancel) {
            return solver.Solve(rules, cancel);
          });
  static_cast<BossView&>(*views[kBoss])
      .SetHintSearch(
          [solver = BossSolver()](const BossRules& rules, const std::atomic<bool>* cancel) {
            return solver.Solve(rules, cancel);
          });
  static_cast<CruxView&>(*views[kCrux])
      .SetHintSearch(
          [solver = CruxSolver()](const CruxRules& rules, const std::atomic<bool>* cancel) {
            return solver.Solve(rules, cancel);
          });
  static_cast<TransitView&>(*views[kTransit])
      .SetHintSearch(
          [solver = TransitSolver()](const TransitRules& rules, const std::atomic<bool>* cancel) {
            return solver.Solve(rules, cancel);
          });
}

}  // namespace

std::array<std::unique_ptr<Puzzle>, kPuzzleCount> MakePuzzleViews(const PuzzleContext& ctx) {
  std::array<std::unique_ptr<Puzzle>, kPuzzleCount> views;
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle)
    views[puzzle] = kMakers[puzzle](ctx);
  GiveSolvers(views);
  return views;
}

}  // namespace zt
