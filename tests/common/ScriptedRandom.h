#pragma once

#include <QtGlobal>
#include <cstddef>
#include <vector>

#include "puzzles/core/Random.h"
#include "tests/common/Require.h"

namespace zt::test {

// Hands out a fixed sequence, cycling when it runs out, and records every
// request so tests can check how many numbers were drawn and from which range.
class ScriptedRandom : public Random {
 public:
  ScriptedRandom() = default;
  explicit ScriptedRandom(std::vector<int> script) : script_(std::move(script)) {}

  void SetScript(std::vector<int> script) {
    script_ = std::move(script);
    next_ = 0;
  }
  int Next(int n) override {
    ranges.push_back(n);
    if (script_.empty()) return 0;
    const int value = script_[next_ % script_.size()];
    ++next_;
    ZT_REQUIRE(value >= 0 && value < n);
    return value;
  }

  std::vector<int> ranges;  // the n of every call

 private:
  std::vector<int> script_;
  std::size_t next_ = 0;
};

}  // namespace zt::test
