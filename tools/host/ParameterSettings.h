#pragma once
// Sets plug-in parameters from text in the parameter's own unit ("Stereo=3" is 3 dB for
// a parameter labelled dB), through the plug-in's own text-to-value request, as a host's
// parameter entry field does.

#include <string>
#include <vector>

#include "tools/host/CommandLine.h"
#include "tools/host/PluginModule.h"

// The index of the parameter called name (exact match first, then ignoring case), or -1.
int FindParameter(const PluginModule& module, const std::string& name);

// Applies every setting in order; stops at the first unknown name or value the plug-in
// does not take, with a one-line reason in error.
bool ApplySettings(PluginModule& module, const std::vector<ParameterSetting>& settings, std::string* error);
