// Draws "b4.bmp", the TRANSIT atlas. The background is the whole play area: a
// walnut table with a honey-oak tray that holds the board, 28 brass push keys
// in the margins beside it (one at each end of every row and column, the arrow
// showing where a left press pushes the line), and on the right a panel with a
// brass-framed window for the pattern miniature, a medallion of two arrows
// chasing round a ring, the name plaque (where the rules hint lives) and an
// ivory plate behind the level number, marked by an engraved grid and pointer.
// The 21 pictures come in two sizes, 35 x 35 inside the board area and 15 x 15
// inside the miniature area. Any kind may get any picture, so each of the 21
// has its own symbol and its own pair of colours. Drawn at 1x into "b4.bmp"
// and at 2x and 3x into "b4@2x.png" and "b4@3x.png".
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <numbers>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

constexpr int kWidth = 500;
constexpr int kHeight = 333;
const QRect kBoard(60, 44, 245, 245);
const QRect kMini(362, 44, 105, 105);
const QRect kTray(20, 4, 326, 326);

const QColor kIvory(250, 241, 218);
const QColor kGilt(246, 204, 96);
const QColor kBrass(196, 150, 70);
const QColor kOak(176, 122, 62);
const QColor kWalnutTop(86, 52, 30);
const QColor kWalnutBottom(50, 29, 17);

// ---------------------------------------------------------------- symbols

enum class Shape {
  Heart,
  Plus,
  TriangleUp,
  Disc,
  Diamond,
  Star5,
  Crescent,
  Drop,
  Dome,
  Ring,
  Square,
  Saltire,
  Checker,
  Trefoil,
  Bolt,
  Hourglass,
  Bars,
  TriangleDown,
  Frame,
  Dots,
  Chevron
};

// The 21 pictures: each its own symbol on its own tile colour, with a symbol
// colour that stands off it. Seven enamel tiles with ivory symbols, seven pale
// tiles with deep symbols, seven dark tiles with light symbols in a gilt rim.
// Look-alike symbols (disc and ring, square and frame, the two triangles,
// plus and saltire, heart and drop) sit on tiles of different lightness and
// hue, so they never meet on the board looking alike.
enum class Style { Enamel, Pale, Dark };

struct Picture {
  Shape shape;
  Style style;
  QColor body;
  QColor symbol;
};

const Picture kPictures[21] = {
    {Shape::Heart, Style::Enamel, QColor(196, 38, 42), QColor()},                    // red
    {Shape::Plus, Style::Enamel, QColor(232, 120, 26), QColor()},                    // orange
    {Shape::TriangleUp, Style::Enamel, QColor(52, 140, 60), QColor()},               // green
    {Shape::Disc, Style::Enamel, QColor(22, 140, 146), QColor()},                    // teal
    {Shape::Diamond, Style::Enamel, QColor(44, 84, 186), QColor()},                  // blue
    {Shape::Star5, Style::Enamel, QColor(120, 58, 160), QColor()},                   // purple
    {Shape::Crescent, Style::Enamel, QColor(196, 48, 130), QColor()},                // magenta
    {Shape::Bolt, Style::Pale, QColor(246, 212, 64), QColor(112, 74, 8)},            // yellow
    {Shape::Trefoil, Style::Pale, QColor(188, 222, 92), QColor(38, 88, 20)},         // lime
    {Shape::TriangleDown, Style::Pale, QColor(152, 204, 240), QColor(20, 58, 120)},  // sky
    {Shape::Ring, Style::Pale, QColor(246, 180, 192), QColor(160, 28, 52)},          // rose
    {Shape::Hourglass, Style::Pale, QColor(222, 194, 148), QColor(96, 56, 22)},      // tan
    {Shape::Dome, Style::Pale, QColor(202, 182, 238), QColor(82, 40, 132)},          // lavender
    {Shape::Checker, Style::Pale, QColor(246, 242, 230), QColor(34, 32, 30)},        // ivory
    {Shape::Saltire, Style::Dark, QColor(118, 16, 46), QColor(250, 168, 168)},       // maroon
    {Shape::Square, Style::Dark, QColor(136, 58, 22), QColor(246, 204, 96)},         // brown
    {Shape::Bars, Style::Dark, QColor(80, 100, 16), QColor(240, 196, 84)},           // olive
    {Shape::Drop, Style::Dark, QColor(16, 86, 52), QColor(160, 230, 172)},           // forest
    {Shape::Chevron, Style::Dark, QColor(22, 34, 98), QColor(150, 192, 250)},        // navy
    {Shape::Frame, Style::Dark, QColor(30, 30, 34), QColor(236, 236, 236)},          // charcoal
    {Shape::Dots, Style::Dark, QColor(96, 26, 104), QColor(222, 172, 242)},          // plum
};

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath StarPath(int points, double outer, double inner) {
  QPolygonF poly;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    const double r = i % 2 == 0 ? outer : inner;
    poly << QPointF(r * std::cos(a), r * std::sin(a));
  }
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  return path;
}

