#include "ui/MessageDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "ui/DialogKit.h"
#include "ui/GlyphButton.h"

namespace zt {

MessageDialog::MessageDialog(QWidget* mainWindow, const QImage& background,
                             Qt::WindowFlags extraFlags)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | extraFlags),
      mainWindow_(mainWindow),
      background_(background) {
  setFixedSize(kClientSize);
  setModal(true);
  setFont(DialogFont(11));
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
}

QLabel* MessageDialog::AddMessage(const QString& name, const QRect& place, int pixels) {
  message_ = new QLabel(this);
  message_->setObjectName(name);
  message_->setGeometry(place);
  message_->setFont(ArialFont(pixels, true));
  message_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  message_->setWordWrap(true);
  return message_;
}

GlyphButton* MessageDialog::AddOkButton(const QRect& place, const QString& glyph) {
  okButton_ = new GlyphButton(DialogGlyph(glyph), -1, this);
  okButton_->setObjectName("OKBtn");
  okButton_->setGeometry(place);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { done(kResultOk); });
  return okButton_;
}

GlyphButton* MessageDialog::AddCancelButton(const QRect& place, const QString& glyph) {
  cancelButton_ = new GlyphButton(DialogGlyph(glyph), -1, this);
  cancelButton_->setObjectName("CancelBtn");
  cancelButton_->setGeometry(place);
  connect(cancelButton_, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  return cancelButton_;
}

void MessageDialog::FormActivate() {
  PlaceOnMainWindow(this, mainWindow_);
  SetTexts();
}

void MessageDialog::FormPaint(QPainter& painter) {
  PaintDialogBackground(painter, background_, size());
  DrawOutline(painter, rect());   // Shape2
  DrawOutline(painter, kShape1);  // Shape1
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
