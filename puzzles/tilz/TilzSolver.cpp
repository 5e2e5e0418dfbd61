#include "puzzles/tilz/TilzSolver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace zt {

namespace {

constexpr int kColumns = TilzRules::kColumns;
constexpr int kRows = TilzRules::kRows;
constexpr int kCells = TilzRules::kCells;

// The board as the search keeps it: cell (c, r) at 5c + r, as in the rules.
using Cells = std::array<std::int8_t, kCells>;

constexpr int kDc[4] = {1, 0, -1, 0};  // by TilzPush - 1: right, up, left, down
constexpr int kDr[4] = {0, -1, 0, 1};
constexpr TilzPush kPushes[4] = {TilzPush::Right, TilzPush::Up, TilzPush::Left, TilzPush::Down};

int Width(int code) {
  return TilzRules::PlateWidth(code) / 50;
}
int Height(int code) {
  return TilzRules::PlateHeight(code) / 50;
}

// Every plate's cells carry its codes in order, no two plates overlap, no cell
// holds a stray half, there is exactly one big plate and there are two free
// cells. Anything else cannot come from play, and a search over it would make
// no sense.
bool IsWellFormed(const TilzRules::Board& board) {
  std::array<bool, kCells> covered{};
  int bigPlates = 0;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      const std::int32_t code = board[5 * c + r];
      if (code < TilzRules::kWall || code > TilzRules::kSmall) return false;
      if (!TilzRules::IsAnchor(code)) continue;
      if (code == TilzRules::kBig) ++bigPlates;
      const int w = Width(code);
      const int h = Height(code);
      for (int i = 0; i < w; ++i) {
        for (int j = 0; j < h; ++j) {
          if (!TilzRules::OnBoard(c + i, r + j)) return false;
          const int cell = 5 * (c + i) + r + j;
          if (covered[cell] || board[cell] != code + i + j * w) return false;
          covered[cell] = true;
        }
      }
    }
  }
  int free = 0;
  for (int i = 0; i < kCells; ++i) {
    if (board[i] > 0 && !covered[i]) return false;
    if (board[i] == TilzRules::kFree) ++free;
  }
  return bigPlates == 1 && free == 2;
}

std::int8_t At(const Cells& cells, int c, int r) {
  return TilzRules::OnBoard(c, r) ? cells[5 * c + r] : std::int8_t{TilzRules::kWall};
}

// The same push as TilzRules::PushPlate, on the search's compact board.
bool Push(Cells& cells, int c, int r, int way) {
  const int code = cells[5 * c + r];
  const int w = Width(code);
  const int h = Height(code);
  const int dc = kDc[way];
  const int dr = kDr[way];
  // The leading side: one or two cells just beyond the plate.
  const int lc = dc > 0 ? c + w : dc < 0 ? c - 1 : c;
  const int lr = dr > 0 ? r + h : dr < 0 ? r - 1 : r;
  const int spanC = dr != 0 ? w : 1;
  const int spanR = dc != 0 ? h : 1;
  for (int i = 0; i < spanC; ++i) {
    for (int j = 0; j < spanR; ++j) {
      if (At(cells, lc + i, lr + j) != TilzRules::kFree) return false;
    }
  }
  std::array<std::int8_t, 4> codes{};
  for (int i = 0; i < w; ++i) {
    for (int j = 0; j < h; ++j) {
      codes[2 * j + i] = cells[5 * (c + i) + r + j];
      cells[5 * (c + i) + r + j] = TilzRules::kFree;
    }
  }
  for (int i = 0; i < w; ++i) {
    for (int j = 0; j < h; ++j)
      cells[5 * (c + i + dc) + r + j + dr] = codes[2 * j + i];
  }
  return true;
}

