#include "render_summary.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include <nlohmann/json.hpp>

#include "exit_status.h"
#include "text_escape.h"

namespace {

std::string decibels(double level) {
  if (level <= 0.0) return "-inf dBFS";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f dBFS", toDecibels(level));
  return text;
}

void printLevels(const char* what, const SignalStats& s) {
  std::printf("  %-6s  peak %.6f (%s)  RMS %.6f (%s)  crest %.2f  at full scale %llu (%.3f %%)\n", what, s.peak(),
              decibels(s.peak()).c_str(), s.rms(), decibels(s.rms()).c_str(), s.crestFactor(),
              static_cast<unsigned long long>(s.fullScaleSamples()), s.fullScalePercent());
}

nlohmann::json levels(const SignalStats& s) {
  return {{"peak", s.peak()},
          {"rms", s.rms()},
          {"crestFactor", s.crestFactor()},
          {"fullScaleSamples", s.fullScaleSamples()},
          {"fullScalePercent", s.fullScalePercent()}};
}

}  // namespace

void printSummary(const RenderSummary& s) {
  std::printf("rendered %llu frames (%.3f s at %d Hz) in blocks of %d through %s%s\n",
              static_cast<unsigned long long>(s.frames), s.duration(), s.sampleRate, s.blockSize,
              s.plugin.c_str(), s.accumulating ? " (accumulating)" : "");
  std::printf("  program %d %s;", s.program, visibleText(s.programName).c_str());
  for (const ParameterDescription& p : s.parameters)
    std::printf(" %s=%s", visibleText(p.name).c_str(), visibleText(p.display).c_str());
  std::printf("\n");
  printLevels("input", s.in);
  printLevels("output", s.out);
  std::printf("  output format %s, %d channel(s); real-time factor %.1f\n", s.outputFormat.c_str(),
              s.outputChannels, s.realtimeFactor());
}

void writeSummaryJson(const RenderSummary& s, const std::string& path) {
  nlohmann::json parameters = nlohmann::json::array();
  for (const ParameterDescription& p : s.parameters)
    parameters.push_back({{"index", p.index}, {"name", p.name}, {"label", p.label},
                          {"value", p.value}, {"display", p.display}});
  const nlohmann::json j = {
      {"plugin", s.plugin},
      {"inputFile", s.input},
      {"outputFile", s.output},
      {"frames", s.frames},
      {"sampleRate", s.sampleRate},
      {"duration", s.duration()},
      {"blockSize", s.blockSize},
      {"inputChannels", s.inputChannels},
      {"outputChannels", s.outputChannels},
      {"accumulating", s.accumulating},
      {"program", s.program},
      {"programName", s.programName},
      {"parameters", parameters},
      {"input", levels(s.in)},
      {"output", levels(s.out)},
      {"outputFormat", s.outputFormat},
      {"seconds", s.seconds},
      {"realtimeFactor", s.realtimeFactor()},
  };
  std::ofstream file(path, std::ios::trunc);
  file << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  if (!file.good()) throw CommandError(ExitStatus::OutputUnwritable, "cannot write the summary to " + path);
}
