#include "assets/common/ArtKit.h"

#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>
#include <random>

namespace zt::art {

int RunGenerator(int argc, char** argv, const std::function<bool(const QDir&)>& body) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(".")) {
    std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
    return 1;
  }
  return body(dir) ? 0 : 1;
}

bool SaveBmp(const QImage& image, const QString& path) {
  if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool SavePng(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

QString ScaledFileName(const QString& stem, int scale, const QString& ext1x) {
  return scale == 1 ? stem + ext1x : QString("%1@%2x.png").arg(stem).arg(scale);
}

bool SaveScaled(const QImage& image, const QDir& out, const QString& stem, const QString& ext1x) {
  const int scale = ScaleOf(image);
  const QString path = out.filePath(ScaledFileName(stem, scale, ext1x));
  return scale == 1 && ext1x == ".bmp" ? SaveBmp(image, path) : SavePng(image, path);
}

bool SaveBytes(const QByteArray& bytes, const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

QImage NewImage(int width, int height, QColor fill, int scale) {
  QImage image(width * scale, height * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(fill);
  return image;
}

int ScaleOf(const QImage& image) {
  return qRound(image.devicePixelRatio());
}

int ScaleOf(const QPainter& p) {
  return qRound(p.device()->devicePixelRatio());
}

QRect ToDevice(const QRect& r, int scale) {
  return {r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale};
}

QRect LayoutRect(const QImage& image) {
  const int scale = ScaleOf(image);
  return {0, 0, image.width() / scale, image.height() / scale};
}

namespace {

// Where a rectangle of layout pixels lands on the painter's device.
QRect DeviceRectOf(const QPainter& p, const QRect& r) {
  const QRectF d = p.deviceTransform().mapRect(QRectF(r.x(), r.y(), r.width(), r.height()));
  return {qRound(d.x()), qRound(d.y()), qRound(d.width()), qRound(d.height())};
}

// Fills device rectangles with the painter's transform undone, so that each
// lands on whole device pixels.
class DeviceFiller {
 public:
  explicit DeviceFiller(QPainter& p) : p_(p), toPainter_(p.deviceTransform().inverted()) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, false);
  }
  ~DeviceFiller() { p_.restore(); }
  DeviceFiller(const DeviceFiller&) = delete;
  DeviceFiller& operator=(const DeviceFiller&) = delete;

  void Fill(const QRect& device, const QColor& colour) {
    if (device.isEmpty()) return;
    p_.fillRect(toPainter_.mapRect(QRectF(device)), colour);
  }

 private:
  QPainter& p_;
  QTransform toPainter_;
};

}  // namespace

void FillDevice(QPainter& p, const QRect& device, const QColor& colour) {
  DeviceFiller(p).Fill(device, colour);
}

void PixelLine(QPainter& p, QPoint a, QPoint b, const QColor& colour) {
  const QRect pixels = QRect(a, b).normalized();
  DeviceFiller(p).Fill(DeviceRectOf(p, pixels), colour);
}

void PixelFrame(QPainter& p, const QRect& r, const QColor& colour) {
  const int l = r.left(), t = r.top(), rr = r.left() + r.width(), bb = r.top() + r.height();
  // Each pixel once, so that a translucent colour lies evenly.
  DeviceFiller fill(p);
  fill.Fill(DeviceRectOf(p, QRect(QPoint(l, t), QPoint(rr, t))), colour);
  fill.Fill(DeviceRectOf(p, QRect(QPoint(l, bb), QPoint(rr, bb))), colour);
  fill.Fill(DeviceRectOf(p, QRect(QPoint(l, t + 1), QPoint(l, bb - 1))), colour);
  fill.Fill(DeviceRectOf(p, QRect(QPoint(rr, t + 1), QPoint(rr, bb - 1))), colour);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()));
}

void DrawBevel(QPainter& p, const QRect& r, const QColor& base, int depth, bool raised) {
  const QColor light = Mix(base, Qt::white, 0.55);
  const QColor dark = Mix(base, Qt::black, 0.55);
  const QColor& tl = raised ? light : dark;
  const QColor& br = raised ? dark : light;
  const int scale = ScaleOf(p);
  const QRect device = DeviceRectOf(p, r);
  DeviceFiller fill(p);
  // Each device ring takes the shade of its depth in layout pixels, so at 1x
  // ring i fades by i / (depth - 1) and larger scales run smoothly between.
  for (int j = 0; j < depth * scale; ++j) {
    const double ring = std::clamp((j + 0.5) / scale - 0.5, 0.0, depth - 1.0);
    const double fade = depth > 1 ? 0.35 * ring / (depth - 1) : 0.0;
    const QColor a = Mix(tl, base, fade);
    const QColor b = Mix(br, base, fade);
    const int l = device.left() + j, t = device.top() + j;
    const int rr = device.right() - j, bb = device.bottom() - j;
    // Light along the top and left, the two far corners going with the dark.
    fill.Fill(QRect(QPoint(l, t), QPoint(rr - 1, t)), a);
    fill.Fill(QRect(QPoint(l, t + 1), QPoint(l, bb - 1)), a);
    fill.Fill(QRect(QPoint(l, bb), QPoint(rr, bb)), b);
    fill.Fill(QRect(QPoint(rr, t), QPoint(rr, bb)), b);
  }
}

void FillVertical(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(r, g);
}

void AddGrain(QImage& image, const QRect& r, int strength, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> noise(-strength, strength);
  const QRect area = ToDevice(r, ScaleOf(image)).intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      const int n = noise(gen);
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                     std::clamp(qBlue(c) + n, 0, 255));
    }
  }
}

void DrawWalnutTable(QImage& image) {
  const QRect area(0, 0, 500, 333);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  FillVertical(p, area, QColor(86, 52, 30), QColor(52, 30, 18));
  p.setPen(QPen(QColor(40, 22, 12, 60), 1));
  for (int i = 0; i < 14; ++i) {
    const int y = 8 + i * 24 + (i % 3) * 5;
    QPainterPath streak;
    streak.moveTo(0, y);
    streak.cubicTo(160, y + 6, 330, y - 6, area.width(), y + 3);
    p.drawPath(streak);
  }
  p.end();
  AddGrain(image, area, 6, 3);
}

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic) {
  QFont f(family);
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

QImage RenderAtScale(QSize grid, int scale, const std::function<void(QPainter&)>& paint) {
  QImage image(grid * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(scale, scale);
  paint(p);
  return image;
}

bool SaveAtScales(const QDir& out, const QString& base, QSize grid,
                  const std::function<void(QPainter&)>& paint) {
  for (int scale : kScales) {
    if (!SavePng(RenderAtScale(grid, scale, paint), out.filePath(ScaledFileName(base, scale))))
      return false;
  }
  return true;
}

void DrawShadowText(QPainter& p, const QRect& r, const QString& text, const QColor& colour,
                    const QColor& shadow, int flags) {
  p.setPen(shadow);
  p.drawText(r.translated(1, 1), flags, text);
  p.setPen(colour);
  p.drawText(r, flags, text);
}

}  // namespace zt::art
