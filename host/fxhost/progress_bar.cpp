#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>
#include <string>

ProgressBar::ProgressBar(std::uint64_t totalWork, bool quiet)
    : total(totalWork), enabled(!quiet && isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::update(std::uint64_t done) {
  if (!enabled || total == 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == lastPercent) return;
  lastPercent = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
  std::fflush(stderr);
}

void ProgressBar::finish() {
  if (!enabled || lastPercent < 0) return;
  std::fprintf(stderr, "\r%*s\r", 48, "");
  std::fflush(stderr);
  lastPercent = -1;
}
