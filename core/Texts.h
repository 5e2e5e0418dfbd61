#pragma once

#include <QString>
#include <cstdint>

#include "puzzles/catalog/PuzzleCatalog.h"

namespace zt {

// The main window's texts in both languages (each puzzle's own are in its
// catalog entry).
enum class Hint {
  MixBtn,
  OptionBtn,
  LevelLabel,
  PauseBtn,
  SoundBtnDown,
  SoundBtnUp,
  MidiBtnDown,
  MidiBtnUp,
  HighScoreBtn,
  ExitBtn,
  TimeLabel,
  LanguageBtn,
  HelpBtn,
  InfoBtn,
  ZindleBtn,
};

QString HintText(Hint hint, bool german);

// The caption of the game's error messages.
QString ErrorCaption(bool german);
// A picture file (an atlas) that cannot be used, named by its path.
QString PictureFailureText(const QString& path, bool german);
// Not enough memory to start.
QString MemoryFailureText(bool german);
// One of a puzzle's texts from its catalog entry.
QString PuzzleText(const Words& words, bool german);

// What the toolbar's controls do, as a screen reader names them (their
// hints are the longer descriptions). The puzzle buttons are named by their
// puzzles.
enum class ControlName {
  MixBtn,
  OptionBtn,
  PauseBtn,
  SoundBtn,
  MidiBtn,
  HighScoreBtn,
  ExitBtn,
  LanguageBtn,
  HelpBtn,
  InfoBtn,
  ZindleBtn,
  Clock,
  PlayArea,
};
QString ControlNameText(ControlName name, bool german);
// The clock's name with the time it shows: "Time: 345" ("Zeit: 345").
QString ClockName(std::int32_t clock, bool german);
// The play area's name: the puzzle and its variant, "BOSS 5 x 3" or
// "CRUX pattern 2" ("CRUX Muster 2").
QString PlayAreaName(int puzzle, const VariantValues& variant, bool german);

}  // namespace zt
