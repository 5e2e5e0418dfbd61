#include "app/window/MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include "app/help/AboutDialog.h"
#include "app/host/AtlasLoader.h"
#include "core/Language.h"
#include "core/SettingsKeys.h"
#include "core/Texts.h"
#include "core/WindowPlacement.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/catalog/PuzzleViews.h"
#include "ui/DialogKit.h"

namespace zt {

namespace {

constexpr int kToolbarHeight = 33;

int ButtonNumber(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return -1;
  }
}

QString Pick(const Words& words, bool german) {
  return QString::fromUtf8(german ? words.german : words.english);
}

QString RulesTooltip(const QString& rules) {
  QString text = rules;
  text.replace('\r', '\n');
  return text;
}

}  // namespace

// The play area: shows the canvas's screen. A present repaints just its
// rectangle from the screen; any other paint request redraws the puzzle.
class PlayArea final : public QWidget {
 public:
  PlayArea(QWidget* parent, MainWindow& form) : QWidget(parent), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, kToolbarHeight, Canvas::kWidth, Canvas::kHeight);
  }

  void Present(const QRect& r) {
    if (painting_) return;  // the running paint shows the whole screen anyway
    presenting_ = true;
    repaint(r);
    presenting_ = false;
  }
  bool Painting() const { return painting_; }

 protected:
  void paintEvent(QPaintEvent* event) override {
    painting_ = true;
    if (!presenting_) form_.Host().BoxPaint();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, form_.PlayCanvas().Screen(), r);
    painting_ = false;
    form_.NotePlayAreaPainted();
  }
  void mousePressEvent(QMouseEvent* event) override {
    const int button = ButtonNumber(event->button());
    if (button < 0) return;
    const QPoint pos = event->position().toPoint();
    form_.Host().BoxMouseDown(pos.x(), pos.y(), button);
    form_.WakeTimer();
  }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(event);
      const QPoint client = help->pos() + QPoint(0, kToolbarHeight);
      if (form_.RulesShape().contains(client)) {
        QToolTip::showText(help->globalPos(), RulesTooltip(form_.RulesHint()), this,
                           form_.RulesShape().translated(0, -kToolbarHeight));
      } else {
        QToolTip::hideText();
        event->ignore();
      }
      return true;
    }
    return QWidget::event(event);
  }

 private:
  MainWindow& form_;
  bool presenting_ = false;
  bool painting_ = false;
};

// The clock display: shows the host's clock picture.
class ClockDisplay final : public QWidget {
 public:
  ClockDisplay(QWidget* parent, MainWindow& form) : QWidget(parent), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(312, 7, PuzzleHost::kClockWidth, PuzzleHost::kClockHeight);
  }
  // Shows the clock picture now; inside another paint it joins that paint.
  void Show(bool inPaint) {
    if (painting_) return;
    showing_ = true;
    if (inPaint) {
      update();
    } else {
      repaint();
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    painting_ = true;
    // A paint request of the window system draws the clock afresh.
    if (!showing_) form_.Host().RepaintClock();
    showing_ = false;
    QPainter p(this);
    p.drawImage(event->rect(), form_.Host().ClockImage(), event->rect());
    painting_ = false;
  }

 private:
  MainWindow& form_;
  bool showing_ = false;
  bool painting_ = false;
};

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

ToolButton::ToolButton(QWidget* parent, const QString& glyph, QRect place, bool checkable)
    : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setCheckable(checkable);
  setGeometry(place);
  setIconSize(QSize(20, 20));
  setIcon(QIcon(":/ui/glyph_" + glyph + ".png"));
}

void ToolButton::mousePressEvent(QMouseEvent* event) {
  if (reactOnPress) {
    const int button = ButtonNumber(event->button());
    if (button >= 0 && isEnabled()) {
      setDown(true);
      emit pressedWith(button);
      setDown(false);
    }
    return;
  }
  QToolButton::mousePressEvent(event);
}

LevelLabel::LevelLabel(QWidget* parent) : QLabel(parent) {
  setFixedSize(77, 32);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont f("Arial");
  f.setPixelSize(27);
  f.setBold(true);
  f.setItalic(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);
}

