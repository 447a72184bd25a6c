// The figures of a finished render, printed for the user or written as JSON for scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "effect_description.h"
#include "signal_stats.h"

struct RenderSummary {
  std::string plugin, input, output;
  std::uint64_t frames = 0;
  int sampleRate = 0;
  int blockSize = 0;
  int inputChannels = 0, outputChannels = 0;
  bool accumulating = false;
  std::int32_t program = 0;
  std::string programName;
  std::vector<ParameterDescription> parameters;  // as they were when the render ended
  SignalStats in, out;
  double seconds = 0.0;  // wall-clock time of the processing
  std::string outputFormat;

  double duration() const { return sampleRate > 0 ? static_cast<double>(frames) / sampleRate : 0.0; }
  double realtimeFactor() const { return seconds > 0.0 ? duration() / seconds : 0.0; }
};

void printSummary(const RenderSummary& s);
// Throws CommandError(OutputUnwritable) when the file cannot be written.
void writeSummaryJson(const RenderSummary& s, const std::string& path);
