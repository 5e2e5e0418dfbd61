#include "app/host/PuzzleHost.h"

#include <chrono>
#include <thread>

#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/core/Canvas.h"

namespace zt {

void SleepFor(int ms) {
  if (ms <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  std::this_thread::sleep_until(deadline);
}

PuzzleHost::PuzzleHost(HostView& view, GameDialogs& dialogs, HighscoreService& scores,
                       QImage digitStrip)
    : view_(view),
      dialogs_(dialogs),
      scores_(scores),
      digitStrip_(std::move(digitStrip)),
      clock_(Canvas::MakeImage(kClockWidth, kClockHeight)),
      delay_(SleepFor) {}

void PuzzleHost::SetDigitStrip(QImage digitStrip) {
  digitStrip_ = std::move(digitStrip);
  clock_ = Canvas::MakeImage(kClockWidth, kClockHeight, Canvas::ScaleOf(digitStrip_));
  RepaintClock();
}

void PuzzleHost::StartUp(int mode) {
  play_.PuzzleMode = static_cast<std::uint8_t>(mode);
  play_.PuzzleState.fill(kNeverSetUp);
  play_.PuzzleClock.fill(0);
  Current().InitPuzzle();
}

void PuzzleHost::PlaySound(SoundEffect effect) {
  if (view_.SoundOn()) view_.PlayEffect(effect);
}

void PuzzleHost::Delay(int ms) {
  delay_(ms);
}

void PuzzleHost::RepaintClock() {
  DrawClock(clock_, digitStrip_, play_.PuzzleClock[play_.PuzzleMode]);
  view_.PresentClock();
}

void PuzzleHost::PuzzleSolved() {
  auto& state = play_.PuzzleState[play_.PuzzleMode];
  if (state == kSolved) return;
  state = kSolved;
  PlaySound(SoundEffect::Solved);
  dialogs_.ShowDone();
  // A game won with help has no place among the best times.
  if (hints_.Helped(play_.PuzzleMode)) return;
  MakeVariantKey();
  scores_.ShowHighscores(variantKey_, play_.PuzzleClock[play_.PuzzleMode]);
}

void PuzzleHost::TimerTick() {
  view_.MusicUpkeep();
  if (play_.Running(play_.PuzzleMode)) {
    ++play_.PuzzleClock[play_.PuzzleMode];
    RepaintClock();
  }
}

void PuzzleHost::PlayAreaPaint() {
  Current().PaintPuzzle();
  hints_.Repaint();
  RepaintClock();
}

void PuzzleHost::PlayAreaMouseDown(int x, int y, int button) {
  // A press that stops a played solution does nothing else: it was meant
  // for stopping, not as a move on a board that was changing under it.
  const bool stopping = hints_.Playing();
  hints_.Stop();
  if (stopping) return;
  Current().PuzzleMouseDown(x, y, button);
}

void PuzzleHost::FormKeyDown(int key, int modifiers) {
  // The same for a key.
  const bool stopping = hints_.Playing();
  hints_.Stop();
  if (stopping) return;
  if (Current().TakesKeys()) Current().PuzzleKeyDownWith(key, modifiers);
}

bool PuzzleHost::UndoMove() {
  hints_.Stop();
  return Current().UndoMove();
}

bool PuzzleHost::RedoMove() {
  hints_.Stop();
  return Current().RedoMove();
}

bool PuzzleHost::RestartPuzzle() {
  hints_.Stop();
  return Current().RestartPuzzle();
}

void PuzzleHost::MixBtnClick() {
  hints_.Stop();
  view_.SetTimerEnabled(false);
  if (play_.Running(play_.PuzzleMode) && !dialogs_.AskNewGame()) {
    view_.SetTimerEnabled(true);
    return;
  }
  Current().MixPuzzle();
  hints_.NewGame(play_.PuzzleMode);
  play_.PuzzleClock[play_.PuzzleMode] = 0;
  RepaintClock();
  play_.PuzzleState[play_.PuzzleMode] = kReady;
  view_.SetTimerEnabled(true);
}

bool PuzzleHost::SelectPuzzle(int mode) {
  if (mode == play_.PuzzleMode) return true;
  hints_.Stop();
  // The atlas comes first: when it cannot be read the switch does not happen.
  if (!view_.LoadAtlas(mode)) return false;
  play_.PuzzleMode = static_cast<std::uint8_t>(mode);
  view_.PlaceRulesShape();
  if (play_.PuzzleState[mode] == kNeverSetUp) {
    Current().InitPuzzle();
    play_.PuzzleState[mode] = kReady;
  }
  view_.EnableOptionBtn();
  view_.SetHints();
  view_.ShowLevel();
  view_.RepaintWindow();
  return true;
}

void PuzzleHost::PauseBtnClick() {
  hints_.Stop();
  if (!play_.Running(play_.PuzzleMode)) return;
  view_.SetTimerEnabled(false);
  dialogs_.ShowPause();
  view_.SetTimerEnabled(true);
}

void PuzzleHost::HighScoreBtnClick() {
  hints_.Stop();
  view_.SetTimerEnabled(false);
  MakeVariantKey();
  scores_.ShowHighscores(variantKey_, 0);
  view_.SetTimerEnabled(true);
}

void PuzzleHost::OptionBtnMouseDown(int button) {
  hints_.Stop();
  view_.SetTimerEnabled(false);
  if (play_.Running(play_.PuzzleMode) && !dialogs_.AskNewGame()) {
    view_.SetTimerEnabled(true);
    return;
  }
  Current().NextVariant(button);
  hints_.NewGame(play_.PuzzleMode);
  view_.ShowLevel();
  play_.PuzzleState[play_.PuzzleMode] = kReady;
  play_.PuzzleClock[play_.PuzzleMode] = 0;
  RepaintClock();
  view_.SetTimerEnabled(true);
}

QString PuzzleHost::VariantKeyFor(int mode, int number) {
  const QString digits = QString::number(number);
  return QString::fromLatin1(CatalogEntry(mode).highscorePrefix) +
         (digits.size() < 2 ? "0" + digits : digits);
}

const QString& PuzzleHost::MakeVariantKey() {
  variantKey_ = VariantKeyFor(play_.PuzzleMode, Current().VariantNumber());
  return variantKey_;
}

std::array<int, PuzzleHost::kClockCells> PuzzleHost::ClockCells(std::int32_t clock) {
  // Only the lowest six decimal digits are shown; leading zeros are blank
  // except the units digit.
  std::int64_t value = clock;
  if (value < 0) value = -value;
  std::array<int, kClockCells> cells{};
  for (int i = kClockCells - 1; i >= 0; --i) {
    cells[i] = static_cast<int>(value % 10);
    value /= 10;
  }
  for (int i = 0; i < kClockCells - 1 && cells[i] == 0; ++i)
    cells[i] = kBlankCell;
  return cells;
}

void PuzzleHost::DrawClock(QImage& target, const QImage& digitStrip, std::int32_t clock) {
  const auto cells = ClockCells(clock);
  for (int i = 0; i < kClockCells; ++i) {
    Canvas::Copy(digitStrip, cells[i] * kDigitWidth, 0, kDigitWidth, kDigitHeight, target,
                 i * kDigitStep, 0);
  }
}

}  // namespace zt
