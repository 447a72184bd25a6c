// Plug-in two as a host sees it: loaded from the built library, driven through `main` and
// the record's entry points only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "plugin_fixture.h"
#include "test_signal.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
enum { kType = 0, kPreAmp = 1, kDepth = 2, kMix = 3 };

TEST(PluginTwoInterface, RecordReadsByteForByte) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  expectRecordBytes(fx.get(), 4, 2);
}

TEST(PluginTwoInterface, AsksTheHostOnlyForItsVersionOncePerInstance) { expectOnlyTheVersionRequest(2); }

TEST(PluginTwoInterface, MainRefusesWithoutAHostOrWhenTheHostSaysNo) {
  expectMainRefusesWithoutAHostOrWhenTheHostSaysNo();
}

TEST(PluginTwoInterface, EveryOpcodeAnswersAsDocumented) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  expectEveryOpcodeAnswersAsDocumented(fx);
}

TEST(PluginTwoInterface, ProgramsKeepTheirValuesAndNames) {
  expectProgramsKeepTheirValuesAndNames({"Quorvelandix.02", kDepth, kType, "Tape      "}, kPreAmp, 1.0f, 0.6f);
}

TEST(PluginTwoInterface, ParameterTexts) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  const char* const names[] = {"Type", "PreAmp  \t       ", "DEPTH  \t       ", "MIX"};
  const char* const labels[] = {"    ", "       ", "       ", "FX<->Clean"};
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(fx.text(effGetParamName, i), names[i]);
    EXPECT_EQ(fx.text(effGetParamLabel, i), labels[i]);
  }
  struct Case { std::int32_t index; float value; const char* display; float readBack; };
  const Case cases[] = {
      {kType, 0.0f, "Dist      ", 0.0f},   {kType, 0.5f, "Valve     ", 0.5263158f},
      {kType, 1.0f, "Tape      ", 0.99f},  {kType, 1.1f, "i=3 f=1.100000", 0.99f},
      {kPreAmp, 0.5f, " 1.500000 ", 0.5f}, {kDepth, 0.25f, " 0.250000 ", 0.25f},
      {kMix, 0.9f, " 89 %", 0.9f},
  };
  for (const Case& c : cases) {
    fx.set(c.index, c.value);
    EXPECT_EQ(fx.text(effGetParamDisplay, c.index), c.display) << c.index << " " << c.value;
    EXPECT_EQ(fx.get(c.index), c.readBack) << c.index << " " << c.value;
  }
  // Indices outside the table: nothing written, nothing stored.
  fx.set(kPreAmp, 0.4f);
  for (std::int32_t index : {4, 5, -1, 1000}) {
    fx.set(index, 0.9f);
    EXPECT_EQ(fx.get(index), 0.0f);
    for (std::int32_t op : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      char buffer[24];
      std::memset(buffer, 0x5A, sizeof buffer);
      fx.dispatch(op, index, 0, buffer);
      for (char b : buffer) ASSERT_EQ(b, 0x5A) << "opcode " << op << " index " << index;
    }
  }
  EXPECT_EQ(fx.get(kPreAmp), 0.4f);
}

void setAll(Instance& fx, float type, float preAmp, float depth, float mix) {
  fx.set(kType, type);
  fx.set(kPreAmp, preAmp);
  fx.set(kDepth, depth);
  fx.set(kMix, mix);
}

