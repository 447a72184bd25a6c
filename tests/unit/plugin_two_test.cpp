// Plug-in two's classes on their own: the curve table, the shaper, the stereo processing,
// the parameters and the program bank, and construction under memory exhaustion.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "aum.h"
#include "dsp/fuzz_table.h"
#include "dsp/shaper.h"
#include "entry.h"

namespace {

using quorv1_02::AUM;
using quorv1_02::FuzzTable;
using quorv1_02::kDepth;
using quorv1_02::kFuzzRowLength;
using quorv1_02::kMix;
using quorv1_02::kPreAmp;
using quorv1_02::kType;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// Type values that select curves 0, 1 and 2.
constexpr float kCurveType[] = {0.0f, 0.5f, 1.0f};

float entry(int row, std::size_t k) { return FuzzTable[static_cast<std::size_t>(row) * kFuzzRowLength + k]; }

std::string text(void (AUM::*op)(std::int32_t, char*), AUM& fx, std::int32_t index) {
  char buffer[256];
  std::memset(buffer, 0x55, sizeof buffer);
  (fx.*op)(index, buffer);
  EXPECT_NE(std::memchr(buffer, 0, sizeof buffer), nullptr) << "text not terminated";
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

// One stereo frame through processReplacing.
std::pair<float, float> processFrame(AUM& fx, float x0, float x1) {
  float in0[] = {x0}, in1[] = {x1}, out0[] = {0.0f}, out1[] = {0.0f};
  float* in[] = {in0, in1};
  float* out[] = {out0, out1};
  fx.processReplacing(in, out, 1);
  return {out0[0], out1[0]};
}

void setAll(AUM& fx, float type, float preAmp, float depth, float mix) {
  fx.setParameter(kType, type);
  fx.setParameter(kPreAmp, preAmp);
  fx.setParameter(kDepth, depth);
  fx.setParameter(kMix, mix);
}

TEST(PluginTwoCurves, HoldTheirCheckValues) {
  AUM fx(nullptr);
  struct Case { int row; std::size_t k; double expected; };
  const Case cases[] = {
      {0, 256, 0.5},       {0, 511, 0.333768},  {0, 512, 1.0 / 3},  {0, 2047, 0.111159},
      {1, 256, 2.0 / 3},   {1, 511, 0.334203},  {1, 512, 1.0 / 3},  {1, 2047, 0.0303317},
      {2, 256, 8.0 / 9},   {2, 511, 0.501466},  {2, 512, 0.5},      {2, 2047, 0.0154068},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(entry(c.row, c.k), c.expected, 5e-7) << "row " << c.row << " k " << c.k;
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(entry(row, 0), 1.0f) << row;
    // Steadily falling; the cubic curve starts out flatter than a float can show.
    for (std::size_t k = 1; k < kFuzzRowLength; ++k)
      ASSERT_TRUE(entry(row, k) > 0.0f && entry(row, k) <= entry(row, k - 1)) << row << " " << k;
  }
}

// A construction while another instance processes must not write the shared table, not
// even its own values: only the first construction in the process fills it.
TEST(PluginTwoCurves, OnlyTheFirstConstructionFillsTheTable) {
  AUM first(nullptr);
  const float kept = FuzzTable[7];
  FuzzTable[7] = -1.0f;
  AUM second(nullptr);
  EXPECT_EQ(FuzzTable[7], -1.0f);
  FuzzTable[7] = kept;
}

TEST(PluginTwoShaper, GivesTheCurvesExamples) {
  AUM fx(nullptr);
  struct Case { int curve; float depth, x; double expected; };
  const Case cases[] = {
      {0, 1.0f, 0.01f, 0.014706}, {0, 1.0f, 0.1f, 0.125041}, {0, 1.0f, 0.5f, 0.375367},
      {0, 1.0f, 1.0f, 0.500658},  {0, 1.0f, 2.0f, 1.001317}, {1, 1.0f, 0.1f, 0.147070},
      {1, 1.0f, 0.5f, 0.500651},  {1, 1.0f, 0.75f, 0.530508}, {1, 1.0f, 1.0f, 0.501317},
      {2, 1.0f, 0.01f, 0.010000}, {2, 1.0f, 0.5f, 0.444733}, {2, 1.0f, 1.0f, 0.501481},
      {0, 0.5f, 0.5f, 0.333551},  {0, 0.5f, 1.0f, 0.500489},
      // Without drive every curve halves the sample.
      {0, 0.0f, 0.8f, 0.4},       {1, 0.0f, 3.0f, 1.5},      {2, 0.0f, 0.01f, 0.005},
  };
  for (const Case& c : cases) {
    fx.setParameter(kType, kCurveType[c.curve]);
    fx.setParameter(kDepth, c.depth);
    for (float sign : {1.0f, -1.0f})
      EXPECT_NEAR(fx.Fuzz(sign * c.x), sign * c.expected, 1e-6)
          << "curve " << c.curve << " depth " << c.depth << " x " << sign * c.x;
  }
}

TEST(PluginTwoShaper, SmallSamplesGainAndLoudOnesGrowLinearly) {
  AUM fx(nullptr);
  fx.setParameter(kDepth, 1.0f);
  const double smallGain[] = {1.5, 1.5, 1.0};
  for (int curve = 0; curve < 3; ++curve) {
    fx.setParameter(kType, kCurveType[curve]);
    EXPECT_NEAR(fx.Fuzz(1e-6f) / 1e-6, smallGain[curve], 1e-3) << curve;
    // Past the position limit the gain holds at its value there.
    EXPECT_NEAR(fx.Fuzz(1000.0f) / 1000.0, fx.Fuzz(2.0f) / 2.0, 1e-12) << curve;
    EXPECT_TRUE(std::isfinite(fx.Fuzz(FLT_MAX))) << curve;
  }
}

TEST(PluginTwoShaper, SmoothCurvesPeakBeforeFullScale) {
  AUM fx(nullptr);
  fx.setParameter(kDepth, 1.0f);
  const double peakAt[] = {0.71, 0.80};
  for (int curve = 1; curve <= 2; ++curve) {
    fx.setParameter(kType, kCurveType[curve]);
    float best = 0.0f;
    for (int k = 1; k <= 1000; ++k)
      if (fx.Fuzz(k / 1000.0f) > fx.Fuzz(best)) best = k / 1000.0f;
    EXPECT_NEAR(best, peakAt[curve - 1], 0.01) << curve;
    EXPECT_NEAR(fx.Fuzz(1.0f), 0.5, 0.002) << curve;
  }
}

// Out-of-range parameters reach the table's edges and no further: the position stops at
// its limit (entries 510 and 511, 0.99 between them) and the reference at entry 0 or 2047.
TEST(PluginTwoShaper, HostileParametersReadOnlyTheTablesEdges) {
  AUM fx(nullptr);
  // The gain interpolated at a position, as the curve's entries give it.
  auto gainAt = [](int row, double position) {
    const auto i = static_cast<std::size_t>(position);
    return entry(row, i) + (position - i) * (static_cast<double>(entry(row, i + 1)) - entry(row, i));
  };
  const double limit = 510.99f;
  struct Case { float type, depth, x; int row; std::size_t reference; double position; };
  const Case cases[] = {
      {0.0f, 1e30f, 0.5f, 0, 2047, limit},  {0.5f, kInf, 0.5f, 1, 2047, limit},
      {1.0f, kNaN, 0.5f, 2, 0, limit},      {0.0f, 5.0f, 1e-3f, 0, 2047, 511.0 * 5.0 * 1e-3f},
      {kNaN, 1e30f, 0.5f, 0, 2047, limit},  {-3.0f, kNaN, 0.25f, 0, 0, limit},
      {1e9f, 1e30f, -0.5f, 2, 2047, limit}, {kInf, -1.0f, 0.5f, 2, 0, 255.5},
  };
  for (const Case& c : cases) {
    fx.setParameter(kType, c.type);
    fx.setParameter(kDepth, c.depth);
    const double expected = static_cast<double>(c.x) / entry(c.row, c.reference) * gainAt(c.row, c.position) * 0.5;
    EXPECT_NEAR(fx.Fuzz(c.x), expected, 1e-9 * std::fabs(expected))
        << "type " << c.type << " depth " << c.depth << " x " << c.x;
  }
  // A silent sample stays silent at any drive.
  fx.setParameter(kDepth, kInf);
  EXPECT_EQ(fx.Fuzz(0.0f), 0.0);
}

TEST(PluginTwoProcessing, AmplifiesShapesBlendsAndClips) {
  AUM fx(nullptr);
  struct Case { int curve; float preAmp, depth, mix, x; double expected; };
  const Case cases[] = {
      // MIX 1 is the clean signal, clipped, whatever the rest.
      {0, 1.0f, 1.0f, 1.0f, 0.3f, 0.3},       {2, 0.5f, 0.7f, 1.0f, 2.0f, 1.0},
      {1, 0.0f, 0.2f, 1.0f, -5.0f, -1.0},
      // Without drive the output is half the amplified input.
      {0, 0.0f, 0.0f, 0.0f, 0.8f, 0.4},       {0, 1.0f, 0.0f, 0.0f, 0.8f, 0.8},
      {1, 0.5f, 0.0f, 0.0f, -0.4f, -0.3},
      // The pre-amp doubles the sample before the shaper.
      {0, 1.0f, 1.0f, 0.0f, 0.25f, 0.375367}, {0, 1.0f, 1.0f, 0.0f, 0.5f, 0.500658},
      {0, 1.0f, 1.0f, 0.0f, 1.0f, 1.0},       {0, 1.0f, 1.0f, 0.0f, -1.0f, -1.0},
      // The dry share is the sample before the pre-amp.
      {1, 0.0f, 1.0f, 0.5f, 0.1f, 0.123535},  {0, 1.0f, 0.0f, 0.5f, 0.6f, 0.6},
  };
  for (const Case& c : cases) {
    setAll(fx, kCurveType[c.curve], c.preAmp, c.depth, c.mix);
    const auto y = processFrame(fx, c.x, -c.x);
    EXPECT_NEAR(y.first, c.expected, 1e-6) << "curve " << c.curve << " x " << c.x;
    EXPECT_NEAR(y.second, -c.expected, 1e-6) << "curve " << c.curve << " x " << -c.x;
  }
}

TEST(PluginTwoProcessing, ChannelsAreIndependent) {
  AUM fx(nullptr);
  setAll(fx, 1.0f, 1.0f, 1.0f, 0.3f);
  for (float other : {0.0f, 0.5f, -1.0f, 7.0f, kNaN, kInf}) {
    EXPECT_EQ(processFrame(fx, 0.0f, other).first, 0.0f) << other;
    EXPECT_EQ(processFrame(fx, other, 0.0f).second, 0.0f) << other;
    EXPECT_EQ(processFrame(fx, 0.2f, other).first, processFrame(fx, 0.2f, 0.0f).first) << other;
  }
}

TEST(PluginTwoProcessing, NonFiniteSamplesStayInRange) {
  AUM fx(nullptr);
  setAll(fx, 0.0f, 0.5f, 1.0f, 0.0f);
  struct Case { float x; double expected; };
  // Infinities act as the largest finite samples, which the clip brings to full scale.
  const Case cases[] = {{kNaN, 0.0}, {-kNaN, 0.0}, {kInf, 1.0}, {-kInf, -1.0},
                        {FLT_MAX, 1.0}, {-FLT_MAX, -1.0}};
  for (const Case& c : cases) {
    const auto y = processFrame(fx, c.x, c.x);
    EXPECT_EQ(y.first, c.expected) << c.x;
    EXPECT_EQ(y.second, c.expected) << c.x;
  }
}

TEST(PluginTwoParameters, NamesLabelsDisplaysAndReadBack) {
  AUM fx(nullptr);
  const char* const names[] = {"Type", "PreAmp  \t       ", "DEPTH  \t       ", "MIX"};
  const char* const labels[] = {"    ", "       ", "       ", "FX<->Clean"};
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(text(&AUM::getParameterName, fx, i), names[i]);
    EXPECT_EQ(text(&AUM::getParameterLabel, fx, i), labels[i]);
  }
  EXPECT_EQ(std::strlen(names[kPreAmp]), 16u);

  struct Case { std::int32_t index; float value; const char* display; float readBack; };
  const Case cases[] = {
      {kType, 0.0f, "Dist      ", 0.0f},   {kType, 0.5f, "Valve     ", 0.5263158f},
      {kType, 1.0f, "Tape      ", 0.99f},  {kType, 0.3448275625705719f, "Dist      ", 0.0f},
      {kType, 0.3448275923728943f, "Valve     ", 0.5263158f},
      {kType, 0.6896551251411438f, "Valve     ", 0.5263158f},
      {kType, 0.6896551847457886f, "Tape      ", 0.99f},
      {kType, 1.1f, "i=3 f=1.100000", 0.99f}, {kType, -0.5f, "i=-1 f=-0.500000", -0.5263158f},
      {kPreAmp, 0.0f, " 1.000000 ", 0.0f},  {kPreAmp, 0.5f, " 1.500000 ", 0.5f},
      {kPreAmp, 1.0f, " 2.000000 ", 1.0f},  {kPreAmp, 3.0f, " 4.000000 ", 3.0f},
      {kDepth, 0.25f, " 0.250000 ", 0.25f}, {kDepth, 1.0f, " 1.000000 ", 1.0f},
      {kDepth, -2.5f, " -2.500000 ", -2.5f},
      {kMix, 0.0f, " 0 %", 0.0f},           {kMix, 0.5f, " 50 %", 0.5f},
      {kMix, 1.0f, " 100 %", 1.0f},         {kMix, 0.9f, " 89 %", 0.9f},
      {kMix, 0.29f, " 28 %", 0.29f},
  };
  for (const Case& c : cases) {
    fx.setParameter(c.index, c.value);
    EXPECT_EQ(text(&AUM::getParameterDisplay, fx, c.index), c.display) << c.index << " " << c.value;
    EXPECT_EQ(fx.getParameter(c.index), c.readBack) << c.index << " " << c.value;
  }
  // Writing back what the host read keeps the curve.
  for (float type : {0.1f, 0.5f, 0.95f}) {
    fx.setParameter(kType, type);
    const std::string shown = text(&AUM::getParameterDisplay, fx, kType);
    fx.setParameter(kType, fx.getParameter(kType));
    EXPECT_EQ(text(&AUM::getParameterDisplay, fx, kType), shown) << type;
  }
}

TEST(PluginTwoParameters, OtherIndicesStoreNothingAndWriteNothing) {
  AUM fx(nullptr);
  setAll(fx, 0.5f, 0.3f, 0.4f, 0.6f);
  for (std::int32_t index : {4, 5, -1, 1000}) {
    fx.setParameter(index, 0.9f);
    EXPECT_EQ(fx.getParameter(index), 0.0f) << index;
    for (auto op : {&AUM::getParameterName, &AUM::getParameterLabel, &AUM::getParameterDisplay}) {
      char buffer[16];
      std::memset(buffer, 0x5A, sizeof buffer);
      (fx.*op)(index, buffer);
      for (char b : buffer) ASSERT_EQ(b, 0x5A) << "index " << index;
    }
  }
  const float expected[] = {0.5263158f, 0.3f, 0.4f, 0.6f};
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(fx.getParameter(i), expected[i]) << i;
  fx.setProgram(1);
  fx.setProgram(0);
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(fx.getParameter(i), expected[i]) << i;
}

// Records the order in which a program switch hands its values to setParameter.
class ParameterOrder : public AUM {
 public:
  using AUM::AUM;
  void setParameter(std::int32_t index, float value) override {
    order.push_back(index);
    AUM::setParameter(index, value);
  }
  std::vector<std::int32_t> order;
};

TEST(PluginTwoPrograms, StartFromTheDefaultsAndLoadTypeLast) {
  ParameterOrder fx(nullptr);
  EXPECT_EQ(fx.getProgram(), 0);
  for (std::int32_t p = 0; p < 16; ++p) {
    fx.setProgram(p);
    char name[32];
    fx.getProgramName(name);
    EXPECT_STREQ(name, "Quorvelandix.02") << p;
    EXPECT_EQ(fx.getParameter(kDepth), 0.25f) << p;
    EXPECT_EQ(fx.getParameter(kType), 0.99f) << p;
    EXPECT_EQ(text(&AUM::getParameterDisplay, fx, kType), "Tape      ");
    EXPECT_EQ(fx.getParameter(kPreAmp), 1.0f) << p;
    EXPECT_EQ(fx.getParameter(kMix), 0.0f) << p;
  }
  fx.order.clear();
  fx.setProgram(3);
  EXPECT_EQ(fx.order, (std::vector<std::int32_t>{kDepth, kPreAmp, kMix, kType}));
}

TEST(PluginTwoPrograms, KeepWhatWasSetWhileCurrent) {
  AUM fx(nullptr);
  fx.setProgram(1);
  setAll(fx, 0.1f, 0.6f, 0.7f, 0.2f);
  fx.setProgram(2);
  EXPECT_EQ(fx.getParameter(kPreAmp), 1.0f);
  EXPECT_EQ(fx.getParameter(kType), 0.99f);
  fx.setProgram(1);
  fx.setProgram(1);  // selecting the current program again changes nothing
  const float expected[] = {0.0f, 0.6f, 0.7f, 0.2f};
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(fx.getParameter(i), expected[i]) << i;
  EXPECT_EQ(text(&AUM::getParameterDisplay, fx, kType), "Dist      ");
}

TEST(PluginTwoPrograms, NamesAreCutTo23Characters) {
  AUM fx(nullptr);
  const std::string twentyThree = "abcdefghijklmnopqrstuvw";
  struct Case { std::string given, kept; };
  const Case cases[] = {{"", ""}, {"Crunch", "Crunch"}, {twentyThree, twentyThree},
                        {twentyThree + "x", twentyThree}, {std::string(300, 'n'), std::string(23, 'n')}};
  for (const Case& c : cases) {
    fx.setProgram(5);
    std::vector<char> given(c.given.begin(), c.given.end());
    given.push_back(0);
    fx.setProgramName(given.data());
    fx.setProgram(6);
    fx.setProgram(5);
    char name[64];
    std::memset(name, 0x55, sizeof name);
    fx.getProgramName(name);
    EXPECT_EQ(std::string(name), c.kept);
    fx.setProgram(4);
    fx.getProgramName(name);
    EXPECT_STREQ(name, "Quorvelandix.02");
  }
}

TEST(PluginTwoPrograms, VuIsAlwaysZero) {
  AUM fx(nullptr);
  EXPECT_EQ(fx.getVu(), 0.0f);
  processFrame(fx, 0.9f, -0.9f);
  EXPECT_EQ(fx.getVu(), 0.0f);
  EXPECT_EQ(fx.getVu(), 0.0f);
}

std::intptr_t FX_CDECL versionOnlyHost(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                       void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(PluginTwoEntry, RefusesWithoutAHost) { EXPECT_EQ(pluginMain(nullptr), nullptr); }

// Every allocation that construction makes is failed in turn; each failure gives no
// effect and leaves nothing allocated.
TEST(PluginTwoEntry, OutOfMemoryLeavesNothingBehind) {
  for (std::size_t k = 1;; ++k) {
    ASSERT_LT(k, 100u) << "construction never succeeded";
    const std::ptrdiff_t before = allocation_counter::live();
    allocation_counter::failAfter(k);
    AEffect* e = pluginMain(versionOnlyHost);
    allocation_counter::failAfter(0);
    if (e) {
      EXPECT_GT(k, 1u) << "construction allocates";
      EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
      EXPECT_EQ(allocation_counter::live(), before);
      break;
    }
    EXPECT_EQ(allocation_counter::live(), before) << "allocation " << k << " failed";
  }
}

}  // namespace
