// fxhost render PLUGIN INPUT OUTPUT: runs an audio file through an effect the way a host
// plays it: open, sample rate, block size, resume, blocks, suspend, close.
#include <algorithm>
#include <chrono>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>

#include "audio_file.h"
#include "channel_map.h"
#include "command.h"
#include "effect_description.h"
#include "parameter_lookup.h"
#include "plugin_loading.h"
#include "progress_bar.h"
#include "render_summary.h"

namespace {

struct RenderOptions {
  std::string plugin, input, output, summaryJson;
  std::optional<int> program;
  std::vector<std::string> settings;
  int blockSize = 512;
  int channel = 0;
  bool accumulate = false, downmix = false, asFloat = false, overwrite = false, quiet = false;
};

void selectProgram(const EffectInstance& fx, std::optional<int> chosen) {
  if (!chosen) return;
  const int program = *chosen;
  if (program < 0 || program >= fx->numPrograms)
    throw CommandError(ExitStatus::ProgramOutOfRange,
                       "program " + std::to_string(program) + " is out of range: the plug-in has " +
                           std::to_string(fx->numPrograms) +
                           (fx->numPrograms > 0 ? " (0 to " + std::to_string(fx->numPrograms - 1) + ")" : ""));
  fx.dispatch(effSetProgram, 0, program);
}

void applySettings(const EffectInstance& fx, const std::vector<std::string>& settings) {
  const std::vector<std::string> names = parameterNames(fx);
  for (const std::string& text : settings) {
    const ParameterSetting setting = splitSetting(text);
    const std::int32_t index = findParameter(setting.parameter, names);
    const float value = parseParameterValue(setting.value, setting.parameter);
    if (value < 0.0f || value > 1.0f)
      std::fprintf(stderr, "warning: %s=%g is outside the host range 0 to 1\n", setting.parameter.c_str(),
                   static_cast<double>(value));
    fx.set(index, value);
  }
}

// The blocks: read, spread over the inputs, process, interleave, write. The buffers are
// made once; the loop allocates nothing.
void processBlocks(const EffectInstance& fx, const RenderOptions& o, const ChannelMap& map, AudioReader& reader,
                   AudioWriter& writer, RenderSummary& summary) {
  const auto block = static_cast<std::size_t>(o.blockSize);
  const auto fileChannels = static_cast<std::size_t>(reader.channels());
  const auto outputs = static_cast<std::size_t>(fx->numOutputs);
  std::vector<float> fileBlock(block * fileChannels), outBlock(block * outputs);
  std::vector<std::vector<float>> in(static_cast<std::size_t>(std::max(0, fx->numInputs)), std::vector<float>(block));
  std::vector<std::vector<float>> out(outputs, std::vector<float>(block));
  std::vector<float*> inPtr, outPtr;
  for (auto& c : in) inPtr.push_back(c.data());
  for (auto& c : out) outPtr.push_back(c.data());
  const bool replacing = !o.accumulate && fx.canReplace();
  summary.accumulating = !replacing;

  ProgressBar progress(static_cast<std::uint64_t>(std::max<std::int64_t>(0, reader.frames())), o.quiet);
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const std::size_t frames = reader.read(fileBlock.data(), block);
    if (frames == 0) break;
    summary.in.add(fileBlock.data(), frames * fileChannels);
    feedInputs(map, fileBlock.data(), frames, reader.channels(), in);
    const auto n = static_cast<std::int32_t>(frames);
    if (replacing) {
      fx->processReplacing(fx.get(), inPtr.data(), outPtr.data(), n);
    } else {
      for (auto& c : out) std::fill(c.begin(), c.end(), 0.0f);
      fx->process(fx.get(), inPtr.data(), outPtr.data(), n);
    }
    for (std::size_t f = 0; f < frames; ++f)
      for (std::size_t c = 0; c < outputs; ++c) outBlock[f * outputs + c] = out[c][f];
    summary.out.add(outBlock.data(), frames * outputs);
    writer.write(outBlock.data(), frames);
    summary.frames += frames;
    progress.update(summary.frames);
  }
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  progress.finish();
}

