// Where the main window and the windows that belong to it go on the screens:
// plain geometry, for the screens of common laptops and desktops, panels, a
// second screen on either side, and stored places on, partly off and wholly
// off the screen.
#include <QtTest>
#include <optional>

#include "core/ScreenPlacement.h"
#include "tests/common/TestMain.h"

using namespace zt;

Q_DECLARE_METATYPE(zt::Desktop)
Q_DECLARE_METATYPE(std::optional<QPoint>)

namespace {

// The main window's 500 x 366 inside the frame a window manager draws (one
// pixel at the sides and the bottom, a 20-pixel title bar), and bare.
constexpr QSize kFramed(502, 387);
constexpr QSize kBare(500, 366);
constexpr QPoint kDesign(672, 547);

ScreenArea Screen(QRect full, QRect available = {}) {
  return {full, available.isNull() ? full : available};
}

Desktop One(QRect full, QRect available = {}) {
  return {{Screen(full, available)}, 0};
}

const Desktop k1024 = One({0, 0, 1024, 768});
const Desktop k1366 = One({0, 0, 1366, 768});
const Desktop k1920 = One({0, 0, 1920, 1080});
// A panel across the top.
const Desktop k1366Panel = One({0, 0, 1366, 768}, {0, 27, 1366, 741});
// A panel along the bottom that leaves the design position 14 rows short.
const Desktop k1280Panel = One({0, 0, 1280, 960}, {0, 0, 1280, 920});
// Exactly the room the window needs at its design position, and a pixel less.
const Desktop kExact = One({0, 0, 1174, 934});
const Desktop kNarrow = One({0, 0, 1173, 934});
const Desktop kTiny = One({0, 0, 400, 300});
// Two side by side: the primary 1920 x 1080, a 1366 x 768 to its right.
const Desktop kPair = {{Screen({0, 0, 1920, 1080}), Screen({1920, 0, 1366, 768})}, 0};
// The primary on the right, with a panel across its top.
const Desktop kPairRight = {
    {Screen({0, 0, 1366, 768}), Screen({1366, 0, 1920, 1080}, {1366, 30, 1920, 1050})}, 1};
// A second screen left of the primary, at negative coordinates.
const Desktop kPairLeft = {{Screen({-1280, 0, 1280, 1024}), Screen({0, 0, 1920, 1080})}, 1};

}  // namespace

class ScreenPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void mainWindow_data() {
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<std::optional<QPoint>>("stored");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("placed");
    const std::optional<QPoint> none;
    auto at = [](int x, int y) { return std::optional<QPoint>(QPoint(x, y)); };

    // First start: the design position where the whole window fits, else the
    // middle of the primary screen's available area.
    QTest::newRow("first, 1920x1080") << k1920 << none << kFramed << kDesign;
    QTest::newRow("first, 1920x1080, no frame") << k1920 << none << kBare << kDesign;
    QTest::newRow("first, 1366x768") << k1366 << none << kFramed << QPoint(432, 190);
    QTest::newRow("first, 1366x768, no frame") << k1366 << none << kBare << QPoint(433, 201);
    QTest::newRow("first, 1024x768") << k1024 << none << kFramed << QPoint(261, 190);
    QTest::newRow("first, panel at the top") << k1366Panel << none << kFramed << QPoint(432, 204);
    QTest::newRow("first, panel takes the last rows")
        << k1280Panel << none << kFramed << QPoint(389, 266);
    QTest::newRow("first, exactly room") << kExact << none << kFramed << kDesign;
    QTest::newRow("first, a pixel short") << kNarrow << none << kFramed << QPoint(335, 273);
    QTest::newRow("first, screen smaller than the window") << kTiny << none << kFramed << QPoint();
    QTest::newRow("first, two screens") << kPair << none << kFramed << kDesign;
    QTest::newRow("first, primary on the right")
        << kPairRight << none << kFramed << QPoint(2075, 361);

    // Restore on one screen: every edge is kept on the available area.
    QTest::newRow("inside") << k1366 << at(100, 100) << kFramed << QPoint(100, 100);
    QTest::newRow("partly off the right") << k1366 << at(1000, 100) << kFramed << QPoint(864, 100);
    QTest::newRow("partly off the bottom") << k1366 << at(100, 500) << kFramed << QPoint(100, 381);
    QTest::newRow("partly off the left") << k1366 << at(-50, 100) << kFramed << QPoint(0, 100);
    QTest::newRow("partly off the top") << k1366 << at(100, -30) << kFramed << QPoint(100, 0);
    QTest::newRow("under the top panel") << k1366Panel << at(100, 10) << kFramed << QPoint(100, 27);
    QTest::newRow("wholly off the left") << k1366 << at(-1500, 200) << kFramed << QPoint(0, 200);
    QTest::newRow("wholly off the right") << k1366 << at(3000, 200) << kFramed << QPoint(864, 200);
    QTest::newRow("wholly off the top") << k1366 << at(300, -900) << kFramed << QPoint(300, 0);
    QTest::newRow("wholly off the bottom") << k1366 << at(300, 2000) << kFramed << QPoint(300, 381);
    QTest::newRow("far away") << k1366 << at(2147483000, 2147483000) << kFramed << QPoint(864, 381);
    QTest::newRow("far away the other way")
        << k1366 << at(-2147483000, -2147483000) << kFramed << QPoint(0, 0);
    QTest::newRow("design position on 1366x768")
        << k1366 << at(672, 547) << kFramed << QPoint(672, 381);
    QTest::newRow("design position on 1024x768")
        << k1024 << at(672, 547) << kFramed << QPoint(522, 381);
    QTest::newRow("design position on 1920x1080") << k1920 << at(672, 547) << kFramed << kDesign;
    QTest::newRow("larger than the screen") << kTiny << at(50, 50) << kFramed << QPoint(0, 0);

