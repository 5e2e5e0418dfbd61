#pragma once

#include <QString>

namespace zt {

// The main window's texts in both languages.
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
  CruxBtn,
  TilzBtn,
  BossBtn,
  TransitBtn,
  TimeLabel,
  TongueBtn,
  HelpBtn,
  InfoBtn,
  ZindleBtn,
};

QString HintText(Hint hint, bool german);
// The rules of puzzle mode 0..3; "\r" breaks the line.
QString RulesText(int mode, bool german);

}  // namespace zt
