// fxhost bench PLUGIN...: processing throughput of one or more plug-ins on this machine,
// in million samples per second per channel and as a real-time factor at 44.1 kHz.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "effect_runner.h"
#include "plugin_loading.h"
#include "throughput.h"

namespace {

class BenchCommand : public Command {
 public:
  explicit BenchCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("PLUGIN", plugins, "plug-in libraries (.so), compared in one run")->required();
    sub->add_option("--block", blocks, "block size(s) to time (default 64, 512 and 4096)")->check(CLI::Range(1, 1 << 20));
    sub->add_option("--seconds", seconds, "seconds of timed runs per plug-in and block size")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    sub->add_option("--runs", runs, "timed runs, of which the median is shown")->capture_default_str()->check(CLI::Range(1, 100));
  }

  ExitStatus run() override {
    if (blocks.empty()) blocks = {64, 512, 4096};
    std::printf("%-24s %6s %12s %21s %14s\n", "plug-in", "block", "Msamples/s", "min..max", "x real time");
    for (const std::string& path : plugins) {
      OpenedPlugin plugin = openPluginOrFail(path);
      const std::string name = std::filesystem::path(path).filename().string();
      startEffect(plugin.instance, 44100.0f, blocks.front());
      for (int block : blocks) {
        // Suspended while the block size changes, as hosts do.
        plugin.instance.dispatch(effMainsChanged, 0, 0);
        plugin.instance.dispatch(effSetBlockSize, 0, block);
        plugin.instance.dispatch(effMainsChanged, 0, 1);
        const Throughput t = measureThroughput(plugin.instance, block, seconds, runs);
        char spread[40];
        std::snprintf(spread, sizeof spread, "%.2f..%.2f", t.lowest, t.highest);
        std::printf("%-24s %6d %12.2f %21s %13.0fx\n", name.c_str(), block, t.median, spread, t.realtimeFactor());
        std::fflush(stdout);
      }
      plugin.instance.dispatch(effMainsChanged, 0, 0);
    }
    std::printf("median of %d runs after a warm-up; per channel; real time at 44.1 kHz\n", runs);
    return ExitStatus::Ok;
  }

 private:
  std::vector<std::string> plugins;
  std::vector<int> blocks;
  double seconds = 1.0;
  int runs = 5;
};

}  // namespace

std::unique_ptr<Command> addBenchCommand(CLI::App& app) {
  return std::make_unique<BenchCommand>(
      app.add_subcommand("bench", "time the processing of one or more plug-ins at block sizes 64, 512 and 4096"));
}
