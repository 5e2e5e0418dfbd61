#include "puzzles/boss/BossSolver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace zt {

namespace {

constexpr int kMaxCells = BossRules::kMaxColumns * BossRules::kMaxRows;

// Gap steps: the gap goes right, left, down or up, which is the tile beside it
// going the other way.
constexpr int kGapDc[4] = {1, -1, 0, 0};
constexpr int kGapDr[4] = {0, 0, 1, -1};
constexpr BossMove kTileMove[4] = {BossMove::Left, BossMove::Right, BossMove::Up, BossMove::Down};
constexpr int Opposite(int step) {
  return step ^ 1;
}

// A board as the search sees it: cells in reading order from 0, each holding
// the reading-order index of the tile's home; the gap holds the index of its
// own home, the last cell.
struct Grid {
  int w = 0;
  int h = 0;
  std::array<std::uint8_t, kMaxCells> tile{};
  int gap = 0;

  int Cells() const { return w * h; }
  int GapTile() const { return w * h - 1; }
  // The cell the gap reaches with the step, or -1 at an edge.
  int Beyond(int cell, int step) const {
    const int c = cell % w + kGapDc[step];
    const int r = cell / w + kGapDr[step];
    return c >= 0 && c < w && r >= 0 && r < h ? r * w + c : -1;
  }
  void Step(int step) {
    const int to = Beyond(gap, step);
    tile[gap] = tile[to];
    tile[to] = static_cast<std::uint8_t>(GapTile());
    gap = to;
  }
};

// The board of the rules as a Grid, if it is one play can produce and solve.
std::optional<Grid> GridOf(const BossRules& rules) {
  Grid grid;
  grid.w = rules.BossColumns;
  grid.h = rules.BossRows;
  if (grid.w < 3 || grid.w > BossRules::kMaxColumns || grid.h < 2 || grid.h > BossRules::kMaxRows)
    return std::nullopt;
  const int n = grid.Cells();
  std::array<bool, kMaxCells> seen{};
  int gaps = 0;
  for (int cell = 0; cell < n; ++cell) {
    const std::int32_t code = rules.Board(cell % grid.w + 1, cell / grid.w + 1);
    if (code == -1) {
      ++gaps;
      grid.gap = cell;
      grid.tile[cell] = static_cast<std::uint8_t>(n - 1);
      continue;
    }
    const int k = code >= 40 ? code - 40 : code;
    if (code < 0 || k > n - 2 || seen[k]) return std::nullopt;
    // Each tile keeps the colour of its home cell.
    if (code != k + 40 * BossRules::Colour(k % grid.w + 1, k / grid.w + 1)) return std::nullopt;
    seen[k] = true;
    grid.tile[cell] = static_cast<std::uint8_t>(k);
  }
  if (gaps != 1 || grid.gap != (rules.GapRow - 1) * grid.w + rules.GapColumn - 1)
    return std::nullopt;
  // Every move swaps the gap with a tile, so the arrangement's parity always
  // matches how far the gap stands from its home.
  bool odd = false;
  std::array<bool, kMaxCells> visited{};
  for (int cell = 0; cell < n; ++cell) {
    for (int at = cell; !visited[at]; at = grid.tile[at]) {
      visited[at] = true;
      if (at != cell) odd = !odd;
    }
  }
  const int gapSteps = (grid.w - 1 - grid.gap % grid.w) + (grid.h - 1 - grid.gap / grid.w);
  if (odd != (gapSteps % 2 == 1)) return std::nullopt;
  return grid;
}

// ------------------------------------------------------------ patterns --

// The tiles are split into groups. A group's table gives, for every placement
// of its tiles (and, in groups that follow the gap, of the gap), the fewest
// moves of those tiles that bring them home; the other tiles count as free
// cells, or, in groups that follow the gap, as cells the gap passes through
// at no cost. Each move moves one tile of one group, so the tables of the
// groups add up to a lower bound.
struct GroupPlan {
  std::vector<std::uint8_t> tiles;
  bool withGap;
};

// Tiles taken in column order (wide boards) or row order (tall ones) and cut
// into groups of the given sizes.
std::vector<GroupPlan> Cut(int w, int h, std::initializer_list<int> sizes, bool withGap) {
  std::vector<std::uint8_t> order;
  const bool byColumns = w >= h;
  for (int a = 0; a < (byColumns ? w : h); ++a) {
    for (int b = 0; b < (byColumns ? h : w); ++b) {
      const int cell = byColumns ? b * w + a : a * w + b;
      if (cell != w * h - 1) order.push_back(static_cast<std::uint8_t>(cell));
    }
  }
  std::vector<GroupPlan> groups;
  std::size_t next = 0;
  for (int size : sizes) {
    GroupPlan group{{}, withGap};
    for (int i = 0; i < size && next < order.size(); ++i)
      group.tiles.push_back(order[next++]);
    groups.push_back(group);
  }
  return groups;
}

std::vector<GroupPlan> GroupsFor(int w, int h) {
  const int tiles = w * h - 1;
  if (tiles <= 8) return Cut(w, h, {tiles}, true);  // a complete table: exact distances
  if (w == 4 && h == 4) {
    // Six, six and three tiles: the left two columns but for two, the right
    // two columns of the top three rows, and the rest.
    return {{{0, 1, 4, 5, 8, 12}, false}, {{2, 3, 6, 7, 10, 11}, false}, {{9, 13, 14}, false}};
  }
  switch (w * h) {
    case 10:
      return Cut(w, h, {5, 4}, true);
    case 12:
      // Small groups: their tables build at once, and these boards are solved
      // in a millisecond even so.
      return Cut(w, h, {4, 4, 3}, true);
    case 14:
      return Cut(w, h, {5, 4, 4}, true);
    case 15:
      return Cut(w, h, {5, 5, 4}, true);
    default:
      return Cut(w, h, {5, 5, 5}, true);
  }
}

// Bits set in a mask of the 16 cells: a table, because the plain x86-64
// instruction set has no population count and the library's fallback is slow.
constexpr std::array<std::uint8_t, 1 << 16> MakeBitCounts() {
  std::array<std::uint8_t, 1 << 16> counts{};
  for (std::size_t m = 1; m < counts.size(); ++m)
    counts[m] = static_cast<std::uint8_t>(counts[m >> 1] + (m & 1));
  return counts;
}
constexpr std::array<std::uint8_t, 1 << 16> kBitCounts = MakeBitCounts();

// Cells of the mask below the given cell.
inline int CountBelow(std::uint32_t mask, int cell) {
  return kBitCounts[mask & ((1u << cell) - 1) & 0xffffu];
}

// Falling radix n, n - 1, ... for the cells in order, each counted among the
// cells the earlier ones leave.
std::uint32_t RankCells(const std::uint8_t* cells, int m, int n, std::uint32_t* usedOut) {
  std::uint32_t used = 0;
  std::uint32_t rank = 0;
  for (int i = 0; i < m; ++i) {
    const int cell = cells[i];
    const int below = CountBelow(used, cell);
    rank = rank * static_cast<std::uint32_t>(n - i) + static_cast<std::uint32_t>(cell - below);
    used |= 1u << cell;
  }
  if (usedOut) *usedOut = used;
  return rank;
}

std::size_t Placements(int n, int m) {
  std::size_t size = 1;
  for (int i = 0; i < m; ++i)
    size *= static_cast<std::size_t>(n - i);
  return size;
}

void UnrankCells(std::uint32_t rank, int m, int n, std::uint8_t* cells) {
  std::array<int, kMaxCells> digit{};
  for (int i = m - 1; i >= 0; --i) {
    const auto radix = static_cast<std::uint32_t>(n - i);
    digit[i] = static_cast<int>(rank % radix);
    rank /= radix;
  }
  std::uint32_t used = 0;
  for (int i = 0; i < m; ++i) {
    int cell = 0;
    for (int free = digit[i];; ++cell) {
      if (used >> cell & 1) continue;
      if (free-- == 0) break;
    }
    cells[i] = static_cast<std::uint8_t>(cell);
    used |= 1u << cell;
  }
}

// Placements numbered by four bits per cell: fast to step, but with holes.
struct NibbleCodes {
  int m;
  std::size_t Size() const { return std::size_t{1} << (4 * m); }
  std::uint32_t Encode(const std::uint8_t* cells) const {
    std::uint32_t code = 0;
    for (int i = 0; i < m; ++i)
      code |= static_cast<std::uint32_t>(cells[i]) << (4 * i);
    return code;
  }
  void Decode(std::uint32_t code, std::uint8_t* cells) const {
    for (int i = 0; i < m; ++i)
      cells[i] = static_cast<std::uint8_t>(code >> (4 * i) & 15);
  }
};

// Placements numbered by RankCells: no holes, slower to step.
struct RankCodes {
  int m;
  int n;
  std::size_t Size() const { return Placements(n, m); }
  std::uint32_t Encode(const std::uint8_t* cells) const { return RankCells(cells, m, n, nullptr); }
  void Decode(std::uint32_t code, std::uint8_t* cells) const { UnrankCells(code, m, n, cells); }
};

// Breadth first back from home over the group's placements. A move of one of
// the group's tiles costs one; in groups that follow the gap, the gap's steps
// over other tiles cost nothing and are taken within the same layer. Cells
// are the group's tiles in order, then the gap if the group follows it.
template <typename Codes>
bool SearchGroup(const Grid& shape, const GroupPlan& plan, const Codes& codes,
                 std::vector<std::uint8_t>& distance, std::vector<std::uint32_t>& reached,
                 const std::atomic<bool>* cancel) {
  const int n = shape.Cells();
  const int k = static_cast<int>(plan.tiles.size());
  distance.assign(codes.Size(), 255);
  std::array<std::uint8_t, kMaxCells> cells{};
  for (int i = 0; i < k; ++i)
    cells[i] = plan.tiles[i];
  cells[k] = static_cast<std::uint8_t>(n - 1);
  const std::uint32_t home = codes.Encode(cells.data());
  distance[home] = 0;
  reached.assign(1, home);
  std::vector<std::uint32_t> layer{home};
  for (std::uint8_t d = 0; !layer.empty(); ++d) {
    std::vector<std::uint32_t> next;
    auto reach = [&](std::uint8_t cost) {
      const std::uint32_t to = codes.Encode(cells.data());
      if (distance[to] != 255 && distance[to] <= d + cost) return;
      if (distance[to] == 255) reached.push_back(to);
      distance[to] = static_cast<std::uint8_t>(d + cost);
      (cost == 0 ? layer : next).push_back(to);
    };
    for (std::size_t q = 0; q < layer.size(); ++q) {
      if (cancel && (q & 0xffff) == 0 && cancel->load(std::memory_order_relaxed)) return false;
      const std::uint32_t at = layer[q];
      if (distance[at] != d) continue;  // reached more cheaply since
      codes.Decode(at, cells.data());
      std::uint32_t occupied = 0;
      for (int i = 0; i < k; ++i)
        occupied |= 1u << cells[i];
      if (!plan.withGap) {
        for (int i = 0; i < k; ++i) {
          const std::uint8_t from = cells[i];
          for (int step = 0; step < 4; ++step) {
            const int to = shape.Beyond(from, step);
            if (to < 0 || (occupied >> to & 1)) continue;
            cells[i] = static_cast<std::uint8_t>(to);
            reach(1);
          }
          cells[i] = from;
        }
        continue;
      }
      const std::uint8_t gap = cells[k];
      for (int step = 0; step < 4; ++step) {
        const int to = shape.Beyond(gap, step);
        if (to < 0) continue;
        int moved = -1;
        if (occupied >> to & 1) {
          for (int i = 0; i < k; ++i) {
            if (cells[i] == to) moved = i;
          }
          cells[moved] = gap;
        }
        cells[k] = static_cast<std::uint8_t>(to);
        reach(moved >= 0 ? 1 : 0);
        if (moved >= 0) cells[moved] = static_cast<std::uint8_t>(to);
        cells[k] = gap;
      }
    }
    layer.swap(next);
  }
  return true;
}

// The group's table by RankCells. Searches of many cells, or of few placements,
// number placements by rank from the start; the others by four bits per cell,
// faster to step, renumbered at the end.
std::vector<std::uint8_t> BuildGroupTable(int w, int h, const GroupPlan& plan,
                                          const std::atomic<bool>* cancel) {
  Grid shape;
  shape.w = w;
  shape.h = h;
  const int n = w * h;
  const int m = static_cast<int>(plan.tiles.size()) + (plan.withGap ? 1 : 0);
  std::vector<std::uint8_t> distance;
  std::vector<std::uint32_t> reached;
  // Four bits a cell only pays when few codes are holes.
  if (m > 6 || (std::size_t{1} << (4 * m)) > 8 * Placements(n, m)) {
    if (!SearchGroup(shape, plan, RankCodes{m, n}, distance, reached, cancel)) return {};
    return distance;
  }
  const NibbleCodes nibbles{m};
  if (!SearchGroup(shape, plan, nibbles, distance, reached, cancel)) return {};
  std::vector<std::uint8_t> table(Placements(n, m), 255);
  std::array<std::uint8_t, kMaxCells> cells{};
  for (std::uint32_t at : reached) {
    nibbles.Decode(at, cells.data());
    table[RankCells(cells.data(), m, n, nullptr)] = distance[at];
  }
  return table;
}

}  // namespace

