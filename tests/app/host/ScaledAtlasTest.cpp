// The larger atlases beside the 1x ones: read with the same checks, and when
// one is missing or damaged the 1x atlas enlarged pixel by pixel instead,
// which is no error.
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/host/AtlasLoader.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

constexpr QSize kMinimum(40, 30);

// A picture with a colour of its own in every pixel.
QImage Picture(QSize size, int seed) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, qRgb((x * 7 + seed) & 0xff, (y * 5 + seed) & 0xff, (x ^ y) & 0xff));
  return image;
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class ScaledAtlasTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString OneX() const { return dir_.filePath("b1.bmp"); }

 private slots:
  void init() {
    QFile::remove(OneX());
    for (int s : {2, 3})
      QFile::remove(ScaledAtlasPath(OneX(), s));
    QVERIFY(Write(OneX(), Encoded(Picture(kMinimum, 0), "BMP")));
  }

  void namesBesideTheOneX() {
    QCOMPARE(ScaledAtlasPath("/games/zt/b3.bmp", 2), QString("/games/zt/b3@2x.png"));
    QCOMPARE(ScaledAtlasPath("/games/zt/b4.bmp", 3), QString("/games/zt/b4@3x.png"));
  }

  void enlargingRepeatsEveryPixel() {
    const QImage one = Picture(QSize(5, 4), 9);
    for (int s : {1, 2, 3, 4}) {
      const QImage big = EnlargeNearest(one, s);
      QCOMPARE(big.size(), one.size() * s);
      QCOMPARE(big.devicePixelRatio(), double(s));
      for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
          QCOMPARE(big.pixel(x, y), one.pixel(x / s, y / s));
    }
  }

  void aGoodLargerAtlasIsUsed_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<QSize>("size");
    QTest::newRow("2x, exactly twice") << 2 << kMinimum * 2;
    QTest::newRow("3x, exactly three times") << 3 << kMinimum * 3;
    QTest::newRow("2x, larger than needed") << 2 << QSize(100, 64);
  }
  void aGoodLargerAtlasIsUsed() {
    QFETCH(int, scale);
    QFETCH(QSize, size);
    QImage drawn = Picture(size, 77);
    QVERIFY(Write(ScaledAtlasPath(OneX(), scale), Encoded(drawn, "PNG")));
    QString why;
    const QImage atlas = LoadAtlasAt(OneX(), kMinimum, scale, &why);
    drawn.setDevicePixelRatio(scale);  // the atlas knows its scale
    QCOMPARE(atlas, drawn);
    QVERIFY2(why.isEmpty(), qPrintable(why));
  }

  void aMissingOrDamagedLargerAtlasFallsBackQuietly_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<QByteArray>("content");  // empty: no file
    QTest::addColumn<QString>("reason");      // what LoadScaledAtlas says
    const QByteArray good2 = Encoded(Picture(kMinimum * 2, 5), "PNG");
    QTest::newRow("2x missing") << 2 << QByteArray() << "";
    QTest::newRow("3x missing") << 3 << QByteArray() << "";
    QTest::newRow("2x cut in half") << 2 << good2.left(good2.size() / 2) << "";
    QTest::newRow("2x without the end marker's check sum")
        << 2 << good2.left(good2.size() - 4) << "ends before";
    QTest::newRow("2x a bitmap under the PNG's name")
        << 2 << Encoded(Picture(kMinimum * 2, 5), "BMP") << "not a PNG";
    QTest::newRow("2x too small") << 2 << Encoded(Picture(kMinimum * 2 - QSize(2, 0), 5), "PNG")
                                  << "at least 80 x 60";
    QTest::newRow("3x no whole multiple")
        << 3 << Encoded(Picture(QSize(121, 90), 5), "PNG") << "whole steps of 3";
    QTest::newRow("3x the 2x picture") << 3 << good2 << "at least 120 x 90";
    QTest::newRow("2x garbage") << 2 << QByteArray(300, 'x') << "not a PNG";
  }
  void aMissingOrDamagedLargerAtlasFallsBackQuietly() {
    QFETCH(int, scale);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = ScaledAtlasPath(OneX(), scale);
    if (!content.isEmpty()) QVERIFY(Write(path, content));

    QString loadWhy;
    QVERIFY(LoadScaledAtlas(path, kMinimum, scale, &loadWhy).isNull());
    QVERIFY2(loadWhy.contains(reason), qPrintable(loadWhy));

    QString why;
    const QImage atlas = LoadAtlasAt(OneX(), kMinimum, scale, &why);
    QCOMPARE(atlas, EnlargeNearest(LoadAtlas(OneX(), kMinimum), scale));
    QVERIFY2(why.isEmpty(), qPrintable(why));
  }

  void withoutAUsableOneXThereIsNoAtlas() {
    // The larger atlas is missing and so is the 1x one: a null picture, and
    // the reason names the 1x file's fault.
    QFile::remove(OneX());
    QString why;
    QVERIFY(LoadAtlasAt(OneX(), kMinimum, 2, &why).isNull());
    QVERIFY(!why.isEmpty());
    // A usable larger atlas stands alone.
    QImage drawn = Picture(kMinimum * 2, 3);
    QVERIFY(Write(ScaledAtlasPath(OneX(), 2), Encoded(drawn, "PNG")));
    drawn.setDevicePixelRatio(2);
    QCOMPARE(LoadAtlasAt(OneX(), kMinimum, 2), drawn);
    // At 1x only the 1x file counts.
    QVERIFY(LoadAtlasAt(OneX(), kMinimum, 1).isNull());
  }
};

ZT_TEST_MAIN(ScaledAtlasTest)
#include "ScaledAtlasTest.moc"
