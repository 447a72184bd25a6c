#include "cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_options.h"

namespace {
std::string slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
}  // namespace

RunResult runFxhost(const std::vector<std::string>& args, const std::string& cwd) {
  char outTemplate[] = "/tmp/fxhost-out-XXXXXX";
  char errTemplate[] = "/tmp/fxhost-err-XXXXXX";
  const int outFd = mkstemp(outTemplate), errFd = mkstemp(errTemplate);
  std::vector<std::string> argvText = {cli_options::fxhost()};
  argvText.insert(argvText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvText) argv.push_back(a.data());
  argv.push_back(nullptr);

  RunResult result;
  const pid_t child = fork();
  if (child == 0) {
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  close(outFd);
  close(errFd);
  result.out = slurp(outTemplate);
  result.err = slurp(errTemplate);
  unlink(outTemplate);
  unlink(errTemplate);
  return result;
}

void CliTest::SetUp() {
  char folder[] = "/tmp/fxhost-test-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  dir = folder;
}

void CliTest::TearDown() {
  if (!dir.empty()) std::filesystem::remove_all(dir);
}

std::vector<std::string> CliTest::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
