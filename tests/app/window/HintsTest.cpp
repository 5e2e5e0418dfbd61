// Hints and the played solution in the real window: the mark and its way,
// shortest hints on a small BOSS board against a search of this test's own,
// the played solution, the helped game without a list entry, what stops a
// solution, and a window that goes on while a search takes its time.
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "app/window/MainWindow.h"
#include "core/Language.h"
#include "puzzles/boss/BossView.h"
#include "puzzles/core/HintMark.h"
#include "puzzles/crux/CruxView.h"
#include "puzzles/tilz/TilzView.h"
#include "puzzles/transit/TransitView.h"
#include "tests/common/SolverTestKit.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

class Answers : public GameDialogs, public HighscoreService {
 public:
  void ShowPause() override {}
  void ShowDone() override { ++dones; }
  bool AskNewGame() override { return true; }
  bool AskEndGame() override { return true; }
  void ShowHighscores(const QString& key, std::int32_t time) override {
    ++lists;
    lastKey = key;
    lastTime = time;
  }
  int dones = 0;
  int lists = 0;
  QString lastKey;
  std::int32_t lastTime = -1;
};

// Fewest moves to the solved board from every board of BOSS's size, by a
// breadth-first search from the solved board over the rules' own moves.
std::map<BossRules::Grid, int> BossDistances(const BossRules& size) {
  BossRules solved = size;
  solved.BossBoard = solved.BossTarget;
  solved.GapColumn = solved.BossColumns;
  solved.GapRow = solved.BossRows;
  std::map<BossRules::Grid, int> distance{{solved.BossBoard, 0}};
  std::deque<BossRules> queue{solved};
  while (!queue.empty()) {
    const BossRules at = queue.front();
    queue.pop_front();
    for (const BossMove move : {BossMove::Left, BossMove::Right, BossMove::Up, BossMove::Down}) {
      if (!at.CanMove(move)) continue;
      BossRules next = at;
      next.Move(move);
      if (distance.emplace(next.BossBoard, distance[at.BossBoard] + 1).second)
        queue.push_back(next);
    }
  }
  return distance;
}

// The key that moves a BOSS tile that way.
Qt::Key BossKey(BossMove move) {
  switch (move) {
    case BossMove::Left:
      return Qt::Key_Left;
    case BossMove::Right:
      return Qt::Key_Right;
    case BossMove::Up:
      return Qt::Key_Up;
    case BossMove::Down:
      break;
  }
  return Qt::Key_Down;
}

