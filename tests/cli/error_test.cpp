// Bad input, as a user meets it: one line on stderr starting "error:" that names the
// problem, the exit status for that kind of failure, and no output file left behind.
#include <sndfile.h>

#include <filesystem>
#include <fstream>

#include "audio_fixture.h"
#include "binary_headers.h"
#include "cli_options.h"
#include "cli_runner.h"

namespace {

using ErrorTest = CliTest;

void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

void writeFirstBytes(const std::string& from, const std::string& to, std::size_t count) {
  std::ifstream in(from, std::ios::binary);
  std::vector<char> bytes(count);
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  std::ofstream(to, std::ios::binary).write(bytes.data(), in.gcount());
}

// Expects the one-line error and the status, and that the folder holds only `inputs`.
void expectError(const RunResult& run, int status, const std::string& said) {
  EXPECT_EQ(run.status, status) << run.err;
  EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find(said), std::string::npos) << "'" << said << "' not in: " << run.err;
}

struct PluginCase {
  const char* name;
  const char* file;  // in the scratch folder, made by the test; or a fixture library
  int status;
  const char* said;
};

TEST_F(ErrorTest, PluginsThatCannotBeLoadedAreNamedForWhatTheyAre) {
  writeText(path("notes.txt"), "this is not a plug-in\n");
  writeFirstBytes(cli_options::pluginOne(), path("cut.so"), 2000);
  writeFirstBytes(cli_options::pluginOne(), path("stub.so"), 10);
  binary_headers::write(path("win32.dll"), binary_headers::windowsLibrary(0x14c));
  binary_headers::write(path("win64.dll"), binary_headers::windowsLibrary(0x8664));
  binary_headers::write(path("elf32.so"), binary_headers::elf(32, 3));
  binary_headers::write(path("arm64.so"), binary_headers::elf(64, 183));
  std::filesystem::create_directory(path("folder.so"));
  const std::string fixtures = cli_options::fixtureDir() + "/";
  const PluginCase cases[] = {
      {"missing", "missing.so", 3, "no plug-in file"},
      {"a folder", "folder.so", 3, "is a directory"},
      {"a text file", "notes.txt", 4, "is not a plug-in library"},
      {"a library cut short", "cut.so", 4, "the file is cut short"},
      {"ten bytes of a library", "stub.so", 4, "the file is cut short"},
      {"32-bit Windows", "win32.dll", 5, "this is a 32-bit Windows plug-in; fxhost loads 64-bit Linux plug-ins"},
      {"64-bit Windows", "win64.dll", 5, "this is a 64-bit Windows plug-in; fxhost loads 64-bit Linux plug-ins"},
      {"32-bit Linux", "elf32.so", 5, "this is a 32-bit Linux library for x86 (i386)"},
      {"another processor", "arm64.so", 5, "this is a 64-bit Linux library for aarch64; fxhost loads 64-bit Linux plug-ins for x86-64"},
      {"refused by the loader", "@fixture_unresolved.so", 4, "undefined symbol: fixtureSymbolNobodyDefines"},
      {"no main", "@fixture_no_main.so", 6, "exports neither VSTPluginMain nor main"},
      {"main answers null", "@fixture_null_main.so", 7, "returned no effect"},
      {"wrong magic", "@fixture_bad_magic.so", 8, "wrong magic number 0x4E6F7065"},
  };
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(64, 1));
  const std::vector<std::string> before = files();
  for (const PluginCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string plugin = c.file[0] == '@' ? fixtures + (c.file + 1) : path(c.file);
    expectError(runFxhost({"info", plugin}), c.status, c.said);
    expectError(runFxhost({"render", plugin, path("in.wav"), path("out.wav")}), c.status, c.said);
    EXPECT_EQ(files(), before);
  }
}

struct RenderCase {
  const char* name;
  std::vector<std::string> args;  // after "render PLUGIN"; "@x" is the scratch file x
  int status;
  const char* said;
};

TEST_F(ErrorTest, RenderRefusesBadInputsAndLeavesNoOutput) {
  writeAudio(path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, testSignal(64, 1));
  writeText(path("notes.txt"), "not audio\n");
  const RenderCase cases[] = {
      {"missing input", {"@nothing.wav", "@out.wav"}, 9, "cannot read input"},
      {"input that is not audio", {"@notes.txt", "@out.wav"}, 9, "cannot read input"},
      {"output folder missing", {"@in.wav", "@no/such/out.wav"}, 10, "cannot write"},
      {"float into FLAC", {"@in.wav", "@out.flac", "--float"}, 2, "cannot hold 32-bit float"},
      {"unknown parameter name", {"@in.wav", "@out.wav", "--set", "Volume=0.5"}, 12, "no parameter named \"Volume\""},
      {"parameter index past the end", {"@in.wav", "@out.wav", "--set", "3=0.5"}, 12, "no parameter 3"},
      {"value that is not a number", {"@in.wav", "@out.wav", "--set", "DEPTH=loud"}, 13, "\"loud\""},
      {"value NaN", {"@in.wav", "@out.wav", "--set", "DEPTH=nan"}, 13, "is not a number"},
      {"value with trailing junk", {"@in.wav", "@out.wav", "--set", "DEPTH=0.5x"}, 13, "is not a number"},
      {"setting without a value", {"@in.wav", "@out.wav", "--set", "DEPTH"}, 2, "NAME_OR_INDEX=VALUE"},
      {"program past the bank", {"@in.wav", "@out.wav", "--program", "16"}, 14, "0 to 15"},
      {"negative program", {"@in.wav", "@out.wav", "--program", "-1"}, 14, "out of range"},
  };
  for (const RenderCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {"render", cli_options::pluginOne()};
    for (const std::string& a : c.args) args.push_back(a[0] == '@' ? path(a.substr(1)) : a);
    expectError(runFxhost(args), c.status, c.said);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.wav", "notes.txt"}));
  }
}

TEST_F(ErrorTest, CommandLineMistakesGiveTheUsageStatusAndHelpListsEveryStatus) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"play"}, {"info"}, {"render", "a.so", "in.wav"}, {"render", "a", "b", "c", "--block", "0"},
           {"info", "a.so", "--colour"}}) {
    const RunResult run = runFxhost(args);
    EXPECT_EQ(run.status, 2) << run.err;
  }
  const RunResult help = runFxhost({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* line : {"  2  wrong command line", "  5  plug-in for another platform", " 15  input channels"})
    EXPECT_NE(help.out.find(line), std::string::npos) << line;
}

}  // namespace