// A lower bound on the pushes still needed, from a looser puzzle in which every
// cell that is neither wall nor big plate is loose filler. A position there is
// the big plate's anchor and the two free cells; a push either moves the big
// plate into the two free cells in front of it, or moves filler into free
// cells the way some plate could: one free cell one or two cells along a line
// (a small plate, or a long plate pushed lengthwise), or two free cells side by
// side one cell across (a long plate pushed crosswise). Every real push is one
// of these, so the looser puzzle never needs more pushes than the real one.
class LooseBound {
 public:
  LooseBound(const Cells& board, int goalAnchor) : distance_(kCells * kCells * kCells, kUnknown) {
    for (int i = 0; i < kCells; ++i)
      wall_[i] = board[i] == TilzRules::kWall;
    std::deque<int> queue;
    for (int a = 0; a < kCells; ++a) {
      for (int b = a + 1; b < kCells; ++b) {
        if (wall_[a] || wall_[b] || InBig(goalAnchor, a) || InBig(goalAnchor, b)) continue;
        distance_[Key(goalAnchor, a, b)] = 0;
        queue.push_back(Key(goalAnchor, a, b));
      }
    }
    // Every loose push can be undone by another, so a search back from the
    // goal gives the distances to it.
    while (!queue.empty()) {
      const int key = queue.front();
      queue.pop_front();
      const std::uint8_t next = static_cast<std::uint8_t>(distance_[key] + 1);
      ForEachLoosePush(key, [&](int to) {
        if (distance_[to] != kUnknown) return;
        distance_[to] = next;
        queue.push_back(to);
      });
    }
  }

  // kUnknown when the goal cannot be reached even in the looser puzzle.
  int Of(const Cells& cells) const {
    int big = 0;
    int free[2] = {0, 0};
    int n = 0;
    for (int i = 0; i < kCells; ++i) {
      if (cells[i] == TilzRules::kBig) big = i;
      if (cells[i] == TilzRules::kFree && n < 2) free[n++] = i;
    }
    return distance_[Key(big, free[0], free[1])];
  }

  static constexpr std::uint8_t kUnknown = 255;

 private:
  static int Key(int big, int a, int b) {
    if (a > b) std::swap(a, b);
    return (big * kCells + a) * kCells + b;
  }
  static bool InBig(int anchor, int cell) {
    const int dc = cell / 5 - anchor / 5;
    const int dr = cell % 5 - anchor % 5;
    return dc >= 0 && dc <= 1 && dr >= 0 && dr <= 1;
  }
  bool Open(int c, int r) const { return TilzRules::OnBoard(c, r) && !wall_[5 * c + r]; }

  template <typename Visit>
  void ForEachLoosePush(int key, Visit visit) const {
    const int big = key / (kCells * kCells);
    const int a = key / kCells % kCells;
    const int b = key % kCells;
    auto filler = [&](int c, int r) {
      const int i = 5 * c + r;
      return Open(c, r) && !InBig(big, i) && i != a && i != b;
    };
    const int frees[2] = {a, b};
    for (int k = 0; k < 2; ++k) {
      const int fc = frees[k] / 5;
      const int fr = frees[k] % 5;
      for (int way = 0; way < 4; ++way) {
        const int c1 = fc + kDc[way];
        const int r1 = fr + kDr[way];
        if (!filler(c1, r1)) continue;
        visit(Key(big, 5 * c1 + r1, frees[1 - k]));
        const int c2 = c1 + kDc[way];
        const int r2 = r1 + kDr[way];
        if (filler(c2, r2)) visit(Key(big, 5 * c2 + r2, frees[1 - k]));
      }
    }
    const int ac = a / 5, ar = a % 5, bc = b / 5, br = b % 5;
    if (std::abs(ac - bc) + std::abs(ar - br) == 1) {
      const bool inRow = ar == br;
      for (int way = 0; way < 4; ++way) {
        if (inRow == (kDr[way] == 0)) continue;  // only across the pair
        const int nac = ac + kDc[way], nar = ar + kDr[way];
        const int nbc = bc + kDc[way], nbr = br + kDr[way];
        if (filler(nac, nar) && filler(nbc, nbr)) visit(Key(big, 5 * nac + nar, 5 * nbc + nbr));
      }
    }
    const int gc = big / 5, gr = big % 5;
    for (int way = 0; way < 4; ++way) {
      const int dc = kDc[way], dr = kDr[way];
      // The two cells in front of the big plate and the two it leaves.
      const int f1c = dc > 0 ? gc + 2 : dc < 0 ? gc - 1 : gc;
      const int f1r = dr > 0 ? gr + 2 : dr < 0 ? gr - 1 : gr;
      const int f2c = f1c + (dc == 0 ? 1 : 0), f2r = f1r + (dr == 0 ? 1 : 0);
      if (!Open(f1c, f1r) || !Open(f2c, f2r)) continue;
      const int f1 = 5 * f1c + f1r, f2 = 5 * f2c + f2r;
      if (!((f1 == a && f2 == b) || (f1 == b && f2 == a))) continue;
      const int t1c = dc > 0 ? gc : dc < 0 ? gc + 1 : gc;
      const int t1r = dr > 0 ? gr : dr < 0 ? gr + 1 : gr;
      const int t2c = t1c + (dc == 0 ? 1 : 0), t2r = t1r + (dr == 0 ? 1 : 0);
      visit(Key(big + 5 * dc + dr, 5 * t1c + t1r, 5 * t2c + t2r));
    }
  }

