#pragma once

#include <QTimer>
#include <array>
#include <cstddef>
#include <memory>

#include "app/host/SolveRunner.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/SolveTask.h"

namespace zt {

class PuzzleHost;
class HostView;

// Hints and the played solution. The current puzzle's solver searches on a
// worker thread; meanwhile the window goes on as ever, and after a moment it
// shows that the game is thinking. A hint then marks the next move until the
// next input or for two seconds; a played solution makes every move as a
// press would, one after the other, until the puzzle is solved or any input
// stops it. A game in which either happened is a helped game until its next
// new mix: solved, it offers no entry in the best times.
class HintDriver {
 public:
  // How long a search may take before the thinking sign shows.
  static constexpr int kThinkingAfterMs = 150;
  // How long a hint's mark stays.
  static constexpr int kMarkMs = 2000;
  // The pause between two moves of a played solution, in which input that
  // came during the move is handled first.
  static constexpr int kStepGapMs = 40;
  // A solution comes in legs when the puzzle's goal moves on as it is reached
  // (TILZ's level 5 corners); a search that never gets to the end must not
  // play on for ever.
  static constexpr int kMostLegs = 8;

  HintDriver(PuzzleHost& host, HostView& view);

  // The next move's mark, once the search has found it. While a search runs
  // this does nothing; while a solution plays it stops it.
  void Hint();
  // The whole solution played; while it plays, this stops it; while a search
  // runs it does nothing.
  void Solve();
  // Input: the search cancelled, the mark erased, the playing stopped.
  void Stop();

  bool Searching() const { return runner_.Busy(); }
  bool Marking() const { return marking_; }
  // A solution plays (also between the legs of TILZ's level 5).
  bool Playing() const { return playing_; }
  bool ThinkingShown() const { return thinkingShown_; }

  // Tests that do not watch the pace play without the pause between moves.
  void SetStepGap(int ms) { stepGap_.setInterval(ms); }

  bool Helped(int puzzle) const { return helped_[puzzle]; }
  // A new mix of the puzzle: its game is no longer helped.
  void NewGame(int puzzle) { helped_[puzzle] = false; }
  // The play area was drawn afresh: the mark again, if one shows.
  void Repaint();

 private:
  enum class Goal { Mark, Play };
  void Search(Goal goal);
  void Found(std::unique_ptr<SolveTask> task);
  void PlayStep();
  void EraseMark();
  void ShowThinking(bool on);

  PuzzleHost& host_;
  HostView& view_;
  QTimer thinking_;
  QTimer markTime_;
  QTimer stepGap_;
  std::unique_ptr<SolveTask> solution_;  // the one marked or played
  int puzzle_ = kCrux;                   // whose it is
  std::size_t step_ = 0;
  int legs_ = 0;
  Goal goal_ = Goal::Mark;
  bool marking_ = false;
  bool playing_ = false;
  bool thinkingShown_ = false;
  std::array<bool, kPuzzleCount> helped_{};
  // Last: its destructor cancels and joins any search still running.
  SolveRunner runner_;
};

}  // namespace zt
