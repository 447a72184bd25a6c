#include "audio_fixture.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "effect_instance.h"
#include "host_callback.h"
#include "plugin_library.h"

void writeAudio(const std::string& path, int format, int channels, const std::vector<float>& interleaved, int rate) {
  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = rate;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  EXPECT_EQ(sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()) / channels),
            static_cast<sf_count_t>(interleaved.size()) / channels);
  sf_close(file);
}

Audio readAudio(const std::string& path) {
  Audio audio;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    ADD_FAILURE() << "cannot read " << path << ": " << sf_strerror(nullptr);
    return audio;
  }
  audio.format = info.format;
  audio.channels = info.channels;
  audio.rate = info.samplerate;
  audio.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
  EXPECT_EQ(sf_readf_float(file, audio.samples.data(), info.frames), info.frames);
  sf_close(file);
  return audio;
}

std::vector<float> testSignal(std::size_t frames, int channels) {
  std::vector<float> out(frames * static_cast<std::size_t>(channels));
  for (std::size_t f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c) {
      const double t = static_cast<double>(f);
      const double level = 1.4 * static_cast<double>(f + 1) / static_cast<double>(frames);
      const double x = std::sin(t * (0.031 + 0.007 * c)) + 0.3 * std::sin(t * 0.27 + c);
      out[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = static_cast<float>(level * x / 1.3);
    }
  return out;
}

std::vector<float> referenceRender(const std::string& plugin, const std::vector<float>& interleaved, int channels,
                                   int block, const std::vector<std::pair<int, float>>& settings, bool accumulate) {
  PluginLibrary library;
  if (!library.load(plugin)) {
    ADD_FAILURE() << library.error();
    return {};
  }
  std::vector<float> result;
  {
    EffectInstance fx(library.hostEntry(), host_callback::answer);
    if (!fx.hasValidMagic()) {
      ADD_FAILURE() << "no effect from " << plugin;
      return {};
    }
    fx.dispatch(effOpen);
    for (const auto& [index, value] : settings) fx.set(index, value);
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx.dispatch(effSetBlockSize, 0, block);
    fx.dispatch(effMainsChanged, 0, 1);
    const auto inputs = static_cast<std::size_t>(fx->numInputs), outputs = static_cast<std::size_t>(fx->numOutputs);
    const auto stride = static_cast<std::size_t>(channels);
    const std::size_t frames = interleaved.size() / stride;
    std::vector<std::vector<float>> in(inputs, std::vector<float>(static_cast<std::size_t>(block)));
    std::vector<std::vector<float>> out(outputs, std::vector<float>(static_cast<std::size_t>(block)));
    std::vector<float*> inPtr, outPtr;
    for (auto& c : in) inPtr.push_back(c.data());
    for (auto& c : out) outPtr.push_back(c.data());
    for (std::size_t start = 0; start < frames; start += static_cast<std::size_t>(block)) {
      const std::size_t n = std::min(frames - start, static_cast<std::size_t>(block));
      for (std::size_t i = 0; i < inputs; ++i)
        for (std::size_t f = 0; f < n; ++f) in[i][f] = interleaved[(start + f) * stride + (stride == 1 ? 0 : i)];
      if (accumulate) {
        for (auto& c : out) std::fill(c.begin(), c.end(), 0.0f);
        fx->process(fx.get(), inPtr.data(), outPtr.data(), static_cast<std::int32_t>(n));
      } else {
        fx->processReplacing(fx.get(), inPtr.data(), outPtr.data(), static_cast<std::int32_t>(n));
      }
      for (std::size_t f = 0; f < n; ++f)
        for (std::size_t c = 0; c < outputs; ++c) result.push_back(out[c][f]);
    }
    fx.dispatch(effMainsChanged, 0, 0);
  }
  return result;
}
