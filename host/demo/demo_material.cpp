// Writes the demo's test material into a folder: a plucked-string phrase (Karplus-Strong
// synthesis) and an exponential sine sweep, 44.1 kHz mono 16-bit WAV. Everything is
// computed from fixed numbers, so every run writes the same bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "audio_file.h"
#include "exit_status.h"

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
// Both signals peak at -1 dBFS.
constexpr float kPeak = 0.891f;

// A small linear congruential generator: the same noise burst on every machine.
class Noise {
 public:
  double next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }

 private:
  std::uint32_t state = 12345u;
};

// One plucked note added into `out` from `start`: a delay line one period long, filled
// with noise, fed back through a two-point average that damps the high partials.
void pluck(std::vector<float>& out, std::size_t start, double frequency, double seconds, double level, Noise& noise) {
  const auto period = static_cast<std::size_t>(std::lround(kRate / frequency));
  std::vector<double> line(period);
  for (double& s : line) s = noise.next();
  const auto length = static_cast<std::size_t>(seconds * kRate);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < length && start + i < out.size(); ++i) {
    const double current = line[pos];
    const double following = line[(pos + 1) % period];
    line[pos] = 0.996 * 0.5 * (current + following);
    out[start + i] += static_cast<float>(level * current);
    pos = (pos + 1) % period;
  }
}

std::vector<float> pluckedPhrase() {
  std::vector<float> out(static_cast<std::size_t>(4.5 * kRate));
  Noise noise;
  // An open-string arpeggio going up, then a strummed chord.
  const double notes[] = {82.41, 110.00, 146.83, 196.00, 246.94, 329.63, 246.94, 196.00};
  std::size_t at = 0;
  for (double f : notes) {
    pluck(out, at, f, 1.5, 0.35, noise);
    at += static_cast<std::size_t>(0.3 * kRate);
  }
  for (int i = 0; i < 6; ++i)
    pluck(out, at + static_cast<std::size_t>(i) * 441, notes[i], 2.0, 0.2, noise);
  // Peak just below full scale, where the curves bend at every drive setting.
  float peak = 0.0f;
  for (float s : out) peak = std::fmax(peak, std::fabs(s));
  if (peak > 0.0f)
    for (float& s : out) s = s * (kPeak / peak);
  return out;
}

std::vector<float> sineSweep() {
  const double seconds = 4.0, from = 20.0, to = 20000.0, level = kPeak;
  const auto length = static_cast<std::size_t>(seconds * kRate);
  std::vector<float> out(length);
  const double k = std::log(to / from);
  const std::size_t fade = kRate / 100;
  for (std::size_t i = 0; i < length; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double phase = 2.0 * kPi * from * seconds / k * (std::exp(t / seconds * k) - 1.0);
    double gain = level;
    if (i < fade) gain *= static_cast<double>(i) / fade;
    if (length - i < fade) gain *= static_cast<double>(length - i) / fade;
    out[i] = static_cast<float>(gain * std::sin(phase));
  }
  return out;
}

void writeMono(const std::string& path, const std::vector<float>& samples) {
  AudioWriter writer(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, kRate);
  writer.write(samples.data(), samples.size());
  writer.commit();
  std::printf("wrote %s (%.2f s)\n", path.c_str(), static_cast<double>(samples.size()) / kRate);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  try {
    writeMono(folder + "/pluck.wav", pluckedPhrase());
    writeMono(folder + "/sweep.wav", sineSweep());
  } catch (const CommandError& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return exitCode(e.status());
  }
  return 0;
}
