// The TRANSIT board model: the pattern table, the rotations, the picture map
// and the exact draws of shuffling and mixing.
#include <QtTest>
#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "puzzles/transit/TransitRules.h"
#include "tests/common/Require.h"
#include "tests/common/ScriptedRandom.h"
#include "tests/common/TestMain.h"

using zt::ClockRandom;
using zt::TransitDirection;
using zt::TransitRules;
using zt::test::ScriptedRandom;

Q_DECLARE_METATYPE(TransitDirection)

namespace {

constexpr int kN = 7;

// The twenty-two patterns as the game's rules give them: rows from the top,
// the seven kinds of each row from the left.
const std::vector<std::pair<int, const char*>> kPatternText = {
    {1,
     "0 0 0 0 0 0 0 / 0 0 0 0 0 0 0 / 0 0 1 1 1 0 0 / 0 0 1 1 1 0 0 / 0 0 1 1 1 0 0 / 0 0 0 0 0 0 "
     "0 / 0 0 0 0 0 0 0"},
    {2,
     "0 0 0 0 0 0 0 / 0 0 0 0 0 0 0 / 0 0 1 2 1 0 0 / 0 0 2 2 2 0 0 / 0 0 1 2 1 0 0 / 0 0 0 0 0 0 "
     "0 / 0 0 0 0 0 0 0"},
    {3,
     "0 0 0 0 0 0 0 / 0 2 2 0 2 2 0 / 0 2 2 1 2 2 0 / 0 0 1 1 1 0 0 / 0 2 2 1 2 2 0 / 0 2 2 0 2 2 "
     "0 / 0 0 0 0 0 0 0"},
    {4,
     "0 0 0 0 0 0 0 / 0 0 0 1 0 0 0 / 0 0 1 2 1 0 0 / 0 1 2 2 2 1 0 / 0 0 1 2 1 0 0 / 0 0 0 1 0 0 "
     "0 / 0 0 0 0 0 0 0"},
    {5,
     "0 0 0 0 0 0 0 / 0 3 3 3 3 3 0 / 0 3 1 1 1 3 0 / 0 3 1 2 1 3 0 / 0 3 1 1 1 3 0 / 0 3 3 3 3 3 "
     "0 / 0 0 0 0 0 0 0"},
    {6,
     "2 0 0 2 0 0 2 / 0 2 0 2 0 2 0 / 0 0 2 2 2 0 0 / 2 2 2 2 2 2 2 / 0 0 2 2 2 0 0 / 0 2 0 2 0 2 "
     "0 / 2 0 0 2 0 0 2"},
    {7,
     "0 0 0 0 0 0 0 / 0 1 1 3 2 2 0 / 0 1 1 3 2 2 0 / 0 3 3 3 3 3 0 / 0 2 2 3 1 1 0 / 0 2 2 3 1 1 "
     "0 / 0 0 0 0 0 0 0"},
    {8,
     "0 0 0 0 0 0 0 / 0 1 0 0 0 1 0 / 0 1 2 0 2 1 0 / 0 1 2 3 2 1 0 / 0 1 2 0 2 1 0 / 0 1 0 0 0 1 "
     "0 / 0 0 0 0 0 0 0"},
    {9,
     "0 0 0 0 0 0 0 / 0 1 2 3 3 3 0 / 0 2 1 2 3 3 0 / 0 3 2 1 2 3 0 / 0 3 3 2 1 2 0 / 0 3 3 3 2 1 "
     "0 / 0 0 0 0 0 0 0"},
    {10,
     "0 0 0 1 0 0 0 / 0 1 1 1 1 1 0 / 0 1 3 3 3 1 0 / 1 1 3 2 3 1 1 / 0 1 3 3 3 1 0 / 0 1 1 1 1 1 "
     "0 / 0 0 0 1 0 0 0"},
    {11,
     "1 1 0 0 0 1 1 / 1 1 0 3 0 1 1 / 0 0 2 2 2 0 0 / 0 3 2 3 2 3 0 / 0 0 2 2 2 0 0 / 1 1 0 3 0 1 "
     "1 / 1 1 0 0 0 1 1"},
    {12,
     "1 1 1 1 1 1 0 / 1 2 2 2 2 0 2 / 1 2 2 2 0 1 2 / 1 2 2 0 1 1 2 / 1 2 0 1 1 1 2 / 1 0 1 1 1 1 "
     "2 / 0 2 2 2 2 2 2"},
    {13,
     "1 0 0 0 0 0 0 / 1 0 3 3 3 3 3 / 1 0 3 2 2 2 3 / 1 0 3 4 1 2 3 / 1 0 0 0 1 2 3 / 1 1 1 1 1 2 "
     "3 / 2 2 2 2 2 2 3"},
    {14,
     "0 0 0 2 3 3 3 / 0 0 0 2 3 3 3 / 0 0 0 2 3 3 3 / 2 2 2 2 2 2 2 / 1 1 1 2 4 4 4 / 1 1 1 2 4 4 "
     "4 / 1 1 1 2 4 4 4"},
    {15,
     "2 0 2 0 2 0 2 / 0 2 0 2 0 2 0 / 2 0 2 0 2 0 2 / 0 2 0 2 0 2 0 / 2 0 2 0 2 0 2 / 0 2 0 2 0 2 "
     "0 / 2 0 2 0 2 0 2"},
    {16,
     "0 1 2 3 4 5 6 / 0 1 2 3 4 5 6 / 0 1 2 3 4 5 6 / 0 1 2 3 4 5 6 / 0 1 2 3 4 5 6 / 0 1 2 3 4 5 "
     "6 / 0 1 2 3 4 5 6"},
    {17,
     "0 0 1 1 0 0 1 / 2 3 3 2 2 3 3 / 0 0 1 1 0 0 1 / 2 3 3 2 2 3 3 / 0 0 1 1 0 0 1 / 2 3 3 2 2 3 "
     "3 / 0 0 1 1 0 0 1"},
    {18,
     "0 0 1 1 1 0 0 / 0 1 2 2 2 1 0 / 1 2 3 3 3 2 1 / 1 2 3 4 3 2 1 / 1 2 3 3 3 2 1 / 0 1 2 2 2 1 "
     "0 / 0 0 1 1 1 0 0"},
    {19,
     "0 0 0 2 0 0 0 / 0 3 3 2 3 3 0 / 0 3 1 2 1 3 0 / 0 3 1 2 1 3 0 / 0 3 1 2 1 3 0 / 0 3 3 2 3 3 "
     "0 / 0 0 0 2 0 0 0"},
    {20,
     "3 1 0 3 0 1 3 / 1 1 0 2 0 1 1 / 0 0 0 2 0 0 0 / 3 2 2 2 2 2 3 / 0 0 0 2 0 0 0 / 1 1 0 2 0 1 "
     "1 / 3 1 0 3 0 1 3"},
    {21,
     "2 0 0 0 0 0 2 / 2 1 1 1 1 1 2 / 2 2 2 1 2 2 2 / 3 3 2 1 2 3 3 / 2 2 2 1 2 2 2 / 2 1 1 1 1 1 "
     "2 / 2 0 0 0 0 0 2"},
    {22,
     "1 0 0 3 0 0 1 / 0 1 2 3 2 1 0 / 0 2 4 5 4 2 0 / 3 3 5 6 5 3 3 / 0 2 4 5 4 2 0 / 0 1 2 3 2 1 "
     "0 / 1 0 0 3 0 0 1"},
};

// Parses "a b c ... / ..." into [column][row].
TransitRules::Grid ParseRows(const QString& text) {
  TransitRules::Grid grid{};
  const QStringList rows = text.split('/');
  ZT_REQUIRE(rows.size() == kN);
  for (int y = 0; y < kN; ++y) {
    const QStringList kinds = rows[y].split(' ', Qt::SkipEmptyParts);
    ZT_REQUIRE(kinds.size() == kN);
    for (int x = 0; x < kN; ++x)
      grid[x][y] = static_cast<std::uint8_t>(kinds[x].toInt());
  }
  return grid;
}

// One line of the board, read from its start (left or top).
QString LineText(const TransitRules& rules, bool row, int line) {
  QStringList cells;
  for (int i = 0; i < kN; ++i)
    cells << QString::number(row ? rules.Cell(i, line) : rules.Cell(line, i));
  return cells.join(' ');
}

// Every cell its own number, 7 * row + column, so any misplaced cell shows.
TransitRules NumberedBoard() {
  TransitRules rules;
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y)
      rules.TransitBoard[x][y] = static_cast<std::uint8_t>(7 * y + x);
  }
  return rules;
}

