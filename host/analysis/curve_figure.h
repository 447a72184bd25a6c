// Writes the curves of one plug-in as CSV files and draws them into one PNG with gnuplot:
// a column per curve, the transfer curves above and the harmonic levels below.
#pragma once

#include <string>
#include <vector>

#include "harmonics.h"

struct CurveSeries {
  std::string curve;    // the curve's label ("" when the effect has one)
  std::string setting;  // e.g. "DEPTH 0.5 PreAmp 0"
  std::vector<float> input, output;  // the transfer curve's points
  HarmonicSpectrum spectrum;
};

struct CurveFigure {
  std::string title;  // plug-in and fixed settings
  std::vector<std::string> curves;  // column order
  std::vector<CurveSeries> series;
};

// Writes STEM_transfer.csv, STEM_spectrum.csv and STEM_thd.csv into `dir`, and the data
// and script that gnuplot reads; returns the files written. Throws std::runtime_error
// when a file cannot be written.
std::vector<std::string> writeCurveData(const CurveFigure& figure, const std::string& dir, const std::string& stem);

// Runs gnuplot on the script writeCurveData wrote, giving STEM_curves.png. Returns an
// empty string on success, else what went wrong.
std::string drawCurveFigure(const std::string& dir, const std::string& stem);
