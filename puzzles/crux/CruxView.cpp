#include "puzzles/crux/CruxView.h"

namespace zt {

CruxView::CruxView(const PuzzleContext& ctx)
    : ctx_(ctx),
      horizontal_(Canvas::MakeImage(kStripLength, kStripWidth)),
      vertical_(Canvas::MakeImage(kStripWidth, kStripLength)) {}

void CruxView::InitPuzzle() {
  rules_.SetUpCruxBoard(ctx_.random);
  StartHistory();
}

void CruxView::MixPuzzle() {
  rules_.SetUpCruxBoard(ctx_.random);
  StartHistory();
  DrawCruxHorizontal(0);
  DrawCruxVertical(0);
  DrawCruxPreview();
  Canvas& canvas = ctx_.canvas;
  canvas.Present(HorizontalStripRect());
  canvas.Present(VerticalStripRect());
  canvas.Present(PreviewRect());
}

void CruxView::StartHistory() {
  mixed_ = rules_;
  history_.Clear();
}

bool CruxView::Replay(int direction, MoveOrigin origin) {
  // Only a board changed behind the history's back could block the way.
  if (!rules_.CruxCanShift(direction)) {
    StartHistory();
    return false;
  }
  MoveCrux(direction, origin);
  return true;
}

bool CruxView::UndoMove() {
  if (!history_.CanUndo()) return false;
  return Replay((history_.LastDone() + 2) % CruxRules::kDirections, MoveOrigin::Undo);
}

bool CruxView::RedoMove() {
  if (!history_.CanRedo()) return false;
  return Replay(history_.NextUndone(), MoveOrigin::Redo);
}

bool CruxView::RestartPuzzle() {
  if (!history_.CanUndo()) return false;
  rules_ = mixed_;
  history_.Rewind();
  PaintPuzzle();
  return true;
}

void CruxView::PaintPuzzle() {
  ctx_.canvas.FromAtlas(0, 0, Canvas::kWidth, Canvas::kHeight, 0, 0);
  DrawCruxHorizontal(0);
  DrawCruxVertical(0);
  DrawCruxPreview();
  ctx_.canvas.PresentAll();
}

void CruxView::NextVariant(int button) {
  if (button == kLeftButton) {
    if (++rules_.CruxPattern > CruxRules::kPatternCount) rules_.CruxPattern = 1;
  } else if (button == kRightButton) {
    if (--rules_.CruxPattern <= 0) rules_.CruxPattern = CruxRules::kPatternCount;
  }
  MixPuzzle();
}

void CruxView::PutPicture(int v, QImage& strip, int x, int y) const {
  if (v < 1 || v > kPictureCount) return;
  const QPoint from = LargePicture(v);
  Canvas::Copy(ctx_.canvas.Atlas(), from.x(), from.y(), kCell, kCell, strip, x, y);
}

void CruxView::DrawCruxHorizontal(int offset) {
  ctx_.canvas.Fit(horizontal_, kStripLength, kStripWidth);
  Canvas::Fill(horizontal_, 0, 0, kStripLength, kStripWidth, qRgb(0, 0, 0));
  for (int i = 0; i < CruxRules::kSize; ++i) {
    PutPicture(rules_.Cell(i, 4), horizontal_, kCell * i + offset, 0);
    PutPicture(rules_.Cell(i, 5), horizontal_, kCell * i + offset, kCell);
  }
  Canvas::Copy(horizontal_, 0, 0, kStripLength, kStripWidth, ctx_.canvas.Screen(),
               kHorizontalAt.x(), kHorizontalAt.y());
}

void CruxView::DrawCruxVertical(int offset) {
  ctx_.canvas.Fit(vertical_, kStripWidth, kStripLength);
  Canvas::Fill(vertical_, 0, 0, kStripWidth, kStripLength, qRgb(0, 0, 0));
  for (int i = 0; i < CruxRules::kSize; ++i) {
    PutPicture(rules_.Cell(4, i), vertical_, 0, kCell * i + offset);
    PutPicture(rules_.Cell(5, i), vertical_, kCell, kCell * i + offset);
  }
  Canvas::Copy(vertical_, 0, 0, kStripWidth, kStripLength, ctx_.canvas.Screen(), kVerticalAt.x(),
               kVerticalAt.y());
}

void CruxView::DrawCruxPreview() {
  constexpr int first = CruxRules::kBlockFirst;
  for (int x = first; x < first + CruxRules::kBlockSize; ++x) {
    for (int y = first; y < first + CruxRules::kBlockSize; ++y) {
      const int v = rules_.PatternValue(x, y);
      if (v < 1 || v > kPictureCount) continue;
      const QPoint from = SmallPicture(v);
      ctx_.canvas.FromAtlas(from.x(), from.y(), kMiniCell, kMiniCell,
                            kPreviewAt.x() + kMiniCell * (x - first),
                            kPreviewAt.y() + kMiniCell * (y - first));
    }
  }
}

int CruxView::PushDirection(int x, int y) {
  for (int direction = 0; direction < static_cast<int>(CruxPushAreas.size()); ++direction) {
    const QRect& a = CruxPushAreas[direction];
    if (a.x() < x && x < a.x() + a.width() && a.y() < y && y < a.y() + a.height()) return direction;
  }
  return -1;
}

void CruxView::PuzzleMouseDown(int x, int y, int /*button*/) {
  const int direction = PushDirection(x, y);
  if (direction >= 0) PlayMove(static_cast<CruxRules::Direction>(direction));
}

void CruxView::PuzzleKeyDown(int key) {
  // Any key at all starts the clock; only the arrows slide.
  ctx_.play.StartClock(kCrux);
  switch (key) {
    case kKeyLeft:
      PlayMove(CruxRules::kLeft);
      break;
    case kKeyUp:
      PlayMove(CruxRules::kUp);
      break;
    case kKeyRight:
      PlayMove(CruxRules::kRight);
      break;
    case kKeyDown:
      PlayMove(CruxRules::kDown);
      break;
    default:
      break;
  }
}

void CruxView::PlayMove(CruxRules::Direction direction) {
  // A push on a track end counts as the first move even when the slide is
  // refused.
  ctx_.play.StartClock(kCrux);
  if (rules_.CruxCanShift(direction)) MoveCrux(direction);
}

namespace {

// A hint's slide, when the track can make it now.
const int* HintSlide(const CruxRules& rules, const SolveTask& task, std::size_t step) {
  const int* direction = MovesTask<int>::StepOf(task, step);
  if (!direction || *direction < 0 || *direction >= CruxRules::kDirections ||
      !rules.CruxCanShift(*direction))
    return nullptr;
  return direction;
}

}  // namespace

bool CruxView::DrawHint(const SolveTask& task, std::size_t step) {
  const int* direction = HintSlide(rules_, task, step);
  if (!direction) return false;
  // By Direction: right, down, left, up.
  static constexpr HintWay kWays[] = {HintWay::Right, HintWay::Down, HintWay::Left, HintWay::Up};
  const bool horizontal = *direction == CruxRules::kRight || *direction == CruxRules::kLeft;
  const QRect track = horizontal ? HorizontalStripRect() : VerticalStripRect();
  HintMark::Draw(ctx_.canvas.Screen(), track, kWays[*direction]);
  ctx_.canvas.Present(track);
  return true;
}

bool CruxView::PlayHint(const SolveTask& task, std::size_t step) {
  const int* direction = HintSlide(rules_, task, step);
  if (!direction) return false;
  PlayMove(static_cast<CruxRules::Direction>(*direction));
  return true;
}

void CruxView::MoveCrux(int direction, MoveOrigin origin) {
  ctx_.host.PlaySound(SoundEffect::CruxMove);
  const bool horizontal = direction == CruxRules::kRight || direction == CruxRules::kLeft;
  const int sign = direction == CruxRules::kRight || direction == CruxRules::kDown ? 1 : -1;
  const QRect strip = horizontal ? HorizontalStripRect() : VerticalStripRect();

  // The frames show the board as it was, moved by the step's offset; the last
  // one, a whole cell on, already is the board after the shift.
  ctx_.frames.Play(kSlidePlan, [&](int frame) {
    const int step = CruxMoveSteps[frame - 1];
    if (horizontal)
      DrawCruxHorizontal(sign * step);
    else
      DrawCruxVertical(sign * step);
    ctx_.canvas.Present(strip);
  });

  rules_.ShiftCrux(direction);
  history_.Note(origin, direction);
  if (rules_.IsCruxPatternBuilt()) ctx_.host.PuzzleSolved();
}

}  // namespace zt
