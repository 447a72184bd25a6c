// Tests of plug-in one: its curve table and shaper, its processing, its programs and
// parameters, and the library entry that creates it.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "aum.h"
#include "dsp/fuzz_table.h"
#include "entry.h"
#include "recording_host.h"

namespace {

using quorv1_01::AUM;
using quorv1_01::FuzzTable;
using quorv1_01::kDepth;
using quorv1_01::kMix;
using quorv1_01::kType;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr double kTol = 1e-6;
// Type values that select curve rows 0, 1 and 2.
constexpr float kTypeOfRow[3] = {0.0f, 0.5f, 1.0f};
// Gain ratio at the end of row 0 against its middle: (49.99 / 561) / (49.99 / 306).
constexpr double kRow0EndRatio = 306.0 / 561.0;

float tableEntry(int row, int k) { return FuzzTable[row * 512 + k]; }

void configure(AUM& effect, float depth, float mix, float type) {
  effect.setParameter(kDepth, depth);
  effect.setParameter(kMix, mix);
  effect.setParameter(kType, type);
}

struct Frame {
  float left;
  float right;
};

// One sample through processReplacing (or process, onto the given output contents).
Frame render(AUM& effect, float x, bool accumulate = false, float left = 0.0f,
             float right = 0.0f) {
  float in[] = {x};
  float out0[] = {left};
  float out1[] = {right};
  float* ins[] = {in};
  float* outs[] = {out0, out1};
  if (accumulate)
    effect.process(ins, outs, 1);
  else
    effect.processReplacing(ins, outs, 1);
  return {out0[0], out1[0]};
}

using TextOp = void (AUM::*)(std::int32_t, char*);
constexpr char kFill = '#';

std::string text(AUM& effect, TextOp op, std::int32_t index) {
  char buffer[128];
  std::memset(buffer, kFill, sizeof buffer);
  (effect.*op)(index, buffer);
  if (!std::memchr(buffer, 0, sizeof buffer)) {
    ADD_FAILURE() << "unterminated text for index " << index;
    return {};
  }
  return buffer;
}

std::string display(AUM& effect, std::int32_t index) {
  return text(effect, &AUM::getParameterDisplay, index);
}

std::string programName(AUM& effect) {
  char buffer[64];
  std::memset(buffer, kFill, sizeof buffer);
  effect.getProgramName(buffer);
  const std::string name(buffer, strnlen(buffer, sizeof buffer));
  EXPECT_LT(name.size(), 24u);
  for (std::size_t i = name.size() + 1; i < sizeof buffer; ++i)
    EXPECT_EQ(buffer[i], kFill) << "written past the name, byte " << i;
  return name;
}

void rename(AUM& effect, const std::string& name) {
  std::vector<char> copy(name.begin(), name.end());
  copy.push_back(0);
  effect.setProgramName(copy.data());
}

// --- Curves and shaper ---------------------------------------------------------------

TEST(PluginOneCurves, CheckValues) {
  quorv1_01::fillFuzzTable();
  const struct {
    int row;
    int k;
    double value;
    bool exact;
  } cases[] = {{0, 0, 0.9998, false},     {0, 256, 0.163366, false}, {0, 511, 0.0891087, false},
               {1, 0, 1.0, true},         {1, 255, 1.0, true},       {1, 256, 1.0, true},
               {1, 257, 0.998051, false}, {1, 511, 0.667536, false}, {2, 0, 1.0, true},
               {2, 255, 1.0, true},       {2, 256, 1.0, true},       {2, 257, 0.998050, false},
               {2, 511, 0.641001, false}};
  for (const auto& c : cases) {
    if (c.exact)
      EXPECT_EQ(tableEntry(c.row, c.k), c.value) << "row " << c.row << " k " << c.k;
    else
      EXPECT_NEAR(tableEntry(c.row, c.k), c.value, kTol) << "row " << c.row << " k " << c.k;
  }
}

TEST(PluginOneCurves, RowsArePositiveNonIncreasingAndFlatOverTheirFirstHalf) {
  quorv1_01::fillFuzzTable();
  EXPECT_LT(tableEntry(0, 1), tableEntry(0, 0)) << "row 0 falls from its first entry on";
  for (int row = 0; row < 3; ++row) {
    for (int k = 0; k < 512; ++k) {
      EXPECT_GT(tableEntry(row, k), 0.0f) << row << " " << k;
      EXPECT_LE(tableEntry(row, k), 1.0f) << row << " " << k;
      if (k > 0) {
        EXPECT_LE(tableEntry(row, k), tableEntry(row, k - 1)) << row << " " << k;
      }
      if (row > 0 && k < 256) {
        EXPECT_EQ(tableEntry(row, k), 1.0f) << row << " " << k;
      }
    }
  }
}

// A construction while another instance processes must not write the shared table, not
// even its own values: only the first construction in the process fills it.
TEST(PluginOneCurves, OnlyTheFirstConstructionFillsTheTable) {
  AUM first(nullptr);
  const float kept = FuzzTable[7];
  FuzzTable[7] = -1.0f;
  AUM second(nullptr);
  EXPECT_EQ(FuzzTable[7], -1.0f);
  FuzzTable[7] = kept;
}

TEST(PluginOneShaper, CheckValuesAreOddInTheSample) {
  const struct {
    int row;
    float depth;
    float x;
    double y;
  } cases[] = {
      {0, 1.0f, 0.1f, 0.302673},  {0, 1.0f, 0.25f, 0.430382}, {0, 1.0f, 0.5f, 0.500820},
      {0, 1.0f, 0.75f, 0.529718}, {0, 1.0f, 1.0f, 0.545455},  {1, 1.0f, 1.0f, 0.667536},
      {2, 1.0f, 1.0f, 0.641001},  {1, 1.0f, 0.75f, 0.600704}, {2, 1.0f, 0.75f, 0.593365},
      // The end of the curve holds its gain for positions beyond it.
      {0, 1.0f, 1.2f, 1.2 * kRow0EndRatio}, {0, 1.0f, 3.0f, 3.0 * kRow0EndRatio},
      {2, 1.0f, 1.5f, 1.5 * 0.641001},
  };
  for (const auto& c : cases) {
    AUM effect(nullptr);
    configure(effect, c.depth, 0.0f, kTypeOfRow[c.row]);
    EXPECT_NEAR(effect.Fuzz(c.x), c.y, kTol) << "row " << c.row << " x " << c.x;
    EXPECT_EQ(effect.Fuzz(-c.x), -effect.Fuzz(c.x)) << "row " << c.row << " x " << c.x;
  }
}

TEST(PluginOneShaper, PassesSamplesUnchangedWhereTheCurveIsFlat) {
  const struct {
    int row;
    float depth;
    std::vector<float> xs;
  } cases[] = {
      {0, 0.0f, {0.3f, -0.8f, 1.0f, 5.0f, -100.0f, 1e-3f}},
      {1, 0.0f, {0.3f, -0.8f, 1.0f, 5.0f, -100.0f}},
      {2, 0.0f, {0.3f, -0.8f, 1.0f, 5.0f, -100.0f}},
      // Linear up to 256/511 at full depth, and over the whole range at half depth.
      {1, 1.0f, {0.5f, -0.25f, 0.125f, 0.5009f, 0.0f}},
      {2, 1.0f, {0.5f, -0.25f, 0.125f, 0.5009f, 0.0f}},
      {1, 0.5f, {1.0f, -1.0f, 0.7f, -0.3f, 0.999f}},
      {2, 0.5f, {1.0f, -1.0f, 0.7f, -0.3f, 0.999f}},
  };
  for (const auto& c : cases) {
    AUM effect(nullptr);
    configure(effect, c.depth, 0.0f, kTypeOfRow[c.row]);
    for (float x : c.xs) {
      if (c.row == 0)
        EXPECT_NEAR(effect.Fuzz(x), x, 1e-6 * std::fabs(x)) << "x " << x;
      else
        EXPECT_EQ(effect.Fuzz(x), x) << "row " << c.row << " depth " << c.depth << " x " << x;
    }
  }
}

TEST(PluginOneShaper, SmallSignalGainOfRowZeroFollowsDepth) {
  // (50 + floor(256 * depth)) / 50.
  const struct {
    float depth;
    double gain;
  } cases[] = {{1.0f, 6.12}, {0.5f, 3.56}, {0.25f, 2.28}};
  for (const auto& c : cases) {
    AUM effect(nullptr);
    configure(effect, c.depth, 0.0f, kTypeOfRow[0]);
    EXPECT_NEAR(effect.Fuzz(1e-7f) / 1e-7f, c.gain, 1e-4) << c.depth;
  }
}

// --- Processing ----------------------------------------------------------------------

struct BlendCase {
  float depth;
  float mix;
  float type;
  float x;
  double y;
};

TEST(PluginOneProcessing, BlendsClipsAndFeedsBothOutputs) {
  const BlendCase cases[] = {
      {0.25f, 1.0f, 0.9f, 2.0f, 1.0},      {0.25f, 1.0f, 0.9f, -0.3f, -0.3f},
      {0.25f, 1.0f, 0.9f, -7.0f, -1.0},    {1.0f, 0.0f, 0.5f, 1.0f, 0.667536},
      {0.0f, 0.3f, 0.0f, 0.4f, 0.4},       {0.0f, 0.0f, 1.0f, -0.6f, -0.6},
      {0.0f, 0.7f, 0.5f, 3.0f, 1.0},       {0.0f, 0.0f, 0.0f, -3.0f, -1.0},
      {1.0f, 0.5f, 0.0f, 0.1f, 0.201337},  {1.0f, 0.0f, 0.0f, 1.2f, 1.2 * kRow0EndRatio},
      {1.0f, 0.0f, 1.0f, 1.5f, 1.5 * 0.641001}, {1.0f, 0.0f, 0.5f, 1.5f, 1.0},
  };
  for (const BlendCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "depth " << c.depth << " mix " << c.mix << " type "
                                    << c.type << " x " << c.x);
    AUM effect(nullptr);
    configure(effect, c.depth, c.mix, c.type);
    const Frame replaced = render(effect, c.x);
    EXPECT_NEAR(replaced.left, c.y, kTol);
    EXPECT_EQ(replaced.left, replaced.right);
    // Accumulating adds the clipped sample, so the sums may leave -1..1.
    const Frame added = render(effect, c.x, true, 0.25f, -0.25f);
    EXPECT_NEAR(added.left, c.y + 0.25, kTol);
    EXPECT_NEAR(added.right, c.y - 0.25, kTol);
  }
}

