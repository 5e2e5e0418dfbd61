#pragma once

#include <array>
#include <cstdint>

#include "puzzles/core/Random.h"

namespace zt {

// The four ways a line can turn: rows go left or right, columns up or down.
enum class TransitDirection { Left, Right, Up, Down };

// One turn: a row (Left, Right) or a column (Up, Down), 0..6.
struct TransitMove {
  TransitDirection direction = TransitDirection::Left;
  int line = 0;
};

// The turn that takes a turn back: the same line, the other way.
constexpr TransitMove Opposite(const TransitMove& move) {
  TransitDirection back = TransitDirection::Left;
  switch (move.direction) {
    case TransitDirection::Left:
      back = TransitDirection::Right;
      break;
    case TransitDirection::Right:
      back = TransitDirection::Left;
      break;
    case TransitDirection::Up:
      back = TransitDirection::Down;
      break;
    case TransitDirection::Down:
      back = TransitDirection::Up;
      break;
  }
  return {back, move.line};
}

// TRANSIT: a 7 x 7 board of kind numbers whose rows and columns are rings. The
// player turns single lines until the board copies the current pattern. Cells
// are indexed (column, row) from 0; kinds index the picture map, so the same
// pattern gets new pictures in every game.
struct TransitRules {
  static constexpr int kSize = 7;
  static constexpr int kPatternCount = 22;
  static constexpr int kPictureCount = 21;
  static constexpr int kShuffleSwaps = 1000;
  static constexpr int kMixRotations = 1000;
  // [column][row]
  using Grid = std::array<std::array<std::uint8_t, kSize>, kSize>;
  using PictureMap = std::array<std::int32_t, kPictureCount>;

  // Pattern n (1..22) is TransitPatterns[n - 1].
  static const std::array<Grid, kPatternCount> TransitPatterns;

  int TransitPattern = 1;
  Grid TransitBoard = TransitPatterns[0];
  PictureMap TransitPictureMap = IdentityMap();

  static PictureMap IdentityMap();

  std::uint8_t Cell(int column, int row) const { return TransitBoard[column][row]; }
  // The current pattern; a pattern number out of range counts as the nearest one.
  const Grid& Target() const;
  std::uint8_t TargetCell(int column, int row) const { return Target()[column][row]; }
  // The atlas picture that draws a kind (kinds outside the map fall back to 0).
  int PictureOf(int kind) const;

  // A fresh permutation: identity, then 1000 random swaps.
  void ShuffleTransitPictures(Random& random);
  // The current pattern, turned by 1000 random rotations.
  void SetUpTransitBoard(Random& random);

  // Row 0..6, Left or Right; column 0..6, Up or Down. Anything else is ignored.
  void RotateTransitRow(int row, TransitDirection direction);
  void RotateTransitColumn(int column, TransitDirection direction);
  // Either of the two above, chosen by the direction.
  void RotateTransitLine(TransitDirection direction, int line);

  bool IsTransitPatternBuilt() const;
};

}  // namespace zt
