// fxhost diff: exit 0 only for the same samples, whatever the container; otherwise what
// differs and where it starts.
#include <sndfile.h>

#include <cmath>

#include "audio_fixture.h"
#include "cli_runner.h"

namespace {

using DiffTest = CliTest;

TEST_F(DiffTest, SameSamplesInAnotherContainerAreIdentical) {
  // The same 16-bit codes in both files (a float written to each format may round apart).
  std::vector<float> signal = testSignal(1000, 2);
  for (float& s : signal) s = std::round(std::fmax(-1.0f, std::fmin(s, 0.99f)) * 32768.0f) / 32768.0f;
  writeAudio(path("a.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, signal);
  writeAudio(path("a.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, signal);
  const RunResult run = runFxhost({"diff", path("a.wav"), path("a.flac")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("identical: 1000 frames"), std::string::npos) << run.out;
}

TEST_F(DiffTest, NamesTheFirstDifferenceAndItsSize) {
  std::vector<float> signal(800, 0.25f);
  writeAudio(path("a.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, signal);
  signal[2 * 123 + 1] = 0.75f;
  signal[2 * 300] = 0.0f;
  writeAudio(path("b.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, signal);
  const RunResult run = runFxhost({"diff", path("a.wav"), path("b.wav")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("2 of 800 samples; first at frame 123, channel 2"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("peak 0.5 "), std::string::npos) << run.out;
}

TEST_F(DiffTest, DifferentLengthsChannelsOrRatesDiffer) {
  const std::vector<float> signal = testSignal(100, 1);
  writeAudio(path("a.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, signal);
  writeAudio(path("short.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, std::vector<float>(signal.begin(), signal.end() - 1));
  writeAudio(path("stereo.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, testSignal(50, 2));
  writeAudio(path("rate.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, signal, 48000);
  struct { const char* other; const char* said; } cases[] = {
      {"short.wav", "100 against 99 frames"}, {"stereo.wav", "1 against 2 channels"}, {"rate.wav", "44100 against 48000"}};
  for (const auto& c : cases) {
    const RunResult run = runFxhost({"diff", path("a.wav"), path(c.other)});
    EXPECT_EQ(run.status, 1) << c.other;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
  }
  EXPECT_EQ(runFxhost({"diff", path("a.wav"), path("missing.wav")}).status, 9);
}

}  // namespace
