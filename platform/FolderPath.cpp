#include "platform/FolderPath.h"

#include <sstream>

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string FolderOfPath(const std::string& path) {
  if (path.size() > kMaxPathLength) return {};
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) return {};
  return path.substr(0, slash + 1);
}

std::string AsFolder(const std::string& folder) {
  if (!IsAbsolutePath(folder)) return {};
  const std::string result = folder.back() == '/' ? folder : folder + '/';
  return result.size() > kMaxPathLength ? std::string() : result;
}

std::vector<std::string> FolderList(const std::string& list) {
  std::vector<std::string> folders;
  std::istringstream entries(list);
  for (std::string entry; std::getline(entries, entry, ':');) {
    if (!entry.empty()) folders.push_back(entry);
  }
  return folders;
}
