#include "assets/music/MidiFile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace zt::music {
namespace {

void PutVlq(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t buffer[5];
  int n = 0;
  buffer[n++] = value & 0x7F;
  while ((value >>= 7) != 0)
    buffer[n++] = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
  while (n > 0)
    out.push_back(buffer[--n]);
}

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t Data(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

}  // namespace

void MidiFile::Track::Program(std::int64_t tick, int channel, int program) {
  events_.push_back({tick, 1, {static_cast<std::uint8_t>(0xC0 | channel), Data(program)}});
}

void MidiFile::Track::Control(std::int64_t tick, int channel, int controller, int value) {
  events_.push_back(
      {tick, 1, {static_cast<std::uint8_t>(0xB0 | channel), Data(controller), Data(value)}});
}

void MidiFile::Track::Note(std::int64_t tick, int channel, int key, int velocity,
                           std::int64_t length) {
  const int note = notes_++;
  const auto status = static_cast<std::uint8_t>(channel);
  events_.push_back(
      {tick, 3, {std::uint8_t(0x90 | status), Data(key), Data(std::max(1, velocity))}, note});
  events_.push_back({tick + length, 2, {std::uint8_t(0x80 | status), Data(key), Data(64)}, note});
}

void MidiFile::Track::Meta(std::int64_t tick, int type, const std::string& data) {
  std::vector<std::uint8_t> bytes = {0xFF, static_cast<std::uint8_t>(type)};
  PutVlq(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  events_.push_back({tick, 0, std::move(bytes)});
}

std::vector<std::uint8_t> MidiFile::Track::Encode(std::int64_t endTick) const {
  std::vector<Event> sorted = events_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::vector<std::uint8_t> body;
  std::int64_t now = 0;
  auto put = [&](std::int64_t tick, const std::vector<std::uint8_t>& bytes) {
    PutVlq(body, static_cast<std::uint32_t>(tick - now));
    body.insert(body.end(), bytes.begin(), bytes.end());
    now = tick;
  };
  // A key struck again while it still sounds would be silenced by the first
  // note's late release: end the first note where the second begins.
  std::map<int, int> sounding;  // channel and key -> note
  std::set<int> endedEarly;
  for (const Event& e : sorted) {
    if (e.tick < 0 || e.tick > endTick) return {};
    if (e.note >= 0) {
      const int key = ((e.bytes[0] & 0x0F) << 7) | e.bytes[1];
      const bool on = (e.bytes[0] & 0xF0) == 0x90;
      if (on) {
        if (auto it = sounding.find(key); it != sounding.end()) {
          put(e.tick, {static_cast<std::uint8_t>(0x80 | (e.bytes[0] & 0x0F)), e.bytes[1], 64});
          endedEarly.insert(it->second);
        }
        sounding[key] = e.note;
      } else if (endedEarly.contains(e.note)) {
        continue;
      } else {
        sounding.erase(key);
      }
    }
    put(e.tick, e.bytes);
  }
  PutVlq(body, static_cast<std::uint32_t>(endTick - now));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  PutBig(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

MidiFile::MidiFile() {
  tracks_.emplace_back();
}

MidiFile::Track& MidiFile::AddTrack(const std::string& name) {
  tracks_.emplace_back();
  tracks_.back().Name(name);
  return tracks_.back();
}

void MidiFile::Tempo(std::int64_t tick, double beatsPerMinute) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60e6 / beatsPerMinute));
  std::string data;
  for (int i = 2; i >= 0; --i)
    data.push_back(static_cast<char>((micros >> (8 * i)) & 0xFF));
  Conductor().Meta(tick, 0x51, data);
}

void MidiFile::TimeSignature(std::int64_t tick, int beats, int noteValue) {
  int power = 0;
  while ((1 << power) < noteValue)
    ++power;
  const std::string data = {static_cast<char>(beats), static_cast<char>(power), 24, 8};
  Conductor().Meta(tick, 0x58, data);
}

void MidiFile::Text(const std::string& text) {
  Conductor().Meta(0, 0x01, text);
}

std::int64_t MidiFile::LastEventTick() const {
  std::int64_t last = 0;
  for (const Track& track : tracks_) {
    for (const Track::Event& e : track.events_)
      last = std::max(last, e.tick);
  }
  return last;
}

std::vector<std::uint8_t> MidiFile::Bytes() const {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
  PutBig(out, 6, 4);
  PutBig(out, 1, 2);
  PutBig(out, static_cast<std::uint32_t>(tracks_.size()), 2);
  PutBig(out, kTicksPerQuarter, 2);
  for (const Track& track : tracks_) {
    const std::vector<std::uint8_t> chunk = track.Encode(endTick_);
    if (chunk.empty()) return {};
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace zt::music
