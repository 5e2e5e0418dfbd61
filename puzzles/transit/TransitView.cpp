#include "puzzles/transit/TransitView.h"

#include "puzzles/core/SelectionFrame.h"

namespace zt {

namespace {

constexpr int kN = TransitRules::kSize;

bool IsRow(TransitDirection direction) {
  return direction == TransitDirection::Left || direction == TransitDirection::Right;
}

}  // namespace

void TransitView::InitPuzzle() {
  rules_.ShuffleTransitPictures(ctx_.random);
  rules_.SetUpTransitBoard(ctx_.random);
  StartGame();
}

void TransitView::MixPuzzle() {
  rules_.ShuffleTransitPictures(ctx_.random);
  rules_.SetUpTransitBoard(ctx_.random);
  StartGame();
  DrawBoardAndPreview();
  DrawCursor();
  ctx_.canvas.Present(BoardRect());
  ctx_.canvas.Present(MiniatureRect());
}

void TransitView::StartGame() {
  mixed_ = rules_;
  history_.Clear();
  cursor_ = QPoint(kCursorHome, kCursorHome);
}

void TransitView::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  DrawBoardAndPreview();
  DrawCursor();
  ctx_.canvas.PresentAll();
}

void TransitView::DrawCursor() {
  if (cursorShown_) SelectionFrame::Draw(ctx_.canvas.Screen(), CellRect(cursor_.x(), cursor_.y()));
}

void TransitView::MoveCursor(int dx, int dy) {
  const QRect old = CellRect(cursor_.x(), cursor_.y());
  DrawTransitCell(cursor_.x(), cursor_.y());
  cursor_ = QPoint((cursor_.x() + dx + kN) % kN, (cursor_.y() + dy + kN) % kN);
  cursorShown_ = true;
  DrawCursor();
  ctx_.canvas.Present(old);
  ctx_.canvas.Present(CellRect(cursor_.x(), cursor_.y()));
}

void TransitView::PuzzleKeyDownWith(int key, int modifiers) {
  // Keys with Ctrl or Alt belong to the game's commands, not to the board.
  if ((modifiers & (kControlModifier | kAltModifier)) != 0) return;
  const bool turn = (modifiers & kShiftModifier) != 0;
  int dx = 0;
  int dy = 0;
  TransitDirection direction{};
  switch (key) {
    case kKeyLeft:
      dx = -1;
      direction = TransitDirection::Left;
      break;
    case kKeyRight:
      dx = 1;
      direction = TransitDirection::Right;
      break;
    case kKeyUp:
      dy = -1;
      direction = TransitDirection::Up;
      break;
    case kKeyDown:
      dy = 1;
      direction = TransitDirection::Down;
      break;
    default:
      return;
  }
  if (!turn) {
    MoveCursor(dx, dy);
    return;
  }
  if (!cursorShown_) {
    cursorShown_ = true;
    DrawCursor();
    ctx_.canvas.Present(CellRect(cursor_.x(), cursor_.y()));
  }
  MoveTransit(direction, dx != 0 ? cursor_.y() : cursor_.x());
}

bool TransitView::UndoMove() {
  if (!history_.CanUndo()) return false;
  const TransitMove back = Opposite(history_.LastDone());
  MoveTransit(back.direction, back.line, MoveOrigin::Undo);
  return true;
}

bool TransitView::RedoMove() {
  if (!history_.CanRedo()) return false;
  const TransitMove again = history_.NextUndone();
  MoveTransit(again.direction, again.line, MoveOrigin::Redo);
  return true;
}

bool TransitView::RestartPuzzle() {
  if (!history_.CanUndo()) return false;
  rules_ = mixed_;
  history_.Rewind();
  PaintPuzzle();
  return true;
}

void TransitView::DrawBoardAndPreview() {
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y)
      DrawTransitCell(x, y);
  }
  DrawTransitPreview();
}

void TransitView::DrawTransitCell(int x, int y) {
  const QPoint from = LargePicture(rules_.PictureOf(rules_.Cell(x, y)));
  ctx_.canvas.FromAtlas(from.x(), from.y(), kCell, kCell, kBoardLeft + kCell * x,
                        kBoardTop + kCell * y);
}

void TransitView::DrawTransitPreview() {
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y) {
      const QPoint from = SmallPicture(rules_.PictureOf(rules_.TargetCell(x, y)));
      ctx_.canvas.FromAtlas(from.x(), from.y(), kMiniCell, kMiniCell, kMiniLeft + kMiniCell * x,
                            kMiniTop + kMiniCell * y);
    }
  }
}

void TransitView::NextVariant(int button) {
  if (button == kLeftButton) {
    if (++rules_.TransitPattern > TransitRules::kPatternCount) rules_.TransitPattern = 1;
  } else if (button == kRightButton) {
    if (--rules_.TransitPattern < 1) rules_.TransitPattern = TransitRules::kPatternCount;
  }
  MixPuzzle();
}

