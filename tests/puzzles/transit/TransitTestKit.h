#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include "puzzles/transit/TransitView.h"

// Helpers for the TRANSIT screen tests. Places are written out here from the
// game's layout rather than taken from the view, so a wrong place in the view
// shows as a difference.
namespace zt::test::transit {

inline QPoint LargeAt(int m) {
  return {60 + 35 * (m % 7), 44 + 35 * (m / 7)};
}
inline QPoint SmallAt(int m) {
  return {362 + 15 * (m % 7), 44 + 15 * (m / 7)};
}
inline QRect CellRect(int x, int y) {
  return {60 + 35 * x, 44 + 35 * y, 35, 35};
}
inline QRect MiniRect(int x, int y) {
  return {362 + 15 * x, 44 + 15 * y, 15, 15};
}
inline QRect LineRect(bool row, int line) {
  return row ? QRect(60, 44 + 35 * line, 245, 35) : QRect(60 + 35 * line, 44, 35, 245);
}

// A board whose cells differ along every row and every column (kinds 0..6),
// so any turn of any line changes it.
inline void SetStaggeredBoard(TransitRules& rules) {
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 7; ++y)
      rules.TransitBoard[x][y] = static_cast<std::uint8_t>((x + 2 * y) % 7);
  }
}

// A fixed permutation that is far from the identity.
inline void SetSpreadMap(TransitRules& rules) {
  for (int k = 0; k < 21; ++k)
    rules.TransitPictureMap[k] = (8 * k + 5) % 21;
}

// Copies a w x h block of the atlas to the image.
inline void Blit(const QImage& atlas, QPoint from, QImage& image, QRect to) {
  for (int dy = 0; dy < to.height(); ++dy) {
    for (int dx = 0; dx < to.width(); ++dx)
      image.setPixel(to.x() + dx, to.y() + dy, atlas.pixel(from.x() + dx, from.y() + dy));
  }
}

// The whole play area as a fresh paint must show it: the background, the board
// through the picture map, the current pattern in small pictures.
inline QImage ExpectedPaint(const QImage& atlas, const TransitRules& rules) {
  QImage image = atlas.copy(0, 0, 500, 333).convertToFormat(QImage::Format_RGB32);
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 7; ++y) {
      Blit(atlas, LargeAt(rules.TransitPictureMap[rules.Cell(x, y)]), image, CellRect(x, y));
      Blit(atlas, SmallAt(rules.TransitPictureMap[rules.TargetCell(x, y)]), image, MiniRect(x, y));
    }
  }
  return image;
}

}  // namespace zt::test::transit
