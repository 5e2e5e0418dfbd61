// Draws the pictures of the dialogs: the background that the message dialogs
// and the high-score dialog lie on (320 x 200, true colour) and the small
// button pictures (18 x 18), each also at 2x and 3x for high-density screens.
//
// The background is a sheet of parchment over which the game's tiles lie as
// faint ghosts: it has to carry the game's look yet stay light and quiet
// everywhere, since the message dialogs show only its lower-left part and black
// text lies on every area of it.
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

constexpr int kWidth = 320;
constexpr int kHeight = 200;
const QColor kParchment(240, 228, 198);
const QColor kParchmentDeep(228, 210, 172);

// A faint tile: a slightly darker face with a soft bevel and a ghost of a
// number, like the BOSS tiles seen through paper.
void GhostTile(QPainter& p, const QRectF& r, int number, double strength, const QColor& tint) {
  const QColor face = Mix(kParchment, tint, strength);
  const QColor light = Mix(face, Qt::white, 0.45);
  const QColor dark = Mix(face, QColor(120, 80, 40), 0.35);
  QPainterPath path;
  path.addRoundedRect(r, 4, 4);
  p.fillPath(path, face);
  p.setPen(QPen(light, 1.2));
  p.drawLine(r.topLeft() + QPointF(3, 1), r.topRight() + QPointF(-3, 1));
  p.drawLine(r.topLeft() + QPointF(1, 3), r.bottomLeft() + QPointF(1, -3));
  p.setPen(QPen(dark, 1.2));
  p.drawLine(r.bottomLeft() + QPointF(3, -1), r.bottomRight() + QPointF(-3, -1));
  p.drawLine(r.topRight() + QPointF(-1, 3), r.bottomRight() + QPointF(-1, -3));
  if (number > 0) {
    p.setFont(PixelFont("DejaVu Sans", static_cast<int>(r.height() * 0.5), true));
    p.setPen(Mix(face, QColor(168, 40, 36), 0.16));
    p.drawText(r, Qt::AlignCenter, QString::number(number));
  }
}

QImage Background(int scale) {
  QImage image = NewImage(kWidth, kHeight, kParchment, scale);
  const QRect sheet = LayoutRect(image);
  {
    QPainter p(&image);
    FillVertical(p, sheet, Mix(kParchment, Qt::white, 0.25), kParchmentDeep);
  }
  // Fibres of the paper: long, very light streaks.
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 gen(29);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < 70; ++i) {
      const double y = u(gen) * kHeight;
      const double x = u(gen) * kWidth - 40;
      QPainterPath fibre;
      fibre.moveTo(x, y);
      fibre.cubicTo(x + 30, y + 4 * (u(gen) - 0.5), x + 60, y + 4 * (u(gen) - 0.5), x + 90,
                    y + 3 * (u(gen) - 0.5));
      p.setPen(QPen(QColor(170, 130, 80, 18 + static_cast<int>(u(gen) * 14)), 1));
      p.drawPath(fibre);
    }
  }
  // The ghost tiles: a loose 40-pixel grid with gaps and a few tiles half
  // slid out of place, as on a board being played.
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> pick(0, 99);
    int number = 1;
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 8; ++column) {
        const int roll = pick(gen);
        if (roll < 22) continue;  // a gap
        QRectF r(column * 40 + 3, row * 40 + 3, 34, 34);
        if (roll > 88) r.translate(row % 2 ? 12 : 0, row % 2 ? 0 : 12);
        // Most tiles in the paper's own brown; now and then the red of a BOSS
        // tile or the green of the TILZ plate shows through.
        const QColor tint = roll % 11 == 0   ? QColor(190, 60, 50)
                            : roll % 13 == 0 ? QColor(60, 150, 80)
                                             : QColor(200, 170, 120);
        GhostTile(p, r, roll % 3 == 0 ? number : 0, 0.10 + (roll % 5) * 0.012, tint);
        ++number;
      }
    }
    // A crossing of two tracks, the CRUX mark, drawn as a faint stamp.
    p.setPen(QPen(QColor(150, 90, 40, 40), 2));
    p.setBrush(Qt::NoBrush);
    const QPointF centre(262, 62);
    p.drawEllipse(centre, 38, 38);
    p.drawEllipse(centre, 33, 33);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 90, 40, 26));
    p.drawRect(QRectF(centre.x() - 28, centre.y() - 7, 56, 14));
    p.drawRect(QRectF(centre.x() - 7, centre.y() - 28, 14, 56));
  }
  AddGrain(image, sheet, 4, 41);
  // Browned edges, the wear of an old sheet; kept thin so that nothing dark
  // reaches where text lies.
  {
    QPainter p(&image);
    for (int i = 0; i < 6; ++i) {
      PixelFrame(p, QRect(i, i, kWidth - 1 - 2 * i, kHeight - 1 - 2 * i),
                 QColor(150, 100, 50, 46 - i * 7));
    }
  }
  return image;
}

