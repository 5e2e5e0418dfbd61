#pragma once

#include "puzzles/Puzzle.h"
#include "puzzles/tilz/TilzRules.h"

namespace zt {

// Placeholder puzzle: paints its atlas background and ignores input.
class Tilzer final : public Puzzle {
 public:
  explicit Tilzer(const PuzzleContext& ctx) : ctx_(ctx) {}

  TilzRules& Rules() { return rules_; }
  const TilzRules& Rules() const { return rules_; }

  void InitPuzzle() override {}
  void MixPuzzle() override { PaintPuzzle(); }
  void PaintPuzzle() override;
  void PuzzleMouseDown(int, int, int) override {}
  void NextVariant(int button) override;
  int VariantNumber() const override { return rules_.TilzLevel; }
  std::string LevelText() const override { return std::to_string(rules_.TilzLevel); }

 private:
  PuzzleContext ctx_;
  TilzRules rules_;
};

}  // namespace zt
