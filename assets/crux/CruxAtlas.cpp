// Draws "b1.bmp", the CRUX atlas.
//
// The top 500 x 333 is the play-area background: a mahogany table with a
// raised oak board in which the cross of the two tracks is sunk, a brass push
// button with an arrow beyond each track end, a brass frame around the pattern
// miniature and a name plaque with a slot for the pattern number.
//
// Below it, piece picture v (1..50) lies at (25 * ((v - 1) mod 10),
// 333 + 25 * ((v - 1) div 10)) in 25 x 25 for the board and at
// (250 + 15 * ((v - 1) mod 10), 333 + 15 * ((v - 1) div 10)) in 15 x 15 for the
// miniature. Single pieces are glazed tiles, each with its own ground colour
// and its own emblem, so that no two differ by colour alone. Some numbers are
// parts of a larger picture, drawn whole and cut:
//   21 22 23 24  quarters of a silver disc (each a tile of its own, since the
//                patterns also use them singly as rounded corners)
//   31 32/41 42  a sun            33 34/43 44  a flower
//   35 36/45 46  a compass rose   37..40/47..50  a plate reading CRUX
//   28 29        a crown over the plate, 20 30  a medal under it
//
// Drawn at 1x into "b1.bmp" and at 2x and 3x into "b1@2x.png" and "b1@3x.png".
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

constexpr int kWidth = 500;
constexpr int kHeight = 458;
constexpr int kPlayHeight = 333;
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- pieces ---

// One size of the piece grid: the board pictures or the miniature ones.
struct Grid {
  int left;
  int cell;
  bool small() const { return cell < 20; }
  QRect Cell(int v) const {
    return {left + cell * ((v - 1) % 10), kPlayHeight + cell * ((v - 1) / 10), cell, cell};
  }
};

const Grid kLarge{0, 25};
const QColor kJoint(24, 14, 10);

// A glazed tile body over r: a dark joint line around it, a soft vertical
// gradient and a raised bevel. Used for single tiles and for whole pictures
// before they are cut, so a cut picture has its bevel only on the outside.
void TileBase(QImage& atlas, const QRect& r, const QColor& ground, bool small) {
  QPainter p(&atlas);
  p.fillRect(r, kJoint);
  const QRect body = r.adjusted(1, 1, -1, -1);
  FillVertical(p, body, Mix(ground, Qt::white, 0.14), Mix(ground, Qt::black, 0.14));
  DrawBevel(p, body, ground, small ? 1 : 2, true);
}

// The emblem's square on a tile (or a scaled-up box for bigger pictures).
QRectF EmblemBox(const QRect& cell, bool small) {
  const double inset = small ? 3.5 : 5.0;
  return QRectF(cell).adjusted(inset, inset, -inset, -inset);
}

QPainterPath Polygon(const std::vector<QPointF>& points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
  path.closeSubpath();
  return path;
}

QPainterPath Star(QPointF c, double outer, double inner, int points, double startDeg) {
  std::vector<QPointF> v;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = (startDeg + 180.0 * i / points) * kPi / 180.0;
    const double rad = i % 2 == 0 ? outer : inner;
    v.emplace_back(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
  }
  return Polygon(v);
}

QPainterPath Stroked(const QPainterPath& line, double width, Qt::PenCapStyle cap = Qt::SquareCap,
                     Qt::PenJoinStyle join = Qt::MiterJoin) {
  QPainterPathStroker s;
  s.setWidth(width);
  s.setCapStyle(cap);
  s.setJoinStyle(join);
  return s.createStroke(line).simplified();
}

QPainterPath Heart(const QRectF& b) {
  const double w = b.width(), h = b.height(), x = b.left(), y = b.top();
  QPainterPath path;
  path.moveTo(x + w / 2, y + h);
  path.cubicTo(x + w * 0.05, y + h * 0.62, x - w * 0.04, y + h * 0.22, x + w * 0.24, y + h * 0.06);
  path.cubicTo(x + w * 0.38, y - h * 0.02, x + w * 0.48, y + h * 0.1, x + w / 2, y + h * 0.22);
  path.cubicTo(x + w * 0.52, y + h * 0.1, x + w * 0.62, y - h * 0.02, x + w * 0.76, y + h * 0.06);
  path.cubicTo(x + w * 1.04, y + h * 0.22, x + w * 0.95, y + h * 0.62, x + w / 2, y + h);
  path.closeSubpath();
  return path;
}

// A flat emblem raised from its tile: a shadow below right, a highlight above
// left, then the emblem itself with a gentle gradient and a fine dark edge.
void Emboss(QPainter& p, const QPainterPath& path, const QColor& colour, bool small) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  const double d = small ? 0.7 : 1.0;
  p.setBrush(QColor(0, 0, 0, small ? 90 : 110));
  p.drawPath(path.translated(d, d));
  p.setBrush(QColor(255, 255, 255, small ? 50 : 70));
  p.drawPath(path.translated(-d * 0.6, -d * 0.6));
  const QRectF b = path.boundingRect();
  QLinearGradient g(b.topLeft(), b.bottomLeft());
  g.setColorAt(0, Mix(colour, Qt::white, 0.22));
  g.setColorAt(1, Mix(colour, Qt::black, 0.12));
  p.setBrush(g);
  p.setPen(QPen(Mix(colour, Qt::black, 0.45), small ? 0.5 : 0.7));
  p.drawPath(path);
  p.restore();
}

