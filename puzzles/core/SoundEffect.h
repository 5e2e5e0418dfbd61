#pragma once

namespace zt {

// The game's seven sound effects. The values are the numbers of the built-in
// wave sounds (effect1.wav .. effect7.wav).
enum class SoundEffect : int {
  CruxMove = 1,     // a CRUX track slides
  TilzPush = 2,     // a TILZ plate moves
  BossMove = 3,     // a BOSS tile moves
  TransitMove = 4,  // a TRANSIT row or column turns
  Solved = 5,       // any puzzle solved
  TilzBlocked = 6,  // a TILZ plate bumps into something
  TilzCorner = 7,   // TILZ level 5: a corner reached, the next one is the target
};
inline constexpr int kSoundEffectCount = 7;

}  // namespace zt
