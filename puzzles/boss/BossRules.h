#pragma once

#include <array>
#include <cstdint>

#include "puzzles/core/Random.h"

namespace zt {

// The four moves, named by the way the tile travels into the gap.
enum class BossMove { Left, Right, Up, Down };

// The move that takes a move back: the same tile travels back the other way.
constexpr BossMove Opposite(BossMove move) {
  switch (move) {
    case BossMove::Left:
      return BossMove::Right;
    case BossMove::Right:
      return BossMove::Left;
    case BossMove::Up:
      return BossMove::Down;
    case BossMove::Down:
      break;
  }
  return BossMove::Up;
}

// BOSS: numbered tiles and one gap on a board of 3..7 columns by 2..5 rows.
// Columns and rows count from 1. A tile's code is its index k in reading order
// plus 40 when its home cell is of colour 1 (column + row even); -1 is the gap.
struct BossRules {
  static constexpr int kMinColumns = 3;
  static constexpr int kMaxColumns = 7;
  static constexpr int kMinRows = 2;
  static constexpr int kMaxRows = 5;
  static constexpr int kDefaultColumns = 5;
  static constexpr int kDefaultRows = 3;
  static constexpr int kMixSteps = 5000;
  // Added to the code of a tile whose home cell is of colour 1.
  static constexpr int kColourOffset = 40;
  static constexpr std::int32_t kGap = -1;
  using Grid = std::array<std::array<std::int32_t, kMaxRows>, kMaxColumns>;

  int BossColumns = kDefaultColumns;
  int BossRows = kDefaultRows;
  Grid BossBoard = EmptyGrid();
  Grid BossTarget = EmptyGrid();
  int GapColumn = kDefaultColumns;
  int GapRow = kDefaultRows;

  static Grid EmptyGrid();
  static int Colour(int column, int row) { return (column + row) % 2 == 0 ? 1 : 0; }

  std::int32_t& Board(int column, int row) { return BossBoard[column - 1][row - 1]; }
  std::int32_t Board(int column, int row) const { return BossBoard[column - 1][row - 1]; }
  std::int32_t Target(int column, int row) const { return BossTarget[column - 1][row - 1]; }

  // Brings the size into 3..7 by 2..5, lays the solved arrangement of that
  // size and mixes it by 5000 random gap steps (refused steps count too).
  void SetUpBossBoard(Random& random);
  bool IsBossSolved() const;

  bool CanMove(BossMove move) const;
  // The two halves of a move, which the animation runs between: the moving
  // tile's code goes into the gap cell and -1 into its old cell; then the gap
  // takes the tile's old cell.
  void ChangeBoard(BossMove move);
  void MoveGap(BossMove move);
  // Both halves at once, for callers that do not animate.
  void Move(BossMove move) {
    ChangeBoard(move);
    MoveGap(move);
  }
  // The cell of the tile that a move takes into the gap.
  int SourceColumn(BossMove move) const;
  int SourceRow(BossMove move) const;
};

}  // namespace zt
