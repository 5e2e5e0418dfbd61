// The main window under the offscreen platform: layout, start-up, failures,
// puzzle switching and the confirmed quit.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "app/host/AtlasLoader.h"
#include "app/startup/LanguageDialog.h"
#include "app/window/DialogsOnFirstUse.h"
#include "app/window/MainWindow.h"
#include "app/window/VirtualKeyCode.h"
#include "core/GameFolders.h"
#include "core/Language.h"
#include "highscore/HighscoreDialog.h"
#include "highscore/HighscoreList.h"
#include "puzzles/boss/BossView.h"
#include "puzzles/tilz/TilzView.h"
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
  }

  // From the first paint on, resting the mouse on the start puzzle's name and
  // miniature shows its rules.
  void rulesHintStartsOverTheStartPuzzle_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("place");
    QTest::newRow("CRUX") << int(kCrux) << QRect(300, 233, 190, 120);
    QTest::newRow("TILZ") << int(kTilz) << QRect(355, 311, 125, 47);
    QTest::newRow("BOSS") << int(kBoss) << QRect(413, 57, 62, 281);
    QTest::newRow("TRANSIT") << int(kTransit) << QRect(345, 258, 140, 90);
  }
  void rulesHintStartsOverTheStartPuzzle() {
    QFETCH(int, mode);
    QFETCH(QRect, place);
    Store("mode", QString::number(mode));
    MainWindow form(Options());
    QVERIFY(form.Created());
    QCOMPARE(form.RulesShape(), place);
    QVERIFY(!form.RulesHint().isEmpty());
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
      QCOMPARE(form.Failure(), StartFailure::Picture);
      QCOMPARE(form.FailedFile(), atlas);
      form.close();
    }
    QFile f(Ini());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);  // no settings and no window position written
  }

  // The box that ends a failed start: the picture's path in the player's
  // language, or before one is chosen in the system's; the memory message as
  // it always was.
  void startFailureMessage_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    const int picture = int(StartFailure::Picture), memory = int(StartFailure::Memory);
    const QString path = "/games/zt/b3.bmp";
    QTest::newRow("picture, first start, German system")
        << picture << -1 << "de_DE.UTF-8"
        << "Fehler" << QString::fromUtf8("Bilddatei fehlt oder ist beschädigt: ") + path;
    QTest::newRow("picture, first start, English system")
        << picture << -1 << "en_GB.UTF-8"
        << "Error"
        << "Picture file missing or damaged: " + path;
    QTest::newRow("picture, German chosen")
        << picture << 1 << "en_GB.UTF-8"
        << "Fehler" << QString::fromUtf8("Bilddatei fehlt oder ist beschädigt: ") + path;
    QTest::newRow("picture, English chosen") << picture << 0 << "de_DE.UTF-8"
                                             << "Error"
                                             << "Picture file missing or damaged: " + path;
    QTest::newRow("memory, German chosen") << memory << 1 << "en_GB.UTF-8"
                                           << "Fehler"
                                           << "Zuwenig Speicher! Programm wird beendet.";
    QTest::newRow("memory, first start") << memory << -1 << "de_DE.UTF-8"
                                         << "Fehler"
                                         << "Not enough memory! Program aborted.";
  }
  void startFailureMessage() {
    QFETCH(int, failure);
    QFETCH(int, tongue);
    QFETCH(QString, lang);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    const QByteArray before = qgetenv("LANG");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", lang.toUtf8());
    Tongue = tongue;
    const auto box = StartFailureBox(StartFailure(failure), "/games/zt/b3.bmp");
    qputenv("LANG", before);
    QCOMPARE(box->windowTitle(), caption);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
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

  // A BOSS move undone and redone by key, and Ctrl+R back to the mix; the
  // command keys themselves never start the clock and the clock never goes
  // back.
  void undoRedoAndRestartByKey() {
    Store("mode", "2");
    MainWindow form(Options());
    form.Host().SetDelayFunction([](int) {});
    auto& boss = static_cast<BossView&>(form.Host().Current());
    const BossRules::Grid mixed = boss.Rules().BossBoard;
    const auto& play = form.Host().Play();
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Z, Qt::ControlModifier},
                                         {Qt::Key_Y, Qt::ControlModifier},
                                         {Qt::Key_R, Qt::ControlModifier},
                                         {Qt::Key_Control, Qt::ControlModifier}}) {
      QTest::keyClick(&form, key, modifiers);
      QVERIFY(boss.Rules().BossBoard == mixed);
      QCOMPARE(int(play.PuzzleState[kBoss]), int(kReady));
    }
    const Qt::Key arrow = boss.Rules().GapRow > 1 ? Qt::Key_Down : Qt::Key_Up;
    QTest::keyClick(&form, arrow);
    const BossRules::Grid moved = boss.Rules().BossBoard;
    QVERIFY(moved != mixed);
    QCOMPARE(play.PuzzleClock[kBoss], 3);

    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(boss.Rules().BossBoard == mixed);
    QCOMPARE(play.PuzzleClock[kBoss], 6);  // an undo is a move: the clock runs on
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(boss.Rules().BossBoard == moved);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(boss.Rules().BossBoard == moved);
    QCOMPARE(play.PuzzleClock[kBoss], 15);  // five moves of 3 ticks

    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(boss.Rules().BossBoard == mixed);
    QCOMPARE(play.PuzzleClock[kBoss], 15);  // laid at once, no time taken back
    QCOMPARE(int(play.PuzzleState[kBoss]), int(kRunning));
    QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);  // the move is redoable
    QVERIFY(boss.Rules().BossBoard == moved);
  }

  // Ctrl+1..4 choose the puzzle (its button goes down) and reach no puzzle as
  // a key: CRUX, which starts its clock on any key, stays ready.
  void ctrlDigitsChooseThePuzzle() {
    Store("mode", "0");
    MainWindow form(Options());
    form.Host().SetDelayFunction([](int) {});
    const std::pair<Qt::Key, int> choices[] = {
        {Qt::Key_3, kBoss}, {Qt::Key_2, kTilz}, {Qt::Key_4, kTransit}, {Qt::Key_1, kCrux}};
    for (const auto& [key, puzzle] : choices) {
      QTest::keyClick(&form, key, Qt::ControlModifier);
      QCOMPARE(form.Host().Mode(), puzzle);
      QVERIFY(form.Tools().PuzzleBtn(puzzle)->isChecked());
    }
    QCOMPARE(int(form.Host().Play().PuzzleState[kCrux]), int(kReady));
  }

  // Tab and Shift+Tab reach TILZ instead of moving the keyboard focus, also
  // from a control inside the window that holds the focus.
  void tabReachesTilz() {
    Store("mode", "1");
    MainWindow form(Options());
    form.Host().SetDelayFunction([](int) {});
    form.show();
    auto& tilz = static_cast<TilzView&>(form.Host().Current());
    const TilzRules::Anchor big = tilz.Selected();
    for (QWidget* receiver :
         {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.PlayAreaWidget()),
          static_cast<QWidget*>(form.Level())}) {
      QTest::keyClick(receiver, Qt::Key_Tab);
      QVERIFY(!(tilz.Selected() == big));
      QVERIFY(tilz.SelectionShown());
      QTest::keyClick(receiver, Qt::Key_Backtab, Qt::ShiftModifier);
      QVERIFY(tilz.Selected() == big);
    }
  }

  // A key pressed during a move's frames waits, like a press, until the move
  // is over, and is then handled in order: here an undo of that very move.
  void keysDuringAMoveWaitForIt() {
    Store("mode", "2");
    MainWindow form(Options());
    auto& boss = static_cast<BossView&>(form.Host().Current());
    const BossRules::Grid mixed = boss.Rules().BossBoard;
    // The moves booked at each wait: none during the move's ten frames, then
    // the move during the undo's ten frames.
    std::vector<std::size_t> bookedAtWait;
    form.Host().SetDelayFunction([&](int) {
      if (bookedAtWait.empty()) {
        QCoreApplication::postEvent(
            &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier));
      }
      bookedAtWait.push_back(boss.History().Done());
    });
    const Qt::Key arrow = boss.Rules().GapRow > 1 ? Qt::Key_Down : Qt::Key_Up;
    QTest::keyClick(&form, arrow);
    QCOMPARE(bookedAtWait, std::vector<std::size_t>(10, 0));
    QVERIFY(boss.Rules().BossBoard != mixed);
    QCoreApplication::processEvents();
    std::vector<std::size_t> expected(10, 0);
    expected.resize(20, 1);
    QCOMPARE(bookedAtWait, expected);
    QVERIFY(boss.Rules().BossBoard == mixed);
    QVERIFY(boss.History().CanRedo());
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

  // On the offscreen platform's one screen of 800 x 800, whose windows get a
  // frame of 2 pixels once shown: the first start's design position does not
  // fit there, and every stored place is brought wholly onto the screen.
  void windowGoesWhollyOnTheScreen_data() {
    QTest::addColumn<QString>("stored");  // empty: nothing stored
    QTest::addColumn<QPoint>("placed");
    QTest::newRow("first start: the middle") << "" << QPoint(148, 215);
    QTest::newRow("stored inside") << "200,0,1,250,200,750,566" << QPoint(250, 200);
    QTest::newRow("stored left of the screen") << "200,0,1,-900,40,-400,406" << QPoint(0, 40);
    QTest::newRow("stored partly below") << "200,0,1,30,600,530,966" << QPoint(30, 430);
    QTest::newRow("stored past the right") << "200,0,1,700,100,1200,466" << QPoint(296, 100);
    QTest::newRow("damaged text: as a first start") << "200,0,1,x,400,530,766" << QPoint(148, 215);
  }
  void windowGoesWhollyOnTheScreen() {
    QFETCH(QString, stored);
    QFETCH(QPoint, placed);
    if (QGuiApplication::platformName().startsWith("wayland")) QSKIP("Wayland places windows");
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    if (!stored.isEmpty()) Store("MainForm", stored);
    MainWindow form(Options());
    form.RestoreWindowPosition();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.frameGeometry().size(), QSize(504, 370));
    QTRY_COMPARE(form.pos(), placed);
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

  // The language question's answer shows at once on the main window, on the
  // first start as from the language button; leaving it another way changes
  // nothing.
  void languageAnswerShowsAtOnce_data() {
    QTest::addColumn<int>("before");  // the stored language; -1: a first start
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("pause");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("rules");
    const QString german = "Ich brauch eine kurze Pause.", english = "I need a break.";
    const QString germanRules = "Verschiebe die Balken des CRUX.",
                  englishRules = "Slide the CRUX-baulks.";
    QTest::newRow("first start, German") << -1 << "german" << german << "Zeit:" << germanRules;
    QTest::newRow("first start, English") << -1 << "english" << english << "Time:" << englishRules;
    QTest::newRow("first start, closed") << -1 << "close" << english << "Time:" << englishRules;
    QTest::newRow("button, to German") << 0 << "german" << german << "Zeit:" << germanRules;
    QTest::newRow("button, to English") << 1 << "english" << english << "Time:" << englishRules;
    QTest::newRow("button, closed keeps German")
        << 1 << "close" << german << "Zeit:" << germanRules;
  }
  void languageAnswerShowsAtOnce() {
    QFETCH(int, before);
    QFETCH(QString, answer);
    QFETCH(QString, pause);
    QFETCH(QString, time);
    QFETCH(QString, rules);
    Store("tongue", QString::number(before));
    MainWindow form(Options());
    LanguageDialog question(&form, form.windowIcon());
    form.SetLanguageDialog([&question] { return &question; });
    form.show();
    QTimer::singleShot(0, &question, [&] {
      if (answer == "german") question.GermanBtn->click();
      if (answer == "english") question.EnglishBtn->click();
      if (answer == "close") question.reject();
    });
    if (before == -1) {
      form.LanguageDialog()->exec();  // as the first activation asks
    } else {
      form.Tools().LanguageBtn->click();
    }
    QCOMPARE(form.Tools().PauseBtn->toolTip(), pause);
    QCOMPARE(form.Tools().TimeLabel->text(), time);
    QVERIFY2(form.RulesHint().startsWith(rules), qPrintable(form.RulesHint()));
  }

  // The sound button's hint says what the next press does, after every press.
  void soundHintFollowsTheButton_data() {
    QTest::addColumn<int>("tongue");
    QTest::addColumn<QString>("down");
    QTest::addColumn<QString>("up");
    QTest::newRow("English") << 0 << "I like it without sound-effects."
                             << "Without sound ist is boring.";
    QTest::newRow("German") << 1 << QString::fromUtf8("Ich schalte die Geräusche lieber aus.")
                            << QString::fromUtf8("Ohne Geräusche ist es doch etwas fad.");
  }
  void soundHintFollowsTheButton() {
    QFETCH(int, tongue);
    QFETCH(QString, down);
    QFETCH(QString, up);
    Store("tongue", QString::number(tongue));
    MainWindow form(Options());
    ToolButton& sound = *form.Tools().SoundBtn;
    QVERIFY(sound.isChecked());
    QCOMPARE(sound.toolTip(), down);
    for (int press = 1; press <= 3; ++press) {
      QTest::mouseClick(&sound, Qt::LeftButton);
      QCOMPARE(sound.isChecked(), press % 2 == 0);
      QCOMPARE(sound.toolTip(), sound.isChecked() ? down : up);
    }
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

  // The language button asks with a question made at its first press, on the
  // main window, and asks with the same one again later.
  void languageButtonMakesItsQuestionOnce() {
    Store("tongue", "0");
    MainWindow form(Options());
    DialogsOnFirstUse dialogs(form);
    form.SetLanguageDialog([&dialogs] { return &dialogs.Language(); });
    form.show();
    QVERIFY(!dialogs.HasLanguage());
    QList<QWidget*> asked;
    const auto answerGerman = [&] {
      QWidget* modal = QApplication::activeModalWidget();
      asked << modal;
      if (auto* question = qobject_cast<LanguageDialog*>(modal)) question->GermanBtn->click();
    };
    QTimer::singleShot(50, answerGerman);
    form.LanguageBtnClick();
    QTimer::singleShot(50, answerGerman);
    form.LanguageBtnClick();
    QCOMPARE(asked, (QList<QWidget*>{&dialogs.Language(), &dialogs.Language()}));
    QCOMPARE(dialogs.Language().parentWidget(), &form);
    QCOMPARE(Tongue, 1);
  }

  void aSolvingMoveEndsInTheHighScoreList_data() {
    QTest::addColumn<bool>("onFirstUse");
    QTest::newRow("dialogs made at start") << false;
    QTest::newRow("dialogs made at first use") << true;
  }
  void aSolvingMoveEndsInTheHighScoreList() {
    // The whole solved sequence with the real dialogs: BOSS 3 x 2 one move
    // from solved; the move, the message, the list with a new name, the store.
    QFETCH(bool, onFirstUse);
    Store("mode", "2");
    Store("bhorz", "3");
    Store("bvert", "2");
    Store("tongue", "0");
    MainWindow form(Options());
    std::optional<MessageDialogs> dialogs;
    std::optional<HighscoreDialog> made;
    DialogsOnFirstUse onDemand(form);
    if (onFirstUse) {
      form.SetDialogs(&onDemand, &onDemand);
    } else {
      dialogs.emplace(&form, form.DialogBackground());
      made.emplace(&form, form.Settings(), form.Scrambler(), form.DialogBackground());
      form.SetDialogs(&*dialogs, &*made);
    }
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
      if (auto* highscores = qobject_cast<HighscoreDialog*>(modal)) {
        seen << "highscores";
        QCOMPARE(highscores->parentWidget(), &form);
        auto* edit = highscores->findChild<QLineEdit*>();
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
    // Made on first use: nothing of them exists before the move.
    if (onFirstUse) QCOMPARE(form.findChildren<QDialog*>(), QList<QDialog*>());
    QTest::keyClick(&form, Qt::Key_Left);  // the tile right of the gap moves left
    driver.stop();

    QCOMPARE(seen, (QStringList{"message", "highscores"}));
    QCOMPARE(onDemand.HasMessages(), onFirstUse);
    QCOMPARE(onDemand.HasHighscores(), onFirstUse);
    QVERIFY(!onDemand.HasLanguage());
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
