#include "puzzles/transit/TransitRules.h"

#include <algorithm>
#include <utility>

namespace zt {

namespace {

constexpr int kN = TransitRules::kSize;

// The patterns as they are easiest to read and check: row by row, each string
// the kinds of columns 0 to 6.
using PatternRows = std::array<const char*, kN>;
constexpr std::array<PatternRows, TransitRules::kPatternCount> kPatternRows{{
    {{"0000000", "0000000", "0011100", "0011100", "0011100", "0000000", "0000000"}},  // 1
    {{"0000000", "0000000", "0012100", "0022200", "0012100", "0000000", "0000000"}},  // 2
    {{"0000000", "0220220", "0221220", "0011100", "0221220", "0220220", "0000000"}},  // 3
    {{"0000000", "0001000", "0012100", "0122210", "0012100", "0001000", "0000000"}},  // 4
    {{"0000000", "0333330", "0311130", "0312130", "0311130", "0333330", "0000000"}},  // 5
    {{"2002002", "0202020", "0022200", "2222222", "0022200", "0202020", "2002002"}},  // 6
    {{"0000000", "0113220", "0113220", "0333330", "0223110", "0223110", "0000000"}},  // 7
    {{"0000000", "0100010", "0120210", "0123210", "0120210", "0100010", "0000000"}},  // 8
    {{"0000000", "0123330", "0212330", "0321230", "0332120", "0333210", "0000000"}},  // 9
    {{"0001000", "0111110", "0133310", "1132311", "0133310", "0111110", "0001000"}},  // 10
    {{"1100011", "1103011", "0022200", "0323230", "0022200", "1103011", "1100011"}},  // 11
    {{"1111110", "1222202", "1222012", "1220112", "1201112", "1011112", "0222222"}},  // 12
    {{"1000000", "1033333", "1032223", "1034123", "1000123", "1111123", "2222223"}},  // 13
    {{"0002333", "0002333", "0002333", "2222222", "1112444", "1112444", "1112444"}},  // 14
    {{"2020202", "0202020", "2020202", "0202020", "2020202", "0202020", "2020202"}},  // 15
    {{"0123456", "0123456", "0123456", "0123456", "0123456", "0123456", "0123456"}},  // 16
    {{"0011001", "2332233", "0011001", "2332233", "0011001", "2332233", "0011001"}},  // 17
    {{"0011100", "0122210", "1233321", "1234321", "1233321", "0122210", "0011100"}},  // 18
    {{"0002000", "0332330", "0312130", "0312130", "0312130", "0332330", "0002000"}},  // 19
    {{"3103013", "1102011", "0002000", "3222223", "0002000", "1102011", "3103013"}},  // 20
    {{"2000002", "2111112", "2221222", "3321233", "2221222", "2111112", "2000002"}},  // 21
    {{"1003001", "0123210", "0245420", "3356533", "0245420", "0123210", "1003001"}},  // 22
}};

constexpr TransitRules::Grid ToGrid(const PatternRows& rows) {
  TransitRules::Grid grid{};
  for (int y = 0; y < kN; ++y) {
    for (int x = 0; x < kN; ++x)
      grid[x][y] = static_cast<std::uint8_t>(rows[y][x] - '0');
  }
  return grid;
}

constexpr std::array<TransitRules::Grid, TransitRules::kPatternCount> MakePatterns() {
  std::array<TransitRules::Grid, TransitRules::kPatternCount> patterns{};
  for (int p = 0; p < TransitRules::kPatternCount; ++p)
    patterns[p] = ToGrid(kPatternRows[p]);
  return patterns;
}

}  // namespace

// Built at compile time, so any static TransitRules sees the table filled.
constinit const std::array<TransitRules::Grid, TransitRules::kPatternCount>
    TransitRules::TransitPatterns = MakePatterns();

TransitRules::PictureMap TransitRules::IdentityMap() {
  PictureMap map{};
  for (int i = 0; i < kPictureCount; ++i)
    map[i] = i;
  return map;
}

const TransitRules::Grid& TransitRules::Target() const {
  return TransitPatterns[std::clamp(TransitPattern, 1, kPatternCount) - 1];
}

int TransitRules::PictureOf(int kind) const {
  if (kind < 0 || kind >= kPictureCount) return TransitPictureMap[0];
  return TransitPictureMap[kind];
}

void TransitRules::ShuffleTransitPictures(Random& random) {
  TransitPictureMap = IdentityMap();
  for (int i = 0; i < kShuffleSwaps; ++i) {
    const int s = random.Next(kPictureCount);
    const int t = random.Next(kPictureCount);
    std::swap(TransitPictureMap[s], TransitPictureMap[t]);
  }
}

void TransitRules::SetUpTransitBoard(Random& random) {
  TransitBoard = Target();
  // Every rotation is allowed, so all 1000 of them count; a mix that happens to
  // end on the pattern is left as it is and only a player's move can solve it.
  static constexpr TransitDirection kByDraw[4] = {TransitDirection::Left, TransitDirection::Right,
                                                  TransitDirection::Up, TransitDirection::Down};
  for (int i = 0; i < kMixRotations; ++i) {
    const int a = random.Next(4);
    const int b = random.Next(kN);
    RotateTransitLine(kByDraw[a], b);
  }
}

void TransitRules::RotateTransitRow(int row, TransitDirection direction) {
  if (row < 0 || row >= kN) return;
  if (direction == TransitDirection::Left) {
    const std::uint8_t first = TransitBoard[0][row];
    for (int x = 0; x < kN - 1; ++x)
      TransitBoard[x][row] = TransitBoard[x + 1][row];
    TransitBoard[kN - 1][row] = first;
  } else if (direction == TransitDirection::Right) {
    const std::uint8_t last = TransitBoard[kN - 1][row];
    for (int x = kN - 1; x > 0; --x)
      TransitBoard[x][row] = TransitBoard[x - 1][row];
    TransitBoard[0][row] = last;
  }
}

void TransitRules::RotateTransitColumn(int column, TransitDirection direction) {
  if (column < 0 || column >= kN) return;
  auto& cells = TransitBoard[column];
  if (direction == TransitDirection::Up) {
    std::rotate(cells.begin(), cells.begin() + 1, cells.end());
  } else if (direction == TransitDirection::Down) {
    std::rotate(cells.begin(), cells.end() - 1, cells.end());
  }
}

void TransitRules::RotateTransitLine(TransitDirection direction, int line) {
  if (direction == TransitDirection::Left || direction == TransitDirection::Right) {
    RotateTransitRow(line, direction);
  } else {
    RotateTransitColumn(line, direction);
  }
}

bool TransitRules::IsTransitPatternBuilt() const {
  return TransitBoard == Target();
}

}  // namespace zt
