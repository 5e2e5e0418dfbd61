// Section "common" of the settings file: whatever the file holds, the values
// read are in range, and the values the game writes at a quit read back as
// written, the garbage around them notwithstanding.
#include <QFile>
#include <QList>
#include <algorithm>

#include "core/GameSettings.h"
#include "core/WindowPlacement.h"
#include "fuzz/FuzzKit.h"

namespace {

using namespace zt;

const char* const kKeys[] = {"tongue", "mode",  "cmode", "bhorz", "bvert",
                             "tmode",  "zmode", "sound", "music", "MainForm"};

void CheckRanges(const GameSettings& s) {
  ZT_FUZZ_CHECK(s.mode >= 0 && s.mode <= 3);
  ZT_FUZZ_CHECK(s.variants[kCrux][0] >= 1 && s.variants[kCrux][0] <= 16);
  ZT_FUZZ_CHECK(s.variants[kBoss][0] >= 3 && s.variants[kBoss][0] <= 7);
  ZT_FUZZ_CHECK(s.variants[kBoss][1] >= 2 && s.variants[kBoss][1] <= 5);
  ZT_FUZZ_CHECK(s.variants[kTransit][0] >= 1 && s.variants[kTransit][0] <= 22);
  ZT_FUZZ_CHECK(s.variants[kTilz][0] >= 1 && s.variants[kTilz][0] <= 5);
}

QString File() {
  return fuzz::Scratch().filePath("settings.ini");
}

// Reads, checks, then plays a quit: other values written over the file must
// come back exactly.
void ReadAndQuit(const QString& path) {
  SettingsStore store(path);
  const GameSettings s = ReadGameSettings(store);
  CheckRanges(s);
  (void)ParseWindowPosition(store.ReadString("Common", "MainForm", QString()));

  GameSettings next = s;
  next.tongue = s.tongue == 1 ? 0 : 1;
  next.mode = (s.mode + 1) % 4;
  next.variants[kCrux][0] = s.variants[kCrux][0] % 16 + 1;
  next.variants[kBoss][0] = s.variants[kBoss][0] == 7 ? 3 : s.variants[kBoss][0] + 1;
  next.variants[kBoss][1] = s.variants[kBoss][1] == 5 ? 2 : s.variants[kBoss][1] + 1;
  next.variants[kTransit][0] = s.variants[kTransit][0] % 22 + 1;
  next.variants[kTilz][0] = s.variants[kTilz][0] % 5 + 1;
  next.sound = !s.sound;
  next.music = !s.music;
  WindowPlacement placement;
  placement.normal = QRect(12, 34, 506, 399);
  if (!WriteGameSettings(store, next)) return;
  if (!store.WriteString("Common", "MainForm", FormatWindowPlacement(placement))) return;
  ZT_FUZZ_CHECK(ReadGameSettings(store) == next);
  ZT_FUZZ_CHECK(ParseWindowPosition(store.ReadString("Common", "MainForm", QString())) ==
                QPoint(12, 34));
}

// The text as the store reads an integer: the default unless it is a decimal
// 32-bit number.
int Expected(const QString& text, int def, int low, int high) {
  int v = 0;
  return SettingsStore::ParseInteger(text, v) ? std::clamp(v, low, high) : def;
}

void FuzzValues(const std::uint8_t* data, std::size_t size) {
  const QString path = File();
  QFile::remove(path);
  const QStringList values = fuzz::Utf8(data, size).split('\n');
  {
    SettingsStore store(path);
    for (int i = 0; i < std::min<int>(values.size(), 10); ++i) {
      if (!store.WriteString("common", kKeys[i], values[i])) return;
    }
    const GameSettings s = ReadGameSettings(store);
    CheckRanges(s);
    auto value = [&](int i) { return i < values.size() ? values[i] : QString(); };
    ZT_FUZZ_CHECK(s.variants[kCrux][0] == Expected(value(2), 2, 1, 16));
    ZT_FUZZ_CHECK(s.variants[kBoss][0] == Expected(value(3), 5, 3, 7));
    ZT_FUZZ_CHECK(s.variants[kBoss][1] == Expected(value(4), 3, 2, 5));
    ZT_FUZZ_CHECK(s.variants[kTransit][0] == Expected(value(5), 1, 1, 22));
    ZT_FUZZ_CHECK(s.variants[kTilz][0] == Expected(value(6), 1, 1, 5));
    ZT_FUZZ_CHECK(s.sound == (Expected(value(7), 1, INT_MIN, INT_MAX) != 0));
    ZT_FUZZ_CHECK(s.music == (Expected(value(8), 1, INT_MIN, INT_MAX) != 0));
    ZT_FUZZ_CHECK(store.ReadString("common", "MainForm", "none") ==
                  (values.size() > 9 ? values[9] : QString("none")));
    ReadAndQuit(path);
  }
  QFile::remove(path);
}

void FuzzFile(const std::uint8_t* data, std::size_t size) {
  const QString path = File();
  if (fuzz::WriteSettingsFile(path, data, size)) ReadAndQuit(path);
  QFile::remove(path);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

// The first byte chooses: even, the rest is a whole settings file; odd, it is
// up to ten lines, the values of section "common" in the order of kKeys.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    FuzzFile(data + 1, size - 1);
  } else {
    FuzzValues(data + 1, size - 1);
  }
  return 0;
}
