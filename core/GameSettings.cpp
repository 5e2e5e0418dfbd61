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

GameSettings ReadGameSettings(const SettingsReader& store) {
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

void PutGameSettings(SettingsEdit& edit, const GameSettings& s) {
  edit.SetInteger(kCommonSection, kPuzzleKey, s.mode);
  for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle) {
    const PuzzleEntry& entry = CatalogEntry(puzzle);
    for (int i = 0; i < entry.variantValues; ++i)
      edit.SetInteger(kCommonSection, entry.variants[i].key, s.variants[puzzle][i]);
  }
  edit.SetBool(kCommonSection, kSoundKey, s.sound);
  edit.SetBool(kCommonSection, kMusicKey, s.music);
  edit.SetInteger(kCommonSection, kLanguageKey, s.tongue);
}

bool WriteGameSettings(SettingsStore& store, const GameSettings& s) {
  return store.Edit([&](SettingsEdit& edit) { PutGameSettings(edit, s); });
}

}  // namespace zt
