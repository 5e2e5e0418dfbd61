#pragma once

#include <QDialog>
#include <QIcon>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

class QFrame;
class QLabel;
class QPushButton;

namespace zt {

class FramePlacer;

// The language question: "I speak english." or "Ich spreche deutsch.". Created
// once after the main window and shown modally (exec) when needed. Either
// button sets Tongue and closes with Accepted; any other way out (close box,
// Escape, Alt+F4) closes with Rejected and leaves Tongue as it was. Enter
// answers in the system's language until the focus is moved. Each showing
// sizes it at the main window's zoom.
class LanguageDialog final : public QDialog {
  Q_OBJECT
 public:
  // mainWindow is the parent and the window the dialog centres itself on;
  // programIcon is the main window's icon, shown in IconLabel.
  LanguageDialog(QWidget* mainWindow, const QIcon& programIcon);

  QFrame* Panel = nullptr;
  QLabel* IconLabel = nullptr;
  QPushButton* EnglishBtn = nullptr;
  QPushButton* GermanBtn = nullptr;

  void EnglishBtnClick();
  void GermanBtnClick();

  // Where the dialog's outer frame goes: centred horizontally on the main
  // window's frame and vertically on its client area. Divisions truncate
  // towards zero. (The dialog is then moved wholly onto the main window's
  // screen.)
  static QPoint PlaceFor(const QRect& mainFrame, int mainClientHeight, const QSize& dialogFrame);

  // The button that Enter presses when the question opens.
  QPushButton* DefaultAnswer() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormActivate();
  void Place();
  // Sizes the dialog at the main window's zoom, with the program's picture
  // drawn at that size.
  void ApplyZoom();
  void ShowIcon(int zoom);

  QPointer<QWidget> mainWindow_;
  FramePlacer* placer_ = nullptr;
  QIcon programIcon_;
  int iconZoom_ = 1;
};

}  // namespace zt
