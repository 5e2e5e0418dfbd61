#include "puzzles/crux/CruxSolver.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "puzzles/core/BitCount.h"

namespace zt {

namespace {

__extension__ typedef unsigned __int128 Bits128;

constexpr int Opposite(int direction) {
  return direction ^ 2;
}

// A board as the search sees it, four bits a cell. `h` is the horizontal
// track, cell (x, 4 + b) at nibble 2x + b, the crossing included; `v` is the
// vertical track without the crossing, row slot s (rows 0-3 and 6-9) and cell
// (4 + a, row) at nibble 2s + a. A nibble holds 0 for an empty cell and a
// piece's class otherwise.
struct Pos {
  Bits128 h = 0;
  std::uint64_t v = 0;
  bool operator==(const Pos&) const = default;
};

// The vertical track, rows 0 to 9, as one run of 20 nibbles.
Bits128 VerticalRun(const Pos& p) {
  auto crossing = [&](int nibble) { return (p.h >> (4 * nibble)) & 15; };
  Bits128 run = p.v & 0xffffffffu;
  run |= crossing(8) << 32 | crossing(10) << 36 | crossing(9) << 40 | crossing(11) << 44;
  run |= static_cast<Bits128>(p.v >> 32) << 48;
  return run;
}

// One slide as CruxRules::ShiftCrux makes it; false when the leading end pair
// holds a piece, as CruxRules::CruxCanShift says.
bool Slide(const Pos& p, int direction, Pos& out) {
  constexpr Bits128 kEndPair = 0xff;
  constexpr int kFarEnd = 72;  // the nibbles of column or row 9
  out = p;
  switch (direction) {
    case CruxRules::kRight:
      if ((p.h >> kFarEnd) & kEndPair) return false;
      out.h = p.h << 8;
      return true;
    case CruxRules::kLeft:
      if (p.h & kEndPair) return false;
      out.h = p.h >> 8;
      return true;
    default:
      break;
  }
  Bits128 run = VerticalRun(p);
  if (direction == CruxRules::kDown) {
    if ((run >> kFarEnd) & kEndPair) return false;
    run <<= 8;
  } else {
    if (run & kEndPair) return false;
    run >>= 8;
  }
  out.v = static_cast<std::uint64_t>(run & 0xffffffffu) |
          static_cast<std::uint64_t>((run >> 48) & 0xffffffffu) << 32;
  Bits128 h = p.h & ~(static_cast<Bits128>(0xffff) << 32);
  h |= ((run >> 32) & 15) << 32 | ((run >> 36) & 15) << 40 | ((run >> 40) & 15) << 36 |
       ((run >> 44) & 15) << 44;
  out.h = h;
  return true;
}

// Where the two baulks stand: each is six cells long, its first column (row)
// 2 + offset, offset -2..2. Slides right and down add one, left and up take one.
struct Placing {
  int h = 0;
  int v = 0;
  int Index() const { return (h + 2) * 5 + (v + 2); }
  Placing After(int direction) const {
    static constexpr int kDh[] = {1, 0, -1, 0};
    static constexpr int kDv[] = {0, 1, 0, -1};
    return {h + kDh[direction], v + kDv[direction]};
  }
};
constexpr int kPlacings = 25;
constexpr int kSlots = 20;  // the pieces: 12 in the horizontal baulk, 8 in the vertical arms

// The nibble of each slot for each placing: first the horizontal baulk column
// by column (top cell, then bottom), then the vertical baulk's cells outside
// the crossing row by row (left cell, then right). A slot below 0x100 lies in
// `h`, otherwise (minus 0x100) in `v`.
struct SlotMap {
  std::array<std::array<std::uint16_t, kSlots>, kPlacings> nibble{};
  SlotMap() {
    for (int dh = -2; dh <= 2; ++dh) {
      for (int dv = -2; dv <= 2; ++dv) {
        auto& slots = nibble[static_cast<std::size_t>(Placing{dh, dv}.Index())];
        int s = 0;
        for (int x = 2 + dh; x < 8 + dh; ++x) {
          for (int b = 0; b < 2; ++b)
            slots[static_cast<std::size_t>(s++)] = static_cast<std::uint16_t>(2 * x + b);
        }
        for (int y = 2 + dv; y < 8 + dv; ++y) {
          if (y == 4 || y == 5) continue;
          const int row = y < 4 ? y : y - 2;
          for (int a = 0; a < 2; ++a)
            slots[static_cast<std::size_t>(s++)] = static_cast<std::uint16_t>(0x100 + 2 * row + a);
        }
      }
    }
  }
};
const SlotMap kSlotMap;

// The nibble of every slot, in slot order.
std::array<std::uint8_t, kSlots> SlotValues(const Pos& p, Placing placing) {
  std::array<std::uint8_t, kSlots> values{};
  const auto& slots = kSlotMap.nibble[static_cast<std::size_t>(placing.Index())];
  for (std::size_t s = 0; s < kSlots; ++s) {
    const int n = slots[s];
    values[s] = n < 0x100 ? static_cast<std::uint8_t>((p.h >> (4 * n)) & 15)
                          : static_cast<std::uint8_t>((p.v >> (4 * (n - 0x100))) & 15);
  }
  return values;
}

struct Binomials {
  std::array<std::array<std::uint32_t, kSlots + 1>, kSlots + 1> c{};
  Binomials() {
    for (int n = 0; n <= kSlots; ++n) {
      c[static_cast<std::size_t>(n)][0] = 1;
      for (int k = 1; k <= n; ++k)
        c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] =
            c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)] +
            (k < n ? c[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k)] : 0);
    }
  }
  std::uint32_t operator()(int n, int k) const {
    return c[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
  }
};
const Binomials kChoose;

