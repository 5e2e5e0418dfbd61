#pragma once

#include <QString>
#include <cstdint>

namespace zt {

// Scrambles a text into one of the same length and back. Every character found
// in Alphabet is replaced by the character a varying number of places further
// along it; the sequence of shifts depends only on the key number and the
// position, so Decode undoes Encode for any text when Alphabet has no repeated
// characters. Characters outside Alphabet (spaces, punctuation, national
// letters with the default alphabet) pass unchanged. One QChar is one position.
//
// The shift sequence comes from a chain of 64-bit-mantissa and double
// roundings that entries already stored depend on, so it is computed exactly in
// integer arithmetic: the same results on every platform, whatever its
// floating-point types.
struct TextScrambler {
  static constexpr std::int32_t kDefaultKeyNumber = 47213;
  static constexpr std::int32_t kMaxKeyNumber = 2147482863;  // 2147483647 - 784
  static const QString& DefaultAlphabet();

  QString Alphabet = DefaultAlphabet();
  std::int32_t KeyNumber = kDefaultKeyNumber;

  // An empty alphabet selects the default one; the key number is taken by its
  // magnitude, 0 selects the default and anything above kMaxKeyNumber
  // (-2147483648 included) becomes kMaxKeyNumber.
  void Init(const QString& alphabet, std::int32_t keyNumber);

  QString Encode(const QString& text) const;
  QString Decode(const QString& text) const;
  // The sign of signedKey gives the direction of the shifts, its magnitude the
  // sequence of shift amounts.
  QString Scramble(const QString& text, std::int32_t signedKey) const;

 private:
  // signedKey as a 64-bit value, so that the negation of -2147483648 (a
  // KeyNumber set without Init) stays defined.
  QString Run(const QString& text, std::int64_t signedKey) const;
};

}  // namespace zt
