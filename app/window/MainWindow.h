#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/help/HelpViewer.h"
#include "app/help/MakersLink.h"
#include "app/host/HostView.h"
#include "app/host/PuzzleHost.h"
#include "app/sound/MusicBox.h"
#include "app/sound/SoundEffects.h"
#include "app/window/CommandKeys.h"
#include "app/window/LevelLabel.h"
#include "app/window/PlayArea.h"
#include "app/window/Toolbar.h"
#include "core/GameDialogs.h"
#include "core/GameSettings.h"
#include "core/HighscoreService.h"
#include "core/SettingsStore.h"
#include "highscore/TextScrambler.h"
#include "puzzles/core/Canvas.h"
#include "puzzles/core/Puzzle.h"
#include "puzzles/core/Random.h"

class QDialog;
class QMessageBox;
class QKeyEvent;

namespace zt {

class FramePlacer;

// Why the start failed.
enum class StartFailure {
  None,
  Picture,  // the start puzzle's atlas is missing or damaged
  Memory,   // no memory for the play area's pictures
};

// The message box that reports a failed start, in the player's language (on a
// first start, the system's): a picture file named by its path, or the lack
// of memory.
std::unique_ptr<QMessageBox> StartFailureBox(StartFailure failure, const QString& file);

// The game's one window: the toolbar, the play area with the level label,
// and the puzzle host behind them, which it gives the window's services.
class MainWindow final : public QWidget, private HostView {
  Q_OBJECT
 public:
  // The 200 ms of the timer that keeps the clock and the music going.
  static constexpr int kTimerInterval = 200;
  // Where the window opens when no position is stored.
  static constexpr QPoint kFirstStartPosition{672, 547};

  struct Options {
    QString programDir;        // empty: the game's folder (FindGameFolder)
    QString settingsFile;      // empty: the user's own store
    bool showMessages = true;  // false in tests: failures are only reported
  };

  explicit MainWindow(Options options);
  ~MainWindow() override;

  // Whether FormCreate got through its guarded block; if not, the program ends.
  bool Created() const { return created_; }
  QString CreateError() const { return createError_; }
  StartFailure Failure() const { return failure_; }
  QString FailedFile() const { return failedFile_; }
  // The copy kept of a settings file that could not be read whole at
  // start-up, or empty.
  QString SalvagedSettings() const { return salvagedSettings_; }

  // The dialogs are created after the main window and plugged in here.
  void SetDialogs(GameDialogs* dialogs, HighscoreService* scores);
  // Shown once at the first activation (splash, then the language question).
  void SetFirstActivation(std::function<void()> onFirstActivation);
  // The language question, of the first start and of the toolbar's language
  // button, made by the given function (which may make it at its first call).
  // Its answer sets the hints at once.
  void SetLanguageDialog(std::function<QDialog*()> dialog);
  // The language question, made now if it was not yet; null without one.
  QDialog* LanguageDialog();
  // Where the window goes before it is first shown: the stored position, or on
  // a first start the design position, wholly on a screen. It goes there once
  // more when the window manager has told the size of its frame.
  void RestoreWindowPosition();

  PuzzleHost& Host() { return *host_; }
  SettingsStore& Settings() { return store_; }
  // Loaded when a dialog first asks for it.
  const QImage& DialogBackground() const;
  const TextScrambler& Scrambler() const { return scrambler_; }
  GameSettings CurrentSettings() const;
  Toolbar& Tools() const { return *toolbar_; }
  PlayArea* PlayAreaWidget() const { return playArea_; }
  LevelLabel* Level() const { return levelLabel_; }
  // Where resting the mouse shows the rules, and the rules it shows.
  QRect RulesShape() const { return playArea_->RulesHintPlace(); }
  QString RulesHint() const { return playArea_->RulesHint(); }
  QTimer& Timer() { return timer_; }
  HelpViewer& Help() { return help_; }
  // The timer runs while the current puzzle's clock runs or music is wanted;
  // otherwise it stops at its next tick. Starts it after whatever may have
  // made it needed again (a move, a switch, the music button).
  void WakeTimer() override;

