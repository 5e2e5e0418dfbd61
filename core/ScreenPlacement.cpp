#include "core/ScreenPlacement.h"

#include <algorithm>

namespace zt {

namespace {

// Sums in 64 bits: a stored position may be anything up to the integer limits.
using Wide = long long;

Wide Overlap(Wide from, Wide length, Wide areaFrom, Wide areaLength) {
  return std::max<Wide>(0,
                        std::min(from + length, areaFrom + areaLength) - std::max(from, areaFrom));
}

Wide PartOn(const QRect& area, QPoint topLeft, QSize size) {
  return Overlap(topLeft.x(), size.width(), area.x(), area.width()) *
         Overlap(topLeft.y(), size.height(), area.y(), area.height());
}

int Into(Wide from, Wide length, Wide areaFrom, Wide areaLength) {
  from = std::min(from, areaFrom + areaLength - length);
  return static_cast<int>(std::max(from, areaFrom));
}

bool Fits(QPoint topLeft, QSize size, const QRect& area) {
  return MoveInto(topLeft, size, area) == topLeft && size.width() <= area.width() &&
         size.height() <= area.height();
}

int Primary(const Desktop& desktop) {
  const int count = static_cast<int>(desktop.screens.size());
  return desktop.primary >= 0 && desktop.primary < count ? desktop.primary : 0;
}

}  // namespace

int ScreenHolding(const Desktop& desktop, QPoint topLeft, QSize size) {
  if (desktop.screens.empty()) return -1;
  // Equal parts go to the primary screen.
  int best = Primary(desktop);
  Wide bestPart = PartOn(desktop.screens[best].full, topLeft, size);
  for (int i = 0; i < static_cast<int>(desktop.screens.size()); ++i) {
    const Wide part = PartOn(desktop.screens[i].full, topLeft, size);
    if (part > bestPart) {
      best = i;
      bestPart = part;
    }
  }
  return best;
}

QPoint MoveInto(QPoint topLeft, QSize size, const QRect& area) {
  return {Into(topLeft.x(), size.width(), area.x(), area.width()),
          Into(topLeft.y(), size.height(), area.y(), area.height())};
}

QPoint PlaceMainWindow(const Desktop& desktop, std::optional<QPoint> stored, QSize frame,
                       QPoint designPosition) {
  if (desktop.screens.empty()) return stored.value_or(designPosition);
  if (stored) {
    const int screen = ScreenHolding(desktop, *stored, frame);
    return MoveInto(*stored, frame, desktop.screens[screen].available);
  }
  const QRect area = desktop.screens[Primary(desktop)].available;
  if (Fits(designPosition, frame, area)) return designPosition;
  // Halves cut towards zero; a window larger than the area keeps its top-left
  // corner in it.
  const QPoint middle(area.x() + (area.width() - frame.width()) / 2,
                      area.y() + (area.height() - frame.height()) / 2);
  return MoveInto(middle, frame, area);
}

QPoint PlaceOnScreenOf(const Desktop& desktop, const QRect& mainFrame, QPoint place, QSize frame) {
  const int screen = ScreenHolding(desktop, mainFrame.topLeft(), mainFrame.size());
  if (screen < 0) return place;
  return MoveInto(place, frame, desktop.screens[screen].available);
}

}  // namespace zt
