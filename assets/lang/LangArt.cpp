// Draws the pictures of the start-up windows: the splash (200 x 150, the
// game's name over small pictures of its four puzzles) and the two flag marks
// of the language question's buttons (24 x 16), each also at 2x and 3x.
#include <QPainterPath>
#include <QPolygonF>
#include <array>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

const QColor kCream(250, 232, 190);
const QColor kWalnut(86, 52, 30);
const QColor kFrame(150, 98, 52);
const QColor kShadow(40, 20, 8);
const QColor kInk(36, 40, 52);

// A sunken, dark tray for one puzzle picture.
void DrawTray(QPainter& p, const QRect& r) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, QColor(24, 16, 10));
  DrawBevel(p, r.adjusted(-2, -2, 2, 2), kFrame, 2, false);
}

// CRUX: two crossing tracks, two cells wide, the pieces of the horizontal
// baulk orange, those of the vertical one blue, one cell empty at each end.
void DrawCrux(QPainter& p, const QRect& r) {
  const int cell = 4, x0 = r.left(), y0 = r.top();
  const QColor orange(230, 150, 40), blue(60, 140, 220);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int i = 0; i < 10; ++i) {
    for (int k = 0; k < 2; ++k) {
      const bool end = i == 0 || i == 9;
      const QColor h = end ? QColor(0, 0, 0) : (((i + k) % 2) ? orange : orange.lighter(125));
      const QColor v = end ? QColor(0, 0, 0) : (((i + k) % 2) ? blue : blue.lighter(125));
      p.fillRect(x0 + cell * i, y0 + 16 + cell * k, cell, cell, h);
      if (i < 4 || i > 5) p.fillRect(x0 + 16 + cell * k, y0 + cell * i, cell, cell, v);
    }
  }
  PixelFrame(p, QRect(x0 + 4, y0 + 16, 31, 7), QColor(0, 0, 0, 120));
  PixelFrame(p, QRect(x0 + 16, y0 + 4, 7, 31), QColor(0, 0, 0, 120));
}

// TILZ: the first level's plates on a 4 x 5 board, the big plate green, two
// free cells.
void DrawTilz(QPainter& p, const QRect& r) {
  const int cell = 8, x0 = r.left() + 4, y0 = r.top();
  struct Plate {
    int c, r, w, h;
    QColor colour;
  };
  const QColor wood(210, 170, 100), light(230, 200, 140);
  const std::array<Plate, 8> plates = {{{0, 0, 2, 2, QColor(60, 170, 80)},
                                        {2, 0, 2, 1, wood},
                                        {2, 1, 2, 1, wood},
                                        {0, 2, 1, 1, light},
                                        {1, 2, 1, 1, light},
                                        {0, 3, 1, 2, wood},
                                        {1, 3, 1, 2, wood},
                                        {2, 3, 2, 1, wood}}};
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const Plate& pl : plates) {
    const QRect body(x0 + pl.c * cell, y0 + pl.r * cell, pl.w * cell, pl.h * cell);
    p.fillRect(body, Qt::black);
    p.fillRect(body.adjusted(1, 1, -1, -1), pl.colour);
    const QColor lit = pl.colour.lighter(135);
    PixelLine(p, {body.left() + 1, body.top() + 1}, {body.right() - 1, body.top() + 1}, lit);
    PixelLine(p, {body.left() + 1, body.top() + 1}, {body.left() + 1, body.bottom() - 1}, lit);
  }
  const QRect last(x0 + 2 * cell, y0 + 4 * cell, 2 * cell, cell);
  p.fillRect(last, Qt::black);
  p.fillRect(last.adjusted(1, 1, -1, -1), wood);
}

// BOSS: numbered tiles in the two colours of the game, the gap bottom right.
void DrawBoss(QPainter& p, const QRect& r) {
  const int cell = 13, x0 = r.left() + 1, y0 = r.top() + 1;
  p.setFont(PixelFont("DejaVu Sans", 9, true));
  for (int k = 0; k < 8; ++k) {
    const int c = k % 3, row = k / 3;
    const bool light = (c + row) % 2 == 0;
    const QRect body(x0 + c * cell, y0 + row * cell, cell, cell);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(body, QColor(20, 12, 8));
    const QColor base = light ? QColor(236, 222, 190) : QColor(168, 40, 36);
    p.fillRect(body.adjusted(1, 1, -1, -1), base);
    DrawBevel(p, body.adjusted(1, 1, -1, -1), base, 1, true);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(light ? QColor(120, 28, 24) : QColor(250, 238, 210));
    p.drawText(body, Qt::AlignCenter, QString::number(k + 1));
  }
  p.fillRect(x0 + 2 * cell, y0 + 2 * cell, cell, cell, QColor(28, 84, 56));
}

