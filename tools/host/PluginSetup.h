#pragma once
// Brings an opened plug-in into the state the command line asks for: first a saved state
// (--state), then a program (--preset), then single parameters (--set), so that each
// later step refines the one before.

#include <string>

#include "tools/host/CommandLine.h"
#include "tools/host/PluginModule.h"

bool ConfigurePlugin(PluginModule& module, const CommandLine& line, std::string* error);

// The same for the module at position of a chain of modules: each --set and --state goes
// to the module its position names (N:NAME=VALUE, N:FILE; 0 without one), --preset to
// the first.
bool ConfigureChainedPlugin(PluginModule& module, const CommandLine& line, size_t position, size_t modules,
                            std::string* error);

// With --verbose: the module's path and its parameters as configured, on stdout.
void ShowConfiguration(const PluginModule& module, const CommandLine& line);
