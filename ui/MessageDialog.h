#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>

#include "ui/DialogKit.h"

class QLabel;

namespace zt {

class GlyphButton;

// The four messages of the game.
enum class MessageKind {
  Pause,    // the pause notice; closing it resumes the game
  Done,     // the solved message
  NewGame,  // the give-up question before a new game: OK gives the game up
  EndGame,  // the quit question, on top of every other window: only OK ends the game
};
inline constexpr int kMessageKinds = 4;

// A message dialog: a borderless 250 x 125 panel on the lower-left part of the
// dialog background, an outline round the whole panel and one round the
// message, a message label and one or two buttons. Each showing sizes the
// dialog at the main window's zoom, places it on the main window and sets the
// texts of the current language. What
// each kind shows and where comes from one table.
class MessageDialog : public QDialog {
  Q_OBJECT

 public:
  // Modal results as the callers read them.
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;
  static constexpr QSize kClientSize{250, 125};
  static constexpr QRect kMessageOutline{8, 8, 233, 45};

  // mainWindow is the parent and the window the dialog centres on (none: the
  // dialog stays where it is); background is the main window's dialog
  // background picture.
  MessageDialog(MessageKind kind, QWidget* mainWindow, const QImage& background);

  MessageKind Kind() const { return kind_; }

  // The showing: size at the main window's zoom, place and texts (also run by
  // every show).
  void FormActivate();
  void FormPaint(QPainter& painter);

  QLabel* Message() const { return message_; }
  GlyphButton* OkButton() const { return okButton_; }
  // Null in the dialogs without a cancel button.
  GlyphButton* CancelButton() const { return cancelButton_; }

  // Escape and a close request: Cancel, but only where there is a cancel
  // button; elsewhere Escape does nothing.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SetTexts();

  MessageKind kind_;
  QPointer<QWidget> mainWindow_;
  DialogBackdrop backdrop_;
  int zoom_ = 1;
  QLabel* message_ = nullptr;
  GlyphButton* okButton_ = nullptr;
  GlyphButton* cancelButton_ = nullptr;
};

}  // namespace zt
