#pragma once

#include <atomic>
#include <optional>
#include <vector>

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
// The solution is built, not searched for: six lines are filled cell by cell,
// each cell brought in by the fewest turns of a few insertions that keep the
// finished cells (parallel lines commute, so a column taken down and back up
// leaves its finished cells where they were). The last line is then permuted
// in place by a table of the cheapest products of line turns and 3-cycles
// that leave the other 42 cells alone, built once for all solvers. Every
// turn is an even permutation of the 49 cells (a 7-cycle), so the last line
// chosen is one whose pattern holds a kind twice: two such cells can always
// swap places, which makes any parity right. Several choices of the last line
// and the filling order are tried and the shortest result is kept, after
// turns of the same line are merged and the shorter way round a ring is taken.
//
// Returns no moves for a finished board, and std::nullopt when the solve was
// cancelled (`cancel`, optional, is polled between cells) or the board's
// kinds differ from the pattern's, so no turns can reach it. Solves may run at
// once on several threads.
class TransitSolver {
 public:
  std::optional<std::vector<TransitMove>> Solve(const TransitRules& rules,
                                                const std::atomic<bool>* cancel = nullptr) const;
};

}  // namespace zt
