// fxhost validate PLUGIN: runs the validator's checks, each in a child process of its own,
// and exits with ChecksFailed when any check failed.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "checks.h"
#include "command.h"
#include "plugin_precheck.h"
#include "validator.h"

namespace {

class ValidateCommand : public Command {
 public:
  explicit ValidateCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("PLUGIN", options.pluginPath, "plug-in library (.so)");
    sub->add_flag("--json", options.json, "print the results as JSON");
    sub->add_option("--include", options.include, "run only checks matching these patterns (glob, or a group such as 'processing')");
    sub->add_option("--exclude", options.exclude, "skip checks matching these patterns");
    sub->add_flag("--only-failed", options.onlyFailed, "print only the failed checks (the count covers all)");
    sub->add_option("--seed", options.seed, "seed of the random inputs and block sizes, to repeat a run exactly")
        ->capture_default_str();
    sub->add_option("--timeout", options.timeoutSeconds, "seconds each check may take before it counts as hung")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    sub->add_flag("--list", list, "list the checks and exit");
    sub->footer("A crash or a hang fails only the check it happens in. Exit status 16 when a check failed.");
  }

  ExitStatus run() override {
    if (list) {
      for (const ValidatorCheck& c : validatorChecks()) std::printf("%-28s %s\n", c.name, c.what);
      return ExitStatus::Ok;
    }
    if (options.pluginPath.empty()) throw CommandError(ExitStatus::Usage, "validate needs a PLUGIN");
    precheckPluginFile(options.pluginPath);
    std::size_t selected = 0;
    for (const ValidatorCheck& c : validatorChecks())
      if (checkSelected(c.name, options.include, options.exclude)) ++selected;
    if (selected == 0) throw CommandError(ExitStatus::Usage, "no check matches --include/--exclude (see --list)");
    const ValidatorSummary summary = runValidator(options, std::cout);
    return summary.failed ? ExitStatus::ChecksFailed : ExitStatus::Ok;
  }

 private:
  ValidatorOptions options;
  bool list = false;
};

}  // namespace

std::unique_ptr<Command> addValidateCommand(CLI::App& app) {
  return std::make_unique<ValidateCommand>(
      app.add_subcommand("validate", "check that a plug-in survives what hosts do to it, each check in a child process"));
}
