// The atlas files "b1.bmp".."b4.bmp" of any content: the loader gives either
// nothing or a picture of a usable size in the one format the puzzles draw
// from.
#include <QGuiApplication>

#include "app/host/AtlasLoader.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QGuiApplication>();
  return 0;
}

// The first byte picks the puzzle (its file name and least size) and, in its
// third bit, a least size of 1 x 1 instead, so that small pictures reach the
// pixel decoding quickly; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int mode = data[0] & 3;
  const QSize minimum = (data[0] & 4) ? QSize(1, 1) : zt::AtlasMinimumSize(mode);
  const QString path = zt::fuzz::Scratch().filePath(zt::AtlasFileName(mode));
  if (!zt::fuzz::WriteFile(path, data + 1, size - 1)) return 0;
  QString why;
  const QImage atlas = zt::LoadAtlas(path, minimum, &why);
  if (atlas.isNull()) {
    ZT_FUZZ_CHECK(!why.isEmpty());
    return 0;
  }
  ZT_FUZZ_CHECK(atlas.width() >= minimum.width() && atlas.height() >= minimum.height());
  ZT_FUZZ_CHECK(atlas.width() <= 4096 && atlas.height() <= 4096);
  ZT_FUZZ_CHECK(atlas.format() == QImage::Format_RGB32);
  return 0;
}
