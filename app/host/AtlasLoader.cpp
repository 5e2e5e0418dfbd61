#include "app/host/AtlasLoader.h"

#include <QFile>
#include <QImageReader>

namespace zt {

namespace {
constexpr int kLargest = 4096;
}

QString AtlasFileName(int mode) {
  static const char* const kNames[] = {"b1.bmp", "b2.bmp", "b3.bmp", "b4.bmp"};
  return QString::fromLatin1(kNames[mode & 3]);
}

QSize AtlasMinimumSize(int mode) {
  static const QSize kSizes[] = {{500, 458}, {610, 333}, {500, 733}, {500, 333}};
  return kSizes[mode & 3];
}

QImage LoadAtlas(const QString& path, QSize minimum, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return QImage();
  };
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
  if (!reader.canRead()) return fail("not a bitmap file");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kLargest || size.height() > kLargest) {
    return fail(QString("unusable picture size %1 x %2").arg(size.width()).arg(size.height()));
  }
  if (size.width() < minimum.width() || size.height() < minimum.height()) {
    return fail(QString("picture of %1 x %2, at least %3 x %4 needed")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(minimum.width())
                    .arg(minimum.height()));
  }
  QImage image;
  if (!reader.read(&image) || image.size() != size) return fail(reader.errorString());
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace zt