constexpr std::uint8_t kUnreached = 0xff;
// A distance table should stay below this many entries (one byte each); a
// single number that alone needs more still gets its table.
constexpr std::uint64_t kTableBudget = 2'500'000;

}  // namespace

// The distance tables of one pattern. Each group tells some of the pattern's
// numbers apart and sees every other piece as just "a piece"; its table holds,
// for every placing and every way to lay out those numbers, the fewest slides to
// the pattern in that looser puzzle, which no slide of the real one can beat.
struct CruxSolver::Tables {
  struct Group {
    std::array<std::uint8_t, 16> symbolOf{};  // class -> 1..symbols, 0 = not told apart
    std::size_t classes = 0;                  // of the pattern, numbered from 1
    int symbols = 0;
    std::array<int, 16> count{};         // pieces of each symbol
    std::uint32_t perPlacing = 1;        // layouts of the symbols over the slots
    std::vector<std::uint8_t> distance;  // [placing * perPlacing + layout]

    using Masks = std::array<std::uint32_t, 16>;  // the slots of each symbol

    // The slots of each symbol, from the slots of each class.
    Masks SymbolMasks(const Masks& classMasks) const {
      Masks symbols{};
      for (std::size_t c = 1; c <= classes; ++c)
        symbols[symbolOf[c]] |= classMasks[c];
      return symbols;
    }

    // The layouts are numbered symbol by symbol: the rank of the symbol's slots
    // among the slots the symbols before it left free.
    std::uint32_t Layout(const Masks& masks) const {
      std::uint32_t free = (1u << kSlots) - 1;
      int freeCount = kSlots;
      std::uint32_t layout = 0;
      for (int a = 1; a <= symbols; ++a) {
        std::uint32_t rank = 0;
        int i = 0;
        for (std::uint32_t m = masks[static_cast<std::size_t>(a)]; m != 0; m &= m - 1, ++i) {
          const int below = CountMaskBits(free & ((m & (~m + 1)) - 1));
          rank += kChoose(below, i + 1);
        }
        const int k = count[static_cast<std::size_t>(a)];
        layout = layout * kChoose(freeCount, k) + rank;
        free &= ~masks[static_cast<std::size_t>(a)];
        freeCount -= k;
      }
      return layout;
    }
  };
  std::vector<Group> groups;
};

namespace {

using Tables = CruxSolver::Tables;
using Group = Tables::Group;

// How each slide moves the pieces between slots: for every placing and
// direction, the placing after it (-1 when the slide is not allowed there)
// and, byte by byte, where the bits of a slot mask go. A horizontal slide
// leaves every piece in its slot; a vertical one moves the pieces of the
// crossing and of the vertical arms.
struct SlotMoves {
  std::array<std::array<int, CruxRules::kDirections>, kPlacings> to{};
  std::array<std::array<std::array<std::array<std::uint32_t, 256>, 3>, CruxRules::kDirections>,
             kPlacings>
      bits{};

