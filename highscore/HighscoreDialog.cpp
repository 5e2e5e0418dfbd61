#include "highscore/HighscoreDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "core/Language.h"
#include "ui/DialogKit.h"
#include "ui/GlyphButton.h"
#include "ui/WidgetZoom.h"

namespace zt {

namespace {

// A label of the list. It keeps trailing spaces when it aligns its text to the
// right, as the row numbers "1.   " need to stand clear of the names, and a
// name too wide for its column ends in an ellipsis rather than half a letter.
class RowLabel : public QLabel {
 public:
  using QLabel::QLabel;

  // The text as it fits into the label.
  QString Shown() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width(),
                                    Qt::TextIncludeTrailingSpaces);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextIncludeTrailingSpaces, Shown());
  }
};

constexpr int kRowTop = 20;
constexpr int kRowHeight = 21;
constexpr int kNameLeft = 60;
constexpr int kNameWidth = 140;
// The least height of the name box, and the room above and below its letters.
constexpr int kNameBoxHeight = 15;
constexpr int kNameBoxMargin = 1;
constexpr int kClearBoxSize = 13;

const QRect kListOutline(8, 8, 305, 121);
const QRect kClearOutline(168, 136, 145, 21);

}  // namespace

HighscoreDialog::HighscoreDialog(QWidget* mainWindow, SettingsStore& store,
                                 const TextScrambler& scrambler, const QImage& dialogBackground)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      backdrop_(dialogBackground),
      store_(store),
      session_(store, scrambler) {
  setObjectName("HighscoreDlg");
  setFixedSize(kClientSize);
  setModal(true);
  setFont(ArialFont(15, true));
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  // The fifteen labels, found again by name when filled.
  for (int i = 0; i < kHighscorePlaces; ++i) {
    const int top = kRowTop + kRowHeight * i;
    struct Column {
      const char* prefix;
      int left;
      int width;
      Qt::Alignment alignment;
    };
    for (const Column& c : {Column{"place", 20, 40, Qt::AlignRight},
                            Column{"name", kNameLeft, kNameWidth, Qt::AlignLeft},
                            Column{"time", 200, 90, Qt::AlignRight}}) {
      auto* label = new RowLabel(this);
      label->setObjectName(QString::fromLatin1(c.prefix) + QString::number(i));
      label->setGeometry(c.left, top, c.width, kRowHeight);
      label->setAlignment(c.alignment | Qt::AlignTop);
    }
    findChild<QLabel*>("place" + QString::number(i))->setText(QString::number(i + 1) + ".   ");
  }

  clearBox_ = new QCheckBox(this);
  clearBox_->setObjectName("ClearBox");
  clearBox_->setGeometry(175, 139, kClearBoxSize, kClearBoxSize);

  clearLabel_ = new QLabel(this);
  clearLabel_->setObjectName("ClearLabel");
  clearLabel_->move(196, 140);
  clearLabel_->setFont(DialogFont(11));

  cancelButton_ = new GlyphButton(DialogGlyph("cross"), -1, this);
  cancelButton_->setObjectName("CancelBtn");
  cancelButton_->setGeometry(168, 164, 70, 27);
  cancelButton_->setFont(DialogFont(11));
  connect(cancelButton_, &QPushButton::clicked, this, &HighscoreDialog::CancelClick);

  okButton_ = new GlyphButton(DialogGlyph("podium"), 6, this);
  okButton_->setObjectName("OKBtn");
  okButton_->setGeometry(244, 164, 70, 27);
  okButton_->setFont(DialogFont(11));
  okButton_->setText(QStringLiteral("OK"));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &HighscoreDialog::okClick);

  nameEdit_ = new QLineEdit(this);
  nameEdit_->setObjectName("NameEdit");
  nameEdit_->setGeometry(52, 28, 177, 19);
  nameEdit_->setFrame(false);
  nameEdit_->setMaxLength(kMaxNameLength);
  nameEdit_->setFocusPolicy(Qt::ClickFocus);
  QPalette editColours = nameEdit_->palette();
  editColours.setColor(QPalette::Base, QColor(255, 128, 128));
  editColours.setColor(QPalette::Text, Qt::black);
  nameEdit_->setPalette(editColours);
  nameEdit_->setText(session_.PlayerName());
  nameEdit_->hide();

  setTabOrder(clearBox_, cancelButton_);
  setTabOrder(cancelButton_, okButton_);
  FormActivate();
}

