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

std::vector<float> Parameters(const PluginModule& module) {
  AEffect& effect = module.Effect();
  std::vector<float> values;
  for (int32_t i = 0; i < effect.numParams; ++i) values.push_back(effect.getParameter(&effect, i));
  return values;
}

// The parameter-list form: the current program's values, or every program's for a bank
// (visiting each, then going back to current).
void ReadParameters(PluginModule& module, int32_t current, PresetFile* preset) {
  preset->form = PresetFile::Form::Parameters;
  if (preset->kind == PresetFile::Kind::Program) {
    preset->parameters = Parameters(module);
    return;
  }
  for (int32_t i = 0; i < module.ProgramCount(); ++i) {
    SwitchProgram(module, i);
    preset->programs.push_back({module.QueryText(effGetProgramName), Parameters(module)});
  }
  if (module.ProgramCount() > 0) SwitchProgram(module, current);
}

// Sets the current program's name and parameters.
void WriteProgram(PluginModule& module, std::string name, const std::vector<float>& values) {
  AEffect& effect = module.Effect();
  for (size_t i = 0; effect.setParameter && i < values.size(); ++i) {
    effect.setParameter(&effect, static_cast<int32_t>(i), values[i]);
  }
  if (!name.empty()) module.Dispatch(effSetProgramName, 0, 0, &name[0]);
}

// Whether the file is for this plug-in and its counts match the plug-in's, before
// anything changes.
bool Fits(const PluginModule& module, const PresetFile& preset, const std::string& path, std::string* error) {
  const AEffect& effect = module.Effect();
  if (preset.pluginId != effect.uniqueID) {
    *error = path + " is for the plug-in " + FourCcText(preset.pluginId) + ", not " + FourCcText(effect.uniqueID);
    return false;
  }
  if (preset.form == PresetFile::Form::Chunk) return true;
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  if (bank && static_cast<int32_t>(preset.programs.size()) > effect.numPrograms) {
    *error = path + " holds " + std::to_string(preset.programs.size()) + " programs; the plug-in has " +
             std::to_string(effect.numPrograms);
    return false;
  }
  std::vector<const std::vector<float>*> lists;
  if (bank) {
    for (const PresetProgram& program : preset.programs) lists.push_back(&program.parameters);
  } else {
    lists.push_back(&preset.parameters);
  }
  for (const std::vector<float>* values : lists) {
    if (static_cast<int32_t>(values->size()) != effect.numParams) {
      *error = path + " holds " + std::to_string(values->size()) + " parameters; the plug-in has " +
               std::to_string(effect.numParams);
      return false;
    }
  }
  return true;
}

bool RestoreChunk(PluginModule& module, PresetFile& preset, const std::string& path, std::string* error) {
  // A valid pointer even for an empty chunk: plug-ins ignore a null one.
  uint8_t empty = 0;
  void* data = preset.chunk.empty() ? &empty : preset.chunk.data();
  if (module.Dispatch(effSetChunk, ChunkIndex(preset.kind), static_cast<intptr_t>(preset.chunk.size()), data) == 0) {
    *error = "the plug-in did not accept the state in " + path;
    return false;
  }
  // A program takes the current program slot, under the name it was saved with.
  if (preset.kind == PresetFile::Kind::Program && !preset.programName.empty()) {
    std::string name = preset.programName;
    module.Dispatch(effSetProgramName, 0, 0, &name[0]);
  }
  return true;
}

}  // namespace

bool SaveState(PluginModule& module, SafeOutputFile& file, std::string* error) {
  PresetFile preset;
  if (!PresetKindForPath(file.Path(), &preset.kind)) {
    *error = "a state file needs the extension .fxp (program) or .fxb (bank): " + file.Path();
    return false;
  }
  const AEffect& effect = module.Effect();
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  preset.pluginId = effect.uniqueID;
  preset.pluginVersion = effect.version;
  preset.elementCount = bank ? effect.numPrograms : effect.numParams;
  const int32_t current = static_cast<int32_t>(module.Dispatch(effGetProgram));
  if (bank) {
    preset.currentProgram = current;
  } else {
    preset.programName = module.QueryText(effGetProgramName);
  }
  void* data = nullptr;
  const intptr_t size = module.Dispatch(effGetChunk, ChunkIndex(preset.kind), 0, &data);
  if (size > 0 && data) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    preset.chunk.assign(bytes, bytes + size);
  } else if (effect.flags & effFlagsProgramChunks) {
    *error = "the plug-in keeps its state in chunks but gave none (effGetChunk)";
    return false;
  } else {
    ReadParameters(module, current, &preset);
  }
  return SavePresetFile(file, preset, error);
}

bool RestoreState(PluginModule& module, const std::string& path, std::string* error) {
  PresetFile preset;
  if (!LoadPresetFile(path, &preset, error) || !Fits(module, preset, path, error)) return false;
  const bool bank = preset.kind == PresetFile::Kind::Bank;
  VstPatchChunkInfo info{1, preset.pluginId, preset.pluginVersion, preset.elementCount, {}};
  if (module.Dispatch(bank ? effBeginLoadBank : effBeginLoadProgram, 0, 0, &info) == -1) {
    *error = "the plug-in refuses " + path;
    return false;
  }
  if (preset.form == PresetFile::Form::Chunk) {
    if (!RestoreChunk(module, preset, path, error)) return false;
  } else if (bank) {
    for (size_t i = 0; i < preset.programs.size(); ++i) {
      SwitchProgram(module, static_cast<int>(i));
      WriteProgram(module, preset.programs[i].name, preset.programs[i].parameters);
    }
    if (preset.currentProgram < 0) SwitchProgram(module, 0);
  } else {
    WriteProgram(module, preset.programName, preset.parameters);
  }
  const AEffect& effect = module.Effect();
  if (bank && preset.currentProgram >= 0 && preset.currentProgram < effect.numPrograms &&
      !SwitchProgram(module, preset.currentProgram)) {
    *error = "the plug-in did not switch to the bank's current preset " + std::to_string(preset.currentProgram);
    return false;
  }
  return true;
}
