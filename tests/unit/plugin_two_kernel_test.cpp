// Plug-in two's fast processing against the plain per-frame reference: every block kernel
// this machine can run, and the effect's own entries, bit for bit over long varied
// signals and hostile parameter values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "aum.h"
#include "dsp/block_kernel.h"
#include "oracle_input.h"
#include "parameter_text.h"
#include "plugin_two_reference.h"
#include "runnable_paths.h"

namespace {

using fx_dsp::SimdPath;
using oracle_input::exact;
using oracle_input::firstDifference;
using quorv1_02::AUM;
using Parameters = reference::PluginTwo::Parameters;

const reference::PluginTwo& oracle() {
  static const reference::PluginTwo instance;
  return instance;
}

// Two channels of a block, each starting from a value.
struct Stereo {
  std::vector<float> left, right;
  Stereo(std::size_t frames, float start) : left(frames, start), right(frames, -start) {}
  Stereo(std::vector<float> l, std::vector<float> r) : left(std::move(l)), right(std::move(r)) {}
  oracle_input::Channels at(std::size_t k) const { return {&left[k], &right[k]}; }
};

std::string describe(const Parameters& p) {
  return "preAmp " + exact(p.preAmp) + " depth " + exact(p.depth) + " mix " + exact(p.mix) +
         " type " + exact(p.type);
}

// Two different signals: the second runs backwards.
Stereo stereoSignal(std::size_t frames, std::uint32_t seed) {
  std::vector<float> right = oracle_input::signal(frames, seed + 1);
  std::reverse(right.begin(), right.end());
  return {oracle_input::signal(frames, seed), std::move(right)};
}

Parameters drawParameters(oracle_input::Draw& draw) {
  return {draw.parameter(), draw.parameter(), draw.parameter(), draw.parameter()};
}

// Hands a kernel a fresh parameter set at every group, and keeps them.
struct ChangingParameters {
  oracle_input::Draw draw{4};
  std::vector<Parameters> given;