  SlotMoves() {
    auto cellOf = [](int nibble) {
      if (nibble < 0x100) return std::pair{nibble / 2, 4 + nibble % 2};
      const int k = nibble - 0x100;
      const int row = k / 2;
      return std::pair{4 + k % 2, row < 4 ? row : row + 2};
    };
    for (int dh = -2; dh <= 2; ++dh) {
      for (int dv = -2; dv <= 2; ++dv) {
        const Placing placing{dh, dv};
        const auto from = static_cast<std::size_t>(placing.Index());
        for (int direction = 0; direction < CruxRules::kDirections; ++direction) {
          const Placing after = placing.After(direction);
          const auto d = static_cast<std::size_t>(direction);
          if (std::abs(after.h) > 2 || std::abs(after.v) > 2) {
            to[from][d] = -1;
            continue;
          }
          to[from][d] = after.Index();
          // Label each slot's cell, slide, and read the labels back.
          CruxRules rules;
          for (std::size_t slot = 0; slot < kSlots; ++slot) {
            const auto [x, y] = cellOf(kSlotMap.nibble[from][slot]);
            rules.CruxBoard[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] =
                static_cast<std::uint8_t>(slot + 1);
          }
          rules.ShiftCrux(direction);
          std::array<int, kSlots> slotAfter{};
          for (std::size_t slot = 0; slot < kSlots; ++slot) {
            const auto [x, y] =
                cellOf(kSlotMap.nibble[static_cast<std::size_t>(after.Index())][slot]);
            slotAfter[static_cast<std::size_t>(rules.Cell(x, y) - 1)] = static_cast<int>(slot);
          }
          for (std::size_t chunk = 0; chunk < 3; ++chunk) {
            for (std::uint32_t byte = 0; byte < 256; ++byte) {
              std::uint32_t moved = 0;
              for (std::size_t bit = 0; bit < 8; ++bit) {
                const std::size_t slot = 8 * chunk + bit;
                if (slot < kSlots && (byte >> bit & 1u) != 0) moved |= 1u << slotAfter[slot];
              }
              bits[from][d][chunk][byte] = moved;
            }
          }
        }
      }
    }
  }