// The play area as the player sees it (painted afresh, the mark included).
QImage Shot(MainWindow& form) {
  return form.PlayAreaWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether the mark's band runs through the middle of r's left and top edges.
bool Marked(const QImage& shot, const QRect& r, int zoom) {
  const int band = HintMark::kInset + HintMark::kBlack + 1;
  const QPoint left(r.x() + band, r.y() + r.height() / 2);
  const QPoint top(r.x() + r.width() / 2, r.y() + band);
  for (const QPoint p : {left, top}) {
    if (shot.pixel(p * zoom) != HintMark::kBandColour) return false;
  }
  return true;
}

// The BOSS tile that the mark on the screen names, as the move that takes it
// into the gap; nothing when no tile beside the gap, or more than one, is marked.
std::optional<BossMove> MarkedBossMove(MainWindow& form, const BossView& boss) {
  const BossRules& rules = boss.Rules();
  const QImage shot = Shot(form);
  std::optional<BossMove> found;
  int marks = 0;
  for (const BossMove move : {BossMove::Left, BossMove::Right, BossMove::Up, BossMove::Down}) {
    if (!rules.CanMove(move)) continue;
    const QRect tile(boss.BossCellLeft(rules.SourceColumn(move)),
                     boss.BossCellTop(rules.SourceRow(move)), BossView::kCell, BossView::kCell);
    if (Marked(shot, tile, 1)) {
      found = move;
      ++marks;
    }
  }
  if (marks != 1) return std::nullopt;
  return found;
}

// A search that waits until it is released or cancelled, and then gives the
// move it was made with.
template <typename Rules, typename Move>
struct HeldSearch {
  std::atomic<bool> release{false};
  std::atomic<int> calls{0};
  std::atomic<int> cancelled{0};
  std::vector<Move> moves;

  std::function<std::optional<std::vector<Move>>(const Rules&, const std::atomic<bool>*)>
  Function() {
    return
        [this](const Rules&, const std::atomic<bool>* cancel) -> std::optional<std::vector<Move>> {
          ++calls;
          while (!release) {
            if (cancel && *cancel) {
              ++cancelled;
              return std::nullopt;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
          return moves;
        };
  }
};

// A hand-made solver of one move: from the board it was made on, that move;
// from any other board, nothing left to do.
template <typename Rules, typename Move, typename Board>
auto OneMoveFrom(const Rules& start, Move move, Board board) {
  return [start, move, board](const Rules& now, const std::atomic<bool>*) {
    return std::optional<std::vector<Move>>(board(now) == board(start) ? std::vector<Move>{move}
                                                                       : std::vector<Move>{});
  };
}

}  // namespace

Q_DECLARE_METATYPE(BossMove)

class HintsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Ini() const { return dir_.filePath("settings.ini"); }
  MainWindow::Options Options() const { return {test::GameDir(), Ini(), false}; }
  void Store(const QString& key, const QString& value) {
    QVERIFY(SettingsStore(Ini()).WriteString("common", key, value));
  }
  // A window on the puzzle, its moves without waits, the dialogs answered.
  std::unique_ptr<MainWindow> Open(int mode, Answers& answers) {
    Store("mode", QString::number(mode));
    Store("tongue", "0");
    auto form = std::make_unique<MainWindow>(Options());
    form->SetDialogs(&answers, &answers);
    form->Host().SetDelayFunction([](int) {});
    form->show();
    return form;
  }
  static void PressH(MainWindow& form, bool shift = false) {
    QTest::keyClick(&form, Qt::Key_H, shift ? Qt::ShiftModifier : Qt::NoModifier);
  }
  // Handles events until the search has ended (its answer wakes the loop).
  static bool AwaitSearch(MainWindow& form) {
    QDeadlineTimer deadline(10000);
    while (form.Host().Hints().Searching() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return !form.Host().Hints().Searching();
  }

 private slots:
  void init() {
    QFile::remove(Ini());
    Tongue = -1;
  }

  // On the 3 x 2 board every hint marks one tile, and its move starts a
  // shortest way: checked for every board the rules can reach.
  void everyBossHintStartsAShortestWay() {
    Store("bhorz", "3");
    Store("bvert", "2");
    Answers answers;
    auto form = Open(kBoss, answers);
    auto& boss = static_cast<BossView&>(form->Host().Current());
    const std::map<BossRules::Grid, int> distance = BossDistances(boss.Rules());
    QCOMPARE(distance.size(), std::size_t{360});
    // Every sixth board under the sanitizers, which make each hint slower.
    const int every = test::kSanitized ? 6 : 1;
    int index = 0;
    for (const auto& [grid, steps] : distance) {
      if (index++ % every != 0) continue;
      BossRules& rules = boss.Rules();
      rules.BossBoard = grid;
      for (int c = 1; c <= rules.BossColumns; ++c) {
        for (int r = 1; r <= rules.BossRows; ++r) {
          if (rules.Board(c, r) == BossRules::kGap) {
            rules.GapColumn = c;
            rules.GapRow = r;
          }
        }
      }
      boss.PaintPuzzle();
      PressH(*form);
      QVERIFY(AwaitSearch(*form));
      if (steps == 0) {
        QVERIFY(!form->Host().Hints().Marking());
        continue;
      }
      QVERIFY(form->Host().Hints().Marking());
      const std::optional<BossMove> move = MarkedBossMove(*form, boss);
      QVERIFY(move.has_value());
      BossRules next = rules;
      next.Move(*move);
      QCOMPARE(distance.at(next.BossBoard), steps - 1);
    }
    // Marks only: nothing moved, no clock started.
    QCOMPARE(boss.History().Size(), std::size_t{0});
    QCOMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kReady));
  }

  // Following the marks by key solves a mixed board in the fewest moves; the
  // game was helped, so the message comes and the list does not.
  void followingTheMarksSolvesInTheFewestMoves() {
    Store("bhorz", "3");
    Store("bvert", "2");
    Answers answers;
    auto form = Open(kBoss, answers);
    auto& boss = static_cast<BossView&>(form->Host().Current());
    const std::map<BossRules::Grid, int> distance = BossDistances(boss.Rules());
    const int games = test::kSanitized ? 2 : 5;
    for (int game = 0; game < games; ++game) {
      QTest::keyClick(form.get(), Qt::Key_F2);
      while (boss.Rules().IsBossSolved())
        QTest::keyClick(form.get(), Qt::Key_F2);
      const int fewest = distance.at(boss.Rules().BossBoard);
      const int donesBefore = answers.dones;
      int moves = 0;
      while (form->Host().Play().PuzzleState[kBoss] != kSolved && moves <= fewest) {
        PressH(*form);
        QVERIFY(AwaitSearch(*form));
        QVERIFY(form->Host().Hints().Marking());
        const std::optional<BossMove> move = MarkedBossMove(*form, boss);
        QVERIFY(move.has_value());
        QTest::keyClick(form.get(), BossKey(*move));
        ++moves;
      }
      QCOMPARE(moves, fewest);
      QCOMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kSolved));
      QCOMPARE(answers.dones, donesBefore + 1);
      QVERIFY(form->Host().Hints().Helped(kBoss));
    }
    QCOMPARE(answers.lists, 0);
  }

  // Whether the list opens at the solve, by what happened in the game.
  void aHelpedGameOpensNoList_data() {
    QTest::addColumn<QString>("help");
    QTest::addColumn<bool>("listOffered");
    QTest::newRow("no help") << "" << true;
    QTest::newRow("a hint") << "hint" << false;
    QTest::newRow("the solution played") << "solve" << false;
    QTest::newRow("a hint, then a new game") << "hint, new game" << true;
    QTest::newRow("a hint, then another variant") << "hint, variant" << true;
    QTest::newRow("a hint, then undone") << "hint, move, undo" << false;
    QTest::newRow("a hint in another puzzle") << "tilz hint" << true;
  }
  void aHelpedGameOpensNoList() {
    QFETCH(QString, help);
    QFETCH(bool, listOffered);
    Store("bhorz", "3");
    Store("bvert", "2");
    Answers answers;
    auto form = Open(kBoss, answers);
    auto& boss = static_cast<BossView&>(form->Host().Current());
    // One move from solved: the gap one cell left of its home.
    const auto lay = [&] {
      BossRules& rules = boss.Rules();
      rules.BossBoard = rules.BossTarget;
      rules.GapColumn = rules.BossColumns;
      rules.GapRow = rules.BossRows;
      rules.Move(BossMove::Right);
      boss.PaintPuzzle();
    };
    lay();
    const auto hint = [&] {
      PressH(*form);
      QTRY_VERIFY(form->Host().Hints().Marking());
    };
    if (help == "hint") hint();
    if (help == "hint, new game") {
      hint();
      QTest::keyClick(form.get(), Qt::Key_F2);
      lay();
    }
    if (help == "hint, variant") {
      hint();
      QTest::keyClick(form.get(), Qt::Key_PageDown);  // 4 x 2
      lay();
    }
    if (help == "hint, move, undo") {
      hint();
      QTest::keyClick(form.get(), Qt::Key_Right);
      QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    }
    if (help == "tilz hint") {
      QTest::keyClick(form.get(), Qt::Key_2, Qt::ControlModifier);
      hint();
      QTest::keyClick(form.get(), Qt::Key_3, Qt::ControlModifier);
      QCOMPARE(form->Host().Mode(), kBoss);
    }
    if (help == "solve") {
      PressH(*form, true);
      QTRY_COMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kSolved));
    } else {
      QVERIFY(!boss.Rules().IsBossSolved());
      QTest::keyClick(form.get(), Qt::Key_Left);
    }
    QCOMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kSolved));
    QCOMPARE(answers.dones, 1);
    QCOMPARE(answers.lists, listOffered ? 1 : 0);
    if (listOffered) QCOMPARE(answers.lastTime, form->Host().Play().PuzzleClock[kBoss]);
  }

  // Shift+H plays the solution to the solved message: each move a normal
  // move in the history, with the clock running from the first one on.
  void theSolutionPlaysToTheEnd_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<int>("moves");  // the fewest, or -1 when not known here
    QTest::newRow("TILZ level 1") << kTilz << "1" << 41;
    QTest::newRow("BOSS 3 x 3") << kBoss << "3" << -1;
    if (!test::kSanitized) QTest::newRow("TILZ level 5, every corner") << kTilz << "5" << -1;
    // Skipped, and saying so, while the game gives these puzzles no solver.
    QTest::newRow("CRUX pattern 2") << kCrux << "2" << -1;
    QTest::newRow("TRANSIT pattern 1") << kTransit << "1" << -1;
  }
  void theSolutionPlaysToTheEnd() {
    QFETCH(int, mode);
    QFETCH(QString, variant);
    QFETCH(int, moves);
    Store("cmode", variant);
    Store("zmode", variant);
    Store("bhorz", variant);
    Store("bvert", variant);
    Store("tmode", variant);
    Answers answers;
    auto form = Open(mode, answers);
    form->Host().Hints().SetStepGap(0);
    Puzzle& puzzle = form->Host().Current();
    if (!puzzle.MakeSolveTask()) QSKIP("This puzzle has no solver in the game yet.");
    const auto played = [&]() -> std::size_t {
      if (mode == kTilz) return static_cast<TilzView&>(puzzle).History().Done();
      return static_cast<BossView&>(puzzle).History().Done();
    };
    PressH(*form, true);
    QTRY_VERIFY_WITH_TIMEOUT(form->Host().Play().PuzzleState[mode] == kSolved, 60000);
    QVERIFY(!form->Host().Hints().Playing());
    QCOMPARE(answers.dones, 1);
    QCOMPARE(answers.lists, 0);
    if (mode == kTilz)
      QVERIFY(static_cast<TilzView&>(puzzle).Rules().StepTilzTarget() == TilzProgress::Solved);
    if (mode == kBoss) QVERIFY(static_cast<BossView&>(puzzle).Rules().IsBossSolved());
    if (mode == kCrux) QVERIFY(static_cast<CruxView&>(puzzle).Rules().IsCruxPatternBuilt());
    if (mode == kTransit)
      QVERIFY(static_cast<TransitView&>(puzzle).Rules().IsTransitPatternBuilt());
    if (moves >= 0) {
      QCOMPARE(played(), std::size_t(moves));
      // Three ticks a move from the moves themselves, and the timer's on top.
      QVERIFY(form->Host().Play().PuzzleClock[mode] >= 3 * moves);
    }
  }

  // Any key or press stops the played solution; the key or press that stops
  // it makes no move of its own.
  void anyInputStopsTheSolution_data() {
    QTest::addColumn<QString>("input");
    QTest::newRow("an arrow") << "arrow";
    QTest::newRow("a press on a plate") << "press";
    QTest::newRow("Shift+H again") << "shift+h";
    if (test::kSanitized) return;
    QTest::newRow("a letter") << "letter";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("H") << "h";
  }
  void anyInputStopsTheSolution() {
    QFETCH(QString, input);
    Store("zmode", "2");
    Answers answers;
    auto form = Open(kTilz, answers);
    auto& tilz = static_cast<TilzView&>(form->Host().Current());
    PressH(*form, true);
    QTRY_VERIFY(tilz.History().Done() >= 3);
    QVERIFY(form->Host().Hints().Playing());
    const std::size_t done = tilz.History().Done();
    const TilzRules::Board board = tilz.Rules().TilzBoard;
    if (input == "arrow") QTest::keyClick(form.get(), Qt::Key_Left);
    if (input == "letter") QTest::keyClick(form.get(), Qt::Key_A);
    if (input == "escape") QTest::keyClick(form.get(), Qt::Key_Escape);
    if (input == "shift+h") PressH(*form, true);
    if (input == "h") PressH(*form);
    if (input == "press") {
      // Beside the edge of the plate that was pushed last: a move, were it
      // not the press that stops the solution.
      const TilzRules::Anchor plate = tilz.Selected();
      const QPoint at = TilzView::CellPosition(plate.column, plate.row) + QPoint(4, 25);
      QTest::mouseClick(form->PlayAreaWidget(), Qt::LeftButton, {}, at);
    }
    QVERIFY(!form->Host().Hints().Playing());
    QCOMPARE(tilz.History().Done(), done);
    QVERIFY(tilz.Rules().TilzBoard == board);
    QTest::qWait(200);
    QCOMPARE(tilz.History().Done(), done);
    QVERIFY(form->Host().Play().PuzzleState[kTilz] != kSolved);
  }

  // Shift alone, the start of Shift+H, does not stop the solution: Shift+H
  // pressed as a player presses it ends it.
  void shiftAloneDoesNotStopTheSolution() {
    Store("zmode", "2");
    Answers answers;
    auto form = Open(kTilz, answers);
    auto& tilz = static_cast<TilzView&>(form->Host().Current());
    PressH(*form, true);
    QTRY_VERIFY(tilz.History().Done() >= 2);
    QTest::keyPress(form.get(), Qt::Key_Shift, Qt::ShiftModifier);
    QVERIFY(form->Host().Hints().Playing());
    QTest::keyPress(form.get(), Qt::Key_H, Qt::ShiftModifier);
    QVERIFY(!form->Host().Hints().Playing());
    // A held key repeats; the repeat starts nothing again.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_H, Qt::ShiftModifier, "H", true);
    QCoreApplication::sendEvent(form.get(), &repeat);
    QVERIFY(!form->Host().Hints().Playing());
    QVERIFY(!form->Host().Hints().Searching());
  }

  // H and Shift+H themselves never move, start a clock, or reach the puzzle
  // as a key (CRUX starts its clock on any key it sees). A puzzle without a
  // solver does nothing at all.
  void theHintKeysAreNoMove_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("solver");
    QTest::newRow("CRUX without a solver") << kCrux << false;
    QTest::newRow("TRANSIT without a solver") << kTransit << false;
    QTest::newRow("TILZ") << kTilz << true;
    QTest::newRow("BOSS") << kBoss << true;
  }
  void theHintKeysAreNoMove() {
    QFETCH(int, mode);
    QFETCH(bool, solver);
    Store("bhorz", "3");
    Store("bvert", "3");
    Answers answers;
    auto form = Open(mode, answers);
    Puzzle& puzzle = form->Host().Current();
    if (!solver) {
      if (mode == kCrux) static_cast<CruxView&>(puzzle).SetHintSearch(nullptr);
      if (mode == kTransit) static_cast<TransitView&>(puzzle).SetHintSearch(nullptr);
    }
    const QImage before = Shot(*form);
    PressH(*form);
    QCOMPARE(form->Host().Hints().Searching(), solver);
    QTRY_VERIFY(!form->Host().Hints().Searching());
    QCOMPARE(form->Host().Hints().Marking(), solver);
    QCOMPARE(int(form->Host().Play().PuzzleState[mode]), int(kReady));
    QCOMPARE(form->Host().Play().PuzzleClock[mode], 0);
    if (!solver) {
      PressH(*form, true);
      QVERIFY(!form->Host().Hints().Searching());
      QVERIFY(!form->Host().Hints().Playing());
      QCOMPARE(Shot(*form), before);
      QVERIFY(!form->Host().Hints().Helped(mode));
    }
    QCOMPARE(int(form->Host().Play().PuzzleState[mode]), int(kReady));
  }

  // The mark over what moves, for every puzzle, at 1x and enlarged; the next
  // input takes it away and leaves the picture as it was, to the pixel. The
  // played move is the one marked, made as a press makes it.
  void theMarkAndItsMove_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("zoom");
    for (const int zoom : {1, 2}) {
      const QByteArray z = " at zoom " + QByteArray::number(zoom);
      QTest::newRow("CRUX" + z) << kCrux << zoom;
      QTest::newRow("TILZ" + z) << kTilz << zoom;
      QTest::newRow("BOSS" + z) << kBoss << zoom;
      QTest::newRow("TRANSIT" + z) << kTransit << zoom;
    }
  }
  void theMarkAndItsMove() {
    QFETCH(int, mode);
    QFETCH(int, zoom);
    Answers answers;
    auto form = Open(mode, answers);
    form->SetZoom(zoom);
    QCOMPARE(form->Zoom(), zoom);
    Puzzle& puzzle = form->Host().Current();
    QRect marked;
    std::function<bool()> movedAsMarked;
    if (mode == kCrux) {
      auto& crux = static_cast<CruxView&>(puzzle);
      int way = 0;
      while (!crux.Rules().CruxCanShift(way))
        ++way;
      crux.SetHintSearch(
          OneMoveFrom(crux.Rules(), way, [](const CruxRules& r) { return r.CruxBoard; }));
      marked = way % 2 == 0 ? CruxView::HorizontalStripRect() : CruxView::VerticalStripRect();
      CruxRules expected = crux.Rules();
      expected.ShiftCrux(way);
      movedAsMarked = [&crux, expected] { return crux.Rules().CruxBoard == expected.CruxBoard; };
    }
    if (mode == kTransit) {
      auto& transit = static_cast<TransitView&>(puzzle);
      const TransitMove move{TransitDirection::Up, 2};
      transit.SetHintSearch(
          OneMoveFrom(transit.Rules(), move, [](const TransitRules& r) { return r.TransitBoard; }));
      marked =
          TransitView::CellRect(2, 0).united(TransitView::CellRect(2, TransitRules::kSize - 1));
      TransitRules expected = transit.Rules();
      expected.RotateTransitLine(move.direction, move.line);
      movedAsMarked = [&transit, expected] {
        return transit.Rules().TransitBoard == expected.TransitBoard;
      };
    }
    if (mode == kTilz) {
      auto& tilz = static_cast<TilzView&>(puzzle);
      // Level 1's first push that the rules allow.
      std::optional<TilzMove> move;
      const TilzRules::Anchors anchors = tilz.Rules().PlateAnchors();
      for (int i = 0; i < anchors.count && !move; ++i) {
        for (const TilzPush push :
             {TilzPush::Right, TilzPush::Up, TilzPush::Left, TilzPush::Down}) {
          const TilzRules::Anchor a = anchors.at[i];
          if (!move && tilz.Rules().CanPushPlate(a.column, a.row, push))
            move = TilzMove{a.column, a.row, push};
        }
      }
      QVERIFY(move.has_value());
      tilz.SetHintSearch(
          OneMoveFrom(tilz.Rules(), *move, [](const TilzRules& r) { return r.TilzBoard; }));
      const std::int32_t code = tilz.Rules().Cell(move->column, move->row);
      marked = QRect(TilzView::CellPosition(move->column, move->row),
                     QSize(TilzRules::PlateWidth(code), TilzRules::PlateHeight(code)));
      TilzRules expected = tilz.Rules();
      expected.PushPlate(move->column, move->row, move->push);
      movedAsMarked = [&tilz, expected] { return tilz.Rules().TilzBoard == expected.TilzBoard; };
    }
    if (mode == kBoss) {
      auto& boss = static_cast<BossView&>(puzzle);
      const BossMove move = boss.Rules().CanMove(BossMove::Left) ? BossMove::Left : BossMove::Right;
      boss.SetHintSearch(
          OneMoveFrom(boss.Rules(), move, [](const BossRules& r) { return r.BossBoard; }));
      marked =
          QRect(boss.BossCellLeft(boss.Rules().SourceColumn(move)),
                boss.BossCellTop(boss.Rules().SourceRow(move)), BossView::kCell, BossView::kCell);
      BossRules expected = boss.Rules();
      expected.Move(move);
      movedAsMarked = [&boss, expected] { return boss.Rules().BossBoard == expected.BossBoard; };
    }

    const QImage before = Shot(*form);
    QCOMPARE(before.size(), QSize(Canvas::kWidth, Canvas::kHeight) * zoom);
    PressH(*form);
    QTRY_VERIFY(form->Host().Hints().Marking());
    const QImage withMark = Shot(*form);
    QVERIFY(Marked(withMark, marked, zoom));
    // The arrow in the middle, in the band's colour.
    QCOMPARE(withMark.pixel(marked.center() * zoom), HintMark::kBandColour);
    // Nothing outside the marked rectangle changed.
    const QRect inside(marked.topLeft() * zoom, marked.size() * zoom);
    int changedOutside = 0;
    for (int y = 0; y < before.height(); ++y) {
      for (int x = 0; x < before.width(); ++x) {
        if (!inside.contains(x, y) && withMark.pixel(x, y) != before.pixel(x, y)) ++changedOutside;
      }
    }
    QCOMPARE(changedOutside, 0);
    // Any input takes it away: the picture is the one before, to the pixel.
    QTest::keyClick(form.get(), Qt::Key_Escape);
    QVERIFY(!form->Host().Hints().Marking());
    QCOMPARE(Shot(*form), before);

    // The solution of the same move, played.
    PressH(*form, true);
    QTRY_VERIFY(!form->Host().Hints().Playing() && !form->Host().Hints().Searching());
    QVERIFY(movedAsMarked());
    QCOMPARE(int(form->Host().Play().PuzzleState[mode]), int(kRunning));
    QVERIFY(form->Host().Hints().Helped(mode));
  }

  // Left alone, the mark goes after two seconds and the picture is as before.
  void theMarkGoesByItself() {
    Store("bhorz", "3");
    Store("bvert", "3");
    Answers answers;
    auto form = Open(kBoss, answers);
    const QImage before = Shot(*form);
    PressH(*form);
    QTRY_VERIFY(form->Host().Hints().Marking());
    QVERIFY(Shot(*form) != before);
    QTest::qWait(HintDriver::kMarkMs / 2);
    QVERIFY(form->Host().Hints().Marking());
    QTRY_VERIFY_WITH_TIMEOUT(!form->Host().Hints().Marking(), 2000);
    QCOMPARE(Shot(*form), before);
    QCOMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kReady));
  }

  // A long search: the clock's timer keeps ticking, the thinking sign shows,
  // a hint asked for again does nothing; then the search ends (found, or
  // cancelled by a move) and the sign goes.
  void theWindowGoesOnDuringALongSearch_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("the search finishes") << false;
    QTest::newRow("a move cancels it") << true;
  }
  void theWindowGoesOnDuringALongSearch() {
    QFETCH(bool, cancel);
    Store("bhorz", "3");
    Store("bvert", "2");
    Answers answers;
    auto form = Open(kBoss, answers);
    auto& boss = static_cast<BossView&>(form->Host().Current());
    HeldSearch<BossRules, BossMove> search;
    boss.SetHintSearch(search.Function());
    QTest::keyClick(form.get(), boss.Rules().GapColumn > 1 ? Qt::Key_Right : Qt::Key_Left);
    QCOMPARE(int(form->Host().Play().PuzzleState[kBoss]), int(kRunning));
    search.moves = {boss.Rules().CanMove(BossMove::Up) ? BossMove::Up : BossMove::Down};

    PressH(*form);
    QVERIFY(!form->Host().Hints().ThinkingShown());
    const std::int32_t clock = form->Host().Play().PuzzleClock[kBoss];
    QTest::qWait(700);
    QVERIFY(form->Host().Play().PuzzleClock[kBoss] >= clock + 2);
    QVERIFY(form->Host().Hints().ThinkingShown());
    QCOMPARE(form->cursor().shape(), Qt::BusyCursor);
    PressH(*form);
    PressH(*form, true);
    QCOMPARE(search.calls.load(), 1);
    QVERIFY(form->Host().Hints().Searching());

    const std::size_t moves = boss.History().Done();
    if (cancel) {
      QTest::keyClick(form.get(), boss.Rules().GapRow > 1 ? Qt::Key_Down : Qt::Key_Up);
      QCOMPARE(boss.History().Done(), moves + 1);  // the key was a move as ever
      QTRY_COMPARE(search.cancelled.load(), 1);
      QTest::qWait(100);
      QVERIFY(!form->Host().Hints().Marking());
    } else {
      search.release = true;
      QTRY_VERIFY(form->Host().Hints().Marking());
      QCOMPARE(boss.History().Done(), moves);
    }
    QVERIFY(!form->Host().Hints().Searching());
    QVERIFY(!form->Host().Hints().ThinkingShown());
    QVERIFY(form->cursor().shape() != Qt::BusyCursor);
  }

  // Quitting while a search runs: the window goes at once, the search is
  // told to stop and its thread ends.
  void quittingDuringASearch() {
    Answers answers;
    auto form = Open(kBoss, answers);
    HeldSearch<BossRules, BossMove> search;
    static_cast<BossView&>(form->Host().Current()).SetHintSearch(search.Function());
    PressH(*form);
    QTRY_COMPARE(search.calls.load(), 1);
    QVERIFY(form->close());
    form.reset();
    QCOMPARE(search.cancelled.load(), 1);
  }
};

int main(int argc, char** argv) {
  // A screen with room for the enlarged windows.
  if (!zt::test::UseOffscreenScreen(zt::test::IsolateEnvironment(), 1920, 1080)) return 2;
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  HintsTest tc;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&tc, argc, argv);
}
#include "HintsTest.moc"
