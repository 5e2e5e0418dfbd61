#pragma once

#include <span>

namespace zt::sound {

// The complete wave file image (RIFF, 8-bit mono PCM) of sound effect n, 1..7:
// 1 CRUX move, 2 TILZ push, 3 BOSS move, 4 TRANSIT move, 5 solved,
// 6 TILZ push blocked, 7 TILZ corner reached. Empty for any other number.
// The images are synthesised at build time by assets/sound/SoundFx.cpp.
std::span<const unsigned char> EffectImage(int n);

}  // namespace zt::sound
