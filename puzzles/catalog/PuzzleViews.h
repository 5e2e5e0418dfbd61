#pragma once

#include <array>
#include <memory>

#include "puzzles/core/PlayState.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// The four puzzles' views, by puzzle number, all working in one context.
std::array<std::unique_ptr<Puzzle>, kPuzzleCount> MakePuzzleViews(const PuzzleContext& ctx);

}  // namespace zt
