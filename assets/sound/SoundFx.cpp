// Synthesises the game's seven sound effects and writes them as a C++ source
// file of wave images (and, for listening, as .wav files beside it).
//
// Every effect is 8-bit mono PCM at a fixed rate and byte count. Each starts
// and ends on the silent middle value through short fades, so none clicks.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;

struct Effect {
  int rate;
  int bytes;
  const char* what;
  std::function<void(std::vector<double>&, int rate)> render;
  double peak;  // loudness after normalising, 0..1 of full scale
};

double Seconds(int index, int rate) {
  return static_cast<double>(index) / rate;
}

// Attack and decay envelope: rises over attack seconds, then falls away
// exponentially with the given time constant.
double Strike(double t, double attack, double decay) {
  if (t < 0) return 0;
  const double rise = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
  return rise * std::exp(-t / decay);
}

// A two-pole resonant band-pass (constant peak gain), for shaping noise.
class BandPass {
 public:
  void Set(double centre, double q, int rate) {
    const double w = kTwoPi * centre / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2 * std::cos(w) / a0;
    a2_ = (1 - alpha) / a0;
  }
  double operator()(double x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double b0_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class Noise {
 public:
  explicit Noise(unsigned seed) : engine_(seed) {}
  double operator()() { return dist_(engine_); }

 private:
  std::mt19937 engine_;
  std::uniform_real_distribution<double> dist_{-1.0, 1.0};
};

// 1 CRUX move: the baulks slide - a soft breath of filtered noise whose pitch
// sinks as the track comes to rest.
void SoftSlide(std::vector<double>& out, int rate) {
  Noise noise(11);
  BandPass band;
  const double length = Seconds(static_cast<int>(out.size()), rate);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    const double progress = t / length;
    band.Set(1400 - 700 * progress, 2.2, rate);
    const double swell = std::sin(kPi * std::pow(progress, 0.7));
    out[i] = band(noise()) * swell * swell + 0.25 * std::sin(kTwoPi * 140 * t) * swell * swell;
  }
}

// 2 TILZ push: a plate is shoved one cell - a low knock, then the scrape of
// the plate over the board.
void PlatePush(std::vector<double>& out, int rate) {
  Noise noise(22);
  BandPass scrape, grit;
  scrape.Set(900, 1.4, rate);
  grit.Set(2600, 3.0, rate);
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    const double pitch = 150 + 90 * std::exp(-t / 0.02);
    phase += kTwoPi * pitch / rate;
    const double knock = std::sin(phase) * Strike(t, 0.003, 0.045);
    const double n = noise();
    const double rub = (scrape(n) + 0.35 * grit(n)) * Strike(t - 0.02, 0.03, 0.08);
    out[i] = 0.9 * knock + 0.8 * rub;
  }
}

// A wooden click: a few quickly dying partials over a grain of noise.
double WoodClick(double t, double pitch, Noise& noise) {
  if (t < 0) return 0;
  const double body = 0.6 * std::sin(kTwoPi * pitch * t) * Strike(t, 0.0008, 0.018) +
                      0.35 * std::sin(kTwoPi * pitch * 2.32 * t) * Strike(t, 0.0008, 0.010) +
                      0.25 * std::sin(kTwoPi * pitch * 0.5 * t) * Strike(t, 0.0015, 0.030);
  return body + 0.2 * noise() * Strike(t, 0.0005, 0.004);
}

// 3 BOSS move: a tile is picked up with a click and set down with a softer one
// as the slide ends.
void TileClick(std::vector<double>& out, int rate) {
  Noise noise(33);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    out[i] = WoodClick(t, 1150, noise) + 0.45 * WoodClick(t - 0.175, 980, noise);
  }
}

// 4 TRANSIT move: a row or column turns - a short ratchet of rising ticks over
// a faint whirr.
void Rotation(std::vector<double>& out, int rate) {
  Noise noise(44);
  BandPass whirr;
  const double length = Seconds(static_cast<int>(out.size()), rate);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    double v = 0;
    for (int k = 0; k < 5; ++k) {
      const double at = 0.006 + k * 0.042;
      v += (0.55 + 0.1 * k) * WoodClick(t - at, 1300 + 140 * k, noise);
    }
    whirr.Set(700 + 900 * t / length, 3.0, rate);
    v += 0.35 * whirr(noise()) * std::sin(kPi * t / length);
    out[i] = v;
  }
}

// A soft bell-like tone: a few harmonics, the upper ones dying sooner.
double Bell(double t, double freq, double decay, int rate) {
  if (t < 0) return 0;
  static constexpr double kPartials[][2] = {{1, 1.0}, {2, 0.45}, {3, 0.22}, {4, 0.12}, {6, 0.05}};
  double v = 0;
  for (const auto& [multiple, level] : kPartials) {
    const double f = freq * multiple;
    if (f > 0.45 * rate) break;
    v += level * std::sin(kTwoPi * f * t) * Strike(t, 0.006, decay / multiple);
  }
  // A slow shimmer, as of two strings a hair apart.
  return v * (1 + 0.08 * std::sin(kTwoPi * 4.5 * t));
}

