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

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"
#include "app/sound/MusicBox.h"
#include "tests/app/sound/RawAudio.h"

namespace {

// A window is audible when its peak is above -50 dBFS.
constexpr int kThreshold = 104;
constexpr double kWindow = 0.005;

bool Measure(const QString& tune) {
  QTemporaryDir dir;
  const QString name = QFileInfo(tune).fileName();
  const QString recording = dir.filePath("out.raw");
  if (!QFile::copy(tune, dir.filePath(name))) {
    std::printf("%s: cannot copy\n", qPrintable(name));
    return false;
  }
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILE", recording.toUtf8());
  double length = 0, restart = -1;  // restart: recording time of the new start
  {
    auto device = zt::sound::AudioDevice::Shared();
    auto owned = std::make_unique<zt::sound::MixerMusicPlayer>(device);
    zt::sound::MixerMusicPlayer* player = owned.get();
    zt::MusicBox box(std::move(owned));
    box.MusicStart(dir.path());
    // The disk driver keeps time only roughly, so the run follows the
    // samples written, not the wall clock.
    const auto start = std::chrono::steady_clock::now();
    auto tick = start;
    double played = 0;
    while (restart < 0 || played < restart + 1.5) {
      const double before = player->Position();
      box.MusicUpkeep(true);
      length = player->Length();
      played = static_cast<double>(device->FramesMixed()) / device->Rate();
      if (player->Position() < before && restart < 0) restart = played;
      tick += std::chrono::milliseconds(200);
      std::this_thread::sleep_until(tick);
      if (tick - start > std::chrono::seconds(400)) break;
    }
    box.Close();
  }  // the device closes here and the recording is complete
  if (restart < 0) {
    std::printf("%s: the tune did not start again\n", qPrintable(name));
    return false;
  }

  const zt::test::RawAudio audio = zt::test::RawAudio::Load(recording, 44100);
  const std::vector<bool> audible = audio.Audible(kWindow, kThreshold);
  auto at = [&](double seconds) { return static_cast<std::size_t>(seconds / kWindow); };
  std::size_t first = 0;
  while (first < audible.size() && !audible[first])
    ++first;
  std::size_t lastBefore = std::min(at(restart), audible.size());
  while (lastBefore > first && !audible[lastBefore - 1])
    --lastBefore;
  std::size_t firstAfter = at(restart);
  while (firstAfter < audible.size() && !audible[firstAfter])
    ++firstAfter;
  const double origin = static_cast<double>(first) * kWindow;
  const double audibleEnd = static_cast<double>(lastBefore) * kWindow - origin;
  const double newStart = static_cast<double>(firstAfter) * kWindow - origin;
  std::printf(
      "%-24s length %6.2f s  sound ends %+5.0f ms from the file's end, restart at %+5.0f ms"
      "  ->  loop gap %4.0f ms\n",
      qPrintable(name), length, (audibleEnd - length) * 1000, (newStart - length) * 1000,
      (newStart - audibleEnd) * 1000);
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
