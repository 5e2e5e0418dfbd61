#pragma once

#include <QPoint>
#include <QRect>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/HintMark.h"
#include "puzzles/core/MoveHistory.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/transit/TransitRules.h"

namespace zt {

// TRANSIT on the screen: board and pattern miniature drawn from "b4.bmp",
// presses in the four margins beside the board turned into rotations of one
// row or column, each animated in seven frames through the back buffer. The
// keyboard moves a cursor over the board (the arrow keys) and turns its row or
// column (Shift with an arrow) as the margin press would.
class TransitView final : public Puzzle {
 public:
  static constexpr int kCell = 35;
  static constexpr int kBoardLeft = 60;
  static constexpr int kBoardTop = 44;
  static constexpr int kBoardSize = TransitRules::kSize * kCell;  // 245
  static constexpr int kMiniCell = 15;
  static constexpr int kMiniLeft = 362;
  static constexpr int kMiniTop = 44;
  static constexpr int kMiniSize = TransitRules::kSize * kMiniCell;  // 105
  static constexpr int kMargin = 35;  // depth of the press areas beside the board
  static constexpr int kFrames = 7;
  static constexpr int kFrameStep = kCell / kFrames;  // pixels per frame
  static constexpr int kFrameDelay = 20;
  // A turn keeps the clock with one tick, after its fourth frame.
  static constexpr FramePlan kTurnPlan{kTransit, kFrames, kFrameDelay, {4}};
  // Where the cursor stands at a new game: the middle cell.
  static constexpr int kCursorHome = TransitRules::kSize / 2;

  explicit TransitView(const PuzzleContext& ctx) : ctx_(ctx) {}

  TransitRules& Rules() { return rules_; }
  const TransitRules& Rules() const { return rules_; }

  void InitPuzzle() override;
  void MixPuzzle() override;
  void PaintPuzzle() override;
  void PuzzleMouseDown(int x, int y, int button) override;
  void NextVariant(int button) override;
  VariantValues Variant() const override { return {rules_.TransitPattern, 0}; }
  void SetVariant(const VariantValues& values) override { rules_.TransitPattern = values[0]; }
  int VariantNumber() const override { return rules_.TransitPattern; }
  std::string LevelText() const override { return std::to_string(rules_.TransitPattern); }
  bool TakesKeys() const override { return true; }
  void PuzzleKeyDown(int key) override { PuzzleKeyDownWith(key, kNoModifier); }
  // The arrows move the cursor (wrapping at the edges); Shift with an arrow
  // turns the cursor's row (left, right) or column (up, down).
  void PuzzleKeyDownWith(int key, int modifiers) override;
  bool UndoMove() override;
  bool RedoMove() override;
  bool RestartPuzzle() override;
  const MoveHistory<TransitMove>& History() const { return history_; }

  // Hints come from the search given here; without one there are none.
  using Search = HintSearch<TransitRules, TransitMove>::Solve;
  void SetHintSearch(Search search) { hints_.Set(std::move(search)); }
  std::unique_ptr<SolveTask> MakeSolveTask() const override { return hints_.Task(rules_); }
  // The mark: the row or column that turns, the arrow the way it goes.
  bool DrawHint(const SolveTask& task, std::size_t step) override;
  bool PlayHint(const SolveTask& task, std::size_t step) override;

  // The cursor's cell, and whether it is drawn: from the first key on.
  QPoint Cursor() const { return cursor_; }
  bool CursorShown() const { return cursorShown_; }
  static QRect CellRect(int x, int y) {
    return {kBoardLeft + kCell * x, kBoardTop + kCell * y, kCell, kCell};
  }

  // Atlas places of picture m (0..20): the large ones lie where board rows 0..2
  // are drawn, the small ones where miniature rows 0..2 are.
  static QPoint LargePicture(int m) {
    return {kBoardLeft + kCell * (m % 7), kBoardTop + kCell * (m / 7)};
  }
  static QPoint SmallPicture(int m) {
    return {kMiniLeft + kMiniCell * (m % 7), kMiniTop + kMiniCell * (m / 7)};
  }
  static QRect BoardRect() { return {kBoardLeft, kBoardTop, kBoardSize, kBoardSize}; }
  static QRect MiniatureRect() { return {kMiniLeft, kMiniTop, kMiniSize, kMiniSize}; }

  // Plays one turn as a press in the margin would.
  void PlayMove(const TransitMove& move) { MoveTransit(move.direction, move.line); }
  // A whole move: clock start, sound, seven frames, rotation, the history,
  // solved test. A line outside 0..6 does nothing.
  void MoveTransit(TransitDirection direction, int line, MoveOrigin origin = MoveOrigin::Player);

 private:
  // The board as it is now starts the game's history; the cursor goes home.
  void StartGame();
  // The cursor frame over its cell on the screen, if shown (not presented).
  void DrawCursor();
  void MoveCursor(int dx, int dy);
  // Draws one board cell or the whole miniature on the screen (not presented).
  void DrawTransitCell(int x, int y);
  void DrawTransitPreview();
  void DrawBoardAndPreview();

  PuzzleContext ctx_;
  TransitRules rules_;
  TransitRules mixed_;  // the board the history starts from
  MoveHistory<TransitMove> history_;
  HintSearch<TransitRules, TransitMove> hints_;
  QPoint cursor_{kCursorHome, kCursorHome};
  bool cursorShown_ = false;
};

}  // namespace zt
