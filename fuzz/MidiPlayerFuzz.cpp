// The real music player (SDL2_mixer with FluidSynth, on SDL's silent dummy
// output) on a MIDI file of any content: it is refused, or it loads and then
// plays or counts as broken; never a crash or a hang. Slow (the synthesiser
// reads its soundfont for every file), so it runs for a few seconds only.
#include <QElapsedTimer>
#include <QThread>

#include "app/sound/AudioDevice.h"
#include "app/sound/MixerMusicPlayer.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  zt::fuzz::StartQt<QCoreApplication>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto device = zt::sound::AudioDevice::Shared();
  const QString path = zt::fuzz::Scratch().filePath("tune.mid");
  if (!zt::fuzz::WriteFile(path, data, size)) return 0;
  zt::sound::MixerMusicPlayer player(device);
  if (player.Open(path)) {
    ZT_FUZZ_CHECK(player.Length() > 0);
    player.Play();
    QElapsedTimer waited;
    waited.start();
    // Asking whether it plays is what takes a finished load in.
    while (player.Playing() && player.Loading() && waited.elapsed() < 5000)
      QThread::msleep(2);
    ZT_FUZZ_CHECK(!player.Loading());
    for (int i = 0; i < 5 && player.Playing(); ++i)
      QThread::msleep(2);
    (void)player.Broken();
    player.Stop();
    player.Close();
  }
  return 0;
}