enum class Emblem {
  Ring,
  Square,
  Disc,
  Triangle,
  Hexagon,
  Plus,
  Star4,
  Star5,
  Cross,
  Bars,
  Heart,
  Spade,
  Club,
  Diamond,
  Crescent,
  Chevrons,
  Quatrefoil,
  Zigzag,
};

QPainterPath EmblemPath(Emblem e, const QRectF& b, bool small) {
  const QPointF c = b.center();
  const double h = b.width() / 2;
  QPainterPath path;
  switch (e) {
    case Emblem::Ring: {
      path.addEllipse(c, h, h);
      const double inner = h * (small ? 0.42 : 0.5);
      QPainterPath hole;
      hole.addEllipse(c, inner, inner);
      return path.subtracted(hole);
    }
    case Emblem::Square:
      path.addRect(QRectF(c.x() - h * 0.78, c.y() - h * 0.78, h * 1.56, h * 1.56));
      return path;
    case Emblem::Disc:
      path.addEllipse(c, h * 0.86, h * 0.86);
      return path;
    case Emblem::Triangle:
      return Polygon(
          {{c.x(), c.y() - h}, {c.x() + h, c.y() + h * 0.8}, {c.x() - h, c.y() + h * 0.8}});
    case Emblem::Hexagon: {
      std::vector<QPointF> v;
      for (int i = 0; i < 6; ++i) {
        const double a = (60.0 * i) * kPi / 180.0;
        v.emplace_back(c.x() + h * std::cos(a), c.y() + h * 0.92 * std::sin(a));
      }
      return Polygon(v);
    }
    case Emblem::Plus:
    case Emblem::Cross: {
      const double t = h * (small ? 0.42 : 0.36);
      path.addRect(QRectF(c.x() - h, c.y() - t, 2 * h, 2 * t));
      path.addRect(QRectF(c.x() - t, c.y() - h, 2 * t, 2 * h));
      path.setFillRule(Qt::WindingFill);
      path = path.simplified();
      if (e == Emblem::Cross) {
        QTransform rot;
        rot.translate(c.x(), c.y());
        rot.rotate(45);
        rot.scale(1.12, 1.12);
        rot.translate(-c.x(), -c.y());
        path = rot.map(path);
      }
      return path;
    }
    case Emblem::Star4:
      return Star(c, h * 1.05, h * (small ? 0.4 : 0.32), 4, -90);
    case Emblem::Star5:
      return Star(QPointF(c.x(), c.y() + h * 0.08), h * 1.05, h * 0.45, 5, -90);
    case Emblem::Bars: {
      const double bar = 2 * h / 5;
      for (int i = 0; i < 3; ++i)
        path.addRect(QRectF(c.x() - h, c.y() - h + 2 * i * bar, 2 * h, bar));
      return path;
    }
    case Emblem::Heart:
      return Heart(QRectF(c.x() - h, c.y() - h * 0.9, 2 * h, 1.85 * h));
    case Emblem::Spade: {
      QTransform flip;
      flip.translate(c.x(), c.y());
      flip.scale(1, -1);
      flip.translate(-c.x(), -c.y());
      path = flip.map(Heart(QRectF(c.x() - h * 0.95, c.y() - h * 0.42, 1.9 * h, 1.42 * h)));
      return path.united(Polygon({{c.x(), c.y() + h * 0.1},
                                  {c.x() + h * 0.45, c.y() + h},
                                  {c.x() - h * 0.45, c.y() + h}}));
    }
    case Emblem::Club: {
      const double r = h * 0.44;
      const QPointF lobes[] = {{c.x(), c.y() - h * 0.5},
                               {c.x() - h * 0.52, c.y() + h * 0.08},
                               {c.x() + h * 0.52, c.y() + h * 0.08}};
      for (const QPointF& lobe : lobes) {
        QPainterPath circle;
        circle.addEllipse(lobe, r, r);
        path = path.united(circle);
      }
      QPainterPath middle;
      middle.addRect(QRectF(c.x() - h * 0.2, c.y() - h * 0.3, h * 0.4, h * 0.6));
      return path.united(middle).united(
          Polygon({{c.x(), c.y()}, {c.x() + h * 0.45, c.y() + h}, {c.x() - h * 0.45, c.y() + h}}));
    }
    case Emblem::Diamond:
      return Polygon({{c.x(), c.y() - h * 1.05},
                      {c.x() + h * 0.72, c.y()},
                      {c.x(), c.y() + h * 1.05},
                      {c.x() - h * 0.72, c.y()}});
    case Emblem::Crescent: {
      path.addEllipse(c, h, h);
      QPainterPath bite;
      bite.addEllipse(QPointF(c.x() + h * 0.5, c.y() - h * 0.3), h * 0.82, h * 0.82);
      return path.subtracted(bite);
    }
    case Emblem::Chevrons: {
      QPainterPath line;
      const double t = small ? 1.9 : 2.6;
      for (int i = 0; i < 2; ++i) {
        const double y = c.y() - h * 0.2 + i * h * 0.85;
        line.moveTo(c.x() - h * 0.95, y + h * 0.45);
        line.lineTo(c.x(), y - h * 0.5);
        line.lineTo(c.x() + h * 0.95, y + h * 0.45);
      }
      return Stroked(line, t, Qt::FlatCap);
    }
    case Emblem::Quatrefoil: {
      const double r = h * 0.5;
      path.addEllipse(QPointF(c.x(), c.y() - r), r, r);
      path.addEllipse(QPointF(c.x(), c.y() + r), r, r);
      path.addEllipse(QPointF(c.x() - r, c.y()), r, r);
      path.addEllipse(QPointF(c.x() + r, c.y()), r, r);
      path.setFillRule(Qt::WindingFill);
      path = path.simplified();
      QPainterPath eye;
      eye.addEllipse(c, r * 0.42, r * 0.42);
      return path.subtracted(eye);
    }
    case Emblem::Zigzag: {
      QPainterPath line;
      const double t = small ? 1.9 : 2.6;
      for (int row = 0; row < 2; ++row) {
        const double y = c.y() - h * 0.45 + row * h * 0.95;
        line.moveTo(c.x() - h, y + h * 0.25);
        for (int i = 1; i <= 4; ++i)
          line.lineTo(c.x() - h + i * h / 2, y + (i % 2 == 1 ? -h * 0.25 : h * 0.25));
      }
      return Stroked(line, t, Qt::FlatCap);
    }
  }
  return path;
}

