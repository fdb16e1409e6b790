#include "tools/TempFolder.h"

#include <dirent.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

}  // namespace

TempFolder::TempFolder() {
  char pattern[] = "/tmp/tessaly-tools-XXXXXX";
  path_ = mkdtemp(pattern) ? pattern : "";
}

TempFolder::~TempFolder() {
  if (!path_.empty()) nftw(path_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  DIR* folder = opendir(path_.c_str());
  if (!folder) return names;
  while (const dirent* entry = readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) names.push_back(entry->d_name);
  }
  closedir(folder);
  return names;
}
