#pragma once

#include <QRect>
#include <QString>
#include <optional>

#include "core/SettingsStore.h"

namespace zt {

// The values of section "common", as the program holds them.
struct GameSettings {
  int tongue = -1;
  int mode = 0;
  int cmode = 2;
  int bhorz = 5;
  int bvert = 3;
  int tmode = 1;
  int zmode = 1;
  bool sound = true;
  bool music = true;
};

// Reads section "common" in its fixed order and brings the variants into range.
// A mode outside 0..3 starts with CRUX, as if nothing were stored.
GameSettings ReadGameSettings(const SettingsStore& store);
// Writes the nine values in their fixed order; false if any write failed.
bool WriteGameSettings(SettingsStore& store, const GameSettings& s);

// The stored window position: "200", flags, show state, then left, top, right
// and bottom of the window's normal rectangle, joined by ",".
struct WindowPlacement {
  int flags = 0;
  int showState = 1;
  QRect normal;  // left, top, width, height
};
QString FormatWindowPlacement(const WindowPlacement& placement);
// Only the left and top are used from a stored text; nothing for a text that
// is not seven integers starting with the marker 200.
std::optional<QPoint> ParseWindowPosition(const QString& text);
// Where a window of the given size goes when its stored left and top are
// brought back: its right and bottom edges are kept on the screen, the left
// and top are not limited.
QPoint ClampWindowPosition(QPoint stored, QSize window, QSize screen);

}  // namespace zt