std::map<int, int> KindCounts(const TransitRules::Grid& grid) {
  std::map<int, int> counts;
  for (const auto& column : grid) {
    for (const auto kind : column)
      ++counts[kind];
  }
  return counts;
}

std::vector<int> Repeated(std::vector<int> pair, int times) {
  std::vector<int> out;
  for (int i = 0; i < times; ++i)
    out.insert(out.end(), pair.begin(), pair.end());
  return out;
}

bool IsRow(TransitDirection d) {
  return d == TransitDirection::Left || d == TransitDirection::Right;
}

}  // namespace

class TransitRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void patternsMatchTheTable_data();
  void patternsMatchTheTable();
  void rotations_data();
  void rotations();
  void rotationsOutsideTheBoardAreIgnored();
  void sevenTurnsGiveTheBoardBack();
  void rotationsKeepTheKindCounts();
  void pictureMapIsAlwaysAPermutation();
  void shuffleDrawsExactly_data();
  void shuffleDrawsExactly();
  void mixDrawsExactly_data();
  void mixDrawsExactly();
  void solvedTest();
};

void TransitRulesTest::patternsMatchTheTable_data() {
  QTest::addColumn<int>("pattern");
  QTest::addColumn<QString>("rows");
  for (const auto& [n, rows] : kPatternText)
    QTest::addRow("pattern %d", n) << n << QString::fromLatin1(rows);
}

