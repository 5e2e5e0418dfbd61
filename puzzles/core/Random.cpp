#include "puzzles/core/Random.h"

#include <chrono>

namespace zt {

ClockRandom::ClockRandom()
    : gen_(
          static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                     std::chrono::system_clock::now().time_since_epoch().count())) {
}

int ClockRandom::Next(int n) {
  if (n < 1) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(gen_);
}

}  // namespace zt
