#pragma once

// Bitmap files made byte by byte, sound or damaged in the ways a file on disk
// can be, for the atlas tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

namespace zt::test {

inline void PutLE(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.append(char((value >> (8 * i)) & 0xff));
}

// A bitmap file with a 40-byte header; compression 0 stores rows, 1 is
// run-length coded in 8 bits. The palette is 256 grey levels for 8 bits.
inline QByteArray Bitmap(int width, int height, int bits, const QByteArray& pixels,
                         quint32 compression = 0) {
  QByteArray palette;
  if (bits == 8) {
    for (int i = 0; i < 256; ++i)
      PutLE(palette, quint32(i) * 0x010101u, 4);
  }
  const quint32 offset = 14 + 40 + quint32(palette.size());
  QByteArray out("BM");
  PutLE(out, offset + quint32(pixels.size()), 4);
  PutLE(out, 0, 4);
  PutLE(out, offset, 4);
  PutLE(out, 40, 4);
  PutLE(out, quint32(width), 4);
  PutLE(out, quint32(height), 4);
  PutLE(out, 1, 2);
  PutLE(out, quint32(bits), 2);
  PutLE(out, compression, 4);
  PutLE(out, quint32(pixels.size()), 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, bits == 8 ? 256 : 0, 4);
  PutLE(out, 0, 4);
  return out + palette + pixels;
}

// Rows of 24-bit pixels of one colour (blue, green, red), bottom row first.
inline QByteArray Rows24(int width, int rows, QByteArray bgr) {
  QByteArray row = bgr.repeated(width);
  row.append(QByteArray((4 - row.size() % 4) % 4, '\0'));
  return row.repeated(rows);
}

// Run-length coded rows of 8-bit pixels: each row of grey level `level`, in
// runs of at most 255, then the end-of-row mark; the end-of-picture mark
// after the last.
inline QByteArray Runs8(int width, int rows, int level) {
  QByteArray out;
  for (int y = 0; y < rows; ++y) {
    for (int left = width; left > 0; left -= 255) {
      out.append(char(qMin(left, 255)));
      out.append(char(level));
    }
    out.append('\0').append('\0');
  }
  return out.append('\0').append('\1');
}

inline bool SaveBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace zt::test
