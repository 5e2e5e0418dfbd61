#include "puzzles/tilz/TilzView.h"

#include <algorithm>
#include <cstdlib>

namespace zt {

void TilzView::InitPuzzle() {
  rules_.SetUpTilzBoard();
}

void TilzView::MixPuzzle() {
  rules_.SetUpTilzBoard();
  PaintPuzzle();
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

void TilzView::PushPlate(int column, int row, TilzPush push) {
  const std::int32_t code = rules_.Cell(column, row);
  if (!TilzRules::IsAnchor(code) || push == TilzPush::None) return;
  const QPoint at = CellPosition(column, row);
  if (rules_.CanPushPlate(column, row, push)) {
    ctx_.host.PlaySound(SoundEffect::TilzPush);
    AnimateMove(at.x(), at.y(), code, push);
    rules_.PushPlate(column, row, push);
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
  ctx_.frames.Play(kBumpPlan, [&](int) {
    canvas.FromAtlas(from.x(), from.y(), inner.width(), inner.height(), shifted.x(), shifted.y());
    FillBlack(uncovered.x(), uncovered.y(), uncovered.width(), uncovered.height());
    canvas.Present(shifted.united(uncovered));
  });

  canvas.FromAtlas(from.x(), from.y(), inner.width(), inner.height(), inner.x(), inner.y());
  FillBlack(overhang.x(), overhang.y(), overhang.width(), overhang.height());
  canvas.Present(inner.united(overhang));
}

bool TilzView::IsTilzSolved() {
  switch (rules_.StepTilzTarget()) {
    case TilzProgress::Solved:
      return true;
    case TilzProgress::PhaseAdvanced: {
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
