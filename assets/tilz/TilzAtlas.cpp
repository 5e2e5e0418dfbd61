// Draws "b2.bmp", the TILZ atlas (610 x 333):
// - (0, 0, 500, 333): the play area: a walnut table, a mitred wooden frame round
//   the 6 x 5 board well, a small framed preview of the board on the right, a
//   level badge and a name plaque;
// - (500, 0, 55, 260) and (555, 0, 55, 260): the left and right wall strips of
//   the narrow levels, cut from the same picture with wall blocks set into the
//   outer board columns, so they join the frame without a seam;
// - inside the board well, which every full paint covers: the plates (a whole
//   plate is drawn as one picture; the game cuts it into cells), the black free
//   cell, the 20 x 20 target marker and the preview with all six columns open.
// Every plate picture has a black outermost pixel ring, and the pixels just
// round the well are black, so a bumped or slid plate leaves the same picture
// as a fresh paint. Drawn at 1x into "b2.bmp" and at 2x and 3x into
// "b2@2x.png" and "b2@3x.png", every layout pixel s x s device pixels.
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

constexpr int kWidth = 610;
constexpr int kHeight = 333;
constexpr int kPlayWidth = 500;

const QRect kFrame(22, 22, 338, 288);      // outer edge of the wooden frame
const QRect kLip(36, 36, 310, 260);        // sunken lip round the well
const QRect kNarrowLip(86, 36, 210, 260);  // lip round the middle four columns
const QRect kLeftStrip(36, 36, 55, 260);
const QRect kRightStrip(291, 36, 55, 260);
const QRect kPreviewPlace(385, 36, 70, 60);
const QRect kMount(371, 22, 98, 88);  // wooden mount behind the preview

// ---------------------------------------------------------------- textures --

double Hash(int x, int y, unsigned seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffu) / 65535.0;
}

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

// Smooth value noise in 0..1.
double Noise(double x, double y, unsigned seed) {
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  const double fx = Smooth(x - ix);
  const double fy = Smooth(y - iy);
  const double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
  const double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fbm(double x, double y, unsigned seed) {
  return 0.55 * Noise(x, y, seed) + 0.3 * Noise(2 * x, 2 * y, seed + 1) +
         0.15 * Noise(4 * x, 4 * y, seed + 2);
}

QColor Lerp(const QColor& a, const QColor& b, double t) {
  return Mix(a, b, std::clamp(t, 0.0, 1.0));
}

struct Wood {
  QColor light;
  QColor dark;
  double contrast;
};

// Wood with its grain running along x (horizontal) or along y; (x, y) are
// picture coordinates, so one board of wood keeps its grain across cells.
QColor WoodAt(const Wood& wood, double x, double y, bool horizontal, unsigned seed) {
  const double along = horizontal ? x : y;
  const double across = horizontal ? y : x;
  const double warp = 6.0 * Fbm(along * 0.012, across * 0.03, seed);
  const double rings = 0.5 + 0.5 * std::sin((across + warp) * 0.75);
  const double fibres = Noise(along * 0.35, across * 1.6, seed + 7);
  const double blotch = Fbm(along * 0.02, across * 0.05, seed + 13);
  const double v = 0.5 * std::pow(rings, 3.0) + 0.25 * fibres + 0.35 * blotch;
  return Lerp(wood.light, wood.dark, v * wood.contrast);
}

// ------------------------------------------------------------ rounded body --

double RoundedBoxDistance(double px, double py, const QRectF& r, double radius) {
  const double qx = std::abs(px - r.center().x()) - (r.width() / 2 - radius);
  const double qy = std::abs(py - r.center().y()) - (r.height() / 2 - radius);
  const double ox = std::max(qx, 0.0);
  const double oy = std::max(qy, 0.0);
  return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0) - radius;
}

// How much a point on the edge of a rounded box faces the light from the top
// left: +1 on the top and left sides, -1 on the bottom and right.
double Facing(double px, double py, const QRectF& r, double radius) {
  const double e = 0.5;
  const double gx =
      RoundedBoxDistance(px + e, py, r, radius) - RoundedBoxDistance(px - e, py, r, radius);
  const double gy =
      RoundedBoxDistance(px, py + e, r, radius) - RoundedBoxDistance(px, py - e, r, radius);
  const double len = std::hypot(gx, gy);
  if (len < 1e-9) return 0;
  return -(gx + gy) / (len * std::sqrt(2.0));
}