double Note(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// 5 Solved: a short fanfare - a rising arpeggio that settles on a ringing
// major chord.
void Fanfare(std::vector<double>& out, int rate) {
  struct Struck {
    double at;
    int note;
    double level;
    double decay;
  };
  // C5 E5 G5, then C6 over the full chord, left to ring.
  static constexpr Struck kNotes[] = {
      {0.00, 72, 0.8, 0.35}, {0.13, 76, 0.8, 0.35}, {0.26, 79, 0.8, 0.35}, {0.42, 84, 0.9, 0.9},
      {0.42, 72, 0.5, 0.9},  {0.42, 76, 0.45, 0.9}, {0.42, 79, 0.45, 0.9}, {0.42, 60, 0.5, 1.0},
  };
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    double v = 0;
    for (const Struck& s : kNotes)
      v += s.level * Bell(t - s.at, Note(s.note), s.decay, rate);
    out[i] = v;
  }
}

// 6 TILZ push blocked: a dull bump - a low thud that drops in pitch.
void DullBump(std::vector<double>& out, int rate) {
  Noise noise(66);
  BandPass thud;
  thud.Set(180, 0.8, rate);
  double phase = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    phase += kTwoPi * (70 + 60 * std::exp(-t / 0.025)) / rate;
    out[i] =
        std::sin(phase) * Strike(t, 0.004, 0.05) + 0.6 * thud(noise()) * Strike(t, 0.001, 0.02);
  }
}

// 7 TILZ corner reached: a bright chime - two bell strikes a fifth apart.
void Chime(std::vector<double>& out, int rate) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = Seconds(static_cast<int>(i), rate);
    out[i] = Bell(t, Note(88), 0.22, rate) + 0.8 * Bell(t - 0.09, Note(95), 0.2, rate);
  }
}

// Scales to the wanted peak and fades the ends in and out, so the effect
// starts and stops on silence.
void Finish(std::vector<double>& samples, int rate, double peak) {
  double top = 0;
  for (double v : samples)
    top = std::max(top, std::abs(v));
  const double gain = top > 0 ? peak / top : 0;
  const std::size_t fadeIn = static_cast<std::size_t>(0.002 * rate);
  const std::size_t fadeOut = static_cast<std::size_t>(0.02 * rate);
  const std::size_t n = samples.size();
  for (std::size_t i = 0; i < n; ++i) {
    double g = gain;
    if (i < fadeIn) g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / fadeIn);
    if (i + fadeOut >= n) {
      g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(n - 1 - i) / fadeOut);
    }
    samples[i] *= g;
  }
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

// A RIFF WAVE image: 8-bit unsigned mono PCM, silence at 128. An odd-sized
// data chunk gets its pad byte, as RIFF wants.
std::vector<std::uint8_t> WaveImage(const std::vector<double>& samples, int rate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size());
  const std::uint32_t pad = dataBytes & 1;
  std::vector<std::uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 4 + 8 + 16 + 8 + dataBytes + pad);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<std::uint32_t>(rate));
  Put32(out, static_cast<std::uint32_t>(rate));  // bytes per second
  Put16(out, 1);                                 // block align
  Put16(out, 8);                                 // bits per sample
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (double v : samples) {
    const long level = std::lround(128 + 127 * std::clamp(v, -1.0, 1.0));
    out.push_back(static_cast<std::uint8_t>(level));
  }
  if (pad) out.push_back(128);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);

  // Rates and byte counts are fixed. The levels even out how loud the sounds
  // seem: clicks may peak high, a bright chime less so, a low bump more. The
  // mixer then sets them all a little above the music (see AudioDevice).
  const std::vector<Effect> effects = {
      {11025, 3452, "CRUX move", SoftSlide, 0.6},    // a soft slide
      {22050, 5994, "TILZ push", PlatePush, 0.62},   // a plate pushed
      {11025, 2806, "BOSS move", TileClick, 0.85},   // a tile clicking
      {11025, 2672, "TRANSIT move", Rotation, 0.7},  // a row turning
      {22050, 50752, "solved", Fanfare, 0.71},       // a short fanfare
      {11025, 1897, "TILZ blocked", DullBump, 0.9},  // a dull bump
      {11025, 6640, "TILZ corner", Chime, 0.59},     // a bright chime
  };

  std::ofstream source(dir / "EffectImages.cpp");
  source << "// Generated by assets/sound/SoundFx.cpp; do not edit.\n"
            "#include \"assets/sound/EffectImages.h\"\n\n"
            "namespace zt::sound {\nnamespace {\n";
  for (std::size_t e = 0; e < effects.size(); ++e) {
    const Effect& effect = effects[e];
    std::vector<double> samples(static_cast<std::size_t>(effect.bytes));
    effect.render(samples, effect.rate);
    Finish(samples, effect.rate, effect.peak);
    const std::vector<std::uint8_t> image = WaveImage(samples, effect.rate);

    std::ofstream wav(dir / ("effect" + std::to_string(e + 1) + ".wav"), std::ios::binary);
    wav.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));

    source << "// " << e + 1 << ": " << effect.what << "\n";
    source << "const unsigned char kEffect" << e + 1 << "[" << image.size() << "] = {";
    for (std::size_t i = 0; i < image.size(); ++i) {
      source << (i % 20 == 0 ? "\n" : " ") << static_cast<unsigned>(image[i]) << ",";
    }
    source << "};\n\n";
  }
  source << "}  // namespace\n\n"
            "std::span<const unsigned char> EffectImage(int n) {\n"
            "  switch (n) {\n";
  for (std::size_t e = 1; e <= effects.size(); ++e) {
    source << "    case " << e << ":\n      return kEffect" << e << ";\n";
  }
  source << "    default:\n      return {};\n  }\n}\n\n}  // namespace zt::sound\n";
  source.close();
  if (!source) {
    std::fprintf(stderr, "cannot write %s\n", (dir / "EffectImages.cpp").c_str());
    return 1;
  }
  return 0;
}
