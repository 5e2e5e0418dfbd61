#include "app/window/MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include "app/help/AboutDialog.h"
#include "app/host/AtlasLoader.h"
#include "app/window/VirtualKeyCode.h"
#include "core/Language.h"
#include "core/SettingsKeys.h"
#include "core/Texts.h"
#include "core/WindowPlacement.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/catalog/PuzzleViews.h"
#include "ui/DialogKit.h"

namespace zt {

namespace {

// Where resting the mouse shows the rules before the first puzzle switch.
constexpr QRect kFirstRulesPlace(463, 58, 32, 32);

}  // namespace

class MainWindow::DialogRelay final : public GameDialogs, public HighscoreService {
 public:
  void ShowPause() override {
    if (dialogs) dialogs->ShowPause();
  }
  void ShowDone() override {
    if (dialogs) dialogs->ShowDone();
  }
  bool AskNewGame() override { return dialogs ? dialogs->AskNewGame() : true; }
  bool AskEndGame() override { return dialogs ? dialogs->AskEndGame() : true; }
  void ShowHighscores(const QString& key, std::int32_t time) override {
    if (scores) scores->ShowHighscores(key, time);
  }
  GameDialogs* dialogs = nullptr;
  HighscoreService* scores = nullptr;
};

MainWindow::MainWindow(Options options)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      options_(std::move(options)),
      store_(options_.settingsFile.isEmpty() ? SettingsStore()
                                             : SettingsStore(options_.settingsFile)),
      relay_(std::make_unique<DialogRelay>()) {
  FormCreate();
}

MainWindow::~MainWindow() {
  timer_.stop();
  music_.Close();
}

void MainWindow::FormCreate() {
  programDir_ =
      options_.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : options_.programDir;
  if (!programDir_.endsWith('/')) programDir_ += '/';
  // The scrambler of the high-score lists, with its default alphabet and key.
  scrambler_.Init(QString(), 0);
  helpFile_ = programDir_ + "ZTAV.HLP";
  makers_.emplace(MakersLink::Address(programDir_));
  digitStrip_ = QImage(":/ui/digits.png").convertToFormat(QImage::Format_RGB32);
  dialogBackground_ = LoadDialogBackground();

  HostView& view = *this;
  host_ = std::make_unique<PuzzleHost>(view, *relay_, *relay_, digitStrip_);
  puzzles_ = MakePuzzleViews({*host_, canvas_, random_, host_->Play(), host_->Frames()});
  std::array<Puzzle*, kPuzzleCount> puzzles{};
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzles[p] = puzzles_[p].get();
  host_->SetPuzzles(puzzles);

  setFixedSize(Canvas::kWidth, Toolbar::kHeight + Canvas::kHeight);
  QFont systemFont("DejaVu Sans");
  systemFont.setPixelSize(13);
  setFont(systemFont);
  move(kFirstStartPosition);

  // A file that cannot be read whole is kept aside before anything is
  // written to it.
  salvagedSettings_ = store_.Salvage();
  if (!salvagedSettings_.isEmpty())
    qWarning("Settings file kept as %s", qPrintable(salvagedSettings_));
  const GameSettings s = ReadGameSettings(store_);
  Tongue = s.tongue;
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzles_[p]->SetVariant(s.variants[p]);

  BuildControls();
  toolbar_->SoundBtn->setChecked(s.sound);
  toolbar_->MidiBtn->setChecked(s.music);
  setWindowTitle("Zindle Tavrin V1.2");
  setWindowIcon(QIcon(":/ui/icon_256.png"));

  // The guarded block: without the start puzzle's atlas the game cannot run.
  QString why;
  const QString atlasPath = programDir_ + AtlasFileName(s.mode);
  QImage atlas = zt::LoadAtlas(atlasPath, AtlasMinimumSize(s.mode), &why);
  if (atlas.isNull()) {
    createError_ = atlasPath + ": " + why;
    return;
  }
  canvas_.SetAtlas(std::move(atlas));
  canvas_.SetPresenter([this](const QRect& r) { playArea_->Present(r); });

  toolbar_->PuzzleBtn(s.mode)->setChecked(true);
  host_->StartUp(s.mode);
  toolbar_->MidiBtn->setEnabled(music_.MusicStart(programDir_));
  host_->MarkStartPuzzleReady();
  EnableOptionBtn();
  ShowLevel();
  SetHints();

  connect(&timer_, &QTimer::timeout, this, [this] {
    host_->TimerTick();
    // Idle, the game takes no time at all: the timer rests until a move
    // starts the clock or the music is wanted again.
    if (!TimerNeeded()) timer_.stop();
  });
  timer_.start(kTimerInterval);
  created_ = true;
  firstActivation_ = true;
}

void MainWindow::BuildControls() {
  toolbar_ = new Toolbar(this, *host_);
  playArea_ = new PlayArea(this, Toolbar::kHeight, *host_, canvas_);
  playArea_->SetRulesPlace(kFirstRulesPlace);
  levelLabel_ = new LevelLabel(this);
  levelLabel_->raise();
  ConnectControls();
  setFocusPolicy(Qt::StrongFocus);
}

void MainWindow::ConnectControls() {
  const Toolbar& bar = *toolbar_;
  connect(bar.MixBtn, &QToolButton::clicked, this, [this] { host_->MixBtnClick(); });
  connect(bar.OptionBtn, &ToolButton::pressedWith, this,
          [this](int b) { host_->OptionBtnMouseDown(b); });
  connect(levelLabel_, &LevelLabel::pressedWith, this,
          [this](int b) { host_->OptionBtnMouseDown(b); });
  connect(bar.PauseBtn, &QToolButton::clicked, this, [this] { host_->PauseBtnClick(); });
  connect(bar.MidiBtn, &QToolButton::clicked, this, [this] { MidiBtnClick(); });
  connect(bar.HighScoreBtn, &QToolButton::clicked, this, [this] { host_->HighScoreBtnClick(); });
  connect(bar.ExitBtn, &QToolButton::clicked, this, [this] { close(); });
  connect(bar.PuzzleGroup(), &QButtonGroup::idClicked, this, [this](int id) { SelectPuzzle(id); });
  connect(bar.LanguageBtn, &QToolButton::clicked, this, [this] { LanguageBtnClick(); });
  connect(bar.HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(bar.InfoBtn, &QToolButton::clicked, this, [this] { InfoBtnClick(); });
  connect(bar.ZindleBtn, &QToolButton::clicked, this, [this] { ZindleBtnClick(); });
  connect(playArea_, &PlayArea::painted, this, [this] { NotePlayAreaPainted(); });
  connect(playArea_, &PlayArea::pressed, this, [this] { WakeTimer(); });
}

void MainWindow::NotePlayAreaPainted() {
  if (!painted_) {
    painted_ = true;
    emit firstPainted();
  }
}

void MainWindow::SetDialogs(GameDialogs* dialogs, HighscoreService* scores) {
  relay_->dialogs = dialogs;
  relay_->scores = scores;
}

void MainWindow::SetFirstActivation(std::function<void()> onFirstActivation) {
  onFirstActivation_ = std::move(onFirstActivation);
}

void MainWindow::SelectPuzzle(int mode) {
  if (!host_->SelectPuzzle(mode)) toolbar_->PuzzleBtn(host_->Mode())->setChecked(true);
  WakeTimer();
}

void MainWindow::MidiBtnClick() {
  const ToolButton& midi = *toolbar_->MidiBtn;
  if (midi.isEnabled()) music_.MidiBtnClick(midi.isChecked());
  SetHints();
  WakeTimer();
}

bool MainWindow::TimerNeeded() const {
  const ToolButton& midi = *toolbar_->MidiBtn;
  return host_->Play().Running(host_->Mode()) || (midi.isEnabled() && midi.isChecked());
}

void MainWindow::WakeTimer() {
  if (!timer_.isActive() && TimerNeeded()) timer_.start(kTimerInterval);
}

void MainWindow::LanguageBtnClick() {
  // The clock keeps running while the language is chosen.
  if (languageDialog_) languageDialog_->exec();
  SetHints();
}

void MainWindow::HelpBtnClick() {
  timer_.stop();
  help_.Open(helpFile_, HelpViewer::Topic(), this);
  timer_.start(kTimerInterval);
}

void MainWindow::InfoBtnClick() {
  timer_.stop();
  ShowAbout(this);
  timer_.start(kTimerInterval);
}

void MainWindow::ZindleBtnClick() {
  makers_->Open();
}

void MainWindow::SetHints() {
  const bool g = German();
  toolbar_->SetHints(g);
  levelLabel_->setToolTip(HintText(Hint::LevelLabel, g));
  playArea_->SetRulesHint(PuzzleText(CatalogEntry(host_->Mode()).rules, g));
}

void MainWindow::ShowLevel() {
  const WindowPoint place = CatalogEntry(host_->Mode()).levelLabelPlace;
  levelLabel_->move(place.x, place.y);
  levelLabel_->setText(QString::fromStdString(host_->Current().LevelText()));
}

GameSettings MainWindow::CurrentSettings() const {
  GameSettings s;
  s.tongue = Tongue;
  s.mode = host_->Mode();
  for (int p = 0; p < kPuzzleCount; ++p)
    s.variants[p] = puzzles_[p]->Variant();
  s.sound = toolbar_->SoundBtn->isChecked();
  s.music = toolbar_->MidiBtn->isChecked();
  return s;
}

void MainWindow::SetTimerEnabled(bool on) {
  if (on) {
    timer_.start(kTimerInterval);
  } else {
    timer_.stop();
  }
}

bool MainWindow::SoundOn() const {
  return toolbar_->SoundBtn->isChecked();
}

void MainWindow::PlayEffect(SoundEffect effect) {
  effects_.PlayEffect(static_cast<int>(effect));
}

void MainWindow::MusicUpkeep() {
  const ToolButton& midi = *toolbar_->MidiBtn;
  music_.MusicUpkeep(midi.isEnabled() && midi.isChecked());
}

void MainWindow::PresentClock() {
  if (toolbar_) toolbar_->Clock()->Show(playArea_ && playArea_->Painting());
}

bool MainWindow::LoadAtlas(int mode) {
  QString why;
  const QString file = programDir_ + AtlasFileName(mode);
  QImage atlas = zt::LoadAtlas(file, AtlasMinimumSize(mode), &why);
  if (atlas.isNull()) {
    ShowError(Say(QString("Bilddatei fehlt oder ist beschädigt: "),
                  QString("Picture file missing or damaged: ")) +
              file);
    return false;
  }
  canvas_.SetAtlas(std::move(atlas));
  return true;
}

void MainWindow::PlaceRulesShape() {
  const WindowRect place = CatalogEntry(host_->Mode()).rulesHintPlace;
  playArea_->SetRulesPlace(QRect(place.left, place.top, place.width, place.height));
}

void MainWindow::EnableOptionBtn() {
  toolbar_->OptionBtn->setEnabled(true);
}

void MainWindow::RepaintWindow() {
  // The toolbar's controls repaint themselves as they change; the play area
  // has to be drawn afresh for the new puzzle, and at once. A repaint of the
  // whole window does not do it: Qt then repaints only the parts it holds
  // dirty (the moved level label), and the old puzzle would stay on screen.
  playArea_->repaint();
}

void MainWindow::ShowError(const QString& text) {
  qWarning("%s", qPrintable(text));
  if (options_.showMessages) QMessageBox::critical(this, "Fehler", text);
}

void MainWindow::RestoreWindowPosition() {
  // Some window systems (Wayland) do not let a program place its windows.
  if (QGuiApplication::platformName().startsWith("wayland")) return;
  const auto stored = ParseWindowPosition(
      store_.ReadString(settings::kCommonSection, settings::kWindowPositionKey, {}));
  if (!stored) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen ? screen->geometry().size() : QSize(1 << 20, 1 << 20);
  move(ClampWindowPosition(*stored, frameGeometry().size(), screenSize));
}

QString MainWindow::WindowPlacementText() const {
  WindowPlacement placement;
  placement.showState = isMinimized() ? WindowPlacement::kMinimized : WindowPlacement::kShown;
  placement.normal = frameGeometry();
  return FormatWindowPlacement(placement);
}

bool MainWindow::SaveWindowPosition() {
  return store_.WriteString(settings::kCommonSection, settings::kWindowPositionKey,
                            WindowPlacementText());
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QWidget::changeEvent(event);
}

void MainWindow::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  if (onFirstActivation_) onFirstActivation_();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  host_->FormKeyDown(VirtualKeyCode(event->key()));
  WakeTimer();
  event->ignore();
}

bool MainWindow::FormCloseQuery() {
  timer_.stop();
  const bool close = relay_->AskEndGame();
  timer_.start(kTimerInterval);
  return close;
}

void MainWindow::FormClose() {
  timer_.stop();
  help_.Quit();
  // The window position goes with the other settings, in one save, while the
  // window is still there to carry a message.
  const GameSettings current = CurrentSettings();
  const QString placement = WindowPlacementText();
  const bool saved = store_.Edit([&](SettingsEdit& edit) {
    PutGameSettings(edit, current);
    edit.SetString(settings::kCommonSection, settings::kWindowPositionKey, placement);
  });
  if (!saved) {
    ShowError(Say(QString("Die Einstellungen konnten nicht gespeichert werden: "),
                  QString("The settings could not be saved: ")) +
              store_.Location());
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  if (!created_ || !FormCloseQuery()) {
    event->setAccepted(!created_);
    return;
  }
  closing_ = true;
  FormClose();
  event->accept();
}

}  // namespace zt