// ------------------------------------------------------------------ plates --

enum class Material { Jade, Amber, Cherry, Ivory };

QColor MaterialAt(Material m, double x, double y, int w, int h) {
  switch (m) {
    case Material::Jade: {
      // Green stone with soft clouds and a few paler veins.
      const double cloud = Fbm(x * 0.045, y * 0.045, 31);
      const double vein =
          std::abs(std::sin((x * 0.6 + y + 18 * Fbm(x * 0.03, y * 0.03, 37)) * 0.12));
      QColor c = Lerp(QColor(86, 178, 96), QColor(24, 104, 52), cloud * 0.9 + y / h * 0.35);
      return Lerp(c, QColor(170, 226, 160), std::pow(1 - vein, 14) * 0.45);
    }
    case Material::Amber:
      return WoodAt({QColor(226, 166, 84), QColor(150, 90, 36), 0.85}, x, y, true, 41);
    case Material::Cherry:
      return WoodAt({QColor(184, 82, 54), QColor(104, 34, 22), 0.85}, x, y, false, 53);
    case Material::Ivory: {
      const double lines = Noise(x * 0.3, y * 2.2, 61);
      return Lerp(Lerp(QColor(246, 234, 204), QColor(214, 194, 152), y / h * 0.8 + x / w * 0.2),
                  QColor(196, 176, 136), lines * 0.35);
    }
  }
  return Qt::gray;
}

struct PlateStyle {
  Material material;
  double groove;  // inset of the carved line round the face
};

QColor Shade(const QColor& c, double amount) {
  return amount >= 0 ? Lerp(c, QColor(255, 250, 230), amount) : Lerp(c, QColor(10, 6, 4), -amount);
}

// The layout position of the centre of device pixel i at a scale.
double Centre(int i, int scale) {
  return (i + 0.5) / scale;
}

// One whole plate, w x h layout pixels at a scale: black outer pixel ring, a
// rounded, bevelled body, a carved groove and the plate's own ornament.
QImage DrawPlate(int w, int h, const PlateStyle& style, int scale) {
  QImage img = NewImage(w, h, Qt::black, scale);
  const QRectF body(1, 1, w - 2, h - 2);
  const double radius = 5;
  const QRectF groove = body.adjusted(style.groove, style.groove, -style.groove, -style.groove);
  const double grooveRadius = 3;
  constexpr double kBevel = 4.0;

  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const double px = Centre(x, scale);
      const double py = Centre(y, scale);
      const double d = RoundedBoxDistance(px, py, body, radius);
      // The edge is smoothed over one device pixel.
      const double cover = std::clamp(0.5 - d * scale, 0.0, 1.0);
      if (cover <= 0) continue;
      QColor c = MaterialAt(style.material, px, py, w, h);
      // A gentle dome: lighter towards the top left of the face.
      c = Shade(c, 0.10 - 0.22 * (px / w * 0.4 + py / h * 0.6));
      const double depth = -d;
      if (depth < kBevel) {
        const double f = Facing(px, py, body, radius);
        const double t = std::pow(1 - depth / kBevel, 1.3);
        c = Shade(c, (f > 0 ? 0.62 : 0.7) * f * t);
      }
      // The groove: a carved line whose top-left wall lies in shadow.
      const double g = RoundedBoxDistance(px, py, groove, grooveRadius);
      if (std::abs(g) < 1.6) {
        const double f = Facing(px, py, groove, grooveRadius);
        const double t = 1 - std::abs(g) / 1.6;
        c = Shade(c, (g < 0 ? 0.45 * f : -0.55 * f - 0.15) * t);
      }
      line[x] = Lerp(QColor(0, 0, 0), c, cover).rgb();
    }
  }
  return img;
}

// A round brass stud with a highlight.
void DrawStud(QPainter& p, QPointF centre, double r, const QColor& brass) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawEllipse(centre + QPointF(0.8, 1.0), r + 0.6, r + 0.6);
  QRadialGradient g(centre - QPointF(r * 0.35, r * 0.4), r * 1.4);
  g.setColorAt(0, Mix(brass, Qt::white, 0.6));
  g.setColorAt(0.45, brass);
  g.setColorAt(1, Mix(brass, Qt::black, 0.5));
  p.setBrush(g);
  p.drawEllipse(centre, r, r);
}

