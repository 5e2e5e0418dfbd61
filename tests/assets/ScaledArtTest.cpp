#include <QDir>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "puzzles/boss/BossView.h"
#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/TestMain.h"

namespace {

// Pictures are compared as premultiplied colours, so that transparent pixels
// compare alike whatever colour they hold.
QImage Normalised(const QImage& image) {
  QImage n = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  n.setDevicePixelRatio(1);
  return n;
}

// The box-filter shrink: each s x s block becomes its mean.
QImage Shrink(const QImage& big, int s) {
  QImage small(big.width() / s, big.height() / s, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < small.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(small.scanLine(y));
    for (int x = 0; x < small.width(); ++x) {
      int a = 0, r = 0, g = 0, b = 0;
      for (int dy = 0; dy < s; ++dy) {
        const auto* in = reinterpret_cast<const QRgb*>(big.constScanLine(y * s + dy));
        for (int dx = 0; dx < s; ++dx) {
          const QRgb p = in[x * s + dx];
          a += qAlpha(p), r += qRed(p), g += qGreen(p), b += qBlue(p);
        }
      }
      const int n = s * s;
      out[x] = qRgba((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (a + n / 2) / n);
    }
  }
  return small;
}

// The nearest-neighbour enlargement: each pixel becomes an s x s block.
QImage Enlarge(const QImage& small, int s) {
  QImage big(small.width() * s, small.height() * s, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < big.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(small.constScanLine(y / s));
    auto* out = reinterpret_cast<QRgb*>(big.scanLine(y));
    for (int x = 0; x < big.width(); ++x)
      out[x] = in[x / s];
  }
  return big;
}

// Mean difference per channel (alpha, red, green, blue), in levels of 255.
double Difference(const QImage& a, const QImage& b) {
  Q_ASSERT(a.size() == b.size());
  long sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      sum += std::abs(qAlpha(p[x]) - qAlpha(q[x])) + std::abs(qRed(p[x]) - qRed(q[x])) +
             std::abs(qGreen(p[x]) - qGreen(q[x])) + std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
  }
  return static_cast<double>(sum) / (4.0 * a.width() * a.height());
}

// The detail finer than a layout pixel: how far the picture lies from the
// enlargement of its own shrink. Any enlarged picture has none.
double FineDetail(const QImage& big, int s) {
  return Difference(big, Enlarge(Shrink(big, s), s));
}

// Tolerances, in levels of 255 per channel (alpha, red, green, blue).
//
// The shrink of a drawing at 2x or 3x lies within kShrinkTolerance of the 1x
// picture, in the whole picture and in every rectangle the game copies from an
// atlas. Most of what remains is grain: every scale has its own random grain,
// one value per device pixel of up to +-6 levels on red, green and blue alike.
// At 1x that is a deviation of about 3.7 levels a pixel, in the shrink of 4 or
// 9 device pixels about 1.9 or 1.2, and two such independent noises differ by
// about 3.3 levels on average in those three channels (2.5 over all four).
// Antialiased edges add a little, and in the small glyphs text hinted at its
// own size and half-pixel lines, which blur over two pixels at 1x but fall on
// whole device pixels at 2x, add up to about 5. A picture drawn in other
// colours or a layout pixel aside lies well beyond; the second is also caught
// by comparing with the places one layout pixel to each side.
constexpr double kShrinkTolerance = 6.0;
// A drawing at 2x or 3x has detail finer than a layout pixel; an enlarged
// picture has none at all (the box shrink of a block of equal pixels is that
// pixel, so the measure is exactly 0). The plainest drawings, the toolbar's
// CRUX and TILZ marks of bars on whole pixels, still show 0.15 from their
// rounded corners.
constexpr double kLeastDetail = 0.1;
// The side of the tiles a whole picture is also checked in, in layout pixels,
// and their tolerance: a tile may hold little but small text, such as a name
// under the splash's pictures, whose glyphs hinted at 8 pixels and at 16 or 24
// lie up to 10 levels apart.
constexpr int kTile = 25;
constexpr double kTileTolerance = 12.0;

// Why the shrink of a larger drawing does not line up with its 1x picture in
// the layout rectangle r, or nothing when it does: it lies within the
// tolerance, and the 1x picture one layout pixel to a side does not match it
// twice as well. (Where both are noise, or where small text is hinted at its
// own size, the two lie about as near; a part drawn a pixel aside matches
// there several times better. The shrink of a part is the part of the shrink,
// since parts begin and end on whole layout pixels.)
QString Misfit(const QImage& one, const QImage& shrunk, const QRect& r,
               double tolerance = kShrinkTolerance) {
  const QString where =
      QString("(%1, %2, %3 x %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
  const double here = Difference(shrunk.copy(r), one.copy(r));
  if (here > tolerance)
    return QString("%1 lies %2 levels from the 1x picture").arg(where).arg(here);
  for (const QPoint shift : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
    // Where the picture reaches beyond the image, the part that stays inside.
    const QRect part = r.intersected(one.rect().translated(-shift));
    const QImage aside = one.copy(part.translated(shift));
    const double there = Difference(shrunk.copy(part), one.copy(part));
    const double moved = Difference(shrunk.copy(part), aside);
    if (2 * moved < there) {
      return QString("%1 matches the 1x picture better %2, %3 layout pixels aside (%4 against %5)")
          .arg(where)
          .arg(shift.x())
          .arg(shift.y())
          .arg(moved)
          .arg(there);
    }
  }
  return {};
}

QString ScaledName(const QString& oneX, int scale) {
  const QFileInfo info(oneX);
  return QString("%1/%2@%3x.png").arg(info.path(), info.completeBaseName()).arg(scale);
}

// The built-in pictures that have larger versions: every picture in the
// resources but the window icon, which comes in sizes of its own.
QStringList BuiltInPictures() {
  QStringList pictures;
  for (const char* folder : {":/ui", ":/dialogs", ":/lang"}) {
    for (const QString& name : QDir(folder).entryList({"*.png"}, QDir::Files, QDir::Name)) {
      if (!name.contains('@') && !name.startsWith("icon_"))
        pictures << QString(folder) + "/" + name;
    }
  }
  return pictures;
}

QString AtlasPath(int puzzle) {
  return zt::test::GameDir() + "/" + zt::CatalogEntry(puzzle).atlasFile;
}

QList<QRect> Squares(int count, int size, const std::function<QPoint(int)>& at) {
  QList<QRect> squares;
  for (int i = 0; i < count; ++i)
    squares << QRect(at(i), QSize(size, size));
  return squares;
}

// Every rectangle a puzzle copies from its atlas, and the place under its level
// label.
QList<QRect> CopiedRegions(int puzzle) {
  QList<QRect> regions{{0, 0, 500, 333}};
  const zt::WindowPoint label = zt::CatalogEntry(puzzle).levelLabelPlace;
  regions << QRect(label.x, label.y - 33, 77, 32).intersected(regions.front());
  switch (puzzle) {
    case zt::kCrux:
      regions << Squares(zt::CruxView::kPictureCount, zt::CruxView::kCell,
                         [](int i) { return zt::CruxView::LargePicture(i + 1); });
      regions << Squares(zt::CruxView::kPictureCount, zt::CruxView::kMiniCell,
                         [](int i) { return zt::CruxView::SmallPicture(i + 1); });
      break;
    case zt::kTilz:
      regions << zt::TilzView::kLeftWall << zt::TilzView::kRightWall << zt::TilzView::kPreview
              << zt::TilzView::kMarker;
      regions << Squares(10, zt::TilzView::kCell,
                         [](int code) { return zt::TilzView::CellPicture(code); });
      break;
    case zt::kBoss:
      for (int colour = 0; colour < 2; ++colour) {
        regions << Squares(34, zt::BossView::kCell,
                           [colour](int k) { return zt::BossView::FacePosition(k + 40 * colour); });
      }
      break;
    case zt::kTransit:
      regions << Squares(21, zt::TransitView::kCell,
                         [](int m) { return zt::TransitView::LargePicture(m); });
      regions << Squares(21, zt::TransitView::kMiniCell,
                         [](int m) { return zt::TransitView::SmallPicture(m); });
      break;
  }
  return regions;
}

}  // namespace

// The pictures drawn at 2x and 3x: each is its 1x picture's layout drawn with
// more detail, not an enlargement, and shrinks back close to the 1x picture.
class ScaledArtTest : public QObject {
  Q_OBJECT