  std::uint32_t Move(int placing, int direction, std::uint32_t mask) const {
    const auto& t = bits[static_cast<std::size_t>(placing)][static_cast<std::size_t>(direction)];
    return t[0][mask & 255] | t[1][mask >> 8 & 255] | t[2][mask >> 16 & 255];
  }
};

const SlotMoves& TheSlotMoves() {
  static const SlotMoves moves;  // 300 KB, made on the first table build
  return moves;
}

// The slots of each symbol and the placing index of the given table index
// (the reverse of Group::Index).
int Unrank(const Group& group, std::uint32_t index, Group::Masks& masks) {
  std::uint32_t layout = index % group.perPlacing;
  // Each symbol's combination rank, last symbol first.
  std::array<std::uint32_t, 16> rank{};
  std::array<int, 16> freeBefore{};  // free slots when that symbol is laid
  int freeCount = kSlots;
  for (int a = 1; a <= group.symbols; ++a) {
    freeBefore[static_cast<std::size_t>(a)] = freeCount;
    freeCount -= group.count[static_cast<std::size_t>(a)];
  }
  for (int a = group.symbols; a >= 1; --a) {
    const std::uint32_t ways =
        kChoose(freeBefore[static_cast<std::size_t>(a)], group.count[static_cast<std::size_t>(a)]);
    rank[static_cast<std::size_t>(a)] = layout % ways;
    layout /= ways;
  }
  std::uint32_t free = (1u << kSlots) - 1;
  for (int a = 1; a <= group.symbols; ++a) {
    std::uint32_t r = rank[static_cast<std::size_t>(a)];
    std::uint32_t taken = 0;
    // The combination with rank r: its i-th smallest member is the c-th free
    // slot for the largest c with C(c, i + 1) <= what is left of r.
    for (int i = group.count[static_cast<std::size_t>(a)] - 1; i >= 0; --i) {
      int c = i;
      while (kChoose(c + 1, i + 1) <= r)
        ++c;
      r -= kChoose(c, i + 1);
      std::uint32_t m = free;
      for (int skip = 0; skip < c; ++skip)
        m &= m - 1;
      taken |= m & (~m + 1);
    }
    masks[static_cast<std::size_t>(a)] = taken;
    free &= ~taken;
  }
  return static_cast<int>(index / group.perPlacing);
}

// The slots of each class (nibble value) on a board, read once for all the tables.
Group::Masks ClassMasks(const Pos& p, Placing placing) {
  const auto values = SlotValues(p, placing);
  Group::Masks masks{};
  for (std::size_t s = 0; s < kSlots; ++s)
    masks[values[s]] |= 1u << s;
  return masks;
}

// Where a group's table holds a board given by its class masks.
std::uint32_t Entry(const Group& group, const Group::Masks& classes, Placing placing) {
  return static_cast<std::uint32_t>(placing.Index()) * group.perPlacing +
         group.Layout(group.SymbolMasks(classes));
}

// Breadth-first from the pattern over the looser puzzle. Each round goes
// through the table for the layouts found in the round before, rebuilds their
// slot masks from the index and moves the masks slot by slot, so the search
// needs no room beyond the table.
// False if cancelled.
bool FillGroup(Group& group, const Pos& goal, const std::atomic<bool>* cancel) {
  const SlotMoves& moves = TheSlotMoves();
  const auto entries = static_cast<std::uint32_t>(kPlacings) * group.perPlacing;
  group.distance.assign(entries, kUnreached);
  group.distance[Entry(group, ClassMasks(goal, Placing{}), Placing{})] = 0;
  std::size_t polled = 0;
  for (std::uint8_t depth = 1;; ++depth) {
    bool grew = false;
    for (std::uint32_t index = 0; index < entries; ++index) {
      if (group.distance[index] != depth - 1) continue;
      if (cancel && (++polled & 0xfff) == 0 && cancel->load(std::memory_order_relaxed))
        return false;
      Group::Masks masks{};
      const int placing = Unrank(group, index, masks);
      for (int direction = 0; direction < CruxRules::kDirections; ++direction) {
        const int to =
            moves.to[static_cast<std::size_t>(placing)][static_cast<std::size_t>(direction)];
        if (to < 0) continue;
        Group::Masks after{};
        for (int a = 1; a <= group.symbols; ++a) {
          after[static_cast<std::size_t>(a)] =
              moves.Move(placing, direction, masks[static_cast<std::size_t>(a)]);
        }
        std::uint8_t& d =
            group.distance[static_cast<std::uint32_t>(to) * group.perPlacing + group.Layout(after)];
        if (d != kUnreached) continue;
        d = depth;
        grew = true;
      }
    }
    if (!grew) return true;
  }
}

// Fills the tables on two threads, the largest first: the first hint on a
// pattern of many numbers otherwise waits for seconds of building. False if
// cancelled.
bool FillGroups(std::vector<Group>& groups, const Pos& goal, const std::atomic<bool>* cancel) {
  std::vector<std::size_t> order(groups.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return groups[a].perPlacing > groups[b].perPlacing;
  });
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  auto fill = [&] {
    for (std::size_t i = next++; i < order.size() && !failed; i = next++) {
      if (!FillGroup(groups[order[i]], goal, cancel)) failed = true;
    }
  };
  std::optional<std::thread> helper;
  if (order.size() > 1) {
    try {
      helper.emplace(fill);
    } catch (const std::system_error&) {
      // No second thread to be had: this one builds them all.
    }
  }
  fill();
  if (helper) helper->join();
  return !failed;
}

// Splits the pattern's classes into groups whose tables fit the budget, rarest
// numbers first: they pin the pieces down most. The commonest class is never
// told apart, as "a piece" stands for it once all others are. Classes of many
// pieces alone say little, so pairs of them also get a table in which both
// count as one number.
std::vector<Group> PlanGroups(const std::array<int, 16>& classCount, int classes) {
  std::vector<int> order;
  for (int c = 1; c <= classes; ++c)
    order.push_back(c);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return classCount[static_cast<std::size_t>(a)] < classCount[static_cast<std::size_t>(b)];
  });
  if (!order.empty()) order.pop_back();

  std::vector<Group> groups;
  Group current;
  int used = 0;  // slots taken by the current group's symbols
  for (int c : order) {
    const int k = classCount[static_cast<std::size_t>(c)];
    const std::uint64_t grown =
        static_cast<std::uint64_t>(current.perPlacing) * kChoose(kSlots - used, k);
    if (current.symbols > 0 && grown * kPlacings > kTableBudget) {
      groups.push_back(current);
      current = Group{};
      used = 0;
    }
    current.perPlacing *= kChoose(kSlots - used, k);
    used += k;
    ++current.symbols;
    current.symbolOf[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(current.symbols);
    current.count[static_cast<std::size_t>(current.symbols)] = k;
  }
  if (current.symbols > 0) groups.push_back(current);

  std::vector<int> many;
  for (int c = 1; c <= classes; ++c) {
    if (classCount[static_cast<std::size_t>(c)] >= 3) many.push_back(c);
  }
  if (many.size() >= 3) {
    for (std::size_t i = 0; i < many.size(); ++i) {
      const int a = many[i];
      const int b = many[(i + 1) % many.size()];
      const int k =
          classCount[static_cast<std::size_t>(a)] + classCount[static_cast<std::size_t>(b)];
      if (k > 8) continue;
      Group pair;
      pair.symbols = 1;
      pair.symbolOf[static_cast<std::size_t>(a)] = 1;
      pair.symbolOf[static_cast<std::size_t>(b)] = 1;
      pair.count[1] = k;
      pair.perPlacing = kChoose(kSlots, k);
      groups.push_back(pair);
    }
  }
  for (Group& group : groups)
    group.classes = static_cast<std::size_t>(classes);
  return groups;
}

