#include "puzzles/core/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace zt {

namespace {
constexpr QImage::Format kFormat = QImage::Format_RGB32;
}

Canvas::Canvas() : screen_(MakeImage(kWidth, kHeight)) {}

int Canvas::ScaleOf(const QImage& image) {
  return std::max(1, qRound(image.devicePixelRatio()));
}

QImage Canvas::MakeImage(int w, int h, int scale) {
  scale = std::max(scale, 1);
  QImage image(std::max(w, 0) * scale, std::max(h, 0) * scale, kFormat);
  image.setDevicePixelRatio(scale);
  image.fill(qRgb(0, 0, 0));
  return image;
}

void Canvas::SetAtlas(QImage atlas, int scale) {
  scale = std::clamp(scale, 1, kMaxScale);
  atlas_ = atlas.format() == kFormat ? std::move(atlas) : atlas.convertToFormat(kFormat);
  atlas_.setDevicePixelRatio(scale);
  if (scale != scale_) {
    scale_ = scale;
    screen_ = MakeImage(kWidth, kHeight, scale);
    back_ = MakeImage(kWidth, kHeight, scale);
  }
}

void Canvas::Fit(QImage& image, int w, int h) const {
  if (ScaleOf(image) != scale_ || image.width() != w * scale_ || image.height() != h * scale_) {
    image = MakeImage(w, h, scale_);
  }
}

void Canvas::Copy(const QImage& src, int sx, int sy, int w, int h, QImage& dst, int dx, int dy) {
  if (src.isNull() || dst.isNull()) return;
  const int ss = ScaleOf(src);
  const int ds = ScaleOf(dst);
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
  w = std::min({w, src.width() / ss - sx, dst.width() / ds - dx});
  h = std::min({h, src.height() / ss - sy, dst.height() / ds - dy});
  if (w <= 0 || h <= 0) return;
  if (ss == ds && src.depth() == 32 && dst.depth() == 32) {
    const int s = ss;
    sx *= s;
    sy *= s;
    dx *= s;
    dy *= s;
    w *= s;
    h *= s;
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
  // The painter works in dst's scale-free coordinates; the source rectangle
  // is in src's pixels. Without smoothing it samples the nearest pixel.
  QPainter p(&dst);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QRectF(dx, dy, w, h), src, QRectF(sx * ss, sy * ss, w * ss, h * ss));
}

void Canvas::FillRing(QImage& dst, const QRect& r, int width, QRgb color) {
  Fill(dst, r.x(), r.y(), r.width(), width, color);
  Fill(dst, r.x(), r.y() + r.height() - width, r.width(), width, color);
  Fill(dst, r.x(), r.y(), width, r.height(), color);
  Fill(dst, r.x() + r.width() - width, r.y(), width, r.height(), color);
}

void Canvas::Fill(QImage& dst, int x, int y, int w, int h, QRgb color) {
  const int s = ScaleOf(dst);
  const QRect r = QRect(x * s, y * s, w * s, h * s).intersected(dst.rect());
  if (r.isEmpty()) return;
  if (dst.depth() == 32) {
    for (int row = r.top(); row <= r.bottom(); ++row) {
      auto* line = reinterpret_cast<QRgb*>(dst.scanLine(row)) + r.left();
      std::fill(line, line + r.width(), color);
    }
    return;
  }
  QPainter p(&dst);  // in dst's scale-free coordinates
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(QRect(x, y, w, h), QColor::fromRgb(color));
}

void Canvas::Present(const QRect& r) {
  const QRect clipped = r.intersected(QRect(0, 0, kWidth, kHeight));
  if (presenter_ && !clipped.isEmpty()) presenter_(clipped);
}

}  // namespace zt
