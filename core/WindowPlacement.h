#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

namespace zt {

// The stored window position: "200", flags, show state, then left, top, right
// and bottom of the window's normal rectangle, joined by ",".
struct WindowPlacement {
  static constexpr int kMarker = 200;  // the first part of every stored text
  static constexpr int kShown = 1;     // show states
  static constexpr int kMinimized = 2;

  int flags = 0;
  int showState = kShown;
  QRect normal;  // left, top, width, height
};
QString FormatWindowPlacement(const WindowPlacement& placement);
// Only the left and top are used from a stored text; nothing for a text that
// is not seven integers starting with the marker 200.
// Where the window then goes on the screens: PlaceMainWindow (ScreenPlacement.h).
std::optional<QPoint> ParseWindowPosition(const QString& text);

}  // namespace zt