// The board and the pattern by classes, with the board's placing.
struct Start {
  Pos board;
  Placing placing;
  Pos goal;
  std::array<int, 16> classCount{};
  int classes = 0;
  std::array<std::uint8_t, 36> key{};
};

std::optional<Start> Read(const CruxRules& rules) {
  Start start;
  std::array<std::uint8_t, 256> classOf{};
  for (int y = CruxRules::kBlockFirst; y < CruxRules::kBlockFirst + CruxRules::kBlockSize; ++y) {
    for (int x = CruxRules::kBlockFirst; x < CruxRules::kBlockFirst + CruxRules::kBlockSize; ++x) {
      const std::uint8_t value = rules.PatternValue(x, y);
      start.key[static_cast<std::size_t>((y - 2) * 6 + x - 2)] = value;
      if (value == 0) continue;
      if (classOf[value] == 0) {
        if (start.classes == 15) return std::nullopt;
        classOf[value] = static_cast<std::uint8_t>(++start.classes);
      }
      ++start.classCount[classOf[value]];
    }
  }
  auto put = [](Pos& p, int x, int y, std::uint8_t c) {
    if (y == 4 || y == 5) {
      p.h |= static_cast<Bits128>(c) << (4 * (2 * x + y - 4));
    } else {
      const int slot = y < 4 ? y : y - 2;
      p.v |= static_cast<std::uint64_t>(c) << (4 * (2 * slot + x - 4));
    }
  };
  std::array<int, 16> have{};
  for (int x = 0; x < CruxRules::kSize; ++x) {
    for (int y = 0; y < CruxRules::kSize; ++y) {
      const std::uint8_t value = rules.Cell(x, y);
      const bool onTrack = y == 4 || y == 5 || x == 4 || x == 5;
      if (x >= 2 && x < 8 && y >= 2 && y < 8 && onTrack)
        put(start.goal, x, y, classOf[rules.PatternValue(x, y)]);
      if (value == 0) continue;
      if (!onTrack || classOf[value] == 0) return std::nullopt;
      ++have[classOf[value]];
      put(start.board, x, y, classOf[value]);
    }
  }
  if (have != start.classCount) return std::nullopt;
  // Each baulk must be one unbroken run of six full columns (rows) around
  // the crossing; no play makes any other board.
  auto runStart = [&](bool horizontal) -> std::optional<int> {
    int first = -1;
    for (int i = 0; i < CruxRules::kSize; ++i) {
      const bool full =
          horizontal ? rules.Cell(i, 4) && rules.Cell(i, 5) : rules.Cell(4, i) && rules.Cell(5, i);
      const bool empty = horizontal ? !rules.Cell(i, 4) && !rules.Cell(i, 5)
                                    : !rules.Cell(4, i) && !rules.Cell(5, i);
      const bool inside = first >= 0 && i < first + 6;
      if (first < 0 && full) {
        first = i;
      } else if (inside ? !full : !empty) {
        return std::nullopt;
      }
    }
    if (first < 0 || first > 4) return std::nullopt;
    return first - 2;
  };
  const auto h = runStart(true);
  const auto v = runStart(false);
  if (!h || !v) return std::nullopt;
  start.placing = {*h, *v};
  return start;
}

using Clock = std::chrono::steady_clock;