QPainterPath Rect(double x, double y, double w, double h) {
  QPainterPath path;
  path.addRect(QRectF(x, y, w, h));
  return path;
}

QPainterPath Circle(double cx, double cy, double r) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), r, r);
  return path;
}

// The symbol in a box from -1 to 1, centred on the origin.
QPainterPath ShapePath(Shape shape) {
  QPainterPath path;
  switch (shape) {
    case Shape::Heart:
      path.moveTo(0, 0.95);
      path.cubicTo(-0.55, 0.5, -1.05, 0.1, -1.0, -0.38);
      path.cubicTo(-0.95, -0.95, -0.2, -1.05, 0, -0.52);
      path.cubicTo(0.2, -1.05, 0.95, -0.95, 1.0, -0.38);
      path.cubicTo(1.05, 0.1, 0.55, 0.5, 0, 0.95);
      path.closeSubpath();
      return path;
    case Shape::Plus:
      path.addRect(QRectF(-0.3, -0.95, 0.6, 1.9));
      return path.united(Rect(-0.95, -0.3, 1.9, 0.6));
    case Shape::TriangleUp:
      return Polygon({{0, -0.95}, {1.0, 0.8}, {-1.0, 0.8}});
    case Shape::TriangleDown:
      return Polygon({{0, 0.95}, {1.0, -0.8}, {-1.0, -0.8}});
    case Shape::Disc:
      return Circle(0, 0, 0.85);
    case Shape::Diamond:
      return Polygon({{0, -1.0}, {0.78, 0}, {0, 1.0}, {-0.78, 0}});
    case Shape::Star5:
      return StarPath(5, 1.05, 0.44).translated(0, 0.08);
    case Shape::Checker:
      return Rect(-0.9, -0.9, 0.9, 0.9)
          .united(Rect(0, 0, 0.9, 0.9))
          .united(Polygon({{-0.9, -0.9}, {0.9, -0.9}, {0.9, 0.9}, {-0.9, 0.9}})
                      .subtracted(Rect(-0.78, -0.78, 1.56, 1.56)));
    case Shape::Crescent:
      return Circle(0, 0, 0.92).subtracted(Circle(0.42, -0.22, 0.74));
    case Shape::Drop:
      path.moveTo(0, -1.0);
      path.cubicTo(0.25, -0.55, 0.75, -0.1, 0.72, 0.3);
      path.cubicTo(0.7, 0.75, 0.38, 0.98, 0, 0.98);
      path.cubicTo(-0.38, 0.98, -0.7, 0.75, -0.72, 0.3);
      path.cubicTo(-0.75, -0.1, -0.25, -0.55, 0, -1.0);
      path.closeSubpath();
      return path;
    case Shape::Dome:
      path.moveTo(-0.98, 0.62);
      path.arcTo(QRectF(-0.98, -0.98, 1.96, 3.2), 180, -180);
      path.closeSubpath();
      return path;
    case Shape::Ring:
      // Two ellipses under the odd-even rule keep the curves true; a boolean
      // subtraction would flatten them into a polygon.
      path.addEllipse(QPointF(0, 0), 0.92, 0.92);
      path.addEllipse(QPointF(0, 0), 0.48, 0.48);
      return path;
    case Shape::Square:
      path.addRoundedRect(QRectF(-0.78, -0.78, 1.56, 1.56), 0.12, 0.12);
      return path;
    case Shape::Frame: {
      QPainterPath inner;
      path.addRect(QRectF(-0.88, -0.88, 1.76, 1.76));
      inner.addRect(QRectF(-0.42, -0.42, 0.84, 0.84));
      return path.subtracted(inner);
    }
    case Shape::Saltire: {
      QPainterPath bar;
      bar.addRect(QRectF(-0.27, -1.2, 0.54, 2.4));
      QPainterPath a = QTransform().rotate(45).map(bar);
      QPainterPath b = QTransform().rotate(-45).map(bar);
      return a.united(b);
    }
    case Shape::Trefoil:
      path = Circle(0, -0.46, 0.44).united(Circle(-0.47, 0.28, 0.44));
      path = path.united(Circle(0.47, 0.28, 0.44));
      return path.united(Polygon({{0, -0.1}, {0.22, 1.0}, {-0.22, 1.0}}));
    case Shape::Bolt:
      return Polygon(
          {{0.5, -1.0}, {-0.86, 0.2}, {-0.1, 0.2}, {-0.5, 1.05}, {0.88, -0.24}, {0.14, -0.24}});
    case Shape::Hourglass:
      return Polygon(
          {{-0.8, -0.95}, {0.8, -0.95}, {0.14, 0}, {0.8, 0.95}, {-0.8, 0.95}, {-0.14, 0}});
    case Shape::Bars:
      // Gaps wide enough to read as stripes, not as a square, when small.
      path.addRect(QRectF(-0.95, -0.85, 1.9, 0.46));
      path.addRect(QRectF(-0.95, -0.23, 1.9, 0.46));
      path.addRect(QRectF(-0.95, 0.39, 1.9, 0.46));
      return path;
    case Shape::Dots:
      path = Circle(0, -0.5, 0.4).united(Circle(-0.55, 0.45, 0.4));
      return path.united(Circle(0.55, 0.45, 0.4));
    case Shape::Chevron:
      return Polygon(
          {{-0.95, 0.15}, {0, -0.8}, {0.95, 0.15}, {0.95, 0.75}, {0, -0.2}, {-0.95, 0.75}});
  }
  return path;
}

