#include <QtTest>
#include <random>

#include "puzzles/crux/CruxView.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/crux/CruxTables.h"

using zt::CruxRules;
using zt::test::FinishedBoard;
using zt::test::FirstDifference;
using zt::test::PuzzleRig;
using zt::test::TestBoard;

namespace {

constexpr int R = CruxRules::kRight;
constexpr int D = CruxRules::kDown;
constexpr int L = CruxRules::kLeft;
constexpr int U = CruxRules::kUp;
constexpr int kSteps[9] = {1, 3, 6, 10, 15, 19, 22, 24, 25};
const QRect kHorizontal(41, 141, 250, 50);
const QRect kVertical(141, 41, 50, 250);
const QRect kPreview(370, 41, 90, 90);
constexpr QRgb kBlack = 0xff000000;

TestBoard BoardOf(const CruxRules& rules) {
  TestBoard board{};
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y)
      board[x][y] = rules.Cell(x, y);
  }
  return board;
}

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The track as it should look with its pieces moved offset pixels along it,
// worked out pixel by pixel: which board cell covers the pixel, and which
// pixel of that cell's 25 x 25 atlas picture.
QImage ExpectedStrip(const QImage& atlas, const TestBoard& b, bool horizontal, int offset) {
  QImage strip(horizontal ? 250 : 50, horizontal ? 50 : 250, QImage::Format_RGB32);
  for (int py = 0; py < strip.height(); ++py) {
    for (int px = 0; px < strip.width(); ++px) {
      const int along = (horizontal ? px : py) - offset;
      const int across = horizontal ? py : px;
      const int i = FloorDiv(along, 25);
      int v = 0;
      if (i >= 0 && i < 10) v = horizontal ? b[i][4 + across / 25] : b[4 + across / 25][i];
      QRgb colour = kBlack;
      if (v != 0) {
        const int ax = 25 * ((v - 1) % 10) + (horizontal ? along - 25 * i : across % 25);
        const int ay = 333 + 25 * ((v - 1) / 10) + (horizontal ? across % 25 : along - 25 * i);
        colour = atlas.pixel(ax, ay);
      }
      strip.setPixel(px, py, colour);
    }
  }
  return strip;
}

void Put(QImage& screen, const QImage& part, QPoint at) {
  for (int y = 0; y < part.height(); ++y) {
    for (int x = 0; x < part.width(); ++x)
      screen.setPixel(at.x() + x, at.y() + y, part.pixel(x, y));
  }
}

// The miniature of a pattern: small pictures on its 20 cells, the rest left
// as it was.
void PutPreview(QImage& screen, const QImage& atlas, int pattern) {
  const TestBoard target = FinishedBoard(pattern);
  for (int x = 2; x <= 7; ++x) {
    for (int y = 2; y <= 7; ++y) {
      const int v = target[x][y];
      if (v == 0) continue;
      for (int dy = 0; dy < 15; ++dy) {
        for (int dx = 0; dx < 15; ++dx) {
          screen.setPixel(
              370 + 15 * (x - 2) + dx, 41 + 15 * (y - 2) + dy,
              atlas.pixel(250 + 15 * ((v - 1) % 10) + dx, 333 + 15 * ((v - 1) / 10) + dy));
        }
      }
    }
  }
}

QImage ExpectedPaint(const QImage& atlas, const TestBoard& b, int pattern) {
  QImage screen = atlas.copy(0, 0, 500, 333).convertToFormat(QImage::Format_RGB32);
  Put(screen, ExpectedStrip(atlas, b, true, 0), kHorizontal.topLeft());
  Put(screen, ExpectedStrip(atlas, b, false, 0), kVertical.topLeft());
  PutPreview(screen, atlas, pattern);
  return screen;
}

// A rig with the CRUX atlas size, pattern `pattern` laid out finished (a mix
// whose slides undo one another) and painted; records cleared.
struct CruxRig {
  explicit CruxRig(int pattern) {
    crux.Rules().CruxPattern = pattern;
    rig.random.SetScript({R, L});
    crux.InitPuzzle();
    crux.PaintPuzzle();
    rig.ClearRecords();
  }
  void Slide(const QList<int>& directions) {
    for (int d : directions) {
      QVERIFY(crux.Rules().CruxCanShift(d));
      crux.Rules().ShiftCrux(d);
    }
    crux.PaintPuzzle();
    rig.ClearRecords();
  }
  const QImage& Atlas() const { return rig.canvas.Atlas(); }
  QImage Screen() const { return rig.canvas.Screen().copy(); }

