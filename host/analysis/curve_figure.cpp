#include "curve_figure.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace {

std::ofstream openFile(const std::string& path) {
  std::ofstream file(path, std::ios::trunc);
  if (!file) throw std::runtime_error("cannot write " + path);
  file.precision(9);
  return file;
}

void finish(std::ofstream& file, const std::string& path) {
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

// A CSV field: quoted when it holds a comma or a quote.
std::string field(const std::string& text) {
  if (text.find_first_of(",\"") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// A gnuplot string literal (single quotes, which take no escapes but a doubled quote).
std::string literal(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string thdText(double thd) {
  if (std::isnan(thd)) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%.3g %%", thd);
  return text;
}

}  // namespace

std::vector<std::string> writeCurveData(const CurveFigure& figure, const std::string& dir, const std::string& stem) {
  const std::string base = dir + "/" + stem;
  const std::string transferPath = base + "_transfer.csv", spectrumPath = base + "_spectrum.csv",
                    thdPath = base + "_thd.csv", dataPath = base + "_plot.dat", scriptPath = base + "_plot.gp";

  std::ofstream transfer = openFile(transferPath);
  transfer << "curve,setting,input,output\n";
  std::ofstream spectrum = openFile(spectrumPath);
  spectrum << "curve,setting,harmonic,frequency_hz,amplitude,level_db\n";
  std::ofstream thd = openFile(thdPath);
  thd << "curve,setting,thd_percent\n";
  // gnuplot's data: one block per series (transfer points, then harmonic levels), blocks
  // apart by two blank lines so that `index` picks them.
  std::ofstream data = openFile(dataPath);
  for (const CurveSeries& s : figure.series) {
    const std::string key = field(s.curve) + "," + field(s.setting) + ",";
    for (std::size_t i = 0; i < s.input.size(); ++i) transfer << key << s.input[i] << "," << s.output[i] << "\n";
    for (std::size_t h = 1; h <= s.spectrum.amplitudes.size(); ++h)
      spectrum << key << h << "," << s.spectrum.fundamentalHz * static_cast<double>(h) << ","
               << s.spectrum.amplitudes[h - 1] << "," << s.spectrum.levelDb(h) << "\n";
    thd << key << s.spectrum.thdPercent() << "\n";
    for (std::size_t i = 0; i < s.input.size(); ++i) data << s.input[i] << " " << s.output[i] << "\n";
    data << "\n\n";
    for (std::size_t h = 1; h <= s.spectrum.amplitudes.size(); ++h) data << h << " " << s.spectrum.levelDb(h) << "\n";
    data << "\n\n";
  }
  finish(transfer, transferPath);
  finish(spectrum, spectrumPath);
  finish(thd, thdPath);
  finish(data, dataPath);

  std::ofstream script = openFile(scriptPath);
  const std::size_t columns = figure.curves.empty() ? 1 : figure.curves.size();
  script << "# Draws " << stem << "_curves.png from " << stem << "_plot.dat: gnuplot " << stem << "_plot.gp\n"
         << "set terminal pngcairo size " << 460 * columns + 80 << ",820 font ',10'\n"
         << "set output " << literal(base + "_curves.png") << "\n"
         << "set termoption noenhanced\n"
         << "set multiplot layout 2," << columns << " title " << literal(figure.title) << "\n"
         << "set grid\nset key font ',8'\n";
  for (int row = 0; row < 2; ++row) {
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string curve = figure.curves.empty() ? "" : figure.curves[c];
      if (row == 0) {
        script << "set title " << literal(curve.empty() ? "transfer curve" : "curve " + curve + ": transfer") << "\n"
               << "set xlabel 'input'\nset ylabel 'output'\nset xrange [-1.5:1.5]\nset yrange [-1.1:1.1]\n"
               << "set style data lines\nset key top left\n";
      } else {
        script << "set title " << literal(curve.empty() ? "harmonics of 1 kHz" : "curve " + curve + ": harmonics of 1 kHz")
               << "\nset xlabel 'harmonic'\nset ylabel 'level relative to the fundamental (dB)'\n"
               << "set xrange [0.5:20.5]\nset yrange [-150:5]\nset key top right\n";
      }
      std::vector<std::size_t> shown;
      for (std::size_t i = 0; i < figure.series.size(); ++i)
        if (figure.series[i].curve == curve) shown.push_back(i);
      std::string plot;
      for (std::size_t k = 0; k < shown.size(); ++k) {
        const std::size_t i = shown[k];
        const CurveSeries& s = figure.series[i];
        const std::string title = row == 0 ? s.setting : s.setting + ", THD " + thdText(s.spectrum.thdPercent());
        // Harmonic levels as bars rising from the floor, the series side by side.
        char bars[96];
        std::snprintf(bars, sizeof bars, "using ($1%+.3f):(-150):(0):($2+150) with vectors nohead lw 3",
                      (static_cast<double>(k) - static_cast<double>(shown.size() - 1) / 2.0) * 0.8 /
                          static_cast<double>(shown.size()));
        plot += (plot.empty() ? "plot " : ", ") + literal(dataPath) + " index " + std::to_string(2 * i + row) + " " +
                (row == 0 ? std::string("using 1:2") : std::string(bars)) + " title " + literal(title);
      }
      script << (plot.empty() ? "plot 0 notitle" : plot) << "\n";
    }
  }
  script << "unset multiplot\n";
  finish(script, scriptPath);
  return {transferPath, spectrumPath, thdPath, dataPath, scriptPath};
}

std::string drawCurveFigure(const std::string& dir, const std::string& stem) {
  const std::string script = dir + "/" + stem + "_plot.gp";
  char program[] = "gnuplot";
  std::vector<char> scriptArg(script.begin(), script.end());
  scriptArg.push_back('\0');
  char* argv[] = {program, scriptArg.data(), nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, "gnuplot", nullptr, nullptr, argv, environ) != 0)
    return "gnuplot not found (Debian package gnuplot-nox; scripts/install-deps.sh demo installs it)";
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "gnuplot failed on " + script;
  return "";
}
