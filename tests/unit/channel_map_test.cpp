// Which file channels feed which plug-in inputs.
#include <gtest/gtest.h>

#include "channel_map.h"
#include "exit_status.h"

namespace {

struct MapCase {
  int fileChannels, inputs, pick;
  bool downmix;
  std::vector<float> frame;     // one interleaved frame of the file
  std::vector<float> expected;  // what each input gets
};

TEST(ChannelMap, FeedsInputsByTheRules) {
  const MapCase cases[] = {
      {1, 2, 0, false, {0.5f}, {0.5f, 0.5f}},                      // mono feeds both
      {2, 2, 0, false, {0.1f, 0.2f}, {0.1f, 0.2f}},                // direct
      {2, 4, 0, false, {0.1f, 0.2f}, {0.1f, 0.2f, 0.0f, 0.0f}},    // the rest silent
      {2, 1, 2, false, {0.1f, 0.2f}, {0.2f}},                      // picked channel
      {3, 2, 0, true, {0.3f, 0.6f, 0.9f}, {0.6f, 0.6f}},           // averaged
      {2, 2, 1, false, {0.1f, 0.2f}, {0.1f, 0.1f}},                // picked even when it fits
  };
  for (const MapCase& c : cases) {
    const ChannelMap map = chooseChannelMap(c.fileChannels, c.inputs, c.pick, c.downmix);
    std::vector<std::vector<float>> inputs(static_cast<std::size_t>(c.inputs), std::vector<float>(1, -9.0f));
    feedInputs(map, c.frame.data(), 1, c.fileChannels, inputs);
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_FLOAT_EQ(inputs[i][0], c.expected[i]) << i;
  }
}

TEST(ChannelMap, RefusesWhatItCannotMapWithTheRightStatus) {
  const struct { int fileChannels, inputs, pick; bool downmix; ExitStatus status; } cases[] = {
      {2, 1, 0, false, ExitStatus::ChannelMismatch},
      {6, 2, 0, false, ExitStatus::ChannelMismatch},
      {2, 1, 3, false, ExitStatus::ChannelMismatch},
      {2, 1, 1, true, ExitStatus::Usage},
  };
  for (const auto& c : cases) {
    try {
      chooseChannelMap(c.fileChannels, c.inputs, c.pick, c.downmix);
      ADD_FAILURE() << c.fileChannels << " into " << c.inputs << " was mapped";
    } catch (const CommandError& e) {
      EXPECT_EQ(e.status(), c.status);
    }
  }
}

}  // namespace
