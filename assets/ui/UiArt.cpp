// Draws the pictures built into the program: the clock's digit strip and the
// toolbar glyphs (each at 1x, 2x and 3x for sharp high-density screens) and
// the window icon in the usual sizes.
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>
#include <array>
#include <cmath>
#include <map>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

// Seven-segment digits, lit green on black; the blank cell shows every
// segment unlit. 11 x 20 cells, the blank at x 110.
QImage DigitStrip(int scale) {
  QImage strip = NewImage(121, 20, Qt::black, scale);
  // Segments a..g as rectangles in an 11 x 20 cell.
  const std::array<QRectF, 7> seg = {
      QRectF(2.5, 1, 6, 2),   // a
      QRectF(8, 2.5, 2, 7),   // b
      QRectF(8, 10.5, 2, 7),  // c
      QRectF(2.5, 17, 6, 2),  // d
      QRectF(1, 10.5, 2, 7),  // e
      QRectF(1, 2.5, 2, 7),   // f
      QRectF(2.5, 9, 6, 2),   // g
  };
  const std::array<const char*, 10> lit = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                           "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (int cell = 0; cell < 11; ++cell) {
    const QString on = cell < 10 ? QString(lit[cell]) : QString();
    for (int s = 0; s < 7; ++s) {
      const bool isOn = on.contains(QChar('a' + s));
      QRectF r = seg[s].translated(cell * 11, 0);
      QPainterPath path;
      path.addRoundedRect(r, 0.9, 0.9);
      p.fillPath(path, isOn ? QColor(120, 255, 40) : QColor(18, 40, 12));
    }
  }
  return strip;
}

using GlyphPainter = void (*)(QPainter&);

