#include "app/window/MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QWindow>

#include "app/help/AboutDialog.h"
#include "app/host/AtlasLoader.h"
#include "app/window/VirtualKeyCode.h"
#include "app/window/Zoom.h"
#include "core/GameFolders.h"
#include "core/Language.h"
#include "core/ScreenPlacement.h"
#include "core/SettingsKeys.h"
#include "core/SystemLocale.h"
#include "core/Texts.h"
#include "core/WindowPlacement.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/catalog/PuzzleViews.h"
#include "ui/DialogKit.h"
#include "ui/ScreenFit.h"

namespace zt {

namespace {

// The modifier keys held, as the puzzles read them.
int PuzzleModifiers(Qt::KeyboardModifiers held) {
  int flags = kNoModifier;
  if (held.testFlag(Qt::ShiftModifier)) flags |= kShiftModifier;
  if (held.testFlag(Qt::ControlModifier)) flags |= kControlModifier;
  if (held.testFlag(Qt::AltModifier)) flags |= kAltModifier;
  return flags;
}

bool IsModifierOnly(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

// The clock's digit strip drawn at scale 1..3, or the 1x one enlarged.
QImage DigitStrip(int scale) {
  QImage strip;
  if (scale > 1) strip = QImage(QString(":/ui/digits@%1x.png").arg(scale));
  if (strip.isNull()) strip = EnlargeNearest(QImage(":/ui/digits.png"), scale);
  strip = strip.convertToFormat(QImage::Format_RGB32);
  strip.setDevicePixelRatio(scale);
  return strip;
}

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

std::unique_ptr<QMessageBox> StartFailureBox(StartFailure failure, const QString& file) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok);
  if (failure == StartFailure::Memory) {
    // The memory message keeps its caption in either language.
    box->setWindowTitle(QStringLiteral("Fehler"));
    box->setText(MemoryFailureText(German()));
  } else {
    const bool german = GermanMessages();
    box->setWindowTitle(ErrorCaption(german));
    box->setText(PictureFailureText(file, german));
  }
  return box;
}

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
  programDir_ = options_.programDir.isEmpty()
                    ? FindGameFolder(QCoreApplication::applicationDirPath())
                    : options_.programDir;
  if (!programDir_.endsWith('/')) programDir_ += '/';
  // The scrambler of the high-score lists, with its default alphabet and key.
  scrambler_.Init(QString(), 0);
  helpFile_ = programDir_ + "ZTAV.HLP";
  makers_.emplace(MakersLink::Address(programDir_));
  digitStrip_ = QImage(":/ui/digits.png").convertToFormat(QImage::Format_RGB32);

  HostView& view = *this;
  host_ = std::make_unique<PuzzleHost>(view, *relay_, *relay_, digitStrip_);
  puzzles_ = MakePuzzleViews({*host_, canvas_, random_, host_->Play(), host_->Frames()});
  std::array<Puzzle*, kPuzzleCount> puzzles{};
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzles[p] = puzzles_[p].get();
  host_->SetPuzzles(puzzles);

  ApplyWindowSize();
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

  zoom_ = ClampZoom(store_.ReadInteger(settings::kViewSection, settings::kZoomKey, 1),
                    LargestZoomHere());
  SetWindowZoom(this, zoom_);
  if (zoom_ != 1) {
    ApplyWindowSize();
    ApplyZoomToControls();
  }

  // The guarded block: without the start puzzle's atlas the game cannot run.
  QString why;
  const QString atlasPath = programDir_ + AtlasFileName(s.mode);
  const int scale = ArtworkScale(zoom_, devicePixelRatioF());
  QImage atlas = LoadAtlasAt(atlasPath, AtlasMinimumSize(s.mode), scale, &why);
  if (atlas.isNull()) {
    createError_ = atlasPath + ": " + why;
    failure_ = StartFailure::Picture;
    failedFile_ = atlasPath;
    return;
  }
  if (canvas_.Screen().isNull() || canvas_.BackBuffer().isNull()) {
    createError_ = "no memory for the play area's pictures";
    failure_ = StartFailure::Memory;
    return;
  }
  canvas_.SetAtlas(std::move(atlas), scale);
  if (scale != 1) host_->SetDigitStrip(DigitStrip(scale));
  canvas_.SetPresenter([this](const QRect& r) { playArea_->Present(r); });

