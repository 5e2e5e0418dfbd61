#include "core/GameSettings.h"

#include "core/SettingsKeys.h"
#include "puzzles/catalog/PuzzleCatalog.h"

namespace zt {

using namespace settings;

std::array<VariantValues, kPuzzleCount> GameSettings::DefaultVariants() {
  std::array<VariantValues, kPuzzleCount> variants{};
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle)
    variants[puzzle] = DefaultVariant(puzzle);
  return variants;
}

GameSettings ReadGameSettings(const SettingsStore& store) {
  GameSettings s;
  s.tongue = store.ReadInteger(kCommonSection, kLanguageKey, -1);
  // The mode is kept in a byte, like the puzzle number it is.
  s.mode = store.ReadInteger(kCommonSection, kPuzzleKey, kCrux) & 0xff;
  if (s.mode >= kPuzzleCount) s.mode = kCrux;
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle) {
    const PuzzleEntry& entry = CatalogEntry(puzzle);
    VariantValues stored{};
    for (int i = 0; i < entry.variantValues; ++i) {
      const VariantSetting& setting = entry.variants[i];
      stored[i] = store.ReadInteger(kCommonSection, setting.key, setting.byDefault);
    }
    s.variants[puzzle] = ClampVariant(puzzle, stored);
  }
  s.sound = store.ReadBool(kCommonSection, kSoundKey, true);
  s.music = store.ReadBool(kCommonSection, kMusicKey, true);
  return s;
}

bool WriteGameSettings(SettingsStore& store, const GameSettings& s) {
  bool ok = store.WriteInteger(kCommonSection, kPuzzleKey, s.mode);
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle) {
    const PuzzleEntry& entry = CatalogEntry(puzzle);
    for (int i = 0; i < entry.variantValues; ++i)
      ok = store.WriteInteger(kCommonSection, entry.variants[i].key, s.variants[puzzle][i]) && ok;
  }
  ok = store.WriteBool(kCommonSection, kSoundKey, s.sound) && ok;
  ok = store.WriteBool(kCommonSection, kMusicKey, s.music) && ok;
  ok = store.WriteInteger(kCommonSection, kLanguageKey, s.tongue) && ok;
  return ok;
}

}  // namespace zt
