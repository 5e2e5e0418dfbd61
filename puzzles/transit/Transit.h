#pragma once

#include "puzzles/Puzzle.h"
#include "puzzles/transit/TransitRules.h"

namespace zt {

// Placeholder puzzle: paints its atlas background and ignores input.
class Transit final : public Puzzle {
 public:
  explicit Transit(const PuzzleContext& ctx) : ctx_(ctx) {}

  TransitRules& Rules() { return rules_; }
  const TransitRules& Rules() const { return rules_; }

  void InitPuzzle() override {}
  void MixPuzzle() override { PaintPuzzle(); }
  void PaintPuzzle() override;
  void PuzzleMouseDown(int, int, int) override {}
  void NextVariant(int button) override;
  int VariantNumber() const override { return rules_.TransitPattern; }
  std::string LevelText() const override { return std::to_string(rules_.TransitPattern); }

 private:
  PuzzleContext ctx_;
  TransitRules rules_;
};

}  // namespace zt