void LevelLabel::mousePressEvent(QMouseEvent* event) {
  const int button = ButtonNumber(event->button());
  if (button >= 0) emit pressedWith(button);
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

  setFixedSize(Canvas::kWidth, kToolbarHeight + Canvas::kHeight);
  QFont systemFont("DejaVu Sans");
  systemFont.setPixelSize(13);
  setFont(systemFont);
  move(672, 547);

  const GameSettings s = ReadGameSettings(store_);
  Tongue = s.tongue;
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzles_[p]->SetVariant(s.variants[p]);

  BuildControls();
  soundbtn->setChecked(s.sound);
  MidiBtn->setChecked(s.music);
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
  canvas_.SetPresenter([this](const QRect& r) { Present(r); });

  puzzleGroup_->button(s.mode)->setChecked(true);
  host_->StartUp(s.mode);
  MidiBtn->setEnabled(music_.MusicStart(programDir_));
  host_->MarkStartPuzzleReady();
  EnableOptionBtn();
  ShowLevel();
  SetHints();

  connect(&timer_, &QTimer::timeout, this, [this] {
    host_->TimerTimer();
    // Idle, the game takes no time at all: the timer rests until a move
    // starts the clock or the music is wanted again.
    if (!TimerNeeded()) timer_.stop();
  });
  timer_.start(200);
  created_ = true;
  firstActivation_ = true;
}