struct BossSolver::PatternSet {
  struct Group {
    std::vector<std::uint8_t> tiles;
    bool withGap = false;
    std::vector<std::uint8_t> table;
  };
  // A way of looking at the board: the plain one, and on square boards the
  // board mirrored at its diagonal, which has the same solved arrangement, so
  // the same tables give a second bound; the larger of the two counts.
  struct View {
    std::array<std::uint8_t, kMaxCells> cell{};      // board cell -> cell as seen
    std::array<std::uint8_t, kMaxCells> groupOf{};   // tile -> group
    std::vector<std::vector<std::uint8_t>> members;  // group -> its tiles, in table order
  };
  int w = 0;
  int h = 0;
  std::vector<Group> groups;
  std::vector<View> views;
};

namespace {

// ----------------------------------------------------------------- IDA* --

// Fewest moves for a grid of at most 16 cells. Gap steps are appended to
// `steps`; false when cancelled.
class ShortestSearch {
 public:
  using Patterns = BossSolver::PatternSet;

  ShortestSearch(const Patterns& patterns, const Grid& grid, const std::atomic<bool>* cancel)
      : patterns_(patterns), grid_(grid), n_(grid.Cells()), cancel_(cancel) {
    for (int cell = 0; cell < n_; ++cell)
      cellOf_[grid.tile[cell]] = static_cast<std::uint8_t>(cell);
  }

