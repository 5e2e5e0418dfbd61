// The zoomed window: the clamp to the screen, the artwork scale, the zoom
// keys taken before the puzzle, presses mapped back to play-area pixels, the
// grown toolbar and the zoom kept in the settings. The program runs on a
// virtual 3840 x 2160 screen, where every zoom up to 4 fits; run with
// QT_SCALE_FACTOR=2 it checks the same on a screen of scale 2.
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/window/MainWindow.h"
#include "app/window/Zoom.h"
#include "core/Language.h"
#include "puzzles/crux/CruxView.h"
#include "tests/common/TestMain.h"

using namespace zt;

class ZoomTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("settings.ini"); }
  MainWindow::Options Options() const { return {test::GameDir(), Ini(), false}; }
  static double Ratio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

 private slots:
  void init() {
    QFile::remove(Ini());
    Tongue = 1;
    QVERIFY(SettingsStore(Ini()).WriteString("common", "tongue", "1"));
  }

  void largestZoomForScreenSizes_data() {
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<int>("largest");
    QTest::newRow("800 x 600") << QSize(800, 600) << QSize() << 1;
    QTest::newRow("1280 x 720: 732 rows do not fit") << QSize(1280, 720) << QSize() << 1;
    QTest::newRow("1366 x 768") << QSize(1366, 768) << QSize() << 2;
    QTest::newRow("1366 x 768 with a 40-row title bar") << QSize(1366, 768) << QSize(8, 40) << 1;
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize() << 2;
    QTest::newRow("1920 x 1200") << QSize(1920, 1200) << QSize() << 3;
    QTest::newRow("2560 x 1440: 1464 rows do not fit") << QSize(2560, 1440) << QSize() << 3;
    QTest::newRow("3840 x 2160, never above 4") << QSize(3840, 2160) << QSize() << 4;
    QTest::newRow("exactly 2000 x 1464") << QSize(2000, 1464) << QSize() << 4;
    QTest::newRow("one pixel short of 4") << QSize(1999, 1464) << QSize() << 3;
    QTest::newRow("a screen smaller than 1x still gives 1") << QSize(320, 240) << QSize() << 1;
  }
  void largestZoomForScreenSizes() {
    QFETCH(QSize, available);
    QFETCH(QSize, frame);
    QFETCH(int, largest);
    QCOMPARE(LargestZoom(available, QSize(500, 366), frame), largest);
  }

  void clampAndCommands_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("command");  // ZoomCommand
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("result");
    const int none = int(ZoomCommand::None), in = int(ZoomCommand::In);
    const int out = int(ZoomCommand::Out), reset = int(ZoomCommand::Reset);
    QTest::newRow("stored 0") << 0 << none << 4 << 1;
    QTest::newRow("stored -3") << -3 << none << 4 << 1;
    QTest::newRow("stored 9") << 9 << none << 4 << 4;
    QTest::newRow("stored 3 on a screen for 2") << 3 << none << 2 << 2;
    QTest::newRow("in from 1") << 1 << in << 4 << 2;
    QTest::newRow("in at the largest") << 2 << in << 2 << 2;
    QTest::newRow("in at 4") << 4 << in << 9 << 4;
    QTest::newRow("out from 3") << 3 << out << 4 << 2;
    QTest::newRow("out at 1") << 1 << out << 4 << 1;
    QTest::newRow("reset from 4") << 4 << reset << 4 << 1;
  }
  void clampAndCommands() {
    QFETCH(int, zoom);
    QFETCH(int, command);
    QFETCH(int, largest);
    QFETCH(int, result);
    QCOMPARE(ApplyZoom(zoom, static_cast<ZoomCommand>(command), largest), result);
  }

  void zoomKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("command");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+Plus") << int(Qt::Key_Plus) << ctrl << int(ZoomCommand::In);
    QTest::newRow("Ctrl+Shift+Plus")
        << int(Qt::Key_Plus) << int(ctrl | Qt::ShiftModifier) << int(ZoomCommand::In);
    QTest::newRow("Ctrl+=") << int(Qt::Key_Equal) << ctrl << int(ZoomCommand::In);
    QTest::newRow("Ctrl+keypad Plus")
        << int(Qt::Key_Plus) << int(ctrl | Qt::KeypadModifier) << int(ZoomCommand::In);
    QTest::newRow("Ctrl+Minus") << int(Qt::Key_Minus) << ctrl << int(ZoomCommand::Out);
    QTest::newRow("Ctrl+0") << int(Qt::Key_0) << ctrl << int(ZoomCommand::Reset);
    QTest::newRow("Plus alone") << int(Qt::Key_Plus) << 0 << int(ZoomCommand::None);
    QTest::newRow("0 alone") << int(Qt::Key_0) << 0 << int(ZoomCommand::None);
    QTest::newRow("Ctrl+Alt+Plus")
        << int(Qt::Key_Plus) << int(ctrl | Qt::AltModifier) << int(ZoomCommand::None);
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << ctrl << int(ZoomCommand::None);
    QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << ctrl << int(ZoomCommand::None);
  }
  void zoomKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, command);
    QCOMPARE(int(ZoomKey(key, Qt::KeyboardModifiers(modifiers))), command);
  }

  void artworkScale_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("scale");
    QTest::newRow("1 on 1") << 1 << 1.0 << 1;
    QTest::newRow("2 on 1") << 2 << 1.0 << 2;
    QTest::newRow("3 on 1") << 3 << 1.0 << 3;
    QTest::newRow("4 on 1: the 3x art, enlarged") << 4 << 1.0 << 3;
    QTest::newRow("1 on 2") << 1 << 2.0 << 2;
    QTest::newRow("2 on 2") << 2 << 2.0 << 3;
    QTest::newRow("1 on 1.25") << 1 << 1.25 << 1;
    QTest::newRow("1 on 1.5") << 1 << 1.5 << 2;
    QTest::newRow("2 on 1.25") << 2 << 1.25 << 3;
    QTest::newRow("a ratio below 1") << 1 << 0.5 << 1;
  }
  void artworkScale() {
    QFETCH(int, zoom);
    QFETCH(double, ratio);
    QFETCH(int, scale);
    QCOMPARE(ArtworkScale(zoom, ratio), scale);
  }

  void everyWidgetPixelMapsBackToItsPlayAreaPixel() {
    // Every press table is made of play-area pixels: at each zoom, each of
    // the zoom x zoom widget pixels that show a play-area pixel (and any
    // point inside them) gives that pixel, and no other.
#ifdef ZT_SANITIZE
    const int step = 7;
#else
    const int step = 1;
#endif
    for (int zoom = 1; zoom <= kMaxZoom; ++zoom) {
      for (int y = 0; y < 333; y += step) {
        for (int x = 0; x < 500; x += step) {
          for (int dy = 0; dy < zoom; ++dy) {
            for (int dx = 0; dx < zoom; ++dx) {
              const QPoint got = ToPlayArea(QPointF(x * zoom + dx + 0.75, y * zoom + dy), zoom);
              if (got != QPoint(x, y)) {
                QFAIL(qPrintable(QString("zoom %1: widget (%2, %3) gave (%4, %5), not (%6, %7)")
                                     .arg(zoom)
                                     .arg(x * zoom + dx)
                                     .arg(y * zoom + dy)
                                     .arg(got.x())
                                     .arg(got.y())
                                     .arg(x)
                                     .arg(y)));
              }
            }
          }
        }
      }
    }
    // Left of and above the play area stays outside it.
    QCOMPARE(ToPlayArea(QPointF(-0.5, -1), 2), QPoint(-1, -1));
    QCOMPARE(ToPlayArea(QPointF(-3, -4), 2), QPoint(-2, -2));
  }

  void cruxPressesAtEveryZoomMatchTheOneX_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("onBorder");
    const int largest =
        LargestZoom(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(500, 366));
    for (int zoom = 2; zoom <= largest; ++zoom) {
      for (int d = 0; d < 4; ++d) {
        const QRect a = CruxView::CruxPushAreas[d];
        QTest::addRow("zoom %d, area %d first inside", zoom, d)
            << zoom << QPoint(a.x() + 1, a.y() + 1) << false;
        QTest::addRow("zoom %d, area %d last inside", zoom, d)
            << zoom << QPoint(a.right(), a.bottom()) << false;
        QTest::addRow("zoom %d, area %d left border", zoom, d)
            << zoom << QPoint(a.x(), a.y() + 10) << true;
        QTest::addRow("zoom %d, area %d bottom border", zoom, d)
            << zoom << QPoint(a.x() + 10, a.y() + a.height()) << true;
      }
    }
  }
  void cruxPressesAtEveryZoomMatchTheOneX() {
    QFETCH(int, zoom);
    QFETCH(QPoint, point);
    QFETCH(bool, onBorder);
    MainWindow form(Options());
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    form.Host().SetDelayFunction([](int) {});
    auto& crux = static_cast<CruxView&>(form.Host().Current());
    const CruxRules start = crux.Rules();
    const auto board = [&crux] {
      QString cells;
      for (int y = 0; y < CruxRules::kSize; ++y)
        for (int x = 0; x < CruxRules::kSize; ++x)
          cells += QString::number(crux.Rules().Cell(x, y)) + ',';
      return cells;
    };
    const QString before = board();
    QTest::mouseClick(form.PlayAreaWidget(), Qt::LeftButton, {}, point);
    const QString atOne = board();
    // At 1x a press inside an area slides its track when the way is free; a
    // press on the border takes no effect.
    const int direction = CruxView::PushDirection(point.x(), point.y());
    QCOMPARE(direction < 0, onBorder);
    QCOMPARE(atOne != before, !onBorder && start.CruxCanShift(direction));

    form.SetZoom(zoom);
    QCOMPARE(form.Zoom(), zoom);
    // Both corners of the zoomed pixel, each from the same start.
    for (const QPoint corner : {QPoint(0, 0), QPoint(zoom - 1, zoom - 1)}) {
      crux.Rules() = start;
      QTest::mouseClick(form.PlayAreaWidget(), Qt::LeftButton, {}, point * zoom + corner);
      QCOMPARE(board(), atOne);
    }
  }

  void zoomKeysResizeEverythingAndTouchNoPuzzle() {
    MainWindow form(Options());
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    form.Host().SetDelayFunction([](int) {});
    const auto& crux = static_cast<CruxView&>(form.Host().Current());
    const int pattern = crux.Rules().CruxPattern;
    QCOMPARE(form.size(), QSize(500, 366));
    QCOMPARE(form.ArtworkScaleInUse(), ArtworkScale(1, Ratio()));

    struct Step {
      Qt::Key key;
      int zoom;
    };
    const int largest = form.LargestZoomHere();
    QVERIFY2(largest >= 2, "the test screen has room for zoom 2");
    const Step steps[] = {{Qt::Key_Plus, 2},
                          {Qt::Key_Equal, std::min(3, largest)},
                          {Qt::Key_Minus, std::min(3, largest) - 1},
                          {Qt::Key_Plus, std::min(3, largest)},
                          {Qt::Key_0, 1}};
    for (const Step& step : steps) {
      // The key itself with Ctrl held (QTest's keyClick would first press Ctrl
      // on its own, which is any key to the puzzle).
      QKeyEvent press(QEvent::KeyPress, step.key, Qt::ControlModifier);
      QApplication::sendEvent(&form, &press);
      QVERIFY(press.isAccepted());
      const int z = step.zoom;
      QCOMPARE(form.Zoom(), z);
      QCOMPARE(form.size(), QSize(500 * z, 366 * z));
      QCOMPARE(form.minimumSize(), form.maximumSize());
      QCOMPARE(form.PlayAreaWidget()->geometry(), QRect(0, 33 * z, 500 * z, 333 * z));
      QCOMPARE(form.Tools().MixBtn->geometry(), QRect(4 * z, 4 * z, 25 * z, 25 * z));
      QCOMPARE(form.Tools().ZindleBtn->geometry(), QRect(466 * z, 4 * z, 29 * z, 25 * z));
      QCOMPARE(form.Tools().MixBtn->iconSize(), QSize(20 * z, 20 * z));
      // The glyph is shown at that size, from the picture drawn for it.
      QCOMPARE(form.Tools().MixBtn->icon().actualSize(QSize(20 * z, 20 * z)),
               QSize(20 * z, 20 * z));
      QCOMPARE(form.Tools().TimeLabel->font().pixelSize(), 12 * z);
      QCOMPARE(form.Level()->pos(), QPoint(430 * z, 310 * z));
      QCOMPARE(form.Level()->font().pixelSize(), 27 * z);
      QCOMPARE(form.ArtworkScaleInUse(), ArtworkScale(z, Ratio()));
      // The key went to the window only: no move, no clock, no variant step.
      QCOMPARE(int(form.Host().Play().PuzzleState[kCrux]), int(kReady));
      QCOMPARE(form.Host().Play().PuzzleClock[kCrux], 0);
      QCOMPARE(crux.Rules().CruxPattern, pattern);
    }
  }

  void thePlayAreaShowsTheDetailOfItsScale() {
    // TILZ level 1 has a fixed layout: the grabbed play area at zoom 2 is the
    // 2x composition, unlike the 1x picture doubled.
    QVERIFY(SettingsStore(Ini()).WriteString("common", "mode", "1"));
    QVERIFY(SettingsStore(Ini()).WriteString("common", "zmode", "1"));
    MainWindow form(Options());
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage oneX = form.PlayAreaWidget()->grab().toImage();
    form.SetZoom(2);
    const QImage twoX =
        form.PlayAreaWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int pixels = int(std::lround(2 * Ratio()));
    QCOMPARE(twoX.size(), QSize(500, 333) * pixels);
    const QImage doubled = oneX.convertToFormat(QImage::Format_RGB32)
                               .scaled(twoX.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < twoX.height(); ++y)
      for (int x = 0; x < twoX.width(); ++x)
        differing += twoX.pixel(x, y) != doubled.pixel(x, y);
    QVERIFY2(
        differing > twoX.width() * twoX.height() / 10,
        qPrintable(QString("only %1 pixels differ from the doubled 1x picture").arg(differing)));
    form.hide();
  }

  void aScreenOfAnotherScaleChangesTheArtwork_data() {
    // The handler the window's screen change runs, given the ratio of the new
    // screen: no second screen of another scale exists offscreen.
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("scale");
    QTest::newRow("1x onto a screen of scale 2") << 1 << 2.0 << 2;
    QTest::newRow("1x onto a screen of scale 1.5") << 1 << 1.5 << 2;
    QTest::newRow("zoom 2 onto a screen of scale 1.5") << 2 << 1.5 << 3;
    QTest::newRow("zoom 2 onto a screen of scale 1") << 2 << 1.0 << 2;
    QTest::newRow("1x onto a screen of scale 3") << 1 << 3.0 << 3;
  }
  void aScreenOfAnotherScaleChangesTheArtwork() {
    QFETCH(int, zoom);
    QFETCH(double, ratio);
    QFETCH(int, scale);
    QVERIFY(SettingsStore(Ini()).WriteString("common", "mode", "1"));
    MainWindow form(Options());
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    form.SetZoom(zoom);
    QCOMPARE(form.Zoom(), zoom);
    form.FollowDevicePixelRatio(ratio);
    QCOMPARE(form.ArtworkScaleInUse(), scale);
    QCOMPARE(form.Zoom(), zoom);  // the window keeps its size
    QCOMPARE(form.size(), QSize(500, 366) * zoom);
    // The play area is composed again from the atlas of the new scale.
    QCOMPARE(form.PlayCanvas().Screen().size(), QSize(500, 333) * scale);
    QCOMPARE(form.PlayCanvas().Atlas().devicePixelRatio(), double(scale));
    // And back on the first screen.
    form.FollowDevicePixelRatio(Ratio());
    QCOMPARE(form.ArtworkScaleInUse(), ArtworkScale(zoom, Ratio()));
    QCOMPARE(form.PlayCanvas().Screen().size(), QSize(500, 333) * form.ArtworkScaleInUse());
  }

  void theZoomIsKeptAndClampedAtStart() {
    {
      MainWindow form(Options());
      QVERIFY(form.Created());
      form.SetZoom(2);
    }
    QSettings raw(Ini(), QSettings::IniFormat);
    QCOMPARE(raw.value("V1/view/zoom").toString(), QString("2"));
    {
      MainWindow form(Options());
      QCOMPARE(form.Zoom(), 2);
      QCOMPARE(form.size(), QSize(1000, 732));
      QCOMPARE(form.ArtworkScaleInUse(), ArtworkScale(2, Ratio()));
    }
    for (const char* stored : {"9", "-2", "two", ""}) {
      QVERIFY(SettingsStore(Ini()).WriteString("view", "zoom", stored));
      MainWindow form(Options());
      QVERIFY(form.Created());
      const int expected = QByteArray(stored) == "9" ? form.LargestZoomHere() : 1;
      QCOMPARE(form.Zoom(), expected);
      QCOMPARE(form.size(), QSize(500, 366) * expected);
    }
    // The game's own keys are untouched.
    QVERIFY(!raw.contains("V1/common/zoom"));
  }
};

int main(int argc, char** argv) {
  // A screen with room for the enlarged windows.
  if (!zt::test::UseOffscreenScreen(zt::test::IsolateEnvironment(), 3840, 2160)) return 2;
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  ZoomTest tc;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&tc, argc, argv);
}
#include "ZoomTest.moc"
