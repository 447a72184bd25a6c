// How the channels of an audio file feed a plug-in's inputs.
#pragma once

#include <cstddef>
#include <vector>

struct ChannelMap {
  enum class Mode {
    Direct,  // file channel i feeds input i; inputs beyond the file's channels get silence
    OneToAll,  // one file channel feeds every input
    Average,   // the mean of all file channels feeds every input
  };
  Mode mode = Mode::Direct;
  int fileChannel = 0;  // for OneToAll, counted from 0
};

// The rules: equal counts map directly; a mono file feeds every input; fewer channels
// than inputs leave the rest silent; more channels than inputs are refused (CommandError,
// ChannelMismatch) unless `pickChannel` (counted from 1, 0 for none) or `downmix` says what to do.
ChannelMap chooseChannelMap(int fileChannels, int pluginInputs, int pickChannel, bool downmix);

// Spreads `frames` interleaved frames of `fileChannels` channels over the plug-in's input
// buffers (each holding at least `frames` samples). Called per block; allocates nothing.
void feedInputs(const ChannelMap& map, const float* interleaved, std::size_t frames, int fileChannels,
                std::vector<std::vector<float>>& inputs);
