#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "puzzles/core/SolveTask.h"

namespace zt {

// Runs one solve task at a time on a worker thread of its own and hands the
// finished task back on the thread that made the runner, through its event
// loop, so the window never waits for a search. A cancelled search is told to
// stop and its result dropped; its thread is joined once it has noticed, or at
// the latest when the runner goes.
class SolveRunner final : public QObject {
 public:
  using Done = std::function<void(std::unique_ptr<SolveTask>)>;

  SolveRunner() = default;
  SolveRunner(const SolveRunner&) = delete;
  SolveRunner& operator=(const SolveRunner&) = delete;
  // Cancels every search and waits for their threads.
  ~SolveRunner() override;

  // Starts the task; done gets it back when it has run (not when cancelled).
  // False, and nothing started, while a search runs.
  bool Start(std::unique_ptr<SolveTask> task, Done done);
  // The running search, if any, is cancelled. Returns at once.
  void Cancel();
  bool Busy() const { return current_ != nullptr; }

 private:
  struct Job {
    std::atomic<bool> cancel{false};
    std::unique_ptr<SolveTask> task;
    Done done;
    std::thread thread;
  };
  void Finished(const std::shared_ptr<Job>& job);

  std::shared_ptr<Job> current_;
  std::vector<std::shared_ptr<Job>> cancelled_;
};

}  // namespace zt
