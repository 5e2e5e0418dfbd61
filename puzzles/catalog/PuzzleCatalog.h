#pragma once

#include <array>

#include "puzzles/core/PlayState.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// A text in the game's two languages.
struct Words {
  const char* german;
  const char* english;
};

// One stored value of a puzzle's variant: its key in the settings' section
// "common" (spelled as it has always been stored), its range and its value on
// a first start.
struct VariantSetting {
  const char* key;
  int first;
  int last;
  int byDefault;
};

// Rectangles and points in the main window's client area, whose first 33 rows
// are the toolbar.
struct WindowRect {
  int left;
  int top;
  int width;
  int height;
};
struct WindowPoint {
  int x;
  int y;
};

// Everything the game around a puzzle needs to know about it, in one place.
struct PuzzleEntry {
  const char* name;             // as the player reads it: "CRUX"
  const char* glyph;            // its toolbar button's picture, ":/ui/glyph_<glyph>.png"
  Words buttonHint;             // the hint of its toolbar button
  Words rules;                  // the rules hint; "\r" breaks the line
  Words about;                  // its line in the about box
  const char* highscorePrefix;  // four letters; the list of variant n is <prefix><nn>
  const char* atlasFile;        // the picture atlas in the program's folder
  int atlasWidth;               // the least size of the atlas the view reads
  int atlasHeight;
  WindowRect rulesHintPlace;  // where resting the mouse shows the rules hint
  WindowPoint levelLabelPlace;
  int variantValues;  // how many of the variant settings below it uses (1 or 2)
  std::array<VariantSetting, kMaxVariantValues> variants;
};

// By puzzle number (kCrux .. kTransit), the order of the toolbar's buttons.
const std::array<PuzzleEntry, kPuzzleCount>& PuzzleCatalog();
// The entry of puzzle 0..3 (any other number reads as CRUX).
const PuzzleEntry& CatalogEntry(int puzzle);

// The variant of a first start, and a stored one brought into range.
VariantValues DefaultVariant(int puzzle);
VariantValues ClampVariant(int puzzle, const VariantValues& values);

}  // namespace zt
