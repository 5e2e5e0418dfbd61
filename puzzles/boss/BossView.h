#pragma once

#include <QRect>

#include "puzzles/boss/BossRules.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// BOSS on the screen: the board drawn from "b3.bmp", presses and arrow keys
// turned into moves, each move animated in ten frames through the back buffer.
class BossView final : public Puzzle {
 public:
  static constexpr int kCell = 50;
  static constexpr int kFaceTop = 333;  // first row of tile faces in the atlas
  static constexpr int kFrames = 10;
  static constexpr int kFrameDelay = 20;

  explicit BossView(const PuzzleContext& ctx) : ctx_(ctx) {}

  BossRules& Rules() { return rules_; }
  const BossRules& Rules() const { return rules_; }

  void InitPuzzle() override;
  void MixPuzzle() override;
  void PaintPuzzle() override;
  void PuzzleMouseDown(int x, int y, int button) override;
  void NextVariant(int button) override;
  bool TakesKeys() const override { return true; }
  void PuzzleKeyDown(int key) override;
  int VariantNumber() const override { return rules_.BossColumns * rules_.BossRows; }
  std::string LevelText() const override;

  int BossCellLeft(int column) const { return 213 - 25 * rules_.BossColumns + 50 * (column - 1); }
  int BossCellTop(int row) const { return 166 - 25 * rules_.BossRows + 50 * (row - 1); }
  // The atlas place of a tile face.
  static QPoint FacePosition(int code) { return {50 * (code % 10), kFaceTop + 50 * (code / 10)}; }

  void DrawBossCell(int column, int row);
  // A whole move: clock start, sound, board change, animation, gap, solved test.
  void MoveTile(BossMove move);

 private:
  PuzzleContext ctx_;
  BossRules rules_;
};

}  // namespace zt
