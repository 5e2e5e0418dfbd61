// What TRANSIT puts on the screen, checked pixel by pixel against a synthetic
// atlas in which every pixel tells where it came from: the full paint, the
// drawing of a mix, and every frame of a move in each direction.
#include <QtTest>
#include <array>
#include <cmath>
#include <vector>

#include "puzzles/transit/TransitView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/transit/TransitTestKit.h"

using zt::kTransit;
using zt::TransitDirection;
using zt::TransitRules;
using zt::TransitView;
using zt::test::FirstDifference;
using zt::test::PuzzleRig;
using namespace zt::test::transit;

Q_DECLARE_METATYPE(TransitDirection)

namespace {

// Mean of each colour channel over a square of the image.
std::array<double, 3> MeanColour(const QImage& image, QPoint at, int size) {
  std::array<double, 3> sum{};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const QRgb c = image.pixel(at.x() + x, at.y() + y);
      sum[0] += qRed(c);
      sum[1] += qGreen(c);
      sum[2] += qBlue(c);
    }
  }
  for (double& v : sum)
    v /= size * size;
  return sum;
}

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Mean per-pixel difference of two equal squares, 0..255.
double PixelDifference(const QImage& image, QPoint a, QPoint b, int size) {
  double sum = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const QRgb p = image.pixel(a.x() + x, a.y() + y);
      const QRgb q = image.pixel(b.x() + x, b.y() + y);
      sum += (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
              std::abs(qBlue(p) - qBlue(q))) /
             3.0;
    }
  }
  return sum / (size * size);
}

bool IsRow(TransitDirection d) {
  return d == TransitDirection::Left || d == TransitDirection::Right;
}

// Frame k (1..7) of a move, built from the line as it was before the move: the
// line's place shows the seven pictures shifted by 5k pixels, the picture
// that leaves one end coming in at the other. Everything else is unchanged.
QImage ExpectedFrame(const QImage& before, const QImage& atlas, const TransitRules& rules,
                     TransitDirection direction, int line, int k) {
  QImage image = before.copy();
  const bool row = IsRow(direction);
  const int sign =
      direction == TransitDirection::Left || direction == TransitDirection::Up ? 1 : -1;
  const QRect place = LineRect(row, line);
  for (int along = 0; along < 245; ++along) {
    const int p = along + sign * 5 * k;   // -35..279 along the composed strip
    const int slot = (p + 245) / 35 - 7;  // rounds down, also below zero
    const int i = (slot + 7) % 7;
    const int offset = p - 35 * slot;
    const int kind = row ? rules.Cell(i, line) : rules.Cell(line, i);
    const QPoint from = LargeAt(rules.TransitPictureMap[kind]);
    for (int across = 0; across < 35; ++across) {
      const QPoint src = row ? from + QPoint(offset, across) : from + QPoint(across, offset);
      const QPoint dst =
          row ? place.topLeft() + QPoint(along, across) : place.topLeft() + QPoint(across, along);
      image.setPixel(dst, atlas.pixel(src));
    }
  }
  return image;
}

void SetUpBoard(TransitView& puzzle, int pattern) {
  TransitRules& rules = puzzle.Rules();
  rules.TransitPattern = pattern;
  SetStaggeredBoard(rules);
  SetSpreadMap(rules);
}

}  // namespace

class TransitPicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void paintShowsBoardAndMiniatureThroughTheMap_data();
  void paintShowsBoardAndMiniatureThroughTheMap();
  void mixDrawsBoardAndMiniatureOnly();
  void everyFrameOfAMove_data();
  void everyFrameOfAMove();
  void builtAtlasPicturesAreDistinct();
};

void TransitPicturesTest::paintShowsBoardAndMiniatureThroughTheMap_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<std::vector<int>>("map");
  std::vector<int> identity, reversed, spread;
  for (int k = 0; k < 21; ++k) {
    identity.push_back(k);
    reversed.push_back(20 - k);
    spread.push_back((8 * k + 5) % 21);
  }
  QTest::newRow("pattern 1, identity") << 1 << identity;
  QTest::newRow("pattern 13, reversed") << 13 << reversed;
  QTest::newRow("pattern 22, spread") << 22 << spread;
}

void TransitPicturesTest::paintShowsBoardAndMiniatureThroughTheMap() {
  QFETCH(int, pattern);
  QFETCH(std::vector<int>, map);
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  SetUpBoard(puzzle, pattern);
  for (int k = 0; k < 21; ++k)
    puzzle.Rules().TransitPictureMap[k] = map[k];

  puzzle.PaintPuzzle();
  const QString diff =
      FirstDifference(rig.canvas.Screen(), ExpectedPaint(rig.canvas.Atlas(), puzzle.Rules()));
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  QCOMPARE(rig.presents, std::vector<QRect>{QRect(0, 0, 500, 333)});

  // The miniature draws the pattern's kinds with the board's map: a kind's
  // small picture is the same picture number as its large one on the board.
  const QImage& screen = rig.canvas.Screen();
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 7; ++y) {
      const int m = map[puzzle.Rules().TargetCell(x, y)];
      const QPoint origin = zt::test::SyntheticOrigin(screen.pixel(MiniRect(x, y).topLeft()));
      QCOMPARE(origin, SmallAt(m));
    }
  }
}

