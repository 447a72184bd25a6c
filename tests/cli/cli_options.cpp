#include "cli_options.h"

#include <gtest/gtest.h>

#include "command_line_options.h"

namespace {
std::string fxhostPath, one, two, fixtures, peer;
}  // namespace

namespace cli_options {
const std::string& fxhost() { return fxhostPath; }
const std::string& pluginOne() { return one; }
const std::string& pluginTwo() { return two; }
const std::string& fixtureDir() { return fixtures; }
const std::string& peerPlugin() { return peer; }

void parse(int& argc, char** argv) {
  takeCommandLineOptions(argc, argv, {{"--fxhost=", &fxhostPath}, {"--plugin-one=", &one}, {"--plugin-two=", &two},
                                      {"--fixtures=", &fixtures}, {"--peer=", &peer}});
}
}  // namespace cli_options

int main(int argc, char** argv) {
  cli_options::parse(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
