// Cost of the music while it plays: the time MusicStart takes at start-up,
// the one-off cost of opening the device and the synthesiser at the first
// tick, then CPU time and resident memory over seconds of playing.
//
// Usage: sound_music_bench [folder] [seconds]
// (default: the game's folder, 10 s; SDL_AUDIODRIVER is disk unless set, with
// the samples going to /dev/null)

#include <QCoreApplication>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <unistd.h>

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"
#include "app/sound/MusicBox.h"
#include "app/sound/SoundEffects.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// User plus system time of this process, in seconds.
double CpuSeconds() {
  QFile stat("/proc/self/stat");
  if (!stat.open(QIODevice::ReadOnly)) return 0;
  const QByteArray text = stat.readAll();
  // Fields after the command name in parentheses; utime and stime are 14 and 15.
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long StatusKb(const char* key) {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(key))
      return line.mid(static_cast<qsizetype>(std::strlen(key)) + 1)
          .trimmed()
          .split(' ')
          .value(0)
          .toLong();
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZT_GAME_DIR);
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10;
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
  }
  std::printf("audio driver %s, folder %s\n", qgetenv("SDL_AUDIODRIVER").constData(),
              qPrintable(folder));
  std::printf("resident before any sound:   %6.1f MB\n", StatusKb("VmRSS:") / 1024.0);

  auto owned = std::make_unique<zt::sound::MixerMusicPlayer>(zt::sound::AudioDevice::Shared());
  zt::sound::MixerMusicPlayer* player = owned.get();
  zt::MusicBox box(std::move(owned));
  zt::SoundEffects effects;
  auto t0 = Clock::now();
  const bool found = box.MusicStart(folder);
  std::printf("MusicStart:                  %6.2f ms (%s)\n", Ms(Clock::now() - t0),
              found ? qPrintable(box.CurrentFile()) : "no tune");
  if (!found) return 1;

  t0 = Clock::now();
  box.MusicUpkeep(true);
  std::printf("first tick:                  %6.2f ms on the caller's thread\n",
              Ms(Clock::now() - t0));
  while (player->Loading() && Ms(Clock::now() - t0) < 5000) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    player->Playing();
  }
  std::printf("device and synth ready:      %6.1f ms later, on a worker\n", Ms(Clock::now() - t0));
  t0 = Clock::now();
  effects.PlayEffect(5);
  std::printf("first effect:                %6.2f ms\n", Ms(Clock::now() - t0));
  t0 = Clock::now();
  effects.PlayEffect(3);
  std::printf("next effect:                 %6.3f ms\n", Ms(Clock::now() - t0));

  // Let the first second settle, then measure.
  auto tick = Clock::now();
  for (int i = 0; i < 5; ++i) {
    tick += std::chrono::milliseconds(200);
    std::this_thread::sleep_until(tick);
    box.MusicUpkeep(true);
  }
  const double cpu0 = CpuSeconds();
  const auto wall0 = Clock::now();
  double upkeepMs = 0;
  int ticks = 0;
  while (Ms(Clock::now() - wall0) < seconds * 1000) {
    tick += std::chrono::milliseconds(200);
    std::this_thread::sleep_until(tick);
    const auto u = Clock::now();
    box.MusicUpkeep(true);
    upkeepMs += Ms(Clock::now() - u);
    ++ticks;
  }
  const double wall = Ms(Clock::now() - wall0) / 1000;
  const double cpu = CpuSeconds() - cpu0;
  std::printf("playing %.1f s: CPU          %6.2f %% of one core\n", wall, 100 * cpu / wall);
  std::printf("upkeep per tick:             %6.3f ms\n", upkeepMs / ticks);
  std::printf("resident while playing:      %6.1f MB (peak %.1f MB)\n", StatusKb("VmRSS:") / 1024.0,
              StatusKb("VmHWM:") / 1024.0);
  box.Close();
  return 0;
}
