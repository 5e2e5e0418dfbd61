#include "puzzles/catalog/PuzzleViews.h"

#include "puzzles/boss/BossView.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
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

}  // namespace

std::array<std::unique_ptr<Puzzle>, kPuzzleCount> MakePuzzleViews(const PuzzleContext& ctx) {
  std::array<std::unique_ptr<Puzzle>, kPuzzleCount> views;
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle)
    views[puzzle] = kMakers[puzzle](ctx);
  return views;
}

}  // namespace zt
