#include "app/host/AtlasLoader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>

#include "core/BoundedFile.h"
#include "puzzles/catalog/PuzzleCatalog.h"

namespace zt {

namespace {

constexpr int kLargest = 4096;
// No atlas file is larger than a picture of the largest size at 32 bits.
constexpr qint64 kLargestFile = qint64(kLargest) * kLargest * 4 + (1 << 16);

// The file as the picture reader sees it, noting whether the reader ever asked
// for more than the file still held: Qt's bitmap reader takes a file that ends
// before its last pixel row for a whole picture, the missing rows black.
class ExactReader final : public QIODevice {
 public:
  explicit ExactReader(QIODevice& file) : file_(file) {}
  bool RanShort() const { return ranShort_; }
  bool isSequential() const override { return false; }
  qint64 size() const override { return file_.size(); }
  bool seek(qint64 pos) override { return file_.seek(pos) && QIODevice::seek(pos); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    if (maxSize > file_.size() - file_.pos()) ranShort_ = true;
    return file_.read(data, maxSize);
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QIODevice& file_;
  bool ranShort_ = false;
};

// What the headers say about the pixel data.
struct PixelLayout {
  qint64 start = 0;  // where the reader begins with the pixels
  int bits = 0;      // per pixel
  quint32 compression = 0;
  bool RowsStored() const { return compression == 0 || compression == 3 || compression == 6; }
  bool RunLength() const { return compression == 1 || compression == 2; }
};

PixelLayout ReadLayout(const QByteArray& head) {
  PixelLayout layout;
  if (head.size() < 18) return layout;
  const auto u16 = [&](int at) {
    return at + 2 <= head.size() ? int(qFromLittleEndian<quint16>(head.constData() + at)) : 0;
  };
  const auto u32 = [&](int at) {
    return at + 4 <= head.size() ? qFromLittleEndian<quint32>(head.constData() + at) : 0u;
  };
  const qint64 infoSize = u32(14);
  qint64 colours = 0;
  int entrySize = 4;
  if (infoSize == 12) {
    layout.bits = u16(24);
    entrySize = 3;
  } else if (infoSize >= 40) {
    layout.bits = u16(28);
    layout.compression = u32(30);
    colours = u32(46);
  }
  if (layout.bits > 0 && layout.bits <= 8 && colours == 0) colours = qint64(1) << layout.bits;
  // The reader skips to the offset the file header gives, but never back into
  // the colour table.
  layout.start = std::max<qint64>(u32(10), 14 + infoSize + colours * entrySize);
  return layout;
}

// Whether run-length coded pixels set every pixel of the picture. Jumps, rows
// ended early and an early end of the picture leave pixels that the reader
// never writes, and then they show whatever the memory held before.
bool RunsSetEveryPixel(const QByteArray& data, qint64 at, QSize size, int bits) {
  const auto byte = [&](qint64 i) { return int(static_cast<uchar>(data[i])); };
  int x = 0;
  int y = 0;
  while (y < size.height()) {
    if (at + 2 > data.size()) return false;
    const int count = byte(at);
    const int code = byte(at + 1);
    at += 2;
    if (count > 0) {  // a run of one colour (or two, alternating)
      x += count;
    } else if (code == 0) {  // end of row
      if (x < size.width()) return false;
      x = 0;
      ++y;
    } else if (code == 1) {  // end of picture
      return y == size.height() - 1 && x >= size.width();
    } else if (code == 2) {  // a jump
      return false;
    } else {  // that many pixels stored one by one, padded to whole words
      const qint64 bytes = bits == 4 ? (code + 1) / 2 : code;
      at += bytes + (bytes & 1);
      x += code;
    }
  }
  return true;
}

}  // namespace

QString AtlasFileName(int mode) {
  return QString::fromLatin1(CatalogEntry(mode).atlasFile);
}

QSize AtlasMinimumSize(int mode) {
  const PuzzleEntry& entry = CatalogEntry(mode);
  return {entry.atlasWidth, entry.atlasHeight};
}

QImage LoadAtlas(const QString& path, QSize minimum, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return QImage();
  };
  BoundedFile read = ReadBoundedFile(path, kLargestFile);
  if (read.refusal == FileRefusal::kTooLarge) return fail("file too large for a picture");
  if (!read.Ok()) return fail(read.Reason());
  QBuffer file(&read.bytes);
  file.open(QIODevice::ReadOnly);
  const PixelLayout layout = ReadLayout(file.peek(54));

