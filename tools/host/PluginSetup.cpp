#include "tools/host/PluginSetup.h"

#include <cstdio>

#include "tools/host/ModuleInfo.h"
#include "tools/host/ParameterSettings.h"
#include "tools/host/ProgramSelection.h"
#include "tools/host/StateTransfer.h"

bool ConfigurePlugin(PluginModule& module, const CommandLine& line, std::string* error) {
  if (!line.statePath.empty() && !RestoreState(module, line.statePath, error)) return false;
  if (!line.preset.empty() && !SelectProgram(module, line.preset, error)) return false;
  return ApplySettings(module, line.settings, error);
}

void ShowConfiguration(const PluginModule& module, const CommandLine& line) {
  if (line.verbosity != CommandLine::Verbosity::Verbose) return;
  std::printf("%-15s %s\n", "module", module.Path().c_str());
  PrintParameters(module);
}
