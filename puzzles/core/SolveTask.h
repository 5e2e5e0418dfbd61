#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace zt {

// A search for the moves that solve a board, made by a puzzle on the
// user-interface thread and run once on a worker thread. It holds its own copy
// of the board and of the solver, so the puzzle may go on meanwhile; the
// puzzle that made it reads the moves back once it has run.
class SolveTask {
 public:
  virtual ~SolveTask() = default;
  // Runs the search, polling cancel; on any thread, once.
  virtual void Run(const std::atomic<bool>& cancel) = 0;
  // After Run: whether moves were found (none when the board was already
  // solved), and how many.
  virtual bool Found() const = 0;
  virtual std::size_t Steps() const = 0;
};

// The moves of a solution, of one puzzle's move type.
template <typename Move>
class MovesTask final : public SolveTask {
 public:
  using Search = std::function<std::optional<std::vector<Move>>(const std::atomic<bool>*)>;

  explicit MovesTask(Search search) : search_(std::move(search)) {}
  void Run(const std::atomic<bool>& cancel) override {
    if (search_) moves_ = search_(&cancel);
    // What the search held (its board and solver) is of no use any more.
    search_ = nullptr;
  }
  bool Found() const override { return moves_.has_value(); }
  std::size_t Steps() const override { return moves_ ? moves_->size() : 0; }
  // Move i of the solution, or null when there is none (also for a task of
  // another move type).
  static const Move* StepOf(const SolveTask& task, std::size_t i) {
    const auto* moves = dynamic_cast<const MovesTask*>(&task);
    if (!moves || !moves->moves_ || i >= moves->moves_->size()) return nullptr;
    return &(*moves->moves_)[i];
  }

 private:
  Search search_;
  std::optional<std::vector<Move>> moves_;
};

// A puzzle's way to its solver: given or not (a puzzle without a solver has no
// hints), and the tasks it makes from a board.
template <typename Rules, typename Move>
class HintSearch {
 public:
  // std::nullopt: cancelled or no solution; no moves: already solved.
  using Solve =
      std::function<std::optional<std::vector<Move>>(const Rules&, const std::atomic<bool>*)>;

  void Set(Solve solve) { solve_ = std::move(solve); }
  bool Given() const { return static_cast<bool>(solve_); }
  // A task that solves a copy of rules, or null without a solver.
  std::unique_ptr<SolveTask> Task(const Rules& rules) const {
    if (!solve_) return nullptr;
    return std::make_unique<MovesTask<Move>>(
        [solve = solve_, rules](const std::atomic<bool>* cancel) { return solve(rules, cancel); });
  }

 private:
  Solve solve_;
};

}  // namespace zt
