// A one-line progress bar on stderr, drawn only when stderr is a terminal and the user did
// not ask for quiet; otherwise every call does nothing.
#pragma once

#include <cstdint>

class ProgressBar {
 public:
  ProgressBar(std::uint64_t total, bool quiet);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Called from the render loop after each block; redraws at most once per percent.
  void update(std::uint64_t done);
  // Clears the line.
  void finish();

 private:
  std::uint64_t total;
  bool enabled;
  int lastPercent = -1;
};