TEST(PluginOneProcessing, EmptyOrNegativeBlocksLeaveTheBuffers) {
  for (std::int32_t frames : {0, -1, -1000}) {
    for (bool accumulate : {false, true}) {
      AUM effect(nullptr);
      float in[] = {0.5f, -0.5f};
      float out0[] = {0.125f, 0.25f};
      float out1[] = {-0.125f, -0.25f};
      float* ins[] = {in};
      float* outs[] = {out0, out1};
      if (accumulate)
        effect.process(ins, outs, frames);
      else
        effect.processReplacing(ins, outs, frames);
      EXPECT_EQ(out0[0], 0.125f);
      EXPECT_EQ(out0[1], 0.25f);
      EXPECT_EQ(out1[0], -0.125f);
      EXPECT_EQ(out1[1], -0.25f);
      EXPECT_EQ(in[0], 0.5f);
    }
  }
}

TEST(PluginOneProcessing, InputMayShareABufferWithEitherOutput) {
  const std::vector<float> signal = {0.1f, -0.4f, 0.75f, 2.0f, -1.2f, 0.0f, 0.5f};
  const auto frames = static_cast<std::int32_t>(signal.size());
  AUM effect(nullptr);
  configure(effect, 1.0f, 0.25f, 0.0f);
  std::vector<float> in = signal, expected(signal.size()), spare(signal.size());
  {
    float* ins[] = {in.data()};
    float* outs[] = {expected.data(), spare.data()};
    effect.processReplacing(ins, outs, frames);
  }
  for (int shared = 0; shared < 2; ++shared) {
    for (bool accumulate : {false, true}) {
      SCOPED_TRACE(testing::Message() << "output " << shared << " accumulate " << accumulate);
      std::vector<float> buffer = signal, other(signal.size(), 0.0f);
      float* ins[] = {buffer.data()};
      float* outs[] = {shared == 0 ? buffer.data() : other.data(),
                       shared == 0 ? other.data() : buffer.data()};
      if (accumulate)
        effect.process(ins, outs, frames);
      else
        effect.processReplacing(ins, outs, frames);
      for (std::size_t k = 0; k < signal.size(); ++k) {
        const float base = accumulate ? signal[k] : 0.0f;
        EXPECT_EQ(buffer[k], static_cast<float>(base + static_cast<double>(expected[k]))) << k;
        EXPECT_EQ(other[k], expected[k]) << k;
      }
    }
  }
}

