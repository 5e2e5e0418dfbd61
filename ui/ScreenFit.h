#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>

#include "core/ScreenPlacement.h"

class QWidget;

// The game's windows on the real screens: the desktop as the window system
// reports it, and a window put in its place again once the window manager has
// said how large the frame round it is.
namespace zt {

// The screens of the desktop now.
Desktop CurrentDesktop();

// The frame the window system draws round a window, as far as it is known
// (nothing before the window has been shown, or without a window manager).
QMargins FrameMargins(const QWidget* window);

// Moves window (its outer top-left to place) wholly onto the screen that holds
// mainWindow; without a main window, onto the primary screen.
void MoveOntoScreenOf(QWidget* window, const QWidget* mainWindow, QPoint place);

// Keeps a top-level window where place puts it. Apply places it with the frame
// as far as it is known; a window manager tells the frame only after it has
// mapped the window, so the window is placed again as soon as the frame is
// known. After that it goes wherever the player moves it.
class FramePlacer final : public QObject {
 public:
  // The window's outer rectangle for a frame of the given margins. A window
  // of fixed size gets its outer size back; any other is resized to fit.
  using Place = std::function<QRect(const QMargins& frame)>;

  // Watches window, which owns it.
  FramePlacer(QWidget* window, Place place);

  void Apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Place place_;
  QMargins applied_;
  bool frameKnown_ = false;
};

}  // namespace zt
