#include "tools/host/ModuleSearch.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>

#include "platform/FolderPath.h"

namespace {

constexpr const char* kDefaultModule = "tessaly.so";
// Deeper folders are not searched, so that a link back up cannot make the search endless.
constexpr int kMaxDepth = 4;

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The folders of a colon-separated list in an environment variable.
std::vector<std::string> PathList(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? FolderList(value) : std::vector<std::string>();
}

// The entries of folder, sorted, without "." and "..".
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* directory = opendir(folder.c_str());
  if (!directory) return names;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(directory);
  std::sort(names.begin(), names.end());
  return names;
}

// Calls found with each module under folder, files before subfolders.
template <typename Found>
void Walk(const std::string& folder, int depth, const Found& found) {
  std::vector<std::string> subfolders;
  for (const std::string& name : Entries(folder)) {
    const std::string path = folder + "/" + name;
    if (IsFolder(path)) {
      subfolders.push_back(path);
    } else if (EndsWith(name, ".so") && IsFile(path)) {
      found(path);
    }
  }
  if (depth >= kMaxDepth) return;
  for (const std::string& subfolder : subfolders) Walk(subfolder, depth + 1, found);
}

// The first module called fileName in the folders, or "".
std::string SearchFolders(const std::string& fileName) {
  std::string match;
  for (const std::string& folder : ModuleFolders()) {
    Walk(folder, 0, [&](const std::string& path) {
      if (match.empty() && path.compare(path.rfind('/') + 1, std::string::npos, fileName) == 0) match = path;
    });
    if (!match.empty()) break;
  }
  return match;
}

std::string FolderList() {
  std::string list;
  for (const std::string& folder : ModuleFolders()) list += (list.empty() ? "" : ", ") + folder;
  return list.empty() ? "no module folder exists" : list;
}

// tessaly.so in the folder above the running program's: build/tessaly.so beside
// build/tools/tessaly-host.
std::string BesideProgram() {
  const std::string program = RealPath("/proc/self/exe");
  const size_t slash = program.rfind('/');
  if (slash == std::string::npos) return "";
  const std::string candidate = program.substr(0, slash) + "/../" + kDefaultModule;
  return IsFile(candidate) ? RealPath(candidate) : "";
}

}  // namespace

std::vector<std::string> ModuleFolders() {
  std::vector<std::string> candidates = PathList("LXVST_PATH");
  const std::vector<std::string> vstPath = PathList("VST_PATH");
  candidates.insert(candidates.end(), vstPath.begin(), vstPath.end());
  if (const char* home = std::getenv("HOME")) candidates.push_back(std::string(home) + "/.vst");
  candidates.insert(candidates.end(), {"/usr/local/lib/vst", "/usr/lib/vst"});
  std::vector<std::string> folders;
  std::set<std::string> seen;
  for (const std::string& folder : candidates) {
    if (IsFolder(folder) && seen.insert(RealPath(folder)).second) folders.push_back(folder);
  }
  return folders;
}

std::vector<std::string> FindModules() {
  std::vector<std::string> modules;
  std::set<std::string> seen;
  for (const std::string& folder : ModuleFolders()) {
    Walk(folder, 0, [&](const std::string& path) {
      if (seen.insert(RealPath(path)).second) modules.push_back(path);
    });
  }
  return modules;
}

bool LocateModule(std::string name, std::string* path, std::string* error) {
  if (name.empty()) {
    *path = BesideProgram();
    if (path->empty()) *path = SearchFolders(kDefaultModule);
    if (path->empty()) {
      *error = std::string("no MODULE given and no ") + kDefaultModule + " beside this program or in " + FolderList();
      return false;
    }
    return true;
  }
  if (name.find('/') != std::string::npos || IsFile(name)) {
    *path = name;
    return true;
  }
  *path = SearchFolders(name);
  if (path->empty() && !EndsWith(name, ".so")) *path = SearchFolders(name + ".so");
  if (path->empty()) {
    *error = "module not found: " + name + " (not in the current folder, nor in " + FolderList() + ")";
    return false;
  }
  return true;
}
