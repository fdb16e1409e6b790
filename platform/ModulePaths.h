#pragma once
// The folders of the running program and of the module that holds this code (the plug-in
// module, or the program itself when the code is linked into it), each ending in '/'.
// Empty when the path cannot be found or is longer than kMaxPathLength.

#include <string>

std::string HostModuleFolder();
std::string PluginModuleFolder();
