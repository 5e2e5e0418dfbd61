// Measures the silence between the audible end of each tune and its restart,
// as the game loops it: the music box is kept going at the 200 ms timer ticks
// while SDL's disk driver records every sample, then the recording is read.
//
// Usage: sound_loop_gap [tune.mid ...]   (default: every tune of the game)
// Runs in real time, once through each tune and two seconds past its end.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <span>
#include <thread>

#include "app/sound/MidiLength.h"
#include "app/sound/Sound.h"
#include "tests/sound/RawAudio.h"

namespace {

// A window is audible when its peak is above -50 dBFS.
constexpr int kThreshold = 104;
constexpr double kWindow = 0.005;

double FileLength(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray bytes = file.readAll();
  const auto length =
      zt::sound::MidiLength(std::span(reinterpret_cast<const unsigned char*>(bytes.data()),
                                      static_cast<std::size_t>(bytes.size())));
  return length.value_or(0);
}

bool Measure(const QString& tune) {
  QTemporaryDir dir;
  const QString name = QFileInfo(tune).fileName();
  const QString copy = dir.filePath(name);
  const QString recording = dir.filePath("out.raw");
  if (!QFile::copy(tune, copy)) {
    std::printf("%s: cannot copy\n", qPrintable(name));
    return false;
  }
  const double length = FileLength(copy);
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILE", recording.toUtf8());
  {
    zt::MusicBox box;
    box.MusicStart(dir.path());
    const auto start = std::chrono::steady_clock::now();
    auto tick = start;
    while (std::chrono::duration<double>(tick - start).count() < length + 2.5) {
      box.MusicUpkeep(true);
      tick += std::chrono::milliseconds(200);
      std::this_thread::sleep_until(tick);
    }
    box.Close();
  }  // the device closes here and the recording is complete

  const zt::test::RawAudio audio = zt::test::RawAudio::Load(recording, 44100);
  const std::vector<bool> audible = audio.Audible(kWindow, kThreshold);
  // The first audible window marks where the tune started in the recording.
  std::size_t first = 0;
  while (first < audible.size() && !audible[first])
    ++first;
  // Look for the longest silent stretch that a restart ends, from three
  // seconds before the file's end to two after.
  const double origin = first * kWindow;
  const auto from = static_cast<std::size_t>((origin + length - 3) / kWindow);
  const auto to =
      std::min(audible.size(), static_cast<std::size_t>((origin + length + 2) / kWindow));
  std::size_t bestStart = 0, bestLength = 0, run = 0;
  bool restarted = false;
  for (std::size_t i = from; i < to; ++i) {
    if (!audible[i]) {
      ++run;
      continue;
    }
    if (run > bestLength) {
      bestLength = run;
      bestStart = i - run;
    }
    if (i * kWindow > origin + length - 0.5) restarted = true;
    run = 0;
  }
  if (!restarted) {
    std::printf("%s: length %.2f s, no restart found in the recording\n", qPrintable(name), length);
    return false;
  }
  const double gap = static_cast<double>(bestLength) * kWindow;
  const double silenceFrom = static_cast<double>(bestStart) * kWindow - origin;
  std::printf("%-24s length %6.2f s  loop gap %4.0f ms  (silent from %+.0f ms of the file's end)\n",
              qPrintable(name), length, gap * 1000, (silenceFrom - length) * 1000);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList tunes;
  for (int i = 1; i < argc; ++i)
    tunes << QString::fromLocal8Bit(argv[i]);
  if (tunes.isEmpty()) {
    const QDir game(QStringLiteral(ZT_GAME_DIR));
    for (const QString& name : game.entryList({"*.mid"}, QDir::Files, QDir::Name)) {
      tunes << game.filePath(name);
    }
  }
  std::printf(
      "loop gap: silence (peak below -50 dBFS) between a tune's end and its restart,\n"
      "with the upkeep at 200 ms ticks as in the game\n");
  bool ok = !tunes.isEmpty();
  for (const QString& tune : tunes)
    ok = Measure(tune) && ok;
  return ok ? 0 : 1;
}
