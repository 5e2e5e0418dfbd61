#pragma once

#include <QFrame>
#include <array>

#include "app/window/ClockDisplay.h"
#include "app/window/ToolButton.h"
#include "puzzles/core/PlayState.h"

class QButtonGroup;
class QLabel;

namespace zt {

class PuzzleHost;

// The toolbar across the top of the main window: the game's buttons, the four
// puzzle buttons (one of them down), the clock, and language, help, about and
// the makers' page. It only holds and labels its controls; the main window
// connects them.
class Toolbar final : public QFrame {
 public:
  static constexpr int kHeight = 33;

  Toolbar(QWidget* parent, PuzzleHost& host);

  // The hints of every button and the clock's label, in one language; each
  // control's hint is its accessible description too.
  void SetHints(bool german);
  // What each control does, as a screen reader names it, in one language.
  void SetAccessibleNames(bool german);

  ToolButton* PuzzleBtn(int puzzle) const { return puzzleBtns_[puzzle]; }
  // Exactly one puzzle button is down; a click on another reports its number.
  QButtonGroup* PuzzleGroup() const { return puzzleGroup_; }
  ClockDisplay* Clock() const { return clock_; }

  ToolButton* MixBtn = nullptr;
  ToolButton* OptionBtn = nullptr;
  ToolButton* PauseBtn = nullptr;
  ToolButton* SoundBtn = nullptr;
  ToolButton* MidiBtn = nullptr;
  ToolButton* HighScoreBtn = nullptr;
  ToolButton* ExitBtn = nullptr;
  ToolButton* LanguageBtn = nullptr;
  ToolButton* HelpBtn = nullptr;
  ToolButton* InfoBtn = nullptr;
  ToolButton* ZindleBtn = nullptr;
  QLabel* TimeLabel = nullptr;

 private:
  std::array<ToolButton*, kPuzzleCount> puzzleBtns_{};
  QButtonGroup* puzzleGroup_ = nullptr;
  ClockDisplay* clock_ = nullptr;
};

}  // namespace zt
