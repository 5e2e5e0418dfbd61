#include "puzzles/boss/BossSolver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "puzzles/core/BitCount.h"

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

// Tiles taken in column order or row order and cut into groups of the given
// sizes.
std::vector<GroupPlan> Cut(int w, int h, std::initializer_list<int> sizes, bool withGap,
                           bool byColumns) {
  std::vector<std::uint8_t> order;
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

// The groups of a size, all following the gap. Group sizes and their order
// were chosen by the positions the search visits over many mixes: on 14 and
// 15 cells the smaller group first (the tiles nearest the top left), so the
// larger tables go to the tiles around the gap's home.
std::vector<GroupPlan> GroupsFor(int w, int h) {
  const int tiles = w * h - 1;
  if (tiles <= 5) return Cut(w, h, {tiles}, true, w >= h);  // a complete table: exact distances
  if (w == 4 && h == 4) {
    // Five, five and five tiles in reading order, each with the gap: on this
    // board rows did better than blocks of the same size, and the mirrored
    // view adds the columns.
    return Cut(w, h, {5, 5, 5}, true, false);
  }
  switch (w * h) {
    case 8:
      return Cut(w, h, {4, 3}, true, w >= h);
    case 9:
      return Cut(w, h, {4, 4}, true, w >= h);
    case 10:
      return Cut(w, h, {5, 4}, true, w >= h);
    case 12:
      // Small groups: their tables build at once, and these boards are solved
      // in a millisecond even so.
      return Cut(w, h, {4, 4, 3}, true, w >= h);
    case 14:
      return Cut(w, h, {4, 4, 5}, true, w >= h);
    case 15:
      return Cut(w, h, {4, 5, 5}, true, w >= h);
    default:
      return Cut(w, h, {5, 5, 5}, true, w >= h);
  }
}

// A second way to group the tiles, whose tables give a second bound (the
// larger counts).
std::vector<GroupPlan> OtherGroupsFor(int w, int h) {
  if (w * h == 15) return Cut(w, h, {4, 5, 5}, true, w < h);
  if (w == 4 && h == 4) {
    // Chosen over many mixes among groupings into compact shapes, each also
    // seen mirrored: the left column with the tile beside its middle, the
    // rest of the top rows, and the five tiles around the gap's home.
    //   A B B B
    //   A A B B
    //   A C C C
    //   A C C .
    return {{{0, 4, 5, 8, 12}, true}, {{1, 2, 3, 6, 7}, true}, {{9, 10, 11, 13, 14}, true}};
  }

  return {};
}

// While a table is built, a placement of a group's cells is numbered in base n
// (the board's cells): the gap's cell if the group follows it, plus n times
// the first tile's cell, and so on. Numbers of placements with a cell twice
// are never used, but a move, which changes one cell, changes the number by
// one addition, which keeps the build simple and fast. The table kept is then
// numbered without the holes (Ranked, below).
std::uint32_t Power(int n, int k) {
  std::uint32_t p = 1;
  for (int i = 0; i < k; ++i)
    p *= static_cast<std::uint32_t>(n);
  return p;
}

// The bytes of a table read at random places. On Linux large tables are
// mapped on their own and asked for in 2 MB pages: tables of tens of megabytes
// in 4 KB pages would make most reads miss the processor's address
// translation cache as well as its data cache. Being mapped on their own,
// they go back to the system as soon as they are dropped, where the heap
// would keep the holes that the tables built and renumbered leave behind.
class TableBytes {
 public:
  TableBytes() = default;
  TableBytes(std::size_t size, std::uint8_t fill) : bytes_(Allocate(size)), size_(size) {
    std::memset(bytes_, fill, size);
  }
  TableBytes(TableBytes&& other) noexcept
      : bytes_(std::exchange(other.bytes_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  TableBytes& operator=(TableBytes&& other) noexcept {
    if (this != &other) {
      Release();
      bytes_ = std::exchange(other.bytes_, nullptr);
      size_ = std::exchange(other.size_, 0);
    }
    return *this;
  }
  TableBytes(const TableBytes&) = delete;
  TableBytes& operator=(const TableBytes&) = delete;
  ~TableBytes() { Release(); }

  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  const std::uint8_t* data() const { return bytes_; }
  std::uint8_t& operator[](std::size_t i) { return bytes_[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }

 private:
  static constexpr std::size_t kPage = std::size_t{2} << 20;
  static bool Mapped(std::size_t size) {
#ifdef __linux__
    return size >= kPage;
#else
    (void)size;
    return false;
#endif
  }
  static std::size_t Whole(std::size_t size) {
    return (size + kPage - 1) / kPage * kPage;
  }
  static std::uint8_t* Allocate(std::size_t size) {
    if (!Mapped(size)) {
      void* bytes = std::malloc(std::max<std::size_t>(size, 1));
      if (!bytes) throw std::bad_alloc();
      return static_cast<std::uint8_t*>(bytes);
    }
#ifdef __linux__
    // One page more than needed, then the ends cut off so that the table
    // starts on a 2 MB boundary.
    const std::size_t whole = Whole(size);
    void* mapped =
        mmap(nullptr, whole + kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* raw = static_cast<std::uint8_t*>(mapped);
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(raw);
    auto* start = raw + ((kPage - at % kPage) % kPage);
    if (start > raw) munmap(raw, static_cast<std::size_t>(start - raw));
    const std::size_t tail = static_cast<std::size_t>(raw + whole + kPage - (start + whole));
    if (tail > 0) munmap(start + whole, tail);
#ifdef MADV_HUGEPAGE
    madvise(start, whole, MADV_HUGEPAGE);  // only advice: fine if refused
#endif
    return start;
#else
    return nullptr;
#endif
  }
  void Release() {
    if (!bytes_) return;
#ifdef __linux__
    if (Mapped(size_)) {
      munmap(bytes_, Whole(size_));
      bytes_ = nullptr;
      return;
    }
#endif
    std::free(bytes_);
    bytes_ = nullptr;
  }

  std::uint8_t* bytes_ = nullptr;
  std::size_t size_ = 0;
};

// The search behind BuildGroupTable for a board of N cells: N is fixed so
// that taking a number apart into its digits costs no division.
template <int N>
TableBytes SearchGroup(int w, const GroupPlan& plan, const std::atomic<bool>* cancel) {
  constexpr std::uint32_t n = N;
  std::array<std::array<int, 4>, N> beyond{};
  Grid shape;
  shape.w = w;
  shape.h = N / w;
  for (int cell = 0; cell < N; ++cell) {
    for (int step = 0; step < 4; ++step)
      beyond[cell][step] = shape.Beyond(cell, step);
  }
  const int k = static_cast<int>(plan.tiles.size());
  const int m = k + (plan.withGap ? 1 : 0);
  // The weights of the digits of the tiles, then of the gap.
  std::array<std::uint32_t, kMaxCells + 1> weight{};
  const int first = plan.withGap ? 1 : 0;
  for (int i = 0; i < k; ++i)
    weight[i] = Power(N, i + first);
  weight[k] = 1;
  TableBytes distance(Power(N, m), 255);
  std::uint32_t home = 0;
  for (int i = 0; i < k; ++i)
    home += plan.tiles[i] * weight[i];
  if (plan.withGap) home += (n - 1) * weight[k];
  distance[home] = 0;
  std::vector<std::uint32_t> layer{home};
  std::vector<std::uint32_t> next;
  std::array<int, kMaxCells> cells{};
  for (std::uint8_t d = 0; !layer.empty(); ++d) {
    next.clear();
    auto reach = [&](std::uint32_t to, std::uint8_t cost) {
      if (distance[to] <= d + cost) return;
      distance[to] = static_cast<std::uint8_t>(d + cost);
      (cost == 0 ? layer : next).push_back(to);
    };
    for (std::size_t q = 0; q < layer.size(); ++q) {
      if (cancel && (q & 0xffff) == 0 && cancel->load(std::memory_order_relaxed)) return {};
      const std::uint32_t at = layer[q];
      if (distance[at] != d) continue;  // reached more cheaply since
      std::uint32_t occupied = 0;
      std::uint32_t rest = at;
      if (plan.withGap) {
        cells[k] = static_cast<int>(rest % n);
        rest /= n;
      }
      for (int i = 0; i < k; ++i) {
        cells[i] = static_cast<int>(rest % n);
        rest /= n;
        occupied |= 1u << cells[i];
      }
      if (!plan.withGap) {
        for (int i = 0; i < k; ++i) {
          for (int step = 0; step < 4; ++step) {
            const int to = beyond[cells[i]][step];
            if (to < 0 || (occupied >> to & 1)) continue;
            reach(at + static_cast<std::uint32_t>(to - cells[i]) * weight[i], 1);
          }
        }
        continue;
      }
      const int gap = cells[k];
      for (int step = 0; step < 4; ++step) {
        const int to = beyond[gap][step];
        if (to < 0) continue;
        const std::uint32_t gapMoved = at + static_cast<std::uint32_t>(to - gap) * weight[k];
        if (!(occupied >> to & 1)) {
          reach(gapMoved, 0);
          continue;
        }
        int moved = 0;
        while (cells[moved] != to)
          ++moved;
        reach(gapMoved + static_cast<std::uint32_t>(gap - to) * weight[moved], 1);
      }
    }
    layer.swap(next);
  }
  return distance;
}

// Breadth first back from home over the group's placements. A move of one of
// the group's tiles costs one; in groups that follow the gap, the gap's steps
// over other tiles cost nothing and are taken within the same layer. Empty
// when cancelled.
TableBytes BuildGroupTable(int w, int h, const GroupPlan& plan, const std::atomic<bool>* cancel) {
  switch (w * h) {
    case 6:
      return SearchGroup<6>(w, plan, cancel);
    case 8:
      return SearchGroup<8>(w, plan, cancel);
    case 9:
      return SearchGroup<9>(w, plan, cancel);
    case 10:
      return SearchGroup<10>(w, plan, cancel);
    case 12:
      return SearchGroup<12>(w, plan, cancel);
    case 14:
      return SearchGroup<14>(w, plan, cancel);
    case 15:
      return SearchGroup<15>(w, plan, cancel);
    default:
      return SearchGroup<16>(w, plan, cancel);
  }
}

// Tables are kept numbered without holes: the group's tiles' cells as a
// partial permutation (the first tile's cell among all n, the second's among
// the n - 1 left, and so on), times the number of cells left for the gap, plus
// the gap's place among those cells if the group follows it. A move of
// another group's tile moves only the gap, which changes the number by a few,
// in memory that is likely still cached; only a move of one of the group's
// own tiles ranks its cells again.

// How many of the cells in `mask` come before `cell` (boards of up to 16
// cells).
inline int CellsBefore(std::uint32_t mask, int cell) {
  const std::uint32_t below = mask & ((1u << cell) - 1);
  return CountMaskBits(below);
}

std::uint32_t TilesRank(const int* cells, int k, int n) {
  std::uint32_t rank = 0;
  std::uint32_t seen = 0;
  for (int i = 0; i < k; ++i) {
    rank = rank * static_cast<std::uint32_t>(n - i) +
           static_cast<std::uint32_t>(cells[i] - CellsBefore(seen, cells[i]));
    seen |= 1u << cells[i];
  }
  return rank;
}

std::uint32_t Placements(int n, int k, bool withGap) {
  std::uint32_t count = withGap ? static_cast<std::uint32_t>(n - k) : 1;
  for (int i = 0; i < k; ++i)
    count *= static_cast<std::uint32_t>(n - i);
  return count;
}

// A table of BuildGroupTable (numbered by base-n digits, the gap lowest)
// renumbered by rank.
TableBytes Ranked(const TableBytes& byDigits, int n, const GroupPlan& plan) {
  const int k = static_cast<int>(plan.tiles.size());
  TableBytes ranked(Placements(n, k, plan.withGap), 255);
  const std::uint32_t gapCells = static_cast<std::uint32_t>(n - k);
  auto visit = [&](auto&& self, int i, std::uint32_t mask, std::uint32_t rank, std::uint32_t number,
                   std::uint32_t weight) -> void {
    if (i == k) {
      if (!plan.withGap) {
        ranked[rank] = byDigits[number];
        return;
      }
      std::uint32_t at = rank * gapCells;
      for (int gap = 0; gap < n; ++gap) {
        if (!(mask >> gap & 1)) ranked[at++] = byDigits[number + static_cast<std::uint32_t>(gap)];
      }
      return;
    }
    std::uint32_t free = 0;  // the cell's place among the cells still free
    for (int cell = 0; cell < n; ++cell) {
      if (mask >> cell & 1) continue;
      self(self, i + 1, mask | 1u << cell, rank * static_cast<std::uint32_t>(n - i) + free,
           number + static_cast<std::uint32_t>(cell) * weight,
           weight * static_cast<std::uint32_t>(n));
      ++free;
    }
  };
  visit(visit, 0, 0, 0, 0, plan.withGap ? static_cast<std::uint32_t>(n) : 1);
  return ranked;
}

}  // namespace

struct BossSolver::PatternSet {
  static constexpr int kMaxViews = 4;
  static constexpr int kMaxGroups = 4;
  static constexpr int kMaxGroupTiles = 6;
  struct Group {
    TableBytes table;  // by the placement's number
    int tiles = 0;
    bool withGap = false;
    std::uint32_t gapCells = 1;   // ranked: places the gap can take (n - tiles), or 1
    std::uint32_t gapWeight = 0;  // by digits: weight of the gap's digit, 0 if not followed
  };
  // A way of looking at the board: the plain one through each way of
  // grouping the tiles, and on square boards the board mirrored at its
  // diagonal, which has the same solved arrangement, so the same tables give
  // another bound; the largest counts. All views have as many groups.
  struct View {
    std::uint8_t first = 0;                         // the table of its first group
    std::array<std::uint8_t, kMaxCells> cell{};     // board cell -> cell as seen
    std::array<std::uint8_t, kMaxCells> groupOf{};  // tile -> group
    // Per group the tiles in the order of its table's digits.
    std::array<std::array<std::uint8_t, kMaxGroupTiles>, kMaxGroups> tiles{};
    std::array<std::uint32_t, kMaxCells> weight{};  // tile -> weight of its digit there
  };
  // Tables numbered by rank (Ranked) or by base-n digits (BuildGroupTable).
  bool ranked = false;
  int w = 0;
  int h = 0;
  int groupsPerView = 0;
  std::vector<Group> groups;
  std::vector<View> views;

  std::size_t Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const Group& group : groups)
      bytes += group.table.size();
    return bytes;
  }
};

namespace {

// ----------------------------------------------------------------- IDA* --

// Fewest moves for a grid of at most 16 cells. Gap steps are appended to
// `steps`; false when cancelled. kRanked: the tables are numbered by rank,
// else by base-n digits.
template <bool kRanked>
class ShortestSearch {
 public:
  using Patterns = BossSolver::PatternSet;

  ShortestSearch(const Patterns& patterns, const Grid& grid, const std::atomic<bool>* cancel)
      : patterns_(patterns),
        grid_(grid),
        n_(grid.Cells()),
        views_(static_cast<int>(patterns.views.size())),
        groups_(patterns.groupsPerView),
        cancel_(cancel) {
    for (int cell = 0; cell < n_; ++cell) {
      where_[grid.tile[cell]] = static_cast<std::uint8_t>(cell);
      for (int step = 0; step < 4; ++step)
        beyond_[cell][step] = static_cast<std::int8_t>(grid.Beyond(cell, step));
    }
    for (int v = 0; v < views_; ++v) {
      const auto& view = patterns.views[v];
      for (int cell = 0; cell < n_; ++cell) {
        if (cell == grid.gap) continue;
        const int t = grid.tile[cell];
        if constexpr (kRanked)
          state_.mask[v][view.groupOf[t]] |= static_cast<std::uint16_t>(1u << view.cell[cell]);
        else
          state_.number[v][view.groupOf[t]] += view.cell[cell] * view.weight[t];
      }
      if constexpr (kRanked) {
        for (int g = 0; g < groups_; ++g)
          state_.number[v][g] = RankOf(v, g);
      }
    }
  }

  bool Run(std::vector<int>& steps) {
    const int estimate = Estimate(state_, grid_.gap, 1 << 30);
    const State start = state_;
    for (bound_ = estimate;; bound_ = nextBound_) {
      state_ = start;
      nextBound_ = 1 << 30;
      depth_ = 0;
      if (Dfs(estimate, -1)) {
        steps.insert(steps.end(), path_.begin(), path_.begin() + depth_);
        return true;
      }
      if (cancelled_) return false;
    }
  }

 private:
  static constexpr int kMaxViews = Patterns::kMaxViews;
  static constexpr int kMaxGroups = Patterns::kMaxGroups;
  static constexpr int kMaxDepth = 256;
  // Per view and group the number of its tiles' cells as seen in the view
  // (their rank, or the sum of their digits without the gap's), and when
  // ranked, the cells they hold.
  struct State {
    std::array<std::array<std::uint32_t, kMaxGroups>, kMaxViews> number{};
    std::array<std::array<std::uint16_t, kMaxGroups>, kMaxViews> mask{};
  };

  // The rank of the cells of group g's tiles in view v, from where_.
  std::uint32_t RankOf(int v, int g) const {
    const auto& view = patterns_.views[v];
    const int k = patterns_.groups[view.first + g].tiles;
    std::array<int, Patterns::kMaxGroupTiles> cells{};
    for (int i = 0; i < k; ++i)
      cells[i] = view.cell[where_[view.tiles[g][i]]];
    return TilesRank(cells.data(), k, n_);
  }

  // The table entry of group g in view v with the gap on the cell seen there.
  const std::uint8_t* Entry(const State& state, int v, int g, int seenGap) const {
    const auto& group = patterns_.groups[patterns_.views[v].first + g];
    if constexpr (kRanked) {
      std::uint32_t at = state.number[v][g] * group.gapCells;
      if (group.withGap)
        at += static_cast<std::uint32_t>(seenGap - CellsBefore(state.mask[v][g], seenGap));
      return group.table.data() + at;
    } else {
      return group.table.data() + state.number[v][g] +
             static_cast<std::uint32_t>(seenGap) * group.gapWeight;
    }
  }

  // The state after tile t goes from cell `from` into the gap at `to`. The
  // moved tile's entries are far from the current ones and likely not
  // cached: they are asked for here, before any is read.
  void Move(State& state, int t, int from, int to) {
    where_[t] = static_cast<std::uint8_t>(to);  // for RankOf
    for (int v = 0; v < views_; ++v) {
      const auto& view = patterns_.views[v];
      const int g = view.groupOf[t];
      if constexpr (kRanked) {
        state.mask[v][g] ^= static_cast<std::uint16_t>(1u << view.cell[from] | 1u << view.cell[to]);
        state.number[v][g] = RankOf(v, g);
      } else {
        state.number[v][g] +=
            static_cast<std::uint32_t>(view.cell[to] - view.cell[from]) * view.weight[t];
      }
      __builtin_prefetch(Entry(state, v, g, view.cell[from]));
    }
    where_[t] = static_cast<std::uint8_t>(from);
  }

  // The largest of the views' sums with the gap at `gap`, or as soon as one
  // view's sum is beyond `limit`, that sum.
  int Estimate(const State& state, int gap, int limit) const {
    int best = 0;
    for (int v = 0; v < views_; ++v) {
      const int seenGap = patterns_.views[v].cell[gap];
      int sum = 0;
      for (int g = 0; g < groups_; ++g)
        sum += *Entry(state, v, g, seenGap);
      best = std::max(best, sum);
      if (best > limit) break;
    }
    return best;
  }

  bool Dfs(int estimate, int cameFrom) {
    if (estimate == 0) return true;
    if ((++nodes_ & 0xfff) == 0 && cancel_ && cancel_->load(std::memory_order_relaxed))
      cancelled_ = true;
    if (cancelled_ || depth_ >= kMaxDepth) return false;
    const int gap = grid_.gap;
    const int n = n_;
    struct Child {
      int step;
      int from;
      int estimate;
      State state;
    };
    std::array<Child, 4> children;
    int made = 0;
    for (int step = 0; step < 4; ++step) {
      const int from = beyond_[gap][step];
      if (step == cameFrom || from < 0) continue;
      Child& child = children[made++];
      child.step = step;
      child.from = from;
      child.state = state_;
      Move(child.state, grid_.tile[from], from, gap);
    }
    // The moves within the bound, the most promising first: in the last
    // round the solution tends to come sooner.
    std::array<int, 4> order{};
    int count = 0;
    const int limit = bound_ - depth_ - 1;
    for (int i = 0; i < made; ++i) {
      Child& child = children[i];
      child.estimate = Estimate(child.state, child.from, limit);
      if (child.estimate > limit) {
        nextBound_ = std::min(nextBound_, depth_ + 1 + child.estimate);
        continue;
      }
      int at = count++;
      for (; at > 0 && children[order[at - 1]].estimate > child.estimate; --at)
        order[at] = order[at - 1];
      order[at] = i;
    }
    for (int i = 0; i < count; ++i) {
      const Child& child = children[order[i]];
      const int t = grid_.tile[child.from];
      state_ = child.state;
      grid_.tile[gap] = static_cast<std::uint8_t>(t);
      grid_.tile[child.from] = static_cast<std::uint8_t>(n - 1);
      grid_.gap = child.from;
      where_[t] = static_cast<std::uint8_t>(gap);
      path_[depth_++] = child.step;
      if (Dfs(child.estimate, Opposite(child.step))) return true;
      --depth_;
      where_[t] = static_cast<std::uint8_t>(child.from);
      grid_.gap = gap;
      grid_.tile[child.from] = static_cast<std::uint8_t>(t);
      grid_.tile[gap] = static_cast<std::uint8_t>(n - 1);
      if (cancelled_) break;
    }
    return false;
  }

  const Patterns& patterns_;
  Grid grid_;
  int n_;
  // The cell the gap reaches with each step, or -1 at an edge.
  std::array<std::array<std::int8_t, 4>, kMaxCells> beyond_{};
  // Tile -> its cell.
  std::array<std::uint8_t, kMaxCells> where_{};
  int views_;
  int groups_;
  const std::atomic<bool>* cancel_;
  State state_;
  std::array<int, kMaxDepth> path_{};
  int depth_ = 0;
  int bound_ = 0;
  int nextBound_ = 0;
  std::uint64_t nodes_ = 0;
  bool cancelled_ = false;
};

// ------------------------------------------------------------- larger --

// The fewest gap steps that bring the k tiles (one to three) home without
// touching the cells marked fixed. Appends the steps and plays them on the
// grid.
bool PlaceTiles(Grid& grid, const std::array<bool, kMaxCells>& fixed, const int* tiles, int k,
                std::vector<int>& steps) {
  // The search runs over the free cells only, numbered from 0.
  std::array<int, kMaxCells> slot{};
  std::array<std::array<int, 4>, kMaxCells> beyond{};
  int n = 0;
  for (int cell = 0; cell < grid.Cells(); ++cell)
    slot[cell] = fixed[cell] ? -1 : n++;
  for (int cell = 0; cell < grid.Cells(); ++cell) {
    if (slot[cell] < 0) continue;
    for (int step = 0; step < 4; ++step) {
      const int to = grid.Beyond(cell, step);
      beyond[slot[cell]][step] = to < 0 ? -1 : slot[to];
    }
  }
  // A state is the gap's slot plus n times the first tile's slot, and so on.
  std::array<int, 4> weight{};
  std::size_t states = static_cast<std::size_t>(n);
  int start = slot[grid.gap];
  int homes = 0;
  for (int i = 0; i < k; ++i) {
    weight[i] = static_cast<int>(states);
    states *= static_cast<std::size_t>(n);
    for (int cell = 0; cell < grid.Cells(); ++cell) {
      if (grid.tile[cell] == tiles[i]) start += slot[cell] * weight[i];
    }
    if (slot[tiles[i]] < 0) return false;
    homes += slot[tiles[i]] * weight[i];
  }
  std::vector<std::uint8_t> cameBy(states, 255);
  constexpr std::uint8_t kStart = 254;
  std::vector<int> queue{start};
  cameBy[static_cast<std::size_t>(start)] = kStart;
  int goal = -1;
  std::array<int, 3> at{};
  auto slotsOf = [&](int s) {
    int rest = s / n;
    for (int i = 0; i < k; ++i, rest /= n)
      at[i] = rest % n;
    return s % n;
  };
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const int s = queue[q];
    if (s - s % n == homes) {
      goal = s;
      break;
    }
    const int g = slotsOf(s);
    for (int step = 0; step < 4; ++step) {
      const int to = beyond[g][step];
      if (to < 0) continue;
      int next = s + to - g;
      for (int i = 0; i < k; ++i) {
        if (at[i] == to) next += (g - to) * weight[i];
      }
      if (cameBy[static_cast<std::size_t>(next)] != 255) continue;
      cameBy[static_cast<std::size_t>(next)] = static_cast<std::uint8_t>(step);
      queue.push_back(next);
    }
  }
  if (goal < 0) return false;
  std::vector<int> found;
  for (int s = goal; cameBy[static_cast<std::size_t>(s)] != kStart;) {
    const int step = cameBy[static_cast<std::size_t>(s)];
    found.push_back(step);
    const int g = slotsOf(s);
    const int before = beyond[g][Opposite(step)];
    s += before - g;
    for (int i = 0; i < k; ++i) {
      if (at[i] == before) s += (g - before) * weight[i];
    }
  }
  std::reverse(found.begin(), found.end());
  for (int step : found)
    grid.Step(step);
  steps.insert(steps.end(), found.begin(), found.end());
  return true;
}

// Puts one line in place: the tiles two at a time, the last two together (the
// awkward end of a line needs both at once); where few cells are left free,
// also tried with the last three together, and the fewer moves win. (Three
// tiles at once cost a search that grows with the fourth power of the free
// cells.)
bool PlaceLine(Grid& grid, std::array<bool, kMaxCells>& fixed, const std::vector<int>& homes,
               std::vector<int>& steps) {
  constexpr int kFreeForThree = 21;
  int free = 0;
  for (int cell = 0; cell < grid.Cells(); ++cell)
    free += fixed[cell] ? 0 : 1;
  const int m = static_cast<int>(homes.size());
  // Turns of tiles: ones and twos, or ending with a three.
  auto turnsEndingWith = [m](int last) {
    std::vector<int> sizes;
    if ((m - last) % 2 == 1) sizes.push_back(1);
    for (int i = (m - last) % 2; i < m - last; i += 2)
      sizes.push_back(2);
    sizes.push_back(last);
    return sizes;
  };
  std::vector<std::vector<int>> tries{turnsEndingWith(2)};
  if (free <= kFreeForThree && m >= 3) tries.push_back(turnsEndingWith(3));
  std::optional<Grid> best;
  std::vector<int> bestSteps;
  for (const auto& sizes : tries) {
    Grid tried = grid;
    std::array<bool, kMaxCells> fixedTried = fixed;
    std::vector<int> made;
    int next = 0;
    bool placed = true;
    for (int size : sizes) {
      placed = PlaceTiles(tried, fixedTried, homes.data() + next, size, made);
      if (!placed) break;
      for (int i = 0; i < size; ++i)
        fixedTried[homes[static_cast<std::size_t>(next + i)]] = true;
      next += size;
    }
    if (placed && (!best || made.size() < bestSteps.size())) {
      best = tried;
      bestSteps = std::move(made);
    }
  }
  if (!best) return false;
  grid = *best;
  for (int home : homes)
    fixed[home] = true;
  steps.insert(steps.end(), bestSteps.begin(), bestSteps.end());
  return true;
}

}  // namespace

BossSolver::BossSolver(std::size_t keptBytes)
    : shared_(std::make_shared<Shared>(keptBytes)),
      trail_(std::make_shared<Trail>(
          [](const BossRules& rules) {
            return Snapshot{rules.BossBoard, rules.BossTarget};
          },
          [](BossRules& rules, const BossMove& move) { rules.Move(move); })) {}

std::shared_ptr<const BossSolver::PatternSet> BossSolver::PatternsFor(
    int columns, int rows, const std::atomic<bool>* cancel) const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  const std::pair<int, int> size{columns, rows};
  ++shared_->uses;
  if (auto found = shared_->patterns.find(size); found != shared_->patterns.end()) {
    found->second.lastUse = shared_->uses;
    return found->second.patterns;
  }
  const int n = columns * rows;
  std::vector<std::vector<GroupPlan>> partitions{GroupsFor(columns, rows)};
  if (auto second = OtherGroupsFor(columns, rows); !second.empty())
    partitions.push_back(std::move(second));
  // Tables numbered by digits are read with the fewest steps, but 4 x 4's
  // would take 100 MB: only its tables are ranked.
  const bool ranked = n == 16;
  // Room for the new tables first: the sizes used longest ago go.
  std::size_t needed = 0;
  for (const auto& groups : partitions) {
    for (const GroupPlan& group : groups) {
      const int k = static_cast<int>(group.tiles.size());
      needed += ranked ? Placements(n, k, group.withGap) : Power(n, k + (group.withGap ? 1 : 0));
    }
  }
  for (;;) {
    std::size_t kept = 0;
    auto oldest = shared_->patterns.end();
    for (auto it = shared_->patterns.begin(); it != shared_->patterns.end(); ++it) {
      kept += it->second.patterns->Bytes();
      if (oldest == shared_->patterns.end() || it->second.lastUse < oldest->second.lastUse)
        oldest = it;
    }
    if (oldest == shared_->patterns.end() || kept + needed <= shared_->keptBytes) break;
    shared_->patterns.erase(oldest);
  }

  auto built = std::make_shared<PatternSet>();
  built->ranked = ranked;
  built->w = columns;
  built->h = rows;
  built->groupsPerView = static_cast<int>(partitions[0].size());
  for (std::size_t p = 0; p < partitions.size(); ++p) {
    const auto& groups = partitions[p];
    PatternSet::View plain;
    PatternSet::View mirrored;
    plain.first = mirrored.first = static_cast<std::uint8_t>(built->groups.size());
    for (int cell = 0; cell < n; ++cell) {
      plain.cell[cell] = static_cast<std::uint8_t>(cell);
      mirrored.cell[cell] = static_cast<std::uint8_t>(cell % columns * rows + cell / columns);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
      const auto& tiles = groups[g].tiles;
      PatternSet::Group group;
      TableBytes byDigits = BuildGroupTable(columns, rows, groups[g], cancel);
      if (byDigits.empty()) return nullptr;
      group.tiles = static_cast<int>(tiles.size());
      group.withGap = groups[g].withGap;
      if (ranked) {
        group.table = Ranked(byDigits, n, groups[g]);
        group.gapCells = group.withGap ? static_cast<std::uint32_t>(n - group.tiles) : 1;
      } else {
        group.table = std::move(byDigits);
        group.gapWeight = group.withGap ? 1 : 0;
      }
      const int first = group.withGap ? 1 : 0;
      for (std::size_t i = 0; i < tiles.size(); ++i) {
        const std::uint8_t t = tiles[i];
        const std::uint32_t weight = Power(n, static_cast<int>(i) + first);
        plain.groupOf[t] = static_cast<std::uint8_t>(g);
        plain.tiles[g][i] = t;
        plain.weight[t] = weight;
        // Mirrored, the tile whose home is t's home mirrored takes t's place.
        const std::uint8_t twin = mirrored.cell[t];
        mirrored.groupOf[twin] = static_cast<std::uint8_t>(g);
        mirrored.tiles[g][i] = twin;
        mirrored.weight[twin] = weight;
      }
      built->groups.push_back(std::move(group));
    }
    built->views.push_back(plain);
    if (columns == rows) built->views.push_back(mirrored);
  }
  shared_->patterns[size] = {built, shared_->uses};
  return built;
}

std::optional<std::vector<BossMove>> BossSolver::Solve(const BossRules& rules,
                                                       const std::atomic<bool>* cancel) const {
  auto moves = Build(rules, cancel);
  // Solutions in the fewest moves need no trail.
  if (!moves || FindsShortest(rules.BossColumns, rules.BossRows)) return moves;
  return trail_->Keep(rules, std::move(*moves));
}

std::optional<std::vector<BossMove>> BossSolver::Build(const BossRules& rules,
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
  const bool found = patterns->ranked ? ShortestSearch<true>(*patterns, rest, cancel).Run(steps)
                                      : ShortestSearch<false>(*patterns, rest, cancel).Run(steps);
  if (!found) return std::nullopt;

  std::vector<BossMove> moves;
  moves.reserve(steps.size());
  for (int step : steps)
    moves.push_back(kTileMove[step]);
  return moves;
}

}  // namespace zt
