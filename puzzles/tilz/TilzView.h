#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/HintMark.h"
#include "puzzles/core/MoveHistory.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/tilz/TilzRules.h"

namespace zt {

// TILZ on the screen: the board drawn from "b2.bmp" straight onto the screen,
// presses turned into pushes by the part of the plate they hit, every push
// animated as a ten-step slide or a short bump. On the keyboard one plate is
// selected (Tab and Shift+Tab step through them) and the arrow keys push it;
// its frame shows from the first key on.
class TilzView final : public Puzzle {
 public:
  static constexpr int kCell = 50;
  static constexpr int kBoardLeft = 41;
  static constexpr int kBoardTop = 41;
  static constexpr int kMoveSteps = 10;
  static constexpr int kMoveStep = kCell / kMoveSteps;  // pixels per step
  static constexpr int kMoveDelay = 30;
  // A slide keeps the clock with a tick after every third step.
  static constexpr FramePlan kSlidePlan{kTilz, kMoveSteps, kMoveDelay, {3, 6, 9}};
  static constexpr int kBumpShift = 2;
  static constexpr int kBumpDelay = 90;
  // A bump shows the plate shifted for one wait and then back; the clock
  // gets nothing.
  static constexpr FramePlan kBumpPlan{kTilz, 1, kBumpDelay, {}};
  // Levels up to this one are narrower and show wall strips instead of the
  // miniature.
  static constexpr int kLastWalledLevel = 3;

  // Atlas places (left, top, width, height) and where they go on the screen.
  static constexpr QRect kBackground{0, 0, 500, 333};
  static constexpr QRect kLeftWall{500, 0, 55, 260};
  static constexpr QPoint kLeftWallAt{36, 36};
  static constexpr QRect kRightWall{555, 0, 55, 260};
  static constexpr QPoint kRightWallAt{291, 36};
  static constexpr QRect kPreview{267, 45, 70, 60};
  static constexpr QPoint kPreviewAt{385, 36};
  static constexpr QRect kMarker{200, 50, 20, 20};
  // The marker of anchor (0, 0) on the miniature, and its step per cell.
  static constexpr QPoint kMarkerOrigin{390, 41};
  static constexpr int kMarkerStep = 10;

  // The push direction for a press on a plate cell, by cell code 1..9 and
  // octant 1..8 (values of TilzPush: 1 right, 2 up, 3 left, 4 down, 0 none).
  // A plate moves away from the part of its outline nearest the press.
  static constexpr std::array<std::array<std::uint8_t, 8>, 9> TilzPushDirections{{
      {0, 4, 4, 4, 1, 1, 1, 0},  // 1 big, top left
      {3, 3, 4, 4, 4, 0, 0, 3},  // 2 big, top right
      {2, 0, 0, 1, 1, 1, 2, 2},  // 3 big, bottom left
      {3, 3, 3, 0, 0, 2, 2, 2},  // 4 big, bottom right
      {2, 4, 4, 4, 1, 1, 2, 2},  // 5 wide, left
      {3, 3, 4, 4, 4, 2, 2, 2},  // 6 wide, right
      {3, 3, 4, 4, 1, 1, 1, 3},  // 7 tall, top
      {3, 3, 3, 1, 1, 1, 2, 2},  // 8 tall, bottom
      {3, 3, 4, 4, 1, 1, 2, 2},  // 9 small
  }};

  explicit TilzView(const PuzzleContext& ctx) : ctx_(ctx) {}

  TilzRules& Rules() { return rules_; }
  const TilzRules& Rules() const { return rules_; }

