#pragma once

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
  std::vector<int> moves;
  int unsolved = 0;

  template <typename Moves>
  void Add(const std::pair<double, std::optional<Moves>>& solve) {
    ms.push_back(solve.first);
    if (solve.second) {
      moves.push_back(static_cast<int>(solve.second->size()));
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

template <typename Solve>
auto Timed(Solve solve) {
  const auto start = std::chrono::steady_clock::now();
  auto result = solve();
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return std::make_pair(ms, std::move(result));
}

inline void PrintHeader(const char* title) {
  std::printf("%s\n", title);
  std::printf("  %-22s %9s %9s %9s %8s %8s %8s\n", "variant", "p50 ms", "p95 ms", "max ms",
              "moves50", "moves95", "failed");
}

inline void PrintRow(const std::string& variant, const Figures& f) {
  std::printf("  %-22s %9.2f %9.2f %9.2f %8d %8d %8d\n", variant.c_str(), Percentile(f.ms, 0.5),
              Percentile(f.ms, 0.95), Percentile(f.ms, 1.0), Percentile(f.moves, 0.5),
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
