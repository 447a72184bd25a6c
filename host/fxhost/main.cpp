// fxhost: a command-line host for 64-bit Linux plug-ins of this interface. Each subcommand
// lives in its own *_command.cpp; this file registers them, parses and maps failures to
// exit statuses.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "command.h"
#include "exit_status.h"

namespace {

const CommandFactory kCommands[] = {addInfoCommand, addRenderCommand, addDiffCommand};

std::string exitStatusFooter() {
  std::string text = "Exit statuses:\n";
  for (std::size_t i = 0; i < kExitStatusCount; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "  %3d  %s\n", exitCode(kExitStatuses[i].status), kExitStatuses[i].meaning);
    text += line;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"fxhost: loads a 64-bit Linux plug-in of the VST 1.x interface, shows what it offers and runs audio files through it"};
  app.footer(exitStatusFooter());
  app.require_subcommand(1);

  std::vector<std::unique_ptr<Command>> commands;
  for (CommandFactory add : kCommands) commands.push_back(add(app));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : exitCode(ExitStatus::Usage);
  }

  try {
    for (auto& command : commands)
      if (command->chosen()) return exitCode(command->run());
  } catch (const CommandError& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return exitCode(e.status());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return exitCode(ExitStatus::Internal);
  }
  return exitCode(ExitStatus::Usage);
}
