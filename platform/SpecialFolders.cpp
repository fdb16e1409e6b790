#include "platform/SpecialFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/FolderPath.h"

namespace {
constexpr int kUserDirTimeoutMs = 2000;
constexpr const char* kCommonDataFolder = "/usr/local/share/";

std::string Variable(const char* name) {
  const char* value = getenv(name);
  return value != nullptr ? value : "";
}

// HOME, or the password database's entry for the user when HOME is unset or empty.
std::string HomeFolder() {
  const std::string home = Variable("HOME");
  if (!home.empty()) return AsFolder(home);
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return {};
  }
  return AsFolder(found->pw_dir != nullptr ? found->pw_dir : "");
}

// A folder below the home folder; empty without a home folder.
std::string InHome(const char* relativeFolder) {
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : AsFolder(home + relativeFolder);
}

// The line xdg-user-dir prints for the desktop; empty when it is missing or fails.
std::string XdgDesktopPath() {
  return OneLineAnswer(RunProgram({"xdg-user-dir", "DESKTOP"}, nullptr, kUserDirTimeoutMs));
}

// The first absolute path in a colon-separated list (the XDG rules ignore relative ones).
std::string FirstAbsoluteEntry(const std::string& list) {
  for (const std::string& entry : FolderList(list)) {
    if (IsAbsolutePath(entry)) return entry;
  }
  return {};
}
}  // namespace

std::string DesktopFolder() {
  const std::string path = XdgDesktopPath();
  return IsAbsolutePath(path) ? AsFolder(path) : InHome("Desktop");
}

std::string AppDataFolder(bool allUsers) {
  if (allUsers) {
    const std::string entry = FirstAbsoluteEntry(Variable("XDG_DATA_DIRS"));
    return IsAbsolutePath(entry) ? AsFolder(entry) : kCommonDataFolder;
  }
  const std::string dataHome = Variable("XDG_DATA_HOME");
  return IsAbsolutePath(dataHome) ? AsFolder(dataHome) : InHome(".local/share");
}
