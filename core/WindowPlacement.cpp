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