  bool Run(std::vector<int>& steps) {
    Ranks ranks;
    for (std::size_t v = 0; v < patterns_.views.size(); ++v) {
      for (std::size_t g = 0; g < patterns_.groups.size(); ++g) {
        RankTiles(v, g, ranks);
        LookUp(v, g, ranks);
      }
    }
    const int estimate = Estimate(ranks);
    for (bound_ = estimate;; bound_ = nextBound_) {
      nextBound_ = 1 << 30;
      path_.clear();
      if (Dfs(0, estimate, -1, ranks)) {
        steps.insert(steps.end(), path_.begin(), path_.end());
        return true;
      }
      if (cancelled_) return false;
    }
  }

 private:
  static constexpr int kMaxViews = 2;
  static constexpr int kMaxGroups = 4;
  // Per view and group: the rank of its tiles' cells, the cells they take and
  // the table's value; per view the sum of the values.
  struct Ranks {
    std::array<std::array<std::uint32_t, kMaxGroups>, kMaxViews> tiles{};
    std::array<std::array<std::uint32_t, kMaxGroups>, kMaxViews> used{};
    std::array<std::array<std::uint8_t, kMaxGroups>, kMaxViews> value{};
    std::array<int, kMaxViews> sum{};
  };

  void RankTiles(std::size_t v, std::size_t g, Ranks& ranks) const {
    const auto& view = patterns_.views[v];
    const auto& members = view.members[g];
    std::array<std::uint8_t, kMaxCells> cells{};
    for (std::size_t i = 0; i < members.size(); ++i)
      cells[i] = view.cell[cellOf_[members[i]]];
    ranks.tiles[v][g] =
        RankCells(cells.data(), static_cast<int>(members.size()), n_, &ranks.used[v][g]);
  }

