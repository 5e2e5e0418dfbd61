#pragma once

#include <array>
#include <cstdint>

namespace zt {

// Puzzle numbers, in the order of the toolbar's puzzle buttons.
inline constexpr int kCrux = 0;
inline constexpr int kTilz = 1;
inline constexpr int kBoss = 2;
inline constexpr int kTransit = 3;
inline constexpr int kPuzzleCount = 4;

// Values of PuzzleState.
inline constexpr std::uint8_t kReady = 0;       // board laid out, clock standing
inline constexpr std::uint8_t kRunning = 1;     // the player has begun; the clock counts
inline constexpr std::uint8_t kNeverSetUp = 2;  // InitPuzzle not called yet in this run
inline constexpr std::uint8_t kSolved = 3;      // clock stopped at the solving time

// The per-puzzle play state and clock that the host owns and the puzzles read
// and advance. Clocks count ticks of 200 ms.
struct PlayState {
  std::uint8_t PuzzleMode = kCrux;
  std::array<std::uint8_t, kPuzzleCount> PuzzleState{kNeverSetUp, kNeverSetUp, kNeverSetUp,
                                                     kNeverSetUp};
  std::array<std::int32_t, kPuzzleCount> PuzzleClock{};

  // The first move of a game starts the clock; no other state changes here.
  void StartClock(int puzzle) {
    if (PuzzleState[puzzle] == kReady) PuzzleState[puzzle] = kRunning;
  }
  bool Running(int puzzle) const { return PuzzleState[puzzle] == kRunning; }
};

}  // namespace zt