TEST(PluginOneProcessing, TypeOutsideTheHostRangeUsesTheNearestCurve) {
  // Depth 1, all shaped, x = 0.75: row 0 gives 0.529718, row 2 gives 0.593365.
  const struct {
    float type;
    double y;
  } cases[] = {{1.1f, 0.593365}, {2.0f, 0.593365}, {1e9f, 0.593365}, {kInf, 0.593365},
               {-0.5f, 0.529718}, {-1.0f, 0.529718}, {-1e9f, 0.529718}, {-kInf, 0.529718}};
  for (const auto& c : cases) {
    AUM effect(nullptr);
    configure(effect, 1.0f, 0.0f, c.type);
    EXPECT_NEAR(render(effect, 0.75f).left, c.y, kTol) << c.type;
    EXPECT_NEAR(render(effect, -0.75f).left, -c.y, kTol) << c.type;
  }
}

TEST(PluginOneProcessing, AnyParameterOrSampleGivesAFiniteSampleInRange) {
  const float depths[] = {0.0f, 0.25f, 1.0f, 2.0f, 1e30f, kInf, kNaN, -0.5f, -kInf};
  const float types[] = {0.0f, 0.5f, 1.0f, 1.1f, -1.0f, 1e9f, kNaN};
  const float mixes[] = {0.0f, 0.5f, 1.0f, 3.0f, -2.0f, kNaN};
  std::vector<float> samples = {0.3f, -0.9f, 1.0f, -1.5f, 1e30f, -FLT_MAX, kInf, -kInf,
                                1e-40f, 0.0f};
  const auto frames = static_cast<std::int32_t>(samples.size());
  for (float depth : depths)
    for (float type : types)
      for (float mix : mixes) {
        AUM effect(nullptr);
        configure(effect, depth, mix, type);
        std::vector<float> out0(samples.size()), out1(samples.size());
        float* ins[] = {samples.data()};
        float* outs[] = {out0.data(), out1.data()};
        effect.processReplacing(ins, outs, frames);
        for (std::size_t k = 0; k < samples.size(); ++k) {
          const float y = out0[k];
          EXPECT_TRUE(std::isfinite(y) && y >= -1.0f && y <= 1.0f)
              << "depth " << depth << " type " << type << " mix " << mix << " x "
              << samples[k] << " gives " << y;
          EXPECT_EQ(std::memcmp(&out0[k], &out1[k], sizeof(float)), 0);
        }
      }
}

