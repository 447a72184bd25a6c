// Plug-in one as a host sees it: loaded from the built library, driven through `main` and
// the record's entry points only.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "plugin_fixture.h"
#include "test_signal.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
enum { kDepth = 0, kMix = 1, kType = 2 };

TEST(PluginOneInterface, RecordReadsByteForByte) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  expectRecordBytes(fx.get(), 3, 1);
}

TEST(PluginOneInterface, AsksTheHostOnlyForItsVersionOncePerInstance) { expectOnlyTheVersionRequest(1); }

TEST(PluginOneInterface, MainRefusesWithoutAHostOrWhenTheHostSaysNo) {
  expectMainRefusesWithoutAHostOrWhenTheHostSaysNo();
}

TEST(PluginOneInterface, EveryOpcodeAnswersAsDocumented) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  expectEveryOpcodeAnswersAsDocumented(fx);
}

TEST(PluginOneInterface, ProgramsKeepTheirValuesAndNames) {
  expectProgramsKeepTheirValuesAndNames({"Quorvelandix", kDepth, kType, "C       "}, kDepth, 0.25f, 0.7f);
}

TEST(PluginOneInterface, ParameterTexts) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  EXPECT_EQ(fx.text(effGetParamName, kDepth), "DEPTH  \t");
  EXPECT_EQ(fx.text(effGetParamName, kMix), "MIX");
  EXPECT_EQ(fx.text(effGetParamName, kType), "Type");
  EXPECT_EQ(fx.text(effGetParamLabel, kDepth), "       ");
  EXPECT_EQ(fx.text(effGetParamLabel, kMix), "FX<->Clean");
  EXPECT_EQ(fx.text(effGetParamLabel, kType), "    ");

  struct Case { std::int32_t index; float value; const char* display; float readBack; };
  const Case cases[] = {
      {kDepth, 0.25f, " 0.250000 ", 0.25f},   {kDepth, 1.0f, " 1.000000 ", 1.0f},
      {kDepth, 2.5f, " 2.500000 ", 2.5f},     {kMix, 0.0f, " 0 %", 0.0f},
      {kMix, 0.5f, " 50 %", 0.5f},            {kMix, 1.0f, " 100 %", 1.0f},
      {kMix, 0.9f, " 89 %", 0.9f},            {kMix, 0.29f, " 28 %", 0.29f},
      {kType, 0.0f, "A      ", 0.0f},         {kType, 0.5f, "B       ", 0.5263158f},
      {kType, 1.0f, "C       ", 0.99f},       {kType, 0.3448275625705719f, "A      ", 0.0f},
      {kType, 0.3448275923728943f, "B       ", 0.5263158f},
      {kType, 0.6896551251411438f, "B       ", 0.5263158f},
      {kType, 0.6896551847457886f, "C       ", 0.99f},
      {kType, 1.1f, "i=3 f=1.100000", 0.99f},
  };
  for (const Case& c : cases) {
    fx.set(c.index, c.value);
    EXPECT_EQ(fx.text(effGetParamDisplay, c.index), c.display) << c.index << " " << c.value;
    EXPECT_EQ(fx.get(c.index), c.readBack) << c.index << " " << c.value;
  }
  // Writing back what the host read keeps the curve.
  for (float type : {0.1f, 0.5f, 0.95f}) {
    fx.set(kType, type);
    const std::string shown = fx.text(effGetParamDisplay, kType);
    fx.set(kType, fx.get(kType));
    EXPECT_EQ(fx.text(effGetParamDisplay, kType), shown);
  }
  // Indices outside the table: nothing written, nothing stored.
  fx.set(kDepth, 0.4f);
  for (std::int32_t index : {3, 4, -1, 1000}) {
    fx.set(index, 0.9f);
    EXPECT_EQ(fx.get(index), 0.0f);
    for (std::int32_t op : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      char buffer[16];
      std::memset(buffer, 0x5A, sizeof buffer);
      fx.dispatch(op, index, 0, buffer);
      for (char b : buffer) ASSERT_EQ(b, 0x5A) << "opcode " << op << " index " << index;
    }
  }
  EXPECT_EQ(fx.get(kDepth), 0.4f);
}

// One sample through processReplacing with the given Type, DEPTH and MIX.
float processOne(Instance& fx, float type, float depth, float mix, float x) {
  fx.set(kType, type);
  fx.set(kDepth, depth);
  fx.set(kMix, mix);
  Block block(1, 2, 1);
  block.in[0][0] = x;
  block.replacing(fx, 1);
  EXPECT_EQ(std::memcmp(&block.out[0][0], &block.out[1][0], sizeof(float)), 0) << "outputs differ";
  return block.out[0][0];
}