// ---------------------------------------------------------------- pictures

struct Palette {
  QColor body;    // tile face
  QColor symbol;  // the symbol's own colour
  QColor edge;    // thin outline round the symbol
  bool gilt;      // a gilt rim inside the bevel
};

Palette PaletteOf(int m) {
  const Picture& pic = kPictures[m];
  switch (pic.style) {
    case Style::Enamel:
      return {pic.body, kIvory, Mix(pic.body, Qt::black, 0.55), false};
    case Style::Pale:
      return {pic.body, pic.symbol, Mix(pic.symbol, Qt::black, 0.4), false};
    case Style::Dark:
      break;
  }
  return {pic.body, pic.symbol, Mix(pic.body, Qt::black, 0.6), true};
}

void FillSymbol(QPainter& p, const QPainterPath& path, const Palette& pal, const QRectF& box,
                double outline, bool shadow) {
  if (shadow) p.fillPath(path.translated(1.2, 1.4), QColor(0, 0, 0, 95));
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, Mix(pal.symbol, Qt::white, 0.35));
  g.setColorAt(0.55, pal.symbol);
  g.setColorAt(1, Mix(pal.symbol, Qt::black, 0.18));
  p.fillPath(path, g);
  if (outline > 0) {
    p.setPen(QPen(pal.edge, outline));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  }
}