  static quorv1_02::GroupSettings read(const void* self) {
    auto& me = *static_cast<ChangingParameters*>(const_cast<void*>(self));
    const Parameters p = drawParameters(me.draw);
    me.given.push_back(p);
    return quorv1_02::groupSettings(p.preAmp, p.depth, p.mix, curveNumber(p.type));
  }
};

class PluginTwoKernel : public testing::TestWithParam<SimdPath> {};

// Each kernel over two signals, cut into blocks of any length that go alternately through
// the replacing and the accumulating kernel. The parameters change at every group: each
// group of up to 16 frames must match the reference with the values read at its start.
TEST_P(PluginTwoKernel, MatchesTheReferenceBitForBit) {
  const quorv1_02::BlockKernels* kernels = quorv1_02::blockKernelsFor(GetParam());
  ASSERT_NE(kernels, nullptr);
  const AUM fillsTheTable(nullptr);
  const Stereo input = stereoSignal(20000, 78);
  const std::size_t frames = input.left.size();
  oracle_input::Draw draw(6);
  constexpr auto kGroup = static_cast<std::size_t>(quorv1_02::kGroupFrames);

  for (int pass = 0; pass < 50; ++pass) {
    Stereo got(frames, 0.375f), expected(frames, 0.375f);
    for (std::size_t at = 0; at < frames;) {
      const auto n = static_cast<std::size_t>(
          std::min<std::int32_t>(draw.count(700), static_cast<std::int32_t>(frames - at)));
      const bool accumulate = draw.next() % 2 == 0;
      ChangingParameters parameters;
      parameters.draw = oracle_input::Draw(draw.next());
      (accumulate ? kernels->accumulating : kernels->replacing)(
          {&ChangingParameters::read, &parameters}, &input.left[at], &input.right[at],
          &got.left[at], &got.right[at], static_cast<std::int32_t>(n));
      ASSERT_EQ(parameters.given.size(), (n + kGroup - 1) / kGroup) << "groups in " << n;
      for (std::size_t g = 0; g * kGroup < n; ++g) {
        const std::size_t from = at + g * kGroup;
        const auto length = static_cast<std::int32_t>(std::min(kGroup, n - g * kGroup));
        const Parameters& p = parameters.given[g];
        const auto run =
            accumulate ? &reference::PluginTwo::accumulating : &reference::PluginTwo::replacing;
        (oracle().*run)(
            &input.left[from], &input.right[from], &expected.left[from],
            &expected.right[from], length, p);
        ASSERT_EQ(firstDifference(input.at(from), got.at(from), expected.at(from),
                                  static_cast<std::size_t>(length)),
                  "")
            << "group at " << from << ", " << describe(p) << (accumulate ? ", accumulating" : "");
      }
      at += n;
    }
  }
}

// Empty and negative blocks read no parameters and touch no sample.
TEST_P(PluginTwoKernel, EmptyBlocksTouchNothing) {
  const quorv1_02::BlockKernels* kernels = quorv1_02::blockKernelsFor(GetParam());
  ASSERT_NE(kernels, nullptr);
  float in0[] = {0.5f}, in1[] = {0.25f}, left[] = {7.0f}, right[] = {-7.0f};
  for (std::int32_t frames : {0, -1, -2147483647 - 1})
    for (quorv1_02::BlockKernel kernel : {kernels->replacing, kernels->accumulating}) {
      ChangingParameters parameters;
      kernel({&ChangingParameters::read, &parameters}, in0, in1, left, right, frames);
      EXPECT_TRUE(parameters.given.empty()) << frames;
      EXPECT_EQ(left[0], 7.0f) << frames;
      EXPECT_EQ(right[0], -7.0f) << frames;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPathThatRunsHere, PluginTwoKernel,
                         testing::ValuesIn(runnablePaths()), pathName);

// The effect's entries, as a host calls them: blocks of any length, with the parameters
// changed between calls, separate buffers or the outputs as inputs in either pairing.
// Each change is exact from the next call's first frame.
TEST(PluginTwoFastProcessing, MatchesTheReferenceWithParametersChangedBetweenBlocks) {
  AUM fx(nullptr);
  const Stereo input = stereoSignal(60000, 92);
  const std::size_t frames = input.left.size();
  oracle_input::Draw draw(12);
  Stereo got(frames, 0.25f), expected(frames, 0.25f);
  Stereo source = input;

  for (std::size_t at = 0; at < frames;) {
    const Parameters p = drawParameters(draw);
    fx.setParameter(quorv1_02::kPreAmp, p.preAmp);
    fx.setParameter(quorv1_02::kDepth, p.depth);
    fx.setParameter(quorv1_02::kMix, p.mix);
    fx.setParameter(quorv1_02::kType, p.type);
    const std::int32_t n =
        std::min<std::int32_t>(draw.count(700), static_cast<std::int32_t>(frames - at));
    const bool accumulate = draw.next() % 2 == 0;
    // 0: separate buffers; 1: each output is its own input; 2: each is the other's.
    const std::uint32_t sharing = draw.next() % 3;
    const float* x0 = &input.left[at];
    const float* x1 = &input.right[at];
    float* out[] = {&got.left[at], &got.right[at]};
    float* in[] = {&source.left[at], &source.right[at]};
    if (sharing != 0) {
      in[0] = sharing == 1 ? out[0] : out[1];
      in[1] = sharing == 1 ? out[1] : out[0];
      std::copy(x0, x0 + n, in[0]);
      std::copy(x1, x1 + n, in[1]);
      // Accumulating onto the inputs: each output starts from what its buffer holds.
      std::copy(out[0], out[0] + n, &expected.left[at]);
      std::copy(out[1], out[1] + n, &expected.right[at]);
    }
    if (accumulate) {
      fx.process(in, out, n);
      oracle().accumulating(x0, x1, &expected.left[at], &expected.right[at], n, p);
    } else {
      fx.processReplacing(in, out, n);
      oracle().replacing(x0, x1, &expected.left[at], &expected.right[at], n, p);
    }
    const auto length = static_cast<std::size_t>(n);
    ASSERT_EQ(firstDifference({x0, x1}, got.at(at), expected.at(at), length), "")
        << "block at " << at << ", " << describe(p) << (accumulate ? ", accumulating" : "")
        << ", sharing " << sharing;
    at += length;
  }
}

TEST(PluginTwoFastProcessing, AllocatesNothing) {
  AUM fx(nullptr);
  std::vector<float> in0(5000, 0.5f), in1(5000, -0.25f), left(5000), right(5000);
  float* ins[] = {in0.data(), in1.data()};
  float* outs[] = {left.data(), right.data()};
  const std::size_t before = allocation_counter::allocations();
  fx.processReplacing(ins, outs, 5000);
  fx.process(ins, outs, 4999);
  fx.processReplacing(ins, outs, 3);
  EXPECT_EQ(allocation_counter::allocations(), before);
}

}  // namespace
