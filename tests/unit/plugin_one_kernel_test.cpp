// Plug-in one's fast processing against the plain per-sample reference: every block
// kernel this machine can run, and the effect's own entries, bit for bit over a long
// varied signal and hostile parameter values.
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
#include "plugin_one_reference.h"
#include "runnable_paths.h"

namespace {

using fx_dsp::SimdPath;
using oracle_input::exact;
using oracle_input::firstDifference;
using quorv1_01::AUM;
using Parameters = reference::PluginOne::Parameters;

const reference::PluginOne& oracle() {
  static const reference::PluginOne instance;
  return instance;
}

// Both outputs of a block, as the effect and as the reference computed them.
struct Outputs {
  std::vector<float> left, right;
  explicit Outputs(std::size_t frames, float start = 0.0f)
      : left(frames, start), right(frames, -start) {}
};

std::string describe(const Parameters& p) {
  return "depth " + exact(p.depth) + " mix " + exact(p.mix) + " type " + exact(p.type);
}

// Hands a kernel a fresh parameter set at every group, and keeps them.
struct ChangingParameters {
  oracle_input::Draw draw{3};
  std::vector<Parameters> given;

  static quorv1_01::GroupSettings read(const void* self) {
    auto& me = *static_cast<ChangingParameters*>(const_cast<void*>(self));
    const Parameters p{me.draw.parameter(), me.draw.parameter(), me.draw.parameter()};
    me.given.push_back(p);
    return quorv1_01::groupSettings(p.depth, p.mix, curveNumber(p.type));
  }
};

class PluginOneKernel : public testing::TestWithParam<SimdPath> {};

// Each kernel over the signal, cut into blocks of any length that go alternately through
// the replacing and the accumulating kernel. The parameters change at every group: each
// group of up to 16 samples must match the reference with the values read at its start.
TEST_P(PluginOneKernel, MatchesTheReferenceBitForBit) {
  const quorv1_01::BlockKernels* kernels = quorv1_01::blockKernelsFor(GetParam());
  ASSERT_NE(kernels, nullptr);
  const AUM fillsTheTable(nullptr);
  const std::vector<float> input = oracle_input::signal(20000, 77);
  const std::size_t frames = input.size();
  oracle_input::Draw draw(5);
  constexpr auto kGroup = static_cast<std::size_t>(quorv1_01::kGroupFrames);

  for (int pass = 0; pass < 100; ++pass) {
    Outputs got(frames, 0.375f), expected(frames, 0.375f);
    for (std::size_t at = 0; at < frames;) {
      const auto n = static_cast<std::size_t>(
          std::min<std::int32_t>(draw.count(700), static_cast<std::int32_t>(frames - at)));
      const bool accumulate = draw.next() % 2 == 0;
      ChangingParameters parameters;
      parameters.draw = oracle_input::Draw(draw.next());
      (accumulate ? kernels->accumulating : kernels->replacing)(
          {&ChangingParameters::read, &parameters}, &input[at], &got.left[at], &got.right[at],
          static_cast<std::int32_t>(n));
      ASSERT_EQ(parameters.given.size(), (n + kGroup - 1) / kGroup) << "groups in " << n;
      for (std::size_t g = 0; g * kGroup < n; ++g) {
        const std::size_t from = at + g * kGroup;
        const auto length = static_cast<std::int32_t>(std::min(kGroup, n - g * kGroup));
        const Parameters& p = parameters.given[g];
        const auto run =
            accumulate ? &reference::PluginOne::accumulating : &reference::PluginOne::replacing;
        (oracle().*run)(
            &input[from], &expected.left[from], &expected.right[from], length, p);
        ASSERT_EQ(firstDifference({&input[from], &input[from]}, {&got.left[from], &got.right[from]},
                                  {&expected.left[from], &expected.right[from]},
                                  static_cast<std::size_t>(length)),
                  "")
            << "group at " << from << ", " << describe(p) << (accumulate ? ", accumulating" : "");
      }
      at += n;
    }
  }
}

// Empty and negative blocks read no parameters and touch no sample.
TEST_P(PluginOneKernel, EmptyBlocksTouchNothing) {
  const quorv1_01::BlockKernels* kernels = quorv1_01::blockKernelsFor(GetParam());
  ASSERT_NE(kernels, nullptr);
  float in[] = {0.5f}, left[] = {7.0f}, right[] = {-7.0f};
  for (std::int32_t frames : {0, -1, -2147483647 - 1})
    for (quorv1_01::BlockKernel kernel : {kernels->replacing, kernels->accumulating}) {
      ChangingParameters parameters;
      kernel({&ChangingParameters::read, &parameters}, in, left, right, frames);
      EXPECT_TRUE(parameters.given.empty()) << frames;
      EXPECT_EQ(left[0], 7.0f) << frames;
      EXPECT_EQ(right[0], -7.0f) << frames;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPathThatRunsHere, PluginOneKernel,
                         testing::ValuesIn(runnablePaths()), pathName);

// The effect's entries, as a host calls them: blocks of any length, in place or not, with
// the parameters changed between calls. Each change is exact from the next call's first
// sample.
TEST(PluginOneFastProcessing, MatchesTheReferenceWithParametersChangedBetweenBlocks) {
  AUM fx(nullptr);
  const std::vector<float> input = oracle_input::signal(60000, 91);
  oracle_input::Draw draw(11);
  Outputs got(input.size(), 0.25f), expected(input.size(), 0.25f);
  std::vector<float> source(input);

  for (std::size_t at = 0; at < input.size();) {
    const Parameters p{draw.parameter(), draw.parameter(), draw.parameter()};
    fx.setParameter(quorv1_01::kDepth, p.depth);
    fx.setParameter(quorv1_01::kMix, p.mix);
    fx.setParameter(quorv1_01::kType, p.type);
    const std::int32_t n =
        std::min<std::int32_t>(draw.count(700), static_cast<std::int32_t>(input.size() - at));
    const bool accumulate = draw.next() % 2 == 0;
    // Every third block is processed in place, the input buffer being the left output.
    const bool shared = draw.next() % 3 == 0;
    float* in[] = {shared ? &got.left[at] : &source[at]};
    if (shared) std::copy(&input[at], &input[at] + n, &got.left[at]);
    float* out[] = {&got.left[at], &got.right[at]};
    if (accumulate && !shared) {
      fx.process(in, out, n);
      oracle().accumulating(&input[at], &expected.left[at], &expected.right[at], n, p);
    } else if (!accumulate) {
      fx.processReplacing(in, out, n);
      oracle().replacing(&input[at], &expected.left[at], &expected.right[at], n, p);
    } else {
      // Accumulating in place adds onto the input itself.
      fx.process(in, out, n);
      std::copy(&input[at], &input[at] + n, &expected.left[at]);
      oracle().accumulating(&input[at], &expected.left[at], &expected.right[at], n, p);
    }
    const std::string difference =
        firstDifference({&input[at], &input[at]}, {&got.left[at], &got.right[at]},
                        {&expected.left[at], &expected.right[at]}, static_cast<std::size_t>(n));
    ASSERT_EQ(difference, "") << "block at " << at << ", " << describe(p)
                              << (accumulate ? ", accumulating" : "")
                              << (shared ? ", in place" : "");
    at += static_cast<std::size_t>(n);
  }
}

TEST(PluginOneFastProcessing, AllocatesNothing) {
  AUM fx(nullptr);
  std::vector<float> in(5000, 0.5f), left(5000), right(5000);
  float* ins[] = {in.data()};
  float* outs[] = {left.data(), right.data()};
  const std::size_t before = allocation_counter::allocations();
  fx.processReplacing(ins, outs, 5000);
  fx.process(ins, outs, 4999);
  fx.processReplacing(ins, outs, 3);
  EXPECT_EQ(allocation_counter::allocations(), before);
}

}  // namespace
