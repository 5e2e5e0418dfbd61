#include "app/host/HintDriver.h"

#include "app/host/HostView.h"
#include "app/host/PuzzleHost.h"

namespace zt {

HintDriver::HintDriver(PuzzleHost& host, HostView& view) : host_(host), view_(view) {
  thinking_.setSingleShot(true);
  thinking_.setInterval(kThinkingAfterMs);
  QObject::connect(&thinking_, &QTimer::timeout, [this] {
    if (runner_.Busy()) ShowThinking(true);
  });
  markTime_.setSingleShot(true);
  markTime_.setInterval(kMarkMs);
  QObject::connect(&markTime_, &QTimer::timeout, [this] {
    EraseMark();
    solution_.reset();
  });
  stepGap_.setSingleShot(true);
  stepGap_.setInterval(kStepGapMs);
  QObject::connect(&stepGap_, &QTimer::timeout, [this] { PlayStep(); });
}

void HintDriver::Hint() {
  if (playing_) {
    Stop();
    return;
  }
  if (runner_.Busy()) return;
  Stop();
  Search(Goal::Mark);
}

void HintDriver::Solve() {
  if (playing_) {
    Stop();
    return;
  }
  if (runner_.Busy()) return;
  Stop();
  playing_ = true;
  legs_ = 0;
  Search(Goal::Play);
}

void HintDriver::Stop() {
  runner_.Cancel();
  thinking_.stop();
  ShowThinking(false);
  stepGap_.stop();
  playing_ = false;
  EraseMark();
  solution_.reset();
}

void HintDriver::Search(Goal goal) {
  std::unique_ptr<SolveTask> task = host_.Current().MakeSolveTask();
  if (!task) {
    playing_ = false;
    return;
  }
  goal_ = goal;
  puzzle_ = host_.Mode();
  runner_.Start(std::move(task),
                [this](std::unique_ptr<SolveTask> found) { Found(std::move(found)); });
  thinking_.start();
}

void HintDriver::Found(std::unique_ptr<SolveTask> task) {
  thinking_.stop();
  ShowThinking(false);
  // Every input cancels the search, so the board is the one it searched.
  if (host_.Mode() != puzzle_ || !task->Found() || task->Steps() == 0) {
    playing_ = false;
    return;
  }
  solution_ = std::move(task);
  step_ = 0;
  if (goal_ == Goal::Mark) {
    if (!host_.Current().DrawHint(*solution_, 0)) {
      solution_.reset();
      return;
    }
    marking_ = true;
    helped_[puzzle_] = true;
    markTime_.start();
    return;
  }
  helped_[puzzle_] = true;
  PlayStep();
}

void HintDriver::PlayStep() {
  if (!playing_ || !solution_ || host_.Mode() != puzzle_) {
    Stop();
    return;
  }
  if (!host_.Current().PlayHint(*solution_, step_)) {
    Stop();
    return;
  }
  // The move may have started the clock: its timer must run.
  view_.WakeTimer();
  ++step_;
  // A modal message on the way (the solved one) may have let input stop us.
  if (!playing_) return;
  if (host_.Play().PuzzleState[puzzle_] == kSolved) {
    Stop();
    return;
  }
  if (step_ >= solution_->Steps()) {
    // The search's goal is reached and the puzzle is not solved yet: TILZ's
    // level 5 has the next corner to reach. Search on from here.
    solution_.reset();
    if (++legs_ >= kMostLegs) {
      Stop();
      return;
    }
    Search(Goal::Play);
    return;
  }
  stepGap_.start();
}

void HintDriver::EraseMark() {
  if (!marking_) return;
  marking_ = false;
  markTime_.stop();
  if (host_.Mode() == puzzle_) host_.Current().PaintPuzzle();
}

void HintDriver::Repaint() {
  if (marking_ && solution_ && host_.Mode() == puzzle_) host_.Current().DrawHint(*solution_, 0);
}

void HintDriver::ShowThinking(bool on) {
  if (thinkingShown_ == on) return;
  thinkingShown_ = on;
  view_.ShowThinking(on);
}

}  // namespace zt
