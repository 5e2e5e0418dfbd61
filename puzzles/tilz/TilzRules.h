#pragma once

#include <array>
#include <cstdint>

namespace zt {

// The four push directions, numbered as the press table stores them (0 means
// that a press makes no push).
enum class TilzPush : std::uint8_t { None = 0, Right = 1, Up = 2, Left = 3, Down = 4 };

// One push of the plate anchored at (column, row).
struct TilzMove {
  int column = 0;
  int row = 0;
  TilzPush push = TilzPush::None;
};

// The push that takes a push back: the same plate, from the cell its anchor
// moved to, the other way.
constexpr TilzMove Opposite(const TilzMove& move) {
  switch (move.push) {
    case TilzPush::Right:
      return {move.column + 1, move.row, TilzPush::Left};
    case TilzPush::Left:
      return {move.column - 1, move.row, TilzPush::Right};
    case TilzPush::Up:
      return {move.column, move.row - 1, TilzPush::Down};
    case TilzPush::Down:
      return {move.column, move.row + 1, TilzPush::Up};
    case TilzPush::None:
      break;
  }
  return move;
}

// What one run of the solved test found.
enum class TilzProgress {
  NotSolved,      // nothing changed
  PhaseAdvanced,  // level 5: the current corner was reached, the next one is the target now
  Solved,         // the big plate stands on the (last) target
};

// TILZ: plates of four sizes on a 6 x 5 board with two free cells. Columns and
// rows count from 0; the board is stored column by column, cell (c, r) at
// 5c + r. Nothing here is random: a new game restores the level's layout.
struct TilzRules {
  static constexpr int kColumns = 6;
  static constexpr int kRows = 5;
  static constexpr int kCells = kColumns * kRows;
  static constexpr int kLevels = 5;
  static constexpr int kLevel5Targets = 4;

  // Cell codes. A plate's top-left cell (its anchor) names its kind.
  static constexpr std::int32_t kWall = -1;
  static constexpr std::int32_t kFree = 0;
  static constexpr std::int32_t kBig = 1;   // 1 2 / 3 4
  static constexpr std::int32_t kWide = 5;  // 5 6
  static constexpr std::int32_t kTall = 7;  // 7 over 8
  static constexpr std::int32_t kSmall = 9;

  using Board = std::array<std::int32_t, kCells>;

  // The start layout of each level (written row by row in TilzRules.cpp).
  static const std::array<Board, kLevels> TilzLevels;

  int TilzLevel = 1;
  Board TilzBoard = TilzLevels[0];
  int TilzTargetPhase = 0;

  static constexpr bool OnBoard(int column, int row) {
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
  }
  static constexpr bool IsAnchor(std::int32_t code) {
    return code == kBig || code == kWide || code == kTall || code == kSmall;
  }
  // Pixel size of a plate by its anchor code; 0 for every other code.
  static constexpr int PlateWidth(std::int32_t code) {
    return code == kBig || code == kWide ? 100 : code == kTall || code == kSmall ? 50 : 0;
  }
  static constexpr int PlateHeight(std::int32_t code) {
    return code == kBig || code == kTall ? 100 : code == kWide || code == kSmall ? 50 : 0;
  }

  std::int32_t Cell(int column, int row) const {
    return OnBoard(column, row) ? TilzBoard[kRows * column + row] : kWall;
  }
  std::int32_t& At(int column, int row) { return TilzBoard[kRows * column + row]; }

  // The anchors of all plates in reading order (row by row, left to right).
  struct Anchor {
    int column;
    int row;
    bool operator==(const Anchor&) const = default;
  };
  static constexpr int kMaxPlates = kCells;
  struct Anchors {
    std::array<Anchor, kMaxPlates> at{};
    int count = 0;
  };
  Anchors PlateAnchors() const;
  // The big plate's anchor ((0, 0) on a board without one).
  Anchor BigPlate() const;

  // Lays the start layout of TilzLevel (brought into 1..5 first) and starts
  // level 5 at its first target.
  void SetUpTilzBoard();

  // Whether the plate anchored at (column, row) may move one cell that way: the
  // cells it would enter must be on the board and free. False for a cell that
  // is not an anchor.
  bool CanPushPlate(int column, int row, TilzPush push) const;
  // Moves the plate one cell and frees the cells it leaves; false (and no
  // change) when the push is not allowed.
  bool PushPlate(int column, int row, TilzPush push);

  // The anchor cell the big plate must reach for the current level and phase.
  struct Target {
    int column;
    int row;
  };
  Target CurrentTarget() const { return TargetOf(TilzLevel, TilzTargetPhase); }
  static Target TargetOf(int level, int phase);

  // The solved test. In level 5 reaching the current corner moves on to the
  // next one (one step per test) and is not yet a solve.
  TilzProgress StepTilzTarget();
};

}  // namespace zt
