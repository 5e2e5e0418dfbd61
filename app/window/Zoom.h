#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <Qt>

class QWidget;

namespace zt {

// The window can be shown enlarged by a whole factor, 1 up to kMaxZoom.
inline constexpr int kMaxZoom = 4;

// The scale the play area is composed at for a zoom on a screen of the given
// device pixel ratio: the nearest whole factor, 1 to 3. Above 3 the composed
// 3x picture is enlarged pixel by pixel when it is shown.
int ArtworkScale(int zoom, double devicePixelRatio);

// The largest zoom at which a window of client size base, with frame the
// window system's border around it, fits into available (at least 1).
int LargestZoom(QSize available, QSize base, QSize frame = QSize());
// A stored or wanted zoom brought into 1..largest.
int ClampZoom(int zoom, int largest);

// The play-area pixel under a point of the zoomed play area: every one of the
// zoom x zoom widget pixels showing a play-area pixel maps back to it.
QPoint ToPlayArea(QPointF zoomedPoint, int zoom);

// The zoom commands of the keyboard.
enum class ZoomCommand { None, In, Out, Reset };
// Ctrl+Plus and Ctrl+= enlarge, Ctrl+Minus shrinks, Ctrl+0 returns to 1x
// (the keypad's keys too); anything else is no zoom command.
ZoomCommand ZoomKey(int key, Qt::KeyboardModifiers modifiers);
// The zoom after a command, kept within 1..largest.
int ApplyZoom(int zoom, ZoomCommand command, int largest);

// Sets root's own size and every widget inside it to zoom times the geometry,
// font size and icon size it had at 1x (noted on the first call).
void ZoomWidgetTree(QWidget* root, int zoom);

}  // namespace zt
