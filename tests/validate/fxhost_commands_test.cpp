// fxhost validate, curves and bench run as a user runs them: the built program on our
// plug-ins and on the fixture plug-ins, checked through its output, files and exit status.
#include <gtest/gtest.h>


#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_options.h"
#include "cli_runner.h"

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// fxhost with the words of `arguments` (split at spaces; no word here holds one).
RunResult fxhost(const std::string& arguments) {
  std::vector<std::string> words;
  std::istringstream in(arguments);
  for (std::string w; in >> w;) words.push_back(w);
  return runFxhost(words);
}

std::string fixture(const std::string& fault) { return cli_options::fixtureDir() + "/" + fault + ".so"; }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> all;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The rows of a CSV file without its header, split at commas (our files quote nothing
// here: no label holds a comma).
std::vector<std::vector<std::string>> csvRows(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  const std::vector<std::string> all = lines(slurp(path));
  for (std::size_t i = 1; i < all.size(); ++i) {
    std::vector<std::string> fields;
    std::istringstream in(all[i]);
    for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
    rows.push_back(fields);
  }
  return rows;
}

class FxhostValidate : public CliTest {};
class FxhostCurves : public CliTest {};
class FxhostBench : public CliTest {};

}  // namespace

TEST_F(FxhostValidate, OurPluginsPassWithAZeroExitStatus) {
  for (const std::string& plugin : {cli_options::pluginOne(), cli_options::pluginTwo()}) {
    const RunResult r = fxhost(std::string("validate ") + plugin);
    EXPECT_EQ(r.status, 0) << plugin << "\n" << r.out;
    const std::vector<std::string> out = lines(r.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), "17 passed, 0 failed") << plugin;
    for (const std::string& line : out) EXPECT_FALSE(startsWith(line, "FAIL")) << plugin << ": " << line;
  }
}

TEST_F(FxhostValidate, ACrashFailsOneCheckAndTheRunGoesOn) {
  const RunResult r = fxhost("validate " + fixture("crash_on_idle"));
  EXPECT_EQ(r.status, 16);
  const std::vector<std::string> out = lines(r.out);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), "16 passed, 1 failed");
  std::vector<std::string> failed;
  for (const std::string& line : out)
    if (startsWith(line, "FAIL")) failed.push_back(line);
  ASSERT_EQ(failed.size(), 1u) << r.out;
  EXPECT_NE(failed[0].find("dispatcher.opcodes"), std::string::npos);
  EXPECT_NE(failed[0].find("killed by signal SIGSEGV (Segmentation fault) during opcode 19"), std::string::npos);
  // Checks after the crash still ran.
  EXPECT_NE(r.out.find("  realtime.denormal-cost"), std::string::npos) << r.out;
}

