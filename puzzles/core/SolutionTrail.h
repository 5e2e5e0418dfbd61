#pragma once

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace zt {

// The last solution a solver gave and the boards it passes through, for
// solvers whose solutions are short but not the fewest. A hint is the first
// move of a fresh solution; fresh solutions of a board and of the board one
// move further on may differ, and a player who follows the first move of each
// could take longer than the first solution said, or go round in circles.
// Keep() prefers the rest of the last solution unless the fresh one is shorter.
//
// `Snapshot` tells boards apart (the board and its goal), `snapshot` takes it
// from the rules and `apply` makes a move. Safe to use from several threads.
template <typename Rules, typename Move, typename Snapshot>
class SolutionTrail {
 public:
  using SnapshotOf = Snapshot (*)(const Rules&);
  using Apply = void (*)(Rules&, const Move&);

  SolutionTrail(SnapshotOf snapshot, Apply apply) : snapshot_(snapshot), apply_(apply) {}

  // The shorter of `fresh`, a solution from the board of `rules`, and the rest
  // of the last solution if it passes through that board (that one on a tie).
  std::vector<Move> Keep(const Rules& rules, std::vector<Move> fresh) {
    if (fresh.empty()) return fresh;
    const Snapshot here = snapshot_(rules);
    std::shared_ptr<const Way> last;
    {
      const std::lock_guard lock(mutex_);
      last = last_;
    }
    if (last) {
      const auto at = std::find(last->boards.begin(), last->boards.end(), here);
      const auto rest = last->boards.end() - at;
      if (rest > 0 && static_cast<std::size_t>(rest) <= fresh.size())
        return std::vector<Move>(last->moves.end() - rest, last->moves.end());
    }
    auto way = std::make_shared<Way>();
    way->moves = fresh;
    way->boards.reserve(fresh.size());
    Rules board = rules;
    for (const Move& move : fresh) {
      way->boards.push_back(snapshot_(board));
      apply_(board, move);
    }
    const std::lock_guard lock(mutex_);
    last_ = std::move(way);
    return fresh;
  }

 private:
  struct Way {
    std::vector<Snapshot> boards;  // boards[i]: the board before moves[i]
    std::vector<Move> moves;
  };

  SnapshotOf snapshot_;
  Apply apply_;
  std::mutex mutex_;
  std::shared_ptr<const Way> last_;
};

}  // namespace zt
