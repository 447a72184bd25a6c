// How many samples per second and channel each plug-in processes: processReplacing
// called through the loaded library as a host calls it (with the widest instruction set
// this machine runs), each block kernel driven as the effect drives it, and the plain
// per-sample reference, at block sizes 32, 512 and 4096. Ends with the fast processing's
// gain over the reference. With --benchmark_repetitions=N each row is the median of N
// runs, which steadies the figures on a busy machine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "aeffect.h"
#include "plugin_library.h"
#include "plugin_one/dsp/block_kernel.h"
#include "plugin_one/dsp/fuzz_table.h"
#include "plugin_one_reference.h"
#include "plugin_two/dsp/block_kernel.h"
#include "plugin_two/dsp/fuzz_table.h"
#include "plugin_two_reference.h"
#include "simd_path.h"
#include "test_signal.h"

namespace {

constexpr std::int32_t kBlockSizes[] = {32, 512, 4096};

// The default program of both effects.
constexpr float kDepth = 0.25f, kMix = 0.0f, kType = 0.9f, kPreAmp = 1.0f;

std::intptr_t FX_CDECL hostCallback(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                    void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// A block of the test signal on each input channel, and room for two outputs.
struct Buffers {
  std::vector<float> in0, in1, out0, out1;
  explicit Buffers(std::int32_t frames)
      : in0(test_signal::make(static_cast<std::size_t>(frames), 1)),
        in1(test_signal::make(static_cast<std::size_t>(frames), 2)),
        out0(static_cast<std::size_t>(frames)),
        out1(static_cast<std::size_t>(frames)) {}
};

void count(benchmark::State& state, std::int32_t frames) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * frames);
}

// processReplacing of a freshly loaded effect on its default program, through its record.
void throughLibrary(benchmark::State& state, const char* path) {
  PluginLibrary library;
  if (!library.load(path)) return state.SkipWithError(library.error().c_str());
  AEffect* fx = library.entry("main")(hostCallback);
  if (!fx) return state.SkipWithError("main refused");
  const auto frames = static_cast<std::int32_t>(state.range(0));
  fx->dispatcher(fx, effOpen, 0, 0, nullptr, 0.0f);
  fx->dispatcher(fx, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  fx->dispatcher(fx, effSetBlockSize, 0, frames, nullptr, 0.0f);
  fx->dispatcher(fx, effSetProgram, 0, 0, nullptr, 0.0f);
  fx->dispatcher(fx, effMainsChanged, 0, 1, nullptr, 0.0f);
  Buffers b(frames);
  float* in[] = {b.in0.data(), b.in1.data()};
  float* out[] = {b.out0.data(), b.out1.data()};
  for (auto _ : state) {
    fx->processReplacing(fx, in, out, frames);
    benchmark::ClobberMemory();
  }
  count(state, frames);
  fx->dispatcher(fx, effMainsChanged, 0, 0, nullptr, 0.0f);
  fx->dispatcher(fx, effClose, 0, 0, nullptr, 0.0f);
}

void pluginOneReference(benchmark::State& state) {
  static const reference::PluginOne oracle;
  const auto frames = static_cast<std::int32_t>(state.range(0));
  Buffers b(frames);
  const reference::PluginOne::Parameters p{kDepth, kMix, kType};
  for (auto _ : state) {
    oracle.replacing(b.in0.data(), b.out0.data(), b.out1.data(), frames, p);
    benchmark::ClobberMemory();
  }
  count(state, frames);
}

void pluginTwoReference(benchmark::State& state) {
  static const reference::PluginTwo oracle;
  const auto frames = static_cast<std::int32_t>(state.range(0));
  Buffers b(frames);
  const reference::PluginTwo::Parameters p{kPreAmp, kDepth, kMix, kType};
  for (auto _ : state) {
    oracle.replacing(b.in0.data(), b.in1.data(), b.out0.data(), b.out1.data(), frames, p);
    benchmark::ClobberMemory();
  }
  count(state, frames);
}

// A block kernel on its own, with the default program's values read at every group as
// the effect reads its live ones.
quorv1_01::GroupSettings pluginOneDefaults(const void*) {
  return quorv1_01::groupSettings(kDepth, kMix, 2);
}

quorv1_02::GroupSettings pluginTwoDefaults(const void*) {
  return quorv1_02::groupSettings(kPreAmp, kDepth, kMix, 2);
}

void pluginOneKernel(benchmark::State& state, fx_dsp::SimdPath path) {
  const quorv1_01::BlockKernel kernel = quorv1_01::blockKernelsFor(path)->replacing;
  const auto frames = static_cast<std::int32_t>(state.range(0));
  Buffers b(frames);
  for (auto _ : state) {
    kernel({&pluginOneDefaults, nullptr}, b.in0.data(), b.out0.data(), b.out1.data(), frames);
    benchmark::ClobberMemory();
  }
  count(state, frames);
}

void pluginTwoKernel(benchmark::State& state, fx_dsp::SimdPath path) {
  const quorv1_02::BlockKernel kernel = quorv1_02::blockKernelsFor(path)->replacing;
  const auto frames = static_cast<std::int32_t>(state.range(0));
  Buffers b(frames);
  for (auto _ : state) {
    kernel({&pluginTwoDefaults, nullptr}, b.in0.data(), b.in1.data(), b.out0.data(),
           b.out1.data(), frames);
    benchmark::ClobberMemory();
  }
  count(state, frames);
}

void withBlockSizes(benchmark::internal::Benchmark* b) {
  for (std::int32_t frames : kBlockSizes) b->Arg(frames);
}

// The console table, one row per benchmark: its median over the repetitions when there
// are several. The rates are kept for the closing comparison.
class Reporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that a saved table is plain text.
  Reporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  std::map<std::string, double> rates;
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!single && !median && !run.error_occurred) continue;
      shown.push_back(run);
      const auto found = run.counters.find("items_per_second");
      if (found != run.counters.end()) rates[run.run_name.str()] = found->second.value;
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }
};

}  // namespace

