// fxhost diff A B: compares two audio files sample by sample; exit 0 only when identical.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "audio_file.h"
#include "command.h"
#include "signal_stats.h"

namespace {

class DiffCommand : public Command {
 public:
  explicit DiffCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("A", first, "audio file")->required();
    sub->add_option("B", second, "audio file")->required();
  }

  ExitStatus run() override {
    AudioReader a(first), b(second);
    std::printf("A  %s: %lld frames, %d channel(s), %d Hz, %s\n", first.c_str(), static_cast<long long>(a.frames()),
                a.channels(), a.sampleRate(), describeFormat(a.format()).c_str());
    std::printf("B  %s: %lld frames, %d channel(s), %d Hz, %s\n", second.c_str(), static_cast<long long>(b.frames()),
                b.channels(), b.sampleRate(), describeFormat(b.format()).c_str());
    if (a.channels() != b.channels()) {
      std::printf("differ: %d against %d channels\n", a.channels(), b.channels());
      return ExitStatus::FilesDiffer;
    }
    bool differ = false;
    if (a.sampleRate() != b.sampleRate()) {
      std::printf("differ: sample rate %d against %d Hz\n", a.sampleRate(), b.sampleRate());
      differ = true;
    }

    constexpr std::size_t kBlock = 4096;
    const auto channels = static_cast<std::size_t>(a.channels());
    std::vector<double> blockA(kBlock * channels), blockB(kBlock * channels);
    std::uint64_t frame = 0, framesA = 0, framesB = 0, differing = 0;
    long long firstFrame = -1;
    std::size_t firstChannel = 0;
    double peak = 0.0, sumOfSquares = 0.0;
    for (;;) {
      const std::size_t gotA = a.read(blockA.data(), kBlock), gotB = b.read(blockB.data(), kBlock);
      framesA += gotA;
      framesB += gotB;
      const std::size_t common = std::min(gotA, gotB);
      for (std::size_t i = 0; i < common * channels; ++i) {
        const double d = blockA[i] - blockB[i];
        if (d == 0.0) continue;
        ++differing;
        if (firstFrame < 0) {
          firstFrame = static_cast<long long>(frame + i / channels);
          firstChannel = i % channels;
        }
        peak = std::max(peak, std::fabs(d));
        sumOfSquares += d * d;
      }
      frame += common;
      if (gotA == 0 && gotB == 0) break;
    }
    if (framesA != framesB) {
      std::printf("differ: %llu against %llu frames\n", static_cast<unsigned long long>(framesA),
                  static_cast<unsigned long long>(framesB));
      differ = true;
    }
    if (differing > 0) {
      const double rms = std::sqrt(sumOfSquares / static_cast<double>(frame * channels));
      std::printf("differ: %llu of %llu samples; first at frame %lld, channel %zu\n",
                  static_cast<unsigned long long>(differing), static_cast<unsigned long long>(frame * channels),
                  firstFrame, firstChannel + 1);
      std::printf("difference: peak %.9g (%.2f dBFS), RMS %.9g (%.2f dBFS)\n", peak, toDecibels(peak), rms,
                  toDecibels(rms));
      differ = true;
    }
    if (!differ) std::printf("identical: %llu frames\n", static_cast<unsigned long long>(frame));
    return differ ? ExitStatus::FilesDiffer : ExitStatus::Ok;
  }

 private:
  std::string first, second;
};

}  // namespace

std::unique_ptr<Command> addDiffCommand(CLI::App& app) {
  CLI::App* sub = app.add_subcommand("diff", "compare two audio files sample by sample (exit 0 only when identical)");
  return std::make_unique<DiffCommand>(sub);
}
