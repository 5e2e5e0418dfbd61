#include "core/GameSettings.h"

#include <QStringList>
#include <algorithm>

namespace zt {

namespace {
const QString kCommon = QStringLiteral("common");
}

GameSettings ReadGameSettings(const SettingsStore& store) {
  GameSettings s;
  s.tongue = store.ReadInteger(kCommon, "tongue", -1);
  // The mode is kept in a byte, like the puzzle number it is.
  s.mode = store.ReadInteger(kCommon, "mode", 0) & 0xff;
  if (s.mode > 3) s.mode = 0;
  s.cmode = std::clamp(store.ReadInteger(kCommon, "cmode", 2), 1, 16);
  s.bhorz = std::clamp(store.ReadInteger(kCommon, "bhorz", 5), 3, 7);
  s.bvert = std::clamp(store.ReadInteger(kCommon, "bvert", 3), 2, 5);
  s.tmode = std::clamp(store.ReadInteger(kCommon, "tmode", 1), 1, 22);
  s.zmode = std::clamp(store.ReadInteger(kCommon, "zmode", 1), 1, 5);
  s.sound = store.ReadBool(kCommon, "sound", true);
  s.music = store.ReadBool(kCommon, "music", true);
  return s;
}

bool WriteGameSettings(SettingsStore& store, const GameSettings& s) {
  bool ok = store.WriteInteger(kCommon, "mode", s.mode);
  ok = store.WriteInteger(kCommon, "cmode", s.cmode) && ok;
  ok = store.WriteInteger(kCommon, "bhorz", s.bhorz) && ok;
  ok = store.WriteInteger(kCommon, "bvert", s.bvert) && ok;
  ok = store.WriteInteger(kCommon, "tmode", s.tmode) && ok;
  ok = store.WriteInteger(kCommon, "zmode", s.zmode) && ok;
  ok = store.WriteBool(kCommon, "sound", s.sound) && ok;
  ok = store.WriteBool(kCommon, "music", s.music) && ok;
  ok = store.WriteInteger(kCommon, "tongue", s.tongue) && ok;
  return ok;
}

QString FormatWindowPlacement(const WindowPlacement& p) {
  const QRect& r = p.normal;
  return QStringList{"200",
                     QString::number(p.flags),
                     QString::number(p.showState),
                     QString::number(r.left()),
                     QString::number(r.top()),
                     QString::number(r.left() + r.width()),
                     QString::number(r.top() + r.height())}
      .join(',');
}

std::optional<QPoint> ParseWindowPosition(const QString& text) {
  const QStringList parts = text.split(',');
  if (parts.size() != 7 || parts[0] != "200") return std::nullopt;
  int values[7] = {};
  for (int i = 0; i < 7; ++i) {
    if (!SettingsStore::ParseInteger(parts[i], values[i])) return std::nullopt;
  }
  return QPoint(values[3], values[4]);
}

QPoint ClampWindowPosition(QPoint stored, QSize window, QSize screen) {
  QPoint p = stored;
  // 64-bit sums: a stored left near the integer limit must not wrap around.
  if (static_cast<long long>(p.x()) + window.width() > screen.width()) {
    p.setX(screen.width() - window.width());
  }
  if (static_cast<long long>(p.y()) + window.height() > screen.height()) {
    p.setY(screen.height() - window.height());
  }
  return p;
}

}  // namespace zt
