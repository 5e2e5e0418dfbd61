#include "app/window/Toolbar.h"

#include <QButtonGroup>
#include <QLabel>

#include "core/Texts.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/core/Canvas.h"

namespace zt {

namespace {

// Buttons stand 4 pixels from the top, 25 high, 24 apart in their groups.
QRect ButtonAt(int left, int width = 25) {
  return {left, 4, width, 25};
}
constexpr int kFirstPuzzleButton = 176;
constexpr int kButtonStep = 24;

}  // namespace

Toolbar::Toolbar(QWidget* parent, PuzzleHost& host) : QFrame(parent) {
  setGeometry(0, 0, Canvas::kWidth, kHeight);
  setFrameStyle(QFrame::Panel | QFrame::Raised);

  MixBtn = new ToolButton(this, "mix", ButtonAt(4));
  OptionBtn = new ToolButton(this, "option", ButtonAt(28));
  OptionBtn->reactOnPress = true;
  PauseBtn = new ToolButton(this, "pause", ButtonAt(52));
  SoundBtn = new ToolButton(this, "sound", ButtonAt(76), true);
  MidiBtn = new ToolButton(this, "music", ButtonAt(100), true);
  HighScoreBtn = new ToolButton(this, "highscore", ButtonAt(124));
  ExitBtn = new ToolButton(this, "exit", ButtonAt(148));
  for (int p = 0; p < kPuzzleCount; ++p) {
    puzzleBtns_[p] = new ToolButton(this, CatalogEntry(p).glyph,
                                    ButtonAt(kFirstPuzzleButton + kButtonStep * p), true);
  }
  LanguageBtn = new ToolButton(this, "tongue", ButtonAt(396, 24));
  HelpBtn = new ToolButton(this, "help", ButtonAt(418));
  InfoBtn = new ToolButton(this, "info", ButtonAt(442));
  ZindleBtn = new ToolButton(this, "zindle", ButtonAt(466, 29));

  puzzleGroup_ = new QButtonGroup(this);
  puzzleGroup_->setExclusive(true);
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleGroup_->addButton(puzzleBtns_[p], p);

  // The clock's sunken black field with its label.
  auto* bevel = new QFrame(this);
  bevel->setGeometry(275, 4, 120, 26);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* field = new QWidget(this);
  field->setGeometry(276, 5, 117, 24);
  field->setAutoFillBackground(true);
  QPalette black = field->palette();
  black.setColor(QPalette::Window, Qt::black);
  field->setPalette(black);
  TimeLabel = new QLabel(this);
  TimeLabel->setGeometry(280, 12, 33, 16);
  QFont small("DejaVu Sans");
  small.setPixelSize(12);
  TimeLabel->setFont(small);
  QPalette lime = TimeLabel->palette();
  lime.setColor(QPalette::WindowText, QColor(0, 255, 0));
  TimeLabel->setPalette(lime);
  clock_ = new ClockDisplay(this, host);
}

void Toolbar::SetHints(bool german) {
  const bool g = german;
  MixBtn->setToolTip(HintText(Hint::MixBtn, g));
  OptionBtn->setToolTip(HintText(Hint::OptionBtn, g));
  PauseBtn->setToolTip(HintText(Hint::PauseBtn, g));
  SoundBtn->setToolTip(HintText(SoundBtn->isChecked() ? Hint::SoundBtnDown : Hint::SoundBtnUp, g));
  MidiBtn->setToolTip(HintText(MidiBtn->isChecked() ? Hint::MidiBtnDown : Hint::MidiBtnUp, g));
  HighScoreBtn->setToolTip(HintText(Hint::HighScoreBtn, g));
  ExitBtn->setToolTip(HintText(Hint::ExitBtn, g));
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleBtns_[p]->setToolTip(PuzzleText(CatalogEntry(p).buttonHint, g));
  TimeLabel->setText(HintText(Hint::TimeLabel, g));
  LanguageBtn->setToolTip(HintText(Hint::LanguageBtn, g));
  HelpBtn->setToolTip(HintText(Hint::HelpBtn, g));
  InfoBtn->setToolTip(HintText(Hint::InfoBtn, g));
  ZindleBtn->setToolTip(HintText(Hint::ZindleBtn, g));
  for (QWidget* control : findChildren<ToolButton*>())
    control->setAccessibleDescription(control->toolTip());
}

void Toolbar::SetAccessibleNames(bool german) {
  const std::pair<ToolButton*, ControlName> named[] = {
      {MixBtn, ControlName::MixBtn},       {OptionBtn, ControlName::OptionBtn},
      {PauseBtn, ControlName::PauseBtn},   {SoundBtn, ControlName::SoundBtn},
      {MidiBtn, ControlName::MidiBtn},     {HighScoreBtn, ControlName::HighScoreBtn},
      {ExitBtn, ControlName::ExitBtn},     {LanguageBtn, ControlName::LanguageBtn},
      {HelpBtn, ControlName::HelpBtn},     {InfoBtn, ControlName::InfoBtn},
      {ZindleBtn, ControlName::ZindleBtn},
  };
  for (const auto& [button, name] : named)
    button->setAccessibleName(ControlNameText(name, german));
  for (int p = 0; p < kPuzzleCount; ++p)
    puzzleBtns_[p]->setAccessibleName(QString::fromLatin1(CatalogEntry(p).name));
}

}  // namespace zt
