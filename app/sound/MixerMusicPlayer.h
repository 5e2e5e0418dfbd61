#pragma once

#include <QByteArray>
#include <cstdint>
#include <future>
#include <memory>
#include <string>

#include "app/sound/MusicPlayer.h"

struct _Mix_Music;

namespace zt::sound {

class AudioDevice;

// Plays MIDI files through SDL2_mixer's FluidSynth decoder.
//
// Loading a tune builds a synthesiser and reads the whole soundfont, a tenth
// of a second or more; the first one also opens the audio device. That runs
// on a worker thread so that the window never stalls for it; a Play asked for
// meanwhile starts as soon as the tune is ready, and the tune counts as
// playing from the request on.
//
// The synthesiser says "playing" for seconds after a tune's last note while
// the sound dies away, so the end is taken from the file's own length instead,
// measured against the samples really mixed: the loop then restarts on time.
class MixerMusicPlayer : public MusicPlayer {
 public:
  explicit MixerMusicPlayer(std::shared_ptr<AudioDevice> device);
  ~MixerMusicPlayer() override;

  bool Open(const QString& path) override;
  bool Play() override;
  void Pause() override;
  void Stop() override;
  void Close() override;
  bool Playing() override;
  bool Broken() override;

  // How often Open was called, for the tests that make sure a bad file is not
  // tried again and again.
  int OpenAttempts() const { return openAttempts_; }
  // The open tune's length in seconds, and how far it has played.
  double Length() const { return length_; }
  double Position() const;
  // Whether the tune is still being loaded.
  bool Loading() const { return state_ == State::Loading; }

 private:
  enum class State { Closed, Loading, Stopped, Playing, Paused, Ended, Broken };
  // What to do once loading is over: the last of Play, Pause and Stop.
  enum class Wish { Stay, Play, Pause };
  struct Loaded {
    _Mix_Music* music = nullptr;
    std::string error;  // empty when the device or the soundfont is missing
  };

  void Settle(bool wait);
  void Update();
  bool Start();

  std::shared_ptr<AudioDevice> device_;
  QString path_;
  std::future<Loaded> loading_;
  _Mix_Music* music_ = nullptr;
  State state_ = State::Closed;
  Wish wish_ = Wish::Stay;
  bool started_ = false;  // played since it was opened (else a resume starts it)
  double length_ = 0;
  std::uint64_t startFrame_ = 0;  // frames mixed when the position was 0
  std::uint64_t pausedAt_ = 0;    // frames played when paused
  int openAttempts_ = 0;
};

}  // namespace zt::sound
