#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <Qt>

#include "ui/WidgetZoom.h"

namespace zt {

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

}  // namespace zt
