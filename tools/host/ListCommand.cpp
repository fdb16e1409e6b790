// tessaly-host list: every module in the VST folders with its name, vendor, kind and
// pins. Each module is loaded in a child process of its own, so that one that crashes
// or leaves threads behind does not end the list.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "tools/host/Commands.h"
#include "tools/host/ModuleSearch.h"
#include "tools/host/PluginModule.h"

namespace {

const char* KindOf(const PluginModule& module) {
  return module.Effect().flags & effFlagsIsSynth ? "instrument" : "effect";
}

// Runs in the child: one line for the module at path.
void PrintModuleLine(const std::string& path) {
  std::string error;
  std::unique_ptr<PluginModule> module = PluginModule::Load(path, &error);
  if (!module) {
    std::printf("%-28s %s\n", "(not loadable)", error.c_str());
    return;
  }
  module->Open();
  const AEffect& effect = module->Effect();
  std::printf("%-28s %-18s %-10s %2d in %2d out  %s\n", module->QueryText(effGetEffectName).c_str(),
              module->QueryText(effGetVendorString).c_str(), KindOf(*module), effect.numInputs, effect.numOutputs,
              path.c_str());
}

void ListModule(const std::string& path) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    PrintModuleLine(path);
    std::fflush(stdout);
    _exit(0);  // no destructors of modules that may not unload cleanly
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    std::printf("%-28s %s\n", "(not loadable)", std::strerror(errno));
  } else if (WIFSIGNALED(status)) {
    std::printf("%-28s crashed while loading (%s): %s\n", "(not loadable)", strsignal(WTERMSIG(status)),
                path.c_str());
  }
}

}  // namespace

bool RunList(const CommandLine&, std::string* error) {
  const std::vector<std::string> folders = ModuleFolders();
  if (folders.empty()) {
    *error = "none of the VST folders exists (~/.vst, /usr/local/lib/vst, /usr/lib/vst, VST_PATH, LXVST_PATH)";
    return false;
  }
  std::printf("%-28s %-18s %-10s %s\n", "name", "vendor", "kind", "pins   module");
  for (const std::string& module : FindModules()) ListModule(module);
  return true;
}
