#include <QtTest>

#include "puzzles/crux/CruxRules.h"
#include "tests/common/ScriptedRandom.h"
#include "tests/common/TestMain.h"
#include "tests/puzzles/crux/CruxTables.h"

using zt::CruxRules;
using zt::test::FinishedBoard;
using zt::test::ScriptedRandom;
using zt::test::TestBoard;

namespace {

constexpr int R = CruxRules::kRight;
constexpr int D = CruxRules::kDown;
constexpr int L = CruxRules::kLeft;
constexpr int U = CruxRules::kUp;

TestBoard BoardOf(const CruxRules& rules) {
  TestBoard board{};
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y)
      board[x][y] = rules.Cell(x, y);
  }
  return board;
}

void Load(CruxRules& rules, const TestBoard& board) {
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y)
      rules.CruxBoard[x][y] = static_cast<std::uint8_t>(board[x][y]);
  }
}

CruxRules Finished(int pattern) {
  CruxRules rules;
  rules.CruxPattern = pattern;
  Load(rules, FinishedBoard(pattern));
  return rules;
}

// Slides in order; fails the test if one is refused.
bool SlideAll(CruxRules& rules, const QList<int>& directions) {
  for (int d : directions) {
    if (!rules.CruxCanShift(d)) return false;
    rules.ShiftCrux(d);
  }
  return true;
}

QList<int> Ints(const QString& text) {
  QList<int> values;
  for (const QString& s : text.simplified().split(' ', Qt::SkipEmptyParts))
    values.append(s.toInt());
  return values;
}

// The two rows and two columns of the tracks, in board order.
QString Row(const TestBoard& b, int y) {
  QStringList s;
  for (int x = 0; x < 10; ++x)
    s << QString::number(b[x][y]);
  return s.join(' ');
}
QString Column(const TestBoard& b, int x) {
  QStringList s;
  for (int y = 0; y < 10; ++y)
    s << QString::number(b[x][y]);
  return s.join(' ');
}

QString OutsideTracks(const TestBoard& b) {
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 10; ++y) {
      if (!zt::test::InTracks(x, y) && b[x][y] != 0)
        return QString("cell (%1, %2) holds %3").arg(x).arg(y).arg(b[x][y]);
    }
  }
  return {};
}

}  // namespace

class CruxRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void patternsAreTheTable_data() {
    QTest::addColumn<int>("pattern");
    for (int n = 1; n <= 16; ++n)
      QTest::addRow("pattern %d", n) << n;
  }
  void patternsAreTheTable() {
    QFETCH(int, pattern);
    const TestBoard expected = FinishedBoard(pattern);
    CruxRules rules;
    rules.CruxPattern = pattern;
    for (int x = 2; x <= 7; ++x) {
      for (int y = 2; y <= 7; ++y) {
        if (rules.PatternValue(x, y) != expected[x][y])
          QFAIL(qPrintable(QString("cell (%1, %2) is %3, expected %4")
                               .arg(x)
                               .arg(y)
                               .arg(rules.PatternValue(x, y))
                               .arg(expected[x][y])));
      }
    }
    // The written board counts as built; one wrong piece does not.
    rules.CruxBoard = {};
    Load(rules, expected);
    QVERIFY(rules.IsCruxPatternBuilt());
    rules.CruxBoard[4][2] = rules.CruxBoard[4][2] == 2 ? 3 : 2;
    QVERIFY(!rules.IsCruxPatternBuilt());
  }

  void piecesBeyondTheTableAreNeverUsed() {
    // 1, 6, 12 and 19 have pictures but no pattern uses them; everything else
    // that a pattern holds is a picture number.
    for (int n = 1; n <= 16; ++n) {
      for (const auto& [v, count] : zt::test::PieceCount(FinishedBoard(n))) {
        QVERIFY2(v >= 2 && v <= 50 && v != 6 && v != 12 && v != 19,
                 qPrintable(QString("pattern %1 uses %2").arg(n).arg(v)));
        Q_UNUSED(count);
      }
      QCOMPARE(OutsideTracks(FinishedBoard(n)), QString());
    }
  }

  // Pattern 7 has a different piece on each arm and 13 in the crossing, so the
  // four track lines show which pieces went where.
  void shifts_data() {
    QTest::addColumn<QString>("slides");
    QTest::addColumn<QString>("row4");
    QTest::addColumn<QString>("row5");
    QTest::addColumn<QString>("column4");
    QTest::addColumn<QString>("column5");
    QTest::newRow("right") << "0"
                           << "0 0 0 18 18 13 13 14 14 0"
                           << "0 0 0 18 18 13 13 14 14 0"
                           << "0 0 16 16 18 18 15 15 0 0"
                           << "0 0 16 16 13 13 15 15 0 0";
    QTest::newRow("down") << "1"
                          << "0 0 18 18 16 16 14 14 0 0"
                          << "0 0 18 18 13 13 14 14 0 0"
                          << "0 0 0 16 16 13 13 15 15 0"
                          << "0 0 0 16 16 13 13 15 15 0";
    QTest::newRow("left") << "2"
                          << "0 18 18 13 13 14 14 0 0 0"
                          << "0 18 18 13 13 14 14 0 0 0"
                          << "0 0 16 16 13 13 15 15 0 0"
                          << "0 0 16 16 14 14 15 15 0 0";
    QTest::newRow("up") << "3"
                        << "0 0 18 18 13 13 14 14 0 0"
                        << "0 0 18 18 15 15 14 14 0 0"
                        << "0 16 16 13 13 15 15 0 0 0"
                        << "0 16 16 13 13 15 15 0 0 0";
    // The vertical baulk carries off what the horizontal one left in the
    // crossing, and the horizontal one then moves with a hole.
    QTest::newRow("right, down") << "0 1"
                                 << "0 0 0 18 16 16 13 14 14 0"
                                 << "0 0 0 18 18 13 13 14 14 0"
                                 << "0 0 0 16 16 18 18 15 15 0"
                                 << "0 0 0 16 16 13 13 15 15 0";
    QTest::newRow("right, down, left") << "0 1 2"
                                       << "0 0 18 16 16 13 14 14 0 0"
                                       << "0 0 18 18 13 13 14 14 0 0"
                                       << "0 0 0 16 16 13 18 15 15 0"
                                       << "0 0 0 16 13 13 13 15 15 0";
  }
  void shifts() {
    QFETCH(QString, slides);
    CruxRules rules = Finished(7);
    QVERIFY(SlideAll(rules, Ints(slides)));
    const TestBoard b = BoardOf(rules);
    QTEST(Row(b, 4), "row4");
    QTEST(Row(b, 5), "row5");
    QTEST(Column(b, 4), "column4");
    QTEST(Column(b, 5), "column5");
    QCOMPARE(OutsideTracks(b), QString());
  }

  void refusedWhenTheLeadingEndHoldsAPiece_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("right, upper cell") << R << 9 << 4;
    QTest::newRow("right, lower cell") << R << 9 << 5;
    QTest::newRow("down, left cell") << D << 4 << 9;
    QTest::newRow("down, right cell") << D << 5 << 9;
    QTest::newRow("left, upper cell") << L << 0 << 4;
    QTest::newRow("left, lower cell") << L << 0 << 5;
    QTest::newRow("up, left cell") << U << 4 << 0;
    QTest::newRow("up, right cell") << U << 5 << 0;
  }
  void refusedWhenTheLeadingEndHoldsAPiece() {
    QFETCH(int, direction);
    QFETCH(int, x);
    QFETCH(int, y);
    CruxRules rules;
    rules.CruxBoard[x][y] = 2;
    for (int d = 0; d < 4; ++d)
      QCOMPARE(rules.CruxCanShift(d), d != direction);
  }

  void twoSlidesFromTheFinishedPatternThenRefused_data() {
    QTest::addColumn<int>("direction");
    QTest::newRow("right") << R;
    QTest::newRow("down") << D;
    QTest::newRow("left") << L;
    QTest::newRow("up") << U;
  }
  void twoSlidesFromTheFinishedPatternThenRefused() {
    QFETCH(int, direction);
    for (int n = 1; n <= 16; ++n) {
      CruxRules rules = Finished(n);
      QVERIFY(rules.CruxCanShift(direction));
      rules.ShiftCrux(direction);
      QVERIFY(rules.CruxCanShift(direction));
      rules.ShiftCrux(direction);
      QVERIFY2(!rules.CruxCanShift(direction), qPrintable(QString("pattern %1").arg(n)));
      // The baulk now touches its end; the way back is free.
      QVERIFY(rules.CruxCanShift((direction + 2) % 4));
    }
  }

  void mixIsExactlyOneThousandAttempts() {
    // Right and down alternately: each baulk goes two cells and then sticks,
    // so all but four of the thousand attempts are refused.
    ScriptedRandom random({R, D});
    CruxRules rules;
    rules.CruxPattern = 2;
    rules.SetUpCruxBoard(random);
    QCOMPARE(random.ranges.size(), std::size_t{1000});
    for (int n : random.ranges)
      QCOMPARE(n, 4);
    const TestBoard b = BoardOf(rules);
    QCOMPARE(Row(b, 4), QString("0 0 0 0 4 4 4 13 13 13"));
    QCOMPARE(Row(b, 5), QString("0 0 0 0 13 4 13 13 13 13"));
    QCOMPARE(Column(b, 4), QString("0 0 0 0 4 13 13 13 4 4"));
    QCOMPARE(Column(b, 5), QString("0 0 0 0 4 4 13 13 4 4"));
    QCOMPARE(OutsideTracks(b), QString());
  }

  void mixStartsFromAClearedBoard() {
    // Leftovers of an earlier game (even outside the tracks) are gone, and a
    // mix that undoes each of its slides leaves the finished pattern.
    ScriptedRandom random({R, L});
    CruxRules rules;
    rules.CruxBoard[0][0] = 9;
    rules.CruxBoard[9][4] = 9;
    rules.CruxPattern = 16;
    rules.SetUpCruxBoard(random);
    QCOMPARE(random.ranges.size(), std::size_t{1000});
    QVERIFY(BoardOf(rules) == FinishedBoard(16));
  }

  void slidesKeepThePiecesInTheTracks_data() {
    QTest::addColumn<int>("pattern");
    for (int n = 1; n <= 16; ++n)
      QTest::addRow("pattern %d", n) << n;
  }
  void slidesKeepThePiecesInTheTracks() {
    QFETCH(int, pattern);
    const auto pieces = zt::test::PieceCount(FinishedBoard(pattern));
    zt::ClockRandom random(static_cast<std::uint32_t>(pattern) * 7919u);
    CruxRules rules = Finished(pattern);
    for (int i = 0; i < 3000; ++i) {
      const int d = random.Next(4);
      if (!rules.CruxCanShift(d)) continue;
      rules.ShiftCrux(d);
      const TestBoard b = BoardOf(rules);
      QCOMPARE(OutsideTracks(b), QString());
      QVERIFY2(zt::test::PieceCount(b) == pieces,
               qPrintable(QString("pieces changed after attempt %1").arg(i)));
    }
  }

  void equalPiecesAreInterchangeable() {
    // These ten slides bring pattern 1 back with several of its sixteen 2s in
    // one another's places (and the 3s too): it counts as built all the same.
    CruxRules rules = Finished(1);
    const QList<int> slides{R, R, D, L, L, L, L, U, R};
    QVERIFY(SlideAll(rules, slides));
    QVERIFY(!rules.IsCruxPatternBuilt());
    QVERIFY(SlideAll(rules, {R}));
    QVERIFY(rules.IsCruxPatternBuilt());
  }

  void solvedTestComparesTheEmptyCellsToo() {
    CruxRules rules = Finished(3);
    QVERIFY(rules.IsCruxPatternBuilt());
    rules.CruxBoard[2][2] = 4;
    QVERIFY(!rules.IsCruxPatternBuilt());
    // Cells outside the middle block are not looked at.
    rules.CruxBoard[2][2] = 0;
    rules.CruxBoard[0][0] = 4;
    QVERIFY(rules.IsCruxPatternBuilt());
  }

  // One wrong cell anywhere in the middle block, on any pattern, and the
  // pattern is not built: a piece missing from an arm, another piece in its
  // place, or a piece where the pattern has none.
  void oneWrongCellOfTheBlockIsNotBuilt_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    for (int y = 2; y <= 7; ++y) {
      for (int x = 2; x <= 7; ++x)
        QTest::addRow("cell (%d, %d)", x, y) << x << y;
    }
  }
  void oneWrongCellOfTheBlockIsNotBuilt() {
    QFETCH(int, x);
    QFETCH(int, y);
    for (int n = 1; n <= 16; ++n) {
      const int right = FinishedBoard(n)[x][y];
      const QList<int> wrongs = right == 0 ? QList<int>{2} : QList<int>{0, right == 2 ? 3 : 2};
      for (int wrong : wrongs) {
        CruxRules rules = Finished(n);
        QVERIFY(rules.IsCruxPatternBuilt());
        rules.CruxBoard[x][y] = static_cast<std::uint8_t>(wrong);
        QVERIFY2(
            !rules.IsCruxPatternBuilt(),
            qPrintable(QString("pattern %1 with %2 instead of %3").arg(n).arg(wrong).arg(right)));
      }
    }
  }

  void patternNumberOutOfRangeStaysInTheTable() {
    CruxRules rules;
    for (int bad : {0, -5, 17, 1000}) {
      rules.CruxPattern = bad;
      ScriptedRandom random({R, L});
      rules.SetUpCruxBoard(random);
      QVERIFY(BoardOf(rules) == FinishedBoard(bad < 1 ? 1 : 16));
    }
  }
};

ZT_TEST_MAIN(CruxRulesTest)
#include "CruxRulesTest.moc"