TEST(PluginOneInterface, ShapesAsTheCurvesSay) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  struct Case { float type, depth, mix, x; double expected; };
  const Case cases[] = {
      // Curve A compresses everywhere; B and C are linear up to half scale.
      {0.0f, 1.0f, 0.0f, 0.1f, 0.302673},   {0.0f, 1.0f, 0.0f, 0.25f, 0.430382},
      {0.0f, 1.0f, 0.0f, 0.5f, 0.500820},   {0.0f, 1.0f, 0.0f, 0.75f, 0.529718},
      {0.0f, 1.0f, 0.0f, 1.0f, 0.545455},   {0.0f, 1.0f, 0.0f, -1.0f, -0.545455},
      {0.5f, 1.0f, 0.0f, 1.0f, 0.667536},   {0.5f, 1.0f, 0.0f, 0.75f, 0.600704},
      {0.5f, 1.0f, 0.0f, 0.5f, 0.5},        {1.0f, 1.0f, 0.0f, 1.0f, 0.641001},
      {1.0f, 1.0f, 0.0f, 0.75f, 0.593365},  {1.0f, 1.0f, 0.0f, -0.25f, -0.25},
      {0.5f, 0.5f, 0.0f, 0.9f, 0.9},        {1.0f, 0.5f, 0.0f, -1.0f, -1.0},
      // The blend, and the clip after it.
      {0.0f, 1.0f, 0.5f, 0.1f, 0.201337},   {1.0f, 0.25f, 1.0f, 2.0f, 1.0},
      {1.0f, 0.25f, 1.0f, -0.3f, -0.3},     {0.0f, 0.0f, 0.3f, 0.7f, 0.7},
      {0.0f, 0.0f, 0.3f, -3.0f, -1.0},
      // Beyond the end of the curve the gain holds at its last entry.
      {0.0f, 1.0f, 0.0f, 1.2f, 1.2 * 0.545455}, {0.5f, 2.0f, 0.0f, 0.5f, 0.5},
      // Curve numbers outside the table use the nearest curve.
      {1.1f, 1.0f, 0.0f, 0.75f, 0.593365},  {-0.5f, 1.0f, 0.0f, 0.1f, 0.302673},
      {1e9f, 1.0f, 0.0f, 0.75f, 0.593365},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(processOne(fx, c.type, c.depth, c.mix, c.x), c.expected, 2e-6)
        << "type " << c.type << " depth " << c.depth << " mix " << c.mix << " x " << c.x;
}

TEST(PluginOneInterface, NoInputOrParameterGivesANonFiniteOrOutOfRangeSample) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  const float values[] = {0.5f, -1.0f, 2.0f, 1e30f, -1e30f, kInf, -kInf, kNaN};
  const float samples[] = {0.0f, 0.3f, -1.0f, 1.0f, 1e30f, -1e30f, kInf, -kInf, kNaN, FLT_MIN / 2};
  const std::size_t n = sizeof samples / sizeof samples[0];
  Block block(1, 2, n);
  for (float depth : values)
    for (float mix : values)
      for (float type : values) {
        fx.set(kDepth, depth);
        fx.set(kMix, mix);
        fx.set(kType, type);
        for (int accumulate = 0; accumulate < 2; ++accumulate) {
          for (std::size_t k = 0; k < n; ++k) {
            block.in[0][k] = samples[k];
            block.out[0][k] = block.out[1][k] = 0.0f;
          }
          accumulate ? block.accumulating(fx, n) : block.replacing(fx, n);
          for (std::size_t ch = 0; ch < 2; ++ch)
            for (std::size_t k = 0; k < n; ++k) {
              const float y = block.out[ch][k];
              ASSERT_TRUE(y >= -1.0f && y <= 1.0f)
                  << "depth " << depth << " mix " << mix << " type " << type << " x "
                  << samples[k] << " gave " << y;
              if (std::isnan(samples[k])) {
                ASSERT_EQ(y, 0.0f);
              }
            }
        }
      }
  EXPECT_FALSE(fx.text(effGetParamDisplay, kType).empty());
}

