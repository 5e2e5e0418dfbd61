#pragma once

#include <QString>

namespace zt {

// A player for one music file at a time, with the operations the music box
// needs. The real one plays through SDL2_mixer; tests put a scripted one in.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;

  // Opens the file for playing from its start; false if it cannot be played.
  virtual bool Open(const QString& path) = 0;
  // Plays from the current position, from the start again once the tune has
  // ended, and returns at once. False if playing could not start.
  virtual bool Play() = 0;
  // Pauses if playing, resumes if paused, else does nothing.
  virtual void Pause() = 0;
  // Stops playing; the next Play starts from the beginning.
  virtual void Stop() = 0;
  // Releases the file.
  virtual void Close() = 0;
  // Whether the tune is sounding right now (not paused, not ended).
  virtual bool Playing() = 0;
  // Whether the file stopped short of its end: it loaded, but cannot be
  // played through, and playing it again would only fail again.
  virtual bool Broken() = 0;
};

}  // namespace zt
