#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

// Where the game's windows go on the desktop, as plain geometry: the screens,
// the rectangles of the windows and the frames round them. Every rectangle is
// a window's outer one (its frame included) in desktop pixels.
namespace zt {

// One screen of the desktop.
struct ScreenArea {
  QRect full;       // the whole screen
  QRect available;  // the screen less its panels and docks
};

// Every screen, and which of them is the primary one.
struct Desktop {
  std::vector<ScreenArea> screens;
  int primary = 0;
};

// The screen that holds the largest part of a rectangle; the primary screen
// when the rectangle lies on none. -1 for a desktop without screens.
int ScreenHolding(const Desktop& desktop, QPoint topLeft, QSize size);

// Moves a rectangle the least way that puts it wholly inside area. One larger
// than the area keeps its top-left corner inside, so the title bar can still
// be reached.
QPoint MoveInto(QPoint topLeft, QSize size, const QRect& area);

// Where the main window goes, given its outer size.
// - Nothing stored (a first start): the design position when the whole window
//   fits there into the primary screen's available area, else the middle of
//   that area.
// - A stored top-left: moved wholly onto the available area of the screen that
//   holds the largest part of the stored rectangle, or of the primary screen
//   when it lies on none (a screen that has gone away).
QPoint PlaceMainWindow(const Desktop& desktop, std::optional<QPoint> stored, QSize frame,
                       QPoint designPosition);

// Where a window that belongs to the main window goes (a dialog, the help):
// its own place, moved wholly onto the available area of the screen that
// holds the main window.
QPoint PlaceOnScreenOf(const Desktop& desktop, const QRect& mainFrame, QPoint place, QSize frame);

}  // namespace zt
