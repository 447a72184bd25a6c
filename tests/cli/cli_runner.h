// Runs the built fxhost as a user does and captures what it says, plus a scratch folder
// per test for the files it reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RunResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out, err;
};

// Runs fxhost with `args` in the folder `cwd` (the test's own when empty).
RunResult runFxhost(const std::vector<std::string>& args, const std::string& cwd = {});

// A test with its own empty scratch folder, removed afterwards.
class CliTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string path(const std::string& name) const { return dir + "/" + name; }
  // The names in the scratch folder, sorted.
  std::vector<std::string> files() const;
  std::string dir;
};
