#include "platform/ModulePaths.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "platform/FolderPath.h"

namespace {
// The module's path, recorded when the module is loaded: a module loaded by a relative
// path is found against the working directory of that moment.
char gModulePath[kMaxPathLength + 1];

std::string ExecutablePath() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof path) return {};
  return std::string(path, static_cast<size_t>(length));
}

std::string WorkingDirectory() {
  char path[PATH_MAX];
  return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}

// The file the dynamic linker loaded this code from; the executable's own entry carries
// no name, so code linked into the program gets the program's path.
std::string ModuleFilePath() {
  Dl_info info{};
  link_map* map = nullptr;
  if (dladdr1(gModulePath, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
      map == nullptr || map->l_name == nullptr || map->l_name[0] == '\0') {
    return ExecutablePath();
  }
  const std::string name = map->l_name;
  return name[0] == '/' ? name : WorkingDirectory() + '/' + name;
}

__attribute__((constructor)) void RecordModulePath() {
  const std::string path = ModuleFilePath();
  if (path.size() <= kMaxPathLength) std::memcpy(gModulePath, path.c_str(), path.size() + 1);
}
}  // namespace

std::string HostModuleFolder() { return FolderOfPath(ExecutablePath()); }

std::string PluginModuleFolder() { return FolderOfPath(gModulePath); }
