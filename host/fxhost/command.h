// A subcommand of fxhost: it declares its options on its own CLI11 subcommand when
// registered, and runs when the command line chose it. main knows only this interface.
#pragma once

#include <memory>

#include <CLI/CLI.hpp>

#include "exit_status.h"

class Command {
 public:
  explicit Command(CLI::App* subcommand) : subcommandApp(subcommand) {}
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // Whether the command line chose this subcommand.
  bool chosen() const { return subcommandApp->parsed(); }
  // Runs after parsing; returns the exit status or throws CommandError.
  virtual ExitStatus run() = 0;

 private:
  CLI::App* subcommandApp;
};

// Each *_command.cpp offers one of these: it adds its subcommand to `app` and returns the
// object that holds the parsed options and runs it.
using CommandFactory = std::unique_ptr<Command> (*)(CLI::App& app);

std::unique_ptr<Command> addInfoCommand(CLI::App& app);
std::unique_ptr<Command> addRenderCommand(CLI::App& app);
std::unique_ptr<Command> addDiffCommand(CLI::App& app);
