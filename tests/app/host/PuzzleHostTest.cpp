// The puzzle host with a fake window, fake puzzles and scripted dialogs.
#include <QtTest>
#include <string>
#include <vector>

#include "app/host/PuzzleHost.h"
#include "tests/common/SyntheticAtlas.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

struct Log {
  std::vector<std::string> lines;
  void Add(std::string s) { lines.push_back(std::move(s)); }
  bool Has(const std::string& s) const {
    return std::find(lines.begin(), lines.end(), s) != lines.end();
  }
  int Count(const std::string& s) const {
    return static_cast<int>(std::count(lines.begin(), lines.end(), s));
  }
};

class FakeView : public HostView {
 public:
  explicit FakeView(Log& log) : log_(log) {}
  void SetTimerEnabled(bool on) override {
    timerOn = on;
    log_.Add(on ? "timer on" : "timer off");
  }
  bool SoundOn() const override { return soundOn; }
  void PlayEffect(SoundEffect effect) override {
    log_.Add("sound " + std::to_string(static_cast<int>(effect)));
  }
  void MusicUpkeep() override { log_.Add("music"); }
  void PresentClock() override { ++clockPresents; }
  bool LoadAtlas(int mode) override {
    log_.Add("atlas " + std::to_string(mode));
    return atlasLoads;
  }
  void PlaceRulesShape() override { log_.Add("rules shape"); }
  void EnableOptionBtn() override { log_.Add("option btn"); }
  void SetHints() override { log_.Add("hints"); }
  void ShowLevel() override { log_.Add("level"); }
  void RepaintWindow() override { log_.Add("repaint"); }
  void WakeTimer() override { ++timerWakes; }
  void ShowThinking(bool on) override {
    thinking = on;
    log_.Add(on ? "thinking" : "thinking over");
  }

  bool timerOn = true;
  bool soundOn = true;
  bool atlasLoads = true;
  int clockPresents = 0;
  int timerWakes = 0;
  bool thinking = false;

 private:
  Log& log_;
};

class ScriptedDialogs : public GameDialogs, public HighscoreService {
 public:
  explicit ScriptedDialogs(Log& log) : log_(log) {}
  void ShowPause() override { log_.Add("pause dialog"); }
  void ShowDone() override { log_.Add("done dialog"); }
  bool AskNewGame() override {
    log_.Add("new game question");
    return answerYes;
  }
  bool AskEndGame() override { return answerYes; }
  void ShowHighscores(const QString& key, std::int32_t time) override {
    log_.Add("highscores " + key.toStdString() + " " + std::to_string(time));
  }
  bool answerYes = true;

 private:
  Log& log_;
};

class FakePuzzle : public Puzzle {
 public:
  FakePuzzle(Log& log, std::string name, bool keys, int number)
      : number_(number), log_(log), name_(std::move(name)), keys_(keys) {}
  void InitPuzzle() override { log_.Add(name_ + " init"); }
  void MixPuzzle() override { log_.Add(name_ + " mix"); }
  void PaintPuzzle() override { log_.Add(name_ + " paint"); }
  void PuzzleMouseDown(int x, int y, int b) override {
    log_.Add(name_ + " press " + std::to_string(x) + "," + std::to_string(y) + " " +
             std::to_string(b));
  }
  void NextVariant(int b) override { log_.Add(name_ + " next " + std::to_string(b)); }
  bool TakesKeys() const override { return keys_; }
  void PuzzleKeyDown(int key) override { log_.Add(name_ + " key " + std::to_string(key)); }
  bool UndoMove() override {
    log_.Add(name_ + " undo");
    return true;
  }
  bool RedoMove() override {
    log_.Add(name_ + " redo");
    return true;
  }
  bool RestartPuzzle() override {
    log_.Add(name_ + " restart");
    return true;
  }
  VariantValues Variant() const override { return {number_, 0}; }
  void SetVariant(const VariantValues& values) override { number_ = values[0]; }
  int VariantNumber() const override { return number_; }
  std::string LevelText() const override { return std::to_string(number_); }
  int number_;

 private:
  Log& log_;
  std::string name_;
  bool keys_;
};

// A digit strip in which each cell is one flat grey level, so the clock
// picture tells which cell was copied where.
QImage FlatDigitStrip() {
  QImage strip(121, 20, QImage::Format_RGB32);
  for (int cell = 0; cell < 11; ++cell) {
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 11; ++x)
        strip.setPixel(cell * 11 + x, y, qRgb(cell * 20 + 10, 0, 0));
    }
  }
  return strip;
}

