#include "tools/host/StateTransfer.h"

#include "tools/host/FourCc.h"
#include "tools/host/PresetFile.h"
#include "tools/host/ProgramSelection.h"

namespace {

constexpr int32_t kChunkIndexBank = 0;
constexpr int32_t kChunkIndexProgram = 1;

int32_t ChunkIndex(PresetFile::Kind kind) {
  return kind == PresetFile::Kind::Bank ? kChunkIndexBank : kChunkIndexProgram;
}

}  // namespace

bool SaveState(PluginModule& module, SafeOutputFile& file, std::string* error) {
  PresetFile preset;
  if (!PresetKindForPath(file.Path(), &preset.kind)) {
    *error = "a state file needs the extension .fxp (program) or .fxb (bank): " + file.Path();
    return false;
  }
  void* data = nullptr;
  const intptr_t size = module.Dispatch(effGetChunk, ChunkIndex(preset.kind), 0, &data);
  if (size <= 0 || !data) {
    *error = "the plug-in gave no state chunk (it does not answer effGetChunk)";
    return false;
  }
  const AEffect& effect = module.Effect();
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  preset.pluginId = effect.uniqueID;
  preset.pluginVersion = effect.version;
  preset.elementCount = bank ? effect.numPrograms : effect.numParams;
  if (bank) {
    preset.currentProgram = static_cast<int32_t>(module.Dispatch(effGetProgram));
  } else {
    preset.programName = module.QueryText(effGetProgramName);
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  preset.chunk.assign(bytes, bytes + size);
  return SavePresetFile(file, preset, error);
}

bool RestoreState(PluginModule& module, const std::string& path, std::string* error) {
  PresetFile preset;
  if (!LoadPresetFile(path, &preset, error)) return false;
  const AEffect& effect = module.Effect();
  if (preset.pluginId != effect.uniqueID) {
    *error = path + " is for the plug-in " + FourCcText(preset.pluginId) + ", not " + FourCcText(effect.uniqueID);
    return false;
  }
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  VstPatchChunkInfo info{1, preset.pluginId, preset.pluginVersion, preset.elementCount, {}};
  if (module.Dispatch(bank ? effBeginLoadBank : effBeginLoadProgram, 0, 0, &info) == -1) {
    *error = "the plug-in refuses " + path;
    return false;
  }
  // A valid pointer even for an empty chunk: plug-ins ignore a null one.
  uint8_t empty = 0;
  void* data = preset.chunk.empty() ? &empty : preset.chunk.data();
  if (module.Dispatch(effSetChunk, ChunkIndex(preset.kind), static_cast<intptr_t>(preset.chunk.size()), data) == 0) {
    *error = "the plug-in did not accept the state in " + path;
    return false;
  }
  // A program takes the current program slot, under the name it was saved with.
  if (!bank && !preset.programName.empty()) {
    std::string name = preset.programName;
    module.Dispatch(effSetProgramName, 0, 0, &name[0]);
  }
  if (bank && preset.currentProgram >= 0 && preset.currentProgram < effect.numPrograms &&
      !SwitchProgram(module, preset.currentProgram)) {
    *error = "the plug-in did not switch to the bank's current preset " + std::to_string(preset.currentProgram);
    return false;
  }
  return true;
}
