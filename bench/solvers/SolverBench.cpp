// How long the four solvers take and how long their solutions are, over boards
// a player meets: 100 mixes per variant from the rules' own set-up with a
// seeded generator (TILZ, which has no mix, uses boards after random pushes
// from the level's start). Prints p50 and p95 of the time and of the number
// of moves per variant, and the resident memory the solves added at their peak
// and kept afterwards.
//
//   solver_bench [tilz] [crux] [boss] [transit] [-n mixes]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/solvers/BenchStats.h"
#include "puzzles/core/Random.h"
#include "puzzles/tilz/TilzSolver.h"

namespace {

using zt::bench::Figures;
using zt::bench::MemoryMark;
using zt::bench::PrintHeader;
using zt::bench::PrintRow;
using zt::bench::Timed;

void BenchTilz(int mixes) {
  static constexpr zt::TilzPush kPushes[] = {zt::TilzPush::Right, zt::TilzPush::Up,
                                             zt::TilzPush::Left, zt::TilzPush::Down};
  PrintHeader("TILZ: fewest pushes to the current target");
  zt::TilzSolver solver;
  for (int level = 1; level <= zt::TilzRules::kLevels; ++level) {
    zt::ClockRandom random(static_cast<std::uint32_t>(level));
    Figures figures;
    for (int i = 0; i < mixes; ++i) {
      zt::TilzRules rules;
      rules.TilzLevel = level;
      rules.SetUpTilzBoard();
      // The first board of each level is its start layout.
      const int pushes = i == 0 ? 0 : random.Next(400);
      for (int made = 0; made < pushes;) {
        if (!rules.PushPlate(random.Next(6), random.Next(5), kPushes[random.Next(4)])) continue;
        ++made;
        rules.StepTilzTarget();
      }
      figures.Add(Timed([&] { return solver.Solve(rules); }));
    }
    PrintRow("level " + std::to_string(level), figures);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int mixes = 100;
  std::vector<std::string> puzzles;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
      mixes = std::max(1, std::atoi(argv[++i]));
    } else {
      puzzles.emplace_back(argv[i]);
    }
  }
  if (puzzles.empty()) puzzles = {"tilz", "crux", "boss", "transit"};
  const std::vector<std::pair<std::string, std::function<void(int)>>> benches = {
      {"tilz", BenchTilz},
  };
  for (const std::string& name : puzzles) {
    const auto it = std::find_if(benches.begin(), benches.end(),
                                 [&](const auto& b) { return b.first == name; });
    if (it == benches.end()) {
      std::fprintf(stderr, "unknown puzzle %s (tilz, crux, boss, transit)\n", name.c_str());
      return 2;
    }
    const MemoryMark before = MemoryMark::Now(true);
    it->second(mixes);
    const MemoryMark after = MemoryMark::Now(false);
    std::printf("  memory: %.1f MB resident before, peak %.1f MB more, %.1f MB more kept after\n\n",
                before.rssMb, after.peakMb - before.rssMb, after.rssMb - before.rssMb);
  }
  return 0;
}