  // Looks up the group's value again; groups that follow the gap add its cell.
  void LookUp(std::size_t v, std::size_t g, Ranks& ranks) const {
    const auto& group = patterns_.groups[g];
    std::uint32_t rank = ranks.tiles[v][g];
    if (group.withGap) {
      const int gap = patterns_.views[v].cell[grid_.gap];
      const auto k = static_cast<std::uint32_t>(group.tiles.size());
      rank = rank * (static_cast<std::uint32_t>(n_) - k) +
             static_cast<std::uint32_t>(gap - CountBelow(ranks.used[v][g], gap));
    }
    ranks.sum[v] += group.table[rank] - ranks.value[v][g];
    ranks.value[v][g] = group.table[rank];
  }

  int Estimate(const Ranks& ranks) const {
    int best = 0;
    for (std::size_t v = 0; v < patterns_.views.size(); ++v)
      best = std::max(best, ranks.sum[v]);
    return best;
  }

  // After tile t moved (and the gap with it).
  void Update(std::uint8_t t, Ranks& ranks) const {
    for (std::size_t v = 0; v < patterns_.views.size(); ++v) {
      const std::size_t moved = patterns_.views[v].groupOf[t];
      RankTiles(v, moved, ranks);
      for (std::size_t g = 0; g < patterns_.groups.size(); ++g) {
        if (g == moved || patterns_.groups[g].withGap) LookUp(v, g, ranks);
      }
    }
  }

