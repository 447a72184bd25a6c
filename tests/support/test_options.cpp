#include "test_options.h"

#include <cstring>

namespace {
std::string plugin;
std::string render;

bool take(const char* arg, const char* prefix, std::string& into) {
  const std::size_t n = std::strlen(prefix);
  if (std::strncmp(arg, prefix, n) != 0) return false;
  into = arg + n;
  return true;
}
}  // namespace

namespace test_options {
const std::string& pluginPath() { return plugin; }
const std::string& renderPath() { return render; }

void parse(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (take(argv[i], "--plugin=", plugin) || take(argv[i], "--render-out=", render)) continue;
    argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
}
}  // namespace test_options
