#include "channel_map.h"

#include <algorithm>
#include <string>

#include "exit_status.h"

ChannelMap chooseChannelMap(int fileChannels, int pluginInputs, int pickChannel, bool downmix) {
  if (pickChannel != 0 && downmix)
    throw CommandError(ExitStatus::Usage, "--channel and --downmix exclude each other");
  if (pickChannel != 0) {
    if (pickChannel < 1 || pickChannel > fileChannels)
      throw CommandError(ExitStatus::ChannelMismatch, "--channel " + std::to_string(pickChannel) +
                                                          " does not exist: the input has " +
                                                          std::to_string(fileChannels) + " channel(s)");
    return {ChannelMap::Mode::OneToAll, pickChannel - 1};
  }
  if (downmix) return {ChannelMap::Mode::Average, 0};
  if (fileChannels == 1) return {ChannelMap::Mode::OneToAll, 0};
  if (fileChannels > pluginInputs)
    throw CommandError(ExitStatus::ChannelMismatch,
                       "the input has " + std::to_string(fileChannels) + " channels but the plug-in takes " +
                           std::to_string(pluginInputs) +
                           ": pick one with --channel N or average them with --downmix");
  return {ChannelMap::Mode::Direct, 0};
}

void feedInputs(const ChannelMap& map, const float* interleaved, std::size_t frames, int fileChannels,
                std::vector<std::vector<float>>& inputs) {
  const auto stride = static_cast<std::size_t>(fileChannels);
  for (std::size_t input = 0; input < inputs.size(); ++input) {
    float* to = inputs[input].data();
    switch (map.mode) {
      case ChannelMap::Mode::Direct:
        if (input < stride) {
          for (std::size_t f = 0; f < frames; ++f) to[f] = interleaved[f * stride + input];
        } else {
          std::fill(to, to + frames, 0.0f);
        }
        break;
      case ChannelMap::Mode::OneToAll: {
        const auto from = static_cast<std::size_t>(map.fileChannel);
        for (std::size_t f = 0; f < frames; ++f) to[f] = interleaved[f * stride + from];
        break;
      }
      case ChannelMap::Mode::Average:
        for (std::size_t f = 0; f < frames; ++f) {
          double sum = 0.0;
          for (std::size_t c = 0; c < stride; ++c) sum += interleaved[f * stride + c];
          to[f] = static_cast<float>(sum / static_cast<double>(stride));
        }
        break;
    }
  }
}
