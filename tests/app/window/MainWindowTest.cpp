// The main window under the offscreen platform: layout, start-up, failures,
// puzzle switching and the confirmed quit.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/host/AtlasLoader.h"
#include "app/window/MainWindow.h"
#include "app/window/VirtualKeyCode.h"
#include "core/GameFolders.h"
#include "core/Language.h"
#include "highscore/HighscoreDialog.h"
#include "highscore/HighscoreList.h"
#include "puzzles/boss/BossView.h"
#include "tests/common/TestMain.h"
#include "ui/MessageDialogs.h"

using namespace zt;

namespace {

class Answers : public GameDialogs, public HighscoreService {
 public:
  void ShowPause() override { ++pauses; }
  void ShowDone() override { ++dones; }
  bool AskNewGame() override { return yes; }
  bool AskEndGame() override {
    ++endQuestions;
    return yes;
  }
  void ShowHighscores(const QString& key, std::int32_t time) override {
    lastKey = key;
    lastTime = time;
  }
  bool yes = true;
  int pauses = 0, dones = 0, endQuestions = 0;
  QString lastKey;
  std::int32_t lastTime = -1;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("settings.ini"); }
  MainWindow::Options Options(const QString& programDir = test::GameDir()) const {
    return {programDir, Ini(), false};
  }
  void Store(const QString& key, const QString& value) {
    QVERIFY(SettingsStore(Ini()).WriteString("common", key, value));
  }

 private slots:
  void init() {
    QFile::remove(Ini());
    Tongue = -1;
  }

