// The scrambler over any text and any key number: Decode must take whatever
// a settings file holds, and Encode and Decode must undo each other.
#include <cstring>

#include "fuzz/FuzzKit.h"
#include "highscore/TextScrambler.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zt::TextScrambler;
  TextScrambler scrambler;
  // The first four bytes pick a key number, any 32-bit value; the rest is the
  // text, as UTF-16 code units.
  if (size >= 4) {
    std::int32_t key = 0;
    std::memcpy(&key, data, 4);
    scrambler.Init(QString(), key);
    ZT_FUZZ_CHECK(scrambler.KeyNumber >= 1 && scrambler.KeyNumber <= TextScrambler::kMaxKeyNumber);
    data += 4;
    size -= 4;
  } else {
    scrambler.Init(QString(), 0);
  }
  const QString text = zt::fuzz::Utf16(data, size);
  const QString decoded = scrambler.Decode(text);
  const QString encoded = scrambler.Encode(text);
  ZT_FUZZ_CHECK(decoded.size() == text.size());
  ZT_FUZZ_CHECK(encoded.size() == text.size());
  ZT_FUZZ_CHECK(scrambler.Encode(decoded) == text);
  ZT_FUZZ_CHECK(scrambler.Decode(encoded) == text);
  // Characters outside the alphabet keep their places.
  const QString& alphabet = TextScrambler::DefaultAlphabet();
  for (qsizetype i = 0; i < text.size(); ++i) {
    ZT_FUZZ_CHECK(alphabet.contains(text[i]) == alphabet.contains(decoded[i]));
    if (!alphabet.contains(text[i])) ZT_FUZZ_CHECK(decoded[i] == text[i]);
  }
  return 0;
}