void TransitRulesTest::patternsMatchTheTable() {
  QFETCH(int, pattern);
  QFETCH(QString, rows);
  const TransitRules::Grid expected = ParseRows(rows);

  TransitRules rules;
  rules.TransitPattern = pattern;
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y) {
      QVERIFY2(rules.TargetCell(x, y) == expected[x][y],
               qPrintable(QString("cell (%1, %2)").arg(x).arg(y)));
    }
  }

  // Setting up lays that pattern before mixing: row 3 turned left and right
  // again 500 times each leaves it untouched, and it counts as built.
  ScriptedRandom random({0, 3, 1, 3});
  rules.TransitBoard = {};
  rules.SetUpTransitBoard(random);
  QVERIFY(rules.TransitBoard == expected);
  QVERIFY(rules.IsTransitPatternBuilt());
}

void TransitRulesTest::rotations_data() {
  QTest::addColumn<TransitDirection>("direction");
  QTest::addColumn<int>("line");
  QTest::addColumn<QString>("after");  // the line from its start, on the numbered board

  QTest::newRow("row 0 left") << TransitDirection::Left << 0 << "1 2 3 4 5 6 0";
  QTest::newRow("row 3 left") << TransitDirection::Left << 3 << "22 23 24 25 26 27 21";
  QTest::newRow("row 2 right") << TransitDirection::Right << 2 << "20 14 15 16 17 18 19";
  QTest::newRow("row 6 right") << TransitDirection::Right << 6 << "48 42 43 44 45 46 47";
  QTest::newRow("column 0 up") << TransitDirection::Up << 0 << "7 14 21 28 35 42 0";
  QTest::newRow("column 4 up") << TransitDirection::Up << 4 << "11 18 25 32 39 46 4";
  QTest::newRow("column 1 down") << TransitDirection::Down << 1 << "43 1 8 15 22 29 36";
  QTest::newRow("column 6 down") << TransitDirection::Down << 6 << "48 6 13 20 27 34 41";
}

void TransitRulesTest::rotations() {
  QFETCH(TransitDirection, direction);
  QFETCH(int, line);
  QFETCH(QString, after);

  const TransitRules before = NumberedBoard();
  TransitRules rules = before;
  if (IsRow(direction)) {
    rules.RotateTransitRow(line, direction);
  } else {
    rules.RotateTransitColumn(line, direction);
  }
  QCOMPARE(LineText(rules, IsRow(direction), line), after);
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y) {
      if ((IsRow(direction) ? y : x) == line) continue;
      QCOMPARE(rules.Cell(x, y), before.Cell(x, y));
    }
  }

  // The dispatching form turns the same line the same way.
  TransitRules viaLine = before;
  viaLine.RotateTransitLine(direction, line);
  QVERIFY(viaLine.TransitBoard == rules.TransitBoard);
}

