// fxhost render, run as a user runs it: the output is the plug-in's own processing of the
// same samples, in the format and channel layout the rules give, frame for frame.
#include <sndfile.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "audio_fixture.h"
#include "cli_options.h"
#include "cli_runner.h"

namespace {

using RenderTest = CliTest;

struct MatchCase {
  const char* name;
  int channels;          // of the input file
  bool pluginTwo;
  bool accumulate;
  const char* block;
  std::vector<std::string> sets;                // as typed
  std::vector<std::pair<int, float>> settings;  // the same, by index
};

TEST_F(RenderTest, OutputIsThePluginsOwnProcessingOfTheSameSamples) {
  const MatchCase cases[] = {
      {"one, names in any case", 1, false, false, "100", {"depth=0.7", "TYPE=0.5", "mix=0.25"},
       {{0, 0.7f}, {2, 0.5f}, {1, 0.25f}}},
      {"one, accumulating", 1, false, true, "64", {"0=0.9", "2=0"}, {{0, 0.9f}, {2, 0.0f}}},
      {"two, stereo, names with blanks", 2, true, false, "512", {"PreAmp=0.8", "depth =0.6", "Type=1"},
       {{1, 0.8f}, {2, 0.6f}, {0, 1.0f}}},
      {"two, mono file into both inputs", 1, true, false, "333", {"3=0.1"}, {{3, 0.1f}}},
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<float> signal = testSignal(1037, c.channels);
    writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, c.channels, signal);
    const std::string& plugin = c.pluginTwo ? cli_options::pluginTwo() : cli_options::pluginOne();
    std::vector<std::string> args = {"render", plugin, path("in.wav"), path("out.wav"), "--block", c.block, "--overwrite"};
    for (const std::string& s : c.sets) args.insert(args.end(), {"--set", s});
    if (c.accumulate) args.push_back("--accumulate");
    const RunResult run = runFxhost(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("1037 frames"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "") << "no progress bar when stderr is not a terminal";

    const Audio out = readAudio(path("out.wav"));
    EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(out.channels, 2);
    const std::vector<float> expected =
        referenceRender(plugin, signal, c.channels, std::stoi(c.block), c.settings, c.accumulate);
    ASSERT_EQ(out.samples.size(), expected.size());
    EXPECT_TRUE(out.samples == expected);
  }
}

TEST_F(RenderTest, AnEffectWithoutReplacingIsPlayedThroughProcessIntoZeroedBuffers) {
  // The fixture adds half its input to the output: only zeroed buffers give exactly half.
  const std::vector<float> signal = testSignal(1000, 1);
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, signal);
  const RunResult run = runFxhost({"render", cli_options::fixtureDir() + "/fixture_accumulating_only.so", path("in.wav"),
                                   path("out.wav"), "--block", "300"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("(accumulating)"), std::string::npos) << run.out;
  const Audio out = readAudio(path("out.wav"));
  ASSERT_EQ(out.samples.size(), signal.size());
  for (std::size_t i = 0; i < signal.size(); ++i) ASSERT_EQ(out.samples[i], 0.5f * signal[i]) << i;
}

TEST_F(RenderTest, OutputHasExactlyTheInputsFrames) {
  for (std::size_t frames : {std::size_t{1}, std::size_t{511}, std::size_t{512}, std::size_t{513}, std::size_t{2000}}) {
    writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(frames, 1));
    const RunResult run = runFxhost({"render", cli_options::pluginOne(), path("in.wav"), path("out.wav"), "--overwrite"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readAudio(path("out.wav")).frames(), frames);
  }
}

struct FormatCase {
  const char* input;
  int inputFormat;
  const char* output;
  const char* extra;
  int expectedFormat;
};

TEST_F(RenderTest, OutputKeepsTheInputsFormatUnlessToldOtherwise) {
  const FormatCase cases[] = {
      {"in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, "out.wav", nullptr, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
      {"in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, "out", nullptr, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
      {"in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "out.flac", nullptr, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
      {"in.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, "out.aiff", nullptr, SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
      {"in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, "out.ogg", nullptr, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
      {"in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, "out.wav", "--float", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
      {"in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, "out.flac", nullptr, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
      {"in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, "out.flac", nullptr, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(std::string(c.input) + " -> " + c.output + (c.extra ? std::string(" ") + c.extra : ""));
    writeAudio(path(c.input), c.inputFormat, 1, testSignal(700, 1), 48000);
    std::vector<std::string> args = {"render", cli_options::pluginOne(), path(c.input), path(c.output), "--overwrite", "-q"};
    if (c.extra) args.push_back(c.extra);
    const RunResult run = runFxhost(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "") << "--quiet prints no summary";
    const Audio out = readAudio(path(c.output));
    EXPECT_EQ(out.format, c.expectedFormat);
    EXPECT_EQ(out.rate, 48000);
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.frames(), 700u);
  }
}

TEST_F(RenderTest, IntegerOutputClipsAtFullScaleInsteadOfWrapping) {
  // A full-scale 32-bit input through the dry path (MIX 1) comes out at exactly 1.0.
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_32, 1, std::vector<float>(64, 1.0f));
  const RunResult run = runFxhost({"render", cli_options::pluginOne(), path("in.wav"), path("out.wav"), "--set", "MIX=1"});
  ASSERT_EQ(run.status, 0) << run.err;
  SF_INFO info{};
  SNDFILE* file = sf_open(path("out.wav").c_str(), SFM_READ, &info);
  ASSERT_NE(file, nullptr);
  std::vector<int> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_readf_int(file, samples.data(), info.frames);
  sf_close(file);
  for (int s : samples) ASSERT_GT(s, INT_MAX - 256);
}

struct ChannelCase {
  const char* name;
  int fileChannels;
  bool pluginTwo;
  std::vector<std::string> options;
  int status;
  const char* said;  // part of stderr, for refusals
};

TEST_F(RenderTest, ChannelRules) {
  const ChannelCase cases[] = {
      {"stereo into a mono-input plug-in is refused", 2, false, {}, 15, "--channel N"},
      {"a channel that is not there", 2, false, {"--channel", "3"}, 15, "--channel 3"},
      {"--channel and --downmix together", 2, false, {"--channel", "1", "--downmix"}, 2, "exclude"},
      {"three channels into a stereo plug-in", 3, true, {}, 15, "3 channels"},
  };
  for (const ChannelCase& c : cases) {
    SCOPED_TRACE(c.name);
    writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, c.fileChannels, testSignal(300, c.fileChannels));
    std::vector<std::string> args = {"render", c.pluginTwo ? cli_options::pluginTwo() : cli_options::pluginOne(),
                                     path("in.wav"), path("out.wav")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult run = runFxhost(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_EQ(files(), std::vector<std::string>{"in.wav"});
  }
}

TEST_F(RenderTest, PickedOrAveragedChannelsRenderAsTheMonoFileOfThem) {
  const std::vector<float> stereo = testSignal(900, 2);
  std::vector<float> right, average;
  for (std::size_t f = 0; f < 900; ++f) {
    right.push_back(stereo[2 * f + 1]);
    average.push_back(static_cast<float>((static_cast<double>(stereo[2 * f]) + stereo[2 * f + 1]) / 2.0));
  }
  writeAudio(path("stereo.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, stereo);
  writeAudio(path("right.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, right);
  writeAudio(path("average.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, average);
  const std::string one = cli_options::pluginOne();
  struct { std::vector<std::string> option; const char* mono; } cases[] = {
      {{"--channel", "2"}, "right.wav"}, {{"--downmix"}, "average.wav"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mono);
    std::vector<std::string> args = {"render", one, path("stereo.wav"), path("picked.wav"), "--overwrite", "-q"};
    args.insert(args.end(), c.option.begin(), c.option.end());
    ASSERT_EQ(runFxhost(args).status, 0);
    ASSERT_EQ(runFxhost({"render", one, path(c.mono), path("mono.wav"), "--overwrite", "-q"}).status, 0);
    const RunResult diff = runFxhost({"diff", path("picked.wav"), path("mono.wav")});
    EXPECT_EQ(diff.status, 0) << diff.out;
  }
}

TEST_F(RenderTest, AnExistingOutputIsReplacedOnlyWithOverwrite) {
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(100, 1));
  { std::ofstream(path("out.wav")) << "keep me"; }
  const RunResult refused = runFxhost({"render", cli_options::pluginOne(), path("in.wav"), path("out.wav")});
  EXPECT_EQ(refused.status, 11);
  EXPECT_NE(refused.err.find("--overwrite"), std::string::npos) << refused.err;
  EXPECT_EQ(std::filesystem::file_size(path("out.wav")), 7u);
  const RunResult replaced = runFxhost({"render", cli_options::pluginOne(), path("in.wav"), path("out.wav"), "--overwrite"});
  EXPECT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_EQ(readAudio(path("out.wav")).frames(), 100u);
  EXPECT_EQ(files(), (std::vector<std::string>{"in.wav", "out.wav"}));
}

TEST_F(RenderTest, RelativePathsWorkFromTheWorkingDirectory) {
  std::filesystem::copy_file(cli_options::pluginOne(), path("plugin.so"));
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(100, 1));
  std::filesystem::create_directory(path("sub"));
  const RunResult info = runFxhost({"info", "plugin.so"}, dir);
  EXPECT_EQ(info.status, 0) << info.err;
  const RunResult render = runFxhost({"render", "../plugin.so", "../in.wav", "out.wav"}, path("sub"));
  EXPECT_EQ(render.status, 0) << render.err;
  EXPECT_EQ(readAudio(path("sub/out.wav")).frames(), 100u);
}

TEST_F(RenderTest, SummaryJsonHasTheFiguresOfTheRender) {
  // Full-scale square wave through the dry path: every output sample is at full scale.
  std::vector<float> square(1000);
  for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 50) % 2 ? -1.0f : 1.0f;
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, square);
  // Options before the files too: each --set takes one value.
  const RunResult run = runFxhost({"render", "--block", "128", "--set", "mix=1", cli_options::pluginOne(), path("in.wav"),
                                   path("out.wav"), "--summary-json", path("summary.json")});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream file(path("summary.json"));
  const nlohmann::json summary = nlohmann::json::parse(file);
  EXPECT_EQ(summary["frames"], 1000);
  EXPECT_EQ(summary["blockSize"], 128);
  EXPECT_EQ(summary["sampleRate"], 44100);
  EXPECT_EQ(summary["input"]["fullScaleSamples"], 1000);
  EXPECT_EQ(summary["output"]["fullScaleSamples"], 2000);
  EXPECT_EQ(summary["output"]["fullScalePercent"], 100.0);
  EXPECT_EQ(summary["output"]["peak"], 1.0);
  EXPECT_EQ(summary["output"]["crestFactor"], 1.0);
  EXPECT_EQ(summary["parameters"][1]["value"], 1.0);
}

}  // namespace
