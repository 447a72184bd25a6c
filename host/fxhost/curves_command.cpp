// fxhost curves PLUGIN --out DIR: for each curve of the plug-in and a few DEPTH (and
// PreAmp) settings, the static transfer curve and the harmonic spectrum of a 1 kHz sine
// with its THD, as CSV files and one PNG drawn by gnuplot.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "curve_figure.h"
#include "curve_parameters.h"
#include "effect_runner.h"
#include "host_callback.h"
#include "parameter_lookup.h"
#include "plugin_loading.h"

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr std::int32_t kBlock = 512;
constexpr double kSineHz = 1000.0;
// The ramp runs over one second, slow enough for an effect with memory to follow it; the
// curve keeps every kRampStride-th point.
constexpr std::size_t kRampSamples = 48001, kRampStride = 80;
// The sine is analysed over one second (a whole number of periods) after a warm-up.
constexpr std::size_t kWarmUp = 4800, kAnalysed = 48000;
constexpr std::size_t kHarmonics = 20;

std::string number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(v));
  return text;
}

class CurvesCommand : public Command {
 public:
  explicit CurvesCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("PLUGIN", pluginPath, "plug-in library (.so)")->required();
    sub->add_option("--out", outDir, "directory for the CSV files and the PNG")->required();
    sub->add_option("--set", settings, "fix a parameter, by index or name (MIX is 0 unless set)");
    sub->add_option("--level", level, "peak level of the test sine")->capture_default_str()->check(CLI::Range(0.001, 1.5));
  }

  ExitStatus run() override {
    OpenedPlugin plugin = openPluginOrFail(pluginPath);
    const CurveParameters params = findCurveParameters(plugin.instance);
    const PluginEntryProc entry = plugin.library->entry(plugin.entryName);

    // What stays fixed: the user's settings, and MIX at 0 so the shaper is heard alone.
    std::vector<std::pair<std::int32_t, float>> fixed;
    bool mixSet = false, depthSet = false, preAmpSet = false, curveSet = false;
    std::string fixedText;
    for (const std::string& s : settings) {
      const ParameterSetting setting = splitSetting(s);
      const std::int32_t index = findParameter(setting.parameter, params.names);
      fixed.emplace_back(index, parseParameterValue(setting.value, setting.parameter));
      mixSet |= index == params.mix;
      depthSet |= index == params.depth;
      preAmpSet |= index == params.preAmp;
      curveSet |= index == params.curve;
      fixedText += " " + trimTrailingBlanks(params.names[static_cast<std::size_t>(index)]) + "=" + number(fixed.back().second);
    }
    if (params.mix >= 0 && !mixSet) {
      fixed.emplace_back(params.mix, 0.0f);
      fixedText += " MIX=0";
      std::printf("MIX set to 0 so that the shaped signal is heard alone (--set MIX=VALUE to change)\n");
    }

    std::vector<CurveChoice> curves = params.curves;
    if (curves.empty() || curveSet) curves = {{"", 0.0f}};
    const std::vector<float> depths = params.depth >= 0 && !depthSet ? std::vector<float>{0.0f, 0.5f, 1.0f} : std::vector<float>{-1.0f};
    const std::vector<float> preAmps = params.preAmp >= 0 && !preAmpSet ? std::vector<float>{0.0f, 0.5f} : std::vector<float>{-1.0f};

    CurveFigure figure;
    const std::string stem = std::filesystem::path(pluginPath).stem().string();
    figure.title = stem + (fixedText.empty() ? "" : ":" + fixedText) + ", sine " + number(level) + " at 1 kHz";
    for (const CurveChoice& c : curves) figure.curves.push_back(c.label);
    if (figure.curves.size() == 1 && figure.curves[0].empty()) figure.curves.clear();

    std::printf("%-10s %-24s %s\n", "curve", "setting", "THD");
    for (const CurveChoice& curve : curves) {
      for (float depth : depths) {
        for (float preAmp : preAmps) {
          CurveSeries series;
          series.curve = curve.label;
          if (depth >= 0.0f) series.setting += "DEPTH " + number(depth);
          if (preAmp >= 0.0f) series.setting += std::string(series.setting.empty() ? "" : " ") + "PreAmp " + number(preAmp);
          if (series.setting.empty()) series.setting = "as set";
          auto configured = [&] {
            EffectInstance fx(entry, host_callback::answer);
            if (!fx.hasValidMagic()) throw CommandError(ExitStatus::EntryReturnedNull, "the plug-in gave no second instance");
            startEffect(fx, kSampleRate, kBlock);
            for (const auto& f : fixed) fx.set(f.first, f.second);
            if (params.curve >= 0 && !curveSet) fx.set(params.curve, curve.value);
            if (depth >= 0.0f) fx.set(params.depth, depth);
            if (preAmp >= 0.0f) fx.set(params.preAmp, preAmp);
            return fx;
          };
          measureTransfer(configured(), series);
          measureSpectrum(configured(), series);
          char thd[32];
          std::snprintf(thd, sizeof thd, "%.4g %%", series.spectrum.thdPercent());
          std::printf("%-10s %-24s %s\n", curve.label.c_str(), series.setting.c_str(), thd);
          figure.series.push_back(std::move(series));
        }
      }
    }

    std::error_code ignored;
    std::filesystem::create_directories(outDir, ignored);
    std::vector<std::string> written;
    try {
      written = writeCurveData(figure, outDir, stem);
    } catch (const std::runtime_error& e) {
      throw CommandError(ExitStatus::OutputUnwritable, e.what());
    }
    for (const std::string& f : written) std::printf("wrote %s\n", f.c_str());
    const std::string problem = drawCurveFigure(outDir, stem);
    if (!problem.empty()) throw CommandError(ExitStatus::PlotFailed, problem);
    std::printf("wrote %s/%s_curves.png\n", outDir.c_str(), stem.c_str());
    return ExitStatus::Ok;
  }

 private:
  static void measureTransfer(const EffectInstance& fx, CurveSeries& series) {
    std::vector<float> ramp(kRampSamples);
    for (std::size_t i = 0; i < kRampSamples; ++i)
      ramp[i] = static_cast<float>(-1.5 + 3.0 * static_cast<double>(i) / static_cast<double>(kRampSamples - 1));
    const auto out = runThrough(fx, ramp, kBlock);
    for (std::size_t i = 0; i < kRampSamples; i += kRampStride) {
      series.input.push_back(ramp[i]);
      series.output.push_back(out.empty() ? 0.0f : out[0][i]);
    }
  }

  void measureSpectrum(const EffectInstance& fx, CurveSeries& series) const {
    std::vector<float> sine(kWarmUp + kAnalysed);
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < sine.size(); ++i)
      sine[i] = static_cast<float>(level * std::sin(2.0 * pi * kSineHz * static_cast<double>(i) / kSampleRate));
    const auto out = runThrough(fx, sine, kBlock);
    const std::vector<float> analysed =
        out.empty() ? std::vector<float>(kAnalysed) : std::vector<float>(out[0].begin() + kWarmUp, out[0].end());
    series.spectrum = analyseHarmonics(analysed, kSampleRate, kSineHz, kHarmonics);
  }

  std::string pluginPath, outDir;
  std::vector<std::string> settings;
  double level = 0.9;
};

}  // namespace

std::unique_ptr<Command> addCurvesCommand(CLI::App& app) {
  return std::make_unique<CurvesCommand>(
      app.add_subcommand("curves", "draw the transfer curves and harmonic spectra of a plug-in (CSV and PNG)"));
}