  toolbar_->PuzzleBtn(s.mode)->setChecked(true);
  host_->StartUp(s.mode);
  toolbar_->MidiBtn->setEnabled(music_.MusicStart(QStringList{programDir_, UserMusicFolder()}));
  host_->MarkStartPuzzleReady();
  // The rules hint sits over the start puzzle's name and miniature from the
  // first paint on.
  PlaceRulesShape();
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
  connect(bar.SoundBtn, &QToolButton::clicked, this, [this] { SoundBtnClick(); });
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

const QImage& MainWindow::DialogBackground() const {
  if (dialogBackground_.isNull()) dialogBackground_ = LoadDialogBackground();
  return dialogBackground_;
}

void MainWindow::SetDialogs(GameDialogs* dialogs, HighscoreService* scores) {
  relay_->dialogs = dialogs;
  relay_->scores = scores;
}

void MainWindow::SetFirstActivation(std::function<void()> onFirstActivation) {
  onFirstActivation_ = std::move(onFirstActivation);
}

void MainWindow::SelectPuzzle(int mode) {
  host_->SelectPuzzle(mode);
  // Down stays the button of the puzzle that is current now: the new one, or
  // the old one when the new one's atlas failed (or a key chose it).
  toolbar_->PuzzleBtn(host_->Mode())->setChecked(true);
  WakeTimer();
}

void MainWindow::SetLanguageDialog(std::function<QDialog*()> make) {
  // However the question was reached (the first start, the language button),
  // its answer shows at once: the dialog is hooked up the first time it is
  // handed out.
  languageDialog_ = [this, make = std::move(make),
                     hooked = static_cast<QDialog*>(nullptr)]() mutable {
    QDialog* dialog = make ? make() : nullptr;
    if (dialog && dialog != hooked) {
      connect(dialog, &QDialog::finished, this, [this] { SetHints(); });
      hooked = dialog;
    }
    return dialog;
  };
}

QDialog* MainWindow::LanguageDialog() {
  return languageDialog_ ? languageDialog_() : nullptr;
}

void MainWindow::SoundBtnClick() {
  // The hint says what the next press does.
  SetHints();
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
  // The clock keeps running while the language is chosen. The answer sets
  // the hints as the dialog closes.
  host_->StopHints();
  if (QDialog* dialog = LanguageDialog()) dialog->exec();
}

void MainWindow::HelpBtnClick() {
  host_->StopHints();
  timer_.stop();
  help_.Open(helpFile_, HelpViewer::Topic(), this);
  timer_.start(kTimerInterval);
}

void MainWindow::InfoBtnClick() {
  host_->StopHints();
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
  SetAccessibleNames();
}

void MainWindow::SetAccessibleNames() {
  const bool g = German();
  toolbar_->SetAccessibleNames(g);
  toolbar_->Clock()->NameTime(host_->Play().PuzzleClock[host_->Mode()], g);
  playArea_->setAccessibleName(PlayAreaName(host_->Mode(), host_->Current().Variant(), g));
  QString rules = PuzzleText(CatalogEntry(host_->Mode()).rules, g);
  playArea_->setAccessibleDescription(rules.replace('\r', ' '));
}

void MainWindow::ShowLevel() {
  const WindowPoint place = CatalogEntry(host_->Mode()).levelLabelPlace;
  levelLabel_->move(place.x * zoom_, place.y * zoom_);
  levelLabel_->setText(QString::fromStdString(host_->Current().LevelText()));
  playArea_->setAccessibleName(PlayAreaName(host_->Mode(), host_->Current().Variant(), German()));
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
  if (!toolbar_) return;
  toolbar_->Clock()->Show(playArea_ && playArea_->Painting());
  toolbar_->Clock()->NameTime(host_->Play().PuzzleClock[host_->Mode()], German());
}

bool MainWindow::LoadAtlas(int mode) {
  QString why;
  const QString file = programDir_ + AtlasFileName(mode);
  const int scale = canvas_.Scale();
  QImage atlas = LoadAtlasAt(file, AtlasMinimumSize(mode), scale, &why);
  if (atlas.isNull()) {
    ShowError(PictureFailureText(file, GermanMessages()));
    return false;
  }
  canvas_.SetAtlas(std::move(atlas), scale);
  return true;
}

void MainWindow::PlaceRulesShape() {
  const WindowRect place = CatalogEntry(host_->Mode()).rulesHintPlace;
  playArea_->SetRulesPlace(QRect(place.left, place.top, place.width, place.height));
}

void MainWindow::EnableOptionBtn() {
  toolbar_->OptionBtn->setEnabled(true);
}

void MainWindow::ShowThinking(bool on) {
  // A wait cursor over the whole window; the game stays usable meanwhile.
  if (on) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
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
  if (options_.showMessages) QMessageBox::critical(this, ErrorCaption(GermanMessages()), text);
}

void MainWindow::RestoreWindowPosition() {
  // Some window systems (Wayland) do not let a program place its windows.
  if (QGuiApplication::platformName().startsWith("wayland")) return;
  const std::optional<QPoint> stored = ParseWindowPosition(
      store_.ReadString(settings::kCommonSection, settings::kWindowPositionKey, {}));
  delete placer_;
  placer_ = new FramePlacer(this, [this, stored](const QMargins& frame) {
    const QSize outer = size().grownBy(frame);
    return QRect(PlaceMainWindow(CurrentDesktop(), stored, outer, kFirstStartPosition), outer);
  });
  placer_->Apply();
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
  // A language chosen now changes the hints only at their next setting, but
  // a screen reader should speak it at once.
  SetAccessibleNames();
}

bool MainWindow::focusNextPrevChild(bool /*next*/) {
  // Tab and Shift+Tab are keys of the game (TILZ selects its plates with
  // them), not a move of the keyboard focus: refused here, they go on to
  // keyPressEvent from whichever control holds the focus.
  return false;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Window commands come first: they are no move and start no clock. The
  // zoom keys, then the key preview of the command table: command keys are
  // the window's own and never reach the puzzle.
  if (HandleZoomKey(*event)) {
    event->accept();
    return;
  }
  if (const std::optional<Command> command = CommandFor(event->key(), event->modifiers())) {
    event->accept();
    // A held H repeats: that must not stop the solution it has just started.
    const bool hintKey = *command == Command::Hint || *command == Command::Solve;
    if (!(hintKey && event->isAutoRepeat())) RunCommand(*command);
    return;
  }
  // A modifier pressed alone is no key yet: it does not stop a played
  // solution.
  if (host_->Hints().Playing() && IsModifierOnly(event->key())) {
    event->accept();
    return;
  }
  host_->FormKeyDown(VirtualKeyCode(event->key()), PuzzleModifiers(event->modifiers()));
  WakeTimer();
  event->ignore();
}

void MainWindow::RunCommand(Command command) {
  switch (command) {
    case Command::HoldForCommand:
      return;
    case Command::NewGame:
      host_->MixBtnClick();
      break;
    case Command::NextVariant:
      host_->OptionBtnMouseDown(kLeftButton);
      break;
    case Command::PreviousVariant:
      host_->OptionBtnMouseDown(kRightButton);
      break;
    case Command::SelectCrux:
      SelectPuzzle(kCrux);
      break;
    case Command::SelectTilz:
      SelectPuzzle(kTilz);
      break;
    case Command::SelectBoss:
      SelectPuzzle(kBoss);
      break;
    case Command::SelectTransit:
      SelectPuzzle(kTransit);
      break;
    case Command::Undo:
      host_->UndoMove();
      break;
    case Command::Redo:
      host_->RedoMove();
      break;
    case Command::Restart:
      host_->RestartPuzzle();
      break;
    case Command::Pause:
      host_->PauseBtnClick();
      break;
    case Command::BestTimes:
      host_->HighScoreBtnClick();
      break;
    case Command::Quit:
      close();
      return;
    case Command::Help:
      HelpBtnClick();
      break;
    case Command::Hint:
      host_->HintKey();
      break;
    case Command::Solve:
      host_->SolveKey();
      break;
  }
  WakeTimer();
}

bool MainWindow::FormCloseQuery() {
  timer_.stop();
  const bool close = relay_->AskEndGame();
  timer_.start(kTimerInterval);
  return close;
}

void MainWindow::FormClose() {
  timer_.stop();
  host_->StopHints();
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
    ShowError((GermanMessages() ? QString("Die Einstellungen konnten nicht gespeichert werden: ")
                                : QString("The settings could not be saved: ")) +
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

bool MainWindow::HandleZoomKey(const QKeyEvent& event) {
  const ZoomCommand command = ZoomKey(event.key(), event.modifiers());
  if (command == ZoomCommand::None) return false;
  host_->StopHints();
  SetZoom(ApplyZoom(zoom_, command, LargestZoomHere()));
  return true;
}

int MainWindow::LargestZoomHere() const {
  const QScreen* here = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!here) return 1;
  // The window system's border, once the window has one.
  const QSize frame = frameGeometry().size() - size();
  return LargestZoom(here->availableGeometry().size(),
                     QSize(Canvas::kWidth, Toolbar::kHeight + Canvas::kHeight), frame);
}

void MainWindow::SetZoom(int zoom) {
  zoom = ClampZoom(zoom, LargestZoomHere());
  if (zoom == zoom_) return;
  zoom_ = zoom;
  SetWindowZoom(this, zoom_);
  ApplyWindowSize();
  ApplyZoomToControls();
  UpdateArtworkScale();
  store_.WriteInteger(settings::kViewSection, settings::kZoomKey, zoom_);
}

void MainWindow::ApplyWindowSize() {
  setFixedSize(Canvas::kWidth * zoom_, (Toolbar::kHeight + Canvas::kHeight) * zoom_);
}

void MainWindow::ApplyZoomToControls() {
  ZoomWidgetTree(toolbar_, zoom_);
  playArea_->SetZoom(zoom_);
  ZoomWidgetTree(levelLabel_, zoom_);
  ShowLevel();
}

bool MainWindow::event(QEvent* event) {
  // Moved to a screen of another scale: the native window exists from the
  // first showing on.
  if (event->type() == QEvent::Show && !screenWatched_ && windowHandle() != nullptr) {
    screenWatched_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { UpdateArtworkScale(); });
    // Placed at start on a screen other than the one it was made for.
    if (ArtworkScale(zoom_, devicePixelRatioF()) != canvas_.Scale()) UpdateArtworkScale();
  }
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
  // The screen's own scale changed.
  if (event->type() == QEvent::DevicePixelRatioChange) UpdateArtworkScale();
#endif
  return QWidget::event(event);
}

void MainWindow::FollowDevicePixelRatio(double ratio) {
  if (!created_) return;  // nothing composed to follow
  const int scale = ArtworkScale(zoom_, ratio);
  if (scale != canvas_.Scale() && !UseArtworkScale(scale)) return;
  playArea_->update();
}

bool MainWindow::UseArtworkScale(int scale, QString* why) {
  const int mode = host_->Mode();
  QImage atlas = LoadAtlasAt(programDir_ + AtlasFileName(mode), AtlasMinimumSize(mode), scale, why);
  if (atlas.isNull()) return false;
  canvas_.SetAtlas(std::move(atlas), scale);
  host_->SetDigitStrip(DigitStrip(scale));
  return true;
}

}  // namespace zt