TEST(PluginTwoInterface, ShapesAsTheCurvesSay) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  struct Case { float type, preAmp, depth, mix, x; double expected; };
  const Case cases[] = {
      // The curves alone: no pre-amp gain, no dry share.
      {0.0f, 0.0f, 1.0f, 0.0f, 0.1f, 0.125041},  {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.500658},
      {0.5f, 0.0f, 1.0f, 0.0f, 0.75f, 0.530508}, {0.5f, 0.0f, 1.0f, 0.0f, 1.0f, 0.501317},
      {1.0f, 0.0f, 1.0f, 0.0f, 0.5f, 0.444733},  {1.0f, 0.0f, 1.0f, 0.0f, -1.0f, -0.501481},
      {0.0f, 0.0f, 0.5f, 0.0f, 0.5f, 0.333551},  {0.5f, 0.0f, 0.0f, 0.0f, 0.8f, 0.4},
      // The pre-amp in front of the shaper, the dry share behind it, the clip last.
      {0.0f, 1.0f, 0.0f, 0.0f, 0.8f, 0.8},       {0.0f, 1.0f, 1.0f, 0.0f, 0.25f, 0.375367},
      {0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0},       {0.5f, 0.0f, 1.0f, 0.5f, 0.1f, 0.123535},
      {1.0f, 0.7f, 0.3f, 1.0f, -0.3f, -0.3},     {1.0f, 0.7f, 0.3f, 1.0f, 2.0f, 1.0},
      // Curve numbers outside the table use the nearest curve.
      {1.1f, 0.0f, 1.0f, 0.0f, 0.5f, 0.444733},  {-0.5f, 0.0f, 1.0f, 0.0f, 0.1f, 0.125041},
  };
  for (const Case& c : cases) {
    setAll(fx, c.type, c.preAmp, c.depth, c.mix);
    Block block(2, 2, 1);
    block.in[0][0] = c.x;
    block.in[1][0] = -c.x;
    block.replacing(fx, 1);
    EXPECT_NEAR(block.out[0][0], c.expected, 1e-6) << "type " << c.type << " x " << c.x;
    EXPECT_NEAR(block.out[1][0], -c.expected, 1e-6) << "type " << c.type << " x " << -c.x;
  }
}

TEST(PluginTwoInterface, NoInputOrParameterGivesANonFiniteOrOutOfRangeSample) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  const float values[] = {0.5f, -1.0f, 2.0f, 1e30f, -1e30f, kInf, -kInf, kNaN};
  const float samples[] = {0.0f, 0.3f, -1.0f, 1.0f, 1e30f, -1e30f, kInf, -kInf, kNaN, FLT_MIN / 2, FLT_MAX};
  const std::size_t n = sizeof samples / sizeof samples[0];
  Block block(2, 2, n);
  for (float type : values)
    for (float preAmp : values)
      for (float depth : values)
        for (float mix : values) {
          setAll(fx, type, preAmp, depth, mix);
          for (int accumulate = 0; accumulate < 2; ++accumulate) {
            for (std::size_t k = 0; k < n; ++k) {
              block.in[0][k] = samples[k];
              block.in[1][k] = samples[n - 1 - k];
              block.out[0][k] = block.out[1][k] = 0.0f;
            }
            accumulate ? block.accumulating(fx, n) : block.replacing(fx, n);
            for (std::size_t ch = 0; ch < 2; ++ch)
              for (std::size_t k = 0; k < n; ++k) {
                const float y = block.out[ch][k];
                ASSERT_TRUE(y >= -1.0f && y <= 1.0f)
                    << "type " << type << " pre-amp " << preAmp << " depth " << depth << " mix "
                    << mix << " x " << block.in[ch][k] << " gave " << y;
                if (std::isnan(block.in[ch][k])) {
                  ASSERT_EQ(y, 0.0f);
                }
              }
          }
        }
}

TEST(PluginTwoInterface, AccumulatesTheClippedSampleAndWorksInPlace) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  setAll(fx, 0.0f, 0.5f, 1.0f, 0.25f);
  const float left[] = {0.1f, -0.7f, 3.0f, 0.0f, 0.4f};
  const float right[] = {-0.2f, 0.0f, -4.0f, 0.9f, 0.4f};
  const std::int32_t n = 5;
  auto fill = [&](Block& b) {
    std::copy(left, left + n, b.in[0].begin());
    std::copy(right, right + n, b.in[1].begin());
  };
  Block replaced(2, 2, n);
  fill(replaced);
  replaced.replacing(fx, n);
  EXPECT_EQ(replaced.out[0][2], 1.0f);
  EXPECT_EQ(replaced.out[1][2], -1.0f);

  Block added(2, 2, n);
  fill(added);
  std::fill(added.out[0].begin(), added.out[0].end(), 0.25f);
  std::fill(added.out[1].begin(), added.out[1].end(), -0.5f);
  added.accumulating(fx, n);
  for (std::int32_t k = 0; k < n; ++k) {
    EXPECT_FLOAT_EQ(added.out[0][k], replaced.out[0][k] + 0.25f) << k;
    EXPECT_FLOAT_EQ(added.out[1][k], replaced.out[1][k] - 0.5f) << k;
  }
  EXPECT_EQ(added.out[0][2], 1.25f) << "the clip comes before the addition";

  // The host may hand the input buffers back as the outputs, straight or crossed.
  for (int crossed = 0; crossed < 2; ++crossed)
    for (int accumulate = 0; accumulate < 2; ++accumulate) {
      Block inPlace(2, 2, n);
      fill(inPlace);
      inPlace.outPtr[0] = inPlace.inPtr[crossed];
      inPlace.outPtr[1] = inPlace.inPtr[1 - crossed];
      accumulate ? inPlace.accumulating(fx, n) : inPlace.replacing(fx, n);
      for (std::int32_t k = 0; k < n; ++k)
        for (int ch = 0; ch < 2; ++ch) {
          // Accumulating onto the shared buffer adds to the sample it held before.
          const float held = (ch == crossed ? left : right)[k];
          const float expected = accumulate ? held + replaced.out[ch][k] : replaced.out[ch][k];
          EXPECT_FLOAT_EQ(inPlace.outPtr[ch][k], expected)
              << "crossed " << crossed << " accumulate " << accumulate << " channel " << ch << " frame " << k;
        }
    }
  // Empty and negative blocks touch nothing.
  for (std::int32_t frames : {0, -1, -100}) {
    Block untouched(2, 2, 1);
    untouched.out[0][0] = 0.5f;
    untouched.out[1][0] = -0.5f;
    untouched.replacing(fx, frames);
    untouched.accumulating(fx, frames);
    EXPECT_EQ(untouched.out[0][0], 0.5f);
    EXPECT_EQ(untouched.out[1][0], -0.5f);
  }
}

