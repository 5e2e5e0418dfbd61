#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "puzzles/crux/CruxRules.h"

namespace zt {

// Fewest slides for CRUX. One move is one slide of one baulk by one cell, a
// direction of CruxRules (0 right, 1 down, 2 left, 3 up); replaying it is
// CruxRules::ShiftCrux on the board it was found for (CruxCanShift holds for
// every move of a solution), or the press or key that makes that slide.
//
// Pieces with equal numbers are interchangeable: the search sees each piece
// only by its number, so the pattern is a single position.
//
// Play never opens a hole in a baulk: the crossing is full in the pattern and
// every slide refills it from the moving baulk, so each baulk is always six
// cells long and stands at most two cells off the middle (25 placings of the
// two). The search is IDA*, guided by the largest of a few distance tables of
// looser puzzles in which only some of the pattern's numbers are told apart
// (the others are just "a piece"). The tables are built the first time a
// pattern is solved and kept for the last pattern solved only: from 0.1 to 16
// million one-byte entries, built on two threads in a fraction of a second to
// about a second and a half.
//
// The tables guide the search well on patterns of few numbers, where the
// fewest slides are found in milliseconds. On patterns of many numbers (7, 8,
// 11, 15, 16) they fall up to 20 slides short of the truth, and proving the
// fewest can take minutes. So a solve first finds a short solution by a beam
// search (slide after slide it keeps only the thousand positions the tables
// rank nearest), then looks for the fewest slides for the rest of a time
// budget, and settles for the short one when that runs out.
//
// A solve from a board that the last solution passes through keeps to the
// rest of it unless the beam finds a shorter way (and at once when it is known
// to be the fewest): following the first slide of each solution then never
// takes more slides than the first solve said, where fresh short solutions from
// each board could be longer and could even lead round in circles.
class CruxSolver {
 public:
  // How long a solve looks for the fewest slides before it settles for a
  // short solution, counted once the pattern's tables are there.
  static constexpr std::chrono::milliseconds kDefaultExactTime{250};
  // A budget that never runs out: every solve gives the fewest slides.
  static constexpr std::chrono::milliseconds kNoTimeLimit = std::chrono::milliseconds::max();

  explicit CruxSolver(std::chrono::milliseconds exactTime = kDefaultExactTime);

  struct Solution {
    std::vector<int> slides;
    // True when no shorter solution exists: found by the exact search, or as
    // long as the bound that search had reached.
    bool fewest = false;
  };

  // The slides from the board to the pattern: none when it is built,
  // std::nullopt when the search was cancelled (`cancel`, optional, is polled
  // every few thousand positions) or the board is not one play can bring to the
  // pattern: other pieces than the pattern's, pieces off the tracks, or a
  // baulk with holes.
  std::optional<std::vector<int>> Solve(const CruxRules& rules,
                                        const std::atomic<bool>* cancel = nullptr) const;
  // The same, saying whether the slides are known to be the fewest.
  std::optional<Solution> SolveWithProof(const CruxRules& rules,
                                         const std::atomic<bool>* cancel = nullptr) const;

  struct Tables;
  struct Trail;

 private:
  struct Shared {
    std::mutex mutex;
    std::array<std::uint8_t, 36> key{};  // the pattern the tables belong to
    std::shared_ptr<const Tables> tables;
    std::shared_ptr<const Trail> trail;  // the last solution given
  };
  std::shared_ptr<const Tables> TablesFor(const CruxRules& rules,
                                          const std::atomic<bool>* cancel) const;

  std::shared_ptr<Shared> shared_;
  std::chrono::milliseconds exactTime_;
};

}  // namespace zt
