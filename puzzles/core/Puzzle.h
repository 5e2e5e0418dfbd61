#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "puzzles/core/FrameDriver.h"
#include "puzzles/core/HostServices.h"
#include "puzzles/core/PlayState.h"
#include "puzzles/core/Random.h"
#include "puzzles/core/SolveTask.h"

namespace zt {

class Canvas;

// Everything a puzzle works with: the host's services, the play area, the
// random numbers for mixing, the shared play state and clocks, and the host's
// frame driver that runs its animations.
struct PuzzleContext {
  HostServices& host;
  Canvas& canvas;
  Random& random;
  PlayState& play;
  FrameDriver& frames;
};

// Mouse buttons as the puzzles see them.
inline constexpr int kLeftButton = 0;
inline constexpr int kRightButton = 1;
inline constexpr int kMiddleButton = 2;

// Virtual key codes of the keys the puzzles read.
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;

// The modifier keys held with a key press, as flags.
inline constexpr int kNoModifier = 0;
inline constexpr int kShiftModifier = 1;
inline constexpr int kControlModifier = 2;
inline constexpr int kAltModifier = 4;

// A puzzle's variant as the settings keep it: one value (pattern or level) or
// two (BOSS: columns and rows); an unused second value is 0.
inline constexpr int kMaxVariantValues = 2;
using VariantValues = std::array<int, kMaxVariantValues>;

// The contract every puzzle offers the host.
class Puzzle {
 public:
  virtual ~Puzzle() = default;

  // Lays out the first board of the current variant; draws nothing.
  virtual void InitPuzzle() = 0;
  // Lays out a new game of the current variant and draws it itself.
  virtual void MixPuzzle() = 0;
  // Draws the whole play area for the current board and presents it.
  virtual void PaintPuzzle() = 0;
  // A press on the play area at (x, y) with button 0 left, 1 right, 2 middle.
  virtual void PuzzleMouseDown(int x, int y, int button) = 0;
  // Steps the variant by the mouse button, then calls MixPuzzle.
  virtual void NextVariant(int button) = 0;
  // Whether key presses reach the puzzle at all.
  virtual bool TakesKeys() const { return false; }
  // A key press by its virtual key code, in any state.
  virtual void PuzzleKeyDown(int /*key*/) {}
  // The same with the modifier keys held (k...Modifier flags). Puzzles whose
  // keys do not depend on them see only the key.
  virtual void PuzzleKeyDownWith(int key, int /*modifiers*/) { PuzzleKeyDown(key); }

  // The moves of the current game, from its mixed board on. Undo plays the
  // last move backwards and redo plays an undone move again, each as a normal
  // animated move with its sound and clock ticks; false when there is none.
  // Restart lays the mixed board again at once and makes every move since
  // redoable; false when no move was made. A new game or variant starts an
  // empty history.
  virtual bool UndoMove() = 0;
  virtual bool RedoMove() = 0;
  virtual bool RestartPuzzle() = 0;

  // The variant as stored in the settings, and setting it (no new board).
  virtual VariantValues Variant() const = 0;
  virtual void SetVariant(const VariantValues& values) = 0;
  // The number in the high-score key (pattern, level or number of cells).
  virtual int VariantNumber() const = 0;
  // The level label's text.
  virtual std::string LevelText() const = 0;

  // Hints. A search for the moves from the board as it is now, to run on a
  // worker thread; null when this puzzle has no solver (hints then do
  // nothing here).
  virtual std::unique_ptr<SolveTask> MakeSolveTask() const { return nullptr; }
  // For a task that has run on the board as it is now: draws the mark of its
  // move `step` over the play area and presents it; false (nothing drawn)
  // when it has no such move.
  virtual bool DrawHint(const SolveTask& /*task*/, std::size_t /*step*/) { return false; }
  // Plays that move as the player's press or key would, with its sound,
  // clock and solved test; false (nothing done) when there is none or the
  // board refuses it.
  virtual bool PlayHint(const SolveTask& /*task*/, std::size_t /*step*/) { return false; }
};

}  // namespace zt