TEST(PluginOneProcessing, NaNSampleGivesSilence) {
  const struct {
    float depth;
    float mix;
    float type;
  } cases[] = {{0.25f, 0.0f, 0.9f}, {1.0f, 0.5f, 0.0f}, {0.0f, 1.0f, 0.5f}, {2.0f, 0.0f, 1.1f}};
  for (const auto& c : cases) {
    AUM effect(nullptr);
    configure(effect, c.depth, c.mix, c.type);
    const Frame replaced = render(effect, kNaN, false, 0.5f, 0.5f);
    EXPECT_EQ(replaced.left, 0.0f);
    EXPECT_EQ(replaced.right, 0.0f);
    const Frame added = render(effect, -kNaN, true, 0.5f, -0.5f);
    EXPECT_EQ(added.left, 0.5f);
    EXPECT_EQ(added.right, -0.5f);
  }
}

// --- Programs ------------------------------------------------------------------------

TEST(PluginOnePrograms, NewEffectStartsEveryProgramFromTheDefaults) {
  recording_host::reset();
  AUM effect(recording_host::callback);
  EXPECT_TRUE(recording_host::requests().empty()) << "construction asks the host nothing";
  EXPECT_EQ(effect.getProgram(), 0);
  EXPECT_EQ(effect.getAeffect()->numPrograms, 16);
  for (std::int32_t p = 15; p >= 0; --p) {
    SCOPED_TRACE(p);
    effect.setProgram(p);
    EXPECT_EQ(programName(effect), "Quorvelandix");
    EXPECT_EQ(effect.getParameter(kDepth), 0.25f);
    EXPECT_EQ(effect.getParameter(kType), 0.99f) << "Type 0.9 selects curve 2";
    EXPECT_EQ(display(effect, kType), "C       ");
    const float mix = effect.getParameter(kMix);
    EXPECT_TRUE(mix >= 0.0f && mix <= 1.0f) << mix;
  }
}

