#include "puzzles/crux/CruxRules.h"

#include <algorithm>

namespace zt {

// Every pattern fills the same 20 cells: the vertical arm (columns 4 and 5 of
// rows 2, 3, 6 and 7) and the horizontal arm (columns 2..7 of rows 4 and 5).
// Numbers 31..50 come in blocks (n + 1 right of n, n + 10 below n) that make up
// one larger picture.
const std::array<CruxRules::Pattern, CruxRules::kPatternCount> CruxRules::CruxPatterns = {{
    // 1
    {{{0, 0, 2, 2, 0, 0},
      {0, 0, 2, 2, 0, 0},
      {2, 2, 3, 3, 2, 2},
      {2, 2, 3, 3, 2, 2},
      {0, 0, 2, 2, 0, 0},
      {0, 0, 2, 2, 0, 0}}},
    // 2
    {{{0, 0, 4, 4, 0, 0},
      {0, 0, 4, 4, 0, 0},
      {13, 13, 13, 13, 13, 13},
      {13, 13, 13, 13, 13, 13},
      {0, 0, 4, 4, 0, 0},
      {0, 0, 4, 4, 0, 0}}},
    // 3
    {{{0, 0, 4, 4, 0, 0},
      {0, 0, 5, 5, 0, 0},
      {4, 5, 5, 5, 5, 4},
      {4, 5, 5, 5, 5, 4},
      {0, 0, 5, 5, 0, 0},
      {0, 0, 4, 4, 0, 0}}},
    // 4
    {{{0, 0, 9, 9, 0, 0},
      {0, 0, 9, 9, 0, 0},
      {8, 8, 5, 5, 8, 8},
      {8, 8, 5, 5, 8, 8},
      {0, 0, 9, 9, 0, 0},
      {0, 0, 9, 9, 0, 0}}},
    // 5
    {{{0, 0, 11, 11, 0, 0},
      {0, 0, 7, 7, 0, 0},
      {11, 7, 31, 32, 7, 11},
      {11, 7, 41, 42, 7, 11},
      {0, 0, 7, 7, 0, 0},
      {0, 0, 11, 11, 0, 0}}},
    // 6
    {{{0, 0, 2, 2, 0, 0},
      {0, 0, 2, 2, 0, 0},
      {2, 33, 34, 33, 34, 2},
      {2, 43, 44, 43, 44, 2},
      {0, 0, 2, 2, 0, 0},
      {0, 0, 2, 2, 0, 0}}},
    // 7
    {{{0, 0, 16, 16, 0, 0},
      {0, 0, 16, 16, 0, 0},
      {18, 18, 13, 13, 14, 14},
      {18, 18, 13, 13, 14, 14},
      {0, 0, 15, 15, 0, 0},
      {0, 0, 15, 15, 0, 0}}},
    // 8
    {{{0, 0, 22, 21, 0, 0},
      {0, 0, 23, 24, 0, 0},
      {22, 21, 35, 36, 22, 21},
      {23, 24, 45, 46, 23, 24},
      {0, 0, 22, 21, 0, 0},
      {0, 0, 23, 24, 0, 0}}},
    // 9
    {{{0, 0, 27, 27, 0, 0},
      {0, 0, 27, 27, 0, 0},
      {25, 25, 26, 26, 25, 25},
      {25, 25, 26, 26, 25, 25},
      {0, 0, 27, 27, 0, 0},
      {0, 0, 27, 27, 0, 0}}},
    // 10
    {{{0, 0, 14, 14, 0, 0},
      {0, 0, 14, 14, 0, 0},
      {16, 16, 16, 14, 15, 15},
      {16, 16, 17, 15, 15, 15},
      {0, 0, 17, 17, 0, 0},
      {0, 0, 17, 17, 0, 0}}},
    // 11
    {{{0, 0, 31, 32, 0, 0},
      {0, 0, 41, 42, 0, 0},
      {33, 34, 2, 2, 33, 34},
      {43, 44, 2, 2, 43, 44},
      {0, 0, 31, 32, 0, 0},
      {0, 0, 41, 42, 0, 0}}},
    // 12
    {{{0, 0, 5, 4, 0, 0},
      {0, 0, 5, 4, 0, 0},
      {5, 5, 5, 4, 4, 4},
      {3, 3, 3, 2, 2, 2},
      {0, 0, 3, 2, 0, 0},
      {0, 0, 3, 2, 0, 0}}},
    // 13
    {{{0, 0, 18, 18, 0, 0},
      {0, 0, 22, 21, 0, 0},
      {18, 22, 26, 26, 21, 18},
      {18, 23, 26, 26, 24, 18},
      {0, 0, 23, 24, 0, 0},
      {0, 0, 18, 18, 0, 0}}},
    // 14
    {{{0, 0, 7, 8, 0, 0},
      {0, 0, 8, 9, 0, 0},
      {7, 8, 9, 10, 9, 8},
      {8, 9, 10, 9, 8, 7},
      {0, 0, 9, 8, 0, 0},
      {0, 0, 8, 7, 0, 0}}},
    // 15
    {{{0, 0, 22, 21, 0, 0},
      {0, 0, 27, 27, 0, 0},
      {22, 25, 24, 23, 25, 21},
      {23, 25, 21, 22, 25, 24},
      {0, 0, 27, 27, 0, 0},
      {0, 0, 23, 24, 0, 0}}},
    // 16
    {{{0, 0, 25, 25, 0, 0},
      {0, 0, 28, 29, 0, 0},
      {27, 37, 38, 39, 40, 27},
      {27, 47, 48, 49, 50, 27},
      {0, 0, 20, 30, 0, 0},
      {0, 0, 25, 25, 0, 0}}},
}};

std::uint8_t CruxRules::PatternValue(int x, int y) const {
  const int pattern = std::clamp(CruxPattern, 1, kPatternCount);
  return CruxPatterns[pattern - 1][y - kBlockFirst][x - kBlockFirst];
}

void CruxRules::SetUpCruxBoard(Random& random) {
  CruxBoard = Board{};
  for (int x = kBlockFirst; x < kBlockFirst + kBlockSize; ++x) {
    for (int y = kBlockFirst; y < kBlockFirst + kBlockSize; ++y)
      CruxBoard[x][y] = PatternValue(x, y);
  }
  for (int i = 0; i < kMixAttempts; ++i) {
    const int direction = random.Next(4);
    if (CruxCanShift(direction)) ShiftCrux(direction);
  }
}

bool CruxRules::CruxCanShift(int direction) const {
  switch (direction) {
    case kRight:
      return CruxBoard[9][4] == 0 && CruxBoard[9][5] == 0;
    case kDown:
      return CruxBoard[4][9] == 0 && CruxBoard[5][9] == 0;
    case kLeft:
      return CruxBoard[0][4] == 0 && CruxBoard[0][5] == 0;
    case kUp:
      return CruxBoard[4][0] == 0 && CruxBoard[5][0] == 0;
    default:
      return false;
  }
}

void CruxRules::ShiftCrux(int direction) {
  Board& b = CruxBoard;
  switch (direction) {
    case kRight:
      for (int x = kSize - 1; x >= 1; --x) {
        b[x][4] = b[x - 1][4];
        b[x][5] = b[x - 1][5];
      }
      b[0][4] = b[0][5] = 0;
      break;
    case kLeft:
      for (int x = 0; x < kSize - 1; ++x) {
        b[x][4] = b[x + 1][4];
        b[x][5] = b[x + 1][5];
      }
      b[kSize - 1][4] = b[kSize - 1][5] = 0;
      break;
    case kDown:
      for (int y = kSize - 1; y >= 1; --y) {
        b[4][y] = b[4][y - 1];
        b[5][y] = b[5][y - 1];
      }
      b[4][0] = b[5][0] = 0;
      break;
    case kUp:
      for (int y = 0; y < kSize - 1; ++y) {
        b[4][y] = b[4][y + 1];
        b[5][y] = b[5][y + 1];
      }
      b[4][kSize - 1] = b[5][kSize - 1] = 0;
      break;
    default:
      break;
  }
}

bool CruxRules::IsCruxPatternBuilt() const {
  for (int x = kBlockFirst; x < kBlockFirst + kBlockSize; ++x) {
    for (int y = kBlockFirst; y < kBlockFirst + kBlockSize; ++y) {
      if (CruxBoard[x][y] != PatternValue(x, y)) return false;
    }
  }
  return true;
}

}  // namespace zt
