#include "tools/host/PluginSetup.h"

#include <cstdio>

#include "tools/host/ModuleInfo.h"
#include "tools/host/ParameterSettings.h"
#include "tools/host/ProgramSelection.h"
#include "tools/host/StateTransfer.h"

namespace {

std::string ModulesText(size_t modules) {
  if (modules == 1) return "is 1 module (0)";
  return "are " + std::to_string(modules) + " modules (0 to " + std::to_string(modules - 1) + ")";
}

}  // namespace

bool ConfigurePlugin(PluginModule& module, const CommandLine& line, std::string* error) {
  return ConfigureChainedPlugin(module, line, 0, 1, error);
}

bool ConfigureChainedPlugin(PluginModule& module, const CommandLine& line, size_t position, size_t modules,
                            std::string* error) {
  std::vector<ParameterSetting> settings;
  for (const ParameterSetting& setting : line.settings) {
    if (setting.position >= modules) {
      *error = "--set " + std::to_string(setting.position) + ":" + setting.name + " names module " +
               std::to_string(setting.position) + ", but there " + ModulesText(modules);
      return false;
    }
    if (setting.position == position) settings.push_back(setting);
  }
  for (const ParameterSetting& state : line.chainedStates) {
    if (state.position >= modules) {
      *error = "--state " + std::to_string(state.position) + ":" + state.value + " names module " +
               std::to_string(state.position) + ", but there " + ModulesText(modules);
      return false;
    }
    if (state.position == position && !RestoreState(module, state.value, error)) return false;
  }
  if (position == 0 && !line.statePath.empty() && !RestoreState(module, line.statePath, error)) return false;
  if (position == 0 && !line.preset.empty() && !SelectProgram(module, line.preset, error)) return false;
  return ApplySettings(module, settings, error);
}

void ShowConfiguration(const PluginModule& module, const CommandLine& line) {
  if (line.verbosity != CommandLine::Verbosity::Verbose) return;
  std::printf("%-15s %s\n", "module", module.Path().c_str());
  PrintParameters(module);
}
