#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "app/host/HintDriver.h"
#include "app/host/HostView.h"
#include "core/GameDialogs.h"
#include "core/HighscoreService.h"
#include "puzzles/core/FrameDriver.h"
#include "puzzles/core/HostServices.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// The puzzle host: keeps the current puzzle, each puzzle's play state and
// clock, runs the 200 ms clock, mixes, switches, and runs the solved sequence.
// It holds no widgets; the main window drives it and shows what it draws.
class PuzzleHost final : public HostServices {
 public:
  // The clock shows six cells of the digit strip, each 11 x 20, 13 apart;
  // the strip holds the digits 0..9 and then the blank.
  static constexpr int kClockCells = 6;
  static constexpr int kDigitWidth = 11;
  static constexpr int kDigitHeight = 20;
  static constexpr int kDigitStep = 13;
  static constexpr int kBlankCell = 10;
  // The clock display, one column wider than the cells cover.
  static constexpr int kClockWidth = 77;
  static constexpr int kClockHeight = kDigitHeight;

  PuzzleHost(HostView& view, GameDialogs& dialogs, HighscoreService& scores, QImage digitStrip);
  // The puzzles are made with this host as their services, so they come second.
  void SetPuzzles(std::array<Puzzle*, kPuzzleCount> puzzles) { puzzles_ = puzzles; }

  // The one driver of every puzzle's move animations.
  FrameDriver& Frames() { return frames_; }
  PlayState& Play() { return play_; }
  const PlayState& Play() const { return play_; }
  int Mode() const { return play_.PuzzleMode; }
  Puzzle& Current() { return *puzzles_[play_.PuzzleMode]; }
  const QString& VariantKey() const { return variantKey_; }
  const QImage& ClockImage() const { return clock_; }
  // The digit strip of another scale (its devicePixelRatio): the clock is
  // made afresh at that scale and drawn again.
  void SetDigitStrip(QImage digitStrip);

  // Start-up: every puzzle never set up and at 0, then the start puzzle laid out.
  void StartUp(int mode);
  // The start puzzle ready (the last of the start-up's puzzle steps).
  void MarkStartPuzzleReady() { play_.PuzzleState[play_.PuzzleMode] = kReady; }

  // Host services.
  void PlaySound(SoundEffect effect) override;
  void Delay(int ms) override;
  void RepaintClock() override;
  void PuzzleSolved() override;
  // Tests replace the wait so that nothing sleeps.
  void SetDelayFunction(std::function<void(int)> delay) { delay_ = std::move(delay); }

  // Handlers.
  void TimerTick();
  void PlayAreaPaint();
  void PlayAreaMouseDown(int x, int y, int button);
  // A key the main window did not take as a command, with the k...Modifier
  // flags held.
  void FormKeyDown(int key, int modifiers = kNoModifier);
  void MixBtnClick();
  // False when the puzzle could not be made current (its atlas did not load).
  bool SelectPuzzle(int mode);
  void PauseBtnClick();
  void HighScoreBtnClick();
  void OptionBtnMouseDown(int button);
  // The current puzzle's history: each is false when there was nothing to do.
  bool UndoMove();
  bool RedoMove();
  bool RestartPuzzle();
  // The hint keys: the next move marked, the whole solution played.
  void HintKey() { hints_.Hint(); }
  void SolveKey() { hints_.Solve(); }
  // Any other input the window takes itself ends a hint or a played solution.
  void StopHints() { hints_.Stop(); }
  HintDriver& Hints() { return hints_; }
  const HintDriver& Hints() const { return hints_; }

  // Sets and returns the name of the current variant's high-score list.
  const QString& MakeVariantKey();
  static QString VariantKeyFor(int mode, int number);

  // The six clock cells for a clock value: digits 0..9, or 10 for a blank.
  static std::array<int, kClockCells> ClockCells(std::int32_t clock);
  // Draws the clock into the 77 x 20 clock picture from the digit strip.
  static void DrawClock(QImage& target, const QImage& digitStrip, std::int32_t clock);

 private:
  HostView& view_;
  GameDialogs& dialogs_;
  HighscoreService& scores_;
  std::array<Puzzle*, kPuzzleCount> puzzles_{};
  QImage digitStrip_;
  QImage clock_;
  PlayState play_;
  FrameDriver frames_{*this, play_};
  QString variantKey_;
  std::function<void(int)> delay_;
  // Last: it stops its searches before anything else goes.
  HintDriver hints_{*this, view_};
};

// Waits ms milliseconds on a monotonic clock by sleeping to a deadline.
void SleepFor(int ms);

}  // namespace zt
