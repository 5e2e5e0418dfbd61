// The music box's rules with a scripted player: which file plays when, the
// loop, the stepping on each switch-on, and the handling of bad files.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/sound/MusicBox.h"
#include "tests/app/sound/FakeMusicPlayer.h"
#include "tests/common/TestMain.h"

using zt::MusicBox;
using zt::test::FakeMusicPlayer;
using State = FakeMusicPlayer::State;

class MusicBoxTest : public QObject {
  Q_OBJECT

  // A folder holding the given (empty) files, and a box with a fake player.
  struct Rig {
    QTemporaryDir dir;
    FakeMusicPlayer* player;
    MusicBox box;
    explicit Rig(const QStringList& files)
        : player(new FakeMusicPlayer), box(std::unique_ptr<zt::MusicPlayer>(player)) {
      for (const QString& name : files)
        Touch(name);
    }
    void Touch(const QString& name) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    bool Start() { return box.MusicStart(dir.path() + "/"); }
    void Ticks(int count, bool on) {
      for (int i = 0; i < count; ++i)
        box.MusicUpkeep(on);
    }
  };

 private slots:
  void threeFilesStepOnEachSwitchOn() {
    // Made out of order and in mixed case: the box goes by name, and takes
    // ".MID" as well.
    Rig rig({"c.mid", "A.mid", "b.MID", "notes.txt", "tune.midi"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    QCOMPARE(p.Take(), QStringList());  // nothing is loaded at start-up

    rig.Ticks(1, true);  // the first tick starts the first file
    QCOMPARE(p.Take(), QStringList({"open A.mid", "play"}));
    QCOMPARE(p.state, State::Playing);
    rig.Ticks(5, true);
    p.Advance(30);
    QCOMPARE(p.Take(), QStringList());  // playing: nothing to do

    rig.box.MidiBtnClick(false);  // off pauses A where it is
    QCOMPARE(p.Take(), QStringList({"pause"}));
    QCOMPARE(p.state, State::Paused);
    QCOMPARE(p.position, 30.0);
    rig.Ticks(5, false);
    QCOMPARE(p.Take(), QStringList());

    rig.box.MidiBtnClick(true);  // on plays B from its start
    QCOMPARE(p.Take(), QStringList({"stop", "close", "open b.MID", "play"}));
    QCOMPARE(p.position, 0.0);
    QCOMPARE(p.state, State::Playing);

    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"pause", "stop", "close", "open c.mid", "play"}));

    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);  // past the last file: back to the first
    QCOMPARE(p.Take(), QStringList({"pause", "stop", "close", "open A.mid", "play"}));
    QCOMPARE(p.file, QString("A.mid"));
    QCOMPARE(p.position, 0.0);
  }

  void musicOffAtStartSkipsTheFirstFile() {
    Rig rig({"A.mid", "B.mid"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    rig.Ticks(20, false);
    QCOMPARE(p.Take(), QStringList());
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"open B.mid", "play"}));
    QCOMPARE(p.state, State::Playing);
  }

  void noFileNoMusic() {
    Rig rig({"readme.txt", "mid", "song.midi"});
    QDir(rig.dir.path()).mkdir("folder.mid");  // a folder is no tune
    QVERIFY(!rig.Start());
    rig.Ticks(10, true);
    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QCOMPARE(rig.player->Take(), QStringList());
    QVERIFY(rig.box.CurrentFile().isEmpty());
  }

  void aTuneLoopsAtTheNextTickOnlyWhileTheMusicIsOn() {
    Rig rig({"only.mid"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    rig.Ticks(1, true);
    p.Take();
    for (int loop = 0; loop < 3; ++loop) {
      p.Advance(90);
      p.Finish();
      rig.Ticks(1, true);  // rewinds and plays again
      QCOMPARE(p.Take(), QStringList({"play"}));
      QCOMPARE(p.state, State::Playing);
      QCOMPARE(p.position, 0.0);
    }
    // Switched off after the end (the click that pauses comes too late):
    // nothing restarts it.
    p.Finish();
    rig.box.MidiBtnClick(false);
    rig.Ticks(10, false);
    QCOMPARE(p.Take(), QStringList({"pause"}));
    QCOMPARE(p.state, State::Ended);
    // A single file starts again from its beginning when switched on.
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"stop", "close", "open only.mid", "play"}));
    QCOMPARE(p.position, 0.0);
  }

  void badFilesAreSkippedAndNeverTriedAgain() {
    Rig rig({"a.mid", "b.mid", "c.mid", "d.mid"});
    FakeMusicPlayer& p = *rig.player;
    p.unopenable = {"a.mid"};
    p.stopsAtOnce = {"b.mid", "d.mid"};
    QVERIFY(rig.Start());

    rig.Ticks(1, true);  // a cannot be opened: b is next, and plays
    QCOMPARE(p.Take(), QStringList({"open a.mid", "open b.mid", "play"}));
    rig.Ticks(1, true);  // b stopped at once: on to c
    QCOMPARE(p.Take(), QStringList({"close", "open c.mid", "play"}));
    QCOMPARE(p.state, State::Playing);
    rig.Ticks(20, true);
    QCOMPARE(p.Take(), QStringList());

    // Switching on: d stops at once too; past the end a and b are left out.
    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"pause", "stop", "close", "open d.mid", "play"}));
    rig.Ticks(1, true);
    QCOMPARE(p.Take(), QStringList({"close", "open c.mid", "play"}));
    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"pause", "stop", "close", "open c.mid", "play"}));
    QCOMPARE(p.opens, 6);
  }

  void noPlayableFileMeansSilenceWithoutRetries() {
    Rig rig({"a.mid", "b.mid"});
    FakeMusicPlayer& p = *rig.player;
    p.unopenable = {"a.mid"};
    p.stopsAtOnce = {"b.mid"};
    QVERIFY(rig.Start());  // the files exist: the music button is enabled
    rig.Ticks(100, true);
    QCOMPARE(p.opens, 2);
    for (int i = 0; i < 5; ++i) {
      rig.box.MidiBtnClick(false);
      rig.box.MidiBtnClick(true);
    }
    rig.Ticks(100, true);
    QCOMPARE(p.opens, 2);
    QVERIFY(!p.Playing());
  }

  void aFileGoneBeforeItsTurnIsSkipped() {
    Rig rig({"a.mid", "b.mid", "c.mid"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    rig.Ticks(1, true);
    QVERIFY(QFile::remove(rig.dir.filePath("b.mid")));
    p.Take();
    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList({"pause", "stop", "close", "open b.mid", "open c.mid", "play"}));
  }

  void aFileAddedDuringTheRunJoinsAtTheWrap() {
    Rig rig({"a.mid", "b.mid"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    rig.box.MidiBtnClick(true);  // b
    rig.Touch("c.mid");
    rig.box.MidiBtnClick(true);  // past b: the folder is searched again from a
    rig.box.MidiBtnClick(true);
    rig.box.MidiBtnClick(true);
    const QStringList opened = p.Take().filter("open");
    QCOMPARE(opened, QStringList({"open b.mid", "open a.mid", "open b.mid", "open c.mid"}));
  }

  // The game's folder first, then the player's own, each in name order; the
  // names are listed "game/..." or "own/...". The order is read off the first
  // tick and the switch-ons after it, one round and one more file.
  void gameTunesFirstThenThePlayersOwn_data() {
    QTest::addColumn<QStringList>("game");
    QTest::addColumn<QStringList>("own");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("both folders, not merged")
        << QStringList{"b.mid", "A.mid"} << QStringList{"c.MID", "a.mid", "notes.txt"}
        << QStringList{"game/A.mid", "game/b.mid", "own/a.mid", "own/c.MID", "game/A.mid"};
    QTest::newRow("the same name in both") << QStringList{"x.mid"} << QStringList{"x.mid"}
                                           << QStringList{"game/x.mid", "own/x.mid", "game/x.mid"};
    QTest::newRow("only the player's own") << QStringList{"readme.txt"} << QStringList{"z.mid"}
                                           << QStringList{"own/z.mid", "own/z.mid"};
    QTest::newRow("no folder of the player's")
        << QStringList{"a.mid", "b.mid"} << QStringList()
        << QStringList{"game/a.mid", "game/b.mid", "game/a.mid"};
  }
  void gameTunesFirstThenThePlayersOwn() {
    QFETCH(QStringList, game);
    QFETCH(QStringList, own);
    QFETCH(QStringList, order);
    Rig rig(game);
    QTemporaryDir home;
    const QString ownDir = home.filePath("music");
    if (!own.isEmpty()) QVERIFY(QDir().mkpath(ownDir));
    for (const QString& name : own) {
      QFile file(QDir(ownDir).filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(rig.box.MusicStart(QStringList{rig.dir.path(), ownDir}));
    const auto label = [&](const QString& path) {
      const QFileInfo info(path);
      const QString folder = info.absolutePath() == QFileInfo(ownDir).absoluteFilePath() ? "own"
                             : info.absolutePath() == QFileInfo(rig.dir.path()).absoluteFilePath()
                                 ? "game"
                                 : "elsewhere";
      return folder + "/" + info.fileName();
    };
    QStringList played;
    rig.Ticks(1, true);
    played << label(rig.box.CurrentFile());
    for (qsizetype i = 1; i < order.size(); ++i) {
      rig.box.MidiBtnClick(false);
      rig.box.MidiBtnClick(true);
      played << label(rig.box.CurrentFile());
    }
    QCOMPARE(played, order);
    QCOMPARE(rig.player->state, State::Playing);
  }

  // A folder left empty (no data folder known) is not the current folder.
  void anEmptyFolderNameIsNoFolder() {
    QTemporaryDir cwd;
    QFile stray(cwd.filePath("stray.mid"));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(cwd.path()));
    Rig rig({"a.mid"});
    const bool any = rig.box.MusicStart(QStringList{QString(), rig.dir.path(), QString()});
    rig.Ticks(1, true);
    rig.box.MidiBtnClick(false);
    rig.box.MidiBtnClick(true);
    QVERIFY(QDir::setCurrent(before));
    QVERIFY(any);
    QCOMPARE(rig.player->Take().filter("open"), QStringList({"open a.mid", "open a.mid"}));
  }

  void closeStopsAndSilencesTheBox() {
    Rig rig({"a.mid", "b.mid"});
    FakeMusicPlayer& p = *rig.player;
    QVERIFY(rig.Start());
    rig.Ticks(1, true);
    p.Take();
    rig.box.Close();
    QCOMPARE(p.Take(), QStringList({"stop", "close"}));
    rig.Ticks(10, true);
    rig.box.MidiBtnClick(true);
    QCOMPARE(p.Take(), QStringList());
  }
};

ZT_TEST_MAIN(MusicBoxTest)
#include "MusicBoxTest.moc"
