#include "tools/host/ProgramSelection.h"

#include <strings.h>

#include <cstdlib>

namespace {

bool IsIndex(const std::string& text) {
  return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

int FindProgram(const PluginModule& module, const std::string& name) {
  int caseless = -1;
  for (int i = 0; i < module.ProgramCount(); ++i) {
    const std::string candidate = module.ProgramName(i);
    if (candidate == name) return i;
    if (caseless < 0 && strcasecmp(candidate.c_str(), name.c_str()) == 0) caseless = i;
  }
  return caseless;
}

}  // namespace

bool SwitchProgram(PluginModule& module, int index) {
  module.Dispatch(effBeginSetProgram);
  module.Dispatch(effSetProgram, 0, index);
  module.Dispatch(effEndSetProgram);
  return module.Dispatch(effGetProgram) == index;
}

bool SelectProgram(PluginModule& module, const std::string& nameOrIndex, std::string* error) {
  const int count = module.ProgramCount();
  int index = -1;
  if (IsIndex(nameOrIndex)) {
    index = std::atoi(nameOrIndex.c_str());
    if (index >= count) {
      *error = "no preset " + nameOrIndex + " (the plug-in has " + std::to_string(count) + ", numbered from 0)";
      return false;
    }
  } else {
    index = FindProgram(module, nameOrIndex);
    if (index < 0) {
      *error = "unknown preset '" + nameOrIndex + "' (see 'presets' for the names)";
      return false;
    }
  }
  if (!SwitchProgram(module, index)) {
    *error = "the plug-in did not switch to preset " + std::to_string(index);
    return false;
  }
  return true;
}
