#pragma once
// The plug-in's programs (presets): listing them and switching to one by name or index.

#include <string>

#include "tools/host/PluginModule.h"

// Switches to the program given by its index (as 'presets' lists them) or by its name
// (exact first, then ignoring case). False with a one-line reason in error when there is
// no such program or the plug-in does not switch.
bool SelectProgram(PluginModule& module, const std::string& nameOrIndex, std::string* error);

// Switches to program index; false when the plug-in stays elsewhere.
bool SwitchProgram(PluginModule& module, int index);
