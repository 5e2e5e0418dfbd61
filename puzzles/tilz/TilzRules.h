#pragma once

namespace zt {

// Rules of the puzzle (board, set-up, moves, solved test). Placeholder until
// the puzzle is built: only the variant number.
struct TilzRules {
  int TilzLevel = 1;
};

}  // namespace zt