  PuzzleRig rig{zt::kCrux, 500, 458};
  zt::CruxView crux{rig.ctx};
};

TestBoard Shifted(TestBoard b, int direction) {
  CruxRules rules;
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y)
      rules.CruxBoard[x][y] = static_cast<std::uint8_t>(b[x][y]);
  }
  rules.ShiftCrux(direction);
  return BoardOf(rules);
}

std::vector<int> SeededScript(unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<int> script(1000);
  for (int& d : script)
    d = static_cast<int>(gen() % 4);
  return script;
}

}  // namespace

class CruxViewTest : public QObject {
  Q_OBJECT

 private slots:
  void paintShowsTracksAndMiniature_data() {
    QTest::addColumn<int>("pattern");
    for (int n = 1; n <= 16; ++n)
      QTest::addRow("pattern %d", n) << n;
  }
  void paintShowsTracksAndMiniature() {
    QFETCH(int, pattern);
    CruxRig r(pattern);
    r.rig.random.SetScript(SeededScript(static_cast<unsigned>(pattern)));
    r.crux.InitPuzzle();
    r.crux.PaintPuzzle();
    const TestBoard b = BoardOf(r.crux.Rules());
    QCOMPARE(FirstDifference(r.rig.canvas.Screen(), ExpectedPaint(r.Atlas(), b, pattern)),
             QString());
    QCOMPARE(r.rig.presents.back(), QRect(0, 0, 500, 333));
    // Every empty track cell is black all over: the background never shows in
    // a track.
    int empty = 0;
    for (int x = 0; x < 10; ++x) {
      for (int y = 0; y < 10; ++y) {
        if (!zt::test::InTracks(x, y) || b[x][y] != 0) continue;
        ++empty;
        const QImage cell = r.rig.canvas.Screen().copy(41 + 25 * x, 41 + 25 * y, 25, 25);
        for (int py = 0; py < 25; ++py) {
          for (int px = 0; px < 25; ++px)
            QCOMPARE(cell.pixel(px, py), kBlack);
        }
      }
    }
    QCOMPARE(empty, 16);  // 36 track cells hold 20 pieces
  }

  void mixDrawsTracksAndMiniatureOnly() {
    CruxRig r(9);
    const QRgb marker = qRgb(1, 2, 3);  // no synthetic atlas pixel has this
    r.rig.canvas.Screen().fill(marker);
    r.rig.random.SetScript(SeededScript(99));
    r.crux.MixPuzzle();
    QCOMPARE(r.rig.random.ranges.size(), std::size_t{1000});
    QImage expected(500, 333, QImage::Format_RGB32);
    expected.fill(marker);
    const TestBoard b = BoardOf(r.crux.Rules());
    Put(expected, ExpectedStrip(r.Atlas(), b, true, 0), kHorizontal.topLeft());
    Put(expected, ExpectedStrip(r.Atlas(), b, false, 0), kVertical.topLeft());
    PutPreview(expected, r.Atlas(), 9);
    QCOMPARE(FirstDifference(r.rig.canvas.Screen(), expected), QString());
    QRegion shown;
    for (const QRect& p : r.rig.presents)
      shown += p;
    QVERIFY(shown.contains(kHorizontal) && shown.contains(kVertical) && shown.contains(kPreview));
  }

