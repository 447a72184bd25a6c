// The harmonic content of an effect's answer to a sine: amplitudes of the fundamental and
// its harmonics from one FFT over a whole number of periods, and the total harmonic
// distortion.
#pragma once

#include <vector>

struct HarmonicSpectrum {
  double fundamentalHz = 0.0;
  std::vector<double> amplitudes;  // [0] the fundamental, [h-1] harmonic h; linear, full scale 1
  // Root sum of the squares of harmonics 2.. over the fundamental, in percent; NaN when
  // the fundamental is absent.
  double thdPercent() const;
  // Harmonic h's level relative to the fundamental in dB, floored at -150.
  double levelDb(std::size_t harmonic) const;
};

// Analyses `signal`, sampled at `sampleRate`, at `fundamentalHz` and up to `harmonics`
// harmonics below half the sample rate. The signal should hold a whole number of periods
// (then no window is needed and every harmonic falls on one bin). Allocates.
HarmonicSpectrum analyseHarmonics(const std::vector<float>& signal, double sampleRate, double fundamentalHz,
                                  std::size_t harmonics);
