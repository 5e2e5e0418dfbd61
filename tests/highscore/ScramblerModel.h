#pragma once

// An independent model of the high-score scrambler for the tests: the same
// chain of roundings, written as exact rational arithmetic over arbitrary-size
// integers, with no shortcut shared with the game's integer code. pi comes from
// its decimal digits here, not from a bit pattern.

#include <QString>
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zt::test {

// A natural number of any size, little-endian 32-bit limbs without leading
// zero limbs. Only what the model needs, written for clarity over speed.
class Nat {
 public:
  Nat() = default;
  Nat(std::uint64_t v) {  // NOLINT: plain numbers convert freely
    while (v != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(v));
      v >>= 32;
    }
  }

  static Nat FromDecimal(std::string_view digits) {
    Nat n;
    for (char c : digits)
      n = n * Nat(10) + Nat(static_cast<std::uint64_t>(c - '0'));
    return n;
  }

  bool IsZero() const { return limbs_.empty(); }
  bool IsOdd() const { return !limbs_.empty() && (limbs_[0] & 1) != 0; }
  int Bits() const {
    if (limbs_.empty()) return 0;
    int n = 32 * static_cast<int>(limbs_.size() - 1);
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1)
      ++n;
    return n;
  }
  bool Bit(int i) const {
    const std::size_t limb = static_cast<std::size_t>(i) / 32;
    return limb < limbs_.size() && ((limbs_[limb] >> (i % 32)) & 1) != 0;
  }
  void SetBit(int i) {
    const std::size_t limb = static_cast<std::size_t>(i) / 32;
    if (limbs_.size() <= limb) limbs_.resize(limb + 1, 0);
    limbs_[limb] |= std::uint32_t{1} << (i % 32);
  }
  std::uint64_t ToU64() const {
    std::uint64_t v = 0;
    for (std::size_t i = std::min<std::size_t>(limbs_.size(), 2); i-- > 0;)
      v = (v << 32) | limbs_[i];
    return v;
  }

  friend bool operator==(const Nat& a, const Nat& b) { return a.limbs_ == b.limbs_; }
  friend bool operator<(const Nat& a, const Nat& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size();
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i];
    }
    return false;
  }

  friend Nat operator+(const Nat& a, const Nat& b) {
    Nat r;
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < std::max(a.limbs_.size(), b.limbs_.size()) || carry; ++i) {
      const std::uint64_t s = carry + a.Limb(i) + b.Limb(i);
      r.limbs_.push_back(static_cast<std::uint32_t>(s));
      carry = s >> 32;
    }
    r.Trim();
    return r;
  }
  friend Nat operator-(const Nat& a, const Nat& b) {  // a >= b
    Nat r;
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
      std::int64_t s = static_cast<std::int64_t>(a.Limb(i)) - b.Limb(i) - borrow;
      borrow = s < 0 ? 1 : 0;
      if (s < 0) s += std::int64_t{1} << 32;
      r.limbs_.push_back(static_cast<std::uint32_t>(s));
    }
    r.Trim();
    return r;
  }
  friend Nat operator*(const Nat& a, const Nat& b) {
    Nat r;
    r.limbs_.assign(a.limbs_.size() + b.limbs_.size() + 1, 0);
    for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
      std::uint64_t carry = 0;
      for (std::size_t j = 0; j < b.limbs_.size() || carry; ++j) {
        const std::uint64_t s =
            r.limbs_[i + j] + carry + static_cast<std::uint64_t>(a.limbs_[i]) * b.Limb(j);
        r.limbs_[i + j] = static_cast<std::uint32_t>(s);
        carry = s >> 32;
      }
    }
    r.Trim();
    return r;
  }
  Nat Shl(int s) const {
    Nat r;
    for (int i = Bits() - 1; i >= 0; --i) {
      if (Bit(i)) r.SetBit(i + s);
    }
    return r;
  }
  // Schoolbook binary long division.
  static void DivMod(const Nat& a, const Nat& b, Nat& q, Nat& r) {
    q = Nat();
    r = Nat();
    for (int i = a.Bits() - 1; i >= 0; --i) {
      r = r.Shl(1);
      if (a.Bit(i)) r.SetBit(0);
      if (!(r < b)) {
        r = r - b;
        q.SetBit(i);
      }
    }
  }

 private:
  std::uint32_t Limb(std::size_t i) const { return i < limbs_.size() ? limbs_[i] : 0; }
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0)
      limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

// A non-negative rational number.
struct Ratio {
  Nat num;
  Nat den = Nat(1);
};

inline Ratio Add(const Ratio& a, const Ratio& b) {
  return Ratio{a.num * b.den + b.num * a.den, a.den * b.den};
}
inline Ratio Times(const Ratio& a, std::uint64_t k) {
  return Ratio{a.num * Nat(k), a.den};
}
inline Nat Floor(const Ratio& a) {
  Nat q, r;
  Nat::DivMod(a.num, a.den, q, r);
  return q;
}
inline Ratio Fraction(const Ratio& a) {
  Nat q, r;
  Nat::DivMod(a.num, a.den, q, r);
  return Ratio{r, a.den};
}

// The nearest number with a `bits`-bit mantissa, ties to even.
inline Ratio RoundToBits(const Ratio& x, int bits) {
  if (x.num.IsZero()) return x;
  int s = bits - 1 - (x.num.Bits() - x.den.Bits());
  Nat q, r, d;
  for (;;) {
    const Nat n = s >= 0 ? x.num.Shl(s) : x.num;
    d = s >= 0 ? x.den : x.den.Shl(-s);
    Nat::DivMod(n, d, q, r);
    if (q.Bits() > bits) {
      --s;
    } else if (q.Bits() < bits) {
      ++s;
    } else {
      break;
    }
  }
  const Nat twice = r.Shl(1);
  if (d < twice || (twice == d && q.IsOdd())) q = q + Nat(1);
  return s >= 0 ? Ratio{q, Nat(1).Shl(s)} : Ratio{q.Shl(-s), Nat(1)};
}

// The 80-bit pi: the decimal constant rounded to a 64-bit mantissa.
inline const Ratio& ExtendedPi() {
  static const Ratio pi = RoundToBits(
      Ratio{Nat::FromDecimal("314159265358979323851"), Nat::FromDecimal("100000000000000000000")},
      64);
  return pi;
}

// Scramble(text, signedKey) over the given alphabet, by the rules: the start
// value |key / pi| rounded to 64 then 53 bits; per position the fractional
// part f, the shift Trunc(round64(n * f)) (negated for a negative key), the
// next value round53(round64(997 * f + pi)), and the character d places along.
inline QString ModelScramble(const QString& alphabet, const QString& text, std::int64_t signedKey) {
  QString result = text;
  const std::int64_t n = alphabet.size();
  const std::uint64_t magnitude =
      static_cast<std::uint64_t>(signedKey < 0 ? -signedKey : signedKey);
  const Ratio& pi = ExtendedPi();
  Ratio a = RoundToBits(RoundToBits(Ratio{Nat(magnitude) * pi.den, pi.num}, 64), 53);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const Ratio f = Fraction(a);
    std::int64_t d = static_cast<std::int64_t>(Floor(RoundToBits(Times(f, n), 64)).ToU64());
    if (signedKey < 0) d = -d;
    a = RoundToBits(RoundToBits(Add(Times(f, 997), pi), 64), 53);
    const qsizetype j = alphabet.indexOf(text[i]);
    if (j >= 0) result[i] = alphabet[((n + j + 1 + d - 1) % n + 1) - 1];
  }
  return result;
}

}  // namespace zt::test