// IDA*: depth-first searches to a growing bound on slides made plus slides
// estimated. With a weight above one the estimate counts that many times, so
// the search dives towards the pattern and settles for a longer solution.
class Search {
 public:
  // `weight` in quarters: 4 is the plain, exact search.
  Search(const Tables& tables, const Pos& goal, const std::atomic<bool>* cancel, int weight = 4)
      : tables_(tables), goal_(goal), cancel_(cancel), weight_(weight) {}

  // Gives up (Run returns std::nullopt) at this time.
  void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
  // Gives up once the bound reaches this many slides.
  void SetCeiling(int slides) { ceiling_ = slides; }

  // The largest table distance, or the first one found above `limit`.
  int Estimate(const Pos& p, Placing placing, int limit = kUnreached) const {
    const auto classes = ClassMasks(p, placing);
    int best = 0;
    for (const Group& group : tables_.groups) {
      best = std::max<int>(best, group.distance[Entry(group, classes, placing)]);
      if (best > limit) break;
    }
    return best;
  }

  // For ranking positions: the largest table distance first, then the sum of
  // all, which tells apart positions that the largest alone calls equal.
  int Rank(const Pos& p, Placing placing) const {
    const auto classes = ClassMasks(p, placing);
    int best = 0;
    int sum = 0;
    for (const Group& group : tables_.groups) {
      const int d = group.distance[Entry(group, classes, placing)];
      best = std::max(best, d);
      sum += d;
    }
    return best << 16 | sum;
  }

  // A solution, or std::nullopt when cancelled or out of time or positions.
  // The exact search's solution has the fewest slides.
  std::optional<std::vector<int>> Run(const Pos& start, Placing placing) {
    int bound = Estimate(start, placing);
    if (bound == kUnreached) return std::nullopt;
    bound = Weighted(bound);
    for (;;) {
      reached_ = bound;
      if (bound >= ceiling_) {
        stopped_ = true;
        return std::nullopt;
      }
      next_ = std::numeric_limits<int>::max();
      if (Dfs(start, placing, 0, bound, -1)) return path_;
      if (stopped_ || next_ == std::numeric_limits<int>::max()) return std::nullopt;
      bound = next_;
    }
  }

  bool Cancelled() const { return cancelled_; }
  // For the exact search: no solution is shorter than this many slides.
  int Reached() const { return reached_; }

 private:
  int Weighted(int estimate) const { return estimate * weight_ / 4; }

  bool Dfs(const Pos& p, Placing placing, int g, int bound, int last) {
    if ((++polled_ & 0x3ff) == 0) Poll();
    if (stopped_) return false;
    const int estimate = weight_ == 4 ? Estimate(p, placing, bound - g) : Estimate(p, placing);
    const int f = g + Weighted(estimate);
    if (f > bound) {
      next_ = std::min(next_, f);
      return false;
    }
    if (p == goal_) return true;
    for (int direction = 0; direction < CruxRules::kDirections; ++direction) {
      if (last >= 0 && direction == Opposite(last)) continue;
      Pos after;
      if (!Slide(p, direction, after)) continue;
      path_.push_back(direction);
      if (Dfs(after, placing.After(direction), g + 1, bound, direction)) return true;
      path_.pop_back();
    }
    return false;
  }

  void Poll() {
    if (cancel_ && cancel_->load(std::memory_order_relaxed)) cancelled_ = true;
    if (deadline_ && Clock::now() >= *deadline_) stopped_ = true;
    stopped_ = stopped_ || cancelled_;
  }

  const Tables& tables_;
  Pos goal_;
  const std::atomic<bool>* cancel_;
  int weight_;
  std::optional<Clock::time_point> deadline_;
  int ceiling_ = std::numeric_limits<int>::max();
  std::vector<int> path_;
  int next_ = 0;
  int reached_ = 0;
  std::size_t polled_ = 0;
  bool stopped_ = false;
  bool cancelled_ = false;
};

std::uint64_t Fingerprint(const Pos& p) {
  const auto low = static_cast<std::uint64_t>(p.h);
  const auto high = static_cast<std::uint64_t>(p.h >> 64);
  std::uint64_t x =
      low * 0x9e3779b97f4a7c15u ^ high * 0xc2b2ae3d27d4eb4fu ^ p.v * 0x165667b19e3779f9u;
  x ^= x >> 31;
  x *= 0xbf58476d1ce4e5b9u;
  return x ^ x >> 29;
}

