#pragma once

#include <cstdint>
#include <random>

namespace zt {

// Uniform random integers for mixing. Tests inject scripted sequences.
class Random {
 public:
  virtual ~Random() = default;
  // A uniform integer in 0..n-1 (0 when n < 1).
  virtual int Next(int n) = 0;
};

// The game's generator: one Mersenne twister, seeded from the clock once.
class ClockRandom final : public Random {
 public:
  ClockRandom();
  explicit ClockRandom(std::uint32_t seed) : gen_(seed) {}
  int Next(int n) override;

 private:
  std::mt19937 gen_;
};

}  // namespace zt
