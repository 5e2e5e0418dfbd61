// The scrambler over any text and any key number: Decode must take whatever
// a settings file holds, and Encode and Decode must undo each other.
#include <cstring>

#include "fuzz/FuzzKit.h"
#include "highscore/Chiffre.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zt::TChiffre;
  TChiffre chiffre;
  // The first four bytes pick a key number, any 32-bit value; the rest is the
  // text, as UTF-16 code units.
  if (size >= 4) {
    std::int32_t key = 0;
    std::memcpy(&key, data, 4);
    chiffre.Init(QString(), key);
    ZT_FUZZ_CHECK(chiffre.KeyNumber >= 1 && chiffre.KeyNumber <= TChiffre::kMaxKeyNumber);
    data += 4;
    size -= 4;
  } else {
    chiffre.Init(QString(), 0);
  }
  const QString text = zt::fuzz::Utf16(data, size);
  const QString decoded = chiffre.Decode(text);
  const QString encoded = chiffre.Encode(text);
  ZT_FUZZ_CHECK(decoded.size() == text.size());
  ZT_FUZZ_CHECK(encoded.size() == text.size());
  ZT_FUZZ_CHECK(chiffre.Encode(decoded) == text);
  ZT_FUZZ_CHECK(chiffre.Decode(encoded) == text);
  // Characters outside the alphabet keep their places.
  const QString& alphabet = TChiffre::DefaultAlphabet();
  for (qsizetype i = 0; i < text.size(); ++i) {
    ZT_FUZZ_CHECK(alphabet.contains(text[i]) == alphabet.contains(decoded[i]));
    if (!alphabet.contains(text[i])) ZT_FUZZ_CHECK(decoded[i] == text[i]);
  }
  return 0;
}