void HighscoreDialog::ShowHighscores(const QString& variantKey, std::int32_t time) {
  clearBox_->setChecked(false);
  if (!session_.Begin(variantKey, time)) return;
  FillLabels();
  const int row = session_.NewEntry();
  if (row >= 0) {
    nameRow_ = row;
    PlaceNameEdit();
    nameEdit_->setText(session_.PlayerName());
    nameEdit_->setEnabled(true);
    nameEdit_->show();
    // All of the name selected, so that typing replaces it, and its start in
    // view.
    nameEdit_->setSelection(nameEdit_->text().size(), -nameEdit_->text().size());
  } else {
    nameEdit_->hide();
  }
  exec();
}

int HighscoreDialog::NameBoxHeight() const {
  // Tall enough for whole letters, descenders and commas included, and never
  // into the next row.
  const int letters = nameEdit_->fontMetrics().height() + 2 * kNameBoxMargin * zoom_;
  return std::clamp(letters, kNameBoxHeight * zoom_, kRowHeight * zoom_);
}

void HighscoreDialog::PlaceNameEdit() {
  nameEdit_->setGeometry(kNameLeft * zoom_, (kRowTop + kRowHeight * nameRow_) * zoom_,
                         kNameWidth * zoom_, NameBoxHeight());
}

void HighscoreDialog::FillLabels() {
  const HighscoreTable& entries = session_.Entries();
  for (int i = 0; i < kHighscorePlaces; ++i) {
    auto* name = static_cast<RowLabel*>(findChild<QLabel*>("name" + QString::number(i)));
    name->setText(entries[i].name);
    // A name cut short in its column shows whole when the mouse rests on it.
    name->setToolTip(name->Shown() != entries[i].name ? entries[i].name : QString());
    findChild<QLabel*>("time" + QString::number(i))
        ->setText(entries[i].IsEmpty() ? QStringLiteral("-----")
                                       : QString::number(entries[i].time));
  }
}

void HighscoreDialog::okClick() {
  const bool cleared = clearBox_->isChecked();
  const bool saved = session_.Confirm(cleared, nameEdit_->text());
  if (cleared) nameEdit_->setText(DefaultPlayerName());
  nameEdit_->hide();
  done(Accepted);
  if (!saved) {
    const QString text = Say(QStringLiteral("Die Bestzeit konnte nicht gespeichert werden: "),
                             QStringLiteral("The best time could not be saved: ")) +
                         store_.Location();
    if (failureReport_) {
      failureReport_(text);
    } else {
      qWarning("%s", qPrintable(text));
    }
  }
}

void HighscoreDialog::CancelClick() {
  reject();
}

void HighscoreDialog::reject() {
  session_.Cancel();
  nameEdit_->hide();
  QDialog::reject();
}

void HighscoreDialog::FormActivate() {
  zoom_ = WindowZoom(mainWindow_);
  ZoomWidgetTree(this, zoom_);
  // The check box's square is drawn by the style at its own size: told the
  // size at a zoom, left to the style at 1x.
  clearBox_->setStyleSheet(
      zoom_ > 1 ? QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                      .arg(kClearBoxSize * zoom_)
                : QString());
  PlaceNameEdit();
  PlaceOnMainWindow(this, mainWindow_);
  setWindowTitle(Say(QStringLiteral("Zindle Tavrin - Bestenliste"),
                     QStringLiteral("Zindle Tavrin - Highscore")));
  clearLabel_->setText(
      Say(QStringLiteral("alle Einträge löschen"), QStringLiteral("remove all entries")));
  clearLabel_->adjustSize();
  cancelButton_->setText(Say(QStringLiteral("Abbruch"), QStringLiteral("Cancel")));
}

void HighscoreDialog::FormPaint(QPainter& painter) {
  backdrop_.Paint(painter, kClientSize, zoom_, devicePixelRatioF());
  DrawOutline(painter, QRect(QPoint(0, 0), kClientSize), zoom_);
  DrawOutline(painter, kListOutline, zoom_);
  DrawOutline(painter, kClearOutline, zoom_);
}

void HighscoreDialog::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
  if (!nameEdit_->isHidden()) nameEdit_->setFocus();
}

void HighscoreDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  FormPaint(painter);
}

}  // namespace zt
