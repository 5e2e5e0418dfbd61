#include "ui/MessageDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <array>

#include "core/Language.h"
#include "ui/DialogKit.h"
#include "ui/GlyphButton.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {

struct Words {
  const char* german;
  const char* english;
  QString Current() const { return QString::fromUtf8(Say(german, english)); }
};

struct MessageLayout {
  const char* name;  // the dialog's object name
  QRect messagePlace;
  int messagePixels;  // character height of the message's bold Arial
  Words message;
  QRect okPlace;
  const char* okGlyph;
  Words ok;
  QRect cancelPlace;  // empty: no cancel button
  const char* cancelGlyph;
  Words cancel;
  bool staysOnTop;
};

constexpr QRect kNoButton;
constexpr Words kYes{"Ja", "Yes"};
constexpr Words kNo{"Nein", "No"};

// By MessageKind.
constexpr std::array<MessageLayout, kMessageKinds> kLayouts{{
    {"PauseDlg",
     {32, 21, 185, 24},
     16,
     {"Spiel angehalten!", "Game paused!"},
     {144, 88, 94, 27},
     "continue",
     {"Fortsetzen", "Continue"},
     kNoButton,
     "",
     {"", ""},
     false},
    {"DoneDlg",
     {32, 20, 185, 21},
     16,
     {"Hurra, geschafft!", "Hurrah, you did it!"},
     {168, 88, 70, 27},
     "ok",
     {"OK", "OK"},
     kNoButton,
     "",
     {"", ""},
     false},
    {"NewGameDlg",
     {40, 13, 169, 37},
     15,
     {"Willst Du das Rätsel wirklich aufgeben?", "Do you really want to giveup the puzzle?"},
     {92, 88, 70, 27},
     "yes",
     kYes,
     {168, 88, 70, 27},
     "no",
     kNo,
     false},
    {"EndGameDlg",
     {32, 13, 185, 37},
     13,
     {"Willst Du das Spiel wirklich beenden?", "Do you really want to end the game?"},
     {92, 88, 70, 27},
     "yes",
     kYes,
     {168, 88, 70, 27},
     "no",
     kNo,
     true},
}};

const MessageLayout& LayoutOf(MessageKind kind) {
  return kLayouts[static_cast<std::size_t>(kind)];
}

}  // namespace

MessageDialog::MessageDialog(MessageKind kind, QWidget* mainWindow, const QImage& background)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::FramelessWindowHint |
                  (LayoutOf(kind).staysOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      kind_(kind),
      mainWindow_(mainWindow),
      backdrop_(background) {
  const MessageLayout& layout = LayoutOf(kind);
  setObjectName(layout.name);
  setFixedSize(kClientSize);
  setModal(true);
  setFont(DialogFont(11));
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  message_ = new QLabel(this);
  message_->setObjectName("message");
  message_->setGeometry(layout.messagePlace);
  message_->setFont(ArialFont(layout.messagePixels, true));
  message_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  message_->setWordWrap(true);

  okButton_ = new GlyphButton(DialogGlyph(layout.okGlyph), -1, this);
  okButton_->setObjectName("OKBtn");
  okButton_->setGeometry(layout.okPlace);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { done(kResultOk); });

  if (!layout.cancelPlace.isEmpty()) {
    cancelButton_ = new GlyphButton(DialogGlyph(layout.cancelGlyph), -1, this);
    cancelButton_->setObjectName("CancelBtn");
    cancelButton_->setGeometry(layout.cancelPlace);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  }
  SetTexts();
}

void MessageDialog::SetTexts() {
  const MessageLayout& layout = LayoutOf(kind_);
  message_->setText(layout.message.Current());
  okButton_->setText(layout.ok.Current());
  if (cancelButton_ != nullptr) cancelButton_->setText(layout.cancel.Current());
}

void MessageDialog::FormActivate() {
  zoom_ = WindowZoom(mainWindow_);
  ZoomWidgetTree(this, zoom_);
  PlaceOnMainWindow(this, mainWindow_);
  SetTexts();
}

void MessageDialog::FormPaint(QPainter& painter) {
  backdrop_.Paint(painter, kClientSize, zoom_, devicePixelRatioF());
  DrawOutline(painter, QRect(QPoint(0, 0), kClientSize), zoom_);
  DrawOutline(painter, kMessageOutline, zoom_);
}

void MessageDialog::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
  if (okButton_ != nullptr) okButton_->setFocus();
}

void MessageDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  FormPaint(painter);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && cancelButton_ == nullptr) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void MessageDialog::reject() {
  done(kResultCancel);
}

}  // namespace zt
