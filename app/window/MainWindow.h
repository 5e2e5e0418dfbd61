#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/help/HelpViewer.h"
#include "app/help/MakersLink.h"
#include "app/host/HostView.h"
#include "app/host/PuzzleHost.h"
#include "app/sound/Sound.h"
#include "core/GameDialogs.h"
#include "core/GameSettings.h"
#include "core/HighscoreService.h"
#include "core/SettingsStore.h"
#include "highscore/TextScrambler.h"
#include "puzzles/boss/BossView.h"
#include "puzzles/core/Canvas.h"
#include "puzzles/core/Random.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"

class QButtonGroup;
class QDialog;
class QFrame;

namespace zt {

class PlayArea;
class ClockDisplay;

// A flat toolbar button that never takes the keyboard focus. The option button
// and the level label react to the press itself, for every mouse button.
class ToolButton : public QToolButton {
  Q_OBJECT
 public:
  ToolButton(QWidget* parent, const QString& glyph, QRect place, bool checkable = false);
  bool reactOnPress = false;
 signals:
  void pressedWith(int button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class LevelLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LevelLabel(QWidget* parent);
 signals:
  void pressedWith(int button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

// The main window: toolbar, clock and play area, hosting the four puzzles.
class MainWindow final : public QWidget, private HostView {
  Q_OBJECT
 public:
  struct Options {
    QString programDir;        // empty: the folder of the executable
    QString settingsFile;      // empty: the user's own store
    bool showMessages = true;  // false in tests: failures are only reported
  };

  explicit MainWindow(Options options);
  ~MainWindow() override;

  // Whether FormCreate got through its guarded block; if not, the program ends.
  bool Created() const { return created_; }
  QString CreateError() const { return createError_; }

  // The dialogs are created after the main window and plugged in here.
  void SetDialogs(GameDialogs* dialogs, HighscoreService* scores);
  // Shown once at the first activation (splash, then the language question).
  void SetFirstActivation(std::function<void()> onFirstActivation);
  // The language question of the toolbar's language button.
  void SetLanguageDialog(QDialog* dialog) { languageDialog_ = dialog; }
  // Where the window goes before it is first shown.
  void RestoreWindowPosition();

  PuzzleHost& Host() { return *host_; }
  Canvas& PlayCanvas() { return canvas_; }
  SettingsStore& Settings() { return store_; }
  const QString& ProgramDir() const { return programDir_; }
  const QImage& DigitStrip() const { return digitStrip_; }
  const QImage& DialogBackground() const { return dialogBackground_; }
  const TextScrambler& Scrambler() const { return scrambler_; }
  GameSettings CurrentSettings() const;
  QRect RulesShape() const { return rulesShape_; }
  void NotePlayAreaPainted() {
    if (!painted_) {
      painted_ = true;
      emit firstPainted();
    }
  }
  QString RulesHint() const { return rulesHint_; }
  QWidget* PlayAreaWidget() const;
  LevelLabel* Level() const { return levelLabel_; }
  QTimer& Timer() { return timer_; }
  // The timer runs while the current puzzle's clock runs or music is wanted;
  // otherwise it stops at its next tick. Starts it after whatever may have
  // made it needed again (a move, a switch, the music button).
  void WakeTimer();

  // Toolbar controls, by name.
  ToolButton *MixBtn, *OptionBtn, *PauseBtn, *soundbtn, *MidiBtn, *HighScoreBtn, *ExitBtn;
  // The puzzle buttons, by puzzle number.
  ToolButton* PuzzleBtn(int puzzle) const { return puzzleBtns_[puzzle]; }
  ToolButton *TongueBtn, *HelpBtn, *InfoBtn, *ZindleBtn;
  QLabel* TimeLabel = nullptr;

  // Handlers.
  void MixBtnClick() { host_->MixBtnClick(); }
  void PauseBtnClick() { host_->PauseBtnClick(); }
  void HighScoreBtnClick() { host_->HighScoreBtnClick(); }
  void OptionBtnMouseDown(int button) { host_->OptionBtnMouseDown(button); }
  void MidiBtnClick();
  void TongueBtnClick();
  void HelpBtnClick();
  void InfoBtnClick();
  void ZindleBtnClick();
  HelpViewer& Help() { return help_; }
  const MakersLink& Makers() const { return *makers_; }
  void SelectPuzzle(int mode);
  void SetHints() override;
  void ShowLevel() override;

  // Writes the window position as it is now.
  bool SaveWindowPosition();

 signals:
  // The play area has been painted for the first time.
  void firstPainted();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

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

  bool TimerNeeded() const;
  void FormCreate();
  void BuildControls();
  void FormActivate();
  bool FormCloseQuery();
  void FormClose();
  void ShowError(const QString& text);
  void Present(const QRect& r);

  // Forwards to the dialogs once they exist.
  class DialogRelay;

  Options options_;
  SettingsStore store_;
  QString programDir_;
  QString helpFile_;
  Canvas canvas_;
  ClockRandom random_;
  QImage digitStrip_;
  QImage dialogBackground_;
  TextScrambler scrambler_;
  SoundEffects effects_;
  MusicBox music_;
  std::unique_ptr<DialogRelay> relay_;
  std::array<std::unique_ptr<Puzzle>, kPuzzleCount> puzzles_;
  std::unique_ptr<PuzzleHost> host_;

  QTimer timer_;
  QFrame* toolsPanel_ = nullptr;
  PlayArea* box_ = nullptr;
  ClockDisplay* timbox_ = nullptr;
  LevelLabel* levelLabel_ = nullptr;
  std::array<ToolButton*, kPuzzleCount> puzzleBtns_{};
  QButtonGroup* puzzleGroup_ = nullptr;
  QRect rulesShape_{463, 58, 32, 32};
  QString rulesHint_;
  HelpViewer help_;
  std::optional<MakersLink> makers_;  // the address ZNXLabel held
  QDialog* languageDialog_ = nullptr;
  bool created_ = false;
  bool firstActivation_ = false;
  bool closing_ = false;
  bool painted_ = false;
  std::function<void()> onFirstActivation_;
  QString createError_;
};

// Maps a Qt key to the virtual-key code the puzzles understand (0 if none).
int VirtualKeyCode(int qtKey);

}  // namespace zt