struct SingleTile {
  int number;
  QColor ground;
  Emblem emblem;
  QColor colour;
};

// Every single piece a pattern uses: ground and emblem both differ.
const SingleTile kSingles[] = {
    {2, QColor(232, 218, 186), Emblem::Ring, QColor(176, 78, 44)},
    {3, QColor(166, 30, 38), Emblem::Square, QColor(246, 200, 86)},
    {4, QColor(36, 72, 168), Emblem::Disc, QColor(238, 240, 250)},
    {5, QColor(30, 128, 84), Emblem::Triangle, QColor(250, 218, 96)},
    {7, QColor(238, 180, 44), Emblem::Hexagon, QColor(116, 58, 18)},
    {8, QColor(228, 110, 30), Emblem::Plus, QColor(255, 242, 214)},
    {9, QColor(142, 32, 94), Emblem::Star4, QColor(252, 172, 212)},
    {10, QColor(72, 42, 124), Emblem::Star5, QColor(242, 202, 90)},
    {11, QColor(20, 118, 124), Emblem::Cross, QColor(242, 232, 212)},
    {13, QColor(150, 86, 46), Emblem::Bars, QColor(246, 222, 182)},
    {14, QColor(240, 168, 178), Emblem::Heart, QColor(202, 28, 50)},
    {15, QColor(138, 188, 230), Emblem::Spade, QColor(24, 40, 92)},
    {16, QColor(150, 204, 88), Emblem::Club, QColor(28, 88, 30)},
    {17, QColor(192, 172, 226), Emblem::Diamond, QColor(92, 38, 142)},
    {18, QColor(26, 36, 78), Emblem::Crescent, QColor(246, 212, 102)},
    {25, QColor(134, 140, 52), Emblem::Chevrons, QColor(246, 240, 200)},
    {26, QColor(214, 212, 204), Emblem::Quatrefoil, QColor(38, 88, 172)},
    {27, QColor(96, 54, 34), Emblem::Zigzag, QColor(236, 172, 80)},
};

void DrawSingle(QImage& atlas, const Grid& grid, const SingleTile& t) {
  const QRect cell = grid.Cell(t.number);
  TileBase(atlas, cell, t.ground, grid.small());
  QPainter p(&atlas);
  p.setClipRect(cell.adjusted(1, 1, -1, -1));
  Emboss(p, EmblemPath(t.emblem, EmblemBox(cell, grid.small()), grid.small()), t.colour,
         grid.small());
}

// Numbers no pattern uses: a plain wooden tile.
void DrawBlank(QImage& atlas, const Grid& grid, int v) {
  TileBase(atlas, grid.Cell(v), QColor(150, 110, 70), grid.small());
}

// 21 top right, 22 top left, 23 bottom left, 24 bottom right: a quarter of a
// gold-rimmed enamel disc whose centre is the tile's inner corner, lit from
// the top left of the whole disc, so every quarter also has its own shade.
void DrawQuarter(QImage& atlas, const Grid& grid, int v) {
  const QRect cell = grid.Cell(v);
  const bool small = grid.small();
  TileBase(atlas, cell, QColor(52, 42, 40), small);
  const bool right = v == 22 || v == 23;  // the disc's centre is on the right
  const bool below = v == 21 || v == 22;  // ... or on the bottom edge
  const double s = cell.width();
  const QPointF centre(cell.left() + (right ? s - 1 : 1), cell.top() + (below ? s - 1 : 1));
  const double r = s - (small ? 3.0 : 4.5);
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setClipRect(cell.adjusted(1, 1, -1, -1));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 120));
  p.drawEllipse(centre + QPointF(1, 1), r, r);
  QRadialGradient rim(centre + QPointF(-r * 0.5, -r * 0.5), r * 1.8);
  rim.setColorAt(0, QColor(255, 236, 160));
  rim.setColorAt(1, QColor(150, 100, 30));
  p.setBrush(rim);
  p.setPen(QPen(QColor(90, 56, 16), small ? 0.5 : 0.8));
  p.drawEllipse(centre, r, r);
  const double enamel = r - (small ? 1.6 : 2.6);
  QRadialGradient g(centre + QPointF(-enamel * 0.45, -enamel * 0.45), enamel * 1.6);
  g.setColorAt(0, QColor(190, 246, 240));
  g.setColorAt(0.45, QColor(52, 178, 190));
  g.setColorAt(1, QColor(14, 84, 110));
  p.setBrush(g);
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, enamel, enamel);
  // A gold ring inlaid in the enamel gives the quarters a line to continue.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(236, 190, 90), small ? 0.8 : 1.2));
  p.drawEllipse(centre, r * 0.55, r * 0.55);
}

