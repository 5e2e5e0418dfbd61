#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace zt::sound {

struct MixerApi;

// The one audio output shared by the effects and the music. Nothing is
// loaded or opened until a sound is first needed; a device that cannot be
// opened leaves everything silent, reported once in one line.
class AudioDevice {
 public:
  // The device shared by everyone alive; a new one (closed) when none is.
  static std::shared_ptr<AudioDevice> Shared();

  AudioDevice();
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  // Opens the output on the first call; whether sound can be played. Safe to
  // call from any thread (the music is loaded on a worker).
  bool Ready();
  // Ready() and a MIDI synthesiser with a soundfont at hand.
  bool MusicReady();
  // Only valid after Ready() returned true.
  const MixerApi& Api() const { return *api_; }

  // Sample frames mixed since the device opened, and their rate: the clock
  // the music player measures its tunes against.
  std::uint64_t FramesMixed() const { return frames_.load(std::memory_order_relaxed); }
  int Rate() const { return rate_; }

  // The channel every effect plays on, so that a new one cuts the last off.
  static constexpr int kEffectChannel = 0;
  // The effects' volume (of 128): at full level they would stand several dB
  // above the music; this leaves them a little above its louder passages.
  static constexpr int kEffectVolume = 96;

 private:
  static void CountFrames(void* self, std::uint8_t* stream, int length);
  bool OpenLocked();

  std::mutex mutex_;
  enum class State { Closed, Open, Failed };
  State state_ = State::Closed;
  enum class Midi { Unknown, Ready, Failed };
  Midi midi_ = Midi::Unknown;
  const MixerApi* api_ = nullptr;
  int rate_ = 0;
  int bytesPerFrame_ = 4;
  std::atomic<std::uint64_t> frames_{0};
};

// Keeps stderr quiet while a library is probed: ALSA and FluidSynth print
// several lines of their own when a device or a file is missing, and the game
// promises no more than one.
class StderrMute {
 public:
  StderrMute();
  ~StderrMute();
  StderrMute(const StderrMute&) = delete;
  StderrMute& operator=(const StderrMute&) = delete;

 private:
  int saved_ = -1;
};

// One line on stderr, prefixed with the program's name.
void ReportSoundProblem(const std::string& text);

}  // namespace zt::sound
