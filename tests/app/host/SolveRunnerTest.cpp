// The worker behind hints: a finished search comes back on the window's
// thread, a cancelled one never does, and nothing outlives the runner.
#include <QThread>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "app/host/SolveRunner.h"
#include "tests/common/TestMain.h"

using namespace zt;

namespace {

// What a search saw, kept apart from the task, which the runner owns.
struct Seen {
  std::atomic<bool> started{false};
  std::atomic<bool> cancelled{false};
  std::atomic<bool> release{false};
};

// A search that waits until it is released or cancelled.
class HeldTask final : public SolveTask {
 public:
  explicit HeldTask(std::shared_ptr<Seen> seen) : seen_(std::move(seen)) {}
  void Run(const std::atomic<bool>& cancel) override {
    seen_->started = true;
    while (!seen_->release) {
      if (cancel) {
        seen_->cancelled = true;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    found_ = true;
  }
  bool Found() const override { return found_; }
  std::size_t Steps() const override { return found_ ? 1 : 0; }

 private:
  std::shared_ptr<Seen> seen_;
  bool found_ = false;
};

}  // namespace

class SolveRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void aFinishedSearchComesBackOnTheRunnersThread() {
    SolveRunner runner;
    auto seen = std::make_shared<Seen>();
    QThread* backOn = nullptr;
    std::unique_ptr<SolveTask> result;
    QVERIFY(runner.Start(std::make_unique<HeldTask>(seen), [&](std::unique_ptr<SolveTask> task) {
      backOn = QThread::currentThread();
      result = std::move(task);
    }));
    QVERIFY(runner.Busy());
    // A second search waits for the first.
    QVERIFY(!runner.Start(std::make_unique<HeldTask>(std::make_shared<Seen>()), {}));
    QTRY_VERIFY(seen->started);
    QTest::qWait(50);
    QVERIFY(!result);  // still searching, and the event loop ran meanwhile
    seen->release = true;
    QTRY_VERIFY(result != nullptr);
    QCOMPARE(backOn, QThread::currentThread());
    QVERIFY(result->Found());
    QVERIFY(!runner.Busy());
  }

  // A cancelled search is dropped, and a new one may start at once, while the
  // old one is still on its way out.
  void aCancelledSearchIsDroppedAndANewOneStarts() {
    SolveRunner runner;
    auto first = std::make_shared<Seen>();
    auto second = std::make_shared<Seen>();
    int firstDone = 0;
    int secondDone = 0;
    QVERIFY(runner.Start(std::make_unique<HeldTask>(first),
                         [&](std::unique_ptr<SolveTask>) { ++firstDone; }));
    QTRY_VERIFY(first->started);
    runner.Cancel();
    QVERIFY(!runner.Busy());
    QVERIFY(runner.Start(std::make_unique<HeldTask>(second),
                         [&](std::unique_ptr<SolveTask>) { ++secondDone; }));
    QTRY_VERIFY(first->cancelled);
    second->release = true;
    QTRY_COMPARE(secondDone, 1);
    QTest::qWait(50);
    QCOMPARE(firstDone, 0);
    QVERIFY(!second->cancelled);
  }

  // The runner's end cancels what still runs and waits for it; nothing comes
  // back afterwards.
  void theRunnersEndStopsEverySearch() {
    auto cancelled = std::make_shared<Seen>();
    auto running = std::make_shared<Seen>();
    int done = 0;
    {
      SolveRunner runner;
      QVERIFY(runner.Start(std::make_unique<HeldTask>(cancelled),
                           [&](std::unique_ptr<SolveTask>) { ++done; }));
      runner.Cancel();
      QVERIFY(runner.Start(std::make_unique<HeldTask>(running),
                           [&](std::unique_ptr<SolveTask>) { ++done; }));
      QTRY_VERIFY(running->started);
    }
    QVERIFY(cancelled->cancelled);
    QVERIFY(running->cancelled);
    QCoreApplication::processEvents();
    QCOMPARE(done, 0);
  }
};

ZT_TEST_MAIN(SolveRunnerTest)
#include "SolveRunnerTest.moc"