// A picture drawn whole over w x h cells of the grid, starting at the cell of
// number first; the cell of first + i + 10 j gets the part in column i, row j.
void DrawCut(QImage& atlas, const Grid& grid, int first, int w, int h, const QColor& ground,
             const std::function<void(QPainter&, const QRectF&, bool)>& picture) {
  const int s = grid.cell;
  QImage whole = NewImage(w * s, h * s, Qt::black, ScaleOf(atlas));
  const QRect area = LayoutRect(whole);
  TileBase(whole, area, ground, grid.small());
  {
    QPainter p(&whole);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(area.adjusted(1, 1, -1, -1));
    picture(p, QRectF(area), grid.small());
  }
  QPainter out(&atlas);
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      out.drawImage(grid.Cell(first + i + 10 * j).topLeft(), whole,
                    ToDevice(QRect(i * s, j * s, s, s), ScaleOf(whole)));
    }
  }
}

void Sun(QPainter& p, const QRectF& r, bool small) {
  const QPointF c = r.center();
  const double R = r.width() / 2;
  QRadialGradient sky(c, R * 1.3);
  sky.setColorAt(0, QColor(70, 96, 190));
  sky.setColorAt(1, QColor(22, 30, 96));
  p.fillRect(r.adjusted(small ? 2 : 3, small ? 2 : 3, small ? -2 : -3, small ? -2 : -3), sky);
  std::vector<QPointF> rays;
  for (int i = 0; i < 24; ++i) {
    const double a = (i * 15.0 - 90.0) * kPi / 180.0;
    const double rad = i % 2 == 0 ? (i % 4 == 0 ? 0.9 : 0.76) * R : 0.5 * R;
    rays.emplace_back(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
  }
  Emboss(p, Polygon(rays), QColor(246, 150, 40), small);
  QPainterPath disc;
  disc.addEllipse(c, R * 0.46, R * 0.46);
  p.setPen(QPen(QColor(150, 70, 10), small ? 0.6 : 1.0));
  QRadialGradient gold(c - QPointF(R * 0.15, R * 0.15), R * 0.5);
  gold.setColorAt(0, QColor(255, 246, 170));
  gold.setColorAt(0.6, QColor(252, 206, 70));
  gold.setColorAt(1, QColor(226, 140, 30));
  p.setBrush(gold);
  p.drawPath(disc);
}

void Flower(QPainter& p, const QRectF& r, bool small) {
  const QPointF c = r.center();
  const double R = r.width() / 2;
  QRadialGradient leaf(c, R * 1.3);
  leaf.setColorAt(0, QColor(52, 112, 60));
  leaf.setColorAt(1, QColor(20, 62, 34));
  p.fillRect(r.adjusted(small ? 2 : 3, small ? 2 : 3, small ? -2 : -3, small ? -2 : -3), leaf);
  // Four leaves between the petals.
  for (int i = 0; i < 4; ++i) {
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(45 + 90 * i);
    QPainterPath l;
    l.addEllipse(QPointF(R * 0.62, 0), R * 0.3, R * 0.13);
    Emboss(p, t.map(l), QColor(130, 196, 80), small);
  }
  for (int i = 0; i < 8; ++i) {
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(22.5 * 2 * i);
    QPainterPath petal;
    petal.addEllipse(QPointF(R * 0.46, 0), R * 0.34, R * 0.19);
    Emboss(p, t.map(petal), i % 2 == 0 ? QColor(236, 80, 150) : QColor(214, 56, 128), small);
  }
  QPainterPath heart;
  heart.addEllipse(c, R * 0.22, R * 0.22);
  Emboss(p, heart, QColor(252, 204, 60), small);
}

void CompassRose(QPainter& p, const QRectF& r, bool small) {
  const QPointF c = r.center();
  const double R = r.width() / 2;
  QRadialGradient wine(c, R * 1.3);
  wine.setColorAt(0, QColor(150, 40, 52));
  wine.setColorAt(1, QColor(78, 14, 26));
  p.fillRect(r.adjusted(small ? 2 : 3, small ? 2 : 3, small ? -2 : -3, small ? -2 : -3), wine);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(226, 180, 90), small ? 1.0 : 1.5));
  p.drawEllipse(c, R * 0.62, R * 0.62);
  // Diagonal points in ivory, then the four main points in gold, each half
  // light and half dark like a cut metal star.
  for (int pass = 0; pass < 2; ++pass) {
    const double length = pass == 0 ? R * 0.62 : R * 0.9;
    const double width = pass == 0 ? R * 0.14 : R * 0.2;
    const QColor light = pass == 0 ? QColor(250, 244, 226) : QColor(255, 226, 120);
    const QColor dark = pass == 0 ? QColor(190, 176, 150) : QColor(196, 132, 30);
    for (int i = 0; i < 4; ++i) {
      QTransform t;
      t.translate(c.x(), c.y());
      t.rotate((pass == 0 ? 45 : 0) + 90 * i);
      const QPainterPath left = t.map(Polygon({{0, 0}, {0, -length}, {-width, -width}}));
      const QPainterPath right = t.map(Polygon({{0, 0}, {0, -length}, {width, -width}}));
      p.setPen(QPen(QColor(60, 20, 10, 160), small ? 0.4 : 0.6));
      p.setBrush(light);
      p.drawPath(left);
      p.setBrush(dark);
      p.drawPath(right);
    }
  }
  p.setBrush(QColor(246, 210, 110));
  p.setPen(QPen(QColor(110, 50, 10), small ? 0.5 : 0.8));
  p.drawEllipse(c, R * 0.09, R * 0.09);
}

