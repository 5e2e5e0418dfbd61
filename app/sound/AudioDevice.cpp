#include "app/sound/AudioDevice.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/sound/MixerApi.h"
#include "core/BoundedFile.h"

namespace zt::sound {
namespace {

// The General-MIDI soundfont of Debian's timgm6mb-soundfont package, then the
// system's default one. An SDL_SOUNDFONTS variable set by the user wins.
// The largest soundfont handed on; the General-MIDI sets Debian ships are 6 to
// 150 MB.
constexpr qint64 kMaxSoundFontBytes = qint64(512) << 20;
constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                       "/usr/share/sounds/sf2/default-GM.sf2"};

#ifdef _WIN32
constexpr char kListSeparator = ';';
#else
constexpr char kListSeparator = ':';
#endif

// CD rate keeps the synthesiser's upper partials; one buffer of 1024 frames is
// 23 ms, short enough for an effect to start with its move.
constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024;

}  // namespace

std::shared_ptr<AudioDevice> AudioDevice::Shared() {
  static std::mutex mutex;
  static std::weak_ptr<AudioDevice> current;
  std::lock_guard lock(mutex);
  std::shared_ptr<AudioDevice> device = current.lock();
  if (!device) {
    device = std::make_shared<AudioDevice>();
    current = device;
  }
  return device;
}

AudioDevice::AudioDevice() = default;

AudioDevice::~AudioDevice() {
  if (state_ != State::Open) return;
  api_->SetPostMix(nullptr, nullptr);
  api_->CloseAudio();
  if (midi_ == Midi::Ready) api_->Quit();
  api_->QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioDevice::Ready() {
  std::lock_guard lock(mutex_);
  return OpenLocked();
}

bool AudioDevice::OpenLocked() {
  if (state_ != State::Closed) return state_ == State::Open;
  state_ = State::Failed;
  std::string error;
  api_ = LoadMixerApi(error);
  if (!api_) {
    ReportSoundProblem("no sound: " + error);
    return false;
  }
  // SDL would otherwise take over SIGINT and SIGTERM, and the game would no
  // longer end on them.
  api_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  {
    StderrMute mute;
    if (api_->InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = api_->GetError();
    } else if (api_->OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
      error = api_->GetError();
      // Leaves no device-watching thread behind to print later.
      api_->QuitSubSystem(SDL_INIT_AUDIO);
    } else {
      state_ = State::Open;
    }
  }
  if (state_ != State::Open) {
    ReportSoundProblem("no sound: " + error);
    return false;
  }
  int frequency = kRate, channels = 2;
  Uint16 format = AUDIO_S16SYS;
  api_->QuerySpec(&frequency, &format, &channels);
  rate_ = frequency;
  bytesPerFrame_ = channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
  api_->AllocateChannels(1);
  api_->Volume(kEffectChannel, kEffectVolume);
  api_->SetPostMix(&AudioDevice::CountFrames, this);
  return true;
}

bool AudioDevice::MusicReady() {
  std::lock_guard lock(mutex_);
  if (!OpenLocked()) return false;
  if (midi_ != Midi::Unknown) return midi_ == Midi::Ready;
  midi_ = Midi::Failed;
  // Set every time: SDL2_mixer otherwise keeps a list given earlier in the run.
  std::string fonts;
  if (const char* chosen = std::getenv("SDL_SOUNDFONTS"); chosen && *chosen) {
    fonts = chosen;
  } else {
    for (const char* path : kSoundFonts) {
      if (QFileInfo(QString::fromUtf8(path)).isReadable()) {
        fonts = path;
        break;
      }
    }
  }
  // Only plain files of a sane size are handed on: the synthesiser reads
  // them itself, and a pipe or a device would stop the music thread for good.
  QStringList usable;
  for (const QString& path : QString::fromStdString(fonts).split(kListSeparator)) {
    if (!path.isEmpty() && CheckBoundedFile(path, kMaxSoundFontBytes) == FileRefusal::kNone)
      usable << path;
  }
  const bool readable = !usable.isEmpty();
  if (readable) fonts = usable.join(kListSeparator).toStdString();
  if (!readable) {
    ReportSoundProblem(fonts.empty()
                           ? "no music: no General-MIDI soundfont (package timgm6mb-soundfont)"
                           : "no music: soundfont " + fonts + " not found");
    return false;
  }
  api_->SetSoundFonts(fonts.c_str());
  api_->Init(MIX_INIT_MID);
  midi_ = Midi::Ready;
  return true;
}

void AudioDevice::CountFrames(void* self, std::uint8_t*, int length) {
  auto* device = static_cast<AudioDevice*>(self);
  device->frames_.fetch_add(static_cast<std::uint64_t>(length / device->bytesPerFrame_),
                            std::memory_order_relaxed);
}

StderrMute::StderrMute() {
  std::fflush(stderr);
  saved_ = dup(STDERR_FILENO);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved_ < 0 || null < 0) {
    if (null >= 0) close(null);
    return;
  }
  dup2(null, STDERR_FILENO);
  close(null);
}

StderrMute::~StderrMute() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
}

void ReportSoundProblem(const std::string& text) {
  std::fprintf(stderr, "zindle-tavrin: %s\n", text.c_str());
}

}  // namespace zt::sound
