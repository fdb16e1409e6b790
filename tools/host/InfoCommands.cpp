#include <cstdio>

#include "tools/host/Commands.h"
#include "tools/host/HostServices.h"
#include "tools/host/ModuleInfo.h"
#include "tools/host/PluginLane.h"
#include "tools/host/PluginModule.h"

namespace {

constexpr double kTrialRate = 44100.0;
constexpr int kTrialFrames = 512;

// Some plug-ins set their latency only once they process audio: it is read again after
// one block of silence, printed last so that a plug-in that fails there leaves the rest.
void PrintLatencyWhileProcessing(PluginModule& module) {
  PluginLane lane(module, kTrialFrames, false);
  std::string reason;
  if (!lane.CanProcess(&reason)) return;
  module.Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kTrialRate));
  module.Dispatch(effSetBlockSize, 0, kTrialFrames);
  module.Dispatch(effMainsChanged, 0, 1);
  module.Dispatch(effStartProcess);
  const std::vector<double> silence(2 * kTrialFrames, 0.0);
  lane.Process(silence.data(), kTrialFrames);
  module.Dispatch(effStopProcess);
  module.Dispatch(effMainsChanged, 0, 0);
  std::printf("%-15s %d samples once processing (%g Hz, %d-frame blocks)\n", "latency", module.Effect().initialDelay,
              kTrialRate, kTrialFrames);
}

}  // namespace

bool RunInfo(const CommandLine& line, std::string* error) {
  HostServices& host = HostServices::Instance();
  host.StartRecording();
  std::unique_ptr<PluginModule> module = PluginModule::Load(line.modulePath, error);
  const std::vector<HostRequest> creation = host.StopRecording();
  if (!module) return false;
  host.StartRecording();
  module->Open();
  const std::vector<HostRequest> opening = host.StopRecording();
  if (line.json) {
    PrintModuleInfoJson(*module);
    return true;
  }
  PrintModuleInfo(*module, creation, opening);
  PrintLatencyWhileProcessing(*module);
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
