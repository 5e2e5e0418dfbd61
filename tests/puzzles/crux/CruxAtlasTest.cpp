#include <QtTest>
#include <cstdlib>

#include "puzzles/crux/CruxView.h"
#include "tests/common/TestMain.h"

namespace {

QList<int> UsedNumbers() {
  QList<int> used;
  for (int v = 2; v <= 50; ++v) {
    if (v != 6 && v != 12 && v != 19) used.append(v);
  }
  return used;
}

// Mean difference per channel between two pictures of equal size.
double Difference(const QImage& a, const QImage& b) {
  long sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return static_cast<double>(sum) / (3.0 * a.width() * a.height());
}

}  // namespace

// The atlas the build draws: every piece a pattern uses has a picture in both
// sizes, and no two of them are (nearly) the same picture.
class CruxAtlasTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    atlas_ = QImage(zt::test::GameDir() + "/b1.bmp").convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!atlas_.isNull(), "b1.bmp was not built");
    QVERIFY(atlas_.width() >= 500 && atlas_.height() >= 458);
  }

  void picturesAreDistinct_data() {
    QTest::addColumn<bool>("small");
    QTest::newRow("board pictures") << false;
    QTest::newRow("miniature pictures") << true;
  }
  void picturesAreDistinct() {
    QFETCH(bool, small);
    const int size = small ? zt::CruxView::kMiniCell : zt::CruxView::kCell;
    QMap<int, QImage> pictures;
    for (int v : UsedNumbers()) {
      const QPoint at = small ? zt::CruxView::SmallPicture(v) : zt::CruxView::LargePicture(v);
      pictures[v] = atlas_.copy(at.x(), at.y(), size, size);
    }
    for (int a : UsedNumbers()) {
      for (int b : UsedNumbers()) {
        if (b <= a) continue;
        const double d = Difference(pictures[a], pictures[b]);
        QVERIFY2(d > 12, qPrintable(QString("%1 and %2 differ by only %3").arg(a).arg(b).arg(d)));
      }
    }
  }

 private:
  QImage atlas_;
};

ZT_TEST_MAIN(CruxAtlasTest)
#include "CruxAtlasTest.moc"
