#pragma once

#include <QString>
#include <QStringList>

#include "core/GameSettings.h"
#include "highscore/HighscoreList.h"

namespace zt::test {

inline const QString kKilledListKey = QStringLiteral("boss32");

// One of the two states the save loop writes in turn: the quit's values and
// one best-times list with its player.
struct SaveState {
  int mode;
  bool sound;
  bool music;
  int tongue;
  QString windowPosition;
  QStringList names;
  QString player;

  GameSettings Settings() const {
    GameSettings s;
    s.mode = mode;
    s.sound = sound;
    s.music = music;
    s.tongue = tongue;
    s.variants[kBoss] = {mode == 1 ? 6 : 4, mode == 1 ? 4 : 2};
    return s;
  }
  HighscoreTable List() const {
    HighscoreTable table;
    for (int i = 0; i < kHighscorePlaces; ++i)
      table[i] = HighscoreEntry{names[i], 10 * (i + 1)};
    return table;
  }
};

// Old and new: "Zed" placed second pushes Emil off the list.
inline const SaveState kSaveStates[2] = {
    {1, true, false, 0, "200,0,1,10,20,516,419", {"Anna", "Bert", "Cleo", "Dora", "Emil"}, "Emil"},
    {2, false, true, 1, "200,0,1,300,40,806,439", {"Anna", "Zed", "Bert", "Cleo", "Dora"}, "Zed"},
};

}  // namespace zt::test
