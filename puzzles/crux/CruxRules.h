#pragma once

#include <array>
#include <cstdint>

#include "puzzles/core/Random.h"

namespace zt {

// CRUX: two crossing tracks on a 10 x 10 board, the horizontal one in rows 4
// and 5, the vertical one in columns 4 and 5; they share the 2 x 2 crossing.
// Each track slides as a whole, empty cells included. A cell holds 0 (empty)
// or the number of a piece picture (1..50); equal numbers are equal pieces.
// Cells are indexed (column, row), both counting from 0.
struct CruxRules {
  static constexpr int kSize = 10;
  static constexpr int kPatternCount = 16;
  static constexpr int kDefaultPattern = 2;
  static constexpr int kMixAttempts = 1000;
  // The middle block that a pattern describes: columns and rows 2..7.
  static constexpr int kBlockFirst = 2;
  static constexpr int kBlockSize = 6;

  // Directions of a slide: right and left move the horizontal track, down and
  // up the vertical one. Plain numbers 0..3, so that the opposite of d is
  // (d + 2) % 4 and tables can be indexed by them.
  enum Direction : int { kRight = 0, kDown = 1, kLeft = 2, kUp = 3 };
  static constexpr int kDirections = 4;

  using Board = std::array<std::array<std::uint8_t, kSize>, kSize>;  // [column][row]
  // A target pattern written row by row, as it looks: [row - 2][column - 2].
  using Pattern = std::array<std::array<std::uint8_t, kBlockSize>, kBlockSize>;

  static const std::array<Pattern, kPatternCount> CruxPatterns;

  int CruxPattern = kDefaultPattern;
  Board CruxBoard{};

  std::uint8_t Cell(int x, int y) const { return CruxBoard[x][y]; }
  // The current pattern's target for board cell (x, y), x and y in 2..7. A
  // pattern number outside 1..16 (only a broken caller could set one) reads as
  // the nearest valid pattern rather than outside the table.
  std::uint8_t PatternValue(int x, int y) const;

  // Lays the current pattern out and mixes it with exactly kMixAttempts random
  // slide attempts; refused attempts count as well.
  void SetUpCruxBoard(Random& random);
  // A slide needs the two cells at the leading end of its track to be empty.
  bool CruxCanShift(int direction) const;
  // Moves the track one cell; only valid when CruxCanShift holds.
  void ShiftCrux(int direction);
  // Compares the whole middle block, the cells outside the tracks included.
  bool IsCruxPatternBuilt() const;
};

}  // namespace zt