  std::vector<std::uint8_t> distance_;
  std::array<bool, kCells> wall_{};
};

// A position as one number: the big plate's anchor and the kind of every other
// cell (free, wall or big plate; wide; tall; small). A plate's halves follow
// from the kinds because plates never overlap, and walls never move. The last
// cell is left out: pushes never change how many cells of each kind there are,
// so it follows from the others.
std::uint64_t PositionKey(const Cells& cells) {
  static constexpr std::array<std::uint8_t, 11> kKind = {0, 0, 0, 0, 0, 0, 1, 1, 2, 2, 3};
  std::uint64_t key = 0;
  int big = 0;
  for (int i = 0; i < kCells - 1; ++i) {
    key |= static_cast<std::uint64_t>(kKind[cells[i] + 1]) << (2 * i);
    big = cells[i] == TilzRules::kBig ? i : big;
  }
  return key | static_cast<std::uint64_t>(big) << (2 * (kCells - 1));
}

// Calls visit(anchor cell, way, board after) for every push that moves a
// plate. Every such push moves the plate into a free cell, so only the plates
// beside the two free cells are tried.
template <typename Visit>
void ForEachPush(const Cells& cells, Visit visit) {
  for (int fc = 0; fc < kColumns; ++fc) {
    for (int fr = 0; fr < kRows; ++fr) {
      if (cells[5 * fc + fr] != TilzRules::kFree) continue;
      for (int way = 0; way < 4; ++way) {
        int pc = fc - kDc[way];
        int pr = fr - kDr[way];
        const int code = At(cells, pc, pr);
        if (code < 1) continue;
        if (code == 2 || code == 4 || code == 6) --pc;  // walk to the anchor
        if (code == 3 || code == 4 || code == 8) --pr;
        Cells after = cells;
        if (Push(after, pc, pr, way)) visit(5 * pc + pr, way, after);
      }
    }
  }
}

TilzMove MoveOf(int anchor, int way) {
  return {anchor / 5, anchor % 5, kPushes[way]};
}

// Open addressing from position keys to numbers 0, 1, 2, ... in the order the
// keys were added.
class KeyIndex {
 public:
  KeyIndex() : slots_(1 << 12, kAbsent) {}

  // The number of a known key, or kAbsent after giving it the next number.
  std::uint32_t FindOrAdd(std::uint64_t key) {
    if (2 * (keys_.size() + 1) > slots_.size()) Grow();
    std::size_t i = Hash(key) & (slots_.size() - 1);
    while (slots_[i] != kAbsent) {
      if (keys_[slots_[i]] == key) return slots_[i];
      i = (i + 1) & (slots_.size() - 1);
    }
    slots_[i] = static_cast<std::uint32_t>(keys_.size());
    keys_.push_back(key);
    return kAbsent;
  }
  std::uint32_t Find(std::uint64_t key) const {
    std::size_t i = Hash(key) & (slots_.size() - 1);
    while (slots_[i] != kAbsent) {
      if (keys_[slots_[i]] == key) return slots_[i];
      i = (i + 1) & (slots_.size() - 1);
    }
    return kAbsent;
  }
  std::size_t Size() const { return keys_.size(); }
  std::uint64_t Key(std::uint32_t n) const { return keys_[n]; }

  static constexpr std::uint32_t kAbsent = 0xffffffffu;

 private:
  static std::size_t Hash(std::uint64_t key) {
    key ^= key >> 31;
    key *= 0x7fb5d329728ea185ULL;
    key ^= key >> 27;
    return static_cast<std::size_t>(key);
  }
  void Grow() {
    slots_.assign(slots_.size() * 2, kAbsent);
    for (std::uint32_t n = 0; n < keys_.size(); ++n) {
      std::size_t i = Hash(keys_[n]) & (slots_.size() - 1);
      while (slots_[i] != kAbsent)
        i = (i + 1) & (slots_.size() - 1);
      slots_[i] = n;
    }
  }

