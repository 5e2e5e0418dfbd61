#pragma once

#include <QString>

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

}  // namespace zt