 private slots:
  void everyBuiltInPictureHasLargerVersions() {
    const QStringList pictures = BuiltInPictures();
    for (const char* needed : {":/ui/digits.png", ":/ui/glyph_mix.png", ":/dialogs/background.png",
                               ":/dialogs/glyph_ok.png", ":/lang/splash.png", ":/lang/flag_de.png"})
      QVERIFY2(pictures.contains(needed), needed);
    for (const QString& picture : pictures) {
      for (int scale : {2, 3}) {
        QVERIFY2(QFile::exists(ScaledName(picture, scale)),
                 qPrintable(ScaledName(picture, scale) + " is not built in"));
      }
    }
  }

  void drawnNotEnlarged_data() {
    QTest::addColumn<QString>("oneX");
    QTest::addColumn<int>("scale");
    QStringList pictures = BuiltInPictures();
    for (int puzzle = 0; puzzle < zt::kPuzzleCount; ++puzzle)
      pictures << AtlasPath(puzzle);
    for (const QString& picture : pictures) {
      for (int scale : {2, 3}) {
        QTest::addRow("%s@%dx", qPrintable(QFileInfo(picture).completeBaseName()), scale)
            << picture << scale;
      }
    }
  }
  void drawnNotEnlarged() {
    QFETCH(QString, oneX);
    QFETCH(int, scale);
    const QImage one = Normalised(QImage(oneX));
    const QImage big = Normalised(QImage(ScaledName(oneX, scale)));
    QVERIFY2(!one.isNull(), qPrintable(oneX + " cannot be read"));
    QVERIFY2(!big.isNull(), qPrintable(ScaledName(oneX, scale) + " cannot be read"));
    QCOMPARE(big.size(), one.size() * scale);

    const double detail = FineDetail(big, scale);
    QVERIFY2(detail >= kLeastDetail, qPrintable(QString("only %1 levels of detail").arg(detail)));
    // The whole, and every tile of it, so that a part drawn out of place
    // shows even where the rest lines up.
    const QImage shrunk = Shrink(big, scale);
    QString misfit = Misfit(one, shrunk, one.rect());
    for (int y = 0; y < one.height() && misfit.isEmpty(); y += kTile) {
      for (int x = 0; x < one.width() && misfit.isEmpty(); x += kTile)
        misfit =
            Misfit(one, shrunk, QRect(x, y, kTile, kTile).intersected(one.rect()), kTileTolerance);
    }
    QVERIFY2(misfit.isEmpty(), qPrintable(misfit));
  }

