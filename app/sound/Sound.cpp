#include "app/sound/Sound.h"

// Silent placeholders until the sound layer is built.
namespace zt {

SoundEffects::SoundEffects() = default;
SoundEffects::~SoundEffects() = default;
void SoundEffects::PlayEffect(int) {}
bool SoundEffects::WaveOutputPresent() const {
  return false;
}

MusicBox::MusicBox() = default;
MusicBox::~MusicBox() = default;
bool MusicBox::MusicStart(const QString&) {
  return false;
}
void MusicBox::MusicUpkeep(bool) {}
void MusicBox::MidiBtnClick(bool) {}
void MusicBox::Close() {}

}  // namespace zt
