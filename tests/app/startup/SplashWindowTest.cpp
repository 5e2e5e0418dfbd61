// The splash window: its shape and picture, and the three ways it closes (a
// click, its timer, and its timer when it was shown late).
#include <QElapsedTimer>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/startup/SplashWindow.h"
#include "tests/common/Shots.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

constexpr int kHung = 99;
constexpr int kNever = 600000;  // an interval no test waits for

// Runs the splash modally, does `act` once it is shown and returns its result;
// a splash that does not close ends with kHung instead of hanging the test.
int RunModal(SplashWindow& splash, const std::function<void()>& act = {}) {
  QTimer::singleShot(0, &splash, [&] {
    if (act) act();
  });
  QTimer::singleShot(4000, &splash, [&] { splash.done(kHung); });
  return splash.exec();
}

}  // namespace

class SplashWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void shapeAndPicture() {
    SplashWindow splash;
    // The timer runs from creation, before the splash is ever shown.
    QVERIFY(splash.CloseTimer.isActive());
    QCOMPARE(splash.CloseTimer.interval(), 3000);
    QCOMPARE(splash.size(), QSize(200, 150));
    QCOMPARE(splash.minimumSize(), splash.maximumSize());
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);

    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(splash.geometry().center(), QRect(screen.left() + (screen.width() - 200) / 2,
                                               screen.top() + (screen.height() - 150) / 2, 200, 150)
                                             .center());

    // The built-in picture fills the whole window: the walnut ground in the
    // corners' neighbourhood, something lighter (the name) at the top.
    const QImage shot = splash.grab().toImage();
    QCOMPARE(shot.size(), QSize(200, 150));
    const QColor ground = shot.pixelColor(8, 75);
    QVERIFY2(ground.red() > ground.blue() && ground.red() > 30 && ground.red() < 140,
             qPrintable(ground.name()));
    int light = 0;
    for (int y = 8; y < 40; ++y)
      for (int x = 20; x < 180; ++x)
        if (shot.pixelColor(x, y).lightness() > 180) ++light;
    QVERIFY2(light > 200, qPrintable(QString::number(light)));
    test::SaveShot(splash, "splash");
    splash.hide();
  }

  void closesOnAClick() {
    SplashWindow splash(nullptr, kNever);
    const int result =
        RunModal(splash, [&] { QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 75)); });
    QVERIFY(result != kHung);
    QVERIFY(!splash.isVisible());
    // Gone for good: its timer rests, so an idle game does not wake for it.
    QVERIFY(!splash.CloseTimer.isActive());
  }

  // Every mouse button closes it, on the picture or at its edge.
  void closesOnAnyButton_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("where");
    QTest::newRow("right, top left corner") << int(Qt::RightButton) << QPoint(0, 0);
    QTest::newRow("middle, bottom right corner") << int(Qt::MiddleButton) << QPoint(199, 149);
  }
  void closesOnAnyButton() {
    QFETCH(int, button);
    QFETCH(QPoint, where);
    SplashWindow splash(nullptr, kNever);
    const int result =
        RunModal(splash, [&] { QTest::mouseClick(&splash, Qt::MouseButton(button), {}, where); });
    QVERIFY(result != kHung);
  }

  void closesOnItsTimer() {
    SplashWindow splash(nullptr, 300);
    QElapsedTimer clock;
    clock.start();
    const int result = RunModal(splash);
    QVERIFY(result != kHung);
    QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
  }

  // Start-up took longer than the interval: the tick while hidden does
  // nothing, and the shown splash closes at the next tick instead of staying.
  void shownLateStillCloses() {
    SplashWindow splash(nullptr, 1000);
    QSignalSpy finished(&splash, &QDialog::finished);
    QTest::qWait(1800);  // one tick has passed unseen
    QCOMPARE(finished.count(), 0);
    QVERIFY(!splash.isVisible());
    QElapsedTimer clock;
    clock.start();
    const int result = RunModal(splash);
    QVERIFY(result != kHung);
    // Shown at about 1800 ms, closed at the tick of 2000 ms: not a whole
    // interval after it was shown.
    QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(finished.count(), 1);
  }
};

ZT_TEST_MAIN(SplashWindowTest)
#include "SplashWindowTest.moc"