QImage BigPlate(int scale) {
  const QColor gold(214, 170, 70);
  QImage img = DrawPlate(100, 100, {Material::Jade, 8}, scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A gold inlay line inside the groove and a gold rosette in the middle.
  p.setPen(QPen(Mix(gold, Qt::black, 0.15), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(13.5, 13.5, 73, 73), 3, 3);
  const QPointF c(50, 50);
  QPainterPath diamond;
  diamond.moveTo(c + QPointF(0, -17));
  diamond.lineTo(c + QPointF(17, 0));
  diamond.lineTo(c + QPointF(0, 17));
  diamond.lineTo(c + QPointF(-17, 0));
  diamond.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 30, 10, 110));
  p.drawPath(diamond.translated(1, 1.5));
  QLinearGradient goldFill(c - QPointF(12, 12), c + QPointF(12, 12));
  goldFill.setColorAt(0, Mix(gold, Qt::white, 0.45));
  goldFill.setColorAt(0.5, gold);
  goldFill.setColorAt(1, Mix(gold, Qt::black, 0.45));
  p.setBrush(goldFill);
  p.drawPath(diamond);
  QPainterPath inner;
  inner.moveTo(c + QPointF(0, -10));
  inner.lineTo(c + QPointF(10, 0));
  inner.lineTo(c + QPointF(0, 10));
  inner.lineTo(c + QPointF(-10, 0));
  inner.closeSubpath();
  QLinearGradient stone(c - QPointF(8, 8), c + QPointF(8, 8));
  stone.setColorAt(0, QColor(24, 96, 46));
  stone.setColorAt(1, QColor(120, 200, 120));
  p.setBrush(stone);
  p.drawPath(inner);
  DrawStud(p, c, 3, gold);
  for (const QPointF corner : {QPointF(21, 21), QPointF(79, 21), QPointF(21, 79), QPointF(79, 79)})
    DrawStud(p, corner, 2.3, gold);
  return img;
}

