// Level figures of a render.
#include <gtest/gtest.h>

#include <cmath>

#include "signal_stats.h"

TEST(SignalStats, PeakRmsCrestAndFullScaleOfKnownSignals) {
  SignalStats square;
  const float block[] = {1.0f, -1.0f, 1.0f, -1.0f};
  square.add(block, 4);
  square.add(block, 2);
  EXPECT_EQ(square.samples(), 6u);
  EXPECT_EQ(square.peak(), 1.0);
  EXPECT_EQ(square.rms(), 1.0);
  EXPECT_EQ(square.crestFactor(), 1.0);
  EXPECT_EQ(square.fullScaleSamples(), 6u);
  EXPECT_EQ(square.fullScalePercent(), 100.0);

  SignalStats mixed;
  const float samples[] = {0.0f, 0.5f, -0.5f, 1.25f, 0.999f};
  mixed.add(samples, 5);
  EXPECT_EQ(mixed.peak(), 1.25);
  EXPECT_NEAR(mixed.rms(), std::sqrt((0.25 + 0.25 + 1.5625 + 0.998001) / 5.0), 1e-7);
  EXPECT_EQ(mixed.fullScaleSamples(), 1u);
  EXPECT_EQ(mixed.fullScalePercent(), 20.0);
}

TEST(SignalStats, SilenceHasNoCrestAndMinusInfinityDecibels) {
  SignalStats silence;
  const float zeros[8] = {};
  silence.add(zeros, 8);
  EXPECT_EQ(silence.rms(), 0.0);
  EXPECT_EQ(silence.crestFactor(), 0.0);
  EXPECT_TRUE(std::isinf(toDecibels(silence.peak())));
  EXPECT_NEAR(toDecibels(0.5), -6.0206, 1e-4);
  EXPECT_EQ(SignalStats().fullScalePercent(), 0.0);
}