void TransitRulesTest::rotationsOutsideTheBoardAreIgnored() {
  const TransitRules before = NumberedBoard();
  TransitRules rules = before;
  rules.RotateTransitRow(-1, TransitDirection::Left);
  rules.RotateTransitRow(7, TransitDirection::Right);
  rules.RotateTransitColumn(-1, TransitDirection::Up);
  rules.RotateTransitColumn(7, TransitDirection::Down);
  // A row does not go up, a column does not go left.
  rules.RotateTransitRow(2, TransitDirection::Up);
  rules.RotateTransitColumn(2, TransitDirection::Left);
  QVERIFY(rules.TransitBoard == before.TransitBoard);
}

void TransitRulesTest::sevenTurnsGiveTheBoardBack() {
  const TransitRules start = NumberedBoard();
  for (const auto direction : {TransitDirection::Left, TransitDirection::Right,
                               TransitDirection::Up, TransitDirection::Down}) {
    for (int line = 0; line < kN; ++line) {
      TransitRules rules = start;
      for (int turn = 1; turn <= 7; ++turn) {
        rules.RotateTransitLine(direction, line);
        // On a board of distinct cells only the seventh turn closes the ring.
        QCOMPARE(rules.TransitBoard == start.TransitBoard, turn == 7);
      }
    }
  }
}

void TransitRulesTest::rotationsKeepTheKindCounts() {
  TransitRules rules;
  rules.TransitPattern = 22;  // seven kinds in uneven numbers
  rules.TransitBoard = rules.Target();
  const auto counts = KindCounts(rules.TransitBoard);
  QCOMPARE(counts.size(), std::size_t{7});

  ClockRandom random(20240607);
  for (int i = 0; i < 500; ++i) {
    const auto direction = static_cast<TransitDirection>(random.Next(4));
    rules.RotateTransitLine(direction, random.Next(7));
    QVERIFY(KindCounts(rules.TransitBoard) == counts);
  }
  QVERIFY(!rules.IsTransitPatternBuilt());

  // Mixing is made of rotations only, so it keeps them too.
  rules.SetUpTransitBoard(random);
  QVERIFY(KindCounts(rules.TransitBoard) == counts);
}

void TransitRulesTest::pictureMapIsAlwaysAPermutation() {
  std::array<std::int32_t, 21> identity{};
  for (int i = 0; i < 21; ++i)
    identity[i] = i;

  std::vector<TransitRules::PictureMap> maps;
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    ClockRandom random(seed);
    TransitRules rules;
    rules.ShuffleTransitPictures(random);
    auto sorted = rules.TransitPictureMap;
    std::sort(sorted.begin(), sorted.end());
    QVERIFY(sorted == identity);
    maps.push_back(rules.TransitPictureMap);
  }
  // Games of the same pattern normally get different pictures.
  std::sort(maps.begin(), maps.end());
  QVERIFY(std::unique(maps.begin(), maps.end()) - maps.begin() >= 19);
}

void TransitRulesTest::shuffleDrawsExactly_data() {
  QTest::addColumn<std::vector<int>>("script");
  QTest::addColumn<std::vector<int>>("start");
  QTest::addColumn<std::vector<int>>("expected");  // the first entries; the rest stay i

  // Swapping 0,1 then 1,2 is a three-cycle; 500 rounds are 166 cycles and two.
  QTest::newRow("three-cycle") << std::vector<int>{0, 1, 1, 2} << std::vector<int>{}
                               << std::vector<int>{2, 0, 1};
  // (3,17) (17,3) (3,3): 333 rounds give nothing back, the 1000th swap remains.
  QTest::newRow("odd swap left over")
      << std::vector<int>{3, 17, 17, 3, 3, 3} << std::vector<int>{}
      << std::vector<int>{0, 1, 2, 17, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 3};
  // The map starts from identity, whatever it was before.
  std::vector<int> reversed;
  for (int i = 20; i >= 0; --i)
    reversed.push_back(i);
  QTest::newRow("starts afresh") << std::vector<int>{5, 5} << reversed << std::vector<int>{};
  // 0<->20 then 19<->20 is a three-cycle too, over the last entries.
  QTest::newRow("highest entries")
      << std::vector<int>{20, 0, 19, 20} << reversed
      << std::vector<int>{19, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 0};
}