struct Rig {
  Log log;
  FakeView view{log};
  ScriptedDialogs dialogs{log};
  FakePuzzle crux{log, "crux", true, 2};
  FakePuzzle tilz{log, "tilz", false, 1};
  FakePuzzle boss{log, "boss", true, 15};
  FakePuzzle transit{log, "transit", false, 22};
  PuzzleHost host{view, dialogs, dialogs, FlatDigitStrip()};

  explicit Rig(int mode = kCrux) {
    host.SetPuzzles({&crux, &tilz, &boss, &transit});
    host.SetDelayFunction([this](int ms) { log.Add("delay " + std::to_string(ms)); });
    host.StartUp(mode);
    host.MarkStartPuzzleReady();
    log.lines.clear();
  }
  std::uint8_t& State(int p) { return host.Play().PuzzleState[p]; }
  std::int32_t& Clock(int p) { return host.Play().PuzzleClock[p]; }
};

}  // namespace

class PuzzleHostTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpSetsUpOnlyTheStartPuzzle() {
    Log log;
    FakeView view(log);
    ScriptedDialogs dialogs(log);
    FakePuzzle a(log, "crux", true, 2), b(log, "tilz", false, 1), c(log, "boss", true, 15),
        d(log, "transit", false, 22);
    PuzzleHost host(view, dialogs, dialogs, FlatDigitStrip());
    host.SetPuzzles({&a, &b, &c, &d});
    host.StartUp(kBoss);
    QCOMPARE(log.lines, std::vector<std::string>{"boss init"});
    QCOMPARE(host.Play().PuzzleState, (std::array<std::uint8_t, 4>{2, 2, 2, 2}));
    host.MarkStartPuzzleReady();
    QCOMPARE(host.Play().PuzzleState, (std::array<std::uint8_t, 4>{2, 2, 0, 2}));
    QCOMPARE(host.Play().PuzzleClock, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
  }

