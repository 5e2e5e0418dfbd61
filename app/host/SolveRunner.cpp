#include "app/host/SolveRunner.h"

#include <algorithm>

namespace zt {

SolveRunner::~SolveRunner() {
  Cancel();
  for (const auto& job : cancelled_) {
    if (job->thread.joinable()) job->thread.join();
  }
  // What the workers posted back is dropped with this object.
}

bool SolveRunner::Start(std::unique_ptr<SolveTask> task, Done done) {
  if (current_ || !task) return false;
  auto job = std::make_shared<Job>();
  job->task = std::move(task);
  job->done = std::move(done);
  current_ = job;
  // The worker sees only the task and the flag; the job stays alive in this
  // runner until its thread is joined.
  Job* raw = job.get();
  job->thread = std::thread([this, raw, job = std::weak_ptr<Job>(job)] {
    raw->task->Run(raw->cancel);
    QMetaObject::invokeMethod(
        this,
        [this, job] {
          if (auto finished = job.lock()) Finished(finished);
        },
        Qt::QueuedConnection);
  });
  return true;
}

void SolveRunner::Cancel() {
  if (!current_) return;
  current_->cancel = true;
  cancelled_.push_back(std::move(current_));
  current_.reset();
}

void SolveRunner::Finished(const std::shared_ptr<Job>& job) {
  // The worker has nothing left to do but end.
  if (job->thread.joinable()) job->thread.join();
  if (job == current_) {
    current_.reset();
    if (job->done) job->done(std::move(job->task));
    return;
  }
  cancelled_.erase(std::remove(cancelled_.begin(), cancelled_.end(), job), cancelled_.end());
}

}  // namespace zt
