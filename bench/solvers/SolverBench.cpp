// How long the four solvers take and how long their solutions are, over boards
// a player meets: 100 mixes per variant from the rules' own set-up with a
// seeded generator (TILZ, which has no mix, uses boards after random pushes
// from the level's start). Prints p50 and p95 of the time and of the number
// of moves per variant, and the resident memory the solves added at their peak
// and kept afterwards.
//
//   solver_bench [tilz] [crux] [boss] [transit] [-n mixes] [--only variant-text]
//                [--crux-exact-ms ms]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/solvers/BenchStats.h"
#include "puzzles/boss/BossSolver.h"
#include "puzzles/core/Random.h"
#include "puzzles/crux/CruxSolver.h"
#include "puzzles/tilz/TilzSolver.h"
#include "puzzles/transit/TransitSolver.h"

namespace {

// Only variants whose name holds this text (all when empty).
std::string gOnly;
bool Wanted(const std::string& variant) {
  return gOnly.empty() || variant.find(gOnly) != std::string::npos;
}

using zt::bench::Figures;
using zt::bench::MemoryMark;
using zt::bench::Percentile;
using zt::bench::PrintHeader;
using zt::bench::PrintRow;
using zt::bench::Timed;

void BenchTilz(int mixes) {
  static constexpr zt::TilzPush kPushes[] = {zt::TilzPush::Right, zt::TilzPush::Up,
                                             zt::TilzPush::Left, zt::TilzPush::Down};
  PrintHeader("TILZ: fewest pushes to the current target");
  zt::TilzSolver solver;
  for (int level = 1; level <= zt::TilzRules::kLevels; ++level) {
    if (!Wanted("level " + std::to_string(level))) continue;
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

// How long a CRUX solve looks for the fewest slides (--crux-exact-ms; 0 = no limit).
long gCruxExactMs = zt::CruxSolver::kDefaultExactTime.count();

void BenchCrux(int mixes) {
  PrintHeader("CRUX: fewest slides to the pattern, or a short solution once the time is up");
  const zt::CruxSolver solver(gCruxExactMs > 0 ? std::chrono::milliseconds(gCruxExactMs)
                                               : zt::CruxSolver::kNoTimeLimit);
  for (int pattern = 1; pattern <= zt::CruxRules::kPatternCount; ++pattern) {
    const std::string variant = "pattern " + std::to_string(pattern);
    if (!Wanted(variant)) continue;
    zt::ClockRandom random(static_cast<std::uint32_t>(pattern));
    Figures figures;
    double firstMs = 0;
    int fewest = 0;
    for (int i = 0; i <= mixes; ++i) {
      zt::CruxRules rules;
      rules.CruxPattern = pattern;
      rules.SetUpCruxBoard(random);
      auto solve = Timed([&]() -> std::optional<std::vector<int>> {
        auto solution = solver.SolveWithProof(rules);
        if (!solution) return std::nullopt;
        fewest += solution->fewest ? 1 : 0;
        return std::move(solution->slides);
      });
      if (i == 0) {
        // The first solve of a pattern builds its tables: shown apart.
        firstMs = solve.ms;
        fewest = 0;
        continue;
      }
      // A solution that the rules refuse or that misses the pattern counts
      // as failed.
      if (solve.moves) {
        zt::CruxRules end = rules;
        for (int direction : *solve.moves) {
          if (!end.CruxCanShift(direction)) break;
          end.ShiftCrux(direction);
        }
        if (!end.IsCruxPatternBuilt()) solve.moves.reset();
      }
      figures.Add(solve);
    }
    PrintRow(variant, figures);
    std::printf("  %-18s first solve %.1f ms; known fewest %d of %d\n", "", firstMs, fewest, mixes);
  }
}

// The fewest moves the tiles could need: each tile's distance from home.
int ManhattanBound(const zt::BossRules& rules) {
  int sum = 0;
  for (int c = 1; c <= rules.BossColumns; ++c) {
    for (int r = 1; r <= rules.BossRows; ++r) {
      const int code = rules.Board(c, r);
      if (code < 0) continue;
      const int k = code % 40;
      sum += std::abs(k % rules.BossColumns + 1 - c) + std::abs(k / rules.BossColumns + 1 - r);
    }
  }
  return sum;
}

void BenchBoss(int mixes) {
  PrintHeader(
      "BOSS: fewest moves up to 16 cells, short ones beyond (first solve of a size"
      " builds its tables)");
  zt::BossSolver solver;
  for (int cells : {6, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 25, 28, 30, 35}) {
    for (int columns = 3; columns <= 7; ++columns) {
      for (int rows = 2; rows <= 5; ++rows) {
        if (columns * rows != cells) continue;
        const std::string variant =
            std::to_string(columns) + " x " + std::to_string(rows) +
            (zt::BossSolver::FindsShortest(columns, rows) ? " shortest" : " short");
        if (!Wanted(variant)) continue;
        zt::ClockRandom random(static_cast<std::uint32_t>(100 * columns + rows));
        Figures figures;
        double firstMs = 0;
        std::vector<double> overBound;
        std::vector<int> bounds;
        int wrong = 0;  // solutions that do not end on the solved board
        for (int i = 0; i < mixes; ++i) {
          zt::BossRules rules;
          rules.BossColumns = columns;
          rules.BossRows = rows;
          rules.SetUpBossBoard(random);
          const auto solve = Timed([&] { return solver.Solve(rules); });
          if (solve.moves) {
            zt::BossRules replay = rules;
            bool allowed = true;
            for (zt::BossMove move : *solve.moves) {
              allowed = allowed && replay.CanMove(move);
              if (allowed) replay.Move(move);
            }
            if (!allowed || !replay.IsBossSolved()) ++wrong;
          }
          if (i == 0) {
            firstMs = solve.ms;
            continue;  // the table build, shown apart
          }
          figures.Add(solve);
          const int bound = ManhattanBound(rules);
          bounds.push_back(bound);
          if (solve.moves && bound > 0)
            overBound.push_back(static_cast<double>(solve.moves->size()) / bound);
        }
        PrintRow(variant, figures);
        std::printf(
            "  %-22s first solve %.1f ms; Manhattan bound p50 %d; moves / bound p50 %.2f; %d "
            "solutions wrong\n",
            "", firstMs, Percentile(bounds, 0.5), Percentile(overBound, 0.5), wrong);
      }
    }
  }
}

void BenchTransit(int mixes) {
  PrintHeader("TRANSIT: a short solution to the pattern (same kinds interchangeable)");
  zt::TransitSolver solver;
  for (int pattern = 1; pattern <= zt::TransitRules::kPatternCount; ++pattern) {
    const std::string variant = "pattern " + std::to_string(pattern);
    if (!Wanted(variant)) continue;
    zt::ClockRandom random(static_cast<std::uint32_t>(1000 + pattern));
    Figures figures;
    for (int i = 0; i < mixes; ++i) {
      zt::TransitRules rules;
      rules.TransitPattern = pattern;
      rules.SetUpTransitBoard(random);
      figures.Add(Timed([&] { return solver.Solve(rules); }));
    }
    PrintRow(variant, figures);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int mixes = 100;
  std::vector<std::string> puzzles;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
      mixes = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--crux-exact-ms") == 0 && i + 1 < argc) {
      gCruxExactMs = std::atol(argv[++i]);
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      gOnly = argv[++i];
    } else {
      puzzles.emplace_back(argv[i]);
    }
  }
  if (puzzles.empty()) puzzles = {"tilz", "crux", "boss", "transit"};
  const std::vector<std::pair<std::string, std::function<void(int)>>> benches = {
      {"tilz", BenchTilz},
      {"crux", BenchCrux},
      {"boss", BenchBoss},
      {"transit", BenchTransit},
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
