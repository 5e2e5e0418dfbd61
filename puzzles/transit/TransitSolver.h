#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "puzzles/core/SolutionTrail.h"
#include "puzzles/transit/TransitRules.h"

namespace zt {

// Solutions for TRANSIT. One move is one turn of one row or column by one
// cell (TransitMove); replaying it is TransitRules::RotateTransitLine on the
// board it was found for, or the press in the margin that makes that turn.
//
// The solved test compares kind numbers only, so cells of the same kind are
// interchangeable: any arrangement whose kinds copy the pattern counts, and the
// solver takes whichever same-kind cell is cheapest to bring.
//
// Boards one or two turns from the pattern get the fewest turns by trying
// them all. Other solutions are built, not searched for: six lines are filled
// one after the other, each cell brought in by the cheapest of a few short
// insertions that keep every finished cell (a column steps down to meet a
// free row and comes back with the cell), or several cells of the line at once
// when one turn of a free row serves them all. The last line is then permuted
// in place from a table, built once for all solvers, of the cheapest products
// of its own turns and of 3-cycles that leave the other 42 cells alone. Every
// turn is an even permutation of the 49 cells (a 7-cycle), so the last line
// chosen is one whose pattern holds a kind twice: two such cells can trade
// places, which puts any parity right.
//
// Every line that can come last is tried, in both orientations and filled
// from either side, greedily; the best few are built again keeping several
// fillings of each line. Turns of parallel lines commute, so neighbouring
// turns of one line are merged and the shorter way round the ring is taken;
// single steps and pairs of opposite steps that the solution can do without
// are dropped.
//
// A solve from a board that the solver's last solution passes through keeps to
// the rest of that solution unless the new one is shorter: built afresh from
// each board, solutions of the same board seen a turn later differ, and a
// player who follows the first turn of each could go round in circles.
//
// Returns no moves for a finished board, and std::nullopt when the solve was
// cancelled (`cancel`, optional, is polled between lines) or the board's
// kinds differ from the pattern's, so no turns can reach it. Solves may run at
// once on several threads.
class TransitSolver {
 public:
  TransitSolver();

  std::optional<std::vector<TransitMove>> Solve(const TransitRules& rules,
                                                const std::atomic<bool>* cancel = nullptr) const;

 private:
  // A board and its pattern.
  using Snapshot = std::pair<TransitRules::Grid, TransitRules::Grid>;
  using Trail = SolutionTrail<TransitRules, TransitMove, Snapshot>;
  std::shared_ptr<Trail> trail_;  // shared by the copies of a solver
};

}  // namespace zt