QPen Line(const QColor& c, double w) {
  return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor kInk(36, 40, 52);
const QColor kBlue(40, 110, 200);
const QColor kRed(200, 48, 40);
const QColor kGreen(40, 150, 70);
const QColor kGold(222, 168, 30);

// Every glyph is drawn on a 20 x 20 grid.
void Mix(QPainter& p) {  // two crossing arrows: shuffle
  p.setPen(Line(kBlue, 2));
  p.setBrush(Qt::NoBrush);
  QPainterPath a;
  a.moveTo(2, 6);
  a.cubicTo(9, 6, 10, 14, 17, 14);
  QPainterPath b;
  b.moveTo(2, 14);
  b.cubicTo(9, 14, 10, 6, 17, 6);
  p.drawPath(a);
  p.drawPath(b);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({{19, 6}, {14.5, 2.5}, {14.5, 9.5}}));
  p.drawPolygon(QPolygonF({{19, 14}, {14.5, 10.5}, {14.5, 17.5}}));
}
void Option(QPainter& p) {  // stack of pattern cards
  p.setPen(Line(kInk, 1.2));
  p.setBrush(QColor(250, 220, 120));
  p.drawRect(QRectF(6.5, 2.5, 11, 11));
  p.setBrush(QColor(150, 200, 250));
  p.drawRect(QRectF(2.5, 6.5, 11, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(4.5, 8.5, 3, 3));
  p.drawRect(QRectF(8.5, 12.5, 3, 3));
}
void Pause(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(5, 3, 3.5, 14), 1, 1);
  p.drawRoundedRect(QRectF(11.5, 3, 3.5, 14), 1, 1);
}
void Sound(QPainter& p) {  // loudspeaker with waves
  p.setPen(Line(kInk, 1));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({{2, 7.5}, {5.5, 7.5}, {10, 3}, {10, 17}, {5.5, 12.5}, {2, 12.5}}));
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(kBlue, 1.6));
  p.drawArc(QRectF(8, 6, 6, 8), -60 * 16, 120 * 16);
  p.drawArc(QRectF(7, 3, 10, 14), -60 * 16, 120 * 16);
}
void Music(QPainter& p) {  // two beamed notes
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QRectF(2, 13, 5.5, 4.5));
  p.drawEllipse(QRectF(11, 11, 5.5, 4.5));
  p.setPen(Line(kInk, 1.6));
  p.drawLine(QPointF(7, 15), QPointF(7, 4));
  p.drawLine(QPointF(16, 13), QPointF(16, 2));
  p.setPen(Line(kInk, 2.6));
  p.drawLine(QPointF(7, 4), QPointF(16, 2));
}
void Trophy(QPainter& p) {
  p.setPen(Line(QColor(120, 80, 10), 1));
  p.setBrush(kGold);
  QPainterPath cup;
  cup.moveTo(5, 2.5);
  cup.lineTo(15, 2.5);
  cup.cubicTo(15, 9, 13, 11.5, 10, 11.5);
  cup.cubicTo(7, 11.5, 5, 9, 5, 2.5);
  p.drawPath(cup);
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(kGold, 1.5));
  p.drawArc(QRectF(1.5, 3.5, 5, 5), 90 * 16, 180 * 16);
  p.drawArc(QRectF(13.5, 3.5, 5, 5), -90 * 16, 180 * 16);
  p.setPen(Line(QColor(120, 80, 10), 1));
  p.setBrush(kGold);
  p.drawRect(QRectF(9, 11.5, 2, 3.5));
  p.drawRect(QRectF(5.5, 15, 9, 2.5));
}
void Exit(QPainter& p) {  // door with an arrow leaving it
  p.setPen(Line(kInk, 1.2));
  p.setBrush(QColor(180, 120, 70));
  p.drawRect(QRectF(3.5, 2.5, 8, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QRectF(9, 9.5, 1.5, 1.5));
  p.setPen(Line(kRed, 2));
  p.drawLine(QPointF(10, 10), QPointF(17, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawPolygon(QPolygonF({{19, 10}, {15, 6.5}, {15, 13.5}}));
}
void Crux(QPainter& p) {  // the cross of two tracks
  p.setPen(Line(kInk, 1));
  p.setBrush(QColor(230, 150, 40));
  p.drawRect(QRectF(1.5, 7.5, 17, 5));
  p.setBrush(QColor(60, 140, 220));
  p.drawRect(QRectF(7.5, 1.5, 5, 17));
  p.setBrush(QColor(230, 150, 40));
  p.drawRect(QRectF(7.5, 7.5, 5, 5));
}
void Tilz(QPainter& p) {  // plates, the big one green
  p.setPen(Line(kInk, 1));
  p.setBrush(QColor(60, 170, 80));
  p.drawRect(QRectF(1.5, 1.5, 10, 10));
  p.setBrush(QColor(210, 170, 100));
  p.drawRect(QRectF(12.5, 1.5, 5, 10));
  p.drawRect(QRectF(1.5, 12.5, 10, 5));
  p.setBrush(QColor(230, 200, 140));
  p.drawRect(QRectF(12.5, 12.5, 5, 5));
}
void Boss(QPainter& p) {  // numbered tiles with a gap
  const QColor faces[2] = {QColor(236, 222, 190), QColor(168, 40, 36)};
  p.setFont(PixelFont("DejaVu Sans", 7, true));
  for (int i = 0; i < 4; ++i) {
    if (i == 3) continue;
    const QRectF r(1.5 + 9 * (i % 2), 1.5 + 9 * (i / 2), 8, 8);
    p.setPen(Line(kInk, 1));
    p.setBrush(faces[i % 2]);
    p.drawRect(r);
    p.setPen(i % 2 ? Qt::white : kRed);
    p.drawText(r, Qt::AlignCenter, QString::number(i + 1));
  }
}
void Transit(QPainter& p) {  // grid with a row turning round
  p.setPen(Line(QColor(120, 120, 140), 1));
  for (int i = 0; i <= 3; ++i) {
    p.drawLine(QPointF(3 + 4.7 * i, 3), QPointF(3 + 4.7 * i, 17));
    p.drawLine(QPointF(3, 3 + 4.7 * i), QPointF(17, 3 + 4.7 * i));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 70, 160));
  p.drawRect(QRectF(3.5, 8, 13.5, 4));
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({{19.5, 10}, {16.5, 7}, {16.5, 13}}));
  p.drawPolygon(QPolygonF({{0.5, 10}, {3.5, 7}, {3.5, 13}}));
}
void Tongue(QPainter& p) {  // speech bubble
  p.setPen(Line(kInk, 1.2));
  p.setBrush(Qt::white);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(1.5, 2.5, 17, 11), 4, 4);
  bubble.moveTo(5, 13);
  bubble.lineTo(4, 18);
  bubble.lineTo(10, 13.5);
  p.drawPath(bubble.simplified());
  p.setFont(PixelFont("DejaVu Sans", 7, true));
  p.setPen(kBlue);
  p.drawText(QRectF(1.5, 2.5, 17, 11), Qt::AlignCenter, "D/E");
}
void Help(QPainter& p) {
  p.setPen(Line(kBlue, 1));
  p.setBrush(QColor(60, 130, 220));
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  p.setFont(PixelFont("DejaVu Sans", 14, true));
  p.setPen(Qt::white);
  p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, "?");
}
void Info(QPainter& p) {
  p.setPen(Line(kGreen, 1));
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  p.setFont(PixelFont("DejaVu Serif", 14, true, true));
  p.setPen(Qt::white);
  p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, "i");
}
void Zindle(QPainter& p) {  // the makers' mark
  p.setPen(Line(QColor(110, 30, 120), 1));
  p.setBrush(QColor(150, 50, 170));
  p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 4, 4);
  p.setPen(Line(Qt::white, 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({{5.5, 5.5}, {14.5, 5.5}, {5.5, 14.5}, {14.5, 14.5}}));
}

