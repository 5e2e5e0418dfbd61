// Where each tune's sound really dies away, against the end of its file: the
// loop restarts at the file's end (at the next timer tick), so the two should
// meet. Renders every tune faster than real time through SDL's disk driver.
//
// Usage: sound_tune_endings [tune.mid ...]   (default: every tune of the game)

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"
#include "tests/app/sound/RawAudio.h"

namespace {

constexpr int kThreshold = 104;  // -50 dBFS
constexpr double kWindow = 0.005;

bool Render(const QString& tune) {
  QTemporaryDir dir;
  const QString recording = dir.filePath("out.raw");
  qputenv("SDL_AUDIODRIVER", "disk");
  qputenv("SDL_DISKAUDIOFILE", recording.toUtf8());
  qputenv("SDL_DISKAUDIODELAY", "0");  // as fast as the synthesiser can go
  double length = 0, start = 0;
  {
    auto device = zt::sound::AudioDevice::Shared();
    zt::sound::MixerMusicPlayer player(device);
    if (!player.Open(tune) || !player.Play()) return false;
    while (player.Loading()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      player.Playing();
    }
    length = player.Length();
    start = static_cast<double>(device->FramesMixed()) / device->Rate() - player.Position();
    while (static_cast<double>(device->FramesMixed()) / device->Rate() < start + length + 4) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  qunsetenv("SDL_DISKAUDIODELAY");
  const zt::test::RawAudio audio = zt::test::RawAudio::Load(recording, 44100);
  const std::vector<bool> audible = audio.Audible(kWindow, kThreshold);
  std::size_t first = 0, last = 0;
  while (first < audible.size() && !audible[first])
    ++first;
  for (std::size_t i = first; i < audible.size(); ++i) {
    if (audible[i]) last = i + 1;
  }
  const double end = static_cast<double>(last - first) * kWindow;
  std::printf("%-24s file %6.2f s, sound %6.2f s: dies away %+5.0f ms from the file's end\n",
              qPrintable(QFileInfo(tune).fileName()), length, end, (end - length) * 1000);
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
  bool ok = !tunes.isEmpty();
  for (const QString& tune : tunes)
    ok = Render(tune) && ok;
  return ok ? 0 : 1;
}