  std::vector<std::uint32_t> slots_;
  std::vector<std::uint64_t> keys_;
};

// A* in pushes, guided by the loose puzzle's distance, which never drops by
// more than one per push. Positions wait in buckets by their estimate of the
// whole way; within a bucket the deepest goes first.
std::optional<std::vector<TilzMove>> SearchWithBound(const Cells& start, int goal,
                                                     const std::atomic<bool>* cancel) {
  const LooseBound bound(start, goal);
  const int first = bound.Of(start);
  if (first == LooseBound::kUnknown) return std::nullopt;
  struct Node {
    Cells cells;
    std::uint32_t parent;
    std::uint16_t pushes;   // from the start
    std::uint8_t estimate;  // the bound's pushes from here
    std::uint8_t anchor;    // the push that led here: plate anchor cell
    std::uint8_t way;       // and index into kPushes
  };
  std::vector<Node> nodes;
  nodes.reserve(1 << 12);
  KeyIndex index;
  std::vector<std::vector<std::uint32_t>> buckets(static_cast<std::size_t>(first) + 1);
  nodes.push_back({start, 0, 0, static_cast<std::uint8_t>(first), 0, 0});
  index.FindOrAdd(PositionKey(start));
  buckets[first].push_back(0);

  std::size_t expanded = 0;
  for (std::size_t f = static_cast<std::size_t>(first); f < buckets.size(); ++f) {
    while (!buckets[f].empty()) {
      const std::uint32_t at = buckets[f].back();
      buckets[f].pop_back();
      const Node node = nodes[at];
      // A position reached again by a shorter way left a stale entry here.
      if (node.pushes + node.estimate != static_cast<int>(f)) continue;
      if (node.cells[goal] == TilzRules::kBig) {
        std::vector<TilzMove> moves;
        for (std::uint32_t i = at; i != 0; i = nodes[i].parent)
          moves.push_back(MoveOf(nodes[i].anchor, nodes[i].way));
        std::reverse(moves.begin(), moves.end());
        return moves;
      }
      if (cancel && (++expanded & 255) == 0 && cancel->load(std::memory_order_relaxed))
        return std::nullopt;
      ForEachPush(node.cells, [&](int anchor, int way, const Cells& after) {
        const int estimate = bound.Of(after);
        if (estimate == LooseBound::kUnknown) return;
        const auto pushes = static_cast<std::uint16_t>(node.pushes + 1);
        const Node next{after,
                        at,
                        pushes,
                        static_cast<std::uint8_t>(estimate),
                        static_cast<std::uint8_t>(anchor),
                        static_cast<std::uint8_t>(way)};
        std::uint32_t slot = index.FindOrAdd(PositionKey(after));
        if (slot == KeyIndex::kAbsent) {
          slot = static_cast<std::uint32_t>(nodes.size());
          nodes.push_back(next);
        } else if (nodes[slot].pushes > pushes) {
          nodes[slot] = next;
        } else {
          return;
        }
        const std::size_t total = pushes + static_cast<std::size_t>(estimate);
        if (total >= buckets.size()) buckets.resize(total + 1);
        buckets[total].push_back(slot);
      });
    }
  }
  return std::nullopt;
}

}  // namespace

// Levels 1 to 3 have one target each and few enough positions to know them all:
// every position that play can reach from the level's start, sorted by key,
// with its fewest pushes to the target. A solve then only walks downhill.
struct TilzSolver::LevelTable {
  std::vector<std::uint64_t> keys;
  std::vector<std::uint8_t> pushes;

  int PushesFrom(const Cells& cells) const {
    const auto it = std::lower_bound(keys.begin(), keys.end(), PositionKey(cells));
    if (it == keys.end() || *it != PositionKey(cells)) return -1;
    return pushes[static_cast<std::size_t>(it - keys.begin())];
  }
};

