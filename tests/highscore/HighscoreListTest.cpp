#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "core/SettingsStore.h"
#include "highscore/HighscoreList.h"
#include "tests/common/TestMain.h"
#include "tests/highscore/ScramblerModel.h"

using namespace zt;

namespace zt {
// Readable failure messages for QCOMPARE.
char* toString(const HighscoreEntry& e) {
  return QTest::toString(QString("(%1, %2)").arg(e.name.left(40)).arg(e.time));
}
}  // namespace zt

namespace {

const QString kSection = QStringLiteral("highscore");

// A store in a fresh temporary INI file with the game's scrambler.
struct Fixture {
  QTemporaryDir dir;
  SettingsStore store{dir.filePath("settings.ini")};
  TextScrambler scrambler;

  Fixture() { scrambler.Init(QString(), 0); }

  // Stores a list the way the game writes it; times of 0 leave the value out.
  void Seed(const QString& key, const QList<int>& times, const QString& namePrefix = "p") {
    for (int i = 0; i < times.size(); ++i) {
      if (times[i] == 0) continue;
      store.WriteString(kSection, key + QString::number(i),
                        scrambler.Encode(QString::number(times[i]) + ',' + namePrefix +
                                         QString::number(times[i])));
    }
  }
  QString Raw(const QString& value) const { return store.ReadString(kSection, value, "<none>"); }
  QByteArray FileBytes() {
    QFile f(dir.filePath("settings.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  HighscoreTable Load(const QString& key) { return HighscoreStore(store, scrambler).Load(key); }
};

QList<int> Times(const HighscoreTable& table) {
  QList<int> t;
  for (const auto& e : table)
    t << e.time;
  return t;
}

}  // namespace

class HighscoreListTest : public QObject {
  Q_OBJECT

 private slots:
  void newTimeTakesItsPlace_data() {
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("place");
    QTest::addColumn<QList<int>>("after");
    const QList<int> full{10, 20, 30, 40, 50};
    QTest::newRow("empty list: place 1") << QList<int>{} << 100 << 0 << QList<int>{100, 0, 0, 0, 0};
    QTest::newRow("worse than both of two: place 3")
        << QList<int>{50, 80} << 100 << 2 << QList<int>{50, 80, 100, 0, 0};
    QTest::newRow("equal to place 3 enters behind it")
        << full << 30 << 3 << QList<int>{10, 20, 30, 30, 40};
    QTest::newRow("best of all") << full << 5 << 0 << QList<int>{5, 10, 20, 30, 40};
    QTest::newRow("just better than place 5") << full << 49 << 4 << QList<int>{10, 20, 30, 40, 49};
    QTest::newRow("equal to place 5 opens nothing") << full << 50 << -1 << full;
    QTest::newRow("worse than place 5 opens nothing") << full << 51 << -1 << full;
    QTest::newRow("time 0 shows the list") << full << 0 << -1 << full;
  }
  void newTimeTakesItsPlace() {
    QFETCH(QList<int>, stored);
    QFETCH(int, time);
    QFETCH(int, place);
    QFETCH(QList<int>, after);
    Fixture fx;
    fx.Seed("crux02", stored);
    fx.store.WriteString(kSection, "player", "Quinn");
    HighscoreSession session(fx.store, fx.scrambler);
    const bool shown = session.Begin("crux02", time);
    QCOMPARE(shown, time == 0 || place >= 0);
    QCOMPARE(session.NewEntry(), place);
    QCOMPARE(Times(session.Entries()), after);
    for (int i = 0; i < kHighscorePlaces; ++i) {
      const HighscoreEntry& e = session.Entries()[i];
      if (i == place) {
        QCOMPARE(e.name, QStringLiteral("Quinn"));
      } else if (e.time != 0) {
        QCOMPARE(e.name, "p" + QString::number(e.time));  // names travel with their times
      } else {
        QCOMPARE(e.name, DefaultPlayerName());
      }
    }
  }

  void okWritesTheListAndThePlayer() {
    Fixture fx;
    fx.Seed("tilz01", {10, 20});
    HighscoreSession session(fx.store, fx.scrambler);
    QCOMPARE(session.PlayerName(), DefaultPlayerName());  // nothing stored yet
    QVERIFY(session.Begin("tilz01", 15));
    QVERIFY(session.Confirm(false, "Zoe"));
    QCOMPARE(fx.Raw("player"), QStringLiteral("Zoe"));  // plain
    const QStringList plain = {"10,p10", "15,Zoe", "20,p20", "0,Mr. Brain", "0,Mr. Brain"};
    for (int i = 0; i < 5; ++i) {
      const QString stored = fx.Raw("tilz01" + QString::number(i));
      QCOMPARE(stored, zt::test::ModelScramble(fx.scrambler.Alphabet, plain[i], 47213));
    }
    QCOMPARE(session.PlayerName(), QStringLiteral("Zoe"));
    // The next solve offers the confirmed name.
    HighscoreSession next(fx.store, fx.scrambler);
    QVERIFY(next.Begin("tilz01", 12));
    QCOMPARE(next.Entries()[1], (HighscoreEntry{"Zoe", 12}));
  }

  void okWithoutNewEntryRewritesTheListAsItIs() {
    Fixture fx;
    fx.Seed("tran07", {7});
    HighscoreSession session(fx.store, fx.scrambler);
    QVERIFY(session.Begin("tran07", 0));
    QVERIFY(session.Confirm(false, "ignored"));
    QCOMPARE(fx.Raw("player"), DefaultPlayerName());
    QCOMPARE(fx.Load("tran07")[0], (HighscoreEntry{"p7", 7}));
    QCOMPARE(fx.scrambler.Decode(fx.Raw("tran074")), QStringLiteral("0,Mr. Brain"));
  }

  // Two copies of the game on one store: what the other stored while a
  // dialog was open is kept.
  void twoCopiesKeepEachOthersEntries_data() {
    QTest::addColumn<QList<int>>("seed");
    QTest::addColumn<int>("firstTime");   // the copy whose dialog opens first; 0: list shown
    QTest::addColumn<int>("secondTime");  // the copy that stores meanwhile
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("list shown while the other stores")
        << QList<int>{10, 20} << 0 << 15
        << QStringList{"p10", "Bob", "p20", "Mr. Brain", "Mr. Brain"};
    QTest::newRow("naming while the other stores")
        << QList<int>{10, 20} << 25 << 15 << QStringList{"p10", "Bob", "p20", "Ann", "Mr. Brain"};
    QTest::newRow("the other's better time comes first")
        << QList<int>{10, 20, 30} << 15 << 12 << QStringList{"p10", "Bob", "Ann", "p20", "p30"};
    QTest::newRow("no longer among the five")
        << QList<int>{10, 20, 30, 40} << 45 << 15 << QStringList{"p10", "Bob", "p20", "p30", "p40"};
  }
  void twoCopiesKeepEachOthersEntries() {
    QFETCH(QList<int>, seed);
    QFETCH(int, firstTime);
    QFETCH(int, secondTime);
    QFETCH(QStringList, expected);
    Fixture fx;
    fx.Seed("boss15", seed);
    HighscoreSession first(fx.store, fx.scrambler);
    QVERIFY(first.Begin("boss15", firstTime));
    HighscoreSession second(fx.store, fx.scrambler);
    QVERIFY(second.Begin("boss15", secondTime));
    QVERIFY(second.Confirm(false, "Bob"));
    QVERIFY(first.Confirm(false, "Ann"));
    QStringList names;
    for (const HighscoreEntry& e : fx.Load("boss15"))
      names << e.name;
    QCOMPARE(names, expected);
    QCOMPARE(first.Entries(), fx.Load("boss15"));  // what was written
  }

  void aFailedSaveIsReportedAndTheListStaysAsStored() {
    Fixture fx;
    fx.Seed("crux02", {10, 20});
    const QByteArray before = fx.FileBytes();
    HighscoreSession session(fx.store, fx.scrambler);
    QVERIFY(session.Begin("crux02", 5));
    // A folder where the lock should be: the save gives up within a second.
    QVERIFY(QDir().mkdir(fx.dir.filePath("settings.ini.lock")));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!session.Confirm(false, "Zed"));
    QVERIFY(clock.elapsed() < 10 * SettingsStore::kLockWaitMs);  // room for a busy machine
    QCOMPARE(fx.FileBytes(), before);
  }

  void clearEmptiesOnlyThisVariantAndResetsTheName_data() {
    QTest::addColumn<int>("time");
    QTest::newRow("list shown") << 0;
    QTest::newRow("with a new entry, which is dropped too") << 15;
  }
  void clearEmptiesOnlyThisVariantAndResetsTheName() {
    QFETCH(int, time);
    Fixture fx;
    fx.Seed("boss15", {10, 20, 30, 40, 50});
    fx.Seed("crux02", {11, 22});
    fx.store.WriteString(kSection, "player", "Ada");
    const QString otherBefore = fx.Raw("crux020");
    HighscoreSession session(fx.store, fx.scrambler);
    QVERIFY(session.Begin("boss15", time));
    QVERIFY(session.Confirm(true, "Ada"));
    QCOMPARE(session.NewEntry(), -1);
    QCOMPARE(fx.Raw("player"), DefaultPlayerName());
    for (const HighscoreEntry& e : fx.Load("boss15"))
      QCOMPARE(e, EmptyEntry());
    QCOMPARE(fx.scrambler.Decode(fx.Raw("boss150")), QStringLiteral("0,Mr. Brain"));
    QCOMPARE(fx.Raw("crux020"), otherBefore);
    QCOMPARE(Times(fx.Load("crux02")), (QList<int>{11, 22, 0, 0, 0}));
  }

  void cancelWritesNothing() {
    Fixture fx;
    fx.Seed("crux02", {10, 20});
    fx.store.WriteString(kSection, "player", "Ada");
    const QByteArray before = fx.FileBytes();
    HighscoreSession session(fx.store, fx.scrambler);
    QVERIFY(session.Begin("crux02", 5));
    session.Cancel();
    QCOMPARE(fx.FileBytes(), before);
    QCOMPARE(session.NewEntry(), -1);
    QCOMPARE(session.PlayerName(), QStringLiteral("Ada"));
    // The next showing from the toolbar has no entry to name.
    QVERIFY(session.Begin("crux02", 0));
    QCOMPARE(session.NewEntry(), -1);
    QCOMPARE(Times(session.Entries()), (QList<int>{10, 20, 0, 0, 0}));
  }

  void namesRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("commas") << QStringLiteral("Anna, Bob, and Carl,");
    QTest::newRow("german") << QString::fromUtf8("Jürgen Größe");
    QTest::newRow("latin") << QString::fromUtf8("Ærøskøbing Ñandú");
    QTest::newRow("cyrillic") << QString::fromUtf8("Олег Петров");
    QTest::newRow("japanese") << QString::fromUtf8("山田太郎");
    QTest::newRow("beyond 16 bits") << QString::fromUtf8("🙂 Smiley 𝔊");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces round it") << QStringLiteral("  Pad  ");
    QTest::newRow("ini punctuation") << QStringLiteral("a\"b\\c;d=e#f[g]");
    QTest::newRow("digits only") << QStringLiteral("12345");
  }
  void namesRoundTrip() {
    QFETCH(QString, name);
    Fixture fx;
    {
      HighscoreSession session(fx.store, fx.scrambler);
      QVERIFY(session.Begin("tilz03", 321));
      QVERIFY(session.Confirm(false, name));
    }
    HighscoreSession again(fx.store, fx.scrambler);
    QCOMPARE(again.PlayerName(), name);
    QVERIFY(again.Begin("tilz03", 0));
    QCOMPARE(again.Entries()[0], (HighscoreEntry{name, 321}));
  }

