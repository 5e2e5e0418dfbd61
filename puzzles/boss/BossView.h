#pragma once

#include <QPoint>
#include <QRect>

#include "puzzles/boss/BossRules.h"
#include "puzzles/core/Canvas.h"
#include "puzzles/core/HintMark.h"
#include "puzzles/core/MoveHistory.h"
#include "puzzles/core/Puzzle.h"

namespace zt {

// BOSS on the screen: the board drawn from "b3.bmp", presses and arrow keys
// turned into moves, each move animated in ten frames through the back buffer.
class BossView final : public Puzzle {
 public:
  static constexpr int kCell = 50;
  // The board is centred on this point of the play area, whatever its size.
  static constexpr QPoint kBoardCentre{213, 166};
  // Tile faces in the atlas: rows of ten below the background, by tile code.
  static constexpr int kFaceTop = 333;
  static constexpr int kFacesPerRow = 10;
  static constexpr int kFrames = 10;
  static constexpr int kFrameStep = kCell / kFrames;  // pixels per frame
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
  VariantValues Variant() const override { return {rules_.BossColumns, rules_.BossRows}; }
  void SetVariant(const VariantValues& values) override;
  int VariantNumber() const override { return rules_.BossColumns * rules_.BossRows; }
  std::string LevelText() const override;
  bool UndoMove() override;
  bool RedoMove() override;
  bool RestartPuzzle() override;
  const MoveHistory<BossMove>& History() const { return history_; }

  // Hints come from the search given here; without one there are none.
  using Search = HintSearch<BossRules, BossMove>::Solve;
  void SetHintSearch(Search search) { hints_.Set(std::move(search)); }
  std::unique_ptr<SolveTask> MakeSolveTask() const override { return hints_.Task(rules_); }
  // The mark: the tile that moves, the arrow the way it travels.
  bool DrawHint(const SolveTask& task, std::size_t step) override;
  bool PlayHint(const SolveTask& task, std::size_t step) override;

  // Plays one move as the player's press or key would: a refused move (no
  // tile on that side of the gap) does nothing at all.
  void PlayMove(BossMove move);

  int BossCellLeft(int column) const {
    return kBoardCentre.x() - kCell * rules_.BossColumns / 2 + kCell * (column - 1);
  }
  int BossCellTop(int row) const {
    return kBoardCentre.y() - kCell * rules_.BossRows / 2 + kCell * (row - 1);
  }
  // The atlas place of a tile face.
  static QPoint FacePosition(int code) {
    return {kCell * (code % kFacesPerRow), kFaceTop + kCell * (code / kFacesPerRow)};
  }

 private:
  void DrawBossCell(int column, int row);
  // A whole move: clock start, sound, board change, animation, gap, the
  // history, solved test.
  void MoveTile(BossMove move, MoveOrigin origin = MoveOrigin::Player);
  // The board as it is now starts the game's history.
  void StartHistory();

  PuzzleContext ctx_;
  BossRules rules_;
  BossRules mixed_;  // the board the history starts from
  MoveHistory<BossMove> history_;
  HintSearch<BossRules, BossMove> hints_;
};

}  // namespace zt
