#include "test_options.h"

#include "command_line_options.h"

namespace {
std::string plugin;
std::string render;
}  // namespace

namespace test_options {
const std::string& pluginPath() { return plugin; }
const std::string& renderPath() { return render; }

void parse(int& argc, char** argv) {
  takeCommandLineOptions(argc, argv, {{"--plugin=", &plugin}, {"--render-out=", &render}});
}
}  // namespace test_options
