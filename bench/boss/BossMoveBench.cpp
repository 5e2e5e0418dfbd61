// Measures BOSS moves in the real main window: the time to compose and
// present one animation frame, and the wall and CPU time of whole moves.
// Run it under a virtual X server (bench/boss/run.sh does).
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/window/MainWindow.h"
#include "core/SettingsStore.h"
#include "puzzles/boss/BossView.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <game folder> [moves]\n", argv[0]);
    return 2;
  }
  const int moves = argc > 2 ? std::atoi(argv[2]) : 40;
  QTemporaryDir dir;
  const QString ini = dir.filePath("settings.ini");
  zt::SettingsStore(ini).WriteString("common", "mode", "2");
  zt::MainWindow form({QString::fromLocal8Bit(argv[1]), ini, false});
  if (!form.Created()) {
    std::fprintf(stderr, "%s\n", qPrintable(form.CreateError()));
    return 1;
  }
  form.move(50, 50);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  QTest::qWait(300);

  // Frame time: from the end of one wait (or the move's start) to the next wait.
  std::vector<double> frames;
  Clock::time_point mark;
  form.Host().SetDelayFunction([&](int ms) {
    frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - mark).count());
    zt::SleepFor(ms);
    mark = Clock::now();
  });

  auto& boss = static_cast<zt::BossView&>(form.Host().Current());
  std::vector<double> wall, cpu;
  for (int i = 0; i < moves; ++i) {
    // Back and forth along the gap's column.
    const int key = boss.Rules().GapRow > 1 ? zt::kKeyDown : zt::kKeyUp;
    const double cpu0 = CpuSeconds();
    const auto t0 = Clock::now();
    mark = t0;
    form.Host().FormKeyDown(key);
    wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    cpu.push_back((CpuSeconds() - cpu0) * 1000);
    QCoreApplication::processEvents();
  }
  std::printf("BOSS moves: %d, frames: %zu\n", moves, frames.size());
  std::printf("compose and present one frame: median %.3f ms, max %.3f ms\n", Median(frames),
              *std::max_element(frames.begin(), frames.end()));
  std::printf("whole move, wall time: median %.1f ms (min %.1f, max %.1f)\n", Median(wall),
              *std::min_element(wall.begin(), wall.end()),
              *std::max_element(wall.begin(), wall.end()));
  std::printf("whole move, CPU time: median %.2f ms (max %.2f)\n", Median(cpu),
              *std::max_element(cpu.begin(), cpu.end()));
  return 0;
}
