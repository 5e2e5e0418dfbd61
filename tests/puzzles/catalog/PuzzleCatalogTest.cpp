// The catalog against the views it describes: each view is made for its
// puzzle number, starts on the catalog's default variant, and steps through
// exactly the catalog's range of every stored variant value.
#include <QtTest>
#include <set>

#include "puzzles/catalog/PuzzleCatalog.h"
#include "puzzles/catalog/PuzzleViews.h"
#include "tests/common/PuzzleRig.h"
#include "tests/common/TestMain.h"

using namespace zt;
using namespace zt::test;

namespace {

struct CatalogRig {
  explicit CatalogRig(int puzzle)
      : rig(puzzle, CatalogEntry(puzzle).atlasWidth, CatalogEntry(puzzle).atlasHeight),
        views(MakePuzzleViews(rig.ctx)) {}
  PuzzleRig rig;
  std::array<std::unique_ptr<Puzzle>, kPuzzleCount> views;
};

}  // namespace

class PuzzleCatalogTest : public QObject {
  Q_OBJECT

 private slots:
  void viewsStartOnTheDefaultVariant() {
    for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle) {
      CatalogRig c(puzzle);
      QCOMPARE(c.views[puzzle]->Variant(), DefaultVariant(puzzle));
    }
  }

  void variantStepsCoverExactlyTheStoredRange_data() {
    QTest::addColumn<int>("puzzle");
    QTest::addColumn<int>("value");   // which of the variant's values
    QTest::addColumn<int>("button");  // the mouse button that steps it
    QTest::newRow("CRUX pattern") << kCrux << 0 << kLeftButton;
    QTest::newRow("CRUX pattern backwards") << kCrux << 0 << kRightButton;
    QTest::newRow("TILZ level") << kTilz << 0 << kLeftButton;
    QTest::newRow("BOSS columns") << kBoss << 0 << kLeftButton;
    QTest::newRow("BOSS rows") << kBoss << 1 << kRightButton;
    QTest::newRow("TRANSIT pattern") << kTransit << 0 << kLeftButton;
  }
  void variantStepsCoverExactlyTheStoredRange() {
    QFETCH(int, puzzle);
    QFETCH(int, value);
    QFETCH(int, button);
    const VariantSetting& setting = CatalogEntry(puzzle).variants[value];
    QVERIFY(value < CatalogEntry(puzzle).variantValues);
    QVERIFY(setting.first <= setting.byDefault && setting.byDefault <= setting.last);
    CatalogRig c(puzzle);
    Puzzle& view = *c.views[puzzle];
    const int count = setting.last - setting.first + 1;
    std::set<int> seen;
    for (int step = 0; step < count; ++step) {
      view.NextVariant(button);
      const int v = view.Variant()[value];
      QVERIFY2(setting.first <= v && v <= setting.last, qPrintable(QString::number(v)));
      seen.insert(v);
    }
    QCOMPARE(int(seen.size()), count);
    QCOMPARE(view.Variant(), DefaultVariant(puzzle));  // round once
  }

  void storedVariantsAreBroughtIntoRange() {
    for (int puzzle = 0; puzzle < kPuzzleCount; ++puzzle) {
      const PuzzleEntry& entry = CatalogEntry(puzzle);
      VariantValues low{}, high{};
      for (int i = 0; i < entry.variantValues; ++i) {
        low[i] = entry.variants[i].first - 1;
        high[i] = entry.variants[i].last + 1;
      }
      for (int i = 0; i < entry.variantValues; ++i) {
        QCOMPARE(ClampVariant(puzzle, low)[i], entry.variants[i].first);
        QCOMPARE(ClampVariant(puzzle, high)[i], entry.variants[i].last);
      }
      // A value the puzzle does not use reads as 0.
      for (int i = entry.variantValues; i < kMaxVariantValues; ++i)
        QCOMPARE(ClampVariant(puzzle, high)[i], 0);
    }
  }
};

ZT_TEST_MAIN(PuzzleCatalogTest)
#include "PuzzleCatalogTest.moc"
