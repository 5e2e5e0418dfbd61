// Draws "b4.bmp": for now only a plain background of the play area.
#include "assets/common/ArtKit.h"

int main(int argc, char** argv) {
  return zt::art::RunGenerator(argc, argv, [](const QDir& out) {
    QImage atlas = zt::art::NewImage(500, 333, QColor(40, 48, 64));
    QPainter p(&atlas);
    zt::art::FillVertical(p, QRect(0, 0, 500, 333), QColor(52, 64, 88), QColor(24, 28, 40));
    p.end();
    return zt::art::SaveBmp(atlas, out.filePath("b4.bmp"));
  });
}
