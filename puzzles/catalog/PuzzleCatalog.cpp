#include "puzzles/catalog/PuzzleCatalog.h"

#include <algorithm>

#include "puzzles/boss/BossRules.h"
#include "puzzles/crux/CruxRules.h"
#include "puzzles/tilz/TilzRules.h"
#include "puzzles/transit/TransitRules.h"

namespace zt {

namespace {

// The stored keys of the variants.
constexpr const char* kCruxPatternKey = "cmode";
constexpr const char* kTilzLevelKey = "zmode";
constexpr const char* kBossColumnsKey = "bhorz";
constexpr const char* kBossRowsKey = "bvert";
constexpr const char* kTransitPatternKey = "tmode";

constexpr VariantSetting kUnused{"", 0, 0, 0};

const std::array<PuzzleEntry, kPuzzleCount> kCatalog{{
    {"CRUX",
     "crux",
     {"CRUX fordert mich heraus.", "CRUX teases my brain"},
     {"Verschiebe die Balken des CRUX. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
      "Slide the CRUX-baulks. Try to\rbuild the pattern shown right."},
     {"Zwei gekreuzte Balken verschieben, bis ihre Teile das Muster bilden.",
      "Slide two crossing baulks until their pieces form the pattern."},
     "crux",
     "b1.bmp",
     500,
     458,
     {300, 233, 190, 120},
     {430, 310},
     1,
     {{{kCruxPatternKey, 1, CruxRules::kPatternCount, CruxRules::kDefaultPattern}, kUnused}}},
    {"TILZ",
     "tilz",
     {"Jetzt knack ich schnell das TILZ.", "I quickly solve the TILZ."},
     {"Verschiebe die TILZ-Platten. Versuche die große grüne\rPlatte an die rechts gezeigte "
      "Position zu bringen.",
      "Push the TILZ-plates into the free space. Try to move\rthe big green plate to the "
      "position shown right."},
     {"Platten schieben, bis die große grüne Platte ihr Ziel erreicht.",
      "Push the plates until the big green plate reaches its target."},
     "tilz",
     "b2.bmp",
     610,
     333,
     {355, 311, 125, 47},
     {450, 275},
     1,
     {{{kTilzLevelKey, 1, TilzRules::kLevels, 1}, kUnused}}},
    {"BOSS",
     "boss",
     {"BOSS gibt mir zu denken.", "BOSS challenges me."},
     {"Schiebe die BOSS-Steine auf den freien Platz. Ordne\rdie Zahlen ihrer natürlichen "
      "Reihenfolge nach.",
      "Move the BOSS-tiles into the gap. Sort the numbers\rincreasing from left to right and "
      "from top to bottom."},
     {"Die Zahlensteine über die Lücke in die richtige Reihenfolge bringen.",
      "Move the numbered tiles through the gap into their order."},
     "boss",
     "b3.bmp",
     500,
     733,
     {413, 57, 62, 281},
     {370, 325},
     2,
     {{{kBossColumnsKey, BossRules::kMinColumns, BossRules::kMaxColumns,
        BossRules::kDefaultColumns},
       {kBossRowsKey, BossRules::kMinRows, BossRules::kMaxRows, BossRules::kDefaultRows}}}},
    {"TRANSIT",
     "transit",
     {"TRANSIT wartet auf mich.", "TRANSIT waits for me."},
     {"Verschiebe die TRANSIT-Balken. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
      "Move the TRANSIT-baulks. Try to make\ra copy of the pattern shown right."},
     {"Zeilen und Spalten im Kreis drehen, bis das Brett das Muster zeigt.",
      "Turn rows and columns round until the board copies the pattern."},
     "tran",
     "b4.bmp",
     500,
     333,
     {345, 258, 140, 90},
     {445, 315},
     1,
     {{{kTransitPatternKey, 1, TransitRules::kPatternCount, 1}, kUnused}}},
}};

}  // namespace

const std::array<PuzzleEntry, kPuzzleCount>& PuzzleCatalog() {
  return kCatalog;
}

const PuzzleEntry& CatalogEntry(int puzzle) {
  return kCatalog[puzzle >= 0 && puzzle < kPuzzleCount ? puzzle : kCrux];
}

VariantValues DefaultVariant(int puzzle) {
  const PuzzleEntry& entry = CatalogEntry(puzzle);
  VariantValues values{};
  for (int i = 0; i < entry.variantValues; ++i)
    values[i] = entry.variants[i].byDefault;
  return values;
}

VariantValues ClampVariant(int puzzle, const VariantValues& values) {
  const PuzzleEntry& entry = CatalogEntry(puzzle);
  VariantValues clamped{};
  for (int i = 0; i < entry.variantValues; ++i) {
    const VariantSetting& setting = entry.variants[i];
    clamped[i] = std::clamp(values[i], setting.first, setting.last);
  }
  return clamped;
}

}  // namespace zt
