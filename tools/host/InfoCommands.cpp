#include <cstdio>

#include "tools/host/Commands.h"
#include "tools/host/HostServices.h"
#include "tools/host/ModuleInfo.h"
#include "tools/host/PluginModule.h"

bool RunInfo(const CommandLine& line, std::string* error) {
  HostServices& host = HostServices::Instance();
  host.StartRecording();
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  const std::vector<HostRequest> creation = host.StopRecording();
  if (!module) return false;
  host.StartRecording();
  module->Open();
  const std::vector<HostRequest> opening = host.StopRecording();
  PrintModuleInfo(*module, creation, opening);
  return true;
}

bool RunPresets(const CommandLine& line, std::string* error) {
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  if (!module) return false;
  module->Open();
  PrintPrograms(*module);
  return true;
}

bool RunParams(const CommandLine& line, std::string* error) {
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  if (!module) return false;
  module->Open();
  PrintParameters(*module);
  return true;
}
