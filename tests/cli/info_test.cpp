// fxhost info, read back: the JSON carries what the plug-ins tell a host, texts exactly
// (trailing blanks included), and the text form makes those blanks visible.
#include <nlohmann/json.hpp>

#include "cli_options.h"
#include "cli_runner.h"

namespace {

using InfoTest = CliTest;

TEST_F(InfoTest, JsonCarriesTheRecordProgramsAndParameters) {
  struct Case {
    const std::string& plugin;
    int inputs, params;
    const char* firstName;
    const char* firstDisplay;
    const char* programName;
  } cases[] = {{cli_options::pluginOne(), 1, 3, "DEPTH  \t", " 0.250000 ", "Quorvelandix"},
               {cli_options::pluginTwo(), 2, 4, "Type", "Tape      ", "Quorvelandix.02"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plugin);
    const RunResult run = runFxhost({"info", c.plugin, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["entry"], "VSTPluginMain");
    EXPECT_EQ(info["magic"], "VstP");
    EXPECT_EQ(info["uniqueIDText"], "QVR1");
    EXPECT_EQ(info["uniqueID"], 0x51565231);
    EXPECT_EQ(info["numInputs"], c.inputs);
    EXPECT_EQ(info["numOutputs"], 2);
    EXPECT_EQ(info["flags"], 0x14);
    EXPECT_EQ(info["flagWords"], (nlohmann::json{"replacing", "vu"}));
    EXPECT_EQ(info["identity"], 0x4E764566);
    ASSERT_EQ(info["programs"].size(), 16u);
    for (std::size_t p = 0; p < 16; ++p) EXPECT_EQ(info["programs"][p]["name"], c.programName) << p;
    EXPECT_EQ(info["numParams"], c.params);
    ASSERT_EQ(info["parameters"].size(), static_cast<std::size_t>(c.params));
    EXPECT_EQ(info["parameters"][0]["name"], c.firstName);
    EXPECT_EQ(info["parameters"][0]["display"], c.firstDisplay);
  }
}

TEST_F(InfoTest, TextShowsTrailingBlanksAndTabs) {
  const RunResult run = runFxhost({"info", cli_options::pluginOne()});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* shown : {"\"DEPTH  \\t\"", "\"       \"", "\"FX<->Clean\"", "\"C       \"", "'QVR1' (0x51565231)",
                            "0x00000014 (replacing, vu)"})
    EXPECT_NE(run.out.find(shown), std::string::npos) << shown << " not in:\n" << run.out;
}

}  // namespace