  void InitPuzzle() override;
  void MixPuzzle() override;
  void PaintPuzzle() override;
  void PuzzleMouseDown(int x, int y, int button) override;
  void NextVariant(int button) override;
  VariantValues Variant() const override { return {rules_.TilzLevel, 0}; }
  void SetVariant(const VariantValues& values) override { rules_.TilzLevel = values[0]; }
  int VariantNumber() const override { return rules_.TilzLevel; }
  std::string LevelText() const override { return std::to_string(rules_.TilzLevel); }
  bool TakesKeys() const override { return true; }
  void PuzzleKeyDown(int key) override { PuzzleKeyDownWith(key, kNoModifier); }
  // Tab selects the next plate in reading order of the anchors, Shift+Tab the
  // previous one, both wrapping round; an arrow pushes the selected plate as
  // a press would.
  void PuzzleKeyDownWith(int key, int modifiers) override;
  bool UndoMove() override;
  bool RedoMove() override;
  bool RestartPuzzle() override;
  const MoveHistory<TilzMove>& History() const { return history_; }

  // Hints come from the search given here; without one there are none. On
  // level 5 a search leads to the corner that counts now.
  using Search = HintSearch<TilzRules, TilzMove>::Solve;
  void SetHintSearch(Search search) { hints_.Set(std::move(search)); }
  std::unique_ptr<SolveTask> MakeSolveTask() const override { return hints_.Task(rules_); }
  // The mark: the plate that moves, the arrow the way it is pushed.
  bool DrawHint(const SolveTask& task, std::size_t step) override;
  bool PlayHint(const SolveTask& task, std::size_t step) override;

  // The selected plate's anchor, and whether its frame is drawn.
  TilzRules::Anchor Selected() const { return selected_; }
  bool SelectionShown() const { return selectionShown_; }

  // Octant 1..8 of a press at (dx, dy) from the cell's centre, counted round
  // from the right edge's lower half; a press on a diagonal belongs to the
  // octant above or below it.
  static int TilzOctant(int dx, int dy);
  // The atlas place of the picture of cell code 0..9.
  static QPoint CellPicture(std::int32_t code);
  // Screen place of the marker for a target anchor on the preview.
  static QPoint MarkerPosition(TilzRules::Target target) {
    return kMarkerOrigin + QPoint(kMarkerStep * target.column, kMarkerStep * target.row);
  }
  static QPoint CellPosition(int column, int row) {
    return {kBoardLeft + kCell * column, kBoardTop + kCell * row};
  }

  // Plays one push as a press on the plate would: the press starts the clock,
  // then the push runs (a push None only starts the clock).
  void PlayMove(const TilzMove& move);
  // One push attempt of the plate anchored at (column, row): the plate is
  // selected, then a slide when the way is free, a bump otherwise, the
  // history, the solved test. It does not start the clock; a cell that is no
  // anchor, or push None, does nothing.
  void PushPlate(int column, int row, TilzPush push, MoveOrigin origin = MoveOrigin::Player);

 private:
  // The solved test with its visible side of a level-5 step (sound and the
  // new target's marker).
  bool IsTilzSolved();
  void DrawTilzCell(int column, int row);
  void DrawTilzPlate(int x, int y, std::int32_t code);
  void FillBlack(int x, int y, int width, int height);
  void DrawTilzTarget();
  void AnimateMove(int x0, int y0, std::int32_t code, TilzPush push);
  void AnimateBump(int x0, int y0, std::int32_t code, TilzPush push);
  // The board as it is now starts the history (a new game, a level, a corner
  // reached in level 5); the big plate is selected at a new game.
  void StartHistory();
  // The selected plate's place on the screen.
  QRect SelectedRect() const;
  // The frame round the selected plate, if shown (not presented).
  void DrawSelection();
  // Moves the selection; the old frame is drawn over and the new one drawn.
  void Select(TilzRules::Anchor anchor);
  void ShowSelection();
  // Plays a move of the history again, if the plate can still go that way.
  bool Replay(const TilzMove& move, MoveOrigin origin);

  PuzzleContext ctx_;
  TilzRules rules_;
  TilzRules start_;  // the board the history starts from
  MoveHistory<TilzMove> history_;
  HintSearch<TilzRules, TilzMove> hints_;
  TilzRules::Anchor selected_ = rules_.BigPlate();
  bool selectionShown_ = false;
};

}  // namespace zt
