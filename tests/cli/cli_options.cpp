#include "cli_options.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::string fxhostPath, one, two, fixtures, peer;

bool take(const char* arg, const char* prefix, std::string& into) {
  const std::size_t n = std::strlen(prefix);
  if (std::strncmp(arg, prefix, n) != 0) return false;
  into = arg + n;
  return true;
}
}  // namespace

namespace cli_options {
const std::string& fxhost() { return fxhostPath; }
const std::string& pluginOne() { return one; }
const std::string& pluginTwo() { return two; }
const std::string& fixtureDir() { return fixtures; }
const std::string& peerPlugin() { return peer; }

void parse(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (take(argv[i], "--fxhost=", fxhostPath) || take(argv[i], "--plugin-one=", one) ||
        take(argv[i], "--plugin-two=", two) || take(argv[i], "--fixtures=", fixtures) ||
        take(argv[i], "--peer=", peer))
      continue;
    argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
}
}  // namespace cli_options

int main(int argc, char** argv) {
  cli_options::parse(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
