#include "app/sound/MidiLength.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zt::sound {
namespace {

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsPerQuarter;
};

class Reader {
 public:
  Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }

  bool Byte(unsigned& out) {
    if (AtEnd()) return false;
    out = bytes_[pos_++];
    return true;
  }
  bool Peek(unsigned& out) const {
    if (AtEnd()) return false;
    out = bytes_[pos_];
    return true;
  }
  bool BigEndian(int count, std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < count; ++i) {
      unsigned b;
      if (!Byte(b)) return false;
      out = (out << 8) | b;
    }
    return true;
  }
  // Variable-length quantity: at most four bytes, seven bits each.
  bool Vlq(std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      unsigned b;
      if (!Byte(b)) return false;
      out = (out << 7) | (b & 0x7F);
      if ((b & 0x80) == 0) return true;
    }
    return false;
  }
  bool Skip(std::uint32_t count) {
    if (count > Left()) return false;
    pos_ += count;
    return true;
  }
  bool Tag(const char (&tag)[5]) {
    if (Left() < 4) return false;
    const bool same = std::equal(tag, tag + 4, bytes_.begin() + static_cast<std::ptrdiff_t>(pos_));
    if (same) pos_ += 4;
    return same;
  }
  Reader Sub(std::uint32_t count) {
    Reader sub(bytes_.subspan(pos_, count));
    pos_ += count;
    return sub;
  }

 private:
  std::span<const unsigned char> bytes_;
  std::size_t pos_ = 0;
};

// Walks one track to its end; returns its length in ticks and collects tempo
// changes. Running status is honoured; anything malformed fails the file.
bool WalkTrack(Reader track, std::uint64_t& endTick, std::vector<TempoChange>& tempi) {
  std::uint64_t tick = 0;
  unsigned running = 0;
  while (!track.AtEnd()) {
    std::uint32_t delta;
    if (!track.Vlq(delta)) return false;
    tick += delta;
    unsigned status;
    if (!track.Peek(status)) return false;
    if (status & 0x80) {
      track.Byte(status);
    } else if (running != 0) {
      status = running;
    } else {
      return false;
    }
    if (status == 0xFF) {
      unsigned type;
      std::uint32_t length;
      if (!track.Byte(type) || !track.Vlq(length) || length > track.Left()) return false;
      if (type == 0x2F) {
        endTick = tick;
        return true;
      }
      if (type == 0x51 && length == 3) {
        std::uint32_t micros;
        track.BigEndian(3, micros);
        if (micros == 0) return false;
        tempi.push_back({tick, micros});
      } else {
        track.Skip(length);
      }
      running = 0;
    } else if (status == 0xF0 || status == 0xF7) {
      std::uint32_t length;
      if (!track.Vlq(length) || !track.Skip(length)) return false;
      running = 0;
    } else if (status >= 0xF0) {
      return false;  // system messages have no place in a file
    } else {
      const unsigned kind = status & 0xF0;
      const std::uint32_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      for (std::uint32_t i = 0; i < dataBytes; ++i) {
        unsigned data;
        if (!track.Byte(data) || (data & 0x80)) return false;
      }
      running = status;
    }
  }
  // Some writers leave out the end-of-track event; the track then ends with
  // its chunk, as players treat it.
  endTick = tick;
  return true;
}

}  // namespace

std::optional<double> MidiLength(std::span<const unsigned char> bytes) {
  Reader file(bytes);
  std::uint32_t headerLength, format, trackCount, division;
  if (!file.Tag("MThd") || !file.BigEndian(4, headerLength) || headerLength < 6 ||
      headerLength > file.Left()) {
    return std::nullopt;
  }
  Reader header = file.Sub(headerLength);
  header.BigEndian(2, format);
  header.BigEndian(2, trackCount);
  header.BigEndian(2, division);
  if (format > 2 || trackCount == 0 || division == 0) return std::nullopt;

  std::uint64_t lastTick = 0;
  std::vector<TempoChange> tempi;
  std::uint32_t tracksSeen = 0;
  while (tracksSeen < trackCount) {
    const bool isTrack = file.Tag("MTrk");
    if (!isTrack && !file.Skip(4)) return std::nullopt;  // an unknown chunk: skip it
    std::uint32_t length;
    if (!file.BigEndian(4, length) || length > file.Left()) return std::nullopt;
    if (!isTrack) {
      file.Skip(length);
      continue;
    }
    std::uint64_t endTick = 0;
    if (!WalkTrack(file.Sub(length), endTick, tempi)) return std::nullopt;
    lastTick = std::max(lastTick, endTick);
    ++tracksSeen;
  }

  double seconds = 0;
  if (division & 0x8000) {
    // Time code: frames per second times ticks per frame; tempo plays no part.
    const int framesPerSecond = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
    const int ticksPerFrame = static_cast<int>(division & 0xFF);
    if (framesPerSecond <= 0 || ticksPerFrame == 0) return std::nullopt;
    seconds = static_cast<double>(lastTick) / (framesPerSecond * ticksPerFrame);
  } else {
    std::stable_sort(tempi.begin(), tempi.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    std::uint64_t tick = 0;
    double secondsPerTick = 0.5 / division;  // 120 beats a minute until told otherwise
    for (const TempoChange& change : tempi) {
      if (change.tick >= lastTick) break;
      seconds += static_cast<double>(change.tick - tick) * secondsPerTick;
      tick = change.tick;
      secondsPerTick = change.microsPerQuarter / 1e6 / division;
    }
    seconds += static_cast<double>(lastTick - tick) * secondsPerTick;
  }
  if (seconds <= 0) return std::nullopt;
  return seconds;
}

}  // namespace zt::sound
