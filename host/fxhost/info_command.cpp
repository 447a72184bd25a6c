// fxhost info PLUGIN [--json]: everything a host can learn about an effect.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "command.h"
#include "effect_description.h"
#include "plugin_loading.h"
#include "text_escape.h"

namespace {

std::string hex32(std::int32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<std::uint32_t>(v));
  return text;
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : ", ") + w;
  return text.empty() ? "none" : text;
}

nlohmann::json toJson(const std::string& path, const char* entry, const EffectDescription& d) {
  nlohmann::json programs = nlohmann::json::array();
  for (const ProgramDescription& p : d.programs) programs.push_back({{"index", p.index}, {"name", p.name}});
  nlohmann::json parameters = nlohmann::json::array();
  for (const ParameterDescription& p : d.parameters)
    parameters.push_back({{"index", p.index}, {"name", p.name}, {"label", p.label},
                          {"value", p.value}, {"display", p.display}});
  return {
      {"plugin", path},
      {"entry", entry},
      {"magic", fourCharBytes(d.magic)},
      {"uniqueID", d.uniqueID},
      {"uniqueIDText", fourCharBytes(d.uniqueID)},
      {"version", d.version},
      {"numInputs", d.numInputs},
      {"numOutputs", d.numOutputs},
      {"numPrograms", d.numPrograms},
      {"numParams", d.numParams},
      {"flags", d.flags},
      {"flagWords", flagWords(d.flags)},
      {"initialDelay", d.initialDelay},
      {"realtimeQualities", d.realtimeQualities},
      {"offlineQualities", d.offlineQualities},
      {"ioRatio", d.ioRatio},
      {"identity", d.identity},
      {"currentProgram", d.currentProgram},
      {"programs", programs},
      {"parameters", parameters},
  };
}

void printText(const std::string& path, const char* entry, const EffectDescription& d) {
  std::printf("plug-in             %s\n", path.c_str());
  std::printf("entry               %s\n", entry);
  std::printf("magic               %s (%s)\n", fourCharText(d.magic).c_str(), hex32(d.magic).c_str());
  std::printf("unique id           %s (%s)\n", fourCharText(d.uniqueID).c_str(), hex32(d.uniqueID).c_str());
  std::printf("version             %d\n", d.version);
  std::printf("inputs              %d\n", d.numInputs);
  std::printf("outputs             %d\n", d.numOutputs);
  std::printf("flags               %s (%s)\n", hex32(d.flags).c_str(), joined(flagWords(d.flags)).c_str());
  std::printf("initial delay       %d frames\n", d.initialDelay);
  std::printf("realtime qualities  %d\n", d.realtimeQualities);
  std::printf("offline qualities   %d\n", d.offlineQualities);
  std::printf("io ratio            %g\n", static_cast<double>(d.ioRatio));
  std::printf("identity (op 22)    %s\n", fourCharText(static_cast<std::int32_t>(d.identity)).c_str());
  std::printf("\nprograms            %d (current %d)\n", d.numPrograms, d.currentProgram);
  for (const ProgramDescription& p : d.programs) std::printf("  %3d  %s\n", p.index, visibleText(p.name).c_str());
  std::printf("\nparameters          %d\n", d.numParams);
  // Columns as wide as their longest quoted text, so long names keep the table straight.
  int nameWidth = 4, labelWidth = 5;
  for (const ParameterDescription& p : d.parameters) {
    nameWidth = std::max(nameWidth, static_cast<int>(visibleText(p.name).size()));
    labelWidth = std::max(labelWidth, static_cast<int>(visibleText(p.label).size()));
  }
  std::printf("  %3s  %-*s  %-*s  %-10s %s\n", "#", nameWidth, "name", labelWidth, "label", "value", "display");
  for (const ParameterDescription& p : d.parameters)
    std::printf("  %3d  %-*s  %-*s  %-10.6f %s\n", p.index, nameWidth, visibleText(p.name).c_str(), labelWidth,
                visibleText(p.label).c_str(), static_cast<double>(p.value), visibleText(p.display).c_str());
}

class InfoCommand : public Command {
 public:
  explicit InfoCommand(CLI::App* sub) : Command(sub) {
    sub->add_option("PLUGIN", plugin, "the plug-in library (.so)")->required();
    sub->add_flag("--json", json, "print JSON instead of text");
  }

  ExitStatus run() override {
    OpenedPlugin opened = openPluginOrFail(plugin);
    opened.instance.dispatch(effOpen);
    const EffectDescription description = describeEffect(opened.instance);
    if (json)
      std::cout << toJson(plugin, opened.entryName, description).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    else
      printText(plugin, opened.entryName, description);
    return ExitStatus::Ok;
  }

 private:
  std::string plugin;
  bool json = false;
};

}  // namespace

std::unique_ptr<Command> addInfoCommand(CLI::App& app) {
  CLI::App* sub = app.add_subcommand("info", "show everything a host can learn about a plug-in: its record, programs and parameters");
  return std::make_unique<InfoCommand>(sub);
}
