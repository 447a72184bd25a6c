#include "child_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void writeAll(int fd, const std::string& text) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

// The child's end of the pipe, for reportStep().
int stepPipe = -1;

// Steps come before the result, each on a line of its own starting with this byte.
constexpr char kStepMark = '~';

std::string formatSeconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", s);
  return text;
}

}  // namespace

void reportStep(const std::string& step) {
  if (stepPipe >= 0) writeAll(stepPipe, kStepMark + step + "\n");
}

std::string describeSignal(int signal) {
  const char* abbreviation = sigabbrev_np(signal);
  const char* description = strsignal(signal);
  std::string name = abbreviation ? std::string("SIG") + abbreviation : "signal " + std::to_string(signal);
  if (description) name += std::string(" (") + description + ")";
  return name;
}

CheckOutcome runInChild(const std::function<CheckOutcome()>& work, double timeoutSeconds) {
  CheckOutcome outcome;
  int fds[2];
  if (pipe(fds) != 0) {
    outcome.fail(std::string("cannot make a pipe: ") + std::strerror(errno));
    return outcome;
  }
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    outcome.fail(std::string("cannot fork: ") + std::strerror(errno));
    return outcome;
  }
  if (pid == 0) {
    close(fds[0]);
    stepPipe = fds[1];
    // A fault in the code under test ends the child by its signal, so the parent can name
    // it, even where a sanitizer would catch it and exit with its own status.
    for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) signal(fault, SIG_DFL);
    CheckOutcome result;
    try {
      result = work();
    } catch (const std::exception& e) {
      result = CheckOutcome();
      result.fail(std::string("exception: ") + e.what());
    } catch (...) {
      result = CheckOutcome();
      result.fail("unknown exception");
    }
    writeAll(fds[1], result.serialise());
    close(fds[1]);
    // No destructors of static objects, no atexit handlers of the library under test:
    // what they do is not part of this check.
    _exit(0);
  }

  close(fds[1]);
  std::string received;
  bool timedOut = false;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<long long>(std::ceil(timeoutSeconds * 1000.0)));
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;
    char chunk[4096];
    const ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the child closed its end: finished or died
    received.append(chunk, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  if (timedOut) kill(pid, SIGKILL);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  // Split the steps off the result.
  std::string lastStep, result;
  for (std::size_t at = 0; at < received.size();) {
    std::size_t end = received.find('\n', at);
    if (end == std::string::npos) end = received.size();
    const std::string line = received.substr(at, end - at);
    if (!line.empty() && line[0] == kStepMark) lastStep = line.substr(1);
    else result += line + "\n";
    at = end + 1;
  }
  const std::string during = lastStep.empty() ? "" : " during " + lastStep;
  if (timedOut) {
    outcome.fail("timed out after " + formatSeconds(timeoutSeconds) + " s" + during);
  } else if (WIFSIGNALED(status)) {
    outcome.fail("killed by signal " + describeSignal(WTERMSIG(status)) + during);
  } else if (!CheckOutcome::parse(result, outcome)) {
    outcome = CheckOutcome();
    outcome.fail("child exited with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                 " without a result" + during);
  }
  return outcome;
}