    // Two screens: the one with the larger part of the window takes it.
    QTest::newRow("on the second screen") << kPair << at(2100, 100) << kFramed << QPoint(2100, 100);
    QTest::newRow("more on the second") << kPair << at(1700, 100) << kFramed << QPoint(1920, 100);
    QTest::newRow("more on the first") << kPair << at(1500, 100) << kFramed << QPoint(1418, 100);
    QTest::newRow("halves go to the primary")
        << kPair << at(1669, 100) << kFramed << QPoint(1418, 100);
    QTest::newRow("below the shorter second screen")
        << kPair << at(2000, 600) << kFramed << QPoint(2000, 381);
    QTest::newRow("on no screen goes to the primary")
        << kPair << at(2200, 900) << kFramed << QPoint(1418, 693);
    QTest::newRow("left screen unplugged") << k1920 << at(-1200, 300) << kFramed << QPoint(0, 300);
    QTest::newRow("on the screen left of the primary")
        << kPairLeft << at(-800, 100) << kFramed << QPoint(-800, 100);
    QTest::newRow("more on the left screen, below its bottom")
        << kPairLeft << at(-300, 700) << kFramed << QPoint(-502, 637);
    QTest::newRow("on the primary right of the other")
        << kPairRight << at(1400, 10) << kFramed << QPoint(1400, 30);
  }
  void mainWindow() {
    QFETCH(Desktop, desktop);
    QFETCH(std::optional<QPoint>, stored);
    QFETCH(QSize, frame);
    QFETCH(QPoint, placed);
    QCOMPARE(PlaceMainWindow(desktop, stored, frame, kDesign), placed);
  }

  void noScreensLeavesThePlaceAlone() {
    const Desktop none;
    QCOMPARE(PlaceMainWindow(none, QPoint(-5000, 9000), kFramed, kDesign), QPoint(-5000, 9000));
    QCOMPARE(PlaceMainWindow(none, std::nullopt, kFramed, kDesign), kDesign);
    QCOMPARE(PlaceOnScreenOf(none, QRect(kDesign, kFramed), QPoint(-7, -8), QSize(250, 125)),
             QPoint(-7, -8));
    QCOMPARE(ScreenHolding(none, kDesign, kFramed), -1);
  }

  // A window that belongs to the main window: its own place, then wholly onto
  // the screen that holds the main window.
  void besideTheMainWindow_data() {
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("placed");
    const QSize question(322, 112);  // the language question with its frame
    const QSize message(250, 125);   // a message dialog has none
    QTest::newRow("inside stays") << k1366 << QRect(QPoint(432, 190), kFramed) << QPoint(522, 327)
                                  << question << QPoint(522, 327);
    // The first start's design position on a 1366 x 768 screen.
    QTest::newRow("language question off the bottom")
        << k1366 << QRect(kDesign, kFramed) << QPoint(762, 695) << question << QPoint(762, 656);
    QTest::newRow("message left of the screen") << k1366 << QRect(QPoint(-403, -77), kFramed)
                                                << QPoint(-277, 54) << message << QPoint(0, 54);
    QTest::newRow("message above the panel") << k1366Panel << QRect(QPoint(100, -200), kFramed)
                                             << QPoint(226, -69) << message << QPoint(226, 27);
    QTest::newRow("on the second screen, past its right edge")
        << kPair << QRect(QPoint(3000, 100), kFramed) << QPoint(3126, 231) << message
        << QPoint(3036, 231);
    QTest::newRow("main window more on the first screen")
        << kPair << QRect(QPoint(1500, 100), kFramed) << QPoint(1800, 231) << message
        << QPoint(1670, 231);
    QTest::newRow("main window on no screen: the primary")
        << kPair << QRect(QPoint(2200, 900), kFramed) << QPoint(2326, 1031) << message
        << QPoint(1670, 955);
  }
  void besideTheMainWindow() {
    QFETCH(Desktop, desktop);
    QFETCH(QRect, mainFrame);
    QFETCH(QPoint, place);
    QFETCH(QSize, frame);
    QFETCH(QPoint, placed);
    QCOMPARE(PlaceOnScreenOf(desktop, mainFrame, place, frame), placed);
  }
};

ZT_TEST_MAIN(ScreenPlacementTest)
#include "ScreenPlacementTest.moc"