  bool Dfs(int depth, int estimate, int cameFrom, const Ranks& ranks) {
    if (estimate == 0) return true;
    if ((++nodes_ & 0xfff) == 0 && cancel_ && cancel_->load(std::memory_order_relaxed))
      cancelled_ = true;
    if (cancelled_) return false;
    const int gap = grid_.gap;
    for (int step = 0; step < 4; ++step) {
      if (step == cameFrom) continue;
      const int from = grid_.Beyond(gap, step);
      if (from < 0) continue;
      const std::uint8_t t = grid_.tile[from];
      grid_.tile[gap] = t;
      grid_.tile[from] = static_cast<std::uint8_t>(n_ - 1);
      grid_.gap = from;
      cellOf_[t] = static_cast<std::uint8_t>(gap);
      Ranks next = ranks;
      Update(t, next);
      const int nextEstimate = Estimate(next);
      bool found = false;
      if (depth + 1 + nextEstimate > bound_) {
        nextBound_ = std::min(nextBound_, depth + 1 + nextEstimate);
      } else {
        path_.push_back(step);
        found = Dfs(depth + 1, nextEstimate, Opposite(step), next);
        if (!found) path_.pop_back();
      }
      if (found) return true;
      cellOf_[t] = static_cast<std::uint8_t>(from);
      grid_.gap = gap;
      grid_.tile[from] = t;
      grid_.tile[gap] = static_cast<std::uint8_t>(n_ - 1);
      if (cancelled_) return false;
    }
    return false;
  }

