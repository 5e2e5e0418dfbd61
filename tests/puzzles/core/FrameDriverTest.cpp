// The one frame driver of all move animations: the order of frame, tick and
// wait, and which clock ticks when.
#include <QtTest>
#include <string>
#include <vector>

#include "puzzles/core/FrameDriver.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

// Host services that write down, in order, every clock repaint ("tick <the
// plan's clock>") and every wait ("wait <ms>").
class LogHost final : public HostServices {
 public:
  LogHost(std::vector<std::string>& events, const PlayState& play) : events_(events), play_(play) {}
  void PlaySound(SoundEffect) override { events_.push_back("sound"); }
  void Delay(int ms) override { events_.push_back("wait " + std::to_string(ms)); }
  void RepaintClock() override {
    events_.push_back("tick " + std::to_string(play_.PuzzleClock[kTilz]));
  }
  void PuzzleSolved() override { events_.push_back("solved"); }

 private:
  std::vector<std::string>& events_;
  const PlayState& play_;
};

// TILZ's clock at 20, every other clock at 100; the frames shown are written
// down as "f<n>".
struct DriverRig {
  explicit DriverRig(std::uint8_t state) {
    play.PuzzleMode = kTilz;
    play.PuzzleState.fill(kRunning);
    play.PuzzleState[kTilz] = state;
    play.PuzzleClock.fill(100);
    play.PuzzleClock[kTilz] = 20;
  }
  void Play(const FramePlan& plan) {
    driver.Play(plan, [this](int frame) { events.push_back("f" + std::to_string(frame)); });
  }
  int Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(events.begin(), events.end(), [&](const std::string& e) {
      return e.rfind(prefix, 0) == 0;
    }));
  }

  std::vector<std::string> events;
  PlayState play;
  LogHost host{events, play};
  FrameDriver driver{host, play};
};

}  // namespace

class FrameDriverTest : public QObject {
  Q_OBJECT

 private slots:
  void eachFrameIsShownThenTickedThenWaitedFor() {
    DriverRig rig(kRunning);
    rig.Play({kTilz, 4, 30, {2, 4}});
    const std::vector<std::string> expected{"f1", "wait 30", "f2", "tick 21", "wait 30",
                                            "f3", "wait 30", "f4", "tick 22", "wait 30"};
    QCOMPARE(rig.events, expected);
  }

  void theClockTicksOnlyWhileItsGameRuns_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("clockAfter");
    QTest::newRow("running") << int(kRunning) << 23;
    QTest::newRow("ready") << int(kReady) << 20;
    QTest::newRow("solved") << int(kSolved) << 20;
    QTest::newRow("never set up") << int(kNeverSetUp) << 20;
  }
  void theClockTicksOnlyWhileItsGameRuns() {
    QFETCH(int, state);
    QFETCH(int, clockAfter);
    DriverRig rig(static_cast<std::uint8_t>(state));
    rig.Play({kTilz, 10, 30, {3, 6, 9}});
    QCOMPARE(rig.play.PuzzleClock[kTilz], clockAfter);
    QCOMPARE(rig.Count("tick"), clockAfter - 20);
    QCOMPARE(rig.Count("wait 30"), 10);  // the frames run in every state
    QCOMPARE(rig.Count("f"), 10);
    QCOMPARE(int(rig.play.PuzzleState[kTilz]), state);  // the driver never starts a clock
  }

  void onlyThePlansPuzzleGainsTicks() {
    // Every other clock runs too; the plan names TILZ.
    DriverRig rig(kRunning);
    rig.Play({kTilz, 9, 20, {5}});
    QCOMPARE(rig.play.PuzzleClock[kTilz], 21);
    for (const int other : {kCrux, kBoss, kTransit})
      QCOMPARE(rig.play.PuzzleClock[other], 100);
  }

  void tickFramesOutsideThePlanAreIgnored_data() {
    QTest::addColumn<int>("frames");
    QTest::addColumn<QList<int>>("tickFrames");
    QTest::addColumn<int>("ticks");
    QTest::newRow("none named") << 10 << QList<int>{} << 0;
    QTest::newRow("beyond the last frame") << 7 << QList<int>{4, 8} << 1;
    QTest::newRow("frame 0 and below") << 3 << QList<int>{0, -1, 1} << 1;
    QTest::newRow("the first and the last") << 9 << QList<int>{1, 9} << 2;
    QTest::newRow("frame 32, the largest") << 32 << QList<int>{32, 33} << 1;
  }
  void tickFramesOutsideThePlanAreIgnored() {
    QFETCH(int, frames);
    QFETCH(QList<int>, tickFrames);
    QFETCH(int, ticks);
    TickFrames named;
    for (const int f : tickFrames)
      named = named.With(f);
    DriverRig rig(kRunning);
    rig.Play({kTilz, frames, 20, named});
    QCOMPARE(rig.play.PuzzleClock[kTilz], 20 + ticks);
    QCOMPARE(rig.Count("wait"), frames);
  }

  void aPlanWithoutFramesShowsNothing() {
    DriverRig rig(kRunning);
    rig.Play({kTilz, 0, 20, {1}});
    QVERIFY(rig.events.empty());
    QCOMPARE(rig.play.PuzzleClock[kTilz], 20);
  }
};

ZT_TEST_MAIN(FrameDriverTest)
#include "FrameDriverTest.moc"
