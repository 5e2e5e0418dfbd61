#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <map>

namespace zt::test {

// The sixteen target patterns, written down arm by arm and independently of the
// game's own table: per pattern the values of columns 4 and 5 in rows 2 and 3,
// columns 2..7 in rows 4 and 5, then columns 4 and 5 in rows 6 and 7.
inline const char* const kCruxPatternRows[16] = {
    "2 2 | 2 2 | 2 2 3 3 2 2 | 2 2 3 3 2 2 | 2 2 | 2 2",
    "4 4 | 4 4 | 13 13 13 13 13 13 | 13 13 13 13 13 13 | 4 4 | 4 4",
    "4 4 | 5 5 | 4 5 5 5 5 4 | 4 5 5 5 5 4 | 5 5 | 4 4",
    "9 9 | 9 9 | 8 8 5 5 8 8 | 8 8 5 5 8 8 | 9 9 | 9 9",
    "11 11 | 7 7 | 11 7 31 32 7 11 | 11 7 41 42 7 11 | 7 7 | 11 11",
    "2 2 | 2 2 | 2 33 34 33 34 2 | 2 43 44 43 44 2 | 2 2 | 2 2",
    "16 16 | 16 16 | 18 18 13 13 14 14 | 18 18 13 13 14 14 | 15 15 | 15 15",
    "22 21 | 23 24 | 22 21 35 36 22 21 | 23 24 45 46 23 24 | 22 21 | 23 24",
    "27 27 | 27 27 | 25 25 26 26 25 25 | 25 25 26 26 25 25 | 27 27 | 27 27",
    "14 14 | 14 14 | 16 16 16 14 15 15 | 16 16 17 15 15 15 | 17 17 | 17 17",
    "31 32 | 41 42 | 33 34 2 2 33 34 | 43 44 2 2 43 44 | 31 32 | 41 42",
    "5 4 | 5 4 | 5 5 5 4 4 4 | 3 3 3 2 2 2 | 3 2 | 3 2",
    "18 18 | 22 21 | 18 22 26 26 21 18 | 18 23 26 26 24 18 | 23 24 | 18 18",
    "7 8 | 8 9 | 7 8 9 10 9 8 | 8 9 10 9 8 7 | 9 8 | 8 7",
    "22 21 | 27 27 | 22 25 24 23 25 21 | 23 25 21 22 25 24 | 27 27 | 23 24",
    "25 25 | 28 29 | 27 37 38 39 40 27 | 27 47 48 49 50 27 | 20 30 | 25 25",
};

// A whole 10 x 10 board, [column][row].
using TestBoard = std::array<std::array<int, 10>, 10>;

// Pattern n (1..16) as a finished board: the pattern in the middle block,
// everything else empty.
inline TestBoard FinishedBoard(int n) {
  TestBoard board{};
  const QStringList arms = QString(kCruxPatternRows[n - 1]).split('|');
  const int rows[6] = {2, 3, 4, 5, 6, 7};
  for (int i = 0; i < 6; ++i) {
    const QStringList values = arms[i].simplified().split(' ');
    const int firstColumn = values.size() == 6 ? 2 : 4;
    for (int k = 0; k < values.size(); ++k)
      board[firstColumn + k][rows[i]] = values[k].toInt();
  }
  return board;
}

// How many pieces of each number a board holds.
inline std::map<int, int> PieceCount(const TestBoard& board) {
  std::map<int, int> count;
  for (const auto& column : board) {
    for (int v : column) {
      if (v != 0) ++count[v];
    }
  }
  return count;
}

inline bool InTracks(int x, int y) {
  return y == 4 || y == 5 || x == 4 || x == 5;
}

}  // namespace zt::test
