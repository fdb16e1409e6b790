#pragma once
// Prints what a host sees of a plug-in: identity, pins, flags, parameters, programs, the
// answers to the usual capability questions and the requests it made of the host.

#include <vector>

#include "tools/host/HostServices.h"
#include "tools/host/PluginModule.h"

void PrintModuleInfo(const PluginModule& module, const std::vector<HostRequest>& creationRequests,
                     const std::vector<HostRequest>& openRequests);

// The same (without the host requests and the editor size) as one JSON object, for
// scripts; capability answers as numbers (1 yes, -1 no, 0 don't know).
void PrintModuleInfoJson(const PluginModule& module);

// One line per parameter: index, name, value with its label, normalised value and
// whether the plug-in takes text for it.
void PrintParameters(const PluginModule& module);

// One line per program: index, name, and a star at the current one.
void PrintPrograms(const PluginModule& module);
