#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace zt::music {

// A standard MIDI file of format 1 under construction: a conductor track with
// the tempo map and one track per instrument. Times are in ticks.
class MidiFile {
 public:
  static constexpr int kTicksPerQuarter = 480;

  class Track {
   public:
    void Name(const std::string& text) { Meta(0, 0x03, text); }
    void Program(std::int64_t tick, int channel, int program);
    void Control(std::int64_t tick, int channel, int controller, int value);
    void Note(std::int64_t tick, int channel, int key, int velocity, std::int64_t length);

   private:
    friend class MidiFile;
    struct Event {
      std::int64_t tick;
      int order;  // at one tick: meta and set-up first, then note-offs, then note-ons
      std::vector<std::uint8_t> bytes;
      int note = -1;  // pairs a note's on and off
    };
    void Meta(std::int64_t tick, int type, const std::string& data);
    std::vector<std::uint8_t> Encode(std::int64_t endTick) const;
    std::vector<Event> events_;
    int notes_ = 0;
  };

  MidiFile();
  Track& Conductor() { return tracks_.front(); }
  Track& AddTrack(const std::string& name);

  void Tempo(std::int64_t tick, double beatsPerMinute);
  void TimeSignature(std::int64_t tick, int beats, int noteValue);
  void Text(const std::string& text);

  // The moment every track ends. Written as each track's end-of-track event,
  // it is where a player starts the tune again.
  void End(std::int64_t tick) { endTick_ = tick; }
  // The latest event written so far (the last note's release).
  std::int64_t LastEventTick() const;

  // The file's bytes; empty if a note outlasts the end or data is out of range.
  std::vector<std::uint8_t> Bytes() const;

 private:
  std::deque<Track> tracks_;  // a deque: voices keep references to their tracks
  std::int64_t endTick_ = 0;
};

}  // namespace zt::music