  void nextVariant_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("after");
    QTest::newRow("left steps up") << 5 << zt::kLeftButton << 6;
    QTest::newRow("left after 16 gives 1") << 16 << zt::kLeftButton << 1;
    QTest::newRow("right steps down") << 5 << zt::kRightButton << 4;
    QTest::newRow("right before 1 gives 16") << 1 << zt::kRightButton << 16;
    QTest::newRow("middle keeps the pattern") << 7 << zt::kMiddleButton << 7;
  }
  void nextVariant() {
    QFETCH(int, before);
    QFETCH(int, button);
    QFETCH(int, after);
    CruxRig r(before);
    r.rig.random.SetScript(SeededScript(5));
    r.crux.NextVariant(button);
    QCOMPARE(r.crux.Rules().CruxPattern, after);
    QCOMPARE(r.crux.VariantNumber(), after);
    QCOMPARE(r.crux.LevelText(), std::to_string(after));
    // A new game of the new pattern, drawn: board and miniature.
    QCOMPARE(r.rig.random.ranges.size(), std::size_t{1000});
    QImage expected = r.Screen();
    const TestBoard b = BoardOf(r.crux.Rules());
    QCOMPARE(zt::test::PieceCount(b), zt::test::PieceCount(FinishedBoard(after)));
    Put(expected, ExpectedStrip(r.Atlas(), b, true, 0), kHorizontal.topLeft());
    Put(expected, ExpectedStrip(r.Atlas(), b, false, 0), kVertical.topLeft());
    PutPreview(expected, r.Atlas(), after);
    QCOMPARE(FirstDifference(r.rig.canvas.Screen(), expected), QString());
  }

  void slideFrames_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("direction");
    QTest::newRow("right") << QList<int>{} << zt::kKeyRight << R;
    QTest::newRow("down") << QList<int>{} << zt::kKeyDown << D;
    QTest::newRow("left") << QList<int>{} << zt::kKeyLeft << L;
    QTest::newRow("up") << QList<int>{} << zt::kKeyUp << U;
    // Tracks with holes and foreign pieces in them.
    QTest::newRow("left after right, down") << QList<int>{R, D} << zt::kKeyLeft << L;
    QTest::newRow("up after left, up, right") << QList<int>{L, U, R} << zt::kKeyUp << U;
    QTest::newRow("down after up, right") << QList<int>{U, R} << zt::kKeyDown << D;
    QTest::newRow("right after down, left") << QList<int>{D, L} << zt::kKeyRight << R;
  }
  void slideFrames() {
    QFETCH(QList<int>, before);
    QFETCH(int, key);
    QFETCH(int, direction);
    CruxRig r(16);
    r.Slide(before);
    r.rig.play.PuzzleState[zt::kCrux] = zt::kRunning;
    const TestBoard old = BoardOf(r.crux.Rules());
    const QImage start = r.Screen();

    r.crux.PuzzleKeyDown(key);

    const bool horizontal = direction == R || direction == L;
    const int sign = direction == R || direction == D ? 1 : -1;
    const QRect strip = horizontal ? kHorizontal : kVertical;
    QCOMPARE(r.rig.frames.size(), std::size_t{9});
    for (int k = 0; k < 9; ++k) {
      QImage expected = start;
      Put(expected, ExpectedStrip(r.Atlas(), old, horizontal, sign * kSteps[k]), strip.topLeft());
      const QString diff = FirstDifference(r.rig.frames[k], expected);
      if (!diff.isEmpty()) QFAIL(qPrintable(QString("frame %1: %2").arg(k + 1).arg(diff)));
    }
    QCOMPARE(r.rig.presents, std::vector<QRect>(9, strip));
    QCOMPARE(r.rig.host.delays, std::vector<int>(9, 20));
    QCOMPARE(r.rig.host.sounds, std::vector<int>{1});

    // The board moved, and the last frame already is a fresh picture of it.
    const TestBoard now = BoardOf(r.crux.Rules());
    QVERIFY(now == Shifted(old, direction));
    QCOMPARE(FirstDifference(r.rig.canvas.Screen(), ExpectedPaint(r.Atlas(), now, 16)), QString());
    const QImage afterMove = r.Screen();
    r.crux.PaintPuzzle();
    QCOMPARE(FirstDifference(afterMove, r.rig.canvas.Screen()), QString());
  }

  void pushAreas_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("direction");  // -1: the press hits nothing
    QTest::newRow("left end, first pixel") << 16 << 142 << R;
    QTest::newRow("left end, last pixel") << 50 << 190 << R;
    QTest::newRow("left end, on the left border") << 15 << 142 << -1;
    QTest::newRow("left end, on the right border") << 51 << 142 << -1;
    QTest::newRow("left end, on the top border") << 30 << 141 << -1;
    QTest::newRow("left end, on the bottom border") << 30 << 191 << -1;
    QTest::newRow("top end, first pixel") << 142 << 16 << D;
    QTest::newRow("top end, last pixel") << 190 << 50 << D;
    QTest::newRow("top end, on the left border") << 141 << 30 << -1;
    QTest::newRow("top end, on the right border") << 191 << 30 << -1;
    QTest::newRow("top end, on the top border") << 160 << 15 << -1;
    QTest::newRow("top end, on the bottom border") << 160 << 51 << -1;
    QTest::newRow("right end, first pixel") << 282 << 142 << L;
    QTest::newRow("right end, last pixel") << 316 << 190 << L;
    QTest::newRow("right end, on the left border") << 281 << 160 << -1;
    QTest::newRow("right end, on the right border") << 317 << 160 << -1;
    QTest::newRow("right end, on the bottom border") << 300 << 191 << -1;
    QTest::newRow("bottom end, first pixel") << 142 << 282 << U;
    QTest::newRow("bottom end, last pixel") << 190 << 316 << U;
    QTest::newRow("bottom end, on the top border") << 160 << 281 << -1;
    QTest::newRow("bottom end, on the bottom border") << 160 << 317 << -1;
    QTest::newRow("bottom end, on the right border") << 191 << 300 << -1;
    QTest::newRow("middle of the track") << 100 << 160 << -1;
    QTest::newRow("crossing") << 166 << 166 << -1;
    QTest::newRow("miniature") << 400 << 80 << -1;
  }
  void pushAreas() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, direction);
    CruxRig r(7);
    const TestBoard old = BoardOf(r.crux.Rules());
    const QImage start = r.Screen();
    r.crux.PuzzleMouseDown(x, y, zt::kLeftButton);
    if (direction < 0) {
      QCOMPARE(r.rig.play.PuzzleState[zt::kCrux], zt::kReady);
      QVERIFY(BoardOf(r.crux.Rules()) == old);
      QVERIFY(r.rig.host.sounds.empty() && r.rig.host.delays.empty() && r.rig.presents.empty());
      QCOMPARE(FirstDifference(r.rig.canvas.Screen(), start), QString());
    } else {
      QCOMPARE(r.rig.play.PuzzleState[zt::kCrux], zt::kRunning);
      QVERIFY(BoardOf(r.crux.Rules()) == Shifted(old, direction));
      QCOMPARE(r.rig.host.sounds, std::vector<int>{1});
    }
  }

  void everyButtonPushes_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("left") << zt::kLeftButton;
    QTest::newRow("right") << zt::kRightButton;
    QTest::newRow("middle") << zt::kMiddleButton;
  }
  void everyButtonPushes() {
    QFETCH(int, button);
    CruxRig r(12);
    const TestBoard old = BoardOf(r.crux.Rules());
    r.crux.PuzzleMouseDown(160, 300, button);
    QVERIFY(BoardOf(r.crux.Rules()) == Shifted(old, U));
    QCOMPARE(r.rig.host.sounds, std::vector<int>{1});
    QCOMPARE(r.rig.frames.size(), std::size_t{9});
  }

  void refusedSlideOnlyStartsTheClock_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("press") << false;
    QTest::newRow("arrow key") << true;
  }
  void refusedSlideOnlyStartsTheClock() {
    QFETCH(bool, byKey);
    CruxRig r(4);
    r.Slide({R, R});  // the horizontal baulk now fills its right end pair
    const TestBoard old = BoardOf(r.crux.Rules());
    const QImage start = r.Screen();
    if (byKey)
      r.crux.PuzzleKeyDown(zt::kKeyRight);
    else
      r.crux.PuzzleMouseDown(30, 160, zt::kLeftButton);
    QCOMPARE(r.rig.play.PuzzleState[zt::kCrux], zt::kRunning);
    QCOMPARE(r.rig.play.PuzzleClock[zt::kCrux], 0);
    QVERIFY(BoardOf(r.crux.Rules()) == old);
    QVERIFY(r.rig.host.sounds.empty());
    QVERIFY(r.rig.host.delays.empty());
    QVERIFY(r.rig.presents.empty());
    QVERIFY(r.rig.host.clockAtRepaint.empty());
    QCOMPARE(FirstDifference(r.rig.canvas.Screen(), start), QString());
  }

  void keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("direction");  // -1: nothing moves
    QTest::newRow("left arrow") << 37 << L;
    QTest::newRow("up arrow") << 38 << U;
    QTest::newRow("right arrow") << 39 << R;
    QTest::newRow("down arrow") << 40 << D;
    QTest::newRow("letter A") << 65 << -1;
    QTest::newRow("shift") << 16 << -1;
    QTest::newRow("return") << 13 << -1;
    QTest::newRow("page down") << 34 << -1;
    QTest::newRow("insert") << 45 << -1;
  }
  void keys() {
    QFETCH(int, key);
    QFETCH(int, direction);
    CruxRig r(10);
    const TestBoard old = BoardOf(r.crux.Rules());
    r.crux.PuzzleKeyDown(key);
    // Every key counts as the first move.
    QCOMPARE(r.rig.play.PuzzleState[zt::kCrux], zt::kRunning);
    if (direction < 0) {
      QVERIFY(BoardOf(r.crux.Rules()) == old);
      QVERIFY(r.rig.host.sounds.empty() && r.rig.presents.empty());
    } else {
      QVERIFY(BoardOf(r.crux.Rules()) == Shifted(old, direction));
    }
  }

  void keysInOtherStatesKeepTheState_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("running") << int{zt::kRunning};
    QTest::newRow("solved") << int{zt::kSolved};
  }
  void keysInOtherStatesKeepTheState() {
    QFETCH(int, state);
    CruxRig r(10);
    r.rig.play.PuzzleState[zt::kCrux] = static_cast<std::uint8_t>(state);
    r.crux.PuzzleKeyDown('X');
    r.crux.PuzzleMouseDown(30, 160, zt::kLeftButton);
    QCOMPARE(int{r.rig.play.PuzzleState[zt::kCrux]}, state);
  }

  void clockTicksInFrameFive_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<QList<int>>("clockAtDelays");
    QTest::addColumn<QList<int>>("repaints");
    QTest::newRow("running") << int{zt::kRunning} << QList<int>{41, 41, 41, 41, 42, 42, 42, 42, 42}
                             << QList<int>{42};
    QTest::newRow("solved") << int{zt::kSolved} << QList<int>(9, 41) << QList<int>{};
    QTest::newRow("ready") << int{zt::kReady} << QList<int>(9, 41) << QList<int>{};
  }
  void clockTicksInFrameFive() {
    QFETCH(int, state);
    QFETCH(QList<int>, clockAtDelays);
    QFETCH(QList<int>, repaints);
    CruxRig r(3);
    r.rig.play.PuzzleState[zt::kCrux] = static_cast<std::uint8_t>(state);
    r.rig.play.PuzzleClock[zt::kCrux] = 41;
    QList<int> seen;
    r.rig.host.onDelay = [&] { seen.append(r.rig.play.PuzzleClock[zt::kCrux]); };
    // Straight to the move: through a press the state would be running anyway.
    r.crux.MoveCrux(D);
    QCOMPARE(seen, clockAtDelays);
    QCOMPARE(QList<int>(r.rig.host.clockAtRepaint.begin(), r.rig.host.clockAtRepaint.end()),
             repaints);
    QCOMPARE(int{r.rig.play.PuzzleState[zt::kCrux]}, state);
  }

  void solvedOnlyAfterASlideEndsInThePattern() {
    CruxRig r(8);
    // The mix left the board finished; nothing says so yet.
    QVERIFY(r.crux.Rules().IsCruxPatternBuilt());
    r.crux.MixPuzzle();
    QCOMPARE(r.rig.host.solvedCalls, 0);

    r.crux.PuzzleMouseDown(160, 30, zt::kLeftButton);  // down
    QCOMPARE(r.rig.host.solvedCalls, 0);
    QList<int> callsAtFrames;
    r.rig.host.onDelay = [&] { callsAtFrames.append(r.rig.host.solvedCalls); };
    r.crux.PuzzleMouseDown(160, 300, zt::kLeftButton);  // up: back to the pattern
    r.rig.host.onDelay = nullptr;
    // Not before the animation is over.
    QCOMPARE(callsAtFrames, QList<int>(9, 0));
    QCOMPARE(r.rig.host.solvedCalls, 1);
    QCOMPARE(r.rig.play.PuzzleState[zt::kCrux], zt::kSolved);
    const int clock = r.rig.play.PuzzleClock[zt::kCrux];
    QCOMPARE(clock, 2);

    // Still playable when solved; coming back calls again, the clock stands.
    r.crux.PuzzleKeyDown(zt::kKeyLeft);
    r.crux.PuzzleKeyDown(zt::kKeyRight);
    QCOMPARE(r.rig.host.solvedCalls, 2);
    QCOMPARE(r.rig.host.solves, 1);
    QCOMPARE(r.rig.play.PuzzleClock[zt::kCrux], clock);
  }

  void solvedWithEqualPiecesSwapped() {
    CruxRig r(1);
    r.rig.play.PuzzleState[zt::kCrux] = zt::kRunning;
    const QList<int> keys{39, 39, 40, 37, 37, 37, 37, 38, 39};
    for (int key : keys)
      r.crux.PuzzleKeyDown(key);
    QCOMPARE(r.rig.host.sounds.size(), std::size_t{9});
    QCOMPARE(r.rig.host.solvedCalls, 0);
    r.crux.PuzzleKeyDown(39);
    QCOMPARE(r.rig.host.solvedCalls, 1);
  }
};

ZT_TEST_MAIN(CruxViewTest)
#include "CruxViewTest.moc"