// The fixed render: every curve at several PreAmp, DEPTH and MIX settings over a stereo
// test signal, cut into blocks of varied sizes. It must not depend on the cutting, and its
// bytes are written out so that the builds for each platform can be compared.
TEST(PluginTwoInterface, RenderIsTheSameHoweverTheInputIsCut) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  // Every section of the test signal once; the right channel runs it backwards, so that
  // the two channels carry different material at every moment.
  const std::size_t frames = 6 * 11025;
  std::vector<float> signal[2] = {test_signal::make(frames, 1234), test_signal::make(frames, 98765)};
  std::reverse(signal[1].begin(), signal[1].end());
  const std::int32_t blockSizes[] = {1, 7, 64, 500, 4096, 13, 1024, 333};
  std::vector<float> render;
  auto fill = [&](Block& b, float start) {
    for (std::size_t c = 0; c < 2; ++c) {
      std::copy(signal[c].begin(), signal[c].end(), b.in[c].begin());
      std::fill(b.out[c].begin(), b.out[c].end(), start);
    }
  };

  for (float type : {0.0f, 0.5f, 1.0f})
    for (float preAmp : {0.0f, 0.6f, 1.0f})
      for (float depth : {0.0f, 0.3f, 1.0f})
        for (float mix : {0.0f, 0.4f}) {
          setAll(fx, type, preAmp, depth, mix);
          Block whole(2, 2, frames);
          fill(whole, 0.0f);
          whole.replacing(fx, static_cast<std::int32_t>(frames));
          Block wholeAdded(2, 2, frames);
          fill(wholeAdded, 0.125f);
          wholeAdded.accumulating(fx, static_cast<std::int32_t>(frames));

          Block cut(2, 2, frames);
          fill(cut, 0.125f);
          std::size_t at = 0;
          for (std::size_t b = 0; at < frames; ++b) {
            const std::int32_t n = std::min<std::int32_t>(blockSizes[b % 8], static_cast<std::int32_t>(frames - at));
            float* in[] = {cut.in[0].data() + at, cut.in[1].data() + at};
            float* out[] = {cut.out[0].data() + at, cut.out[1].data() + at};
            (b % 2 ? fx->process : fx->processReplacing)(fx.get(), in, out, n);
            at += static_cast<std::size_t>(n);
          }
          // Blocks went alternately through the accumulating entry onto 0.125.
          at = 0;
          for (std::size_t b = 0; at < frames; ++b) {
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(blockSizes[b % 8]), frames - at);
            for (std::size_t k = at; k < at + n; ++k)
              for (std::size_t c = 0; c < 2; ++c) {
                const float& expected = (b % 2 ? wholeAdded : whole).out[c][k];
                ASSERT_EQ(std::memcmp(&cut.out[c][k], &expected, 4), 0) << "channel " << c << " frame " << k;
              }
            at += n;
          }
          for (std::size_t c = 0; c < 2; ++c)
            render.insert(render.end(), whole.out[c].begin(), whole.out[c].end());
        }

  writeRender(render);
}

}  // namespace
