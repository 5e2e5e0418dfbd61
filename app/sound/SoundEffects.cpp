#include "app/sound/SoundEffects.h"

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerApi.h"
#include "assets/sound/EffectImages.h"

namespace zt {

SoundEffects::SoundEffects() : device_(sound::AudioDevice::Shared()) {}

SoundEffects::~SoundEffects() {
  for (Mix_Chunk* chunk : chunks_) {
    if (chunk) device_->Api().FreeChunk(chunk);  // halts it first if it still sounds
  }
}

void SoundEffects::PlayEffect(int n) {
  if (n < 1 || n > static_cast<int>(chunks_.size())) return;
  if (!device_->Ready()) return;
  const sound::MixerApi& api = device_->Api();
  Mix_Chunk*& chunk = chunks_[static_cast<std::size_t>(n - 1)];
  if (!chunk) {
    const std::span<const unsigned char> image = sound::EffectImage(n);
    if (image.empty()) return;
    SDL_RWops* source = api.RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (source) chunk = api.LoadWAV_RW(source, 1);
    if (!chunk) return;
  }
  // On the one effect channel a new effect replaces the one still sounding.
  api.PlayChannelTimed(sound::AudioDevice::kEffectChannel, chunk, 0, -1);
}

bool SoundEffects::WaveOutputPresent() const {
  return device_->Ready();
}

}  // namespace zt
