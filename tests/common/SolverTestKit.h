#pragma once

#include <QString>
#include <cstddef>

namespace zt::test {

// Long sweeps run in full in the normal build and with fewer cases under
// AddressSanitizer and UndefinedBehaviorSanitizer, which make them several
// times slower. The build defines ZT_SANITIZED for the sanitizer build.
#ifdef ZT_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

// Follows the hints as a player would: from the board in `rules`, makes the
// first move of each solution `solve` gives (`apply` makes it, false when the
// rules refuse it) until `done` holds; `solve` is called once for the first
// solution and once before each move. Empty when every solution was at most
// what was left of the one before and the whole way no longer than the first
// solution, else what went wrong.
template <typename Rules, typename Solve, typename Apply, typename Done>
QString FollowFirstMoves(Rules rules, Solve solve, Apply apply, Done done) {
  const auto first = solve(rules);
  if (!first) return QStringLiteral("no first solution");
  std::size_t left = first->size();
  std::size_t followed = 0;
  while (!done(rules)) {
    const auto moves = solve(rules);
    if (!moves || moves->empty()) return QStringLiteral("no solution after %1 moves").arg(followed);
    if (moves->size() > left) {
      return QStringLiteral("%1 moves after %2, %3 before")
          .arg(moves->size())
          .arg(followed)
          .arg(left);
    }
    if (!apply(rules, moves->front()))
      return QStringLiteral("move %1 refused by the rules").arg(followed + 1);
    ++followed;
    left = moves->size() - 1;
  }
  if (followed > first->size())
    return QStringLiteral("%1 moves followed, %2 in the first").arg(followed).arg(first->size());
  return {};
}

}  // namespace zt::test
