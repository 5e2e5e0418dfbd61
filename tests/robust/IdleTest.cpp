// A game left alone takes no processor time: the 200 ms timer rests while
// neither a running clock nor the music needs it, and wakes for either.
#include <QTemporaryDir>
#include <QtTest>

#include "app/window/MainWindow.h"
#include "puzzles/boss/BossView.h"
#include "tests/common/TestMain.h"

using namespace zt;

class IdleTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("settings.ini"); }

 private slots:
  void timerRestsUnlessTheClockOrTheMusicNeedsIt() {
    SettingsStore store(Ini());
    QVERIFY(store.WriteString("common", "mode", "2"));
    QVERIFY(store.WriteString("common", "music", "0"));
    QVERIFY(store.WriteString("common", "tongue", "0"));
    MainWindow form({test::GameDir(), Ini(), false});
    QVERIFY(form.Created());
    form.Host().SetDelayFunction([](int) {});
    form.show();
    auto& play = form.Host().Play();

    // Ready, music off: the timer stops at its next tick.
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer().isActive(), 2000);

    // A move starts the clock, and the timer counts it.
    const int key = static_cast<BossView&>(form.Host().Current()).Rules().GapRow > 1 ? Qt::Key_Down
                                                                                     : Qt::Key_Up;
    QTest::keyClick(&form, static_cast<Qt::Key>(key));
    QCOMPARE(int(play.PuzzleState[kBoss]), int(kRunning));
    QVERIFY(form.Timer().isActive());
    const std::int32_t afterMove = play.PuzzleClock[kBoss];
    QTRY_VERIFY_WITH_TIMEOUT(play.PuzzleClock[kBoss] > afterMove, 2000);

    // Another puzzle, not running: the timer rests again; back to the running
    // one, it wakes.
    form.Tools().PuzzleBtn(kCrux)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer().isActive(), 2000);
    const std::int32_t standing = play.PuzzleClock[kBoss];
    form.Tools().PuzzleBtn(kBoss)->click();
    QVERIFY(form.Timer().isActive());
    QTRY_VERIFY_WITH_TIMEOUT(play.PuzzleClock[kBoss] > standing, 2000);

    // A new game: ready again, resting; the music switched on wakes it.
    form.Tools().MixBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(!form.Timer().isActive(), 2000);
    if (!form.Tools().MidiBtn->isEnabled()) QSKIP("no MIDI files in the game's folder");
    form.Tools().MidiBtn->click();
    QVERIFY(form.Tools().MidiBtn->isChecked());
    QVERIFY(form.Timer().isActive());
    QTest::qWait(450);
    QVERIFY(form.Timer().isActive());  // the music keeps it going
  }
};

ZT_TEST_MAIN(IdleTest)
#include "IdleTest.moc"
