// The stored high-score entries: a value of any bytes goes through Decode and
// the entry parser; a whole settings file of any bytes goes through the list
// loader, and a new entry written into it must read back as written.
#include <QFile>

#include "fuzz/FuzzKit.h"
#include "highscore/HighscoreList.h"

namespace {

using namespace zt;

const TextScrambler& Scrambler() {
  static const TextScrambler scrambler = [] {
    TextScrambler c;
    c.Init(QString(), 0);
    return c;
  }();
  return scrambler;
}

void CheckEntry(const QString& plain, const HighscoreEntry& e) {
  ZT_FUZZ_CHECK(e.time >= 0);
  if (!plain.contains(',')) ZT_FUZZ_CHECK(e == EmptyEntry());
  if (!e.IsEmpty()) {
    ZT_FUZZ_CHECK(ParseEntry(FormatEntry(e)) == e);
    ZT_FUZZ_CHECK(plain.endsWith(e.name));
  }
}

void CheckOrder(const HighscoreTable& table) {
  for (int i = 1; i < kHighscorePlaces; ++i) {
    const HighscoreEntry& a = table[i - 1];
    const HighscoreEntry& b = table[i];
    if (a.IsEmpty()) ZT_FUZZ_CHECK(b.IsEmpty());
    if (!b.IsEmpty()) ZT_FUZZ_CHECK(a.time <= b.time);
  }
}

void FuzzValue(const std::uint8_t* data, std::size_t size) {
  const QString stored = fuzz::Utf8(data, size);
  const QString plain = Scrambler().Decode(stored);
  CheckEntry(plain, ParseEntry(plain));
  CheckEntry(stored, ParseEntry(stored));
}

void FuzzFile(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::Scratch().filePath("scores.ini");
  if (!fuzz::WriteSettingsFile(path, data, size)) return;
  {
    SettingsStore store(path);
    HighscoreStore lists(store, Scrambler());
    (void)lists.ReadPlayerName();
    CheckOrder(lists.Load("crux02"));

    HighscoreSession session(store, Scrambler());
    if (session.Begin("crux02", 1) && session.NewEntry() >= 0) {
      const int place = session.NewEntry();
      const QString name = QStringLiteral("Fuzz, the player");
      if (session.Confirm(false, name)) {
        const HighscoreTable back = lists.Load("crux02");
        ZT_FUZZ_CHECK(back == session.Entries());
        ZT_FUZZ_CHECK(back[place] == (HighscoreEntry{name, 1}));
        ZT_FUZZ_CHECK(lists.ReadPlayerName() == name);
      }
    }
  }
  QFile::remove(path);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

// The first byte chooses: even, the bytes are one stored value; odd, they are
// a whole settings file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    FuzzValue(data + 1, size - 1);
  } else {
    FuzzFile(data + 1, size - 1);
  }
  return 0;
}
