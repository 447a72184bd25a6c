// Audio files for the CLI tests, written and read with libsndfile directly, and the
// reference a render must match: the same samples processed in this process through the
// shared loader, as a host does.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct Audio {
  int format = 0, channels = 0, rate = 0;
  std::vector<float> samples;  // interleaved
  std::size_t frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

void writeAudio(const std::string& path, int format, int channels, const std::vector<float>& interleaved,
                int rate = 44100);
Audio readAudio(const std::string& path);

// A deterministic signal of a few partials whose level rises past full scale (up to 1.4),
// different in each channel.
std::vector<float> testSignal(std::size_t frames, int channels);

// The plug-in's own processing of `interleaved` (mono or one channel per input): opened,
// parameters set, sample rate and block size told, resumed, processed in blocks of `block`
// (the last one shorter), through `process` into zeroed buffers when `accumulate`.
std::vector<float> referenceRender(const std::string& plugin, const std::vector<float>& interleaved, int channels,
                                   int block, const std::vector<std::pair<int, float>>& settings, bool accumulate);
