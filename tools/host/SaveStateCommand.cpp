#include <cstdio>

#include "tools/host/Commands.h"
#include "tools/host/PluginModule.h"
#include "tools/host/PluginSetup.h"
#include "tools/host/SafeOutputFile.h"
#include "tools/host/StateTransfer.h"

bool RunSaveState(const CommandLine& line, std::string* error) {
  SafeOutputFile file;
  if (!file.Open(line.outputPath, {line.statePath}, error)) return false;
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  if (!module) return false;
  module->Open();
  if (!ConfigurePlugin(*module, line, error)) return false;
  ShowConfiguration(*module, line);
  if (!SaveState(*module, file, error)) return false;
  if (line.verbosity != CommandLine::Verbosity::Quiet) std::printf("wrote %s\n", line.outputPath.c_str());
  return true;
}