TEST_F(FxhostValidate, AHangTimesOut) {
  const RunResult r = fxhost("validate " + fixture("hang_in_process") + " --include processing.block-sizes --timeout 0.5");
  EXPECT_EQ(r.status, 16);
  EXPECT_NE(r.out.find("FAIL  processing.block-sizes"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("timed out after 0.5 s"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0 passed, 1 failed"), std::string::npos) << r.out;
}

TEST_F(FxhostValidate, IncludeExcludeAndOnlyFailedChooseWhatRunsAndWhatShows) {
  const RunResult r = fxhost("validate " + fixture("nan_output") + " --include processing --exclude *rates --only-failed");
  EXPECT_EQ(r.status, 16);
  const std::vector<std::string> out = lines(r.out);
  ASSERT_GE(out.size(), 2u);
  // Six of the seven processing checks run; the NaN writer fails the three that look at
  // the output itself and passes the three that compare two runs (both hold the same NaN).
  EXPECT_EQ(out.back(), "3 passed, 3 failed");
  std::set<std::string> shown;
  for (const std::string& line : out)
    if (startsWith(line, "PASS") || startsWith(line, "WARN") || startsWith(line, "FAIL"))
      shown.insert(line.substr(0, line.find(' ', 6)));
  EXPECT_EQ(shown, (std::set<std::string>{"FAIL  processing.block-sizes", "FAIL  processing.signals",
                                          "FAIL  processing.oversized-blocks"}))
      << r.out;
}

TEST_F(FxhostValidate, OneSeedRepeatsARunAndJsonReadsBack) {
  const std::string args = "validate " + fixture("long_display") + " --json --seed 5 --exclude realtime";
  const RunResult first = fxhost(args), second = fxhost(args);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.out, second.out);
  const nlohmann::json doc = nlohmann::json::parse(first.out);
  EXPECT_EQ(doc["seed"], 5);
  EXPECT_EQ(doc["failed"], 0);
  EXPECT_EQ(doc["passed"], 15);
  std::map<std::string, std::string> verdicts;
  for (const auto& check : doc["checks"]) verdicts[check["name"]] = check["verdict"];
  EXPECT_EQ(verdicts.size(), 15u);
  EXPECT_EQ(verdicts["parameters.texts"], "WARN");
  EXPECT_EQ(verdicts["processing.signals"], "PASS");
}

TEST_F(FxhostValidate, BadCommandLinesAndFilesAreErrors) {
  struct Case {
    std::string args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"validate " + path("none.so"), 3, "error: cannot read plug-in"},
      {"validate " + std::string(cli_options::pluginOne()) + " --include nothing", 2, "error: no check matches"},
      {"validate " + std::string(cli_options::pluginOne()) + " --timeout 0", 2, ""},
  };
  for (const Case& c : cases) {
    const RunResult r = fxhost(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
  }
}

TEST_F(FxhostCurves, AtDepthZeroPluginOneIsTheIdentityAndPluginTwoHalvesTheInput) {
  struct Case {
    std::string plugin;
    const char* stem;
    const char* depthZero;  // the setting label at DEPTH 0 (and PreAmp 0)
    std::set<std::string> curves;
    double gain;     // slope at DEPTH 0
  };
  const Case cases[] = {
      {cli_options::pluginOne(), "QUORV1_01", "DEPTH 0", {"A", "B", "C"}, 1.0},
      {cli_options::pluginTwo(), "QUORV1_02", "DEPTH 0 PreAmp 0", {"Dist", "Valve", "Tape"}, 0.5},
  };
  for (const Case& c : cases) {
    const fs::path out = path(c.stem);
    const RunResult r = fxhost(std::string("curves ") + c.plugin + " --out " + out.string());
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("MIX set to 0"), std::string::npos);

    std::set<std::string> curves;
    std::size_t checked = 0;
    for (const auto& row : csvRows(out / (std::string(c.stem) + "_transfer.csv"))) {
      ASSERT_EQ(row.size(), 4u);
      curves.insert(row[0]);
      if (row[1] != c.depthZero) continue;
      const double x = std::stod(row[2]), y = std::stod(row[3]);
      const double expected = std::max(-1.0, std::min(1.0, c.gain * x));
      EXPECT_NEAR(y, expected, 1e-6) << c.stem << " curve " << row[0] << " at " << x;
      ++checked;
    }
    EXPECT_EQ(curves, c.curves);
    EXPECT_EQ(checked, 3u * 601u) << "every point of the three DEPTH 0 curves";

    // A straight line has no harmonics; full drive has plenty on every curve.
    for (const auto& row : csvRows(out / (std::string(c.stem) + "_thd.csv"))) {
      const double thd = std::stod(row[2]);
      if (row[1] == c.depthZero) {
        EXPECT_LT(thd, 0.001) << c.stem << " " << row[0];
      } else if (startsWith(row[1], "DEPTH 1")) {
        EXPECT_GT(thd, 1.0) << c.stem << " " << row[0] << " " << row[1];
      }
    }
    const std::string png = slurp(out / (std::string(c.stem) + "_curves.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  }
}

TEST_F(FxhostBench, PrintsPositiveFiguresForEachPluginAndBlock) {
  const RunResult r = fxhost(std::string("bench ") + cli_options::pluginOne() + " " + fixture("well_behaved") +
                       " --block 64 --block 512 --seconds 0.05 --runs 3");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> rows;
  for (const std::string& line : lines(r.out))
    if (startsWith(line, "QUORV1_01.so") || startsWith(line, "well_behaved.so")) rows.push_back(line);
  ASSERT_EQ(rows.size(), 4u) << r.out;
  for (const std::string& row : rows) {
    char name[64], spread[64];
    int block = 0;
    double median = 0, factor = 0;
    ASSERT_EQ(std::sscanf(row.c_str(), "%63s %d %lf %63s %lfx", name, &block, &median, spread, &factor), 5) << row;
    double low = 0, high = 0;
    ASSERT_EQ(std::sscanf(spread, "%lf..%lf", &low, &high), 2) << row;
    EXPECT_TRUE(block == 64 || block == 512);
    EXPECT_GT(median, 0.0) << row;
    EXPECT_LE(low, median) << row;
    EXPECT_GE(high, median) << row;
    EXPECT_NEAR(factor, median * 1e6 / 44100.0, median * 1e6 / 44100.0 * 0.01 + 1.0) << row;
  }
}

TEST_F(FxhostBench, AMissingPluginIsAnError) {
  const RunResult r = fxhost("bench " + path("none.so") + " --seconds 0.01");
  EXPECT_EQ(r.status, 3);
  EXPECT_TRUE(startsWith(r.err, "error: ")) << r.err;
}
