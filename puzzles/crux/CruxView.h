#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>

#include "puzzles/core/Canvas.h"
#include "puzzles/core/HintMark.h"
#include "puzzles/core/MoveHistory.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/crux/CruxRules.h"

namespace zt {

// CRUX on the screen: the two tracks drawn from "b1.bmp", each composed in a
// strip image of its own and copied in one piece, the target pattern as a
// miniature on the right, presses on the four track ends and the arrow keys
// turned into slides animated in nine eased frames.
class CruxView final : public Puzzle {
 public:
  static constexpr int kCell = 25;
  static constexpr int kMiniCell = 15;
  static constexpr int kBoardLeft = 41;
  static constexpr int kBoardTop = 41;
  static constexpr int kStripLength = CruxRules::kSize * kCell;  // 250
  static constexpr int kStripWidth = 2 * kCell;                  // 50
  // Where each strip lands on the screen.
  static constexpr QPoint kHorizontalAt{kBoardLeft, kBoardTop + 4 * kCell};  // (41, 141)
  static constexpr QPoint kVerticalAt{kBoardLeft + 4 * kCell, kBoardTop};    // (141, 41)
  static constexpr QPoint kPreviewAt{370, 41};
  static constexpr int kPictureTop = 333;  // first row of piece pictures in the atlas
  static constexpr int kPictureCount = 50;
  static constexpr int kFrameDelay = 20;
  // Cumulative offsets of the nine frames of a slide: slow at both ends.
  static constexpr std::array<int, 9> CruxMoveSteps{1, 3, 6, 10, 15, 19, 22, 24, 25};
  // A slide keeps the clock with one tick, after its fifth frame.
  static constexpr FramePlan kSlidePlan{kCrux, int(CruxMoveSteps.size()), kFrameDelay, {5}};
  // The push areas by slide direction (right, down, left, up). A point hits an
  // area only strictly inside its rectangle, borders excluded.
  static constexpr std::array<QRect, 4> CruxPushAreas{
      QRect(15, 141, 36, 50), QRect(141, 15, 50, 36), QRect(281, 141, 36, 50),
      QRect(141, 281, 50, 36)};

  explicit CruxView(const PuzzleContext& ctx);

  CruxRules& Rules() { return rules_; }
  const CruxRules& Rules() const { return rules_; }

  void InitPuzzle() override;
  void MixPuzzle() override;
  void PaintPuzzle() override;
  void PuzzleMouseDown(int x, int y, int button) override;
  void NextVariant(int button) override;
  bool TakesKeys() const override { return true; }
  void PuzzleKeyDown(int key) override;
  VariantValues Variant() const override { return {rules_.CruxPattern, 0}; }
  void SetVariant(const VariantValues& values) override { rules_.CruxPattern = values[0]; }
  int VariantNumber() const override { return rules_.CruxPattern; }
  std::string LevelText() const override { return std::to_string(rules_.CruxPattern); }
  bool UndoMove() override;
  bool RedoMove() override;
  bool RestartPuzzle() override;
  const MoveHistory<int>& History() const { return history_; }

  // Hints come from the search given here (each move a Direction); without
  // one there are none.
  using Search = HintSearch<CruxRules, int>::Solve;
  void SetHintSearch(Search search) { hints_.Set(std::move(search)); }
  std::unique_ptr<SolveTask> MakeSolveTask() const override { return hints_.Task(rules_); }
  // The mark: the track that slides, the arrow the way it goes.
  bool DrawHint(const SolveTask& task, std::size_t step) override;
  bool PlayHint(const SolveTask& task, std::size_t step) override;

  // The atlas places of piece picture v (1..50), board size and miniature size.
  static QPoint LargePicture(int v) {
    return {kCell * ((v - 1) % 10), kPictureTop + kCell * ((v - 1) / 10)};
  }
  static QPoint SmallPicture(int v) {
    return {250 + kMiniCell * ((v - 1) % 10), kPictureTop + kMiniCell * ((v - 1) / 10)};
  }
  static QRect HorizontalStripRect() { return {kHorizontalAt, QSize(kStripLength, kStripWidth)}; }
  static QRect VerticalStripRect() { return {kVerticalAt, QSize(kStripWidth, kStripLength)}; }
  static QRect PreviewRect() {
    return {kPreviewAt,
            QSize(CruxRules::kBlockSize * kMiniCell, CruxRules::kBlockSize * kMiniCell)};
  }
  // The direction of the push area that (x, y) hits, or -1.
  static int PushDirection(int x, int y);

  // Compose a track with its pieces moved by offset pixels along it and copy
  // it to the screen; the caller presents.
  void DrawCruxHorizontal(int offset);
  void DrawCruxVertical(int offset);
  // Plays one slide as a press on a track end would: the clock starts even
  // when the way is blocked, and then nothing moves.
  void PlayMove(CruxRules::Direction direction);
  // The slide itself: sound, nine frames with the clock tick, shift, the
  // history, solved test. The way must be free (CruxCanShift); the clock is
  // not started.
  void MoveCrux(int direction, MoveOrigin origin = MoveOrigin::Player);

 private:
  // The board as it is now starts the game's history.
  void StartHistory();
  // Slides again a move of the history, if the way is still free.
  bool Replay(int direction, MoveOrigin origin);

  void DrawCruxPreview();
  void PutPicture(int v, QImage& strip, int x, int y) const;

  PuzzleContext ctx_;
  CruxRules rules_;
  CruxRules mixed_;           // the board the history starts from
  MoveHistory<int> history_;  // slide directions
  HintSearch<CruxRules, int> hints_;
  // Made once per canvas scale: every frame of a slide recomposes one of them.
  QImage horizontal_;
  QImage vertical_;
};

}  // namespace zt