// One 35 x 35 board picture: a bevelled tile with its symbol embossed.
void DrawLargePicture(QImage& atlas, const QRect& cell, int m) {
  const Palette pal = PaletteOf(m);
  QPainter p(&atlas);
  p.fillRect(cell, QColor(28, 16, 8));  // the joint between neighbouring tiles
  const QRect body = cell.adjusted(1, 1, -1, -1);
  FillVertical(p, body, Mix(pal.body, Qt::white, 0.16), Mix(pal.body, Qt::black, 0.16));
  // A soft sheen towards the top left, as on glazed enamel.
  QRadialGradient sheen(QPointF(body.left() + 10, body.top() + 9), 22);
  sheen.setColorAt(0, QColor(255, 255, 255, 60));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(body, sheen);
  DrawBevel(p, body, pal.body, 3, true);
  if (pal.gilt) PixelFrame(p, body.adjusted(4, 4, -5, -5), Mix(kGilt, pal.body, 0.3));
  p.end();
  AddGrain(atlas, body.adjusted(3, 3, -3, -3), 3, 100 + m);

  p.begin(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(body.left() + 6.5, body.top() + 6.5, 20, 20);
  const QTransform t = QTransform().translate(box.center().x(), box.center().y()).scale(10, 10);
  FillSymbol(p, t.map(ShapePath(kPictures[m].shape)), pal, box, 0.9, true);
}

// One 15 x 15 miniature picture: the same colours and symbol, simplified.
void DrawSmallPicture(QImage& atlas, const QRect& cell, int m) {
  const Palette pal = PaletteOf(m);
  QPainter p(&atlas);
  p.fillRect(cell, QColor(28, 16, 8));
  const QRect body = cell.adjusted(0, 0, -1, -1);
  FillVertical(p, body, Mix(pal.body, Qt::white, 0.12), Mix(pal.body, Qt::black, 0.12));
  DrawBevel(p, body, pal.body, 1, true);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(body.left() + 2.0, body.top() + 2.0, 10, 10);
  const QTransform t = QTransform().translate(box.center().x(), box.center().y()).scale(5, 5);
  FillSymbol(p, t.map(ShapePath(kPictures[m].shape)), pal, box, 0, false);
}

// ---------------------------------------------------------------- background

// A push key with an engraved arrow; dx, dy is where a left press sends the line.
void DrawKey(QPainter& p, const QRect& key, int dx, int dy) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(key.adjusted(-1, -1, 1, 1), QColor(60, 36, 16));
  FillVertical(p, key, Mix(kBrass, Qt::white, 0.25), Mix(kBrass, Qt::black, 0.2));
  DrawBevel(p, key, kBrass, 2, true);

  p.setRenderHint(QPainter::Antialiasing, true);
  const QPointF c = QRectF(key).center();
  // An arrow pointing along +x, turned to (dx, dy).
  QPainterPath arrow;
  arrow.moveTo(7, 0);
  arrow.lineTo(-1, -7);
  arrow.lineTo(-1, -3);
  arrow.lineTo(-7, -3);
  arrow.lineTo(-7, 3);
  arrow.lineTo(-1, 3);
  arrow.lineTo(-1, 7);
  arrow.closeSubpath();
  const double angle = std::atan2(dy, dx) * 180 / std::numbers::pi;
  const QTransform t = QTransform().translate(c.x(), c.y()).rotate(angle);
  const QPainterPath shape = t.map(arrow);
  // Engraved: a light lip below, the dark cut above it.
  p.fillPath(shape.translated(0.8, 0.9), Mix(kBrass, Qt::white, 0.55));
  p.fillPath(shape, QColor(74, 44, 18));
}

void DrawRivet(QPainter& p, QPointF c) {
  QRadialGradient g(c - QPointF(1.5, 1.5), 5);
  g.setColorAt(0, Mix(kBrass, Qt::white, 0.6));
  g.setColorAt(0.6, kBrass);
  g.setColorAt(1, Mix(kBrass, Qt::black, 0.5));
  p.setPen(QPen(QColor(60, 36, 16), 1));
  p.setBrush(g);
  p.drawEllipse(c, 4.5, 4.5);
}

