// Pieces the checks share: opening the plug-in and instances inside a check's child,
// test signals, and running a signal through an instance in blocks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "check_outcome.h"
#include "effect_under_test.h"
#include "seeded_random.h"

struct CheckContext {
  std::string pluginPath;
  std::uint32_t seed = 1;
};

// Loads the library; on failure records why in `outcome` and returns false.
bool loadPlugin(const CheckContext& context, PluginUnderTest& plugin, CheckOutcome& outcome);
// A new instance whose record looks sane, or null with the problem recorded.
std::unique_ptr<TestedInstance> openInstance(const PluginUnderTest& plugin, CheckOutcome& outcome);
// Opens and starts an instance at `rate` with `blockSize` announced.
std::unique_ptr<TestedInstance> startInstance(const PluginUnderTest& plugin, CheckOutcome& outcome,
                                              float rate = 44100.0f, std::int32_t blockSize = 4096);

enum class SignalKind { Silence, Noise, Denormals, Huge, Infinities, NaN };
const char* signalName(SignalKind kind);
const std::vector<SignalKind>& allSignals();
// `channels` channels of `frames` samples of the given kind.
using Signal = std::vector<std::vector<float>>;
Signal makeSignal(SignalKind kind, std::int32_t channels, std::int32_t frames, SeededRandom& random);
// How many channels a signal for `fx` has: one per input, and one for an effect without inputs.
std::int32_t inputChannels(const TestedInstance& fx);

// Runs `input` through `fx` in blocks of the given sizes (repeated until the signal ends;
// sizes below 1 count as 1),
// into guarded buffers; `inPlace` passes the output buffers as inputs too. Returns every
// output channel, each as long as the input.
Signal runBlocks(TestedInstance& fx, const Signal& input, const std::vector<std::int32_t>& blockSizes,
                 bool inPlace = false);

// Index of the first NaN or infinite sample of any channel, or -1; `channel` gets its channel.
std::int64_t firstNonFinite(const Signal& output, std::size_t* channel = nullptr);
// "NaN at sample 17 of channel 1" style text for a non-finite output.
std::string describeNonFinite(const Signal& output);
// Index of the first sample that differs bit for bit, or -1.
std::int64_t firstDifference(const Signal& a, const Signal& b);