  // Lists written on Windows in 8-bit Windows text (Latin-1) under the same
  // registry path read back as they were.
  void entryInEightBitWindowsTextReadsBack() {
    Fixture fx;
    const QString plain = QString::fromLatin1(
        "123,J\xFCrgen, der Gro\xDF"
        "e");
    fx.store.WriteString(kSection, "boss150",
                         zt::test::ModelScramble(fx.scrambler.Alphabet, plain, 47213));
    QCOMPARE(fx.Load("boss15")[0], (HighscoreEntry{QString::fromUtf8("Jürgen, der Große"), 123}));
  }

  // BOSS boards of equal cell count (3 x 5 and 5 x 3 both give "boss15") meet
  // in one list, stored as boss150 .. boss154.
  void bossBoardsOfEqualSizeShareOneList() {
    Fixture fx;
    {
      HighscoreSession first(fx.store, fx.scrambler);
      QVERIFY(first.Begin("boss15", 40));
      QVERIFY(first.Confirm(false, "three by five"));
    }
    HighscoreSession second(fx.store, fx.scrambler);
    QVERIFY(second.Begin("boss15", 30));
    QVERIFY(second.Confirm(false, "five by three"));
    QSettings ini(fx.dir.filePath("settings.ini"), QSettings::IniFormat);
    ini.beginGroup("V1/highscore");
    QCOMPARE(ini.childKeys(),
             (QStringList{"boss150", "boss151", "boss152", "boss153", "boss154", "player"}));
    const HighscoreTable list = fx.Load("boss15");
    QCOMPARE(list[0], (HighscoreEntry{"five by three", 30}));
    QCOMPARE(list[1], (HighscoreEntry{"three by five", 40}));
  }