// TRANSIT: a 7 x 7 board in a diamond pattern with one row on its way round,
// its leaving cell coming back in at the other end.
void DrawTransit(QPainter& p, const QRect& r) {
  const int cell = 5, x0 = r.left() + 2, y0 = r.top() + 2;
  const std::array<QColor, 3> kinds = {QColor(60, 130, 220), QColor(240, 200, 60),
                                       QColor(200, 70, 160)};
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const int d = std::abs(x - 3) + std::abs(y - 3);
      const int kind = d == 0 ? 2 : (d <= 2 ? 1 : 0);
      const int shift = y == 1 ? 2 : 0;  // the moving row, two pixels along
      const QRect body(x0 + x * cell + shift, y0 + y * cell, cell, cell);
      p.fillRect(body, kinds[kind]);
      p.fillRect(QRect(body.left(), body.top(), cell, 1), kinds[kind].lighter(130));
    }
  }
  // The cell that left the right end comes back in on the left.
  p.fillRect(x0 - 3, y0 + cell, 3, cell, kinds[0]);
  for (int y = 0; y < 7; ++y) {
    const int shift = y == 1 ? 2 : 0;
    for (int i = 0; i <= 7; ++i) {
      const int x = x0 + i * cell + shift;
      PixelLine(p, {x, y0 + y * cell}, {x, y0 + (y + 1) * cell - 1}, QColor(0, 0, 0, 110));
    }
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(kCream);
  const double ay = y0 + 1.5 * cell;
  p.drawPolygon(QPolygonF({{x0 + 35.5, ay - 3}, {x0 + 38.5, ay}, {x0 + 35.5, ay + 3}}));
}

QImage Splash(int scale) {
  QImage img = NewImage(200, 150, Qt::black, scale);
  const QRect whole = LayoutRect(img);
  QPainter p(&img);
  FillVertical(p, whole, kWalnut, QColor(52, 30, 18));
  p.end();
  AddGrain(img, whole, 6, 5);

  p.begin(&img);
  DrawBevel(p, whole, kFrame, 3, true);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  p.setFont(PixelFont("DejaVu Serif", 23, true, true));
  DrawShadowText(p, QRect(0, 8, 200, 32), "Zindle Tavrin", kCream, kShadow);
  p.setPen(QPen(QColor(222, 168, 30), 1));
  p.drawLine(QPointF(34, 42.5), QPointF(166, 42.5));

  using Painter = void (*)(QPainter&, const QRect&);
  const std::array<std::pair<const char*, Painter>, 4> puzzles = {
      {{"CRUX", DrawCrux}, {"TILZ", DrawTilz}, {"BOSS", DrawBoss}, {"TRANSIT", DrawTransit}}};
  p.setFont(PixelFont("DejaVu Sans", 8, true));
  for (int i = 0; i < 4; ++i) {
    const QRect tray(13 + 46 * i, 54, 40, 40);
    DrawTray(p, tray);
    puzzles[i].second(p, tray);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setFont(PixelFont("DejaVu Sans", 8, true));
    DrawShadowText(p, QRect(tray.left() - 4, 99, 48, 12), puzzles[i].first, kCream, kShadow);
  }

  p.setFont(PixelFont("DejaVu Sans", 10, false, true));
  DrawShadowText(p, QRect(0, 120, 200, 16), "Zindle Games  \u00b7  V1.2", QColor(222, 190, 120),
                 kShadow);
  return img;
}

// The flags are drawn on a 24 x 16 grid and scaled.
void EnglishFlag(QPainter& p) {
  const QRectF field(0, 0, 24, 16);
  p.fillRect(field, QColor(1, 33, 105));
  p.setClipRect(field);
  p.setPen(QPen(Qt::white, 3.4));
  p.drawLine(QPointF(0, 0), QPointF(24, 16));
  p.drawLine(QPointF(24, 0), QPointF(0, 16));
  p.setPen(QPen(QColor(200, 16, 46), 1.1));
  // The red diagonals sit off centre, as on the real flag.
  p.drawLine(QPointF(0, -0.6), QPointF(12, 7.4));
  p.drawLine(QPointF(12, 8.6), QPointF(24, 16.6));
  p.drawLine(QPointF(24, -0.6), QPointF(12.9, 7.4));
  p.drawLine(QPointF(11.1, 8.6), QPointF(0, 16.6));
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(9.5, 0, 5, 16), Qt::white);
  p.fillRect(QRectF(0, 5.5, 24, 5), Qt::white);
  p.fillRect(QRectF(10.5, 0, 3, 16), QColor(200, 16, 46));
  p.fillRect(QRectF(0, 6.5, 24, 3), QColor(200, 16, 46));
}

void GermanFlag(QPainter& p) {
  p.fillRect(QRectF(0, 0, 24, 16.0 / 3), Qt::black);
  p.fillRect(QRectF(0, 16.0 / 3, 24, 16.0 / 3), QColor(221, 0, 0));
  p.fillRect(QRectF(0, 32.0 / 3, 24, 16.0 / 3), QColor(255, 206, 0));
}

// A flag with a fine outline on its outermost pixels of the grid, so that
// every scale keeps the colours of the 1x mark.
void Flag(QPainter& p, void (*paint)(QPainter&)) {
  paint(p);
  p.setClipping(false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(kInk.red(), kInk.green(), kInk.blue(), 150), 1));
  p.drawRect(QRectF(0.5, 0.5, 23, 15));
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    bool ok = true;
    for (int scale : kScales) {
      ok = ok && SaveScaled(Splash(scale), out, "splash");
    }
    const std::array<std::pair<const char*, void (*)(QPainter&)>, 2> flags = {
        {{"en", EnglishFlag}, {"de", GermanFlag}}};
    for (const auto& [name, paint] : flags) {
      ok = ok && SaveAtScales(out, QString("flag_") + name, QSize(24, 16),
                              [paint = paint](QPainter& p) { Flag(p, paint); });
    }
    return ok;
  });
}