  const Patterns& patterns_;
  Grid grid_;
  int n_;
  const std::atomic<bool>* cancel_;
  std::array<std::uint8_t, kMaxCells> cellOf_{};
  std::vector<int> path_;
  int bound_ = 0;
  int nextBound_ = 0;
  std::uint64_t nodes_ = 0;
  bool cancelled_ = false;
};

// ------------------------------------------------------------- larger --

// The fewest gap steps that bring tiles a and b home (b may be -1 for one
// tile alone) without touching the cells marked fixed. Appends the steps and
// plays them on the grid.
bool PlaceTiles(Grid& grid, const std::array<bool, kMaxCells>& fixed, int a, int b,
                std::vector<int>& steps) {
  const int n = grid.Cells();
  auto cellOfTile = [&](int t) {
    for (int cell = 0; cell < n; ++cell) {
      if (grid.tile[cell] == t) return cell;
    }
    return -1;
  };
  // A state is the cells of a, b and the gap; b's cell is 0 when b is absent.
  auto key = [n](int pa, int pb, int g) { return (pa * n + pb) * n + g; };
  const int startA = cellOfTile(a);
  const int startB = b < 0 ? 0 : cellOfTile(b);
  const int homeB = b < 0 ? 0 : b;
  std::vector<std::uint8_t> cameBy(static_cast<std::size_t>(n) * n * n, 255);
  constexpr std::uint8_t kStart = 254;
  std::vector<int> queue{key(startA, startB, grid.gap)};
  cameBy[queue[0]] = kStart;
  int goal = -1;
  for (std::size_t q = 0; q < queue.size() && goal < 0; ++q) {
    const int s = queue[q];
    const int pa = s / (n * n), pb = s / n % n, g = s % n;
    if (pa == a && pb == homeB) {
      goal = s;
      break;
    }
    for (int step = 0; step < 4; ++step) {
      const int to = grid.Beyond(g, step);
      if (to < 0 || fixed[to]) continue;
      const int na = to == pa ? g : pa;
      const int nb = b >= 0 && to == pb ? g : pb;
      const int t = key(na, nb, to);
      if (cameBy[t] != 255) continue;
      cameBy[t] = static_cast<std::uint8_t>(step);
      queue.push_back(t);
    }
  }
  if (goal < 0) return false;
  std::vector<int> found;
  for (int s = goal; cameBy[s] != kStart;) {
    const int step = cameBy[s];
    found.push_back(step);
    const int pa = s / (n * n), pb = s / n % n, g = s % n;
    const int before = grid.Beyond(g, Opposite(step));
    s = key(pa == before ? g : pa, b >= 0 && pb == before ? g : pb, before);
  }
  std::reverse(found.begin(), found.end());
  for (int step : found)
    grid.Step(step);
  steps.insert(steps.end(), found.begin(), found.end());
  return true;
}

// Puts one line in place: the tiles two at a time, the last two together (the
// awkward end of a line needs both at once).
bool PlaceLine(Grid& grid, std::array<bool, kMaxCells>& fixed, const std::vector<int>& homes,
               std::vector<int>& steps) {
  std::size_t i = 0;
  if (homes.size() % 2 == 1) {
    if (!PlaceTiles(grid, fixed, homes[0], -1, steps)) return false;
    fixed[homes[0]] = true;
    i = 1;
  }
  for (; i < homes.size(); i += 2) {
    if (!PlaceTiles(grid, fixed, homes[i], homes[i + 1], steps)) return false;
    fixed[homes[i]] = fixed[homes[i + 1]] = true;
  }
  return true;
}

}  // namespace

BossSolver::BossSolver() : shared_(std::make_shared<Shared>()) {}