int main(int argc, char** argv) {
  quorv1_01::fillFuzzTable();
  quorv1_02::fillFuzzTable();
  benchmark::RegisterBenchmark("one/processReplacing", throughLibrary, QUORV1_01_PATH)
      ->Apply(withBlockSizes);
  benchmark::RegisterBenchmark("one/reference", pluginOneReference)->Apply(withBlockSizes);
  for (fx_dsp::SimdPath path : fx_dsp::kSimdPaths)
    if (fx_dsp::simdPathRuns(path))
      benchmark::RegisterBenchmark(
          (std::string("one/kernel:") + fx_dsp::simdPathName(path)).c_str(), pluginOneKernel, path)
          ->Apply(withBlockSizes);
  benchmark::RegisterBenchmark("two/processReplacing", throughLibrary, QUORV1_02_PATH)
      ->Apply(withBlockSizes);
  benchmark::RegisterBenchmark("two/reference", pluginTwoReference)->Apply(withBlockSizes);
  for (fx_dsp::SimdPath path : fx_dsp::kSimdPaths)
    if (fx_dsp::simdPathRuns(path))
      benchmark::RegisterBenchmark(
          (std::string("two/kernel:") + fx_dsp::simdPathName(path)).c_str(), pluginTwoKernel, path)
          ->Apply(withBlockSizes);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nsamples per second and channel; processReplacing (%s) against the reference:\n",
              fx_dsp::simdPathName(fx_dsp::widestSimdPath()));
  for (const char* plugin : {"one", "two"})
    for (std::int32_t frames : kBlockSizes) {
      const std::string size = "/" + std::to_string(frames);
      const auto fast = reporter.rates.find(std::string(plugin) + "/processReplacing" + size);
      const auto plain = reporter.rates.find(std::string(plugin) + "/reference" + size);
      if (fast == reporter.rates.end() || plain == reporter.rates.end()) continue;
      std::printf("  plug-in %s, block %4d: %8.1f M/s against %6.1f M/s, %.2f times\n", plugin,
                  static_cast<int>(frames), fast->second / 1e6, plain->second / 1e6,
                  fast->second / plain->second);
    }
  return 0;
}