class RenderCommand : public Command {
 public:
  explicit RenderCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("PLUGIN", o.plugin, "the plug-in library (.so)")->required();
    sub->add_option("INPUT", o.input, "audio file to process (WAV, FLAC, AIFF, OGG...)")->required();
    sub->add_option("OUTPUT", o.output, "audio file to write; its extension may choose another format")->required();
    sub->add_option("--program", o.program, "select this program first (counted from 0)")->type_name("N");
    sub->add_option("--set", o.settings, "set a parameter, by index or by name (case and trailing blanks ignored)")
        ->type_name("NAME_OR_INDEX=VALUE")
        ->allow_extra_args(false);
    sub->add_option("--block", o.blockSize, "frames per processing call")
        ->check(CLI::Range(1, 1 << 20))
        ->capture_default_str();
    sub->add_flag("--accumulate", o.accumulate, "process through the accumulating entry into zeroed buffers");
    sub->add_option("--channel", o.channel, "feed this input channel (counted from 1) to every plug-in input")
        ->check(CLI::PositiveNumber);
    sub->add_flag("--downmix", o.downmix, "feed the average of the input's channels to every plug-in input");
    sub->add_flag("--float", o.asFloat, "write 32-bit float samples");
    sub->add_flag("--overwrite", o.overwrite, "replace an existing output file");
    sub->add_flag("-q,--quiet", o.quiet, "no progress bar and no summary");
    sub->add_option("--summary-json", o.summaryJson, "also write the summary as JSON to this file");
  }

  ExitStatus run() override {
    if (!o.overwrite && fileExists(o.output))
      throw CommandError(ExitStatus::OutputExists, o.output + " exists; add --overwrite to replace it");
    AudioReader reader(o.input);
    OpenedPlugin opened = openPluginOrFail(o.plugin);
    const EffectInstance& fx = opened.instance;
    if (fx->numOutputs <= 0) throw CommandError(ExitStatus::NotAPlugin, o.plugin + " has no outputs to render");
    const ChannelMap map = chooseChannelMap(reader.channels(), fx->numInputs, o.channel, o.downmix);
    const int format = chooseOutputFormat(reader.format(), o.output, o.asFloat);

    fx.dispatch(effOpen);
    selectProgram(fx, o.program);
    applySettings(fx, o.settings);
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(reader.sampleRate()));
    fx.dispatch(effSetBlockSize, 0, o.blockSize);

    AudioWriter writer(o.output, format, fx->numOutputs, reader.sampleRate());
    RenderSummary summary;
    summary.plugin = o.plugin;
    summary.input = o.input;
    summary.output = o.output;
    summary.sampleRate = reader.sampleRate();
    summary.blockSize = o.blockSize;
    summary.inputChannels = reader.channels();
    summary.outputChannels = fx->numOutputs;
    summary.outputFormat = describeFormat(format);

    fx.dispatch(effMainsChanged, 0, 1);
    processBlocks(fx, o, map, reader, writer, summary);
    fx.dispatch(effMainsChanged, 0, 0);

    summary.program = static_cast<std::int32_t>(fx.dispatch(effGetProgram));
    summary.programName = fx.text(effGetProgramName);
    summary.parameters = describeParameters(fx);
    writer.commit();
    if (!o.summaryJson.empty()) writeSummaryJson(summary, o.summaryJson);
    if (!o.quiet) printSummary(summary);
    return ExitStatus::Ok;
  }

 private:
  RenderOptions o;
};

}  // namespace

std::unique_ptr<Command> addRenderCommand(CLI::App& app) {
  CLI::App* sub = app.add_subcommand("render", "run an audio file through a plug-in as a host plays it");
  return std::make_unique<RenderCommand>(sub);
}
