#pragma once

#include <QString>

namespace zt {

// Sound effects: the seven built-in wave sounds, one at a time. Without a
// usable audio device everything here is silent and harmless.
class SoundEffects {
 public:
  SoundEffects();
  ~SoundEffects();
  SoundEffects(const SoundEffects&) = delete;
  SoundEffects& operator=(const SoundEffects&) = delete;

  // Plays effect n (1..7) at once, cutting off the effect still sounding.
  void PlayEffect(int n);
  // Whether there is a device to play on.
  bool WaveOutputPresent() const;
};

// Background music: the "*.mid" files of the program's folder, in name order.
class MusicBox {
 public:
  MusicBox();
  ~MusicBox();
  MusicBox(const MusicBox&) = delete;
  MusicBox& operator=(const MusicBox&) = delete;

  // At start-up: looks for the files and opens the first; true if there is
  // one (the music button is then enabled).
  bool MusicStart(const QString& programDir);
  // At every timer tick: (re)starts the music when it is on and not playing.
  void MusicUpkeep(bool musicOn);
  // The music button was clicked; down: the next file opens and plays; up: pause.
  void MidiBtnClick(bool down);
  // Stops the music and releases the file.
  void Close();
};

}  // namespace zt