std::shared_ptr<const BossSolver::PatternSet> BossSolver::PatternsFor(
    int columns, int rows, const std::atomic<bool>* cancel) const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  auto& patterns = shared_->patterns[{columns, rows}];
  if (patterns) return patterns;
  auto built = std::make_shared<PatternSet>();
  built->w = columns;
  built->h = rows;
  const auto groups = GroupsFor(columns, rows);
  PatternSet::View plain;
  PatternSet::View mirrored;
  for (int cell = 0; cell < columns * rows; ++cell) {
    plain.cell[cell] = static_cast<std::uint8_t>(cell);
    mirrored.cell[cell] = static_cast<std::uint8_t>(cell % columns * rows + cell / columns);
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    std::vector<std::uint8_t> table = BuildGroupTable(columns, rows, groups[g], cancel);
    if (table.empty()) return nullptr;
    plain.members.push_back(groups[g].tiles);
    mirrored.members.emplace_back();
    for (std::uint8_t t : groups[g].tiles) {
      plain.groupOf[t] = static_cast<std::uint8_t>(g);
      // The tile whose home, mirrored, is t's home.
      const std::uint8_t twin = mirrored.cell[t];
      mirrored.groupOf[twin] = static_cast<std::uint8_t>(g);
      mirrored.members.back().push_back(twin);
    }
    built->groups.push_back({groups[g].tiles, groups[g].withGap, std::move(table)});
  }
  built->views.push_back(plain);
  if (columns == rows) built->views.push_back(mirrored);
  patterns = built;
  return patterns;
}

std::optional<std::vector<BossMove>> BossSolver::Solve(const BossRules& rules,
                                                       const std::atomic<bool>* cancel) const {
  if (cancel && cancel->load(std::memory_order_relaxed)) return std::nullopt;
  std::optional<Grid> start = GridOf(rules);
  if (!start) return std::nullopt;
  Grid grid = *start;
  bool solved = true;
  for (int cell = 0; cell < grid.Cells(); ++cell)
    solved = solved && grid.tile[cell] == cell;
  if (solved) return std::vector<BossMove>{};
  std::vector<int> steps;

  // Larger boards: rows from the top while more than three are left, then
  // columns from the left while more than four are left.
  std::array<bool, kMaxCells> fixed{};
  int top = 0;
  int left = 0;
  while (grid.Cells() > kShortestCells && (grid.h - top) * (grid.w - left) > 12) {
    std::vector<int> homes;
    if (grid.h - top > 3) {
      for (int c = left; c < grid.w; ++c)
        homes.push_back(top * grid.w + c);
      ++top;
    } else {
      for (int r = top; r < grid.h; ++r)
        homes.push_back(r * grid.w + left);
      ++left;
    }
    if (!PlaceLine(grid, fixed, homes, steps)) return std::nullopt;
    if (cancel && cancel->load(std::memory_order_relaxed)) return std::nullopt;
  }

  // What is left, as a board of its own with its tiles renumbered.
  Grid rest;
  rest.w = grid.w - left;
  rest.h = grid.h - top;
  for (int r = 0; r < rest.h; ++r) {
    for (int c = 0; c < rest.w; ++c) {
      const int home = grid.tile[(r + top) * grid.w + c + left];
      rest.tile[r * rest.w + c] =
          static_cast<std::uint8_t>((home / grid.w - top) * rest.w + home % grid.w - left);
    }
  }
  rest.gap = (grid.gap / grid.w - top) * rest.w + grid.gap % grid.w - left;
  const auto patterns = PatternsFor(rest.w, rest.h, cancel);
  if (!patterns) return std::nullopt;
  if (!ShortestSearch(*patterns, rest, cancel).Run(steps)) return std::nullopt;

  std::vector<BossMove> moves;
  moves.reserve(steps.size());
  for (int step : steps)
    moves.push_back(kTileMove[step]);
  return moves;
}

}  // namespace zt
