#pragma once

#include "puzzles/Puzzle.h"
#include "puzzles/crux/CruxRules.h"

namespace zt {

// Placeholder puzzle: paints its atlas background and ignores input.
class Crossing final : public Puzzle {
 public:
  explicit Crossing(const PuzzleContext& ctx) : ctx_(ctx) {}

  CruxRules& Rules() { return rules_; }
  const CruxRules& Rules() const { return rules_; }

  void InitPuzzle() override {}
  void MixPuzzle() override { PaintPuzzle(); }
  void PaintPuzzle() override;
  void PuzzleMouseDown(int, int, int) override {}
  void NextVariant(int button) override;
  int VariantNumber() const override { return rules_.CruxPattern; }
  std::string LevelText() const override { return std::to_string(rules_.CruxPattern); }

 private:
  PuzzleContext ctx_;
  CruxRules rules_;
};

}  // namespace zt
