#pragma once

#include <array>

#include "core/SettingsStore.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// The values of section "common", as the program holds them.
struct GameSettings {
  int tongue = -1;   // the language, see core/Language.h
  int mode = kCrux;  // the current puzzle
  // Each puzzle's variant, by puzzle number; which stored keys they are and
  // their ranges are in the puzzle catalog.
  std::array<VariantValues, kPuzzleCount> variants = DefaultVariants();
  bool sound = true;
  bool music = true;

  bool operator==(const GameSettings&) const = default;

  static std::array<VariantValues, kPuzzleCount> DefaultVariants();
};

// Reads section "common" and brings the variants into range. A mode outside
// 0..3 starts with CRUX, as if nothing were stored.
GameSettings ReadGameSettings(const SettingsReader& store);
// Sets all nine values in a save.
void PutGameSettings(SettingsEdit& edit, const GameSettings& s);
// Writes all nine values in one save; false if it failed.
bool WriteGameSettings(SettingsStore& store, const GameSettings& s);

}  // namespace zt
