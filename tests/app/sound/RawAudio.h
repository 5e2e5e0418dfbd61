#pragma once

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// Reads what SDL's disk audio driver wrote: interleaved signed 16-bit stereo
// frames at the device's rate, and measures it in short windows.
namespace zt::test {

struct RawAudio {
  int rate = 44100;
  std::vector<std::int16_t> samples;  // left and right interleaved

  static RawAudio Load(const QString& path, int rate) {
    RawAudio audio;
    audio.rate = rate;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return audio;
    const QByteArray bytes = file.readAll();
    audio.samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
    std::memcpy(audio.samples.data(), bytes.data(), audio.samples.size() * 2);
    return audio;
  }

  std::size_t Frames() const { return samples.size() / 2; }
  double Seconds() const { return static_cast<double>(Frames()) / rate; }

  // Largest absolute sample of both channels in [from, to) seconds.
  int Peak(double from, double to) const {
    int peak = 0;
    for (std::size_t f = FrameAt(from); f < FrameAt(to); ++f) {
      peak = std::max({peak, std::abs(samples[2 * f]), std::abs(samples[2 * f + 1])});
    }
    return peak;
  }

  // Root mean square in [from, to), in dB below full scale.
  double RmsDb(double from, double to) const {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t f = FrameAt(from); f < FrameAt(to); ++f, n += 2) {
      sum +=
          double(samples[2 * f]) * samples[2 * f] + double(samples[2 * f + 1]) * samples[2 * f + 1];
    }
    if (n == 0 || sum == 0) return -200;
    return 10 * std::log10(sum / n / (32768.0 * 32768.0));
  }

  // Start times of the windows of `window` seconds whose peak is at or above
  // `threshold`: where something can be heard.
  std::vector<bool> Audible(double window, int threshold) const {
    std::vector<bool> audible;
    for (double t = 0; t + window <= Seconds(); t += window) {
      audible.push_back(Peak(t, t + window) >= threshold);
    }
    return audible;
  }

 private:
  std::size_t FrameAt(double seconds) const {
    const double f = std::max(0.0, seconds) * rate;
    return std::min(Frames(), static_cast<std::size_t>(f));
  }
};

}  // namespace zt::test
