#pragma once

#include <array>
#include <cstdint>

namespace zt {

// Set bits of a cell or slot mask of at most 20 bits, from two tables of
// 1024. The build does not assume a processor with a popcount instruction,
// and the library call in its place is slow in the solvers' inner loops.
inline int CountMaskBits(std::uint32_t mask) {
  static constexpr std::array<std::uint8_t, 1024> kBits = [] {
    std::array<std::uint8_t, 1024> bits{};
    for (std::size_t m = 1; m < bits.size(); ++m)
      bits[m] = static_cast<std::uint8_t>(bits[m >> 1] + (m & 1));
    return bits;
  }();
  return kBits[mask & 1023] + kBits[mask >> 10 & 1023];
}

}  // namespace zt