QImage WidePlate(int scale) {
  const QColor brass(200, 160, 90);
  QImage img = DrawPlate(100, 50, {Material::Amber, 6}, scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawStud(p, QPointF(15.5, 25), 3, brass);
  DrawStud(p, QPointF(84.5, 25), 3, brass);
  return img;
}

QImage TallPlate(int scale) {
  const QColor brass(206, 168, 96);
  QImage img = DrawPlate(50, 100, {Material::Cherry, 6}, scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawStud(p, QPointF(25, 15.5), 3, brass);
  DrawStud(p, QPointF(25, 84.5), 3, brass);
  return img;
}

QImage SmallPlate(int scale) {
  const QColor brass(176, 132, 70);
  QImage img = DrawPlate(50, 50, {Material::Ivory, 6}, scale);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawStud(p, QPointF(25, 25), 3.5, brass);
  return img;
}

// ------------------------------------------------------------- background --

const Wood kFrameWood{QColor(172, 116, 62), QColor(112, 68, 34), 0.8};
const Wood kWallWood{QColor(120, 76, 42), QColor(66, 38, 20), 0.8};

// The colour of a list of one-pixel rings at device ring j of a scale: ring i
// at 1x, and at larger scales a smooth run between neighbouring rings.
QColor RingColour(const std::vector<QColor>& rings, int j, int scale) {
  const double at = std::clamp((j + 0.5) / scale - 0.5, 0.0, rings.size() - 1.0);
  const auto i = static_cast<std::size_t>(at);
  const double t = at - i;
  return t == 0 ? rings[i] : Lerp(rings[i], rings[i + 1], t);
}

// Rings of a bevel, outermost first, one layout pixel each: each ring's top
// and left sides take one colour, its bottom and right sides the other,
// mitred at the corners.
void DrawRings(QImage& img, const QRect& r, const std::vector<QColor>& topLeft,
               const std::vector<QColor>& bottomRight) {
  const int scale = ScaleOf(img);
  const QRect device = ToDevice(r, scale);
  const int rings = static_cast<int>(topLeft.size()) * scale;
  for (int j = 0; j < rings; ++j) {
    const QRect ring = device.adjusted(j, j, -j, -j);
    const QColor light = RingColour(topLeft, j, scale);
    const QColor shade = RingColour(bottomRight, j, scale);
    auto set = [&](int x, int y) {
      // The two corners where light meets shade go with the lit side.
      const bool lower = (x == ring.right() || y == ring.bottom()) &&
                         !(x == ring.right() && y == ring.top()) &&
                         !(x == ring.left() && y == ring.bottom());
      img.setPixelColor(x, y, lower ? shade : light);
    };
    for (int x = ring.left(); x <= ring.right(); ++x) {
      set(x, ring.top());
      set(x, ring.bottom());
    }
    for (int y = ring.top() + 1; y < ring.bottom(); ++y) {
      set(ring.left(), y);
      set(ring.right(), y);
    }
  }
}

// A mitred wooden frame between outer and inner: the grain follows each rail,
// the outer edge is bevelled, and a faint seam marks each mitre. A null inner
// rectangle gives a solid panel with its grain running across.
void DrawFrame(QImage& img, const QRect& outer, const QRect& inner, const Wood& wood, unsigned seed,
               double cornerRadius) {
  const QRectF o(outer);
  const bool panel = inner.isNull();
  const int scale = ScaleOf(img);
  const QRect out = ToDevice(outer, scale);
  const QRect in = panel ? QRect() : ToDevice(inner, scale);
  for (int y = out.top(); y <= out.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = out.left(); x <= out.right(); ++x) {
      if (!panel && in.contains(x, y)) continue;
      const double px = Centre(x, scale);
      const double py = Centre(y, scale);
      const double d = RoundedBoxDistance(px, py, o, cornerRadius);
      const double cover = std::clamp(0.5 - d * scale, 0.0, 1.0);
      if (cover <= 0) continue;
      const int side = std::min(x - out.left(), out.right() - x);
      const int end = std::min(y - out.top(), out.bottom() - y);
      const bool horizontalRail = panel || end <= side;
      QColor c = WoodAt(wood, px, py, horizontalRail, seed + (horizontalRail ? 0 : 5));
      if (!panel && side == end) c = Mix(c, Qt::black, 0.3);
      const double depth = -d;
      if (depth < 5) c = Shade(c, 0.42 * Facing(px, py, o, cornerRadius) * (1 - depth / 5));
      if (!panel) {
        // A soft shadow where the frame drops to the lip, over its two
        // nearest layout pixels.
        const int dx = std::max({in.left() - x, x - in.right(), 0});
        const int dy = std::max({in.top() - y, y - in.bottom(), 0});
        const double toInner = (std::max(dx, dy) - 0.5) / scale + 0.5;
        if (toInner < 2.5) {
          const bool farSide = x > in.right() || y > in.bottom();
          c = Shade(c, (farSide ? 0.12 : -0.2) * (3 - toInner) / 3.0);
        }
      }
      const QColor under = QColor::fromRgb(line[x]);
      line[x] = Lerp(under, c, cover).rgb();
    }
  }
}

// The sunken lip round a well: four pixels falling into shadow, then a black
// pixel ring, then the black well itself.
void DrawLip(QImage& img, const QRect& lip) {
  DrawRings(img, lip,
            {QColor(64, 38, 20), QColor(48, 28, 14), QColor(34, 20, 10), QColor(20, 12, 6)},
            {QColor(176, 124, 74), QColor(138, 94, 54), QColor(96, 62, 34), QColor(52, 32, 16)});
  QPainter p(&img);
  p.fillRect(lip.adjusted(4, 4, -4, -4), Qt::black);
}

// A block of dark wood set into an outer column of the board for the narrow
// levels, with a fluted panel and brass pins.
void DrawWallBlock(QImage& img, const QRect& block) {
  const int scale = ScaleOf(img);
  const QRect device = ToDevice(block, scale);
  for (int y = device.top(); y <= device.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = device.left(); x <= device.right(); ++x) {
      line[x] =
          WoodAt(kWallWood, Centre(x, scale), Centre(y, scale), false, 71 + block.left()).rgb();
    }
  }
  const QColor base = kWallWood.light;
  DrawRings(img, block, {Shade(base, 0.35), Shade(base, 0.2), Shade(base, 0.08)},
            {Shade(base, -0.55), Shade(base, -0.4), Shade(base, -0.2)});
  const QRect panel = block.adjusted(8, 14, -8, -14);
  DrawRings(img, panel, {Shade(base, -0.6), Shade(base, -0.4)},
            {Shade(base, 0.3), Shade(base, 0.15)});
  // Three flutes down the panel: carved channels, shadowed on their left.
  const int inner = panel.width() - 4;
  for (int k = 0; k < 3; ++k) {
    const int left = (panel.left() + 2 + (inner * k) / 3 + 2) * scale;
    const int right = (panel.left() + 2 + (inner * (k + 1)) / 3 - 3 + 1) * scale - 1;
    const int top = (panel.top() + 5) * scale;
    const int bottom = (panel.bottom() - 5 + 1) * scale - 1;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        const double t = (x - left + 0.5) / (right - left + 1);  // across the flute
        const QColor under = img.pixelColor(x, y);
        const double light = -0.55 * (1 - t) + 0.25 * t * t;
        img.setPixelColor(x, y, Shade(under, light));
      }
    }
  }
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double cx = block.center().x() + 0.5;
  DrawStud(p, QPointF(cx, block.top() + 7.5), 2.6, QColor(196, 156, 84));
  DrawStud(p, QPointF(cx, block.bottom() - 6.5), 2.6, QColor(196, 156, 84));
}