// A set of nonzero 64-bit fingerprints, open addressing, kept under half full.
class FingerprintSet {
 public:
  FingerprintSet() : slots_(1 << 16) {}
  // False when it was there already.
  bool Insert(std::uint64_t key) {
    key |= 1;  // 0 marks a free slot
    if (2 * (size_ + 1) > slots_.size()) Grow();
    return Place(slots_, key);
  }

 private:
  bool Place(std::vector<std::uint64_t>& slots, std::uint64_t key) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
      if (slots[i] == key) return false;
      if (slots[i] == 0) {
        slots[i] = key;
        ++size_;
        return true;
      }
    }
  }
  void Grow() {
    std::vector<std::uint64_t> bigger(2 * slots_.size());
    size_ = 0;
    for (std::uint64_t key : slots_) {
      if (key != 0) Place(bigger, key);
    }
    slots_ = std::move(bigger);
  }

  std::vector<std::uint64_t> slots_;
  std::size_t size_ = 0;
};

// Beam search: slide after slide, keeps only the `width` new positions that
// the tables rank nearest the pattern. Quick and short enough, but not the
// fewest. Positions met before are not taken again (told apart by a 64-bit
// fingerprint: a clash could only drop a position, never give a wrong path).
std::optional<std::vector<int>> Beam(const Search& guide, const Pos& start, Placing placing,
                                     const Pos& goal, std::size_t width,
                                     const std::atomic<bool>* cancel) {
  constexpr int kDeepest = 400;
  struct Kept {
    Pos p;
    Placing placing;
    std::uint32_t parent = 0;
    int direction = 0;
  };
  struct Candidate {
    Kept node;
    int rank = 0;
  };
  std::vector<std::vector<Kept>> layers{{Kept{start, placing}}};
  FingerprintSet seen;
  seen.Insert(Fingerprint(start));
  std::vector<Candidate> candidates;
  for (int depth = 1; depth <= kDeepest; ++depth) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return std::nullopt;
    candidates.clear();
    const auto& layer = layers.back();
    for (std::size_t i = 0; i < layer.size(); ++i) {
      for (int direction = 0; direction < CruxRules::kDirections; ++direction) {
        Kept after{{}, layer[i].placing.After(direction), static_cast<std::uint32_t>(i), direction};
        if (!Slide(layer[i].p, direction, after.p)) continue;
        if (!seen.Insert(Fingerprint(after.p))) continue;
        if (after.p == goal) {
          std::vector<int> path{direction};
          std::uint32_t parent = after.parent;
          for (std::size_t back = layers.size() - 1; back > 0; --back) {
            path.push_back(layers[back][parent].direction);
            parent = layers[back][parent].parent;
          }
          std::reverse(path.begin(), path.end());
          return path;
        }
        candidates.push_back({after, guide.Rank(after.p, after.placing)});
      }
    }
    if (candidates.empty()) return std::nullopt;
    if (candidates.size() > width) {
      std::nth_element(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(width),
                       candidates.end(),
                       [](const Candidate& a, const Candidate& b) { return a.rank < b.rank; });
      candidates.resize(width);
    }
    std::vector<Kept> next;
    next.reserve(candidates.size());
    for (const Candidate& c : candidates)
      next.push_back(c.node);
    layers.push_back(std::move(next));
  }
  return std::nullopt;
}

}  // namespace

// A solution and the positions it passes through, so that a later solve from
// one of them can go on along it.
struct CruxSolver::Trail {
  std::array<std::uint8_t, 36> key{};  // the pattern
  std::vector<Pos> positions;          // positions[i]: the board before slides[i]
  std::vector<int> slides;
  bool fewest = false;

  Trail(const std::array<std::uint8_t, 36>& pattern, Pos board, const Solution& solution)
      : key(pattern), slides(solution.slides), fewest(solution.fewest) {
    positions.reserve(slides.size());
    for (int direction : slides) {
      positions.push_back(board);
      Pos after;
      Slide(board, direction, after);
      board = after;
    }
  }

  // The rest of the way from the board, if the way passes through it.
  std::optional<Solution> From(const std::array<std::uint8_t, 36>& pattern,
                               const Pos& board) const {
    if (pattern != key) return std::nullopt;
    const auto at = std::find(positions.begin(), positions.end(), board);
    if (at == positions.end()) return std::nullopt;
    const auto first = slides.begin() + (at - positions.begin());
    return Solution{std::vector<int>(first, slides.end()), fewest};
  }
};