void NamePlate(QPainter& p, const QRectF& r, bool small) {
  const double s = r.height() / 2;  // one cell
  FillVertical(p, r.adjusted(2, 2, -2, -2).toRect(), QColor(58, 38, 30), QColor(26, 16, 12));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(214, 170, 80), small ? 0.8 : 1.2));
  const double inset = small ? 3.5 : 5.5;
  p.drawRect(r.adjusted(inset, inset, -inset, -inset));
  const QString name = "CRUX";
  QFont font = PixelFont("DejaVu Serif", small ? 20 : 34, true);
  p.setFont(font);
  for (int i = 0; i < 4; ++i) {
    const QRectF column(r.left() + i * s, r.top() + (small ? 0.5 : 1.0), s, r.height());
    QPainterPath letter;
    const QFontMetricsF m(font);
    const double w = m.horizontalAdvance(name[i]);
    letter.addText(column.center().x() - w / 2, column.center().y() + m.capHeight() / 2, font,
                   name.mid(i, 1));
    Emboss(p, letter, QColor(240, 196, 84), small);
  }
}

// The crown over the plate: 28 the left half with a red stone, 29 the right
// half with a green one.
void Crown(QPainter& p, const QRectF& r, bool small) {
  FillVertical(p, r.adjusted(2, 2, -2, -2).toRect(), QColor(58, 38, 30), QColor(36, 24, 18));
  const double W = r.width(), H = r.height(), x = r.left(), y = r.top();
  const QPainterPath crown = Polygon({{x + W * 0.14, y + H * 0.86},
                                      {x + W * 0.10, y + H * 0.28},
                                      {x + W * 0.30, y + H * 0.56},
                                      {x + W * 0.50, y + H * 0.16},
                                      {x + W * 0.70, y + H * 0.56},
                                      {x + W * 0.90, y + H * 0.28},
                                      {x + W * 0.86, y + H * 0.86}});
  Emboss(p, crown, QColor(240, 190, 70), small);
  for (double fx : {0.10, 0.50, 0.90}) {
    QPainterPath ball;
    ball.addEllipse(QPointF(x + W * fx, y + H * (fx == 0.5 ? 0.16 : 0.28)), H * 0.09, H * 0.09);
    Emboss(p, ball, QColor(250, 222, 120), small);
  }
  QPainterPath red, green;
  red.addEllipse(QPointF(x + W * 0.30, y + H * 0.74), H * 0.1, H * 0.1);
  green.addEllipse(QPointF(x + W * 0.70, y + H * 0.74), H * 0.1, H * 0.1);
  Emboss(p, red, QColor(214, 30, 40), small);
  Emboss(p, green, QColor(30, 170, 90), small);
}

// A medal on a ribbon under the plate: 20 the left half with the red band,
// 30 the right half with the blue one.
void Medal(QPainter& p, const QRectF& r, bool small) {
  FillVertical(p, r.adjusted(2, 2, -2, -2).toRect(), QColor(36, 24, 18), QColor(58, 38, 30));
  const double W = r.width(), H = r.height(), x = r.left(), y = r.top();
  const QPainterPath red = Polygon({{x + W * 0.2, y},
                                    {x + W * 0.36, y},
                                    {x + W * 0.52, y + H * 0.5},
                                    {x + W * 0.42, y + H * 0.56}});
  const QPainterPath blue = Polygon({{x + W * 0.64, y},
                                     {x + W * 0.8, y},
                                     {x + W * 0.58, y + H * 0.56},
                                     {x + W * 0.48, y + H * 0.5}});
  Emboss(p, red, QColor(206, 40, 50), small);
  Emboss(p, blue, QColor(40, 80, 190), small);
  const QPointF c(x + W * 0.5, y + H * 0.6);
  QPainterPath disc;
  disc.addEllipse(c, H * 0.34, H * 0.34);
  Emboss(p, disc, QColor(236, 184, 64), small);
  Emboss(p, Star(c, H * 0.24, H * 0.1, 5, -90), QColor(255, 236, 150), small);
}

