#include "platform/FolderPath.h"

std::string FolderOfPath(const std::string& path) {
  if (path.size() > kMaxPathLength) return {};
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) return {};
  return path.substr(0, slash + 1);
}

std::string AsFolder(const std::string& folder) {
  if (folder.empty() || folder[0] != '/') return {};
  const std::string result = folder.back() == '/' ? folder : folder + '/';
  return result.size() > kMaxPathLength ? std::string() : result;
}
