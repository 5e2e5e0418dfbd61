// Writes the game's background music: three arrangements of melodies long out
// of copyright, as standard MIDI files of format 1 for a General-MIDI synth.
// Each ends on a held chord whose sound has died away when the file ends, so
// that starting again from the top sounds like the loop it is.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "assets/music/MidiFile.h"
#include "assets/music/Score.h"

namespace zt::music {
namespace {

// General-MIDI programs (numbered from 0).
enum Program {
  kPiano = 0,
  kNylonGuitar = 24,
  kViolin = 40,
  kViola = 41,
  kCello = 42,
  kHarp = 46,
  kStrings = 48,
  kClarinet = 71,
  kFlute = 73,
};

// How long each file runs on after its closing chord is released: the time
// the General-MIDI soundfont takes to let those instruments fall silent
// (measured with bench/sound's sound_tune_endings, less a few milliseconds).
// The loop starts again from the top at the file's end, so the end of the
// sound and the end of the file fall together.
constexpr double kGreensleevesTail = 0.82;
constexpr double kCanonTail = 0.38;
constexpr double kMinuetTail = 0.24;

// A broken chord, one tone every step beats, each left ringing for ring beats.
void Arpeggio(Voice& voice, double beat, const Chord& chord, std::initializer_list<int> degrees,
              double step, double ring, int velocity) {
  for (int degree : degrees) {
    voice.At(beat).Sound({chord.Tone(degree)}, ring, velocity);
    beat += step;
  }
}

// A chord rolled upwards, one tone every step beats, all held until release.
void Roll(Voice& voice, double beat, const Chord& chord, std::initializer_list<int> degrees,
          double step, double release, int velocity) {
  for (int degree : degrees) {
    voice.At(beat).Sound({chord.Tone(degree)}, release - beat, velocity);
    beat += step;
  }
}

// Ends the file tail seconds after the release, at the closing tempo.
void EndAfterRelease(MidiFile& file, double release, double closingTempo, double tail) {
  file.End(Ticks(release + tail * closingTempo / 60.0));
}

// Greensleeves (English, 16th century), in A minor. The flute sings the tune
// over a harp, then a clarinet takes it over with strings added.
MidiFile Greensleeves() {
  MidiFile file;
  file.Text("Greensleeves (traditional), arranged for Zindle Tavrin");
  file.TimeSignature(0, 3, 4);
  file.Tempo(0, 96);

  Voice flute(file.AddTrack("Flute"), 0, 101, 3);
  Voice clarinet(file.AddTrack("Clarinet"), 1, 102, 3);
  Voice harp(file.AddTrack("Harp"), 2, 103, 3);
  Voice strings(file.AddTrack("Strings"), 3, 104, 3);
  flute.Setup(0, kFlute, 92, -12, 70, 10);
  clarinet.Setup(0, kClarinet, 88, 10, 70, 10);
  harp.Setup(0, kHarp, 100, 18, 60, 0);
  strings.Setup(0, kStrings, 70, -20, 80, 30);
  harp.Legato(1.0);
  strings.Legato(1.0);

  const std::string verse =
      "C5:h D5:q | E5:q. F5:e E5:q | D5:h B4:q | G4:q. A4:e B4:q | C5:h A4:q | A4:q. G#4:e A4:q "
      "| B4:h G#4:q | E4:h A4:q | C5:h D5:q | E5:q. F5:e E5:q | D5:h B4:q | G4:q. A4:e B4:q "
      "| C5:q. B4:e A4:q | G#4:q. F#4:e G#4:q | A4:h. | r:h. ";
  const std::string chorus =
      "G5:h. | G5:q. F#5:e E5:q | D5:h B4:q | G4:q. A4:e B4:q | C5:h A4:q | A4:q. G#4:e A4:q "
      "| B4:h G#4:q | E4:h. | G5:h. | G5:q. F#5:e E5:q | D5:h B4:q | G4:q. A4:e B4:q "
      "| C5:q. B4:e A4:q | G#4:q. F#4:e G#4:q | A4:h. | ";
  const std::vector<std::string> chords = {
      "Am", "C",  "G", "Em", "Am", "Am", "E", "E", "Am", "C",  "G", "Em", "Am", "E", "Am", "Am",
      "C",  "Em", "G", "Em", "Am", "Am", "E", "E", "C",  "Em", "G", "Em", "Am", "E", "Am", "Am"};

  // Two bars of harp alone, then the tune twice.
  constexpr double kIntro = 6, kPass = 96;
  for (double bar = 0; bar < kIntro; bar += 3) {
    Arpeggio(harp, bar, ParseChord("Am"), {0, 2, 3, 4, 3, 2}, 0.5, 1.5, 54);
  }
  for (int pass = 0; pass < 2; ++pass) {
    const double start = kIntro + pass * kPass;
    Voice& singer = pass == 0 ? flute : clarinet;
    singer.Velocity(pass == 0 ? 78 : 82).Legato(0.95);
    // The tune starts on its upbeat, the last beat before the pass.
    singer.At(start - 1).Play("A4:q | " + verse + chorus);
    singer.Play(pass == 0 ? "A4:h" : "A4:h.");
    for (std::size_t b = 0; b < chords.size(); ++b) {
      const double bar = start + 3.0 * static_cast<double>(b);
      const Chord chord = ParseChord(chords[b]);
      Arpeggio(harp, bar, chord, {0, 2, 3, 4, 3, 2}, 0.5, 1.5, pass == 0 ? 52 : 46);
      if (pass == 1) {
        strings.At(bar).Sound({chord.Tone(4), chord.Tone(5), chord.Tone(6)}, 3.0, 44);
      }
    }
  }

  // Close: slow down over the last two bars and let an A minor chord ring.
  const double last = kIntro + 2 * kPass;
  file.Tempo(Ticks(last - 6), 88);
  file.Tempo(Ticks(last - 3), 78);
  file.Tempo(Ticks(last), 66);
  const Chord am = ParseChord("Am");
  const double release = last + 5.5;
  Roll(harp, last, am, {0, 2, 3, 4, 5, 6}, 0.25, release, 50);
  strings.At(last).Sound({am.Tone(3), am.Tone(4), am.Tone(5)}, release - last, 46);
  flute.Velocity(60).Legato(1.0).At(last + 1.5).Sound({Key("A5")}, release - last - 1.5);
  EndAfterRelease(file, release, 66, kGreensleevesTail);
  return file;
}

// A canon on Pachelbel's ground (about 1700), in D major: cello and harp
// repeat the eight-chord bass while violin, flute and viola enter one after
// another with the same lines, as in Pachelbel's canon, and close together.
MidiFile Canon() {
  MidiFile file;
  file.Text("Canon on a ground after Johann Pachelbel, arranged for Zindle Tavrin");
  file.TimeSignature(0, 4, 4);
  file.Tempo(0, 112);

  Voice cello(file.AddTrack("Cello"), 0, 201, 4);
  Voice harp(file.AddTrack("Harp"), 1, 202, 4);
  Voice violin(file.AddTrack("Violin"), 2, 203, 4);
  Voice flute(file.AddTrack("Flute"), 3, 204, 4);
  Voice viola(file.AddTrack("Viola"), 4, 205, 4);
  cello.Setup(0, kCello, 90, -6, 70, 10);
  harp.Setup(0, kHarp, 90, 16, 60, 0);
  violin.Setup(0, kViolin, 84, -28, 75, 15);
  flute.Setup(0, kFlute, 88, 28, 70, 10);
  viola.Setup(0, kViola, 84, 6, 75, 15);
  harp.Legato(1.0);
  cello.Legato(0.97);

  const std::vector<std::string> ground = {"D", "A", "Bm", "F#m", "G", "D", "G", "A"};
  // Each line lasts one round of the ground: eight chords of two beats.
  const std::vector<std::string> lines = {
      "F#5:h E5 D5 C#5 B4 A4 B4 C#5",
      "D5:h C#5 B4 A4 G4 F#4 G4 E4",
      "D4:q F#4 A4 G4 F#4 D4 F#4 E4 D4 B3 D4 A4 G4 B4 A4 G4",
      "D5:e C#5 D5 D4 C#4 A4 E4 F#4 D4 D5 C#5 B4 C#5 F#5 A5 B5 "
      "G5 F#5 E5 G5 F#5 E5 D5 C#5 B4 A4 G4 F#4 E4 G4 F#4 E4",
      "A5:q F#5 E5:h F#5:q D5 C#5:h B4:q D5 A4:h B4:q G5 E5:h",
      "D5:e F#5 A5 F#5 C#5 E5 A5 E5 D5 F#5 B5 F#5 C#5 F#5 A5 F#5 "
      "B4 D5 G5 D5 A4 D5 F#5 D5 B4 D5 G5 D5 C#5 E5 A5 E5",
      "F#5:e E5 D5 C#5 B4 A4 B4 C#5 D5 C#5 B4 A4 C#5 A4 F#4 A4 "
      "B4 C#5 D5 B4 A4 B4 C#5 D5 B4 A4 G4 B4 A4 G4 F#4 E4",
      "D5:h A4 B4 F#4 G4 D4 G4 A4",
  };
  constexpr double kRound = 16;
  constexpr int kRounds = 11;  // the cello alone, then three voices a round apart
  Voice* voices[] = {&violin, &flute, &viola};
  const int velocities[] = {74, 70, 68};

  for (int round = 0; round < kRounds; ++round) {
    const double start = round * kRound;
    for (std::size_t c = 0; c < ground.size(); ++c) {
      const double beat = start + 2.0 * static_cast<double>(c);
      const Chord chord = ParseChord(ground[c]);
      cello.Velocity(round == 0 ? 74 : 70).At(beat).Sound({chord.root}, 2.0);
      Arpeggio(harp, beat, chord, {0, 2, 3, 4}, 0.5, 1.5, round < 2 ? 50 : 42);
    }
    for (int v = 0; v < 3; ++v) {
      const int line = round - 1 - v;
      if (line < 0 || line >= static_cast<int>(lines.size())) continue;
      voices[v]
          ->Velocity(velocities[v])
          .Legato(0.94)
          .At(start)
          .Play(lines[static_cast<std::size_t>(line)]);
    }
  }

  // Cadence: G, A, then D held while the tempo relaxes.
  const double close = kRounds * kRound;
  file.Tempo(Ticks(close), 102);
  file.Tempo(Ticks(close + 2), 90);
  file.Tempo(Ticks(close + 4), 76);
  const Chord g = ParseChord("G"), a = ParseChord("A"), d = ParseChord("D");
  cello.Legato(1.0).At(close).Sound({g.root}, 2).Sound({a.root}, 2).Sound({d.root}, 6);
  Arpeggio(harp, close, g, {0, 2, 3, 4}, 0.5, 1.5, 44);
  Arpeggio(harp, close + 2, a, {0, 2, 3, 4}, 0.5, 1.5, 44);
  const double release = close + 10;
  Roll(harp, close + 4, d, {0, 2, 3, 4, 5, 6}, 0.25, release, 46);
  violin.Legato(1.0).Velocity(68).At(close).Play("B4:h C#5:h").Sound({Key("D5")}, 6);
  flute.Legato(1.0).Velocity(64).At(close).Play("D5:h E5:h").Sound({Key("F#5")}, 6);
  viola.Legato(1.0).Velocity(62).At(close).Play("G4:h A4:h").Sound({Key("A4")}, 6);
  EndAfterRelease(file, release, 76, kCanonTail);
  return file;
}

// Minuet in G major (Christian Petzold, from the Notebook for Anna Magdalena
// Bach, 1725): each half twice, first on the piano, then the flute sings it
// over the piano's bass, with strings in the last round.
MidiFile Minuet() {
  MidiFile file;
  file.Text("Minuet in G (Christian Petzold), arranged for Zindle Tavrin");
  file.TimeSignature(0, 3, 4);
  file.Tempo(0, 100);

  Voice right(file.AddTrack("Piano right hand"), 0, 301, 3);
  Voice left(file.AddTrack("Piano left hand"), 0, 302, 3);
  Voice flute(file.AddTrack("Flute"), 1, 303, 3);
  Voice strings(file.AddTrack("Strings"), 2, 304, 3);
  right.Setup(0, kPiano, 115, 0, 60, 0);
  flute.Setup(0, kFlute, 100, 14, 70, 10);
  strings.Setup(0, kStrings, 72, -18, 80, 30);

  const std::string tuneA =
      "D5:q G4:e A4 B4 C5 | D5:q G4 G4 | E5:q C5:e D5 E5 F#5 | G5:q G4 G4 | C5:q D5:e C5 B4 A4 "
      "| B4:q C5:e B4 A4 G4 | F#4:q G4:e A4 B4 G4 | A4:h. | D5:q G4:e A4 B4 C5 | D5:q G4 G4 "
      "| E5:q C5:e D5 E5 F#5 | G5:q G4 G4 | C5:q D5:e C5 B4 A4 | B4:q C5:e B4 A4 G4 "
      "| A4:q B4:e A4 G4 F#4 | G4:h.";
  const std::string bassA =
      "G3:h. | B3:h. | C4:h. | B3:h. | A3:h. | G3:h. | D4:q B3 G3 | D4:q D3 C4 | G3:h. | B3:h. "
      "| C4:h. | B3:h. | A3:h. | G3:h. | C4:q D4 D3 | G3:q D3 G2";
  const std::string tuneB =
      "B5:q G5:e A5 B5 G5 | A5:q D5:e E5 F#5 D5 | G5:q E5:e F#5 G5 D5 | C#5:q B4:e C#5 A4:q "
      "| A4:e B4 C#5 D5 E5 F#5 | G5:q F#5 E5 | F#5:q A4 C#5 | D5:h. | D5:q G4:e F#4 G4:q "
      "| E5:q G4:e F#4 G4:q | D5:q C5 B4 | A4:e G4 F#4 G4 A4:q | D4:e E4 F#4 G4 A4 B4 "
      "| C5:q B4 A4 | B4:e D5 G4:q F#4 | G4:h.";
  const std::string bassB =
      "G3:h. | F#3:h. | E3:h. | A3:h A2:q | A3:h. | B3:q A3 G3 | D3:q F#3 A3 | D4:q D3 C4 | B3:h. "
      "| C4:h. | B3:h. | A3:h. | D3:h. | E3:q G3 F#3 | G3:q D3 D3 | G2:h.";

  constexpr double kHalf = 48;  // sixteen bars
  const std::string* tunes[] = {&tuneA, &tuneA, &tuneB, &tuneB};
  const std::string* basses[] = {&bassA, &bassA, &bassB, &bassB};
  for (int round = 0; round < 4; ++round) {
    const double start = round * kHalf;
    const bool piano = round % 2 == 0;
    Voice& singer = piano ? right : flute;
    singer.Velocity(piano ? 80 : 82).Legato(piano ? 0.85 : 0.93).At(start).Play(*tunes[round]);
    // The last bass note belongs to the closing chord below.
    const std::string bass =
        round == 3 ? basses[round]->substr(0, basses[round]->rfind('|')) : *basses[round];
    left.Velocity(piano ? 64 : 60).Legato(0.9).At(start).Play(bass);
    if (round == 3) {
      strings.Velocity(40).Legato(1.0).Transpose(12).At(start).Play(*basses[round]);
    }
  }

  // The last bar slows, and a full G major chord on the piano closes it.
  const double last = 4 * kHalf - 3;
  file.Tempo(Ticks(last - 6), 92);
  file.Tempo(Ticks(last - 3), 82);
  file.Tempo(Ticks(last), 68);
  const double release = last + 3.5;
  right.Legato(1.0).At(last).Sound({Key("B3"), Key("D4"), Key("G4")}, release - last, 58);
  left.Legato(1.0).At(last).Sound({Key("G2"), Key("D3")}, release - last, 62);
  EndAfterRelease(file, release, 68, kMinuetTail);
  return file;
}

bool Save(const MidiFile& file, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = file.Bytes();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (bytes.empty() || !out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace
}  // namespace zt::music

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  // The names set the order in which the game plays them.
  using namespace zt::music;
  const bool ok = Save(Greensleeves(), dir / "tune1-greensleeves.mid") &&
                  Save(Canon(), dir / "tune2-canon.mid") &&
                  Save(Minuet(), dir / "tune3-minuet.mid");
  return ok ? 0 : 1;
}