  void unreadableEntriesAreEmpty_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<bool>("scramble");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("time");
    const QString brain = DefaultPlayerName();
    QTest::newRow("empty") << QString() << true << brain << 0;
    QTest::newRow("no comma") << QStringLiteral("123") << true << brain << 0;
    QTest::newRow("nothing before the comma") << QStringLiteral(",Bob") << true << brain << 0;
    QTest::newRow("negative") << QStringLiteral("-5,Bob") << true << brain << 0;
    QTest::newRow("plus sign") << QStringLiteral("+5,Bob") << true << brain << 0;
    QTest::newRow("space") << QStringLiteral(" 5,Bob") << true << brain << 0;
    QTest::newRow("letters") << QStringLiteral("12a,Bob") << true << brain << 0;
    QTest::newRow("above 32 bits") << QStringLiteral("2147483648,Bob") << true << brain << 0;
    QTest::newRow("far above") << QStringLiteral("99999999999999999999,Bob") << true << brain << 0;
    QTest::newRow("largest time") << QStringLiteral("2147483647,Bob") << true << "Bob"
                                  << 2147483647;
    QTest::newRow("leading zeros") << QStringLiteral("007,Bond") << true << "Bond" << 7;
    QTest::newRow("zero keeps its name") << QStringLiteral("0,Bob") << true << "Bob" << 0;
    QTest::newRow("10000 characters, no comma") << QString(10000, 'x') << true << brain << 0;
    QTest::newRow("10000 digits") << QString(10000, '7') + ",Bob" << true << brain << 0;
    QTest::newRow("10000-character name")
        << "5," + QString(10000, 'n') << true << QString(10000, 'n') << 5;
    QTest::newRow("not scrambled at all")
        << QString::fromUtf8("\x01\x7f}{|~ ,,,\t") << false << brain << 0;
  }
  void unreadableEntriesAreEmpty() {
    QFETCH(QString, plain);
    QFETCH(bool, scramble);
    QFETCH(QString, name);
    QFETCH(int, time);
    Fixture fx;
    fx.store.WriteString(kSection, "crux012", scramble ? fx.scrambler.Encode(plain) : plain);
    const HighscoreTable list = fx.Load("crux01");
    const HighscoreEntry expected{name, time};
    QVERIFY(std::find(list.begin(), list.end(), expected) != list.end());
    for (const HighscoreEntry& e : list) {
      if (!(e == expected)) QCOMPARE(e, EmptyEntry());
    }
  }

  void handEditedListIsPutInOrder() {
    Fixture fx;
    fx.Seed("tran01", {0, 50, 0, 20, 30});
    HighscoreSession session(fx.store, fx.scrambler);
    QVERIFY(session.Begin("tran01", 25));
    QCOMPARE(Times(session.Entries()), (QList<int>{20, 25, 30, 50, 0}));
  }
};

ZT_TEST_MAIN(HighscoreListTest)
#include "HighscoreListTest.moc"
