#pragma once

#include <random>
#include <string_view>
#include <vector>

#include "assets/music/MidiFile.h"

namespace zt::music {

// MIDI key of a note name: "C4" is middle C (60), "F#3", "Bb2". -1 if malformed.
int Key(std::string_view name);

// A chord by its symbol, "Am", "D", "F#m", "G7": its root key in octave 2..3
// and the intervals of its tones above the root.
struct Chord {
  int root;
  std::vector<int> intervals;
  // The chord tone of the given degree (0 root, 1 third, 2 fifth, 3 next
  // root or seventh, ...), stepping up an octave past the chord's tones.
  int Tone(int degree, int octaveShift = 0) const;
};
Chord ParseChord(std::string_view symbol);

// One instrument writing notes from a moving position in beats. Notes are
// written in a small text form, one token each, separated by spaces:
//   C5:q   a note with its length: w h q e s (whole .. sixteenth), t (triplet
//          eighth), a trailing '.' dots it; without a length the last one holds
//   C4+E4+G4:h   a chord;  r:q  a rest;  |  a bar line (ignored);  !64  velocity
class Voice {
 public:
  Voice(MidiFile::Track& track, int channel, unsigned seed, int beatsPerBar);

  // Instrument and mix, sent at the given beat (the start, unless it changes).
  void Setup(double beat, int program, int volume, int pan, int reverb, int chorus);
  void Control(double beat, int controller, int value);

  Voice& At(double beat) {
    now_ = beat;
    return *this;
  }
  double Now() const { return now_; }
  Voice& Velocity(int velocity) {
    velocity_ = velocity;
    return *this;
  }
  // How much of each note's length sounds (1 = fully tied to the next).
  Voice& Legato(double fraction) {
    legato_ = fraction;
    return *this;
  }
  // Semitones added to every note written from now on.
  Voice& Transpose(int semitones) {
    transpose_ = semitones;
    return *this;
  }
  Voice& Play(std::string_view notes);
  // One note or chord of the given keys, held for beats.
  Voice& Sound(const std::vector<int>& keys, double beats, int velocity = -1);
  Voice& Rest(double beats) {
    now_ += beats;
    return *this;
  }

 private:
  void Write(int key, double beats, int velocity);

  MidiFile::Track& track_;
  int channel_;
  int beatsPerBar_;
  std::mt19937 random_;
  double now_ = 0;
  double length_ = 1;
  int velocity_ = 80;
  double legato_ = 0.92;
  int transpose_ = 0;
};

std::int64_t Ticks(double beats);

}  // namespace zt::music
