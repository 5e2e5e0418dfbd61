#include "core/WindowPlacement.h"

#include <QStringList>

#include "core/SettingsStore.h"

namespace zt {

namespace {
constexpr int kParts = 7;
}

QString FormatWindowPlacement(const WindowPlacement& p) {
  const QRect& r = p.normal;
  return QStringList{QString::number(WindowPlacement::kMarker),
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
  if (parts.size() != kParts || parts[0] != QString::number(WindowPlacement::kMarker)) {
    return std::nullopt;
  }
  int values[kParts] = {};
  for (int i = 0; i < kParts; ++i) {
    if (!SettingsStore::ParseInteger(parts[i], values[i])) return std::nullopt;
  }
  return QPoint(values[3], values[4]);
}

}  // namespace zt
