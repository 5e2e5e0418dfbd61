#include "highscore/TextScrambler.h"

#include <algorithm>

namespace zt {

namespace {

// An unsigned 128-bit integer, just wide enough for the exact products and sums
// below. Written out instead of relying on a compiler extension so that every
// platform runs the same code.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

constexpr U128 Make(std::uint64_t v) {
  return U128{0, v};
}

bool IsZero(U128 a) {
  return a.hi == 0 && a.lo == 0;
}
bool Less(U128 a, U128 b) {
  return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
}
bool Equal(U128 a, U128 b) {
  return a.hi == b.hi && a.lo == b.lo;
}

U128 Add(U128 a, U128 b) {
  U128 r{a.hi + b.hi, a.lo + b.lo};
  if (r.lo < a.lo) ++r.hi;
  return r;
}

U128 Sub(U128 a, U128 b) {  // a >= b
  U128 r{a.hi - b.hi, a.lo - b.lo};
  if (a.lo < b.lo) --r.hi;
  return r;
}

U128 Shl(U128 a, int s) {
  if (s <= 0) return a;
  if (s >= 128) return U128{};
  if (s >= 64) return U128{a.lo << (s - 64), 0};
  return U128{(a.hi << s) | (a.lo >> (64 - s)), a.lo << s};
}

U128 Shr(U128 a, int s) {
  if (s <= 0) return a;
  if (s >= 128) return U128{};
  if (s >= 64) return U128{0, a.hi >> (s - 64)};
  return U128{a.hi >> s, (a.lo >> s) | (a.hi << (64 - s))};
}

// The lowest s bits of a.
U128 LowBits(U128 a, int s) {
  if (s <= 0) return U128{};
  if (s >= 128) return a;
  if (s == 64) return U128{0, a.lo};
  if (s > 64) return U128{a.hi & ((std::uint64_t{1} << (s - 64)) - 1), a.lo};
  return U128{0, a.lo & ((std::uint64_t{1} << s) - 1)};
}

int BitLength(U128 a) {
  int n = 0;
  std::uint64_t top = a.hi != 0 ? a.hi : a.lo;
  while (top != 0) {
    ++n;
    top >>= 1;
  }
  return a.hi != 0 ? n + 64 : n;
}

U128 Mul(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return U128{p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
              (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// A non-negative binary fraction m * 2^e.
struct Dyadic {
  U128 m;
  int e = 0;
};

// Rounds m * 2^e to the nearest value with a mantissa of `bits` bits, ties to
// even, as the floating-point unit does. `sticky` says that the true value
// lies a little above m * 2^e (a remainder below the last bit of m); callers
// pass at least two bits more than `bits` whenever it is set.
Dyadic Round(U128 m, int e, bool sticky, int bits) {
  const int length = BitLength(m);
  if (length <= bits) return Dyadic{m, e};
  const int drop = length - bits;
  const U128 rest = LowBits(m, drop);
  const U128 half = Shl(Make(1), drop - 1);
  Dyadic r{Shr(m, drop), e + drop};
  const bool up = Less(half, rest) || (Equal(rest, half) && (sticky || (r.m.lo & 1) != 0));
  if (up) {
    r.m = Add(r.m, Make(1));
    if (BitLength(r.m) > bits) {  // carried into a new top bit: a power of two
      r.m = Shr(r.m, 1);
      ++r.e;
    }
  }
  return r;
}

// The x87 constant for pi, the 64-bit mantissa nearest to it:
// 3.14159265358979323851... = kPiMantissa * 2^-62.
constexpr std::uint64_t kPiMantissa = 0xC90FDAA22168C235u;
constexpr int kPiExponent = -62;

constexpr int kExtended = 64;  // mantissa bits of the 80-bit format
constexpr int kDouble = 53;

// |key| / pi in extended precision, then rounded to a double.
Dyadic StartValue(std::uint64_t key) {
  if (key == 0) return Dyadic{};
  // Long division of key * 2^62 by the mantissa, one bit at a time, until the
  // quotient holds two bits more than the extended mantissa; the remainder
  // then only decides ties.
  const U128 divisor = Make(kPiMantissa);
  U128 quotient, remainder;
  for (int bit = 63; bit >= 0; --bit) {
    remainder = Add(Shl(remainder, 1), Make((key >> bit) & 1));
    quotient = Shl(quotient, 1);
    if (!Less(remainder, divisor)) {
      remainder = Sub(remainder, divisor);
      quotient.lo |= 1;
    }
  }
  int extraBits = 0;
  while (BitLength(quotient) < kExtended + 2) {
    remainder = Shl(remainder, 1);
    quotient = Shl(quotient, 1);
    if (!Less(remainder, divisor)) {
      remainder = Sub(remainder, divisor);
      quotient.lo |= 1;
    }
    ++extraBits;
  }
  const Dyadic extended = Round(quotient, -kPiExponent - extraBits, !IsZero(remainder), kExtended);
  return Round(extended.m, extended.e, false, kDouble);
}

// The fractional part of a double; exact.
Dyadic Fraction(const Dyadic& a) {
  if (a.e >= 0) return Dyadic{};
  return Dyadic{LowBits(a.m, -a.e), a.e};
}

// Trunc(n * f) with the product in extended precision.
std::int64_t ShiftAmount(std::uint64_t n, const Dyadic& f) {
  const Dyadic product = Round(Mul(n, f.m.lo), f.e, false, kExtended);
  const U128 whole = product.e >= 0 ? Shl(product.m, product.e) : Shr(product.m, -product.e);
  return static_cast<std::int64_t>(whole.lo);
}

// 997 * f + pi, the sum rounded to the extended mantissa, then to a double.
Dyadic NextValue(const Dyadic& f) {
  const U128 scaled = Mul(997, f.m.lo);  // below 2^63, exact
  const int e = std::min(f.e, kPiExponent);
  const U128 sum = Add(Shl(scaled, f.e - e), Shl(Make(kPiMantissa), kPiExponent - e));
  const Dyadic extended = Round(sum, e, false, kExtended);
  return Round(extended.m, extended.e, false, kDouble);
}

}  // namespace

const QString& TextScrambler::DefaultAlphabet() {
  static const QString alphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
  return alphabet;
}

void TextScrambler::Init(const QString& alphabet, std::int32_t keyNumber) {
  Alphabet = alphabet.isEmpty() ? DefaultAlphabet() : alphabet;
  std::int64_t magnitude = keyNumber;
  if (magnitude < 0) magnitude = -magnitude;
  if (magnitude == 0) magnitude = kDefaultKeyNumber;
  KeyNumber = static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, kMaxKeyNumber));
}

QString TextScrambler::Encode(const QString& text) const {
  return Run(text, KeyNumber);
}

QString TextScrambler::Decode(const QString& text) const {
  return Run(text, -static_cast<std::int64_t>(KeyNumber));
}

QString TextScrambler::Scramble(const QString& text, std::int32_t signedKey) const {
  return Run(text, signedKey);
}

QString TextScrambler::Run(const QString& text, std::int64_t signedKey) const {
  QString result = text;
  if (text.isEmpty() || Alphabet.isEmpty()) return result;
  const std::int64_t n = Alphabet.size();
  const bool backwards = signedKey < 0;
  Dyadic a = StartValue(static_cast<std::uint64_t>(backwards ? -signedKey : signedKey));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const Dyadic f = Fraction(a);
    std::int64_t d = ShiftAmount(static_cast<std::uint64_t>(n), f);
    if (backwards) d = -d;
    a = NextValue(f);
    const qsizetype j = Alphabet.indexOf(text[i]);
    if (j >= 0) result[i] = Alphabet[static_cast<qsizetype>((n + j + d) % n)];
  }
  return result;
}

}  // namespace zt
