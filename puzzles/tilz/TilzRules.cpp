#include "puzzles/tilz/TilzRules.h"

#include <algorithm>

namespace zt {

namespace {

// The start layouts as they look on the board: five rows of six cells, top to
// bottom; '#' a wall, '.' a free cell, '1'..'9' the code of a plate's cell.
using LevelRows = std::array<const char*, TilzRules::kRows>;
constexpr std::array<LevelRows, TilzRules::kLevels> kLevelRows{{
    // Level 1: the big plate goes to the bottom right of the four middle columns.
    {{"#1256#", "#3456#", "#99..#", "#7756#", "#8856#"}},
    // Level 2: to the bottom middle.
    {{"#7127#", "#8348#", "#7567#", "#8998#", "#9..9#"}},
    // Level 3: to the bottom middle.
    {{"#9129#", "#7347#", "#87.8#", "#98.9#", "#5656#"}},
    // Level 4: the whole board; to the bottom-right corner.
    {{"125677", "345688", "99..56", "567756", "568856"}},
    // Level 5: the whole board; round all four corners.
    {{"569956", "56..56", "771277", "883488", "569956"}},
}};

constexpr std::int32_t CodeOf(char c) {
  return c == '#' ? TilzRules::kWall : c == '.' ? TilzRules::kFree : c - '0';
}

constexpr std::array<TilzRules::Board, TilzRules::kLevels> MakeLevels() {
  std::array<TilzRules::Board, TilzRules::kLevels> levels{};
  for (int level = 0; level < TilzRules::kLevels; ++level) {
    for (int row = 0; row < TilzRules::kRows; ++row) {
      for (int column = 0; column < TilzRules::kColumns; ++column)
        levels[level][TilzRules::kRows * column + row] = CodeOf(kLevelRows[level][row][column]);
    }
  }
  return levels;
}

}  // namespace

// Built at compile time, so any static TilzRules sees the table filled.
constinit const std::array<TilzRules::Board, TilzRules::kLevels> TilzRules::TilzLevels =
    MakeLevels();

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

TilzRules::Anchors TilzRules::PlateAnchors() const {
  Anchors anchors;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if (IsAnchor(Cell(column, row))) anchors.at[anchors.count++] = {column, row};
    }
  }
  return anchors;
}

TilzRules::Anchor TilzRules::BigPlate() const {
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      if (Cell(column, row) == kBig) return {column, row};
    }
  }
  return {0, 0};
}

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
