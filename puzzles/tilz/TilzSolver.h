#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "puzzles/tilz/TilzRules.h"

namespace zt {

// One move of TILZ (TilzMove from the rules): one push of one plate by one
// cell, the plate named by its anchor (top-left) cell. Replaying it is
// TilzRules::PushPlate(column, row, push) on the board it was found for, or the
// press that makes that push.
//
// Finds the fewest pushes that bring the big plate's anchor onto the current
// target: the level's target, or on level 5 the corner that counts now (the
// later corners are later solves, each from the board the earlier one leaves).
//
// Returns no moves when the big plate already stands on the target, and
// std::nullopt when the search was cancelled or the board is not one the rules
// can produce (broken plates, no big plate, no way to the target).
//
// Levels 1 to 3 are small enough to know every position: the first solve on
// such a level lists the positions play can reach from its start with their
// fewest pushes (81 340 positions and under 1 MB for level 3, fewer for the
// others), and later solves on it only look them up. Levels 4 and 5, with 0.6
// and 13 million positions, and boards made by hand are searched with A*,
// guided by a looser puzzle's distances.
//
// Solves may run at once on several threads; copies of a solver share its
// tables, which go when the last copy goes. `cancel` (optional) is polled every
// few hundred positions.
class TilzSolver {
 public:
  TilzSolver();

  std::optional<std::vector<TilzMove>> Solve(const TilzRules& rules,
                                             const std::atomic<bool>* cancel = nullptr) const;

 private:
  static constexpr int kTabledLevels = 3;
  struct LevelTable;
  struct Shared {
    std::mutex mutex;
    std::array<std::shared_ptr<const LevelTable>, kTabledLevels> tables;
  };
  static std::shared_ptr<const LevelTable> BuildLevelTable(int level,
                                                           const std::atomic<bool>* cancel);
  std::shared_ptr<const LevelTable> TableFor(int level, const std::atomic<bool>* cancel) const;

  std::shared_ptr<Shared> shared_;
};

}  // namespace zt