namespace {

// The slides from the board of `start` to the pattern, see SolveWithProof;
// `trail` is the solver's last solution, if any.
std::optional<CruxSolver::Solution> SolveFrom(const Start& start, const CruxSolver::Tables& tables,
                                              const CruxSolver::Trail* trail,
                                              std::chrono::milliseconds exactTime,
                                              const std::atomic<bool>* cancel) {
  using Solution = CruxSolver::Solution;
  Search exact(tables, start.goal, cancel);
  if (exactTime == CruxSolver::kNoTimeLimit) {
    auto slides = exact.Run(start.board, start.placing);
    if (!slides) return std::nullopt;
    return Solution{std::move(*slides), true};
  }
  // The time counts from here: the tables' build is paid once a pattern.
  const auto deadline = Clock::now() + exactTime;

  // First a short solution: a beam search, wider if the narrow one finds
  // nothing, or the rest of the last solution if the board lies on it and the
  // beam finds nothing shorter (taken as it is when it is the fewest), and at
  // last a weighted search that always ends.
  std::optional<std::vector<int>> known;
  if (auto rest = trail ? trail->From(start.key, start.board) : std::nullopt) {
    if (rest->fewest) return rest;
    known = std::move(rest->slides);
  }
  std::optional<std::vector<int>> quick;
  for (const std::size_t width : {1000u, 4000u}) {
    quick = Beam(exact, start.board, start.placing, start.goal, width, cancel);
    if (quick) break;
    if (cancel && cancel->load(std::memory_order_relaxed)) return std::nullopt;
  }
  if (known && (!quick || known->size() <= quick->size())) quick = std::move(known);
  if (!quick) {
    Search weighted(tables, start.goal, cancel, 24);
    quick = weighted.Run(start.board, start.placing);
    if (!quick) return std::nullopt;
  }
  // Then the fewest slides, for the rest of the time: the exact search stops
  // early once its bound reaches the short solution, which is then the fewest.
  exact.SetDeadline(deadline);
  exact.SetCeiling(static_cast<int>(quick->size()));
  if (auto slides = exact.Run(start.board, start.placing))
    return Solution{std::move(*slides), true};
  if (exact.Cancelled()) return std::nullopt;
  const bool fewest = static_cast<int>(quick->size()) <= exact.Reached();
  return Solution{std::move(*quick), fewest};
}

}  // namespace

CruxSolver::CruxSolver(std::chrono::milliseconds exactTime)
    : shared_(std::make_shared<Shared>()), exactTime_(exactTime) {}

std::shared_ptr<const CruxSolver::Tables> CruxSolver::TablesFor(
    const CruxRules& rules, const std::atomic<bool>* cancel) const {
  const auto start = Read(rules);
  if (!start) return nullptr;
  {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->tables && shared_->key == start->key) return shared_->tables;
    // Another pattern's tables go first, so that two sets never need room at once
    // (a search still running on them keeps its own reference).
    shared_->tables.reset();
  }
  // Built outside the lock; two threads that miss at once both build, and the
  // later one's tables stay.
  auto tables = std::make_shared<Tables>();
  tables->groups = PlanGroups(start->classCount, start->classes);
  if (!FillGroups(tables->groups, start->goal, cancel)) return nullptr;
  const std::lock_guard lock(shared_->mutex);
  shared_->key = start->key;
  shared_->tables = tables;
  return tables;
}

std::optional<std::vector<int>> CruxSolver::Solve(const CruxRules& rules,
                                                  const std::atomic<bool>* cancel) const {
  auto solution = SolveWithProof(rules, cancel);
  if (!solution) return std::nullopt;
  return std::move(solution->slides);
}

std::optional<CruxSolver::Solution> CruxSolver::SolveWithProof(
    const CruxRules& rules, const std::atomic<bool>* cancel) const {
  const auto start = Read(rules);
  if (!start) return std::nullopt;
  if (start->board == start->goal) return Solution{{}, true};
  const auto tables = TablesFor(rules, cancel);
  if (!tables) return std::nullopt;

  std::shared_ptr<const Trail> trail;
  {
    const std::lock_guard lock(shared_->mutex);
    trail = shared_->trail;
  }
  auto solution = SolveFrom(*start, *tables, trail.get(), exactTime_, cancel);
  if (solution) {
    auto made = std::make_shared<const Trail>(start->key, start->board, *solution);
    const std::lock_guard lock(shared_->mutex);
    shared_->trail = std::move(made);
  }
  return solution;
}

}  // namespace zt
