// Faults from outside that the game must survive, on the offscreen platform:
// a settings file that cannot be read or written, settings of the wrong type,
// damaged high-score entries and names, damaged atlas files.
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/host/AtlasLoader.h"
#include "app/window/MainWindow.h"
#include "core/Language.h"
#include "highscore/HighscoreDialog.h"
#include "tests/common/SettingsTestKit.h"
#include "tests/common/TestMain.h"
#include "tests/robust/Bitmaps.h"

using namespace zt;
using namespace zt::test;

namespace {

class Answers : public GameDialogs, public HighscoreService {
 public:
  void ShowPause() override {}
  void ShowDone() override {}
  bool AskNewGame() override { return true; }
  bool AskEndGame() override {
    ++endQuestions;
    return true;
  }
  void ShowHighscores(const QString&, std::int32_t) override {}
  int endQuestions = 0;
};

// Counts the warnings that contain a text while it lives. The main window,
// built for tests, reports each failure it would show as a message this way.
class WarningCounter {
 public:
  explicit WarningCounter(QString needle) {
    Needle() = std::move(needle);
    Count() = 0;
    previous_ = qInstallMessageHandler(&WarningCounter::Handle);
  }
  ~WarningCounter() { qInstallMessageHandler(previous_); }
  int count() const { return Count(); }

 private:
  static QString& Needle() {
    static QString needle;
    return needle;
  }
  static int& Count() {
    static int count = 0;
    return count;
  }
  static void Handle(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg && text.contains(Needle())) ++Count();
  }
  QtMessageHandler previous_;
};

// File permissions mean nothing to the superuser.
bool PermissionsApply() {
  return geteuid() != 0;
}

QByteArray RandomBytes(int n, quint32 seed) {
  QRandomGenerator random(seed);
  QByteArray bytes(n, '\0');
  for (char& c : bytes)
    c = char(random.bounded(256));
  return bytes;
}

// Ways of spoiling the settings file at `path`; false when this process
// cannot (a permission for the superuser).
bool Spoil(const QString& path, const QString& how) {
  if (how == "a folder") return QDir().mkpath(path);
  if (how == "the folder above is a file") return true;  // see SettingsPath
  if (how == "random bytes") return SaveBytes(path, RandomBytes(4096, 7));
  if (how == "bytes that are not UTF-8") {
    QByteArray b;
    for (int i = 0x80; i < 0x100; ++i)
      b.append(char(i));
    return SaveBytes(path, "[V1]\ncommon\\mode=" + b + "\ncommon\\cmode=" + b + "\n");
  }
  if (how == "no permission to read" || how == "no permission to write") {
    if (!PermissionsApply()) return false;
    SaveBytes(path, "[V1]\ncommon\\mode=2\ncommon\\cmode=7\n");
    return QFile::setPermissions(
        path, how == "no permission to read" ? QFileDevice::Permissions() : QFileDevice::ReadOwner);
  }
  if (how == "a folder without permission to write") {
    if (!PermissionsApply()) return false;
    return QFile::setPermissions(QFileInfo(path).absolutePath(),
                                 QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  }
  return false;
}

}  // namespace

// Where a first start puts the unframed 500 x 366 window on the offscreen
// platform's 800 x 800 screen: the design position 672, 547 does not fit
// there, so the middle.
constexpr QPoint kFirstStartPlace(150, 217);

class FaultsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;

  // The settings file; below a plain file for "the folder above is a file".
  QString SettingsPath(const QString& how = {}) const {
    if (how == "the folder above is a file") return dir_->filePath("plain/settings.ini");
    if (how == "a folder without permission to write") return dir_->filePath("locked/settings.ini");
    return dir_->filePath("settings.ini");
  }
  MainWindow::Options Options(const QString& ini, const QString& programDir = GameDir()) const {
    return {programDir, ini, false};
  }
  void PrepareFolders() {
    QVERIFY(SaveBytes(dir_->filePath("plain"), "not a folder"));
    QVERIFY(QDir().mkpath(dir_->filePath("locked")));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    PrepareFolders();
    Tongue = -1;
  }
  void cleanup() {
    // Give the temporary folder back its permissions so it can be removed.
    QFile::setPermissions(dir_->filePath("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(SettingsPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dir_.reset();
  }

  void spoiledSettingsFileStartsWithTheDefaults_data() {
    QTest::addColumn<QString>("how");
    for (const char* how : {"a folder", "the folder above is a file", "random bytes",
                            "bytes that are not UTF-8", "no permission to read"}) {
      QTest::newRow(how) << QString(how);
    }
  }
  void spoiledSettingsFileStartsWithTheDefaults() {
    QFETCH(QString, how);
    const QString ini = SettingsPath(how);
    if (!Spoil(ini, how)) QSKIP("file permissions do not apply to the superuser");
    MainWindow form(Options(ini));
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    QCOMPARE(form.CurrentSettings(), test::FirstStartSettings());
    form.RestoreWindowPosition();
    QCOMPARE(form.pos(), kFirstStartPlace);
  }

  void settingsOfEveryWrongTypeGiveTheDefaults() {
    // Each value as another program or a hand edit might leave it: typed
    // values of the settings library, lists, numbers in other notations and
    // scripts, and texts far too long.
    const QByteArray longDigits(10000, '7');
    QVERIFY(SaveBytes(SettingsPath(),
                      "[V1]\n"
                      "common\\tongue=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\0)\n"
                      "common\\mode=@Rect(2 2 2 2)\n"
                      "common\\cmode=\"3, 4\"\n"
                      "common\\bhorz=4, 6\n"
                      "common\\bvert=@ByteArray(4)\n"
                      "common\\tmode=0x10\n"
                      "common\\zmode=\xd9\xa3\n"  // Arabic-Indic three
                      "common\\sound=@Invalid()\n"
                      "common\\music=" +
                          longDigits +
                          "\n"
                          "common\\MainForm=@Point(10 10)\n"));
    {
      MainWindow form(Options(SettingsPath()));
      QVERIFY2(form.Created(), qPrintable(form.CreateError()));
      QCOMPARE(form.CurrentSettings(), test::FirstStartSettings());
      form.RestoreWindowPosition();
      QCOMPARE(form.pos(), kFirstStartPlace);
      Answers answers;
      form.SetDialogs(&answers, &answers);
      form.show();
      form.close();
      QVERIFY(!form.isVisible());
    }
    // The quit wrote every value over the garbage as a plain decimal text.
    QSettings raw(SettingsPath(), QSettings::IniFormat);
    raw.beginGroup("V1/common");
    const std::pair<const char*, const char*> expected[] = {
        {"tongue", "-1"}, {"mode", "0"},  {"cmode", "2"}, {"bhorz", "5"}, {"bvert", "3"},
        {"tmode", "1"},   {"zmode", "1"}, {"sound", "1"}, {"music", "1"}};
    for (const auto& [key, value] : expected) {
      QCOMPARE(raw.value(key).typeId(), int(QMetaType::QString));
      QCOMPARE(raw.value(key).toString(), QString(value));
    }
    QVERIFY(raw.value("MainForm").toString().startsWith("200,0,1,"));
  }

  void aFailedWriteAtQuitSaysSoOnceAndTheGameCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("fails");
    QTest::newRow("a sound file") << QString() << false;
    for (const char* how : {"a folder", "the folder above is a file", "no permission to write",
                            "a folder without permission to write"}) {
      QTest::newRow(how) << QString(how) << true;
    }
  }
  void aFailedWriteAtQuitSaysSoOnceAndTheGameCloses() {
    QFETCH(QString, how);
    QFETCH(bool, fails);
    const QString ini = SettingsPath(how);
    if (fails && !Spoil(ini, how)) QSKIP("file permissions do not apply to the superuser");
    Answers answers;
    WarningCounter messages("could not be saved");
    {
      MainWindow form(Options(ini));
      QVERIFY(form.Created());
      form.SetDialogs(&answers, &answers);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.close();
      QVERIFY(!form.isVisible());
    }
    QCOMPARE(answers.endQuestions, 1);
    QCOMPARE(messages.count(), fails ? 1 : 0);
    if (!fails) {
      QCOMPARE(SettingsStore(ini).ReadString("common", "mode", {}), QString("0"));
      QVERIFY(SettingsStore(ini).ReadString("common", "MainForm", {}).startsWith("200,0,1,"));
    }
  }

  // Stored entries that are not entries, and names far too long.
  void damagedHighscoreEntriesShowAsEmptyPlaces() {
    SettingsStore store(SettingsPath());
    TextScrambler scrambler;
    scrambler.Init(QString(), 0);
    const QString longName(10000, QChar(u'N'));
    const QString garbage = QString::fromLatin1(RandomBytes(200, 11).toBase64());
    QVERIFY(store.WriteString("highscore", "boss150", scrambler.Encode("40," + longName)));
    QVERIFY(store.WriteString("highscore", "boss151", garbage));
    QVERIFY(store.WriteString("highscore", "boss152", QString(10000, QChar(u'x'))));
    QVERIFY(store.WriteString("highscore", "boss153", scrambler.Encode("4711")));  // no comma
    QVERIFY(
        store.WriteString("highscore", "boss154", scrambler.Encode(QString(10000, '7') + ",Z")));
    const QString longPlayer = QString("Player").repeated(2000);  // 12,000 characters
    QVERIFY(store.WriteString("highscore", "player", longPlayer));

    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 500, 366);
    mainWindow.show();
    HighscoreDialog dialog(&mainWindow, store, scrambler, QImage(320, 200, QImage::Format_RGB32));
    bool shown = false;
    auto inside = [&] {
      auto label = [&](const QString& name) { return dialog.findChild<QLabel*>(name)->text(); };
      // The new entry carries the player's name, as stored, until it is typed over.
      QCOMPARE(label("name0"), longPlayer);
      QCOMPARE(label("time0"), QString("30"));
      QCOMPARE(label("name1"), longName);
      QCOMPARE(label("time1"), QString("40"));
      for (int i = 2; i < 5; ++i) {
        QCOMPARE(label("name" + QString::number(i)), QString("Mr. Brain"));
        QCOMPARE(label("time" + QString::number(i)), QString("-----"));
      }
      // The edit box shows no more than can be typed.
      QCOMPARE(dialog.NameEdit()->text(), longPlayer.left(25));
      QVERIFY(!dialog.grab().toImage().isNull());  // long names are drawn, elided
      QTest::keyClick(dialog.NameEdit(), Qt::Key_Return);
    };
    QTimer::singleShot(0, [&] {
      if (QApplication::activeModalWidget() != &dialog) return;
      shown = true;
      inside();
      if (dialog.isVisible()) dialog.reject();  // a failed check returned early
    });
    dialog.ShowHighscores("boss15", 30);
    QVERIFY(shown);
    QCOMPARE(store.ReadString("highscore", "player", {}), longPlayer.left(25));
    QCOMPARE(scrambler.Decode(store.ReadString("highscore", "boss150", {})),
             "30," + longPlayer.left(25));
    QCOMPARE(scrambler.Decode(store.ReadString("highscore", "boss151", {})), "40," + longName);
  }

  void atlasLoaderRefusesDamagedFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");  // empty: the file is a good atlas
    const QByteArray green("\x00\xff\x00", 3);
    QTest::newRow("whole, 24 bits") << Bitmap(500, 333, 24, Rows24(500, 333, green)) << QString();
    QTest::newRow("top row first") << Bitmap(500, -333, 24, Rows24(500, 333, green)) << QString();
    QTest::newRow("run-length coded") << Bitmap(500, 333, 8, Runs8(500, 333, 0x80), 1) << QString();
    QTest::newRow("empty") << QByteArray() << "not a bitmap file";
    QTest::newRow("headers only") << Bitmap(500, 333, 24, {}) << "ends before its pixels";
    QTest::newRow("half the rows")
        << Bitmap(500, 333, 24, Rows24(500, 166, green)) << "ends before its pixels";
    QTest::newRow("last byte missing")
        << Bitmap(500, 333, 24, Rows24(500, 333, green)).chopped(1) << "ends before its pixels";
    const QByteArray runs = Bitmap(500, 333, 8, Runs8(500, 333, 0x80), 1);
    QTest::newRow("run-length coded, cut off")
        << runs.left(runs.size() / 2) << "ends before its pixels";
    QByteArray early = Runs8(500, 1, 0x80);  // one row, then the end of the picture
    QTest::newRow("run-length coded, ends early")
        << Bitmap(500, 333, 8, early, 1) << "ends before its pixels";
    QByteArray jump = Runs8(500, 1, 0x80).chopped(2);
    jump.append("\x00\x02\x00\x05", 4).append(Runs8(500, 328, 0x80));
    QTest::newRow("run-length coded, with a jump")
        << Bitmap(500, 333, 8, jump, 1) << "ends before its pixels";
    QImage png(500, 333, QImage::Format_RGB32);
    png.fill(Qt::green);
    QByteArray pngBytes;
    QBuffer buffer(&pngBytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    QTest::newRow("a PNG under the bitmap's name") << pngBytes << "not a bitmap file";
    QTest::newRow("1 x 1 pixel") << Bitmap(1, 1, 24, Rows24(1, 1, green)) << "at least 500 x 333";
    QTest::newRow("20000 x 20000")
        << Bitmap(20000, 20000, 24, Rows24(20000, 1, green)) << "unusable picture size";
    QTest::newRow("4000 x 4000, one row")
        << Bitmap(4000, 4000, 24, Rows24(4000, 1, green)) << "ends before its pixels";
    QTest::newRow("5000 wide") << Bitmap(5000, 400, 24, {}) << "unusable picture size";
  }
  void atlasLoaderRefusesDamagedFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    // Any picture beyond 8 MB would fail to be made: a refusal for the right
    // reason comes from the header, before the picture is made.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);
    const QString path = dir_->filePath("b4.bmp");
    QVERIFY(SaveBytes(path, content));
    QString why;
    const QImage atlas = LoadAtlas(path, AtlasMinimumSize(kTransit), &why);
    QImageReader::setAllocationLimit(limit);
    if (reason.isEmpty()) {
      QVERIFY2(!atlas.isNull(), qPrintable(why));
      QCOMPARE(atlas.size(), QSize(500, 333));
      QCOMPARE(atlas.format(), QImage::Format_RGB32);
      const QRgb expected = QTest::currentDataTag() == QString("run-length coded")
                                ? qRgb(0x80, 0x80, 0x80)
                                : qRgb(0, 0xff, 0);
      QCOMPARE(atlas.pixel(0, 0), expected);
      QCOMPARE(atlas.pixel(499, 332), expected);
    } else {
      QVERIFY(atlas.isNull());
      QVERIFY2(why.contains(reason), qPrintable(why));
    }
  }

  // A damaged atlas of another puzzle: the switch is refused with one message,
  // the game stays on its puzzle, and a repaired file is taken next time.
  void aSwitchToADamagedAtlasStaysOnTheCurrentPuzzle_data() {
    QTest::addColumn<QByteArray>("content");
    const QByteArray green("\x00\xff\x00", 3);
    QTest::newRow("truncated") << Bitmap(500, 458, 24, Rows24(500, 200, green));
    QTest::newRow("1 x 1 pixel") << Bitmap(1, 1, 24, Rows24(1, 1, green));
    QTest::newRow("20000 x 20000") << Bitmap(20000, 20000, 24, {});
    QTest::newRow("a PNG") << QByteArray("\x89PNG\r\n\x1a\n", 8);
  }
  void aSwitchToADamagedAtlasStaysOnTheCurrentPuzzle() {
    QFETCH(QByteArray, content);
    QTemporaryDir program;
    QVERIFY(QFile::copy(GameDir() + "/b3.bmp", program.filePath("b3.bmp")));
    QVERIFY(SaveBytes(program.filePath("b1.bmp"), content));
    QVERIFY(SettingsStore(SettingsPath()).WriteString("common", "mode", "2"));
    MainWindow form(Options(SettingsPath(), program.path()));
    QVERIFY(form.Created());
    {
      WarningCounter messages("b1.bmp");
      form.Tools().PuzzleBtn(kCrux)->click();
      QCOMPARE(messages.count(), 1);
    }
    QCOMPARE(form.Host().Mode(), kBoss);
    QVERIFY(form.Tools().PuzzleBtn(kBoss)->isChecked());
    QCOMPARE(int(form.Host().Play().PuzzleState[kCrux]), int(kNeverSetUp));
    QVERIFY(QFile::remove(program.filePath("b1.bmp")));
    QVERIFY(QFile::copy(GameDir() + "/b1.bmp", program.filePath("b1.bmp")));
    form.Tools().PuzzleBtn(kCrux)->click();
    QCOMPARE(form.Host().Mode(), kCrux);
    QVERIFY(form.Tools().PuzzleBtn(kCrux)->isChecked());
  }

  // Something other than a plain file where an atlas should be: the switch
  // is refused at once with the message, and the game answers.
  void aSwitchToAnAtlasThatIsNoFileIsRefusedAtOnce_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << "fifo";
    QTest::newRow("a link to /dev/zero") << "zero";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("oversized") << "large";
  }
  void aSwitchToAnAtlasThatIsNoFileIsRefusedAtOnce() {
    QFETCH(QString, kind);
    QTemporaryDir program;
    QVERIFY(QFile::copy(GameDir() + "/b3.bmp", program.filePath("b3.bmp")));
    const QByteArray atlas = QFile::encodeName(program.filePath("b1.bmp"));
    if (kind == "fifo") QCOMPARE(mkfifo(atlas.constData(), 0600), 0);
    if (kind == "zero") QCOMPARE(symlink("/dev/zero", atlas.constData()), 0);
    if (kind == "folder") QVERIFY(QDir().mkdir(program.filePath("b1.bmp")));
    if (kind == "large") {
      QFile big(program.filePath("b1.bmp"));
      QVERIFY(big.open(QIODevice::WriteOnly));
      QVERIFY(big.resize(qint64(1) << 30));  // sparse: no disk space taken
    }
    QVERIFY(SettingsStore(SettingsPath()).WriteString("common", "mode", "2"));
    MainWindow form(Options(SettingsPath(), program.path()));
    QVERIFY(form.Created());
    QElapsedTimer clock;
    clock.start();
    {
      WarningCounter messages("b1.bmp");
      form.Tools().PuzzleBtn(kCrux)->click();
      QCOMPARE(messages.count(), 1);
    }
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(form.Host().Mode(), kBoss);
  }
};

ZT_TEST_MAIN(FaultsTest)
#include "FaultsTest.moc"
