// A plug-in from another maker (Debian's zam-plugins), loaded as a new user would: info
// lists it and render runs a file through it, a parameter set by its name.
#include <sndfile.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "audio_fixture.h"
#include "cli_options.h"
#include "cli_runner.h"

namespace {

using PeerPluginTest = CliTest;

TEST_F(PeerPluginTest, InfoAndRenderWork) {
  const std::string& peer = cli_options::peerPlugin();
  ASSERT_TRUE(std::filesystem::exists(peer)) << peer << " is missing: run scripts/install-deps.sh test";
  const RunResult info = runFxhost({"info", peer, "--json"});
  ASSERT_EQ(info.status, 0) << info.err;
  const nlohmann::json record = nlohmann::json::parse(info.out);
  EXPECT_EQ(record["magic"], "VstP");
  ASSERT_GE(record["numParams"].get<int>(), 1);
  const int inputs = record["numInputs"], outputs = record["numOutputs"];
  const std::string firstName = record["parameters"][0]["name"];

  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(4410, 1));
  const RunResult render = runFxhost({"render", peer, path("in.wav"), path("out.wav"), "--set", firstName + "=0.5",
                                      "--summary-json", path("summary.json")});
  ASSERT_EQ(render.status, 0) << render.err;
  const Audio out = readAudio(path("out.wav"));
  EXPECT_EQ(out.frames(), 4410u);
  EXPECT_EQ(out.channels, outputs);
  EXPECT_GE(inputs, 1);
  std::ifstream file(path("summary.json"));
  const nlohmann::json summary = nlohmann::json::parse(file);
  EXPECT_EQ(summary["parameters"][0]["value"], 0.5);
  EXPECT_GT(summary["output"]["rms"].get<double>(), 0.0) << "the peer plug-in passed no sound";
}

}  // namespace