  void atlasRegionsLineUp_data() {
    QTest::addColumn<int>("puzzle");
    QTest::addColumn<int>("scale");
    for (int puzzle = 0; puzzle < zt::kPuzzleCount; ++puzzle) {
      for (int scale : {2, 3}) {
        QTest::addRow("%s@%dx", zt::CatalogEntry(puzzle).name, scale) << puzzle << scale;
      }
    }
  }
  // Each rectangle the puzzle copies lines up with the 1x one.
  void atlasRegionsLineUp() {
    QFETCH(int, puzzle);
    QFETCH(int, scale);
    const QImage one = Normalised(QImage(AtlasPath(puzzle)));
    const QImage big = Normalised(QImage(ScaledName(AtlasPath(puzzle), scale)));
    QVERIFY(!one.isNull() && big.size() == one.size() * scale);
    const zt::PuzzleEntry& entry = zt::CatalogEntry(puzzle);
    QVERIFY(one.width() >= entry.atlasWidth && one.height() >= entry.atlasHeight);

    const QImage shrunk = Shrink(big, scale);
    for (const QRect& region : CopiedRegions(puzzle)) {
      const QString misfit = Misfit(one, shrunk, region);
      QVERIFY2(misfit.isEmpty(), qPrintable(misfit));
    }
  }
};

ZT_TEST_MAIN(ScaledArtTest)
#include "ScaledArtTest.moc"
