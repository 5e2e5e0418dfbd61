#include "assets/music/Score.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zt::music {

std::int64_t Ticks(double beats) {
  return std::llround(beats * MidiFile::kTicksPerQuarter);
}

int Key(std::string_view name) {
  static constexpr int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.empty() || name[0] < 'A' || name[0] > 'G') return -1;
  int key = kSteps[name[0] - 'A'];
  std::size_t i = 1;
  for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
    key += name[i] == '#' ? 1 : -1;
  if (i >= name.size()) return -1;
  int octave = 0;
  for (; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    octave = octave * 10 + (name[i] - '0');
  }
  key += 12 * (octave + 1);
  return key >= 0 && key <= 127 ? key : -1;
}

int Chord::Tone(int degree, int octaveShift) const {
  const int size = static_cast<int>(intervals.size());
  return root + 12 * (degree / size + octaveShift) +
         intervals[static_cast<std::size_t>(degree % size)];
}

Chord ParseChord(std::string_view symbol) {
  std::size_t i = 1;
  while (i < symbol.size() && (symbol[i] == '#' || symbol[i] == 'b'))
    ++i;
  const std::string rootName = std::string(symbol.substr(0, i)) + "2";
  int root = Key(rootName);
  if (root < 0) {
    std::fprintf(stderr, "bad chord %.*s\n", static_cast<int>(symbol.size()), symbol.data());
    std::exit(1);
  }
  if (root < Key("E2")) root += 12;  // roots between E2 and D#3: a cello's lower range
  const std::string_view quality = symbol.substr(i);
  Chord chord{root, {0, 4, 7}};
  if (quality == "m") chord.intervals = {0, 3, 7};
  if (quality == "7") chord.intervals = {0, 4, 7, 10};
  return chord;
}

Voice::Voice(MidiFile::Track& track, int channel, unsigned seed, int beatsPerBar)
    : track_(track), channel_(channel), beatsPerBar_(beatsPerBar), random_(seed) {}

void Voice::Setup(double beat, int program, int volume, int pan, int reverb, int chorus) {
  const std::int64_t tick = Ticks(beat);
  track_.Program(tick, channel_, program);
  track_.Control(tick, channel_, 7, volume);
  track_.Control(tick, channel_, 10, 64 + pan);
  track_.Control(tick, channel_, 91, reverb);
  track_.Control(tick, channel_, 93, chorus);
}

void Voice::Control(double beat, int controller, int value) {
  track_.Control(Ticks(beat), channel_, controller, value);
}

Voice& Voice::Play(std::string_view notes) {
  std::size_t pos = 0;
  while (pos < notes.size()) {
    while (pos < notes.size() && notes[pos] == ' ')
      ++pos;
    std::size_t end = notes.find(' ', pos);
    if (end == std::string_view::npos) end = notes.size();
    const std::string_view token = notes.substr(pos, end - pos);
    pos = end;
    if (token.empty() || token == "|") continue;
    if (token[0] == '!') {
      velocity_ = std::atoi(std::string(token.substr(1)).c_str());
      continue;
    }
    std::string_view pitches = token;
    const std::size_t colon = token.find(':');
    if (colon != std::string_view::npos) {
      pitches = token.substr(0, colon);
      std::string_view length = token.substr(colon + 1);
      static constexpr std::string_view kNames = "whqest";
      static constexpr double kBeats[] = {4, 2, 1, 0.5, 0.25, 1.0 / 3};
      const std::size_t kind = length.empty() ? std::string_view::npos : kNames.find(length[0]);
      if (kind == std::string_view::npos) {
        std::fprintf(stderr, "bad length in %.*s\n", static_cast<int>(token.size()), token.data());
        std::exit(1);
      }
      length_ = kBeats[kind];
      if (length.size() > 1 && length[1] == '.') length_ *= 1.5;
    }
    if (pitches != "r") {
      std::size_t from = 0;
      while (from <= pitches.size()) {
        std::size_t plus = pitches.find('+', from);
        if (plus == std::string_view::npos) plus = pitches.size();
        const int key = Key(pitches.substr(from, plus - from));
        if (key < 0) {
          std::fprintf(stderr, "bad note %.*s\n", static_cast<int>(token.size()), token.data());
          std::exit(1);
        }
        Write(key, length_, velocity_);
        from = plus + 1;
      }
    }
    now_ += length_;
  }
  return *this;
}

Voice& Voice::Sound(const std::vector<int>& keys, double beats, int velocity) {
  for (int key : keys)
    Write(key, beats, velocity < 0 ? velocity_ : velocity);
  now_ += beats;
  return *this;
}

void Voice::Write(int key, double beats, int velocity) {
  // A player leans on the first beat of the bar and never strikes two notes
  // quite alike.
  const double inBar = std::fmod(now_, beatsPerBar_);
  const int accent = inBar < 0.01 ? 6 : 0;
  std::uniform_int_distribution<int> spread(-3, 3);
  const std::int64_t length = std::max<std::int64_t>(1, Ticks(beats * legato_));
  track_.Note(Ticks(now_), channel_, key + transpose_, velocity + accent + spread(random_), length);
}

}  // namespace zt::music
