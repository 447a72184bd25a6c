// Runs the validator's checks on one plug-in, each in a child process of its own, and
// prints one line per check (or a JSON document) and the closing count.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "check_outcome.h"

struct ValidatorOptions {
  std::string pluginPath;
  std::vector<std::string> include;  // glob patterns (a plain word also matches a group prefix)
  std::vector<std::string> exclude;
  bool onlyFailed = false;
  bool json = false;
  std::uint32_t seed = 1;
  double timeoutSeconds = 20.0;
};

struct ValidatorSummary {
  int passed = 0;  // PASS and WARN
  int warned = 0;
  int failed = 0;
  int run() const { return passed + failed; }
};

// Whether a check named `name` is selected by the include and exclude patterns.
bool checkSelected(const std::string& name, const std::vector<std::string>& include,
                   const std::vector<std::string>& exclude);

// Called on the program's main thread before it has started threads or loaded a plug-in.
ValidatorSummary runValidator(const ValidatorOptions& options, std::ostream& out);