void TransitView::PuzzleMouseDown(int x, int y, int button) {
  // The left button pushes the line away from the margin pressed; any other
  // button pulls it towards it. All bounds are strict, so the board's own edge
  // and the margins' outer edge take no press.
  const bool push = button == kLeftButton;
  constexpr int right = kBoardLeft + kBoardSize;  // 305
  constexpr int bottom = kBoardTop + kBoardSize;  // 289
  const bool besideRows = kBoardTop < y && y < bottom;
  const bool besideColumns = kBoardLeft < x && x < right;
  const int row = (y - kBoardTop) / kCell;
  const int column = (x - kBoardLeft) / kCell;

  if (kBoardLeft - kMargin < x && x < kBoardLeft && besideRows) {
    MoveTransit(push ? TransitDirection::Right : TransitDirection::Left, row);
  } else if (right < x && x < right + kMargin && besideRows) {
    MoveTransit(push ? TransitDirection::Left : TransitDirection::Right, row);
  } else if (besideColumns && kBoardTop - kMargin < y && y < kBoardTop) {
    MoveTransit(push ? TransitDirection::Down : TransitDirection::Up, column);
  } else if (besideColumns && bottom < y && y < bottom + kMargin) {
    MoveTransit(push ? TransitDirection::Up : TransitDirection::Down, column);
  }
}

namespace {

// A hint's turn, when it names a line of the board.
const TransitMove* HintTurn(const SolveTask& task, std::size_t step) {
  const TransitMove* move = MovesTask<TransitMove>::StepOf(task, step);
  if (!move || move->line < 0 || move->line >= TransitRules::kSize) return nullptr;
  return move;
}

}  // namespace

bool TransitView::DrawHint(const SolveTask& task, std::size_t step) {
  const TransitMove* move = HintTurn(task, step);
  if (!move) return false;
  QRect line;
  HintWay way = HintWay::Left;
  switch (move->direction) {
    case TransitDirection::Left:
    case TransitDirection::Right:
      line = QRect(kBoardLeft, kBoardTop + kCell * move->line, kBoardSize, kCell);
      way = move->direction == TransitDirection::Left ? HintWay::Left : HintWay::Right;
      break;
    case TransitDirection::Up:
    case TransitDirection::Down:
      line = QRect(kBoardLeft + kCell * move->line, kBoardTop, kCell, kBoardSize);
      way = move->direction == TransitDirection::Up ? HintWay::Up : HintWay::Down;
      break;
  }
  HintMark::Draw(ctx_.canvas.Screen(), line, way);
  ctx_.canvas.Present(line);
  return true;
}

bool TransitView::PlayHint(const SolveTask& task, std::size_t step) {
  const TransitMove* move = HintTurn(task, step);
  if (!move) return false;
  PlayMove(*move);
  return true;
}

void TransitView::MoveTransit(TransitDirection direction, int line, MoveOrigin origin) {
  if (line < 0 || line >= kN) return;
  ctx_.play.StartClock(kTransit);
  ctx_.host.PlaySound(SoundEffect::TransitMove);

  const bool row = IsRow(direction);
  // Left and up take their source windows from further along the line.
  const bool forwards = direction == TransitDirection::Left || direction == TransitDirection::Up;
  auto cellAt = [&](int i) { return row ? rules_.Cell(i, line) : rules_.Cell(line, i); };
  // Place of position i along the line; -1 and 7 are the places just beyond
  // its ends, where the wrapping cell comes back in.
  auto placeOf = [&](int i) {
    return row ? QPoint(kBoardLeft + kCell * i, kBoardTop + kCell * line)
               : QPoint(kBoardLeft + kCell * line, kBoardTop + kCell * i);
  };

  // The line is composed once; every frame is then one window copy.
  Canvas& canvas = ctx_.canvas;
  QImage& back = canvas.BackBuffer();
  auto compose = [&](int kind, QPoint to) {
    const QPoint from = LargePicture(rules_.PictureOf(kind));
    Canvas::Copy(canvas.Atlas(), from.x(), from.y(), kCell, kCell, back, to.x(), to.y());
  };
  for (int i = 0; i < kN; ++i)
    compose(cellAt(i), placeOf(i));
  if (forwards) {
    compose(cellAt(0), placeOf(kN));
  } else {
    compose(cellAt(kN - 1), placeOf(-1));
  }

  const QRect place(placeOf(0), row ? QSize(kBoardSize, kCell) : QSize(kCell, kBoardSize));
  // The cursor stays on its cell while the line turns under it.
  const bool cursorOnLine = cursorShown_ && (row ? cursor_.y() : cursor_.x()) == line;
  ctx_.frames.Play(kTurnPlan, [&](int frame) {
    const int shift = (forwards ? 1 : -1) * kFrameStep * frame;
    const int sx = place.x() + (row ? shift : 0);
    const int sy = place.y() + (row ? 0 : shift);
    Canvas::Copy(back, sx, sy, place.width(), place.height(), canvas.Screen(), place.x(),
                 place.y());
    if (cursorOnLine) DrawCursor();
    canvas.Present(place);
  });

  // The last frame already shows the turned line, so nothing is redrawn.
  rules_.RotateTransitLine(direction, line);
  history_.Note(origin, {direction, line});
  if (rules_.IsTransitPatternBuilt()) ctx_.host.PuzzleSolved();
}

}  // namespace zt
