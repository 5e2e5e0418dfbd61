#include "puzzles/tilz/TilzView.h"

#include <algorithm>
#include <cstdlib>

#include "puzzles/core/SelectionFrame.h"

namespace zt {

void TilzView::InitPuzzle() {
  rules_.SetUpTilzBoard();
  StartHistory();
  selected_ = rules_.BigPlate();
}

void TilzView::MixPuzzle() {
  rules_.SetUpTilzBoard();
  StartHistory();
  selected_ = rules_.BigPlate();
  PaintPuzzle();
}

void TilzView::StartHistory() {
  start_ = rules_;
  history_.Clear();
}

bool TilzView::Replay(const TilzMove& move, MoveOrigin origin) {
  // Only a board changed behind the history's back could block the way.
  if (!rules_.CanPushPlate(move.column, move.row, move.push)) {
    StartHistory();
    return false;
  }
  PushPlate(move.column, move.row, move.push, origin);
  return true;
}

bool TilzView::UndoMove() {
  if (!history_.CanUndo()) return false;
  return Replay(Opposite(history_.LastDone()), MoveOrigin::Undo);
}

bool TilzView::RedoMove() {
  if (!history_.CanRedo()) return false;
  return Replay(history_.NextUndone(), MoveOrigin::Redo);
}

bool TilzView::RestartPuzzle() {
  if (!history_.CanUndo()) return false;
  rules_ = start_;
  history_.Rewind();
  selected_ = rules_.BigPlate();
  PaintPuzzle();
  return true;
}

QRect TilzView::SelectedRect() const {
  const std::int32_t code = rules_.Cell(selected_.column, selected_.row);
  return {CellPosition(selected_.column, selected_.row),
          QSize(TilzRules::PlateWidth(code), TilzRules::PlateHeight(code))};
}

void TilzView::DrawSelection() {
  if (!selectionShown_) return;
  if (!TilzRules::IsAnchor(rules_.Cell(selected_.column, selected_.row))) return;
  SelectionFrame::Draw(ctx_.canvas.Screen(), SelectedRect());
}

void TilzView::ShowSelection() {
  if (selectionShown_) return;
  selectionShown_ = true;
  DrawSelection();
  ctx_.canvas.Present(SelectedRect());
}

void TilzView::Select(TilzRules::Anchor anchor) {
  if (anchor == selected_) return;
  if (selectionShown_ && TilzRules::IsAnchor(rules_.Cell(selected_.column, selected_.row))) {
    const QRect old = SelectedRect();
    DrawTilzPlate(old.x(), old.y(), rules_.Cell(selected_.column, selected_.row));
    ctx_.canvas.Present(old);
  }
  selected_ = anchor;
  DrawSelection();
  if (selectionShown_) ctx_.canvas.Present(SelectedRect());
}

void TilzView::PuzzleKeyDownWith(int key, int modifiers) {
  // Keys with Ctrl or Alt belong to the game's commands, not to the board.
  if ((modifiers & (kControlModifier | kAltModifier)) != 0) return;
  TilzPush push = TilzPush::None;
  switch (key) {
    case kKeyTab: {
      const TilzRules::Anchors anchors = rules_.PlateAnchors();
      if (anchors.count == 0) return;
      int at = -1;
      for (int i = 0; i < anchors.count; ++i) {
        if (anchors.at[i] == selected_) at = i;
      }
      const bool back = (modifiers & kShiftModifier) != 0;
      // A selection lost (it cannot be, but) starts again at the first plate.
      const int next = at < 0 ? 0 : (at + (back ? anchors.count - 1 : 1)) % anchors.count;
      ShowSelection();
      Select(anchors.at[next]);
      return;
    }
    case kKeyLeft:
      push = TilzPush::Left;
      break;
    case kKeyRight:
      push = TilzPush::Right;
      break;
    case kKeyUp:
      push = TilzPush::Up;
      break;
    case kKeyDown:
      push = TilzPush::Down;
      break;
    default:
      return;
  }
  ShowSelection();
  PlayMove({selected_.column, selected_.row, push});
}

void TilzView::NextVariant(int button) {
  const int level = std::clamp(rules_.TilzLevel, 1, TilzRules::kLevels);
  if (button == kLeftButton) rules_.TilzLevel = level % TilzRules::kLevels + 1;
  if (button == kRightButton) rules_.TilzLevel = level == 1 ? TilzRules::kLevels : level - 1;
  MixPuzzle();
}

QPoint TilzView::CellPicture(std::int32_t code) {
  static constexpr std::array<int, 10> kX{0, 0, 1, 0, 1, 0, 1, 2, 2, 2};
  static constexpr std::array<int, 10> kY{3, 0, 0, 1, 1, 2, 2, 0, 1, 2};
  if (code < 0 || code > 9) return {-1, -1};
  return {50 + kCell * kX[code], 50 + kCell * kY[code]};
}

void TilzView::PaintPuzzle() {
  Canvas& canvas = ctx_.canvas;
  canvas.FromAtlas(kBackground.x(), kBackground.y(), kBackground.width(), kBackground.height(), 0,
                   0);
  if (rules_.TilzLevel <= kLastWalledLevel) {
    canvas.FromAtlas(kLeftWall.x(), kLeftWall.y(), kLeftWall.width(), kLeftWall.height(),
                     kLeftWallAt.x(), kLeftWallAt.y());
    canvas.FromAtlas(kRightWall.x(), kRightWall.y(), kRightWall.width(), kRightWall.height(),
                     kRightWallAt.x(), kRightWallAt.y());
  } else {
    canvas.FromAtlas(kPreview.x(), kPreview.y(), kPreview.width(), kPreview.height(),
                     kPreviewAt.x(), kPreviewAt.y());
  }
  DrawTilzTarget();
  for (int column = 0; column < TilzRules::kColumns; ++column) {
    for (int row = 0; row < TilzRules::kRows; ++row)
      DrawTilzCell(column, row);
  }
  DrawSelection();
  canvas.PresentAll();
}

void TilzView::DrawTilzCell(int column, int row) {
  const std::int32_t code = rules_.Cell(column, row);
  // Walls have no picture: the wall strips show them.
  if (code < TilzRules::kFree || code > TilzRules::kSmall) return;
  const QPoint from = CellPicture(code);
  const QPoint to = CellPosition(column, row);
  ctx_.canvas.FromAtlas(from.x(), from.y(), kCell, kCell, to.x(), to.y());
}

void TilzView::DrawTilzPlate(int x, int y, std::int32_t code) {
  const QPoint from = CellPicture(code);
  ctx_.canvas.FromAtlas(from.x(), from.y(), TilzRules::PlateWidth(code),
                        TilzRules::PlateHeight(code), x, y);
}

void TilzView::FillBlack(int x, int y, int width, int height) {
  ctx_.canvas.FillBlack(x, y, width, height);
}

void TilzView::DrawTilzTarget() {
  const QPoint at = MarkerPosition(rules_.CurrentTarget());
  ctx_.canvas.FromAtlas(kMarker.x(), kMarker.y(), kMarker.width(), kMarker.height(), at.x(),
                        at.y());
}

int TilzView::TilzOctant(int dx, int dy) {
  const bool nearSide = std::abs(dx) > std::abs(dy);
  if (dx >= 0) {
    if (dy >= 0) return nearSide ? 1 : 8;
    return nearSide ? 2 : 3;
  }
  if (dy >= 0) return nearSide ? 6 : 7;
  return nearSide ? 5 : 4;
}

void TilzView::PuzzleMouseDown(int x, int y, int /*button*/) {
  if (x < kBoardLeft || y < kBoardTop) return;
  int column = (x - kBoardLeft) / kCell;
  int row = (y - kBoardTop) / kCell;
  if (column >= TilzRules::kColumns || row >= TilzRules::kRows) return;
  const std::int32_t code = rules_.Cell(column, row);
  if (code < 1 || code > 9) return;

  const int dx = (x - kBoardLeft) % kCell - kCell / 2;
  const int dy = (y - kBoardTop) % kCell - kCell / 2;
  const auto push = static_cast<TilzPush>(TilzPushDirections[code - 1][TilzOctant(dx, dy) - 1]);

  // The press on a quarter or half of a plate pushes the whole plate.
  if (code == 2 || code == 4 || code == 6) --column;
  if (code == 3 || code == 4 || code == 8) --row;

  PlayMove({column, row, push});
}

void TilzView::PlayMove(const TilzMove& move) {
  // Any press on a plate counts as the first move, even one that moves nothing.
  ctx_.play.StartClock(kTilz);
  PushPlate(move.column, move.row, move.push);
}

namespace {

// A hint's push, when the plate it names can make it now.
const TilzMove* HintPush(const TilzRules& rules, const SolveTask& task, std::size_t step) {
  const TilzMove* move = MovesTask<TilzMove>::StepOf(task, step);
  if (!move || !rules.CanPushPlate(move->column, move->row, move->push)) return nullptr;
  return move;
}

}  // namespace

bool TilzView::DrawHint(const SolveTask& task, std::size_t step) {
  const TilzMove* move = HintPush(rules_, task, step);
  if (!move) return false;
  const std::int32_t code = rules_.Cell(move->column, move->row);
  const QRect plate(CellPosition(move->column, move->row),
                    QSize(TilzRules::PlateWidth(code), TilzRules::PlateHeight(code)));
  HintWay way = HintWay::Right;
  switch (move->push) {
    case TilzPush::Up:
      way = HintWay::Up;
      break;
    case TilzPush::Left:
      way = HintWay::Left;
      break;
    case TilzPush::Down:
      way = HintWay::Down;
      break;
    case TilzPush::Right:
    case TilzPush::None:
      break;
  }
  HintMark::Draw(ctx_.canvas.Screen(), plate, way);
  ctx_.canvas.Present(plate);
  return true;
}

bool TilzView::PlayHint(const SolveTask& task, std::size_t step) {
  const TilzMove* move = HintPush(rules_, task, step);
  if (!move) return false;
  PlayMove(*move);
  return true;
}

void TilzView::PushPlate(int column, int row, TilzPush push, MoveOrigin origin) {
  const std::int32_t code = rules_.Cell(column, row);
  if (!TilzRules::IsAnchor(code) || push == TilzPush::None) return;
  // The plate pushed is the selected one, by key or by press.
  Select({column, row});
  const QPoint at = CellPosition(column, row);
  if (rules_.CanPushPlate(column, row, push)) {
    ctx_.host.PlaySound(SoundEffect::TilzPush);
    AnimateMove(at.x(), at.y(), code, push);
    rules_.PushPlate(column, row, push);
    const TilzMove move{column, row, push};
    const TilzMove back = Opposite(move);
    selected_ = {back.column, back.row};
    history_.Note(origin, move);
  } else {
    ctx_.host.PlaySound(SoundEffect::TilzBlocked);
    AnimateBump(at.x(), at.y(), code, push);
  }
  if (IsTilzSolved()) ctx_.host.PuzzleSolved();
}

void TilzView::AnimateMove(int x0, int y0, std::int32_t code, TilzPush push) {
  const int w = TilzRules::PlateWidth(code);
  const int h = TilzRules::PlateHeight(code);
  if (push == TilzPush::None) return;
  ctx_.frames.Play(kSlidePlan, [&](int step) {
    const int d = kMoveStep * step;
    QRect plate(x0, y0, w, h);
    QRect strip;  // the part of the old place the plate has left
    switch (push) {
      case TilzPush::Left:
        plate.translate(-d, 0);
        strip = QRect(x0 + w - d, y0, kMoveStep, h);
        break;
      case TilzPush::Right:
        plate.translate(d, 0);
        strip = QRect(x0 + d - kMoveStep, y0, kMoveStep, h);
        break;
      case TilzPush::Up:
        plate.translate(0, -d);
        strip = QRect(x0, y0 + h - d, w, kMoveStep);
        break;
      case TilzPush::Down:
        plate.translate(0, d);
        strip = QRect(x0, y0 + d - kMoveStep, w, kMoveStep);
        break;
      case TilzPush::None:
        break;
    }
    DrawTilzPlate(plate.x(), plate.y(), code);
    FillBlack(strip.x(), strip.y(), strip.width(), strip.height());
    if (selectionShown_) SelectionFrame::Draw(ctx_.canvas.Screen(), plate);
    ctx_.canvas.Present(plate.united(strip));
  });
}

void TilzView::AnimateBump(int x0, int y0, std::int32_t code, TilzPush push) {
  const int w = TilzRules::PlateWidth(code);
  const int h = TilzRules::PlateHeight(code);
  const int s = kBumpShift;
  // The plate picture without its outer pixel ring, so that its black ring
  // never overwrites the neighbour it runs into.
  const QPoint from = CellPicture(code) + QPoint(1, 1);
  const QRect inner(x0 + 1, y0 + 1, w - 2, h - 2);

  QRect shifted = inner;
  QRect uncovered;  // left behind by the shifted picture
  QRect overhang;   // what the shifted picture covered beyond the plate's inner area
  switch (push) {
    case TilzPush::Left:
      shifted.translate(-s, 0);
      uncovered = QRect(x0 + w - 1 - s, y0, s, h);
      overhang = QRect(x0 - 1, y0, s, h);
      break;
    case TilzPush::Right:
      shifted.translate(s, 0);
      uncovered = QRect(x0 + 1, y0, s, h);
      overhang = QRect(x0 + w - 1, y0, s, h);
      break;
    case TilzPush::Up:
      shifted.translate(0, -s);
      uncovered = QRect(x0, y0 + h - 1 - s, w, s);
      overhang = QRect(x0, y0 - 1, w, s);
      break;
    case TilzPush::Down:
      shifted.translate(0, s);
      uncovered = QRect(x0, y0 + 1, w, s);
      overhang = QRect(x0, y0 + h - 1, w, s);
      break;
    case TilzPush::None:
      return;
  }

  Canvas& canvas = ctx_.canvas;
  // The frame, if shown, goes with the plate's picture.
  auto frame = [&](const QRect& picture) {
    if (selectionShown_) SelectionFrame::Draw(canvas.Screen(), picture.adjusted(-1, -1, 1, 1));
  };
  ctx_.frames.Play(kBumpPlan, [&](int) {
    canvas.FromAtlas(from.x(), from.y(), inner.width(), inner.height(), shifted.x(), shifted.y());
    FillBlack(uncovered.x(), uncovered.y(), uncovered.width(), uncovered.height());
    frame(shifted);
    canvas.Present(shifted.united(uncovered));
  });

  canvas.FromAtlas(from.x(), from.y(), inner.width(), inner.height(), inner.x(), inner.y());
  FillBlack(overhang.x(), overhang.y(), overhang.width(), overhang.height());
  frame(inner);
  canvas.Present(inner.united(overhang));
}

bool TilzView::IsTilzSolved() {
  switch (rules_.StepTilzTarget()) {
    case TilzProgress::Solved:
      return true;
    case TilzProgress::PhaseAdvanced: {
      // A corner reached is never taken back: the history starts here.
      StartHistory();
      ctx_.host.PlaySound(SoundEffect::TilzCorner);
      // Only the new marker: the corners already reached stay marked until the
      // next full paint.
      DrawTilzTarget();
      const QPoint at = MarkerPosition(rules_.CurrentTarget());
      ctx_.canvas.Present(at.x(), at.y(), kMarker.width(), kMarker.height());
      return false;
    }
    case TilzProgress::NotSolved:
      break;
  }
  return false;
}

}  // namespace zt
