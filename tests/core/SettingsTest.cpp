// The settings store and section "common", on a private INI file.
#include <sys/resource.h>
#include <unistd.h>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "core/GameSettings.h"
#include "core/SettingsStore.h"
#include "core/WindowPlacement.h"
#include "tests/common/SettingsTestKit.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

// Writes an INI file by hand, as another program or a player might have.
void WriteIni(const QString& path, const QByteArray& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// A file of the game's own with the quit's values and a few more lines.
const QByteArray kStoredIni =
    "[V1]\ncommon\\mode=2\ncommon\\sound=0\ncommon\\MainForm=\"200,0,1,1,2,3,4\"\n"
    "highscore\\player=Anna\n";

// What a failed save must leave: the old file, no lock and no copy.
void VerifyUntouched(const QString& path, const QByteArray& before) {
  QCOMPARE(FileBytes(path), before);
  QVERIFY(!QFileInfo::exists(path + ".lock"));
  const QStringList left = QFileInfo(path).dir().entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : left)
    QVERIFY2(!name.startsWith(QFileInfo(path).fileName() + '.'), qPrintable(name));
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Path() const { return dir_.filePath("settings.ini"); }

 private slots:
  void init() { QFile::remove(Path()); }

  void emptyStoreGivesTheDefaults() {
    QCOMPARE(ReadGameSettings(SettingsStore(Path())), test::FirstStartSettings());
  }

  void storedValuesAreReadAndBroughtIntoRange_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    // Each variant key at both ends of its range, one step beyond each end,
    // and a text that is no number.
    struct Range {
      const char* key;
      int first;
      int last;
      int byDefault;
    };
    const Range ranges[] = {{"cmode", 1, 16, 2},
                            {"zmode", 1, 5, 1},
                            {"bhorz", 3, 7, 5},
                            {"bvert", 2, 5, 3},
                            {"tmode", 1, 22, 1}};
    for (const Range& r : ranges) {
      const std::pair<int, int> cases[] = {
          {r.first - 1, r.first}, {r.first, r.first}, {r.last, r.last}, {r.last + 1, r.last}};
      for (const auto& [stored, read] : cases)
        QTest::addRow("%s %d", r.key, stored) << r.key << QString::number(stored) << read;
      QTest::addRow("%s abc", r.key) << r.key << "abc" << r.byDefault;
    }
    QTest::newRow("cmode 99") << "cmode"
                              << "99" << 16;
    QTest::newRow("cmode 7") << "cmode"
                             << "7" << 7;
    QTest::newRow("bvert 9") << "bvert"
                             << "9" << 5;
    QTest::newRow("bhorz -4") << "bhorz"
                              << "-4" << 3;
    QTest::newRow("sound 5") << "sound"
                             << "5" << 1;
    QTest::newRow("sound 0") << "sound"
                             << "0" << 0;
    QTest::newRow("sound x") << "sound"
                             << "x" << 1;
    QTest::newRow("music 0") << "music"
                             << "0" << 0;
    QTest::newRow("mode 2") << "mode"
                            << "2" << 2;
    QTest::newRow("mode 3, the last puzzle") << "mode"
                                             << "3" << 3;
    QTest::newRow("mode 4 starts with CRUX") << "mode"
                                             << "4" << 0;
    QTest::newRow("mode 99 starts with CRUX") << "mode"
                                              << "99" << 0;
    QTest::newRow("mode 258 keeps its low byte") << "mode"
                                                 << "258" << 2;
    QTest::newRow("mode -1") << "mode"
                             << "-1" << 0;
    QTest::newRow("tongue 7 has no range") << "tongue"
                                           << "7" << 7;
    QTest::newRow("number too big for 32 bits") << "cmode"
                                                << "99999999999" << 2;
    QTest::newRow("leading space") << "cmode"
                                   << " 5" << 2;
    QTest::newRow("plus sign") << "cmode"
                               << "+5" << 5;
    QTest::newRow("empty text") << "bhorz"
                                << "" << 5;
  }
  void storedValuesAreReadAndBroughtIntoRange() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, expected);
    SettingsStore store(Path());
    QVERIFY(store.WriteString("common", key, text));
    const GameSettings s = ReadGameSettings(store);
    const std::map<QString, int> got = {{"cmode", s.variants[kCrux][0]},
                                        {"bvert", s.variants[kBoss][1]},
                                        {"bhorz", s.variants[kBoss][0]},
                                        {"tmode", s.variants[kTransit][0]},
                                        {"zmode", s.variants[kTilz][0]},
                                        {"sound", s.sound},
                                        {"music", s.music},
                                        {"mode", s.mode},
                                        {"tongue", s.tongue}};
    QCOMPARE(got.at(key), expected);
  }

  void valuesOfOtherTypesGiveTheDefault() {
    // A hand-made file: an unquoted list, a typed variant, a byte array.
    WriteIni(Path(),
             "[V1]\n"
             "common\\cmode=3, 4\n"
             "common\\bhorz=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)\n"
             "common\\bvert=@ByteArray(4)\n"
             "common\\tmode=12\n");
    const GameSettings s = ReadGameSettings(SettingsStore(Path()));
    QCOMPARE(s.variants[kCrux][0], 2);
    QCOMPARE(s.variants[kBoss][0], 5);
    QCOMPARE(s.variants[kBoss][1], 3);
    QCOMPARE(s.variants[kTransit][0], 12);
  }

  void sectionsIgnoreCase() {
    SettingsStore store(Path());
    QVERIFY(store.WriteString("Common", "MainForm", "200,0,1,1,2,3,4"));
    QCOMPARE(store.ReadString("common", "MainForm", "missing"), QString("200,0,1,1,2,3,4"));
    QCOMPARE(store.ReadString("COMMON", "MainForm", "missing"), QString("200,0,1,1,2,3,4"));
  }

  void textsRoundTripExactly() {
    SettingsStore store(Path());
    const QString texts[] = {"a,b,,c", "  spaces  ", "@Invalid()", "Jürgen \"the\" ;#=", ""};
    for (const QString& t : texts) {
      QVERIFY(store.WriteString("highscore", "x", t));
      QCOMPARE(store.ReadString("highscore", "x", "missing"), t);
    }
    QVERIFY(store.DeleteKey("highscore", "x"));
    QCOMPARE(store.ReadString("highscore", "x", "missing"), QString("missing"));
  }

  void confirmedQuitWritesAllNineAsText() {
    SettingsStore store(Path());
    GameSettings s;
    s.tongue = 1;
    s.mode = 2;
    s.sound = false;
    s.variants[kCrux][0] = 16;
    QVERIFY(WriteGameSettings(store, s));
    QSettings raw(Path(), QSettings::IniFormat);
    raw.beginGroup("V1/common");
    const QStringList keys = raw.childKeys();
    QCOMPARE(keys.size(), 9);
    for (const QString& k : keys)
      QCOMPARE(raw.value(k).typeId(), int(QMetaType::QString));
    QCOMPARE(raw.value("tongue").toString(), QString("1"));
    QCOMPARE(raw.value("mode").toString(), QString("2"));
    QCOMPARE(raw.value("sound").toString(), QString("0"));
    QCOMPARE(raw.value("music").toString(), QString("1"));
    QCOMPARE(raw.value("cmode").toString(), QString("16"));
    QCOMPARE(raw.value("bhorz").toString(), QString("5"));
  }

  void anUnwritableStoreReportsFailure() {
    // A folder where the file should be: nothing can be written, reads give defaults.
    QVERIFY(QDir().mkpath(Path()));
    SettingsStore store(Path());
    QCOMPARE(store.ReadInteger("common", "cmode", 2), 2);
    QVERIFY(!WriteGameSettings(store, GameSettings{}));
    QVERIFY(QDir().rmdir(Path()));
  }

  void oneSaveWritesAllItsValuesAndKeepsTheOthers() {
    WriteIni(Path(), kStoredIni);
    SettingsStore store(Path());
    QVERIFY(store.Edit([](SettingsEdit& edit) {
      QCOMPARE(edit.ReadString("common", "mode", "missing"), QString("2"));
      edit.SetInteger("common", "mode", 3);
      edit.SetBool("common", "sound", true);
      edit.SetString("highscore", "c40", "x");
      edit.Remove("highscore", "player");
    }));
    QCOMPARE(store.ReadInteger("common", "mode", -1), 3);
    QCOMPARE(store.ReadBool("common", "sound", false), true);
    QCOMPARE(store.ReadString("highscore", "c40", "missing"), QString("x"));
    QCOMPARE(store.ReadString("highscore", "player", "missing"), QString("missing"));
    QCOMPARE(store.ReadString("common", "MainForm", "missing"), QString("200,0,1,1,2,3,4"));
    VerifyUntouched(Path(), FileBytes(Path()));  // no lock or copy left behind
  }

  void quickSavesOfTheSameSizeAreAllSeen() {
    // Readers in this process keep a parsed file while its size and time
    // stay the same; saves in quick turn must still be read back.
    SettingsStore store(Path());
    for (int i = 0; i < 40; ++i) {
      QVERIFY(store.WriteBool("common", "sound", i % 2 == 1));
      QCOMPARE(store.ReadBool("common", "sound", i % 2 == 0), i % 2 == 1);
    }
  }

  void aSaveThatCannotBeDoneLeavesTheFileAsItWas_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("lock is a folder") << "lockdir";
    QTest::newRow("lock held by this program") << "lockheld";
    QTest::newRow("read-only file") << "readonly";
    QTest::newRow("file size limit") << "fsize";
  }
  void aSaveThatCannotBeDoneLeavesTheFileAsItWas() {
    QFETCH(QString, fault);
    QByteArray text = kStoredIni;
    for (int i = 0; i < 200; ++i)
      text += "highscore\\b" + QByteArray::number(i) + "=some entry or other\n";
    WriteIni(Path(), text);
    SettingsStore store(Path());
    QLockFile held(Path() + ".lock");
    struct rlimit oldLimit {};
    if (fault == "lockdir") QVERIFY(QDir().mkdir(Path() + ".lock"));
    if (fault == "lockheld") QVERIFY(held.tryLock(0));
    if (fault == "readonly") {
      if (geteuid() == 0) QSKIP("the superuser writes read-only files");
      QVERIFY(QFile::setPermissions(Path(), QFile::ReadOwner));
    }
    if (fault == "fsize") {
      // The game ignores the signal, so that the write fails instead.
      std::signal(SIGXFSZ, SIG_IGN);
      QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
      struct rlimit limit = oldLimit;
      limit.rlim_cur = static_cast<rlim_t>(text.size() - 100);
      QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    QElapsedTimer clock;
    clock.start();
    GameSettings s;
    s.mode = 1;
    const bool saved = WriteGameSettings(store, s);
    const qint64 took = clock.elapsed();
    if (fault == "fsize") setrlimit(RLIMIT_FSIZE, &oldLimit);
    if (fault == "readonly") QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner);
    if (fault == "lockheld") held.unlock();
    const bool lockWasFolder = fault == "lockdir" && QDir().rmdir(Path() + ".lock");
    QCOMPARE(lockWasFolder, fault == "lockdir");
    QVERIFY(!saved);
    // The save waits kLockWaitMs for the lock and gives up; a lock that
    // blocked would never return. The bound leaves room for a busy machine.
    QVERIFY2(took < 10 * SettingsStore::kLockWaitMs, qPrintable(QString::number(took)));
    VerifyUntouched(Path(), text);
    // Once the fault is gone, the same store saves again.
    QVERIFY(WriteGameSettings(store, s));
    QCOMPARE(store.ReadInteger("common", "mode", -1), 1);
  }

  void aLockLeftByAProgramThatDiedIsTakenOver() {
    // A lock file naming a process that no longer runs, as a kill leaves it.
    WriteIni(Path() + ".lock",
             "999999999\nzindle-tavrin\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SettingsStore store(Path());
    QVERIFY(store.WriteInteger("common", "mode", 2));
    QCOMPARE(store.ReadInteger("common", "mode", -1), 2);
    QVERIFY(!QFileInfo::exists(Path() + ".lock"));
  }

  void aDamagedFileIsKeptBesideItBeforeTheFirstSave_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("kept");  // a value read from the good lines
    QTest::newRow("stray line without =")
        << QByteArray("[V1]\ncommon\\mode=2\nstray line\nhighscore\\player=Anna\n") << "Anna";
    QTest::newRow("quote left open")
        << QByteArray(
               "[V1]\ncommon\\mode=2\nhighscore\\player=Anna\ncommon\\MainForm=\"200,0\n"
               "highscore\\c40=x\n")
        << "Anna";
  }
  void aDamagedFileIsKeptBesideItBeforeTheFirstSave() {
    QFETCH(QByteArray, text);
    QFETCH(QString, kept);
    WriteIni(Path(), text);
    QFile::remove(Path() + ".damaged");
    SettingsStore store(Path());
    // A format error is the reading's: the save itself succeeds.
    QVERIFY(store.WriteInteger("common", "mode", 3));
    QCOMPARE(FileBytes(Path() + ".damaged"), text);
    QCOMPARE(store.ReadString("highscore", "player", "missing"), kept);
    QCOMPARE(store.ReadInteger("common", "mode", -1), 3);
    // The written file reads whole: nothing more is copied.
    QVERIFY(store.Salvage().isEmpty());
    QVERIFY(store.WriteInteger("common", "mode", 1));
    QVERIFY(!QFileInfo::exists(Path() + ".damaged-2"));
    QVERIFY(QFile::remove(Path() + ".damaged"));
  }

  void salvageAtStartUpNamesTheCopyAndNeverOverwritesAnOlderOne() {
    const QByteArray damaged("[V1]\ncommon\\mode=2\nstray\n");
    WriteIni(Path() + ".damaged", "older");
    WriteIni(Path(), damaged);
    SettingsStore store(Path());
    QCOMPARE(store.ReadInteger("common", "mode", -1), 2);  // read once already
    QCOMPARE(store.Salvage(), Path() + ".damaged-2");
    QCOMPARE(FileBytes(Path() + ".damaged"), QByteArray("older"));
    QCOMPARE(FileBytes(Path() + ".damaged-2"), damaged);
    QCOMPARE(FileBytes(Path()), damaged);  // a copy: the good lines are still read
    QVERIFY(QFile::remove(Path() + ".damaged"));
    QVERIFY(QFile::remove(Path() + ".damaged-2"));
  }

  void anOversizedFileIsMovedAsideAndNotRead() {
    QByteArray text = kStoredIni;
    text += "highscore\\filler=" + QByteArray(SettingsStore::kMaxFileBytes, 'x') + "\n";
    WriteIni(Path(), text);
    QFile::remove(Path() + ".damaged");
    SettingsStore store(Path());
    QCOMPARE(store.ReadInteger("common", "mode", -1), -1);
    QCOMPARE(store.Salvage(), Path() + ".damaged");
    QCOMPARE(FileBytes(Path() + ".damaged"), text);
    QVERIFY(!QFileInfo::exists(Path()));
    QVERIFY(store.WriteInteger("common", "mode", 3));
    QCOMPARE(store.ReadInteger("common", "mode", -1), 3);
    QVERIFY(QFile::remove(Path() + ".damaged"));
  }

  void windowPositionText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("stored position") << "200,0,1,120,80,626,479" << true << QPoint(120, 80);
    QTest::newRow("negative left") << "200,0,1,-30,-5,476,394" << true << QPoint(-30, -5);
    QTest::newRow("six parts") << "200,0,1,120,80,626" << false << QPoint();
    QTest::newRow("eight parts") << "200,0,1,120,80,626,479,1" << false << QPoint();
    QTest::newRow("another marker") << "201,0,1,120,80,626,479" << false << QPoint();
    QTest::newRow("not integers") << "200,0,1,a,80,626,479" << false << QPoint();
    QTest::newRow("empty") << "" << false << QPoint();
  }
  void windowPositionText() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QPoint, position);
    const auto parsed = ParseWindowPosition(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, position);
  }

  void windowPlacementTextHasSevenParts() {
    WindowPlacement p;
    p.normal = QRect(672, 547, 506, 399);
    QCOMPARE(FormatWindowPlacement(p), QString("200,0,1,672,547,1178,946"));
    QCOMPARE(*ParseWindowPosition(FormatWindowPlacement(p)), QPoint(672, 547));
  }
};

ZT_TEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