  ExactReader device(file);
  device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  QImageReader reader(&device, "bmp");
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
  if (!reader.canRead()) return fail("not a bitmap file");
  QSize size = reader.size();
  // A bitmap stored top row first gives its height negative.
  if (size.width() > 0 && size.height() < 0 && size.height() >= -kLargest) {
    size.setHeight(-size.height());
  }
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
  // Checked before the picture is made, so a short file costs no memory.
  const QString incomplete = QStringLiteral("the file ends before its pixels do");
  if (layout.RowsStored() && layout.bits > 0) {
    const qint64 rowBytes = (qint64(size.width()) * layout.bits + 31) / 32 * 4;
    if (file.size() < layout.start + rowBytes * size.height()) return fail(incomplete);
  }
  if (layout.RunLength()) {
    const qint64 resume = file.pos();
    file.seek(0);
    const QByteArray all = file.readAll();
    file.seek(resume);
    if (!RunsSetEveryPixel(all, layout.start, size, layout.bits)) return fail(incomplete);
  }
  QImage image;
  if (!reader.read(&image) || image.size() != size) return fail(reader.errorString());
  if (device.RanShort()) return fail(incomplete);
  return image.convertToFormat(QImage::Format_RGB32);
}

QString ScaledAtlasPath(const QString& oneXPath, int scale) {
  const QFileInfo info(oneXPath);
  return QString("%1/%2@%3x.png").arg(info.path(), info.completeBaseName()).arg(scale);
}

QImage LoadScaledAtlas(const QString& path, QSize minimum, int scale, QString* why) {
  auto fail = [why](const QString& reason) {
    if (why) *why = reason;
    return QImage();
  };
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  if (file.size() > kLargestFile) return fail("file too large for a picture");
  QImageReader reader(&file, "png");
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
  if (!reader.canRead()) return fail("not a PNG file");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kLargest || size.height() > kLargest) {
    return fail(QString("unusable picture size %1 x %2").arg(size.width()).arg(size.height()));
  }
  const QSize least = minimum * scale;
  if (size.width() < least.width() || size.height() < least.height() || size.width() % scale != 0 ||
      size.height() % scale != 0) {
    return fail(QString("picture of %1 x %2, at least %3 x %4 in whole steps of %5 needed")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(least.width())
                    .arg(least.height())
                    .arg(scale));
  }
  QImage image;
  // The reader gives a short file's missing rows as blank and says so only in
  // its warning, so the file has to reach its end marker too.
  if (!reader.read(&image) || image.size() != size) return fail(reader.errorString());
  file.seek(0);
  if (!file.readAll().endsWith(QByteArray("IEND\xae\x42\x60\x82", 8))) {
    return fail("the file ends before its pixels do");
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  return image;
}

QImage EnlargeNearest(const QImage& image, int scale) {
  if (image.isNull()) return image;
  if (scale <= 1) {
    QImage same = image;
    same.setDevicePixelRatio(1);
    return same;
  }
  const QImage from = image.convertToFormat(QImage::Format_RGB32);
  QImage big(from.width() * scale, from.height() * scale, QImage::Format_RGB32);
  for (int y = 0; y < big.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(y / scale));
    auto* out = reinterpret_cast<QRgb*>(big.scanLine(y));
    for (int x = 0; x < big.width(); ++x)
      out[x] = in[x / scale];
  }
  big.setDevicePixelRatio(scale);
  return big;
}

QImage LoadAtlasAt(const QString& oneXPath, QSize minimum, int scale, QString* why) {
  if (scale > 1) {
    QImage big = LoadScaledAtlas(ScaledAtlasPath(oneXPath, scale), minimum, scale);
    if (!big.isNull()) return big;
  }
  return EnlargeNearest(LoadAtlas(oneXPath, minimum, why), scale);
}

}  // namespace zt
