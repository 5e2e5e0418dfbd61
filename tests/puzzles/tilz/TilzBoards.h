#pragma once

#include <QString>
#include <QStringList>
#include <QtTest>

#include "puzzles/tilz/TilzRules.h"
#include "tests/common/Require.h"

namespace zt::test {

// Boards written the way one reads them: five rows of six characters, top to
// bottom, '#' a wall, '.' a free cell, '1'..'9' a plate cell's code.
inline TilzRules::Board BoardFromRows(const QStringList& rows) {
  TilzRules::Board board{};
  board.fill(-2);  // not a code: shows up at once if a row is short
  ZT_REQUIRE(rows.size() == TilzRules::kRows);
  for (int r = 0; r < TilzRules::kRows; ++r) {
    ZT_REQUIRE(rows[r].size() == TilzRules::kColumns);
    for (int c = 0; c < TilzRules::kColumns; ++c) {
      const QChar ch = rows[r][c];
      board[5 * c + r] = ch == '#' ? -1 : ch == '.' ? 0 : ch.digitValue();
    }
  }
  return board;
}

inline QString BoardText(const TilzRules::Board& board) {
  QString text;
  for (int r = 0; r < TilzRules::kRows; ++r) {
    if (r > 0) text += " / ";
    for (int c = 0; c < TilzRules::kColumns; ++c) {
      const int v = board[5 * c + r];
      text += v == -1           ? QChar('#')
              : v == 0          ? QChar('.')
              : v > 0 && v <= 9 ? QChar('0' + v)
                                : QChar('?');
    }
  }
  return text;
}

}  // namespace zt::test
