#pragma once
// Sets plug-in parameters from text, as a host's parameter entry field does: a value in
// the parameter's own unit ("Stereo=3" is 3 dB for a parameter labelled dB) goes through
// the plug-in's own text-to-value request; "0.25n", or any value for a plug-in that does
// not take text, is a normalised value from 0 to 1. A parameter is named by its name or
// its index.

#include <string>
#include <vector>

#include "tools/host/CommandLine.h"
#include "tools/host/PluginModule.h"

// The index of the parameter called name (exact match first, then ignoring case, then
// as an index), or -1.
int FindParameter(const PluginModule& module, const std::string& name);

// Whether the plug-in takes text for parameter index. Asking sets the parameter from its
// own display text, so its value is put back afterwards.
bool TakesText(const PluginModule& module, int index);

// Applies every setting in order; stops at the first unknown name or value the plug-in
// does not take, with a one-line reason in error.
bool ApplySettings(PluginModule& module, const std::vector<ParameterSetting>& settings, std::string* error);
