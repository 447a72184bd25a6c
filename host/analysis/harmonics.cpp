#include "harmonics.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

double HarmonicSpectrum::thdPercent() const {
  if (amplitudes.empty() || !(amplitudes[0] > 0.0)) return std::numeric_limits<double>::quiet_NaN();
  double sum = 0.0;
  for (std::size_t h = 1; h < amplitudes.size(); ++h) sum += amplitudes[h] * amplitudes[h];
  return 100.0 * std::sqrt(sum) / amplitudes[0];
}

double HarmonicSpectrum::levelDb(std::size_t harmonic) const {
  if (harmonic == 0 || harmonic > amplitudes.size() || !(amplitudes[0] > 0.0)) return -150.0;
  const double ratio = amplitudes[harmonic - 1] / amplitudes[0];
  return ratio > 0.0 ? std::max(20.0 * std::log10(ratio), -150.0) : -150.0;
}

HarmonicSpectrum analyseHarmonics(const std::vector<float>& signal, double sampleRate, double fundamentalHz,
                                  std::size_t harmonics) {
  HarmonicSpectrum result;
  result.fundamentalHz = fundamentalHz;
  const std::size_t n = signal.size();
  if (n < 2) return result;
  std::vector<double> in(signal.begin(), signal.end());
  std::vector<std::complex<double>> out(n / 2 + 1);
  fftw_plan plan = fftw_plan_dft_r2c_1d(static_cast<int>(n), in.data(), reinterpret_cast<fftw_complex*>(out.data()),
                                        FFTW_ESTIMATE);
  fftw_execute(plan);
  fftw_destroy_plan(plan);
  const double binHz = sampleRate / static_cast<double>(n);
  for (std::size_t h = 1; h <= harmonics; ++h) {
    const double hz = fundamentalHz * static_cast<double>(h);
    if (hz >= sampleRate / 2.0) break;
    const auto bin = static_cast<std::size_t>(std::lround(hz / binHz));
    // A sine of amplitude A shows as A * n / 2 in its bin.
    result.amplitudes.push_back(std::abs(out[bin]) * 2.0 / static_cast<double>(n));
  }
  return result;
}