  void mixAsksOnlyWhileRunning_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("mixed");
    QTest::newRow("ready") << 0 << false << false << true;
    QTest::newRow("running, yes") << 1 << true << true << true;
    QTest::newRow("running, no") << 1 << false << true << false;
    QTest::newRow("solved") << 3 << false << false << true;
  }
  void mixAsksOnlyWhileRunning() {
    QFETCH(int, state);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, mixed);
    Rig rig(kTilz);
    rig.State(kTilz) = static_cast<std::uint8_t>(state);
    rig.Clock(kTilz) = 57;
    rig.dialogs.answerYes = answer;
    rig.host.MixBtnClick();
    QCOMPARE(rig.log.Has("new game question"), asked);
    QCOMPARE(rig.log.Count("tilz mix"), mixed ? 1 : 0);
    QCOMPARE(int(rig.State(kTilz)), mixed ? 0 : state);
    QCOMPARE(rig.Clock(kTilz), mixed ? 0 : 57);
    // The timer stops before the question and runs again in every case.
    QCOMPARE(rig.log.lines.front(), std::string("timer off"));
    QCOMPARE(rig.log.lines.back(), std::string("timer on"));
    QVERIFY(rig.view.timerOn);
  }

  void switchingKeepsEachPuzzleAndSetsUpOnce() {
    Rig rig(kCrux);
    rig.State(kCrux) = kRunning;
    rig.Clock(kCrux) = 42;
    QVERIFY(rig.host.SelectPuzzle(kTilz));
    QCOMPARE(rig.log.lines, (std::vector<std::string>{"atlas 1", "rules shape", "tilz init",
                                                      "option btn", "hints", "level", "repaint"}));
    QCOMPARE(int(rig.State(kTilz)), 0);
    // The CRUX clock stands while TILZ is current, and no question was asked.
    rig.host.TimerTick();
    rig.host.TimerTick();
    QCOMPARE(rig.Clock(kCrux), 42);
    QCOMPARE(int(rig.State(kCrux)), 1);
    rig.log.lines.clear();
    QVERIFY(rig.host.SelectPuzzle(kCrux));
    QVERIFY(rig.host.SelectPuzzle(kTilz));
    QCOMPARE(rig.log.Count("tilz init"), 0);
    QCOMPARE(rig.log.Count("crux init"), 0);
    QVERIFY(!rig.log.Has("new game question"));
    rig.host.SelectPuzzle(kCrux);
    rig.host.TimerTick();
    QCOMPARE(rig.Clock(kCrux), 43);
  }

  void selectingTheCurrentPuzzleDoesNothing() {
    Rig rig(kBoss);
    QVERIFY(rig.host.SelectPuzzle(kBoss));
    QVERIFY(rig.log.lines.empty());
  }

  void anUnreadableAtlasLeavesEverythingAsItWas() {
    Rig rig(kCrux);
    rig.view.atlasLoads = false;
    QVERIFY(!rig.host.SelectPuzzle(kTransit));
    QCOMPARE(rig.host.Mode(), kCrux);
    QCOMPARE(int(rig.State(kTransit)), int(kNeverSetUp));
    QCOMPARE(rig.log.lines, std::vector<std::string>{"atlas 3"});
  }

  void solvedSequenceRunsOnce() {
    Rig rig(kBoss);
    rig.State(kBoss) = kRunning;
    rig.Clock(kBoss) = 123;
    rig.host.PuzzleSolved();
    QCOMPARE(rig.log.lines,
             (std::vector<std::string>{"sound 5", "done dialog", "highscores boss15 123"}));
    QCOMPARE(int(rig.State(kBoss)), int(kSolved));
    QVERIFY(rig.view.timerOn);  // the timer is left alone
    rig.log.lines.clear();
    rig.host.PuzzleSolved();
    QVERIFY(rig.log.lines.empty());
  }

  void solvedWithSoundOffIsSilent() {
    Rig rig(kCrux);
    rig.view.soundOn = false;
    rig.State(kCrux) = kRunning;
    rig.host.PuzzleSolved();
    QVERIFY(!rig.log.Has("sound 5"));
    QVERIFY(rig.log.Has("done dialog"));
  }

  void pauseOnlyWhileRunning_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("ready") << 0;
    QTest::newRow("running") << 1;
    QTest::newRow("solved") << 3;
  }
  void pauseOnlyWhileRunning() {
    QFETCH(int, state);
    Rig rig(kTransit);
    rig.State(kTransit) = static_cast<std::uint8_t>(state);
    rig.host.PauseBtnClick();
    if (state == 1) {
      QCOMPARE(rig.log.lines, (std::vector<std::string>{"timer off", "pause dialog", "timer on"}));
    } else {
      QVERIFY(rig.log.lines.empty());
    }
  }

  void timerCountsOnlyTheCurrentRunningPuzzle() {
    Rig rig(kCrux);
    rig.State(kTilz) = kRunning;  // not current
    rig.host.TimerTick();
    QCOMPARE(rig.Clock(kCrux), 0);
    QCOMPARE(rig.Clock(kTilz), 0);
    QCOMPARE(rig.log.lines, std::vector<std::string>{"music"});
    rig.State(kCrux) = kRunning;
    const int presents = rig.view.clockPresents;
    rig.host.TimerTick();
    QCOMPARE(rig.Clock(kCrux), 1);
    QCOMPARE(rig.view.clockPresents, presents + 1);
    rig.State(kCrux) = kSolved;
    rig.host.TimerTick();
    QCOMPARE(rig.Clock(kCrux), 1);
  }

  // With every clock running, a tick goes to the current puzzle's clock alone,
  // whichever puzzle that is.
  void timerTicksTheCurrentPuzzlesClock_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("CRUX") << int(kCrux);
    QTest::newRow("TILZ") << int(kTilz);
    QTest::newRow("BOSS") << int(kBoss);
    QTest::newRow("TRANSIT") << int(kTransit);
  }
  void timerTicksTheCurrentPuzzlesClock() {
    QFETCH(int, mode);
    Rig rig(mode);
    for (int p = 0; p < kPuzzleCount; ++p) {
      rig.State(p) = kRunning;
      rig.Clock(p) = 10 * (p + 1);
    }
    const int presents = rig.view.clockPresents;
    rig.host.TimerTick();
    rig.host.TimerTick();
    for (int p = 0; p < kPuzzleCount; ++p)
      QCOMPARE(rig.Clock(p), 10 * (p + 1) + (p == mode ? 2 : 0));
    QCOMPARE(rig.view.clockPresents, presents + 2);
  }

  void clockCells_data() {
    QTest::addColumn<int>("clock");
    QTest::addColumn<QString>("shown");  // '_' is a blank cell
    QTest::newRow("0") << 0 << "_____0";
    QTest::newRow("7") << 7 << "_____7";
    QTest::newRow("905") << 905 << "___905";
    QTest::newRow("100000") << 100000 << "100000";
    QTest::newRow("999999") << 999999 << "999999";
    QTest::newRow("1000000") << 1000000 << "_____0";
    QTest::newRow("2345678") << 2345678 << "345678";
    QTest::newRow("1000905") << 1000905 << "___905";
  }
  void clockCells() {
    QFETCH(int, clock);
    QFETCH(QString, shown);
    const auto cells = PuzzleHost::ClockCells(clock);
    QString text;
    for (int c : cells)
      text += c == 10 ? QChar('_') : QChar('0' + c);
    QCOMPARE(text, shown);
  }

  void clockPictureCopiesTheCells() {
    Rig rig(kCrux);
    rig.Clock(kCrux) = 905;
    rig.host.RepaintClock();
    const QImage& clock = rig.host.ClockImage();
    QCOMPARE(clock.size(), QSize(77, 20));
    const int expected[6] = {10, 10, 10, 9, 0, 5};
    for (int i = 0; i < 6; ++i) {
      for (int x : {0, 5, 10}) {
        for (int y : {0, 19}) {
          QCOMPARE(qRed(clock.pixel(i * 13 + x, y)), expected[i] * 20 + 10);
        }
      }
      if (i < 5) QCOMPARE(clock.pixel(i * 13 + 11, 5) & 0xffffff, 0u);  // gap between cells
    }
    QCOMPARE(clock.pixel(76, 10) & 0xffffff, 0u);
  }

  void variantKeys_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("key");
    QTest::newRow("crux 2") << kCrux << 2 << "crux02";
    QTest::newRow("crux 16") << kCrux << 16 << "crux16";
    QTest::newRow("tilz 1") << kTilz << 1 << "tilz01";
    QTest::newRow("boss 5x3 and 3x5") << kBoss << 15 << "boss15";
    QTest::newRow("boss 3x2") << kBoss << 6 << "boss06";
    QTest::newRow("boss 7x5") << kBoss << 35 << "boss35";
    QTest::newRow("transit 22") << kTransit << 22 << "tran22";
    QTest::newRow("transit 7") << kTransit << 7 << "tran07";
  }
  void variantKeys() {
    QFETCH(int, mode);
    QFETCH(int, number);
    QFETCH(QString, key);
    QCOMPARE(PuzzleHost::VariantKeyFor(mode, number), key);
    Rig rig(mode);
    static_cast<FakePuzzle&>(rig.host.Current()).number_ = number;
    QCOMPARE(rig.host.MakeVariantKey(), key);
  }

  void highScoreButtonShowsTheCurrentList() {
    Rig rig(kTransit);
    static_cast<FakePuzzle&>(rig.host.Current()).number_ = 7;
    rig.host.HighScoreBtnClick();
    QCOMPARE(rig.log.lines,
             (std::vector<std::string>{"timer off", "highscores tran07 0", "timer on"}));
  }

  void optionButtonStepsTheVariant_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("stepped");
    QTest::newRow("ready") << 0 << false << true;
    QTest::newRow("running, yes") << 1 << true << true;
    QTest::newRow("running, no") << 1 << false << false;
    QTest::newRow("solved") << 3 << false << true;
  }
  void optionButtonStepsTheVariant() {
    QFETCH(int, state);
    QFETCH(bool, answer);
    QFETCH(bool, stepped);
    Rig rig(kCrux);
    rig.State(kCrux) = static_cast<std::uint8_t>(state);
    rig.Clock(kCrux) = 99;
    rig.dialogs.answerYes = answer;
    rig.host.OptionBtnMouseDown(kRightButton);
    QCOMPARE(rig.log.Has("new game question"), state == 1);
    if (stepped) {
      QCOMPARE(
          rig.log.lines,
          (state == 1 ? std::vector<std::string>{"timer off", "new game question", "crux next 1",
                                                 "level", "timer on"}
                      : std::vector<std::string>{"timer off", "crux next 1", "level", "timer on"}));
      QCOMPARE(int(rig.State(kCrux)), 0);
      QCOMPARE(rig.Clock(kCrux), 0);
    } else {
      QCOMPARE(rig.log.lines,
               (std::vector<std::string>{"timer off", "new game question", "timer on"}));
      QCOMPARE(int(rig.State(kCrux)), 1);
      QCOMPARE(rig.Clock(kCrux), 99);
    }
  }

  void keysGoOnlyToPuzzlesThatTakeThem() {
    Rig rig(kCrux);
    rig.host.FormKeyDown(37);
    rig.host.SelectPuzzle(kTilz);
    rig.log.lines.clear();
    rig.host.FormKeyDown(37);
    QVERIFY(rig.log.lines.empty());
    QVERIFY(rig.host.SelectPuzzle(kBoss));
    rig.log.lines.clear();
    rig.host.FormKeyDown(40);
    QCOMPARE(rig.log.lines, std::vector<std::string>{"boss key 40"});
  }

  void paintAndPressGoToTheCurrentPuzzle() {
    Rig rig(kTransit);
    rig.host.PlayAreaPaint();
    rig.host.PlayAreaMouseDown(26, 45, 2);
    QCOMPARE(rig.log.lines, (std::vector<std::string>{"transit paint", "transit press 26,45 2"}));
    QVERIFY(rig.view.clockPresents > 0);
  }

  void delayWaitsAtLeastTheTime() {
    QElapsedTimer t;
    t.start();
    SleepFor(30);
    QVERIFY2(t.elapsed() >= 30, qPrintable(QString::number(t.elapsed())));
  }
};

ZT_TEST_MAIN(PuzzleHostTest)
#include "PuzzleHostTest.moc"