std::shared_ptr<const TilzSolver::LevelTable> TilzSolver::BuildLevelTable(
    int level, const std::atomic<bool>* cancel) {
  Cells start{};
  for (int i = 0; i < kCells; ++i)
    start[i] = static_cast<std::int8_t>(TilzRules::TilzLevels[level - 1][i]);
  const TilzRules::Target target = TilzRules::TargetOf(level, 0);
  const int goal = 5 * target.column + target.row;

  // First every position and its neighbours, then breadth first back from the
  // positions on the target (every push can be undone by the opposite one).
  KeyIndex index;
  std::vector<Cells> boards{start};
  index.FindOrAdd(PositionKey(start));
  std::vector<std::uint32_t> firstNeighbour{0};
  std::vector<std::uint32_t> neighbours;
  for (std::size_t n = 0; n < boards.size(); ++n) {
    if (cancel && (n & 1023) == 0 && cancel->load(std::memory_order_relaxed)) return nullptr;
    const Cells from = boards[n];  // boards grows below
    ForEachPush(from, [&](int, int, const Cells& after) {
      std::uint32_t m = index.FindOrAdd(PositionKey(after));
      if (m == KeyIndex::kAbsent) {
        m = static_cast<std::uint32_t>(boards.size());
        boards.push_back(after);
      }
      neighbours.push_back(m);
    });
    firstNeighbour.push_back(static_cast<std::uint32_t>(neighbours.size()));
  }
  std::vector<std::uint8_t> pushes(boards.size(), 255);
  std::vector<std::uint32_t> queue;
  for (std::uint32_t n = 0; n < boards.size(); ++n) {
    if (boards[n][goal] != TilzRules::kBig) continue;
    pushes[n] = 0;
    queue.push_back(n);
  }
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const std::uint32_t n = queue[q];
    for (std::uint32_t e = firstNeighbour[n]; e < firstNeighbour[n + 1]; ++e) {
      if (pushes[neighbours[e]] != 255) continue;
      pushes[neighbours[e]] = static_cast<std::uint8_t>(std::min(pushes[n] + 1, 254));
      queue.push_back(neighbours[e]);
    }
  }
  std::vector<std::uint32_t> order(boards.size());
  for (std::uint32_t n = 0; n < order.size(); ++n)
    order[n] = n;
  std::sort(order.begin(), order.end(),
            [&](std::uint32_t a, std::uint32_t b) { return index.Key(a) < index.Key(b); });
  auto table = std::make_shared<LevelTable>();
  table->keys.reserve(order.size());
  table->pushes.reserve(order.size());
  for (std::uint32_t n : order) {
    table->keys.push_back(index.Key(n));
    table->pushes.push_back(pushes[n]);
  }
  return table;
}

std::shared_ptr<const TilzSolver::LevelTable> TilzSolver::TableFor(
    int level, const std::atomic<bool>* cancel) const {
  if (level < 1 || level > kTabledLevels) return nullptr;
  std::lock_guard<std::mutex> lock(shared_->mutex);
  auto& table = shared_->tables[static_cast<std::size_t>(level - 1)];
  if (!table) table = BuildLevelTable(level, cancel);
  return table;
}

TilzSolver::TilzSolver() : shared_(std::make_shared<Shared>()) {}

std::optional<std::vector<TilzMove>> TilzSolver::Solve(const TilzRules& rules,
                                                       const std::atomic<bool>* cancel) const {
  if (!IsWellFormed(rules.TilzBoard)) return std::nullopt;
  const TilzRules::Target target = rules.CurrentTarget();
  const int goal = 5 * target.column + target.row;
  Cells cells{};
  for (int i = 0; i < kCells; ++i)
    cells[i] = static_cast<std::int8_t>(rules.TilzBoard[i]);
  if (cells[goal] == TilzRules::kBig) return std::vector<TilzMove>{};

  const int level = std::clamp(rules.TilzLevel, 1, TilzRules::kLevels);
  const auto table = TableFor(level, cancel);
  if (cancel && cancel->load(std::memory_order_relaxed)) return std::nullopt;
  int left = table ? table->PushesFrom(cells) : -1;
  // A board that play on this level cannot reach (made by hand) is searched.
  if (left < 0 || left == 255) return SearchWithBound(cells, goal, cancel);
  std::vector<TilzMove> moves;
  while (left > 0) {
    bool stepped = false;
    ForEachPush(cells, [&](int anchor, int way, const Cells& after) {
      if (stepped || table->PushesFrom(after) != left - 1) return;
      moves.push_back(MoveOf(anchor, way));
      cells = after;
      stepped = true;
    });
    if (!stepped) return std::nullopt;  // cannot happen with a consistent table
    --left;
  }
  return moves;
}

}  // namespace zt
