#include "puzzles/tilz/TilzRules.h"

#include <algorithm>

namespace zt {

// One line per column, rows top to bottom.
const std::array<TilzRules::Board, TilzRules::kLevels> TilzRules::TilzLevels = {{
    // Level 1: the big plate goes to the bottom right of the four middle columns.
    {-1, -1, -1, -1, -1,  //
     1,  3,  9,  7,  8,   //
     2,  4,  9,  7,  8,   //
     5,  5,  0,  5,  5,   //
     6,  6,  0,  6,  6,   //
     -1, -1, -1, -1, -1},
    // Level 2: to the bottom middle.
    {-1, -1, -1, -1, -1,  //
     7,  8,  7,  8,  9,   //
     1,  3,  5,  9,  0,   //
     2,  4,  6,  9,  0,   //
     7,  8,  7,  8,  9,   //
     -1, -1, -1, -1, -1},
    // Level 3: to the bottom middle.
    {-1, -1, -1, -1, -1,  //
     9,  7,  8,  9,  5,   //
     1,  3,  7,  8,  6,   //
     2,  4,  0,  0,  5,   //
     9,  7,  8,  9,  6,   //
     -1, -1, -1, -1, -1},
    // Level 4: the whole board; to the bottom-right corner.
    {1, 3, 9, 5, 5,  //
     2, 4, 9, 6, 6,  //
     5, 5, 0, 7, 8,  //
     6, 6, 0, 7, 8,  //
     7, 8, 5, 5, 5,  //
     7, 8, 6, 6, 6},
    // Level 5: the whole board; round all four corners.
    {5, 5, 7, 8, 5,  //
     6, 6, 7, 8, 6,  //
     9, 0, 1, 3, 9,  //
     9, 0, 2, 4, 9,  //
     5, 5, 7, 8, 5,  //
     6, 6, 7, 8, 6},
}};

void TilzRules::SetUpTilzBoard() {
  TilzLevel = std::clamp(TilzLevel, 1, kLevels);
  TilzBoard = TilzLevels[TilzLevel - 1];
  TilzTargetPhase = 0;
}

namespace {

struct Entry {
  int column;
  int row;
};

// The cells a plate of the given anchor code would enter, in board order of
// the plate's leading side; the second entry repeats the first for a leading
// side one cell long.
std::array<Entry, 2> LeadingCells(int column, int row, std::int32_t code, TilzPush push) {
  const int w = TilzRules::PlateWidth(code) / 50;
  const int h = TilzRules::PlateHeight(code) / 50;
  switch (push) {
    case TilzPush::Left:
      return {{{column - 1, row}, {column - 1, row + h - 1}}};
    case TilzPush::Right:
      return {{{column + w, row}, {column + w, row + h - 1}}};
    case TilzPush::Up:
      return {{{column, row - 1}, {column + w - 1, row - 1}}};
    case TilzPush::Down:
      return {{{column, row + h}, {column + w - 1, row + h}}};
    case TilzPush::None:
      break;
  }
  return {{{-1, -1}, {-1, -1}}};
}

}  // namespace

bool TilzRules::CanPushPlate(int column, int row, TilzPush push) const {
  const std::int32_t code = Cell(column, row);
  if (!IsAnchor(code) || push == TilzPush::None) return false;
  for (const Entry& e : LeadingCells(column, row, code, push)) {
    // Cell() reports every place off the board as a wall, which is not free.
    if (Cell(e.column, e.row) != kFree) return false;
  }
  return true;
}

bool TilzRules::PushPlate(int column, int row, TilzPush push) {
  if (!CanPushPlate(column, row, push)) return false;
  const std::int32_t code = Cell(column, row);
  const int w = PlateWidth(code) / 50;
  const int h = PlateHeight(code) / 50;
  int dc = 0;
  int dr = 0;
  if (push == TilzPush::Left) dc = -1;
  if (push == TilzPush::Right) dc = 1;
  if (push == TilzPush::Up) dr = -1;
  if (push == TilzPush::Down) dr = 1;

  // Lift the plate, then set it down one cell further: the cells it leaves are
  // exactly those not covered again.
  std::array<std::int32_t, 4> codes{};
  for (int i = 0; i < w; ++i) {
    for (int j = 0; j < h; ++j) {
      codes[2 * j + i] = At(column + i, row + j);
      At(column + i, row + j) = kFree;
    }
  }
  for (int i = 0; i < w; ++i) {
    for (int j = 0; j < h; ++j)
      At(column + dc + i, row + dr + j) = codes[2 * j + i];
  }
  return true;
}

TilzRules::Target TilzRules::TargetOf(int level, int phase) {
  static constexpr std::array<Target, 4> kLevelTargets{{{3, 3}, {2, 3}, {2, 3}, {4, 3}}};
  static constexpr std::array<Target, kLevel5Targets> kCorners{{{0, 0}, {4, 0}, {4, 3}, {0, 3}}};
  level = std::clamp(level, 1, kLevels);
  if (level < kLevels) return kLevelTargets[level - 1];
  return kCorners[std::clamp(phase, 0, kLevel5Targets - 1)];
}

TilzProgress TilzRules::StepTilzTarget() {
  const Target target = CurrentTarget();
  if (Cell(target.column, target.row) != kBig) return TilzProgress::NotSolved;
  if (std::clamp(TilzLevel, 1, kLevels) == kLevels && TilzTargetPhase < kLevel5Targets - 1) {
    ++TilzTargetPhase;
    return TilzProgress::PhaseAdvanced;
  }
  return TilzProgress::Solved;
}

}  // namespace zt