  void layoutOfTheWindow() {
    MainWindow form(Options());
    QVERIFY2(form.Created(), qPrintable(form.CreateError()));
    QCOMPARE(form.size(), QSize(500, 366));
    QCOMPARE(form.windowTitle(), QString("Zindle Tavrin V1.2"));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.PlayAreaWidget()->geometry(), QRect(0, 33, 500, 333));
    const std::pair<QWidget*, QRect> places[] = {
        {form.Tools().MixBtn, {4, 4, 25, 25}},
        {form.Tools().OptionBtn, {28, 4, 25, 25}},
        {form.Tools().PauseBtn, {52, 4, 25, 25}},
        {form.Tools().SoundBtn, {76, 4, 25, 25}},
        {form.Tools().MidiBtn, {100, 4, 25, 25}},
        {form.Tools().HighScoreBtn, {124, 4, 25, 25}},
        {form.Tools().ExitBtn, {148, 4, 25, 25}},
        {form.Tools().PuzzleBtn(kCrux), {176, 4, 25, 25}},
        {form.Tools().PuzzleBtn(kTilz), {200, 4, 25, 25}},
        {form.Tools().PuzzleBtn(kBoss), {224, 4, 25, 25}},
        {form.Tools().PuzzleBtn(kTransit), {248, 4, 25, 25}},
        {form.Tools().TimeLabel, {280, 12, 33, 16}},
        {form.Tools().LanguageBtn, {396, 4, 24, 25}},
        {form.Tools().HelpBtn, {418, 4, 25, 25}},
        {form.Tools().InfoBtn, {442, 4, 25, 25}},
        {form.Tools().ZindleBtn, {466, 4, 29, 25}},
    };
    for (const auto& [widget, rect] : places)
      QCOMPARE(widget->geometry(), rect);
    for (auto* b : {form.Tools().MixBtn, form.Tools().PuzzleBtn(kCrux), form.Tools().SoundBtn}) {
      QCOMPARE(b->focusPolicy(), Qt::NoFocus);
      QVERIFY(b->autoRaise());
    }
    // At start-up the rules hint keeps its design place whatever the puzzle.
    QCOMPARE(form.RulesShape(), QRect(463, 58, 32, 32));
  }

  void firstStartUsesTheDefaults() {
    MainWindow form(Options());
    QVERIFY(form.Created());
    QCOMPARE(form.Host().Mode(), kCrux);
    QVERIFY(form.Tools().PuzzleBtn(kCrux)->isChecked());
    QVERIFY(form.Tools().SoundBtn->isChecked());
    QVERIFY(form.Tools().MidiBtn->isChecked());
    QCOMPARE(form.Host().Play().PuzzleState, (std::array<std::uint8_t, 4>{0, 2, 2, 2}));
    QCOMPARE(form.Level()->text(), QString("2"));
    QCOMPARE(form.Level()->pos(), QPoint(430, 310));
    QCOMPARE(form.Tools().TimeLabel->text(), QString("Time:"));
    QCOMPARE(form.Tools().MixBtn->toolTip(), QString("I start again."));
    QCOMPARE(form.pos(), QPoint(672, 547));
  }

  void storedModeStartsThatPuzzle() {
    Store("mode", "2");
    Store("bhorz", "4");
    Store("bvert", "5");
    MainWindow form(Options());
    QVERIFY(form.Created());
    QVERIFY(form.Tools().PuzzleBtn(kBoss)->isChecked());
    QCOMPARE(form.Host().Play().PuzzleState, (std::array<std::uint8_t, 4>{2, 2, 0, 2}));
    QCOMPARE(form.Level()->text(), QString("4-5"));
    QCOMPARE(form.Level()->pos(), QPoint(370, 325));
  }

  void aMissingOrDamagedStartAtlasEndsTheStart_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("truncated") << QByteArray("BM\x36\x00\x10\x00\x00\x00", 8);
    QTest::newRow("a PNG under the bitmap's name") << QByteArray("png");
    QTest::newRow("too small") << QByteArray("small");
  }
  void aMissingOrDamagedStartAtlasEndsTheStart() {
    QFETCH(QByteArray, content);
    QTemporaryDir program;
    const QString atlas = program.filePath("b1.bmp");
    if (content == "png" || content == "small") {
      QImage picture(content == "png" ? 500 : 20, content == "png" ? 458 : 20,
                     QImage::Format_RGB32);
      picture.fill(Qt::red);
      QVERIFY(picture.save(atlas, content == "png" ? "PNG" : "BMP"));
    } else if (!content.isEmpty()) {
      QFile f(atlas);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(content);
    }
    QSettings(Ini(), QSettings::IniFormat).setValue("marker", "untouched");
    const QByteArray before = [&] {
      QFile f(Ini());
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    {
      MainWindow form(Options(program.path()));
      QVERIFY(!form.Created());
      QVERIFY(form.CreateError().contains("b1.bmp"));
      form.close();
    }
    QFile f(Ini());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);  // no settings and no window position written
  }

  void aSwitchToAMissingAtlasStaysOnTheCurrentPuzzle() {
    QTemporaryDir program;
    QVERIFY(QFile::copy(test::GameDir() + "/b3.bmp", program.filePath("b3.bmp")));
    Store("mode", "2");
    MainWindow form(Options(program.path()));
    QVERIFY(form.Created());
    form.Tools().PuzzleBtn(kCrux)->click();
    QCOMPARE(form.Host().Mode(), kBoss);
    QVERIFY(form.Tools().PuzzleBtn(kBoss)->isChecked());
    QVERIFY(!form.Tools().PuzzleBtn(kCrux)->isChecked());
    QCOMPARE(int(form.Host().Play().PuzzleState[kCrux]), int(kNeverSetUp));
  }

  void aSwitchRepaintsThePlayArea() {
    MainWindow form(Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The top-left corner of the play area shows each puzzle's own background
    // at once after its button is pressed (no puzzle draws there).
    QToolButton* buttons[4] = {form.Tools().PuzzleBtn(kCrux), form.Tools().PuzzleBtn(kTilz),
                               form.Tools().PuzzleBtn(kBoss), form.Tools().PuzzleBtn(kTransit)};
    for (int mode : {kTilz, kBoss, kTransit, kCrux}) {
      buttons[mode]->click();
      const QImage atlas =
          LoadAtlas(test::GameDir() + "/" + AtlasFileName(mode), AtlasMinimumSize(mode));
      // What reached the window, not a fresh rendering of the widget.
      const QImage shown = form.screen()->grabWindow(form.winId(), 0, 33, 20, 20).toImage();
      QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
               atlas.copy(0, 0, 20, 20).convertToFormat(QImage::Format_RGB32));
    }
  }

  void switchingPlacesRulesAndLevel() {
    Store("tmode", "22");
    MainWindow form(Options());
    const std::tuple<QWidget*, int, QRect, QPoint, QString> rows[] = {
        {form.Tools().PuzzleBtn(kTilz), kTilz, {355, 311, 125, 47}, {450, 275}, "1"},
        {form.Tools().PuzzleBtn(kBoss), kBoss, {413, 57, 62, 281}, {370, 325}, "5-3"},
        {form.Tools().PuzzleBtn(kTransit), kTransit, {345, 258, 140, 90}, {445, 315}, "22"},
        {form.Tools().PuzzleBtn(kCrux), kCrux, {300, 233, 190, 120}, {430, 310}, "2"},
    };
    for (const auto& [button, mode, rules, level, text] : rows) {
      static_cast<QToolButton*>(button)->click();
      QCOMPARE(form.Host().Mode(), mode);
      QCOMPARE(form.RulesShape(), rules);
      QCOMPARE(form.Level()->pos(), level);
      QCOMPARE(form.Level()->text(), text);
      QVERIFY(form.RulesHint().contains('\r'));
    }
  }

  void confirmedQuitWritesTheSettings() {
    Answers answers;
    {
      MainWindow form(Options());
      form.SetDialogs(&answers, &answers);
      form.show();
      form.Tools().PuzzleBtn(kBoss)->click();
      form.Tools().SoundBtn->click();  // sound off
      Tongue = 1;
      answers.yes = false;
      form.close();
      QVERIFY(form.isVisible());  // refused: the game goes on
      QVERIFY(!QFile::exists(Ini()));
      answers.yes = true;
      form.close();
      QVERIFY(!form.isVisible());
      QCOMPARE(answers.endQuestions, 2);
    }
    QSettings raw(Ini(), QSettings::IniFormat);
    raw.beginGroup("V1/common");
    QCOMPARE(raw.value("tongue").toString(), QString("1"));
    QCOMPARE(raw.value("mode").toString(), QString("2"));
    QCOMPARE(raw.value("sound").toString(), QString("0"));
    QCOMPARE(raw.value("music").toString(), QString("1"));
    QCOMPARE(raw.value("cmode").toString(), QString("2"));
    QVERIFY(raw.value("MainForm").toString().startsWith("200,0,1,"));
  }

  void arrowKeysReachBoss() {
    Store("mode", "2");
    MainWindow form(Options());
    form.Host().SetDelayFunction([](int) {});
    const BossRules before = static_cast<BossView&>(form.Host().Current()).Rules();
    const int key = before.GapRow > 1 ? Qt::Key_Down : Qt::Key_Up;
    QTest::keyClick(&form, static_cast<Qt::Key>(key));
    const BossRules& after = static_cast<BossView&>(form.Host().Current()).Rules();
    QVERIFY(after.GapRow != before.GapRow);
    QCOMPARE(int(form.Host().Play().PuzzleState[kBoss]), int(kRunning));
  }

  void optionButtonAndLevelLabelStepTheVariant() {
    MainWindow form(Options());
    QTest::mouseClick(form.Tools().OptionBtn, Qt::RightButton);
    QCOMPARE(form.Level()->text(), QString("1"));
    QTest::mouseClick(form.Level(), Qt::RightButton);
    QCOMPARE(form.Level()->text(), QString("16"));
    QTest::mouseClick(form.Level(), Qt::LeftButton);
    QCOMPARE(form.Level()->text(), QString("1"));
    QTest::mouseClick(form.Tools().OptionBtn, Qt::MiddleButton);
    QCOMPARE(form.Level()->text(), QString("1"));
  }

  void variantSteppingForEveryPuzzle_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("key");  // the stored setting that sets the start variant
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("label");
    QTest::newRow("CRUX left") << kCrux << "cmode"
                               << "5" << kLeftButton << "6";
    QTest::newRow("CRUX 16 left") << kCrux << "cmode"
                                  << "16" << kLeftButton << "1";
    QTest::newRow("CRUX 1 right") << kCrux << "cmode"
                                  << "1" << kRightButton << "16";
    QTest::newRow("CRUX middle") << kCrux << "cmode"
                                 << "9" << kMiddleButton << "9";
    QTest::newRow("TILZ left") << kTilz << "zmode"
                               << "2" << kLeftButton << "3";
    QTest::newRow("TILZ 5 left") << kTilz << "zmode"
                                 << "5" << kLeftButton << "1";
    QTest::newRow("TILZ 1 right") << kTilz << "zmode"
                                  << "1" << kRightButton << "5";
    QTest::newRow("TILZ middle") << kTilz << "zmode"
                                 << "4" << kMiddleButton << "4";
    QTest::newRow("BOSS 7 wide, left wraps to 3") << kBoss << "bhorz"
                                                  << "7" << kLeftButton << "3-3";
    QTest::newRow("BOSS 5 high, right wraps to 2") << kBoss << "bvert"
                                                   << "5" << kRightButton << "5-2";
    QTest::newRow("BOSS middle") << kBoss << "bhorz"
                                 << "4" << kMiddleButton << "4-3";
    QTest::newRow("TRANSIT 22 left") << kTransit << "tmode"
                                     << "22" << kLeftButton << "1";
    QTest::newRow("TRANSIT 1 right") << kTransit << "tmode"
                                     << "1" << kRightButton << "22";
    QTest::newRow("TRANSIT middle") << kTransit << "tmode"
                                    << "13" << kMiddleButton << "13";
  }
  void variantSteppingForEveryPuzzle() {
    QFETCH(int, mode);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, button);
    QFETCH(QString, label);
    Store("mode", QString::number(mode));
    Store(key, value);
    MainWindow form(Options());
    QVERIFY(form.Created());
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    form.Host().Play().PuzzleClock[mode] = 7;
    QTest::mousePress(form.Level(), buttons[button]);
    QCOMPARE(form.Level()->text(), label);
    QCOMPARE(form.Host().Play().PuzzleClock[mode], 0);
    QCOMPARE(int(form.Host().Play().PuzzleState[mode]), int(kReady));
  }

  void theGiveUpQuestionComesOnlyWhileRunning() {
    Answers answers;
    Store("cmode", "4");
    MainWindow form(Options());
    form.SetDialogs(&answers, &answers);
    auto& play = form.Host().Play();
    play.PuzzleState[kCrux] = kRunning;
    play.PuzzleClock[kCrux] = 30;
    answers.yes = false;
    QTest::mousePress(form.Tools().OptionBtn, Qt::LeftButton);
    QCOMPARE(form.Level()->text(), QString("4"));  // No: nothing changes
    QCOMPARE(play.PuzzleClock[kCrux], 30);
    QCOMPARE(int(play.PuzzleState[kCrux]), int(kRunning));
    QVERIFY(form.Timer().isActive());
    answers.yes = true;
    QTest::mousePress(form.Level(), Qt::LeftButton);
    QCOMPARE(form.Level()->text(), QString("5"));
    QCOMPARE(play.PuzzleClock[kCrux], 0);
    QCOMPARE(int(play.PuzzleState[kCrux]), int(kReady));
  }

  void windowPositionIsRestoredWhereTheWindowSystemAllows() {
    Store("MainForm", "200,0,1,120,80,626,479");
    MainWindow form(Options());
    form.RestoreWindowPosition();
    // Wayland does not let programs place their windows: then the stored
    // position is quietly left alone.
    if (QGuiApplication::platformName().startsWith("wayland")) {
      QCOMPARE(form.pos(), QPoint(672, 547));
    } else {
      QCOMPARE(form.pos(), QPoint(120, 80));
    }
    form.show();
    QVERIFY(form.SaveWindowPosition());
    QVERIFY(SettingsStore(Ini()).ReadString("common", "MainForm", {}).startsWith("200,0,1,"));
  }

  void hintsInBothLanguages_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<bool>("soundDown");
    QTest::addColumn<bool>("musicDown");
    for (int tongue : {-1, 0, 1}) {
      for (bool sound : {true, false}) {
        for (bool music : {true, false}) {
          QTest::addRow("tongue %d, sound %d, music %d", tongue, sound, music)
              << tongue << sound << music;
        }
      }
    }
  }
  void hintsInBothLanguages() {
    QFETCH(int, tongue);
    QFETCH(bool, soundDown);
    QFETCH(bool, musicDown);
    Store("sound", soundDown ? "1" : "0");
    Store("music", musicDown ? "1" : "0");
    Store("tongue", QString::number(tongue));
    MainWindow form(Options());
    const bool g = tongue == 1;
    auto pick = [g](const char* german, const char* english) {
      return QString::fromUtf8(g ? german : english);
    };
    const std::pair<QWidget*, QString> hints[] = {
        {form.Tools().MixBtn, pick("Ich fang neu an.", "I start again.")},
        {form.Tools().OptionBtn,
         pick("Gibts da kein anderes Muster?", "Are there any more patterns?")},
        {form.Level(), pick("Gibts da kein anderes Muster?", "Are there any more patterns?")},
        {form.Tools().PauseBtn, pick("Ich brauch eine kurze Pause.", "I need a break.")},
        {form.Tools().SoundBtn,
         soundDown
             ? pick("Ich schalte die Geräusche lieber aus.", "I like it without sound-effects.")
             : pick("Ohne Geräusche ist es doch etwas fad.", "Without sound ist is boring.")},
        {form.Tools().MidiBtn,
         musicDown ? pick("Ohne Musik ist es mir lieber.", "I don't like the music now.")
                   : pick("Ich mag die Musik.", "Ich like the music.")},
        {form.Tools().HighScoreBtn, pick("Wer sind die Besten?", "Who is the best?")},
        {form.Tools().ExitBtn, pick("Ich hab genug!", "That's enough for now!")},
        {form.Tools().PuzzleBtn(kCrux), pick("CRUX fordert mich heraus.", "CRUX teases my brain")},
        {form.Tools().PuzzleBtn(kTilz),
         pick("Jetzt knack ich schnell das TILZ.", "I quickly solve the TILZ.")},
        {form.Tools().PuzzleBtn(kBoss), pick("BOSS gibt mir zu denken.", "BOSS challenges me.")},
        {form.Tools().PuzzleBtn(kTransit),
         pick("TRANSIT wartet auf mich.", "TRANSIT waits for me.")},
        {form.Tools().LanguageBtn, pick("I don't speak german.", "Ich spreche nicht englisch.")},
        {form.Tools().HelpBtn, pick("Ich laß mir unter die Arme greifen.", "I need help.")},
        {form.Tools().InfoBtn,
         pick("Wer hat diese Spiele nur verbrochen?", "Who's the ZINDLE GAMES inventor?")},
        {form.Tools().ZindleBtn,
         pick("Hurra, es gibt noch mehr Zindle Games.", "Hurrah, there are more ZINDLE GAMES.")},
    };
    for (const auto& [widget, text] : hints)
      QCOMPARE(widget->toolTip(), text);
    QCOMPARE(form.Tools().TimeLabel->text(), pick("Zeit:", "Time:"));
    const char* const rules[4][2] = {
        {"Verschiebe die Balken des CRUX. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
         "Slide the CRUX-baulks. Try to\rbuild the pattern shown right."},
        {"Verschiebe die TILZ-Platten. Versuche die große grüne\rPlatte an die rechts gezeigte "
         "Position zu bringen.",
         "Push the TILZ-plates into the free space. Try to move\rthe big green plate to the "
         "position shown right."},
        {"Schiebe die BOSS-Steine auf den freien Platz. Ordne\rdie Zahlen ihrer natürlichen "
         "Reihenfolge nach.",
         "Move the BOSS-tiles into the gap. Sort the numbers\rincreasing from left to right and "
         "from top to bottom."},
        {"Verschiebe die TRANSIT-Balken. Versuche\rdie rechts gezeigte Ordnung herzustellen.",
         "Move the TRANSIT-baulks. Try to make\ra copy of the pattern shown right."},
    };
    QToolButton* buttons[4] = {form.Tools().PuzzleBtn(kCrux), form.Tools().PuzzleBtn(kTilz),
                               form.Tools().PuzzleBtn(kBoss), form.Tools().PuzzleBtn(kTransit)};
    for (int mode : {kTilz, kBoss, kTransit, kCrux}) {
      buttons[mode]->click();
      QCOMPARE(form.RulesHint(), pick(rules[mode][0], rules[mode][1]));
    }
  }

  void hintsFollowTheLanguageOnlyAtTheNextSetHints() {
    // First start: the texts are set while no language is chosen.
    MainWindow form(Options());
    QCOMPARE(form.Tools().PauseBtn->toolTip(), QString("I need a break."));
    Tongue = 1;  // German chosen in the language question
    QCOMPARE(form.Tools().PauseBtn->toolTip(), QString("I need a break."));
    QCOMPARE(form.Tools().TimeLabel->text(), QString("Time:"));
    form.Tools().PuzzleBtn(kBoss)->click();  // a puzzle switch sets them again
    QCOMPARE(form.Tools().PauseBtn->toolTip(), QString("Ich brauch eine kurze Pause."));
    QCOMPARE(form.Tools().TimeLabel->text(), QString("Zeit:"));

    // The sound button's hint keeps the state of the last SetHints.
    form.Tools().SoundBtn->click();
    QVERIFY(!form.Tools().SoundBtn->isChecked());
    QCOMPARE(form.Tools().SoundBtn->toolTip(), QString("Ich schalte die Geräusche lieber aus."));
    form.MidiBtnClick();
    QCOMPARE(form.Tools().SoundBtn->toolTip(), QString("Ohne Geräusche ist es doch etwas fad."));
  }

  // The music button is enabled by a tune in the game's folder or in the
  // player's own music folder (the test's private data folder).
  void aTuneInEitherFolderEnablesTheMusic_data() {
    QTest::addColumn<bool>("inGameFolder");
    QTest::addColumn<bool>("inOwnFolder");
    QTest::newRow("none") << false << false;
    QTest::newRow("the game's") << true << false;
    QTest::newRow("the player's own") << false << true;
    QTest::newRow("both") << true << true;
  }
  void aTuneInEitherFolderEnablesTheMusic() {
    QFETCH(bool, inGameFolder);
    QFETCH(bool, inOwnFolder);
    QTemporaryDir program;
    QVERIFY(QFile::copy(test::GameDir() + "/b1.bmp", program.filePath("b1.bmp")));
    const QString own = UserMusicFolder();
    QVERIFY(own.startsWith(qEnvironmentVariable("XDG_DATA_HOME") + "/"));
    QVERIFY(QDir(own).entryList({"*.mid"}, QDir::Files).isEmpty());
    const auto touch = [](const QString& path) {
      QFile f(path);
      return f.open(QIODevice::WriteOnly);
    };
    const auto removeOwn = qScopeGuard([&] { QFile::remove(own + "mine.mid"); });
    if (inGameFolder) QVERIFY(touch(program.filePath("game.mid")));
    if (inOwnFolder) QVERIFY(QDir().mkpath(own) && touch(own + "mine.mid"));
    MainWindow form(Options(program.path()));
    QVERIFY(form.Created());
    QCOMPARE(form.Tools().MidiBtn->isEnabled(), inGameFolder || inOwnFolder);
  }

  void helpOpensBesideTheGameAtTheLanguagesTopic() {
    Store("tongue", "1");
    MainWindow form(Options());
    form.show();
    form.HelpBtnClick();
    QVERIFY(form.Help().Window() != nullptr);
    QVERIFY(form.Help().Window()->isVisible());
    QVERIFY(form.Timer().isActive());
    QCOMPARE(HelpViewer::Topic(), QString("Das_Spiel"));
    Answers answers;
    form.SetDialogs(&answers, &answers);
    form.close();  // the confirmed quit closes the help window too
    QVERIFY(form.Help().Window() == nullptr || !form.Help().Window()->isVisible());
  }

  void aSolvingMoveEndsInTheHighScoreList() {
    // The whole solved sequence with the real dialogs: BOSS 3 x 2 one move
    // from solved; the move, the message, the list with a new name, the store.
    Store("mode", "2");
    Store("bhorz", "3");
    Store("bvert", "2");
    Store("tongue", "0");
    MainWindow form(Options());
    MessageDialogs dialogs(&form, form.DialogBackground());
    HighscoreDialog highscores(&form, form.Settings(), form.Scrambler(), form.DialogBackground());
    form.SetDialogs(&dialogs, &highscores);
    form.Host().SetDelayFunction([](int) {});
    form.show();
    auto& boss = static_cast<BossView&>(form.Host().Current());
    BossRules& rules = boss.Rules();
    rules.BossBoard = rules.BossTarget;
    rules.GapColumn = 3;
    rules.GapRow = 2;
    rules.Move(BossMove::Right);  // the gap one cell to the left of its home
    boss.PaintPuzzle();

    // Answers the modal windows as they come: OK on the message, a name and
    // OK in the list.
    QStringList seen;
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      if (modal == &highscores) {
        seen << "highscores";
        auto* edit = highscores.findChild<QLineEdit*>();
        QVERIFY(edit && edit->isVisible());
        edit->selectAll();
        QTest::keyClicks(edit, "Tester, the first");
        QTest::keyClick(edit, Qt::Key_Return);
      } else {
        seen << "message";
        QTest::keyClick(modal, Qt::Key_Return);
      }
    });
    driver.start(50);
    QTest::keyClick(&form, Qt::Key_Left);  // the tile right of the gap moves left
    driver.stop();

    QCOMPARE(seen, (QStringList{"message", "highscores"}));
    QCOMPARE(int(form.Host().Play().PuzzleState[kBoss]), int(kSolved));
    QCOMPARE(form.Host().Play().PuzzleClock[kBoss], 3);
    SettingsStore store(Ini());
    const HighscoreTable table = HighscoreStore(store, form.Scrambler()).Load("boss06");
    QCOMPARE(table[0].name, QString("Tester, the first"));
    QCOMPARE(table[0].time, 3);
    QVERIFY(table[1].IsEmpty());
    // Stored scrambled: the plain name is not in the file.
    QVERIFY(!store.ReadString("highscore", "boss060", {}).contains("Tester"));
    QCOMPARE(store.ReadString("highscore", "player", {}), QString("Tester, the first"));
  }

  void virtualKeyCodes() {
    QCOMPARE(VirtualKeyCode(Qt::Key_Left), 37);
    QCOMPARE(VirtualKeyCode(Qt::Key_Up), 38);
    QCOMPARE(VirtualKeyCode(Qt::Key_Right), 39);
    QCOMPARE(VirtualKeyCode(Qt::Key_Down), 40);
    QCOMPARE(VirtualKeyCode(Qt::Key_A), 65);
    QCOMPARE(VirtualKeyCode(Qt::Key_5), 53);
    QVERIFY(VirtualKeyCode(Qt::Key_Shift) != 37);
  }
};

ZT_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
