#pragma once

#include <array>
#include <memory>

struct Mix_Chunk;

namespace zt {

namespace sound {
class AudioDevice;
}

// Sound effects: the seven built-in wave sounds, one at a time. Without a
// usable audio device everything here is silent and harmless. The device is
// opened at the first effect, not before.
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

 private:
  std::shared_ptr<sound::AudioDevice> device_;
  std::array<Mix_Chunk*, 7> chunks_{};
};

}  // namespace zt