QPen Line(const QColor& c, double w) {
  return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

using GlyphPainter = void (*)(QPainter&);

const QColor kGreen(30, 140, 60);
const QColor kGreenDark(16, 90, 36);
const QColor kRed(200, 36, 30);
const QColor kRedDark(120, 16, 12);

// Every glyph is drawn on an 18 x 18 grid.
void Continue(QPainter& p) {  // a play arrow: the game goes on
  QPainterPath arrow;
  arrow.moveTo(4, 2.5);
  arrow.lineTo(15.5, 9);
  arrow.lineTo(4, 15.5);
  arrow.closeSubpath();
  p.setPen(Line(kGreenDark, 1.2));
  p.setBrush(kGreen);
  p.drawPath(arrow);
  p.setPen(Line(QColor(255, 255, 255, 120), 1));
  p.drawLine(QPointF(5.5, 5), QPointF(5.5, 11));
}
void Tick(QPainter& p) {  // OK: a check mark
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(kGreenDark, 4.2));
  p.drawPolyline(QPolygonF({{2.5, 9.5}, {7, 14}, {15.5, 3.5}}));
  p.setPen(Line(kGreen, 2.4));
  p.drawPolyline(QPolygonF({{2.5, 9.5}, {7, 14}, {15.5, 3.5}}));
}
void Yes(QPainter& p) {  // a green button with a check mark
  p.setPen(Line(kGreenDark, 1));
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(Qt::white, 2));
  p.drawPolyline(QPolygonF({{5, 9}, {8, 12}, {13, 5.5}}));
}
void No(QPainter& p) {  // a red button with a cross
  p.setPen(Line(kRedDark, 1));
  p.setBrush(kRed);
  p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
  p.setPen(Line(Qt::white, 2));
  p.drawLine(QPointF(6, 6), QPointF(12, 12));
  p.drawLine(QPointF(12, 6), QPointF(6, 12));
}
void Podium(QPainter& p) {  // the winners' podium with the places 1, 2 and 3
  const QColor wood(190, 130, 60);
  p.setPen(Line(QColor(90, 50, 20), 0.8));
  p.setBrush(wood);
  p.drawRect(QRectF(6.5, 4.5, 5, 12));  // 1 in the middle, highest
  p.setBrush(Mix(wood, Qt::white, 0.2));
  p.drawRect(QRectF(1.5, 8.5, 5, 8));  // 2 on the left
  p.setBrush(Mix(wood, Qt::black, 0.15));
  p.drawRect(QRectF(11.5, 10.5, 5, 6));  // 3 on the right
  QFont font = PixelFont("DejaVu Sans", 6, true);
  p.setFont(font);
  p.setPen(QColor(255, 236, 120));
  p.drawText(QRectF(6.5, 4.5, 5, 7), Qt::AlignCenter, "1");
  p.setPen(Qt::white);
  p.drawText(QRectF(1.5, 8.5, 5, 7), Qt::AlignCenter, "2");
  p.drawText(QRectF(11.5, 10.5, 5, 6), Qt::AlignCenter, "3");
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 170, 20));  // the winner's star above
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const double radius = i % 2 ? 1.3 : 3.0;
    star << QPointF(9 + radius * std::cos(angle), 2.6 + radius * std::sin(angle));
  }
  p.drawPolygon(star);
}
void Cross(QPainter& p) {  // the red cross of Cancel
  p.setPen(Line(kRedDark, 4.4));
  p.drawLine(QPointF(3.5, 3.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 3.5), QPointF(3.5, 14.5));
  p.setPen(Line(kRed, 2.6));
  p.drawLine(QPointF(3.5, 3.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 3.5), QPointF(3.5, 14.5));
}
void CrossDisabled(QPainter& p) {  // the same cross as a grey outline
  QPainterPath bar;
  bar.moveTo(3.5, 3.5);
  bar.lineTo(14.5, 14.5);
  bar.moveTo(14.5, 3.5);
  bar.lineTo(3.5, 14.5);
  QPainterPathStroker stroker;
  stroker.setWidth(3.6);
  stroker.setCapStyle(Qt::RoundCap);
  const QPainterPath outline = stroker.createStroke(bar).simplified();
  p.setBrush(QColor(255, 255, 255, 160));
  p.setPen(Line(QColor(128, 128, 128), 1));
  p.drawPath(outline.translated(0.5, 0.5));
}

const std::map<QString, GlyphPainter>& Glyphs() {
  static const std::map<QString, GlyphPainter> glyphs = {
      {"continue", Continue},
      {"ok", Tick},
      {"yes", Yes},
      {"no", No},
      {"podium", Podium},
      {"cross", Cross},
      {"cross_disabled", CrossDisabled},
  };
  return glyphs;
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    bool ok = true;
    for (int scale : kScales) {
      ok = ok && SaveScaled(Background(scale), out, "background");
    }
    for (const auto& [name, paint] : Glyphs()) {
      ok = ok && SaveAtScales(out, "glyph_" + name, QSize(18, 18), paint);
    }
    return ok;
  });
}