void TransitPicturesTest::mixDrawsBoardAndMiniatureOnly() {
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  puzzle.Rules().TransitPattern = 7;
  // Even places feed the mix's line directions (0..3), odd ones its lines.
  rig.random.SetScript({3, 5, 1, 6, 2, 0, 0, 4});

  puzzle.MixPuzzle();  // the screen starts black; the background is not redrawn
  QVERIFY(puzzle.Rules().TransitPictureMap != TransitRules::IdentityMap());
  QImage expected = ExpectedPaint(rig.canvas.Atlas(), puzzle.Rules());
  const QImage drawn = expected.copy();
  expected.fill(Qt::black);
  for (const QRect& r : {QRect(60, 44, 245, 245), QRect(362, 44, 105, 105)})
    Blit(drawn, r.topLeft(), expected, r);
  const QString diff = FirstDifference(rig.canvas.Screen(), expected);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));

  // Both drawn areas reached the display.
  QRect shown;
  for (const QRect& r : rig.presents)
    shown |= r;
  QVERIFY(shown.contains(QRect(60, 44, 245, 245)));
  QVERIFY(shown.contains(QRect(362, 44, 105, 105)));
}

void TransitPicturesTest::everyFrameOfAMove_data() {
  QTest::addColumn<TransitDirection>("direction");
  QTest::addColumn<int>("line");
  const std::pair<TransitDirection, const char*> directions[] = {
      {TransitDirection::Left, "row %d left"},
      {TransitDirection::Right, "row %d right"},
      {TransitDirection::Up, "column %d up"},
      {TransitDirection::Down, "column %d down"}};
  for (const auto& [direction, name] : directions) {
    for (int line : {0, 3, 6})
      QTest::addRow(name, line) << direction << line;
  }
}

void TransitPicturesTest::everyFrameOfAMove() {
  QFETCH(TransitDirection, direction);
  QFETCH(int, line);
  PuzzleRig rig(kTransit);
  TransitView puzzle(rig.ctx);
  SetUpBoard(puzzle, 22);
  puzzle.PaintPuzzle();
  // Whatever else the back buffer holds (BOSS uses it too) must never show.
  rig.canvas.BackBuffer().fill(qRgb(1, 2, 3));
  const QImage before = rig.canvas.Screen().copy();
  const TransitRules rulesBefore = puzzle.Rules();
  rig.ClearRecords();

  puzzle.MoveTransit(direction, line);

  QCOMPARE(rig.frames.size(), std::size_t{7});
  for (int k = 1; k <= 7; ++k) {
    const QImage expected =
        ExpectedFrame(before, rig.canvas.Atlas(), rulesBefore, direction, line, k);
    const QString diff = FirstDifference(rig.frames[k - 1], expected);
    QVERIFY2(diff.isEmpty(), qPrintable(QString("frame %1: %2").arg(k).arg(diff)));
  }
  QCOMPARE(rig.presents, std::vector<QRect>(7, LineRect(IsRow(direction), line)));

  // The last frame already shows the turned line: it is what a fresh paint of
  // the new board shows, and the same as the view's own paint.
  const QImage afterMove = rig.canvas.Screen().copy();
  QVERIFY(puzzle.Rules().TransitBoard != rulesBefore.TransitBoard);
  QString diff = FirstDifference(afterMove, ExpectedPaint(rig.canvas.Atlas(), puzzle.Rules()));
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
  puzzle.PaintPuzzle();
  diff = FirstDifference(rig.canvas.Screen(), afterMove);
  QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TransitPicturesTest::builtAtlasPicturesAreDistinct() {
  // Any kind can get any picture, so no two of the 21 may look alike, in
  // either size; and each small picture must be its large one's miniature.
  const QString path = zt::test::GameDir() + "/b4.bmp";
  const QImage atlas = QImage(path).convertToFormat(QImage::Format_RGB32);
  QVERIFY2(!atlas.isNull(), qPrintable("cannot read " + path));
  QVERIFY(atlas.width() >= 500 && atlas.height() >= 333);

  std::array<std::array<double, 3>, 21> largeMean{};
  std::array<std::array<double, 3>, 21> smallMean{};
  for (int m = 0; m < 21; ++m) {
    largeMean[m] = MeanColour(atlas, LargeAt(m), 35);
    smallMean[m] = MeanColour(atlas, SmallAt(m), 15);
  }
  for (int a = 0; a < 21; ++a) {
    for (int b = a + 1; b < 21; ++b) {
      const QString pair = QString("pictures %1 and %2").arg(a).arg(b);
      QVERIFY2(Distance(largeMean[a], largeMean[b]) > 25, qPrintable(pair + ", large colour"));
      QVERIFY2(Distance(smallMean[a], smallMean[b]) > 25, qPrintable(pair + ", small colour"));
      QVERIFY2(PixelDifference(atlas, LargeAt(a), LargeAt(b), 35) > 20,
               qPrintable(pair + ", large pixels"));
      QVERIFY2(PixelDifference(atlas, SmallAt(a), SmallAt(b), 15) > 20,
               qPrintable(pair + ", small pixels"));
    }
    int nearest = 0;
    for (int b = 1; b < 21; ++b) {
      if (Distance(smallMean[a], largeMean[b]) < Distance(smallMean[a], largeMean[nearest]))
        nearest = b;
    }
    QVERIFY2(nearest == a,
             qPrintable(QString("small picture %1 looks like large %2").arg(a).arg(nearest)));
  }
}

ZT_TEST_MAIN(TransitPicturesTest)
#include "TransitPicturesTest.moc"
