#pragma once
// The desktop's folder and the folders where programs keep data for the user or for all
// users, each ending in '/'. Empty when no such folder can be named or when it would be
// longer than kMaxPathLength.

#include <string>

// The XDG desktop folder (xdg-user-dir DESKTOP), else ~/Desktop/.
std::string DesktopFolder();

// All users: the first absolute entry of XDG_DATA_DIRS, else /usr/local/share/. The user:
// XDG_DATA_HOME when absolute, else ~/.local/share/.
std::string AppDataFolder(bool allUsers);
