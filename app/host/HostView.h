#pragma once

#include "puzzles/core/SoundEffect.h"

namespace zt {

// What the puzzle host needs from the window around it. The main window
// implements it; tests use a recording fake.
class HostView {
 public:
  virtual ~HostView() = default;
  virtual void SetTimerEnabled(bool on) = 0;
  // The sound button is down.
  virtual bool SoundOn() const = 0;
  virtual void PlayEffect(SoundEffect effect) = 0;
  // The music check of every timer tick.
  virtual void MusicUpkeep() = 0;
  // The clock picture changed: show it now.
  virtual void PresentClock() = 0;
  // Loads the atlas of puzzle mode into the canvas; false (after telling the
  // player) when it cannot, in which case nothing has changed.
  virtual bool LoadAtlas(int mode) = 0;
  // RulesShape to the current puzzle's place.
  virtual void PlaceRulesShape() = 0;
  // The option button's state for the current puzzle.
  virtual void EnableOptionBtn() = 0;
  // Hints, rules text and time label in the current language.
  virtual void SetHints() = 0;
  // The level label's text and place for the current puzzle.
  virtual void ShowLevel() = 0;
  // Repaints the whole window now (the play area through PlayAreaPaint).
  virtual void RepaintWindow() = 0;
  // The clock timer runs if the current puzzle's clock runs (after a move
  // that did not come from the window's own input).
  virtual void WakeTimer() = 0;
  // Shows, or takes away, the sign that the game is searching for a solution.
  virtual void ShowThinking(bool on) = 0;
};

}  // namespace zt
