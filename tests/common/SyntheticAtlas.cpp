#include "tests/common/SyntheticAtlas.h"

namespace zt::test {

QImage MakeSyntheticAtlas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      line[x] = qRgb(x & 0xff, y & 0xff, 0x80 | ((x >> 8) << 3) | (y >> 8));
    }
  }
  return image;
}

QPoint SyntheticOrigin(QRgb colour) {
  const int b = qBlue(colour);
  if ((b & 0x80) == 0) return {-1, -1};
  return {qRed(colour) | (((b >> 3) & 0x0f) << 8), qGreen(colour) | ((b & 0x07) << 8)};
}

QString FirstDifference(const QImage& actual, const QImage& expected, QRect rect) {
  if (actual.size() != expected.size()) {
    return QString("size %1x%2, expected %3x%4")
        .arg(actual.width())
        .arg(actual.height())
        .arg(expected.width())
        .arg(expected.height());
  }
  if (rect.isNull()) rect = actual.rect();
  const QImage a = actual.convertToFormat(QImage::Format_RGB32);
  const QImage e = expected.convertToFormat(QImage::Format_RGB32);
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QRgb pa = a.pixel(x, y) & 0xffffff;
      const QRgb pe = e.pixel(x, y) & 0xffffff;
      if (pa != pe) {
        const QPoint oa = SyntheticOrigin(pa);
        const QPoint oe = SyntheticOrigin(pe);
        return QString("pixel (%1, %2) is #%3 (atlas %4,%5), expected #%6 (atlas %7,%8)")
            .arg(x)
            .arg(y)
            .arg(pa, 6, 16, QChar('0'))
            .arg(oa.x())
            .arg(oa.y())
            .arg(pe, 6, 16, QChar('0'))
            .arg(oe.x())
            .arg(oe.y());
      }
    }
  }
  return {};
}

}  // namespace zt::test