// The board in miniature, 10 pixels a cell; the outer columns walled off for
// the narrow levels.
QImage DrawPreview(bool walled, int scale) {
  QImage img = NewImage(kPreviewPlace.width(), kPreviewPlace.height(), Qt::black, scale);
  const QRect cells(5, 5, 60, 50);
  const QRect device = ToDevice(cells, scale);
  for (int y = device.top(); y <= device.bottom(); ++y) {
    for (int x = device.left(); x <= device.right(); ++x) {
      // The lines between the cells are one layout pixel wide.
      const int cx = (x / scale - cells.left()) % 10;
      const int cy = (y / scale - cells.top()) % 10;
      QColor c(22, 16, 12);
      if (cx == 0 || cy == 0) c = QColor(58, 42, 30);
      img.setPixelColor(x, y, c);
    }
  }
  if (walled) {
    for (const int left : {cells.left(), cells.right() - 9}) {
      const QRect wall = ToDevice(QRect(left, cells.top(), 10, cells.height()), scale);
      for (int y = wall.top(); y <= wall.bottom(); ++y) {
        for (int x = wall.left(); x <= wall.right(); ++x) {
          // Sampled where the layout pixels' corners fall at 1x.
          const double wx = Centre(x, scale) - 0.5, wy = Centre(y, scale) - 0.5;
          img.setPixelColor(x, y, WoodAt(kWallWood, wx * 3.0, wy * 3.0, false, 83));
        }
      }
    }
  }
  DrawRings(img, LayoutRect(img),
            {QColor(78, 48, 24), QColor(60, 36, 18), QColor(46, 28, 14), QColor(34, 20, 10),
             QColor(22, 14, 8)},
            {QColor(186, 134, 80), QColor(150, 104, 60), QColor(116, 78, 42), QColor(82, 52, 28),
             QColor(48, 30, 16)});
  return img;
}

// The target marker: the big plate in miniature.
QImage DrawMarker(int scale) {
  QImage img = NewImage(20, 20, Qt::black, scale);
  const QRectF body(1, 1, 18, 18);
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const double px = Centre(x, scale), py = Centre(y, scale);
      const double d = RoundedBoxDistance(px, py, body, 2.5);
      const double cover = std::clamp(0.5 - d * scale, 0.0, 1.0);
      if (cover <= 0) continue;
      QColor c = MaterialAt(Material::Jade, px * 5, py * 5, 100, 100);
      if (-d < 2) c = Shade(c, 0.6 * Facing(px, py, body, 2.5) * (1 + d / 2));
      img.setPixelColor(x, y, Lerp(Qt::black, c, cover));
    }
  }
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath diamond;
  diamond.moveTo(10, 5.5);
  diamond.lineTo(14.5, 10);
  diamond.lineTo(10, 14.5);
  diamond.lineTo(5.5, 10);
  diamond.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(222, 180, 80));
  p.drawPath(diamond);
  return img;
}

