// The settings store and section "common", on a private INI file.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

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