  // Handlers of the toolbar buttons that do more than call the host.
  void SoundBtnClick();
  void MidiBtnClick();
  void LanguageBtnClick();
  void HelpBtnClick();
  void InfoBtnClick();
  void ZindleBtnClick();
  void SelectPuzzle(int mode);
  void SetHints() override;
  void ShowLevel() override;
  // What a command key does (the key preview runs it, and nothing reaches
  // the puzzle).
  void RunCommand(Command command);
  // The screen reader's names of the controls and the play area, in the
  // language chosen now.
  void SetAccessibleNames();

  // Writes the window position as it is now.
  bool SaveWindowPosition();
  // A failure the player must know of: a message box (unless messages are
  // off), and the log.
  void ShowError(const QString& text);

  // The window at zoom times its 1x size (clamped to what fits its screen),
  // the play area composed at the matching artwork scale; the zoom is kept.
  void SetZoom(int zoom);
  int Zoom() const { return zoom_; }
  // The largest zoom that fits the available area of the window's screen.
  int LargestZoomHere() const;
  // The scale the play area is composed at (1..3).
  int ArtworkScaleInUse() const { return canvas_.Scale(); }
  const Canvas& PlayCanvas() const { return canvas_; }
  // The window is on a screen of another device pixel ratio: the play area
  // composed at the artwork scale of the zoom there, and repainted.
  void FollowDevicePixelRatio(double ratio);

 signals:
  // The play area has been painted for the first time.
  void firstPainted();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // HostView
  void SetTimerEnabled(bool on) override;
  bool SoundOn() const override;
  void PlayEffect(SoundEffect effect) override;
  void MusicUpkeep() override;
  void PresentClock() override;
  bool LoadAtlas(int mode) override;
  void PlaceRulesShape() override;
  void EnableOptionBtn() override;
  void RepaintWindow() override;
  void ShowThinking(bool on) override;

  bool TimerNeeded() const;
  // A zoom key taken before the puzzle sees the key; false for other keys.
  bool HandleZoomKey(const QKeyEvent& event);
  // The window's fixed size at the current zoom.
  void ApplyWindowSize();
  // The toolbar, the play area and the level label at the current zoom.
  void ApplyZoomToControls();
  // Composes at the artwork scale of the zoom and the screen when it changed.
  void UpdateArtworkScale() { FollowDevicePixelRatio(devicePixelRatioF()); }
  // The current puzzle's atlas and the digit strip at scale; false when no
  // atlas could be read.
  bool UseArtworkScale(int scale, QString* why = nullptr);
  void FormCreate();
  void BuildControls();
  void ConnectControls();
  void FormActivate();
  bool FormCloseQuery();
  void FormClose();
  QString WindowPlacementText() const;
  void NotePlayAreaPainted();

  // Forwards to the dialogs once they exist.
  class DialogRelay;

  Options options_;
  SettingsStore store_;
  QString salvagedSettings_;
  QString programDir_;
  QString helpFile_;
  Canvas canvas_;
  ClockRandom random_;
  QImage digitStrip_;
  mutable QImage dialogBackground_;
  TextScrambler scrambler_;
  SoundEffects effects_;
  MusicBox music_;
  std::unique_ptr<DialogRelay> relay_;
  std::array<std::unique_ptr<Puzzle>, kPuzzleCount> puzzles_;
  std::unique_ptr<PuzzleHost> host_;

  QTimer timer_;
  Toolbar* toolbar_ = nullptr;
  PlayArea* playArea_ = nullptr;
  LevelLabel* levelLabel_ = nullptr;
  HelpViewer help_;
  std::optional<MakersLink> makers_;
  std::function<QDialog*()> languageDialog_;
  FramePlacer* placer_ = nullptr;
  bool created_ = false;
  bool firstActivation_ = false;
  bool closing_ = false;
  bool painted_ = false;
  int zoom_ = 1;
  bool screenWatched_ = false;
  std::function<void()> onFirstActivation_;
  QString createError_;
  StartFailure failure_ = StartFailure::None;
  QString failedFile_;
};

}  // namespace zt
