#include "app/sound/MixerMusicPlayer.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QFile>
#include <span>

#include "app/sound/AudioDevice.h"
#include "app/sound/MidiLength.h"
#include "app/sound/MixerApi.h"
#include "core/BoundedFile.h"

namespace zt::sound {
namespace {

// Larger files are no tunes this game would ship; reading them whole would
// only waste memory.
constexpr qint64 kMaxFileBytes = 4 << 20;

// A tune counts as broken when the synthesiser gives up this long or more
// before the file's end.
constexpr double kShortfallSeconds = 0.5;

// Reading a soundfont leaves megabytes of scratch memory freed but still held
// by the allocator (in the loading thread's own arena, too), as does freeing
// a synthesiser; hand them back to the system.
void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

void Skipped(const QString& path, const std::string& why) {
  ReportSoundProblem("music file " + path.toStdString() + " skipped: " + why);
}

}  // namespace

MixerMusicPlayer::MixerMusicPlayer(std::shared_ptr<AudioDevice> device)
    : device_(std::move(device)) {}

MixerMusicPlayer::~MixerMusicPlayer() {
  Close();
}

bool MixerMusicPlayer::Open(const QString& path) {
  Close();
  ++openAttempts_;
  // Only a plain file of a sane size: a pipe or a device named *.mid is
  // skipped at once.
  BoundedFile file = ReadBoundedFile(path, kMaxFileBytes);
  if (!file.Ok()) {
    Skipped(path, file.Reason().toStdString());
    return false;
  }
  QByteArray bytes = std::move(file.bytes);
  const std::optional<double> length =
      MidiLength(std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size())));
  if (!length) {
    Skipped(path, "not a MIDI file");
    return false;
  }
  path_ = path;
  length_ = *length;
  state_ = State::Loading;
  wish_ = Wish::Stay;
  started_ = false;
  loading_ = std::async(std::launch::async, [device = device_, bytes = std::move(bytes)]() {
    Loaded loaded;
    // Without a device or a soundfont that was reported once already.
    if (device->MusicReady()) {
      const MixerApi& api = device->Api();
      SDL_RWops* source = api.RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size()));
      loaded.music = source ? api.LoadMUSType_RW(source, MUS_MID, 1) : nullptr;
      if (!loaded.music) loaded.error = api.GetError();
    }
    // SDL keeps per-thread data (its error text) that only this frees on a
    // thread SDL did not start.
    std::string unused;
    if (const MixerApi* api = LoadMixerApi(unused)) api->TLSCleanup();
    ReturnFreedMemory();
    return loaded;
  });
  return true;
}

bool MixerMusicPlayer::Play() {
  Settle(false);
  Update();
  switch (state_) {
    case State::Closed:
    case State::Broken:
      return false;
    case State::Loading:
      wish_ = Wish::Play;
      return true;
    case State::Playing:
      return true;
    case State::Paused:
      if (!started_) return Start();
      startFrame_ = device_->FramesMixed() - pausedAt_;
      device_->Api().ResumeMusic();
      state_ = State::Playing;
      return true;
    case State::Stopped:
    case State::Ended:
      return Start();
  }
  return false;
}

void MixerMusicPlayer::Pause() {
  Settle(false);
  Update();
  if (state_ == State::Loading) {
    if (wish_ != Wish::Stay) wish_ = wish_ == Wish::Play ? Wish::Pause : Wish::Play;
  } else if (state_ == State::Playing) {
    device_->Api().PauseMusic();
    pausedAt_ = device_->FramesMixed() - startFrame_;
    state_ = State::Paused;
  } else if (state_ == State::Paused) {
    Play();
  }
}

void MixerMusicPlayer::Stop() {
  Settle(false);
  if (state_ == State::Loading) {
    wish_ = Wish::Stay;
    return;
  }
  if (state_ == State::Closed || state_ == State::Broken) return;
  device_->Api().HaltMusic();
  state_ = State::Stopped;
}

void MixerMusicPlayer::Close() {
  // A load cannot be called off; waiting for it is the price of a quick
  // second click, and it frees the synthesiser it built.
  Settle(true);
  if (music_) {
    device_->Api().HaltMusic();
    device_->Api().FreeMusic(music_);
    music_ = nullptr;
    ReturnFreedMemory();
  }
  state_ = State::Closed;
  length_ = 0;
}

bool MixerMusicPlayer::Playing() {
  Settle(false);
  Update();
  return state_ == State::Playing || (state_ == State::Loading && wish_ == Wish::Play);
}

bool MixerMusicPlayer::Broken() {
  Settle(false);
  Update();
  return state_ == State::Broken;
}

double MixerMusicPlayer::Position() const {
  if (state_ != State::Playing && state_ != State::Paused && state_ != State::Ended) return 0;
  if (device_->Rate() == 0) return 0;
  const std::uint64_t frames =
      state_ == State::Paused ? pausedAt_ : device_->FramesMixed() - startFrame_;
  return static_cast<double>(frames) / device_->Rate();
}

void MixerMusicPlayer::Settle(bool wait) {
  if (state_ != State::Loading) return;
  if (!wait && loading_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  const Loaded loaded = loading_.get();
  if (!loaded.music) {
    if (!loaded.error.empty()) Skipped(path_, loaded.error);
    state_ = State::Broken;
    return;
  }
  music_ = loaded.music;
  state_ = State::Stopped;
  if (wish_ == Wish::Play) {
    Start();
  } else if (wish_ == Wish::Pause) {
    pausedAt_ = 0;
    state_ = State::Paused;
  }
}

bool MixerMusicPlayer::Start() {
  if (device_->Api().PlayMusic(music_, 0) != 0) {
    state_ = State::Broken;
    return false;
  }
  startFrame_ = device_->FramesMixed();
  started_ = true;
  state_ = State::Playing;
  return true;
}

void MixerMusicPlayer::Update() {
  if (state_ != State::Playing) return;
  const double position = Position();
  if (position >= length_) {
    state_ = State::Ended;
  } else if (!device_->Api().PlayingMusic()) {
    state_ = position + kShortfallSeconds < length_ ? State::Broken : State::Ended;
  }
}

}  // namespace zt::sound