const std::map<QString, GlyphPainter>& Glyphs() {
  static const std::map<QString, GlyphPainter> glyphs = {
      {"mix", Mix},     {"option", Option},    {"pause", Pause},     {"sound", Sound},
      {"music", Music}, {"highscore", Trophy}, {"exit", Exit},       {"crux", Crux},
      {"tilz", Tilz},   {"boss", Boss},        {"transit", Transit}, {"tongue", Tongue},
      {"help", Help},   {"info", Info},        {"zindle", Zindle},
  };
  return glyphs;
}

// The program's icon: four tiles, one of them the green TILZ plate, one a BOSS
// number, on a walnut ground. One description serves the pictures and the
// scalable version, on a 64 x 64 grid.
struct IconLetter {
  QRectF box;
  QColor colour;
  const char* text;
};
const QRectF kIconGround(2, 2, 60, 60);
const QColor kIconGroundColour(86, 52, 30);
const std::array<std::pair<QRectF, QColor>, 4> kIconTiles = {{
    {QRectF(7, 7, 24, 24), QColor(60, 170, 80)},
    {QRectF(33, 7, 24, 24), QColor(236, 222, 190)},
    {QRectF(7, 33, 24, 24), QColor(168, 40, 36)},
    {QRectF(33, 33, 24, 24), QColor(60, 130, 220)},
}};
const std::array<IconLetter, 2> kIconLetters = {{
    {QRectF(33, 7, 24, 24), QColor(120, 28, 24), "Z"},
    {QRectF(7, 33, 24, 24), QColor(250, 238, 210), "T"},
}};

QImage RenderIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  QPainterPath base;
  base.addRoundedRect(kIconGround, 10, 10);
  p.fillPath(base, kIconGroundColour);
  for (const auto& [rect, colour] : kIconTiles) {
    QPainterPath t;
    t.addRoundedRect(rect, 4, 4);
    p.fillPath(t, colour);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.5));
    p.drawPath(t);
  }
  p.setFont(PixelFont("DejaVu Sans", 18, true));
  for (const IconLetter& l : kIconLetters) {
    p.setPen(l.colour);
    p.drawText(l.box, Qt::AlignCenter, l.text);
  }
  return image;
}

QByteArray IconSvg() {
  auto rect = [](const QRectF& r, double radius, const QColor& fill, const QString& extra = {}) {
    return QString(R"(  <rect x="%1" y="%2" width="%3" height="%4" rx="%5" fill="%6"%7/>)")
               .arg(r.x())
               .arg(r.y())
               .arg(r.width())
               .arg(r.height())
               .arg(radius)
               .arg(fill.name(), extra) +
           "\n";
  };
  QString svg =
      R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">)"
      "\n";
  svg += rect(kIconGround, 10, kIconGroundColour);
  for (const auto& [r, colour] : kIconTiles) {
    svg += rect(r, 4, colour, R"( stroke="#000000" stroke-opacity="0.35" stroke-width="1.5")");
  }
  for (const IconLetter& l : kIconLetters) {
    svg +=
        QString(R"(  <text x="%1" y="%2" font-family="DejaVu Sans, sans-serif" font-weight="bold" )"
                R"(font-size="18" text-anchor="middle" stroke="none" fill="%3">%4</text>)")
            .arg(l.box.center().x())
            .arg(l.box.bottom() - 5.5)
            .arg(l.colour.name(), l.text) +
        "\n";
  }
  svg += "</svg>\n";
  return svg.toUtf8();
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    bool ok = true;
    for (int scale : kScales) {
      ok = ok && SaveScaled(DigitStrip(scale), out, "digits");
    }
    for (const auto& [name, paint] : Glyphs()) {
      ok = ok && SaveAtScales(out, "glyph_" + name, QSize(20, 20), paint);
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      ok = ok && SavePng(RenderIcon(size), out.filePath(QString("icon_%1.png").arg(size)));
    }
    ok = ok && SaveBytes(IconSvg(), out.filePath("icon.svg"));
    return ok;
  });
}