TEST(PluginOnePrograms, EachProgramKeepsTheValuesSetWhileItWasCurrent) {
  const struct {
    std::int32_t index;
    float value;
    float seen;
  } cases[] = {{kDepth, 0.7f, 0.7f}, {kMix, 0.3f, 0.3f}, {kType, 0.5f, 0.5263158f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    AUM effect(nullptr);
    const float initial = effect.getParameter(c.index);
    EXPECT_EQ(effect.dispatcher(2, 0, 1, nullptr, 0.0f), 0);
    effect.setParameter(c.index, c.value);
    effect.dispatcher(2, 0, 2, nullptr, 0.0f);
    EXPECT_EQ(effect.getParameter(c.index), initial);
    effect.dispatcher(2, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(effect.getParameter(c.index), c.seen);
    effect.setProgram(1);  // selecting the current program again changes nothing
    EXPECT_EQ(effect.getParameter(c.index), c.seen);
    effect.setProgram(0);
    EXPECT_EQ(effect.getParameter(c.index), initial);
  }
}

TEST(PluginOnePrograms, RenamingAddressesTheCurrentProgramOnly) {
  const std::string twentyThree = "Twenty-three characters";
  ASSERT_EQ(twentyThree.size(), 23u);
  const struct {
    std::string given;
    std::string kept;
  } cases[] = {{"Night Drive", "Night Drive"},
               {"", ""},
               {twentyThree, twentyThree},
               {twentyThree + "!", twentyThree},
               {twentyThree + " and many more after it", twentyThree}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    AUM effect(nullptr);
    effect.setProgram(5);
    rename(effect, c.given);
    EXPECT_EQ(programName(effect), c.kept);
    effect.setProgram(6);
    EXPECT_EQ(effect.getParameter(kDepth), 0.25f) << "the next record is intact";
    effect.setProgram(5);
    EXPECT_EQ(programName(effect), c.kept);
    for (std::int32_t p = 0; p < 16; ++p) {
      if (p == 5) continue;
      effect.setProgram(p);
      EXPECT_EQ(programName(effect), "Quorvelandix") << p;
    }
  }
}

TEST(PluginOnePrograms, VuReadsZeroBeforeAndAfterProcessing) {
  AUM effect(nullptr);
  EXPECT_EQ(effect.getVu(), 0.0f);
  EXPECT_EQ(effect.dispatcher(9, 0, 0, nullptr, 0.0f), 0);
  configure(effect, 1.0f, 0.0f, 0.0f);
  render(effect, 0.9f);
  render(effect, -1.0f, true);
  EXPECT_EQ(effect.getVu(), 0.0f);
  EXPECT_EQ(effect.dispatcher(9, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect.getVu(), 0.0f);
}

TEST(PluginOnePrograms, TwoEffectsHaveSeparateBanksAndValues) {
  AUM first(nullptr);
  AUM second(nullptr);
  first.setProgram(3);
  rename(first, "Only Here");
  first.setParameter(kDepth, 0.9f);
  first.setParameter(kType, 0.0f);
  second.setProgram(3);
  EXPECT_EQ(programName(second), "Quorvelandix");
  EXPECT_EQ(second.getParameter(kDepth), 0.25f);
  EXPECT_EQ(second.getParameter(kType), 0.99f);
  EXPECT_EQ(programName(first), "Only Here");
  EXPECT_EQ(first.getParameter(kDepth), 0.9f);
  // A further construction refills the shared table without changing what the first makes.
  configure(first, 1.0f, 0.0f, 0.0f);
  const float before = render(first, 0.25f).left;
  AUM third(nullptr);
  EXPECT_EQ(render(first, 0.25f).left, before);
  EXPECT_NEAR(before, 0.430382, kTol);
}

// --- Parameters ----------------------------------------------------------------------

TEST(PluginOneParameters, NamesAndLabels) {
  const struct {
    std::int32_t index;
    const char* name;
    const char* label;
  } cases[] = {{kDepth, "DEPTH  \t", "       "}, {kMix, "MIX", "FX<->Clean"}, {kType, "Type", "    "}};
  AUM effect(nullptr);
  EXPECT_EQ(effect.getAeffect()->numParams, 3);
  for (const auto& c : cases) {
    EXPECT_EQ(text(effect, &AUM::getParameterName, c.index), c.name);
    EXPECT_EQ(text(effect, &AUM::getParameterLabel, c.index), c.label);
    char buffer[16] = {};
    EXPECT_EQ(effect.dispatcher(6, c.index, 0, buffer, 0.0f), 0);
    EXPECT_STREQ(buffer, c.label);
    EXPECT_EQ(effect.dispatcher(8, c.index, 0, buffer, 0.0f), 0);
    EXPECT_STREQ(buffer, c.name);
  }
}

TEST(PluginOneParameters, TypeSelectsItsCurveAndReadsBackAsItsRepresentative) {
  const char* const names[] = {"A      ", "B       ", "C       "};
  const float representative[] = {0.0f, 0.5263158f, 0.99f};
  const struct {
    float type;
    int curve;
  } cases[] = {{0.0f, 0},
               {0.3448275625705719f, 0},
               {0.3448275923728943f, 1},
               {0.5f, 1},
               {0.6896551251411438f, 1},
               {0.6896551847457886f, 2},
               {0.9f, 2},
               {1.0f, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    AUM effect(nullptr);
    effect.setParameter(kType, c.type);
    const float readBack = effect.getParameter(kType);
    EXPECT_EQ(readBack, representative[c.curve]);
    EXPECT_EQ(display(effect, kType), names[c.curve]);
    effect.setParameter(kType, readBack);  // a host writing back what it read
    EXPECT_EQ(effect.getParameter(kType), representative[c.curve]);
    EXPECT_EQ(display(effect, kType), names[c.curve]);
  }
}

TEST(PluginOneParameters, DisplayTexts) {
  const struct {
    std::int32_t index;
    float value;
    const char* text;
  } cases[] = {
      {kMix, 0.0f, " 0 %"},           {kMix, 0.5f, " 50 %"},
      {kMix, 1.0f, " 100 %"},         {kMix, 0.9f, " 89 %"},
      {kMix, 0.29f, " 28 %"},         {kMix, 1.5f, " 150 %"},
      {kDepth, 0.25f, " 0.250000 "},  {kDepth, 1.0f, " 1.000000 "},
      {kDepth, 0.0f, " 0.000000 "},   {kDepth, 2.0f, " 2.000000 "},
      {kType, 1.1f, "i=3 f=1.100000"}, {kType, -1.0f, "i=-2 f=-1.000000"},
  };
  for (const auto& c : cases) {
    AUM effect(nullptr);
    effect.setParameter(c.index, c.value);
    EXPECT_EQ(display(effect, c.index), c.text) << c.index << " " << c.value;
    char buffer[32] = {};
    EXPECT_EQ(effect.dispatcher(7, c.index, 0, buffer, 0.0f), 0);
    EXPECT_STREQ(buffer, c.text);
    if (c.index != kType) {
      EXPECT_EQ(effect.getParameter(c.index), c.value) << "stored as given";
    }
  }
}

TEST(PluginOneParameters, TypeDisplayOfNonFiniteValuesIsAText) {
  for (float type : {kNaN, kInf, -kInf, 1e9f}) {
    AUM effect(nullptr);
    effect.setParameter(kType, type);
    EXPECT_FALSE(display(effect, kType).empty()) << type;
  }
}

TEST(PluginOneParameters, IndicesOutsideTheTableAreIgnored) {
  for (std::int32_t index : {-1, 3, 4, 100, std::numeric_limits<std::int32_t>::min()}) {
    SCOPED_TRACE(index);
    AUM effect(nullptr);
    configure(effect, 0.6f, 0.4f, 0.5f);
    for (TextOp op : {&AUM::getParameterName, &AUM::getParameterLabel, &AUM::getParameterDisplay}) {
      char buffer[16];
      std::memset(buffer, kFill, sizeof buffer);
      (effect.*op)(index, buffer);
      for (char ch : buffer) EXPECT_EQ(ch, kFill);
    }
    EXPECT_EQ(effect.getParameter(index), 0.0f);
    effect.setParameter(index, 0.77f);
    effect.setProgram(1);
    effect.setProgram(0);
    EXPECT_EQ(effect.getParameter(kDepth), 0.6f);
    EXPECT_EQ(effect.getParameter(kMix), 0.4f);
    EXPECT_EQ(effect.getParameter(kType), 0.5263158f);
    effect.setProgram(1);
    EXPECT_EQ(effect.getParameter(kDepth), 0.25f);
    EXPECT_EQ(effect.getParameter(kType), 0.99f);
  }
}

// --- Library entry -------------------------------------------------------------------

// Approves the version request without allocating, for the allocation counts.
std::intptr_t FX_CDECL approvingHost(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                     void*, float) {
  return opcode == 1 ? 1 : 0;
}

std::intptr_t FX_CDECL refusingHost(AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*,
                                    float) {
  return 0;
}

TEST(PluginOneEntry, RefusesWithoutAHostOrWhenTheHostSaysNo) {
  const auto live = allocation_counter::live();
  EXPECT_EQ(pluginMain(nullptr), nullptr);
  EXPECT_EQ(pluginMain(refusingHost), nullptr);
  EXPECT_EQ(allocation_counter::live(), live) << "nothing is created";

  recording_host::reset(0);
  EXPECT_EQ(pluginMain(recording_host::callback), nullptr);
  ASSERT_EQ(recording_host::requests().size(), 1u);
  EXPECT_EQ(recording_host::requests()[0].opcode, 1);
}

TEST(PluginOneEntry, AsksForTheVersionAndHandsOutTheEffectsRecord) {
  for (std::intptr_t answer : {std::intptr_t{1}, std::intptr_t{2}, std::intptr_t{-1},
                               std::intptr_t{2400}}) {
    SCOPED_TRACE(answer);
    recording_host::reset(answer);
    AEffect* record = pluginMain(recording_host::callback);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(recording_host::requests().size(), 1u);
    const HostRequest& r = recording_host::requests()[0];
    EXPECT_EQ(r.effect, nullptr);
    EXPECT_EQ(r.opcode, 1);
    EXPECT_EQ(r.index, 0);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(r.ptr, nullptr);
    EXPECT_EQ(r.opt, 0.0f);

    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numPrograms, 16);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, 0x14);
    EXPECT_EQ(record->uniqueID, 0x51565231);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(static_cast<AudioEffect*>(record->object)->getAeffect(), record);
    EXPECT_EQ(record->getParameter(record, kDepth), 0.25f);
    EXPECT_EQ(record->dispatcher(record, 1, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(recording_host::requests().size(), 1u) << "closing asks the host nothing";
  }
}

TEST(PluginOneEntry, EachCallCreatesItsOwnEffectAndCloseFreesIt) {
  const auto live = allocation_counter::live();
  AEffect* first = pluginMain(approvingHost);
  AEffect* second = pluginMain(approvingHost);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(first->object, second->object);
  first->setParameter(first, kDepth, 0.8f);
  EXPECT_EQ(second->getParameter(second, kDepth), 0.25f);
  EXPECT_EQ(first->dispatcher(first, 1, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(second->dispatcher(second, 1, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(allocation_counter::live(), live);
}

TEST(PluginOneEntry, AFailedAllocationGivesNullAndLeavesNothingBehind) {
  bool sawFailure = false;
  bool succeeded = false;
  for (std::size_t k = 1; k <= 64 && !succeeded; ++k) {
    const auto live = allocation_counter::live();
    allocation_counter::failAfter(k);
    AEffect* record = pluginMain(approvingHost);
    allocation_counter::failAfter(0);
    if (record) {
      succeeded = true;
      EXPECT_EQ(record->dispatcher(record, 1, 0, 0, nullptr, 0.0f), 1);
      EXPECT_EQ(allocation_counter::live(), live) << "closing frees everything";
    } else {
      sawFailure = true;
      EXPECT_EQ(allocation_counter::live(), live) << "allocation " << k << " failed";
    }
  }
  EXPECT_TRUE(sawFailure);
  EXPECT_TRUE(succeeded);
}

}  // namespace
