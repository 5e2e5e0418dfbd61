// A program killed at a random moment while it saves: the quit's values and
// the best-times list are each found whole, old or new, and nothing else in
// the file is lost. The next program takes over the lock left behind.
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "core/GameSettings.h"
#include "core/SettingsKeys.h"
#include "highscore/HighscoreList.h"
#include "tests/common/TestMain.h"
#include "tests/highscore/SaveStates.h"

using namespace zt;
using zt::test::kSaveStates;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 40;
#else
constexpr int kRounds = 250;
#endif

// Other lists the file holds all along, so that a save has a file of some
// size to write.
QString FillerKey(int i) {
  return "tran" + QString::number(10 + i);
}

// Which of the two states the stored values are wholly in, or -1.
int QuitState(const SettingsStore& store) {
  const GameSettings s = ReadGameSettings(store);
  const QString position =
      store.ReadString(settings::kCommonSection, settings::kWindowPositionKey, {});
  for (int i = 0; i < 2; ++i) {
    const GameSettings want = kSaveStates[i].Settings();
    if (s.mode == want.mode && s.sound == want.sound && s.music == want.music &&
        s.tongue == want.tongue && s.variants == want.variants &&
        position == kSaveStates[i].windowPosition)
      return i;
  }
  return -1;
}

int ListState(HighscoreStore& lists) {
  const HighscoreTable table = lists.Load(zt::test::kKilledListKey);
  for (int i = 0; i < 2; ++i) {
    if (table == kSaveStates[i].List() && lists.ReadPlayerName() == kSaveStates[i].player) return i;
  }
  return -1;
}

}  // namespace

class SaveKillTest : public QObject {
  Q_OBJECT

 private slots:
  void killedSavesLeaveTheOldValuesOrTheNew() {
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.ini");
    SettingsStore store(path);
    TextScrambler scrambler;
    scrambler.Init(QString(), 0);
    HighscoreStore lists(store, scrambler);
    HighscoreTable filler;
    for (int i = 0; i < kHighscorePlaces; ++i)
      filler[i] = HighscoreEntry{"Filler " + QString::number(i), 100 + i};
    QVERIFY(store.Edit([&](SettingsEdit& edit) {
      for (int i = 0; i < 60; ++i) {
        for (int p = 0; p < kHighscorePlaces; ++p)
          edit.SetString("highscore", FillerKey(i) + QString::number(p),
                         scrambler.Encode(FormatEntry(filler[p])));
      }
    }));
    const QString loop = QCoreApplication::applicationDirPath() + "/save_loop";
    QVERIFY(QFileInfo(loop).isExecutable());

    int found[2][2] = {};  // [quit state][list state]
    int emptyLocks = 0;
    for (int round = 0; round < kRounds; ++round) {
      QProcess saver;
      saver.start(loop, {path});
      QVERIFY2(saver.waitForStarted(5000), qPrintable(saver.errorString()));
      if (!saver.waitForReadyRead(10000)) {
        // A kill between making the lock file and writing the owner into it
        // leaves a lock nobody can tell is stale until it is old: saves fail
        // (at once, they do not wait) until then.
        if (saver.state() != QProcess::NotRunning) QVERIFY(saver.waitForFinished(5000));
        QFileInfo lock(path + ".lock");
        QVERIFY2(saver.exitCode() == 1 && lock.exists() && lock.size() == 0,
                 qPrintable(QString("round %1: the save loop never got ready").arg(round)));
        QCOMPARE(QuitState(store) >= 0 && ListState(lists) >= 0, true);
        // Aged, it is taken over by the next round.
        QFile aged(lock.filePath());
        QVERIFY(aged.open(QIODevice::ReadWrite));
        QVERIFY(aged.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        ++emptyLocks;
        continue;
      }
      QCOMPARE(saver.readLine().trimmed(), QByteArray("ready"));
      QThread::usleep(QRandomGenerator::global()->bounded(60000));
      saver.kill();
      QVERIFY(saver.waitForFinished(5000));
      QCOMPARE(saver.exitStatus(), QProcess::CrashExit);  // killed, not failed

      const int quit = QuitState(store);
      const int list = ListState(lists);
      QVERIFY2(quit >= 0, qPrintable(QString("round %1: the quit's values are torn").arg(round)));
      QVERIFY2(list >= 0, qPrintable(QString("round %1: the list is torn").arg(round)));
      for (int i = 0; i < 60; i += 7)
        QCOMPARE(lists.Load(FillerKey(i)), filler);
      ++found[quit][list];
    }
    qInfo(
        "%d rounds; quit/list old/old %d, old/new %d, new/old %d, new/new %d; "
        "empty lock left %d",
        kRounds, found[0][0], found[0][1], found[1][0], found[1][1], emptyLocks);
  }
};

ZT_TEST_MAIN(SaveKillTest)
#include "SaveKillTest.moc"