void DrawPieces(QImage& atlas, const Grid& grid) {
  for (int v : {1, 6, 12, 19})
    DrawBlank(atlas, grid, v);
  for (const SingleTile& t : kSingles)
    DrawSingle(atlas, grid, t);
  for (int v = 21; v <= 24; ++v)
    DrawQuarter(atlas, grid, v);
  DrawCut(atlas, grid, 31, 2, 2, QColor(40, 56, 130), Sun);
  DrawCut(atlas, grid, 33, 2, 2, QColor(34, 86, 46), Flower);
  DrawCut(atlas, grid, 35, 2, 2, QColor(120, 28, 40), CompassRose);
  DrawCut(atlas, grid, 37, 4, 2, QColor(60, 40, 30), NamePlate);
  // The pairs are not neighbours in the grid: each half goes to its number.
  const int scale = ScaleOf(atlas);
  QImage crown = NewImage(2 * grid.cell, grid.cell, Qt::black, scale);
  QImage medal = NewImage(2 * grid.cell, grid.cell, Qt::black, scale);
  for (auto [image, picture] : {std::pair<QImage*, decltype(&Crown)>{&crown, Crown},
                                std::pair<QImage*, decltype(&Crown)>{&medal, Medal}}) {
    const QRect area = LayoutRect(*image);
    TileBase(*image, area, QColor(60, 40, 30), grid.small());
    QPainter p(image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(area.adjusted(1, 1, -1, -1));
    picture(p, QRectF(area), grid.small());
  }
  QPainter out(&atlas);
  const int s = grid.cell;
  const QRect left = ToDevice(QRect(0, 0, s, s), scale);
  const QRect right = ToDevice(QRect(s, 0, s, s), scale);
  out.drawImage(grid.Cell(28).topLeft(), crown, left);
  out.drawImage(grid.Cell(29).topLeft(), crown, right);
  out.drawImage(grid.Cell(20).topLeft(), medal, left);
  out.drawImage(grid.Cell(30).topLeft(), medal, right);
}

// ------------------------------------------------------------ background ---

const QRect kHorizontalTrack(41, 141, 250, 50);
const QRect kVerticalTrack(141, 41, 50, 250);
const QRect kBoardPlate(6, 6, 321, 321);
const QRect kMiniature(370, 41, 90, 90);
const QRect kPlaque(338, 204, 148, 114);
const QRect kNumberSlot(422, 274, 60, 37);

// The distance in layout pixels from device pixel (x, y) of a picture at the
// given scale to the cross of the two tracks, and whether the cross lies below
// or right of the point (a wall in the shade).
void CrossDistance(int x, int y, int scale, double& distance, bool& shaded) {
  distance = 1e9;
  for (const QRect& track : {kHorizontalTrack, kVerticalTrack}) {
    const QRect r = ToDevice(track, scale);
    const int qx = std::clamp(x, r.left(), r.right());
    const int qy = std::clamp(y, r.top(), r.bottom());
    const double d = std::max(std::abs(qx - x), std::abs(qy - y)) / double(scale);
    if (d < distance) {
      distance = d;
      shaded = qy > y || qx > x;
    }
  }
}

void Wood(QImage& atlas, const QRect& r, const QColor& top, const QColor& bottom, unsigned seed,
          int streaks) {
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(r);
  FillVertical(p, r, top, bottom);
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> wobble(-1, 1);
  for (int i = 0; i < streaks; ++i) {
    const double y = r.top() + (i + 0.5 + 0.3 * wobble(gen)) * r.height() / streaks;
    QPainterPath streak;
    streak.moveTo(r.left() - 10, y);
    streak.cubicTo(r.left() + r.width() * 0.33, y + 5 * wobble(gen), r.left() + r.width() * 0.66,
                   y + 5 * wobble(gen), r.right() + 10, y + 3 * wobble(gen));
    p.setPen(QPen(QColor(30, 14, 6, 40 + static_cast<int>(20 * wobble(gen))), 1));
    p.drawPath(streak);
    p.setPen(QPen(QColor(255, 230, 190, 18), 1));
    p.drawPath(streak.translated(0, 1.5));
  }
  p.end();
  AddGrain(atlas, r, 5, seed * 7 + 1);
}

// A brass button with an engraved arrow that points into the track.
void PushButton(QImage& atlas, const QRect& r, double angleDeg) {
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath body;
  body.addRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  p.fillPath(body.translated(1.5, 1.5), QColor(20, 10, 4, 140));
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, QColor(255, 232, 150));
  g.setColorAt(0.5, QColor(212, 164, 70));
  g.setColorAt(1, QColor(140, 96, 34));
  p.fillPath(body, g);
  p.setPen(QPen(QColor(96, 60, 20), 1));
  p.drawPath(body);
  QPainterPath inner;
  inner.addRoundedRect(QRectF(r).adjusted(3, 3, -3, -3), 3, 3);
  QLinearGradient face(r.topLeft(), r.bottomLeft());
  face.setColorAt(0, QColor(238, 196, 100));
  face.setColorAt(1, QColor(196, 146, 56));
  p.fillPath(inner, face);
  p.setPen(QPen(QColor(255, 240, 190, 160), 1));
  p.drawPath(inner.translated(0.5, 0.5));

  const QPointF c = QRectF(r).center();
  const double s = std::min(r.width(), r.height()) * 0.36;
  QTransform t;
  t.translate(c.x(), c.y());
  t.rotate(angleDeg);
  const QPainterPath arrow =
      t.map(Polygon({{s * 1.0, 0}, {-s * 0.6, -s * 1.1}, {-s * 0.6, s * 1.1}}));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 246, 210, 170));
  p.drawPath(arrow.translated(0.8, 0.8));
  p.setBrush(QColor(92, 46, 14));
  p.drawPath(arrow);
}

