// Draws "b3.bmp", the BOSS atlas: the play-area background (a felt tray in a
// wooden frame that holds every board size from 3 x 2 to 7 x 5, and a name
// plaque on the right) and the 68 tile faces, numbers 1 to 34 in two colours,
// at (50 * (k mod 10), 333 + 50 * (k div 10)), the second colour 200 rows lower.
// Drawn at 1x into "b3.bmp" and at 2x and 3x into "b3@2x.png" and "b3@3x.png".
#include <QPainterPath>
#include <cmath>

#include "assets/common/ArtKit.h"

namespace {

using namespace zt::art;

constexpr int kWidth = 500;
constexpr int kHeight = 733;
// The largest board, 7 x 5 cells centred on (213, 166).
const QRect kTray(38, 41, 350, 250);

void DrawBackground(QImage& atlas) {
  DrawWalnutTable(atlas);
  QPainter p(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  // Wooden frame, 14 px around the tray.
  const QRect frame = kTray.adjusted(-14, -14, 14, 14);
  QPainterPath outer;
  outer.addRoundedRect(frame, 8, 8);
  p.fillPath(outer, QColor(150, 98, 52));
  p.setRenderHint(QPainter::Antialiasing, false);
  DrawBevel(p, frame, QColor(150, 98, 52), 5, true);
  DrawBevel(p, kTray.adjusted(-4, -4, 4, 4), QColor(120, 76, 40), 4, false);
  // Felt floor: deep green, shows through the gap.
  FillVertical(p, kTray, QColor(28, 84, 56), QColor(18, 60, 40));
  p.end();
  AddGrain(atlas, kTray, 5, 11);
  AddGrain(atlas, frame, 4, 17);

  // Name plaque on the right; resting the mouse on it shows the rules.
  p.begin(&atlas);
  p.setRenderHint(QPainter::Antialiasing);
  // A light plate at the frame's corner under the level label, which prints
  // the board size in black.
  const QRect plate(364, 293, 88, 34);
  QPainterPath platePath;
  platePath.addRoundedRect(plate, 6, 6);
  p.fillPath(platePath, QColor(236, 220, 176));
  p.setPen(QPen(QColor(110, 70, 36), 2));
  p.drawPath(platePath);
  p.setPen(QPen(QColor(255, 248, 224), 1));
  p.drawLine(plate.left() + 5, plate.top() + 3, plate.right() - 5, plate.top() + 3);

  const QRect plaque(416, 40, 56, 240);
  QPainterPath path;
  path.addRoundedRect(plaque, 10, 10);
  p.fillPath(path, QColor(150, 98, 52));
  p.setPen(QPen(QColor(70, 40, 20), 2));
  p.drawPath(path);
  p.setFont(PixelFont("DejaVu Sans", 34, true));
  const QString name = "BOSS";
  for (int i = 0; i < name.size(); ++i) {
    const QRect cell(plaque.left(), plaque.top() + 14 + i * 54, plaque.width(), 50);
    DrawShadowText(p, cell, name.mid(i, 1), QColor(250, 232, 190), QColor(60, 32, 14));
  }
}

// One bevelled tile face with its number.
void DrawFace(QPainter& p, const QRect& cell, int number, int colour) {
  const QColor base = colour == 1 ? QColor(236, 222, 190) : QColor(168, 40, 36);
  const QColor ink = colour == 1 ? QColor(120, 28, 24) : QColor(250, 238, 210);
  const QColor shade = colour == 1 ? QColor(255, 255, 240) : QColor(80, 10, 8);

  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(cell, QColor(20, 12, 8));  // dark joint between neighbouring tiles
  const QRect body = cell.adjusted(1, 1, -1, -1);
  FillVertical(p, body, Mix(base, Qt::white, 0.12), Mix(base, Qt::black, 0.12));
  DrawBevel(p, body, base, 4, true);

  p.setRenderHint(QPainter::Antialiasing, true);
  p.setFont(PixelFont("DejaVu Sans", number >= 10 ? 22 : 26, true));
  const QRect text = body.adjusted(0, 0, 0, -1);
  p.setPen(shade);
  p.drawText(text.translated(1, 1), Qt::AlignCenter, QString::number(number));
  p.setPen(ink);
  p.drawText(text, Qt::AlignCenter, QString::number(number));
}

QImage DrawAtlas(int scale) {
  QImage atlas = NewImage(kWidth, kHeight, Qt::black, scale);
  DrawBackground(atlas);
  QPainter p(&atlas);
  for (int colour = 0; colour < 2; ++colour) {
    for (int k = 0; k < 34; ++k) {
      const int code = k + 40 * colour;
      const QRect cell(50 * (code % 10), 333 + 50 * (code / 10), 50, 50);
      DrawFace(p, cell, k + 1, colour);
    }
  }
  return atlas;
}

}  // namespace

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, [](const QDir& out) {
    for (int scale : kScales) {
      if (!SaveScaled(DrawAtlas(scale), out, "b3", ".bmp")) return false;
    }
    return true;
  });
}