// Two arrows chasing each other round a ring: lines that turn and come back.
void DrawMedallion(QPainter& p, QPointF c, double r) {
  QRadialGradient g(c - QPointF(r * 0.35, r * 0.35), r * 1.4);
  g.setColorAt(0, Mix(kBrass, Qt::white, 0.45));
  g.setColorAt(0.7, kBrass);
  g.setColorAt(1, Mix(kBrass, Qt::black, 0.35));
  p.setPen(QPen(QColor(70, 42, 18), 2));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(Mix(kBrass, Qt::black, 0.3), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r - 4, r - 4);

  const double ring = r * 0.55;
  const QColor ink(80, 46, 18);
  for (int half = 0; half < 2; ++half) {
    const double start = half * 180 + 20;
    QPainterPath arc;
    const QRectF box(c.x() - ring, c.y() - ring, 2 * ring, 2 * ring);
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, 130);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    // The head at the arc's end, pointing on round the ring.
    const double end = (start + 130) * std::numbers::pi / 180;
    const QPointF tip(c.x() + ring * std::cos(end), c.y() - ring * std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end));  // direction of travel
    const QPointF across(std::cos(end), -std::sin(end));
    QPainterPath head;
    head.moveTo(tip + along * 7);
    head.lineTo(tip + across * 6);
    head.lineTo(tip - across * 6);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(head, ink);
  }
}

