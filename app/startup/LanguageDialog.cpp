#include "app/startup/LanguageDialog.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "core/Language.h"
#include "core/SystemLocale.h"
#include "ui/DialogKit.h"
#include "ui/ScreenFit.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {

// The dialogs' "MS Sans Serif" of 11 pixels, by its free look-alikes.
QFont DialogFont() {
  QFont f;
  f.setFamilies({"Liberation Sans", "DejaVu Sans"});
  f.setPixelSize(11);
  return f;
}

QPushButton* MakeButton(QWidget* parent, const QRect& place, const QString& text,
                        const QString& picture) {
  auto* b = new QPushButton(ScaledIcon(picture), text, parent);
  b->setGeometry(place);
  b->setIconSize(QSize(24, 16));
  // Enter presses whichever of the two has the focus.
  b->setAutoDefault(true);
  return b;
}

}  // namespace

LanguageDialog::LanguageDialog(QWidget* mainWindow, const QIcon& programIcon)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow) {
  setWindowTitle("Zindle Tavrin V1.2");
  setFont(DialogFont());
  setFixedSize(320, 91);

  Panel = new QFrame(this);
  Panel->setGeometry(8, 8, 305, 77);
  Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);

  IconLabel = new QLabel(this);
  IconLabel->setGeometry(28, 28, 37, 37);
  IconLabel->setAlignment(Qt::AlignCenter);
  programIcon_ = programIcon;
  ShowIcon(1);

  EnglishBtn = MakeButton(this, {84, 16, 221, 27}, "I speak english.", ":/lang/flag_en");
  GermanBtn = MakeButton(this, {84, 48, 221, 27}, "Ich spreche deutsch.", ":/lang/flag_de");
  setTabOrder(EnglishBtn, GermanBtn);

  connect(EnglishBtn, &QPushButton::clicked, this, &LanguageDialog::EnglishBtnClick);
  connect(GermanBtn, &QPushButton::clicked, this, &LanguageDialog::GermanBtnClick);

  placer_ = new FramePlacer(this, [this](const QMargins& frame) {
    const QSize outer = size().grownBy(frame);
    if (!mainWindow_) return QRect(frameGeometry().topLeft(), outer);
    const QRect mainFrame = mainWindow_->frameGeometry();
    const QPoint place = PlaceFor(mainFrame, mainWindow_->height(), outer);
    return QRect(PlaceOnScreenOf(CurrentDesktop(), mainFrame, place, outer), outer);
  });
}

void LanguageDialog::ShowIcon(int zoom) {
  IconLabel->setPixmap(programIcon_.pixmap(QSize(32, 32) * zoom, devicePixelRatioF()));
}

void LanguageDialog::ApplyZoom() {
  const int zoom = WindowZoom(mainWindow_);
  ZoomWidgetTree(this, zoom);
  if (zoom != iconZoom_) {
    ShowIcon(zoom);
    iconZoom_ = zoom;
  }
}

QPushButton* LanguageDialog::DefaultAnswer() const {
  return SystemLocaleIsGerman() ? GermanBtn : EnglishBtn;
}

void LanguageDialog::EnglishBtnClick() {
  Tongue = 0;
  accept();
}

void LanguageDialog::GermanBtnClick() {
  Tongue = 1;
  accept();
}

QPoint LanguageDialog::PlaceFor(const QRect& mainFrame, int mainClientHeight,
                                const QSize& dialogFrame) {
  // C++ division truncates towards zero, as the placement wants.
  const int left = mainFrame.left() + (mainFrame.width() - dialogFrame.width()) / 2;
  const int top =
      mainFrame.top() + mainFrame.height() - (mainClientHeight + dialogFrame.height()) / 2;
  return {left, top};
}

void LanguageDialog::Place() {
  placer_->Apply();
}

void LanguageDialog::FormActivate() {
  Place();
}

void LanguageDialog::showEvent(QShowEvent* event) {
  // Placed before it reaches the screen too, so it does not jump on
  // activation; the frame's size is only known once it has been shown.
  ApplyZoom();
  Place();
  QPushButton* answer = DefaultAnswer();
  answer->setDefault(true);
  answer->setFocus(Qt::OtherFocusReason);
  QDialog::showEvent(event);
}

void LanguageDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QDialog::changeEvent(event);
}

}  // namespace zt