void BrassFrame(QImage& atlas, const QRect& outer, int width) {
  QPainter p(&atlas);
  QLinearGradient g(outer.topLeft(), outer.bottomRight());
  g.setColorAt(0, QColor(250, 220, 130));
  g.setColorAt(0.5, QColor(200, 150, 60));
  g.setColorAt(1, QColor(130, 86, 30));
  p.fillRect(outer, g);
  DrawBevel(p, outer, QColor(200, 150, 60), 3, true);
  DrawBevel(p, outer.adjusted(width - 2, width - 2, 2 - width, 2 - width), QColor(170, 120, 50), 2,
            false);
}

void Screw(QPainter& p, QPointF c) {
  p.setRenderHint(QPainter::Antialiasing, true);
  QRadialGradient g(c - QPointF(1, 1), 4);
  g.setColorAt(0, QColor(255, 236, 170));
  g.setColorAt(1, QColor(130, 90, 30));
  p.setBrush(g);
  p.setPen(QPen(QColor(80, 50, 16), 0.8));
  p.drawEllipse(c, 3.2, 3.2);
  p.setPen(QPen(QColor(70, 40, 10), 1));
  p.drawLine(c + QPointF(-2, 1.2), c + QPointF(2, -1.2));
}

void DrawBackground(QImage& atlas) {
  const QRect play(0, 0, kWidth, kPlayHeight);
  Wood(atlas, play, QColor(112, 46, 30), QColor(58, 22, 14), 5, 16);

  // The board: a raised oak plate with rounded corners and a dark edge.
  {
    QPainter p(&atlas);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(kBoardPlate), 12, 12);
    p.fillPath(plate.translated(3, 3), QColor(20, 8, 4, 120));
    p.fillPath(plate, QColor(190, 136, 76));
  }
  {
    QImage oak = NewImage(kBoardPlate.width(), kBoardPlate.height(), Qt::black, ScaleOf(atlas));
    Wood(oak, LayoutRect(oak), QColor(204, 150, 86), QColor(170, 116, 62), 9, 22);
    QPainter p(&atlas);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(kBoardPlate).adjusted(2, 2, -2, -2), 10, 10);
    p.setClipPath(plate);
    p.drawImage(kBoardPlate.topLeft(), oak);
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 226, 170, 140), 1.5));
    p.drawPath(plate.translated(0.5, 0.5));
    p.setPen(QPen(QColor(70, 36, 14), 1.2));
    QPainterPath edge;
    edge.addRoundedRect(QRectF(kBoardPlate), 12, 12);
    p.drawPath(edge);
  }

  // Inlaid lines in the four fields between the arms.
  {
    QPainter p(&atlas);
    const int inset = 12;
    const QRect fields[] = {QRect(6, 6, 131, 131), QRect(195, 6, 131, 131), QRect(6, 195, 131, 131),
                            QRect(195, 195, 131, 131)};
    for (const QRect& f : fields) {
      const QRect line = f.adjusted(inset, inset, -inset, -inset);
      PixelFrame(p, line, QColor(96, 56, 26));
      PixelFrame(p, line.adjusted(1, 1, 1, 1), QColor(236, 196, 140));
      // A small diamond of dark wood in the middle of each field.
      p.setRenderHint(QPainter::Antialiasing, true);
      const QPointF c = QRectF(line).center();
      const QPainterPath diamond = Polygon(
          {{c.x(), c.y() - 14}, {c.x() + 14, c.y()}, {c.x(), c.y() + 14}, {c.x() - 14, c.y()}});
      p.fillPath(diamond, QColor(110, 62, 30));
      const QPainterPath inner =
          Polygon({{c.x(), c.y() - 8}, {c.x() + 8, c.y()}, {c.x(), c.y() + 8}, {c.x() - 8, c.y()}});
      p.fillPath(inner, QColor(226, 182, 120));
      p.setRenderHint(QPainter::Antialiasing, false);
    }
  }

  // The channel of the cross: a sunken rim of four pixels, shaded on the walls
  // that face down and right, lit on the others; inside it is black (the
  // tracks are always drawn over it).
  const int scale = ScaleOf(atlas);
  for (int y = 30 * scale; y < 302 * scale; ++y) {
    auto* line = reinterpret_cast<QRgb*>(atlas.scanLine(y));
    for (int x = 30 * scale; x < 302 * scale; ++x) {
      double d = 0;
      bool shaded = false;
      CrossDistance(x, y, scale, d, shaded);
      if (d > 4) continue;
      if (d == 0) {
        line[x] = qRgb(0, 0, 0);
        continue;
      }
      const QColor here = QColor::fromRgb(line[x]);
      const double depth = (5 - d) / 5.0;
      const QColor wall = shaded ? Mix(here, QColor(34, 16, 6), 0.55 + 0.4 * depth)
                                 : Mix(here, QColor(255, 236, 196), 0.25 + 0.35 * depth);
      line[x] = (d <= 1 ? Mix(wall, Qt::black, 0.5) : wall).rgb();
    }
  }

  PushButton(atlas, QRect(16, 147, 20, 38), 0);
  PushButton(atlas, QRect(147, 16, 38, 20), 90);
  PushButton(atlas, QRect(297, 147, 20, 38), 180);
  PushButton(atlas, QRect(147, 297, 38, 20), 270);

  // The miniature in a brass frame; the cells it leaves free show a dark recess.
  BrassFrame(atlas, kMiniature.adjusted(-10, -10, 10, 10), 10);
  {
    QPainter p(&atlas);
    FillVertical(p, kMiniature, QColor(40, 24, 16), QColor(24, 14, 8));
    PixelFrame(p, kMiniature.adjusted(-1, -1, 0, 0), QColor(14, 6, 2));
    const QColor groove(60, 38, 24);
    for (int i = 1; i < 6; ++i) {
      const int x = kMiniature.left() + 15 * i, y = kMiniature.top() + 15 * i;
      PixelLine(p, {x, kMiniature.top() + 1}, {x, kMiniature.bottom() - 1}, groove);
      PixelLine(p, {kMiniature.left() + 1, y}, {kMiniature.right() - 1, y}, groove);
    }
    Screw(p, kMiniature.topLeft() + QPointF(-5, -5));
    Screw(p, QPointF(kMiniature.right() + 6, kMiniature.top() - 5));
    Screw(p, QPointF(kMiniature.left() - 5, kMiniature.bottom() + 6));
    Screw(p, kMiniature.bottomRight() + QPointF(6, 6));
  }

  // The name plaque (hovering it shows the rules) with a slot for the number.
  {
    QPainter p(&atlas);
    p.fillRect(kPlaque.translated(3, 3), QColor(20, 8, 4, 120));
    QLinearGradient g(kPlaque.topLeft(), kPlaque.bottomRight());
    g.setColorAt(0, QColor(244, 210, 124));
    g.setColorAt(0.55, QColor(206, 158, 66));
    g.setColorAt(1, QColor(152, 104, 40));
    p.fillRect(kPlaque, g);
    DrawBevel(p, kPlaque, QColor(206, 158, 66), 3, true);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(PixelFont("DejaVu Serif", 40, true));
    const QRect title(kPlaque.left(), kPlaque.top() + 8, kPlaque.width(), 54);
    DrawShadowText(p, title.translated(0, 1), "CRUX", QColor(255, 238, 190), QColor(255, 238, 190));
    DrawShadowText(p, title, "CRUX", QColor(92, 50, 14), QColor(92, 50, 14));
    p.setPen(QPen(QColor(120, 74, 24), 1));
    p.drawLine(QPointF(kPlaque.left() + 16, kPlaque.top() + 64),
               QPointF(kPlaque.right() - 16, kPlaque.top() + 64));
    p.setPen(QPen(QColor(255, 236, 180, 160), 1));
    p.drawLine(QPointF(kPlaque.left() + 16, kPlaque.top() + 65),
               QPointF(kPlaque.right() - 16, kPlaque.top() + 65));
    for (QPointF c : {QPointF(kPlaque.left() + 8, kPlaque.top() + 8),
                      QPointF(kPlaque.right() - 7, kPlaque.top() + 8),
                      QPointF(kPlaque.left() + 8, kPlaque.bottom() - 7),
                      QPointF(kPlaque.right() - 7, kPlaque.bottom() - 7)})
      Screw(p, c);
    // A small engraved cross, the shape of every pattern, in front of the slot.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPoint c(kNumberSlot.left() - 22, kNumberSlot.center().y());
    const QRect arms[] = {QRect(c.x() - 3, c.y() - 11, 7, 23), QRect(c.x() - 11, c.y() - 3, 23, 7)};
    for (const QRect& arm : arms)
      p.fillRect(arm.translated(1, 1), QColor(255, 240, 190));
    for (const QRect& arm : arms)
      p.fillRect(arm, QColor(110, 62, 18));
    p.setRenderHint(QPainter::Antialiasing, false);
    FillVertical(p, kNumberSlot, QColor(226, 212, 178), QColor(246, 236, 210));
    DrawBevel(p, kNumberSlot, QColor(190, 150, 80), 2, false);
  }
}

QImage DrawAtlas(int scale) {
  QImage atlas = NewImage(kWidth, kHeight, Qt::black, scale);
  DrawBackground(atlas);
  DrawPieces(atlas, kLarge);
  DrawPieces(atlas, Grid{250, 15});
  return atlas;
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    for (int scale : kScales) {
      if (!SaveScaled(DrawAtlas(scale), out, "b1", ".bmp")) return false;
    }
    return true;
  });
}