void DrawBackground(QImage& atlas) {
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  // Table top: dark walnut with slow streaks.
  FillVertical(p, QRect(0, 0, kWidth, kHeight), kWalnutTop, kWalnutBottom);
  for (int i = 0; i < 15; ++i) {
    p.setPen(QPen(QColor(36, 20, 10, 60), 1));
    const int y = 6 + i * 23 + (i % 3) * 4;
    QPainterPath streak;
    streak.moveTo(0, y);
    streak.cubicTo(170, y - 5, 320, y + 7, kWidth, y - 2);
    p.drawPath(streak);
  }
  p.end();
  AddGrain(atlas, QRect(0, 0, kWidth, kHeight), 6, 41);

  // The tray: honey oak, raised, with the board sunk into it.
  p.begin(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath tray;
  tray.addRoundedRect(kTray, 9, 9);
  p.fillPath(tray.translated(3, 3), QColor(0, 0, 0, 90));
  p.fillPath(tray, kOak);
  p.setRenderHint(QPainter::Antialiasing, false);
  DrawBevel(p, kTray, kOak, 4, true);
  p.end();
  AddGrain(atlas, kTray.adjusted(4, 4, -4, -4), 5, 43);

  p.begin(&atlas);
  // The well: a dark groove round the board.
  const QRect well = kBoard.adjusted(-4, -4, 4, 4);
  p.fillRect(well, QColor(34, 20, 10));
  DrawBevel(p, well, Mix(kOak, Qt::black, 0.3), 3, false);
  p.fillRect(kBoard, QColor(24, 14, 8));

  // One key at each end of every row and column, the arrow pointing inwards.
  for (int i = 0; i < 7; ++i) {
    const int along = 35 * i;
    DrawKey(p, QRect(29, 44 + along + 4, 24, 27), 1, 0);    // left: pushes right
    DrawKey(p, QRect(312, 44 + along + 4, 24, 27), -1, 0);  // right: pushes left
    DrawKey(p, QRect(60 + along + 4, 13, 27, 24), 0, 1);    // top: pushes down
    DrawKey(p, QRect(60 + along + 4, 296, 27, 24), 0, -1);  // bottom: pushes up
  }
  p.setRenderHint(QPainter::Antialiasing);
  for (const QPointF c : {QPointF(41, 25), QPointF(324, 25), QPointF(41, 308), QPointF(324, 308)})
    DrawRivet(p, c);

  // The right-hand panel.
  const QRect panel(352, 12, 138, 310);
  QPainterPath panelPath;
  panelPath.addRoundedRect(panel, 8, 8);
  p.fillPath(panelPath.translated(3, 3), QColor(0, 0, 0, 90));
  p.fillPath(panelPath, kOak);
  p.setRenderHint(QPainter::Antialiasing, false);
  DrawBevel(p, panel, kOak, 3, true);
  p.end();
  AddGrain(atlas, panel.adjusted(3, 3, -3, -3), 5, 47);

  p.begin(&atlas);
  // The miniature's window: a brass frame round a dark inset.
  const QRect frame = kMini.adjusted(-7, -7, 7, 7);
  FillVertical(p, frame, Mix(kBrass, Qt::white, 0.2), Mix(kBrass, Qt::black, 0.25));
  DrawBevel(p, frame, kBrass, 3, true);
  const QRect inset = kMini.adjusted(-2, -2, 2, 2);
  p.fillRect(inset, QColor(24, 14, 8));
  DrawBevel(p, inset, Mix(kBrass, Qt::black, 0.3), 2, false);
  p.setRenderHint(QPainter::Antialiasing);

  DrawMedallion(p, QPointF(419, 190), 27);

  // Name plaque; resting the mouse on it shows the rules.
  const QRect plaque(359, 232, 124, 38);
  QPainterPath plaquePath;
  plaquePath.addRoundedRect(plaque, 6, 6);
  QLinearGradient pg(plaque.topLeft(), plaque.bottomLeft());
  pg.setColorAt(0, QColor(120, 30, 26));
  pg.setColorAt(1, QColor(78, 16, 14));
  p.fillPath(plaquePath, pg);
  p.setPen(QPen(Mix(kBrass, Qt::white, 0.2), 2));
  p.drawPath(plaquePath);
  p.setFont(PixelFont("DejaVu Serif", 21, true));
  DrawShadowText(p, plaque.adjusted(0, 0, 0, -1), "TRANSIT", kGilt, QColor(40, 8, 6));

  // The level number's plate.
  const QRect plate(438, 279, 46, 36);
  QPainterPath platePath;
  platePath.addRoundedRect(plate, 7, 7);
  p.fillPath(platePath.translated(1.5, 1.5), QColor(0, 0, 0, 80));
  QLinearGradient ivory(plate.topLeft(), plate.bottomLeft());
  ivory.setColorAt(0, kIvory);
  ivory.setColorAt(1, QColor(222, 206, 170));
  p.fillPath(platePath, ivory);
  p.setPen(QPen(Mix(kBrass, Qt::black, 0.2), 1.5));
  p.drawPath(platePath);

  // Beside it, engraved: a small pattern grid and a pointer, "pattern number".
  const QColor cut(92, 56, 24);
  const QColor lip = Mix(kOak, Qt::white, 0.35);
  for (int gx = 0; gx < 3; ++gx) {
    for (int gy = 0; gy < 3; ++gy) {
      const QRectF cell(384 + 7 * gx, 287 + 7 * gy, 5, 5);
      p.fillRect(cell.translated(0.8, 0.8), lip);
      p.fillRect(cell, (gx + gy) % 2 == 0 ? cut : Mix(cut, kOak, 0.45));
    }
  }
  QPainterPath pointer;
  pointer.moveTo(418, 290);
  pointer.lineTo(428, 297);
  pointer.lineTo(418, 304);
  pointer.closeSubpath();
  p.fillPath(pointer.translated(0.8, 0.8), lip);
  p.fillPath(pointer, cut);
}

QImage DrawAtlas(int scale) {
  QImage atlas = NewImage(kWidth, kHeight, Qt::black, scale);
  DrawBackground(atlas);
  for (int m = 0; m < 21; ++m) {
    DrawLargePicture(atlas, QRect(60 + 35 * (m % 7), 44 + 35 * (m / 7), 35, 35), m);
    DrawSmallPicture(atlas, QRect(362 + 15 * (m % 7), 44 + 15 * (m / 7), 15, 15), m);
  }
  return atlas;
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    for (int scale : kScales) {
      if (!SaveScaled(DrawAtlas(scale), out, "b4", ".bmp")) return false;
    }
    return true;
  });
}
