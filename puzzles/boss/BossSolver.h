#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "puzzles/boss/BossRules.h"
#include "puzzles/core/SolutionTrail.h"

namespace zt {

// Solutions for BOSS. One move is one tile sliding into the gap, named as the
// rules name it (BossMove: the way the tile travels); replaying it is
// BossRules::Move on the board it was found for, or the press or arrow key
// that makes that move.
//
// Boards of at most 16 cells (3 x 2 up to 4 x 4, 5 x 3 and 3 x 5) get a
// solution in the fewest moves: IDA* guided by additive pattern databases
// that follow the gap, built the first time a size is solved (about two
// seconds for 4 x 4, whose tiles are grouped in two ways, each also seen
// mirrored, in six tables of 35 MB; about a second for 5 x 3 and 3 x 5, whose
// tiles are grouped by rows and by columns, 47 MB; far less for the smaller
// sizes).
// The tables of the sizes used last are kept up to kKeptBytes. Larger boards
// get a short solution: rows and then columns are put in place from the top
// left, two tiles at a time by the fewest moves that leave the finished cells
// alone (once few cells are free, the last three of a line also together, if
// that is shorter), and the last 4 x 3 block is solved in the fewest moves. A
// solve from a board that the last such solution passes through keeps to the
// rest of it unless the new one is shorter, so that following the first move of
// each never takes longer than the first solution said.
//
// Solves may run at once on several threads; copies of a solver share its
// pattern databases, which go when the last copy goes.
class BossSolver {
 public:
  static constexpr int kShortestCells = 16;
  static bool FindsShortest(int columns, int rows) { return columns * rows <= kShortestCells; }

  // Tables are kept for the sizes used last, up to this many bytes (the
  // tables of one size stay while it is solved, even beyond).
  static constexpr std::size_t kKeptBytes = std::size_t{48} << 20;

  explicit BossSolver(std::size_t keptBytes = kKeptBytes);

  // The moves from the board to the solved board: none when it is solved,
  // std::nullopt when the search was cancelled (`cancel`, optional, is polled
  // every few thousand positions) or the board is not one the rules can
  // produce (size out of range, codes missing or twice, a tile of the wrong
  // colour, the gap elsewhere than GapColumn/GapRow, or an arrangement no play
  // can solve).
  std::optional<std::vector<BossMove>> Solve(const BossRules& rules,
                                             const std::atomic<bool>* cancel = nullptr) const;

  struct PatternSet;

 private:
  struct Kept {
    std::shared_ptr<const PatternSet> patterns;
    std::uint64_t lastUse = 0;
  };
  struct Shared {
    explicit Shared(std::size_t bytes) : keptBytes(bytes) {}
    const std::size_t keptBytes;
    std::mutex mutex;
    std::uint64_t uses = 0;
    std::map<std::pair<int, int>, Kept> patterns;
  };
  // A board and its solved arrangement.
  using Snapshot = std::pair<BossRules::Grid, BossRules::Grid>;
  using Trail = SolutionTrail<BossRules, BossMove, Snapshot>;
  std::optional<std::vector<BossMove>> Build(const BossRules& rules,
                                             const std::atomic<bool>* cancel) const;
  std::shared_ptr<const PatternSet> PatternsFor(int columns, int rows,
                                                const std::atomic<bool>* cancel) const;

  std::shared_ptr<Shared> shared_;
  std::shared_ptr<Trail> trail_;  // of the larger boards
};

}  // namespace zt
