#include "puzzles/boss/BossView.h"

namespace zt {

void BossView::InitPuzzle() {
  rules_.SetUpBossBoard(ctx_.random);
  StartHistory();
}

void BossView::MixPuzzle() {
  rules_.SetUpBossBoard(ctx_.random);
  StartHistory();
  PaintPuzzle();
}

void BossView::StartHistory() {
  mixed_ = rules_;
  history_.Clear();
}

bool BossView::UndoMove() {
  if (!history_.CanUndo()) return false;
  const BossMove back = Opposite(history_.LastDone());
  // Only a board changed behind the history's back could refuse it.
  if (!rules_.CanMove(back)) {
    StartHistory();
    return false;
  }
  MoveTile(back, MoveOrigin::Undo);
  return true;
}

bool BossView::RedoMove() {
  if (!history_.CanRedo()) return false;
  const BossMove again = history_.NextUndone();
  if (!rules_.CanMove(again)) {
    StartHistory();
    return false;
  }
  MoveTile(again, MoveOrigin::Redo);
  return true;
}

bool BossView::RestartPuzzle() {
  if (!history_.CanUndo()) return false;
  rules_ = mixed_;
  history_.Rewind();
  PaintPuzzle();
  return true;
}

void BossView::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  for (int column = 1; column <= rules_.BossColumns; ++column) {
    for (int row = 1; row <= rules_.BossRows; ++row)
      DrawBossCell(column, row);
  }
  ctx_.canvas.PresentAll();
}

void BossView::DrawBossCell(int column, int row) {
  const int v = rules_.Board(column, row);
  const int x = BossCellLeft(column);
  const int y = BossCellTop(row);
  if (v < 0) {
    ctx_.canvas.FromAtlas(x, y, kCell, kCell, x, y);
  } else {
    const QPoint face = FacePosition(v);
    ctx_.canvas.FromAtlas(face.x(), face.y(), kCell, kCell, x, y);
  }
}

void BossView::SetVariant(const VariantValues& values) {
  rules_.BossColumns = values[0];
  rules_.BossRows = values[1];
}

void BossView::NextVariant(int button) {
  if (button == kLeftButton) {
    if (++rules_.BossColumns > BossRules::kMaxColumns) rules_.BossColumns = BossRules::kMinColumns;
  } else if (button == kRightButton) {
    if (++rules_.BossRows > BossRules::kMaxRows) rules_.BossRows = BossRules::kMinRows;
  }
  MixPuzzle();
}

std::string BossView::LevelText() const {
  return std::to_string(rules_.BossColumns) + "-" + std::to_string(rules_.BossRows);
}

void BossView::PuzzleMouseDown(int x, int y, int /*button*/) {
  int column = 0;
  int row = 0;
  for (int c = 1; c <= rules_.BossColumns; ++c) {
    if (BossCellLeft(c) < x && x < BossCellLeft(c) + kCell) column = c;
  }
  for (int r = 1; r <= rules_.BossRows; ++r) {
    if (BossCellTop(r) < y && y < BossCellTop(r) + kCell) row = r;
  }
  if (column == 0 || row == 0) return;

  // Only a tile beside the gap moves, into the gap.
  if (row == rules_.GapRow && column == rules_.GapColumn + 1) {
    PlayMove(BossMove::Left);
  } else if (row == rules_.GapRow && column == rules_.GapColumn - 1) {
    PlayMove(BossMove::Right);
  } else if (column == rules_.GapColumn && row == rules_.GapRow + 1) {
    PlayMove(BossMove::Up);
  } else if (column == rules_.GapColumn && row == rules_.GapRow - 1) {
    PlayMove(BossMove::Down);
  }
}

void BossView::PuzzleKeyDown(int key) {
  switch (key) {
    case kKeyLeft:
      PlayMove(BossMove::Left);
      break;
    case kKeyUp:
      PlayMove(BossMove::Up);
      break;
    case kKeyRight:
      PlayMove(BossMove::Right);
      break;
    case kKeyDown:
      PlayMove(BossMove::Down);
      break;
    default:
      break;
  }
}

void BossView::PlayMove(BossMove move) {
  if (rules_.CanMove(move)) MoveTile(move);
}

bool BossView::DrawHint(const SolveTask& task, std::size_t step) {
  const BossMove* move = MovesTask<BossMove>::StepOf(task, step);
  if (!move || !rules_.CanMove(*move)) return false;
  static constexpr HintWay kWays[] = {HintWay::Left, HintWay::Right, HintWay::Up, HintWay::Down};
  const QRect tile(BossCellLeft(rules_.SourceColumn(*move)), BossCellTop(rules_.SourceRow(*move)),
                   kCell, kCell);
  HintMark::Draw(ctx_.canvas.Screen(), tile, kWays[static_cast<int>(*move)]);
  ctx_.canvas.Present(tile);
  return true;
}

bool BossView::PlayHint(const SolveTask& task, std::size_t step) {
  const BossMove* move = MovesTask<BossMove>::StepOf(task, step);
  if (!move || !rules_.CanMove(*move)) return false;
  PlayMove(*move);
  return true;
}

void BossView::MoveTile(BossMove move, MoveOrigin origin) {
  ctx_.play.StartClock(kBoss);
  ctx_.host.PlaySound(SoundEffect::BossMove);

  // The animated region covers the tile's cell and the old gap cell; the face
  // starts one cell away from the gap and arrives in it at the last frame.
  const bool horizontal = move == BossMove::Left || move == BossMove::Right;
  const bool towardsStart = move == BossMove::Left || move == BossMove::Up;
  const int regionColumn = move == BossMove::Right ? rules_.GapColumn - 1 : rules_.GapColumn;
  const int regionRow = move == BossMove::Down ? rules_.GapRow - 1 : rules_.GapRow;
  const QRect region(BossCellLeft(regionColumn), BossCellTop(regionRow),
                     horizontal ? 2 * kCell : kCell, horizontal ? kCell : 2 * kCell);
  // Moves towards the board's start tick after frames 3, 6, 9, the others after 2, 5, 8.
  const FramePlan plan{kBoss, kFrames, kFrameDelay,
                       towardsStart ? TickFrames{3, 6, 9} : TickFrames{2, 5, 8}};

  rules_.ChangeBoard(move);
  const QPoint face = FacePosition(rules_.Board(rules_.GapColumn, rules_.GapRow));

  Canvas& canvas = ctx_.canvas;
  ctx_.frames.Play(plan, [&](int frame) {
    const int along = towardsStart ? kCell - kFrameStep * frame : kFrameStep * frame;
    Canvas::Copy(canvas.Atlas(), region.x(), region.y(), region.width(), region.height(),
                 canvas.BackBuffer(), region.x(), region.y());
    const int fx = horizontal ? region.x() + along : region.x();
    const int fy = horizontal ? region.y() : region.y() + along;
    Canvas::Copy(canvas.Atlas(), face.x(), face.y(), kCell, kCell, canvas.BackBuffer(), fx, fy);
    Canvas::Copy(canvas.BackBuffer(), region.x(), region.y(), region.width(), region.height(),
                 canvas.Screen(), region.x(), region.y());
    canvas.Present(region);
  });

  rules_.MoveGap(move);
  history_.Note(origin, move);
  if (rules_.IsBossSolved()) ctx_.host.PuzzleSolved();
}

}  // namespace zt