void DrawNameAndBadge(QImage& img) {
  // The level number is written by the game over the cream badge, left-aligned
  // at x 450 in large italic figures.
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect plaque(366, 236, 120, 90);
  p.end();
  DrawFrame(img, plaque, QRect(), kFrameWood, 91, 10);
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 34, 16), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(plaque).adjusted(0.75, 0.75, -0.75, -0.75), 10, 10);

  const QRectF badge(443, 241, 37, 34);
  QPainterPath badgePath;
  badgePath.addRoundedRect(badge, 6, 6);
  p.setPen(QPen(QColor(70, 40, 18), 1.5));
  QLinearGradient cream(badge.topLeft(), badge.bottomLeft());
  cream.setColorAt(0, QColor(250, 238, 206));
  cream.setColorAt(1, QColor(222, 198, 150));
  p.setBrush(cream);
  p.drawPath(badgePath);

  p.setFont(PixelFont("DejaVu Sans", 12, true));
  DrawShadowText(p, QRect(372, 247, 68, 22), "LEVEL", QColor(250, 232, 190), QColor(60, 32, 14),
                 Qt::AlignRight | Qt::AlignVCenter);
  p.setPen(QPen(QColor(90, 52, 24), 1));
  p.drawLine(QPointF(376, 280.5), QPointF(476, 280.5));
  p.setPen(QPen(QColor(214, 160, 100, 140), 1));
  p.drawLine(QPointF(376, 281.5), QPointF(476, 281.5));
  p.setFont(PixelFont("DejaVu Serif", 32, true));
  DrawShadowText(p, QRect(366, 282, 120, 40), "TILZ", QColor(250, 232, 190), QColor(60, 32, 14));
}

QImage DrawPlayArea(int scale) {
  QImage img = NewImage(kWidth, kHeight, Qt::black, scale);
  DrawWalnutTable(img);
  // Drop shadows under the frame and the preview mount.
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
      p.setBrush(QColor(0, 0, 0, 22));
      p.drawRoundedRect(QRectF(kFrame).translated(2, 3).adjusted(-i, -i, i, i), 9 + i, 9 + i);
      p.drawRoundedRect(QRectF(kMount).translated(2, 3).adjusted(-i, -i, i, i), 7 + i, 7 + i);
    }
  }
  DrawFrame(img, kFrame, kLip, kFrameWood, 11, 8);
  DrawLip(img, kLip);
  DrawFrame(img, kMount, kPreviewPlace, kFrameWood, 23, 6);
  DrawNameAndBadge(img);
  const QImage preview = DrawPreview(true, scale);
  QPainter p(&img);
  p.drawImage(kPreviewPlace.topLeft(), preview);
  return img;
}

QImage DrawAtlas(int scale) {
  QImage atlas = DrawPlayArea(scale);

  // The narrow levels: wall blocks in the outer columns and the lip drawn
  // round the middle four. Only the strips are kept, so the rest of this
  // picture equals the wide one.
  QImage narrow = atlas.copy();
  DrawWallBlock(narrow, QRect(36, 36, 50, 260));
  DrawWallBlock(narrow, QRect(296, 36, 50, 260));
  DrawLip(narrow, kNarrowLip);

  QPainter p(&atlas);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(500, 0), narrow, ToDevice(kLeftStrip, scale));
  p.drawImage(QPoint(555, 0), narrow, ToDevice(kRightStrip, scale));
  // Sprites, in the board well that every full paint covers.
  p.drawImage(QPoint(50, 50), BigPlate(scale));
  p.drawImage(QPoint(50, 150), WidePlate(scale));
  p.drawImage(QPoint(150, 50), TallPlate(scale));
  p.drawImage(QPoint(150, 150), SmallPlate(scale));
  p.fillRect(QRect(50, 200, 50, 50), Qt::black);
  p.drawImage(QPoint(200, 50), DrawMarker(scale));
  p.drawImage(QPoint(267, 45), DrawPreview(false, scale));
  return atlas;
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    for (int scale : kScales) {
      if (!SaveScaled(DrawAtlas(scale), out, "b2", ".bmp")) return false;
    }
    return true;
  });
}
