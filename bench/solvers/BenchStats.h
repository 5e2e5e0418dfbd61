#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace zt::bench {

// Times and solution lengths of one variant's solves.
struct Figures {
  std::vector<double> ms;
  std::vector<double> cpuMs;
  std::vector<int> moves;
  int unsolved = 0;

  template <typename Result>
  void Add(const Result& solve) {
    ms.push_back(solve.ms);
    cpuMs.push_back(solve.cpuMs);
    if (solve.moves) {
      moves.push_back(static_cast<int>(solve.moves->size()));
    } else {
      ++unsolved;
    }
  }
};

// The value below which the given share of the sorted values lies (nearest rank).
template <typename T>
T Percentile(std::vector<T> values, double share) {
  if (values.empty()) return T{};
  std::sort(values.begin(), values.end());
  const std::size_t rank =
      static_cast<std::size_t>(share * static_cast<double>(values.size()) + 0.999999);
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// The processor time of the calling thread: on a machine shared with other
// work the wall time grows with the load, this does not.
inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <typename Moves>
struct Solved {
  double ms;
  double cpuMs;
  Moves moves;
};

template <typename Solve>
auto Timed(Solve solve) {
  const double cpuStart = ThreadCpuMs();
  const auto start = std::chrono::steady_clock::now();
  auto moves = solve();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return Solved<decltype(moves)>{ms, ThreadCpuMs() - cpuStart, std::move(moves)};
}

inline void PrintHeader(const char* title) {
  std::printf("%s\n", title);
  std::printf("  %-18s %8s %8s %8s %8s %8s %8s %8s %6s\n", "variant", "p50 ms", "p95 ms", "max ms",
              "cpu p50", "cpu p95", "moves50", "moves95", "failed");
}

inline void PrintRow(const std::string& variant, const Figures& f) {
  std::printf("  %-18s %8.2f %8.2f %8.2f %8.2f %8.2f %8d %8d %6d\n", variant.c_str(),
              Percentile(f.ms, 0.5), Percentile(f.ms, 0.95), Percentile(f.ms, 1.0),
              Percentile(f.cpuMs, 0.5), Percentile(f.cpuMs, 0.95), Percentile(f.moves, 0.5),
              Percentile(f.moves, 0.95), f.unsolved);
  std::fflush(stdout);
}

// Resident memory from /proc/self/status: now and the peak since the last
// reset (writing 5 to clear_refs starts the peak again from the current size).
struct MemoryMark {
  double rssMb = 0;
  double peakMb = 0;

  static MemoryMark Now(bool resetPeak) {
    if (resetPeak) std::ofstream("/proc/self/clear_refs") << "5";
    MemoryMark mark;
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
      double kb = 0;
      if (key == "VmRSS:" && status >> kb) mark.rssMb = kb / 1024.0;
      if (key == "VmHWM:" && status >> kb) mark.peakMb = kb / 1024.0;
    }
    return mark;
  }
};

}  // namespace zt::bench
