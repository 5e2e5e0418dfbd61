#include "puzzles/boss/BossRules.h"

#include <algorithm>

namespace zt {

BossRules::Grid BossRules::EmptyGrid() {
  Grid grid;
  for (auto& column : grid)
    column.fill(kGap);
  return grid;
}

void BossRules::SetUpBossBoard(Random& random) {
  // A size outside the board's arrays (only a broken caller could set one)
  // is brought to the nearest size there is.
  BossColumns = std::clamp(BossColumns, kMinColumns, kMaxColumns);
  BossRows = std::clamp(BossRows, kMinRows, kMaxRows);
  BossTarget = EmptyGrid();
  int k = 0;
  for (int row = 1; row <= BossRows; ++row) {
    for (int column = 1; column <= BossColumns; ++column) {
      BossTarget[column - 1][row - 1] = k + kColourOffset * Colour(column, row);
      ++k;
    }
  }
  BossTarget[BossColumns - 1][BossRows - 1] = kGap;
  BossBoard = BossTarget;
  GapColumn = BossColumns;
  GapRow = BossRows;

  for (int i = 0; i < kMixSteps; ++i) {
    switch (random.Next(4)) {
      case 0:
        if (GapColumn > 1) Move(BossMove::Right);
        break;
      case 1:
        if (GapColumn < BossColumns) Move(BossMove::Left);
        break;
      case 2:
        if (GapRow > 1) Move(BossMove::Down);
        break;
      default:
        if (GapRow < BossRows) Move(BossMove::Up);
        break;
    }
  }
}

bool BossRules::IsBossSolved() const {
  for (int column = 1; column <= BossColumns; ++column) {
    for (int row = 1; row <= BossRows; ++row) {
      if (Board(column, row) != Target(column, row)) return false;
    }
  }
  return true;
}

bool BossRules::CanMove(BossMove move) const {
  switch (move) {
    case BossMove::Left:
      return GapColumn < BossColumns;
    case BossMove::Right:
      return GapColumn > 1;
    case BossMove::Up:
      return GapRow < BossRows;
    case BossMove::Down:
      return GapRow > 1;
  }
  return false;
}

int BossRules::SourceColumn(BossMove move) const {
  if (move == BossMove::Left) return GapColumn + 1;
  if (move == BossMove::Right) return GapColumn - 1;
  return GapColumn;
}

int BossRules::SourceRow(BossMove move) const {
  if (move == BossMove::Up) return GapRow + 1;
  if (move == BossMove::Down) return GapRow - 1;
  return GapRow;
}

void BossRules::ChangeBoard(BossMove move) {
  std::int32_t& source = Board(SourceColumn(move), SourceRow(move));
  Board(GapColumn, GapRow) = source;
  source = kGap;
}

void BossRules::MoveGap(BossMove move) {
  const int column = SourceColumn(move);
  const int row = SourceRow(move);
  GapColumn = column;
  GapRow = row;
}

}  // namespace zt
