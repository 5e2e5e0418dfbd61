#include "puzzles/core/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace zt {

namespace {
constexpr QImage::Format kFormat = QImage::Format_RGB32;
}

Canvas::Canvas() : screen_(MakeImage(kWidth, kHeight)) {}

QImage Canvas::MakeImage(int w, int h) {
  QImage image(std::max(w, 0), std::max(h, 0), kFormat);
  image.fill(qRgb(0, 0, 0));
  return image;
}

void Canvas::SetAtlas(QImage atlas) {
  atlas_ = atlas.format() == kFormat ? std::move(atlas) : atlas.convertToFormat(kFormat);
}

void Canvas::Copy(const QImage& src, int sx, int sy, int w, int h, QImage& dst, int dx, int dy) {
  if (src.isNull() || dst.isNull()) return;
  if (sx < 0) {
    dx -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    dy -= sy;
    h += sy;
    sy = 0;
  }
  if (dx < 0) {
    sx -= dx;
    w += dx;
    dx = 0;
  }
  if (dy < 0) {
    sy -= dy;
    h += dy;
    dy = 0;
  }
  w = std::min({w, src.width() - sx, dst.width() - dx});
  h = std::min({h, src.height() - sy, dst.height() - dy});
  if (w <= 0 || h <= 0) return;
  if (src.depth() == 32 && dst.depth() == 32) {
    const bool same = &src == &dst || src.constBits() == dst.constBits();
    const auto bytes = static_cast<std::size_t>(w) * 4;
    // Rows are walked away from the overlap when source and target share pixels.
    const bool upwards = same && dy > sy;
    for (int i = 0; i < h; ++i) {
      const int row = upwards ? h - 1 - i : i;
      const uchar* from = src.constScanLine(sy + row) + static_cast<std::size_t>(sx) * 4;
      uchar* to = dst.scanLine(dy + row) + static_cast<std::size_t>(dx) * 4;
      std::memmove(to, from, bytes);
    }
    return;
  }
  QPainter p(&dst);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(dx, dy), src, QRect(sx, sy, w, h));
}

void Canvas::Fill(QImage& dst, int x, int y, int w, int h, QRgb color) {
  const QRect r = QRect(x, y, w, h).intersected(dst.rect());
  if (r.isEmpty()) return;
  if (dst.depth() == 32) {
    for (int row = r.top(); row <= r.bottom(); ++row) {
      auto* line = reinterpret_cast<QRgb*>(dst.scanLine(row)) + r.left();
      std::fill(line, line + r.width(), color);
    }
    return;
  }
  QPainter p(&dst);
  p.fillRect(r, QColor::fromRgb(color));
}

void Canvas::Present(const QRect& r) {
  const QRect clipped = r.intersected(screen_.rect());
  if (presenter_ && !clipped.isEmpty()) presenter_(clipped);
}

}  // namespace zt