TEST(PluginOneInterface, AccumulatesTheClippedSampleAndWorksInPlace) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  fx.set(kType, 0.0f);
  fx.set(kDepth, 1.0f);
  fx.set(kMix, 0.5f);
  const float input[] = {0.1f, -0.7f, 3.0f, 0.0f};
  const std::int32_t n = 4;
  Block replaced(1, 2, n);
  std::copy(input, input + n, replaced.in[0].begin());
  replaced.replacing(fx, n);

  Block added(1, 2, n);
  std::copy(input, input + n, added.in[0].begin());
  std::fill(added.out[0].begin(), added.out[0].end(), 0.25f);
  std::fill(added.out[1].begin(), added.out[1].end(), -0.25f);
  added.accumulating(fx, n);
  for (std::int32_t k = 0; k < n; ++k) {
    EXPECT_FLOAT_EQ(added.out[0][k], replaced.out[0][k] + 0.25f);
    EXPECT_FLOAT_EQ(added.out[1][k], replaced.out[0][k] - 0.25f);
  }
  EXPECT_EQ(replaced.out[0][2], 1.0f);
  EXPECT_EQ(added.out[0][2], 1.25f) << "the clip comes before the addition";

  // The host may hand the input buffer back as either output.
  for (int shared = 0; shared < 2; ++shared) {
    Block inPlace(1, 2, n);
    std::copy(input, input + n, inPlace.in[0].begin());
    inPlace.outPtr[shared] = inPlace.inPtr[0];
    inPlace.replacing(fx, n);
    for (std::int32_t k = 0; k < n; ++k) {
      EXPECT_EQ(inPlace.outPtr[0][k], replaced.out[0][k]);
      EXPECT_EQ(inPlace.outPtr[1][k], replaced.out[0][k]);
    }
  }
  // Empty and negative blocks touch nothing.
  for (std::int32_t frames : {0, -1, -100}) {
    Block untouched(1, 2, 1);
    untouched.out[0][0] = untouched.out[1][0] = 0.5f;
    untouched.replacing(fx, frames);
    untouched.accumulating(fx, frames);
    EXPECT_EQ(untouched.out[0][0], 0.5f);
    EXPECT_EQ(untouched.out[1][0], 0.5f);
  }
}

// The fixed render: every curve at several DEPTH and MIX settings over the test signal,
// cut into blocks of varied sizes. It must not depend on the cutting, and its bytes are
// written out so that the builds for each platform can be compared.
TEST(PluginOneInterface, RenderIsTheSameHoweverTheInputIsCut) {
  recording_host::reset();
  Instance fx;
  ASSERT_NE(fx.get(), nullptr);
  const std::size_t frames = 2 * 44100;
  const std::vector<float> signal = test_signal::make(frames, 1234);
  const std::int32_t blockSizes[] = {1, 7, 64, 500, 4096, 13, 1024, 333};
  std::vector<float> render;

  for (float type : {0.0f, 0.5f, 1.0f})
    for (float depth : {0.0f, 0.3f, 0.75f, 1.0f})
      for (float mix : {0.0f, 0.4f, 1.0f}) {
        fx.set(kType, type);
        fx.set(kDepth, depth);
        fx.set(kMix, mix);
        Block whole(1, 2, frames);
        std::copy(signal.begin(), signal.end(), whole.in[0].begin());
        whole.replacing(fx, static_cast<std::int32_t>(frames));
        Block wholeAdded(1, 2, frames);
        std::copy(signal.begin(), signal.end(), wholeAdded.in[0].begin());
        for (std::size_t c = 0; c < 2; ++c) std::fill(wholeAdded.out[c].begin(), wholeAdded.out[c].end(), 0.125f);
        wholeAdded.accumulating(fx, static_cast<std::int32_t>(frames));

        Block cut(1, 2, frames);
        std::copy(signal.begin(), signal.end(), cut.in[0].begin());
        for (std::size_t c = 0; c < 2; ++c) std::fill(cut.out[c].begin(), cut.out[c].end(), 0.125f);
        std::size_t at = 0;
        for (std::size_t b = 0; at < frames; ++b) {
          const std::int32_t n = std::min<std::int32_t>(blockSizes[b % 8], static_cast<std::int32_t>(frames - at));
          float* in[] = {cut.in[0].data() + at};
          float* out[] = {cut.out[0].data() + at, cut.out[1].data() + at};
          (b % 2 ? fx->process : fx->processReplacing)(fx.get(), in, out, n);
          at += static_cast<std::size_t>(n);
        }
        // Blocks went alternately through the accumulating entry onto 0.125.
        at = 0;
        for (std::size_t b = 0; at < frames; ++b) {
          const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(blockSizes[b % 8]), frames - at);
          for (std::size_t k = at; k < at + n; ++k) {
            const float& expected = (b % 2 ? wholeAdded : whole).out[0][k];
            ASSERT_EQ(std::memcmp(&cut.out[0][k], &expected, 4), 0) << "frame " << k;
            ASSERT_EQ(std::memcmp(&cut.out[1][k], &cut.out[0][k], 4), 0) << "frame " << k;
          }
          at += n;
        }
        render.insert(render.end(), whole.out[0].begin(), whole.out[0].end());
        render.insert(render.end(), cut.out[0].begin(), cut.out[0].end());
      }

  writeRender(render);
}

}  // namespace