void TransitRulesTest::shuffleDrawsExactly() {
  QFETCH(std::vector<int>, script);
  QFETCH(std::vector<int>, start);
  QFETCH(std::vector<int>, expected);

  TransitRules rules;
  for (std::size_t i = 0; i < start.size(); ++i)
    rules.TransitPictureMap[i] = start[i];
  ScriptedRandom random(script);
  rules.ShuffleTransitPictures(random);

  QCOMPARE(random.ranges, std::vector<int>(2000, 21));
  for (int i = 0; i < 21; ++i) {
    const int want = i < static_cast<int>(expected.size()) ? expected[i] : i;
    QVERIFY2(rules.TransitPictureMap[i] == want, qPrintable(QString("entry %1 is %2, expected %3")
                                                                .arg(i)
                                                                .arg(rules.TransitPictureMap[i])
                                                                .arg(want)));
  }
}

void TransitRulesTest::mixDrawsExactly_data() {
  QTest::addColumn<int>("a");
  QTest::addColumn<int>("b");
  QTest::addColumn<int>("pattern");
  QTest::addColumn<bool>("row");
  QTest::addColumn<QString>("after");  // line b from its start

  // One rotation repeated 1000 times is 142 full rings and six turns, the same
  // as one turn the other way.
  QTest::newRow("a=0 turns row b left") << 0 << 3 << 16 << true << "6 0 1 2 3 4 5";
  QTest::newRow("a=1 turns row b right") << 1 << 5 << 16 << true << "1 2 3 4 5 6 0";
  QTest::newRow("a=2 turns column b up") << 2 << 2 << 13 << false << "2 0 3 3 3 0 1";
  QTest::newRow("a=3 turns column b down") << 3 << 4 << 13 << false << "3 2 1 1 1 2 0";
}

void TransitRulesTest::mixDrawsExactly() {
  QFETCH(int, a);
  QFETCH(int, b);
  QFETCH(int, pattern);
  QFETCH(bool, row);
  QFETCH(QString, after);

  TransitRules rules;
  rules.TransitPattern = pattern;
  ScriptedRandom random({a, b});
  rules.SetUpTransitBoard(random);

  QCOMPARE(random.ranges, Repeated({4, 7}, 1000));
  QCOMPARE(LineText(rules, row, b), after);
  for (int x = 0; x < kN; ++x) {
    for (int y = 0; y < kN; ++y) {
      if ((row ? y : x) == b) continue;
      QCOMPARE(rules.Cell(x, y), rules.TargetCell(x, y));
    }
  }
}

void TransitRulesTest::solvedTest() {
  TransitRules rules;
  rules.TransitPattern = 9;
  rules.TransitBoard = rules.Target();
  QVERIFY(rules.IsTransitPatternBuilt());

  // The pictures play no part.
  ClockRandom random(5);
  rules.ShuffleTransitPictures(random);
  QVERIFY(rules.IsTransitPatternBuilt());

  rules.RotateTransitRow(1, TransitDirection::Left);
  QVERIFY(!rules.IsTransitPatternBuilt());
  rules.RotateTransitRow(1, TransitDirection::Right);
  QVERIFY(rules.IsTransitPatternBuilt());

  // The same board is not built for another pattern.
  rules.TransitPattern = 10;
  QVERIFY(!rules.IsTransitPatternBuilt());

  // Every column of the finished pattern 16 holds one kind, so turning one
  // leaves the pattern built.
  rules.TransitPattern = 16;
  rules.TransitBoard = rules.Target();
  rules.RotateTransitColumn(4, TransitDirection::Down);
  QVERIFY(rules.IsTransitPatternBuilt());
  rules.RotateTransitRow(4, TransitDirection::Right);
  QVERIFY(!rules.IsTransitPatternBuilt());

  // A pattern number from outside 1..22 falls back to the nearest pattern.
  rules.TransitPattern = 0;
  QVERIFY(rules.Target() == TransitRules::TransitPatterns[0]);
  rules.TransitPattern = 99;
  QVERIFY(rules.Target() == TransitRules::TransitPatterns[21]);
}

ZT_TEST_MAIN(TransitRulesTest)
#include "TransitRulesTest.moc"
