#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <set>

#include "app/sound/MusicPlayer.h"

namespace zt {

// Background music: the "*.mid" files of the game's folder, then those of the
// player's own music folder, in name order within each folder. The first tune
// plays in a loop; each time the music is switched on the next file is taken.
// A file that cannot be played is skipped for the rest of the run; when none
// can, the music stays silent.
class MusicBox {
 public:
  // Plays through SDL2_mixer; nothing is loaded before the music is needed.
  MusicBox();
  explicit MusicBox(std::unique_ptr<MusicPlayer> player);
  ~MusicBox();
  MusicBox(const MusicBox&) = delete;
  MusicBox& operator=(const MusicBox&) = delete;

  // At start-up: looks for the files and opens the first; true if there is
  // one (the music button is then enabled). Only reads the folder: the player
  // itself opens the file when it is first to play.
  bool MusicStart(const QString& programDir);
  // The same over several folders, searched in the order given.
  bool MusicStart(const QStringList& folders);
  // At every timer tick: (re)starts the music when it is on and not playing.
  void MusicUpkeep(bool musicOn);
  // The music button was clicked; down: the next file opens and plays; up: pause.
  void MidiBtnClick(bool down);
  // Stops the music and releases the file; the box stays silent afterwards.
  void Close();

  // The file that plays or would play next (empty if none).
  QString CurrentFile() const;

 private:
  void Search();
  void Step();
  bool OpenFrom(qsizetype first);
  void PlayCurrent();

  std::unique_ptr<MusicPlayer> player_;
  QStringList folders_;
  QStringList files_;  // full paths
  qsizetype current_ = -1;
  bool opened_ = false;
  bool silent_ = false;  // every file failed
  bool closed_ = false;
  std::set<QString> broken_;
};

}  // namespace zt
