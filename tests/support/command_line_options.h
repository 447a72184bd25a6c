// Takes `--name=VALUE` options meant for a test program out of its command line, leaving
// the rest for GoogleTest.
#pragma once

#include <cstring>
#include <initializer_list>
#include <string>

struct CommandLineOption {
  const char* prefix;  // "--name="
  std::string* value;
};

inline void takeCommandLineOptions(int& argc, char** argv, std::initializer_list<CommandLineOption> options) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    bool taken = false;
    for (const CommandLineOption& option : options) {
      const std::size_t n = std::strlen(option.prefix);
      if (std::strncmp(argv[i], option.prefix, n) == 0) {
        *option.value = argv[i] + n;
        taken = true;
        break;
      }
    }
    if (!taken) argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
}