void MainWindow::BuildControls() {
  toolsPanel_ = new QFrame(this);
  toolsPanel_->setGeometry(0, 0, Canvas::kWidth, kToolbarHeight);
  toolsPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  QWidget* bar = toolsPanel_;

  auto at = [](int left, int width = 25) { return QRect(left, 4, width, 25); };
  MixBtn = new ToolButton(bar, "mix", at(4));
  OptionBtn = new ToolButton(bar, "option", at(28));
  OptionBtn->reactOnPress = true;
  PauseBtn = new ToolButton(bar, "pause", at(52));
  soundbtn = new ToolButton(bar, "sound", at(76), true);
  MidiBtn = new ToolButton(bar, "music", at(100), true);
  HighScoreBtn = new ToolButton(bar, "highscore", at(124));
  ExitBtn = new ToolButton(bar, "exit", at(148));
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleBtns_[p] = new ToolButton(bar, CatalogEntry(p).glyph, at(176 + 24 * p), true);
  TongueBtn = new ToolButton(bar, "tongue", at(396, 24));
  HelpBtn = new ToolButton(bar, "help", at(418));
  InfoBtn = new ToolButton(bar, "info", at(442));
  ZindleBtn = new ToolButton(bar, "zindle", at(466, 29));

  puzzleGroup_ = new QButtonGroup(this);
  puzzleGroup_->setExclusive(true);
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleGroup_->addButton(puzzleBtns_[p], p);

  auto* bevel = new QFrame(bar);
  bevel->setGeometry(275, 4, 120, 26);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* tim = new QWidget(bar);
  tim->setGeometry(276, 5, 117, 24);
  tim->setAutoFillBackground(true);
  QPalette black = tim->palette();
  black.setColor(QPalette::Window, Qt::black);
  tim->setPalette(black);
  TimeLabel = new QLabel(bar);
  TimeLabel->setGeometry(280, 12, 33, 16);
  QFont small("DejaVu Sans");
  small.setPixelSize(12);
  TimeLabel->setFont(small);
  QPalette lime = TimeLabel->palette();
  lime.setColor(QPalette::WindowText, QColor(0, 255, 0));
  TimeLabel->setPalette(lime);
  timbox_ = new ClockDisplay(bar, *this);

  box_ = new PlayArea(this, *this);
  levelLabel_ = new LevelLabel(this);
  levelLabel_->raise();

  connect(MixBtn, &QToolButton::clicked, this, [this] { MixBtnClick(); });
  connect(OptionBtn, &ToolButton::pressedWith, this, [this](int b) { OptionBtnMouseDown(b); });
  connect(levelLabel_, &LevelLabel::pressedWith, this, [this](int b) { OptionBtnMouseDown(b); });
  connect(PauseBtn, &QToolButton::clicked, this, [this] { PauseBtnClick(); });
  connect(MidiBtn, &QToolButton::clicked, this, [this] { MidiBtnClick(); });
  connect(HighScoreBtn, &QToolButton::clicked, this, [this] { HighScoreBtnClick(); });
  connect(ExitBtn, &QToolButton::clicked, this, [this] { close(); });
  connect(puzzleGroup_, &QButtonGroup::idClicked, this, [this](int id) { SelectPuzzle(id); });
  connect(TongueBtn, &QToolButton::clicked, this, [this] { TongueBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(InfoBtn, &QToolButton::clicked, this, [this] { InfoBtnClick(); });
  connect(ZindleBtn, &QToolButton::clicked, this, [this] { ZindleBtnClick(); });

  setFocusPolicy(Qt::StrongFocus);
}

QWidget* MainWindow::PlayAreaWidget() const {
  return box_;
}

void MainWindow::SetDialogs(GameDialogs* dialogs, HighscoreService* scores) {
  relay_->dialogs = dialogs;
  relay_->scores = scores;
}

void MainWindow::SetFirstActivation(std::function<void()> onFirstActivation) {
  onFirstActivation_ = std::move(onFirstActivation);
}

void MainWindow::SelectPuzzle(int mode) {
  if (!host_->SelectPuzzle(mode)) puzzleGroup_->button(host_->Mode())->setChecked(true);
  WakeTimer();
}

void MainWindow::MidiBtnClick() {
  if (MidiBtn->isEnabled()) music_.MidiBtnClick(MidiBtn->isChecked());
  SetHints();
  WakeTimer();
}

bool MainWindow::TimerNeeded() const {
  return host_->Play().Running(host_->Mode()) || (MidiBtn->isEnabled() && MidiBtn->isChecked());
}

void MainWindow::WakeTimer() {
  if (!timer_.isActive() && TimerNeeded()) timer_.start(200);
}

void MainWindow::TongueBtnClick() {
  // The clock keeps running while the language is chosen.
  if (languageDialog_) languageDialog_->exec();
  SetHints();
}

void MainWindow::HelpBtnClick() {
  timer_.stop();
  help_.Open(helpFile_, HelpViewer::Topic(), this);
  timer_.start(200);
}

void MainWindow::InfoBtnClick() {
  timer_.stop();
  ShowAbout(this);
  timer_.start(200);
}

void MainWindow::ZindleBtnClick() {
  makers_->Open();
}

void MainWindow::SetHints() {
  const bool g = German();
  MixBtn->setToolTip(HintText(Hint::MixBtn, g));
  OptionBtn->setToolTip(HintText(Hint::OptionBtn, g));
  levelLabel_->setToolTip(HintText(Hint::LevelLabel, g));
  PauseBtn->setToolTip(HintText(Hint::PauseBtn, g));
  soundbtn->setToolTip(HintText(soundbtn->isChecked() ? Hint::SoundBtnDown : Hint::SoundBtnUp, g));
  MidiBtn->setToolTip(HintText(MidiBtn->isChecked() ? Hint::MidiBtnDown : Hint::MidiBtnUp, g));
  HighScoreBtn->setToolTip(HintText(Hint::HighScoreBtn, g));
  ExitBtn->setToolTip(HintText(Hint::ExitBtn, g));
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleBtns_[p]->setToolTip(Pick(CatalogEntry(p).buttonHint, g));
  TimeLabel->setText(HintText(Hint::TimeLabel, g));
  TongueBtn->setToolTip(HintText(Hint::TongueBtn, g));
  HelpBtn->setToolTip(HintText(Hint::HelpBtn, g));
  InfoBtn->setToolTip(HintText(Hint::InfoBtn, g));
  ZindleBtn->setToolTip(HintText(Hint::ZindleBtn, g));
  rulesHint_ = Pick(CatalogEntry(host_->Mode()).rules, g);
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
  s.sound = soundbtn->isChecked();
  s.music = MidiBtn->isChecked();
  return s;
}

void MainWindow::SetTimerEnabled(bool on) {
  if (on) {
    timer_.start(200);
  } else {
    timer_.stop();
  }
}

bool MainWindow::SoundOn() const {
  return soundbtn->isChecked();
}

void MainWindow::PlayEffect(SoundEffect effect) {
  effects_.PlayEffect(static_cast<int>(effect));
}

void MainWindow::MusicUpkeep() {
  music_.MusicUpkeep(MidiBtn->isEnabled() && MidiBtn->isChecked());
}

void MainWindow::PresentClock() {
  if (timbox_) timbox_->Show(box_ && box_->Painting());
}

void MainWindow::Present(const QRect& r) {
  if (box_) box_->Present(r);
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
  rulesShape_ = QRect(place.left, place.top, place.width, place.height);
}

void MainWindow::EnableOptionBtn() {
  OptionBtn->setEnabled(true);
}

void MainWindow::RepaintWindow() {
  // The toolbar's controls repaint themselves as they change; the play area
  // has to be drawn afresh for the new puzzle, and at once. A repaint of the
  // whole window does not do it: Qt then repaints only the parts it holds
  // dirty (the moved level label), and the old puzzle would stay on screen.
  box_->repaint();
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

bool MainWindow::SaveWindowPosition() {
  WindowPlacement placement;
  placement.showState = isMinimized() ? WindowPlacement::kMinimized : WindowPlacement::kShown;
  placement.normal = frameGeometry();
  return store_.WriteString(settings::kCommonSection, settings::kWindowPositionKey,
                            FormatWindowPlacement(placement));
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
  timer_.start(200);
  return close;
}

void MainWindow::FormClose() {
  timer_.stop();
  help_.Quit();
  // The window position goes with the other settings, while the window is
  // still there to carry a message: a store that refuses writes is reported
  // once, whichever write failed.
  bool saved = WriteGameSettings(store_, CurrentSettings());
  saved = SaveWindowPosition() && saved;
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

int VirtualKeyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;  // letters and digits share their codes
  }
  switch (qtKey) {
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
      return 0xff;  // some other key: it still counts as a key press
  }
}

}  // namespace zt
