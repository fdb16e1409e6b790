#pragma once
// The commands of tessaly-host. Each returns false with a one-line reason in error.

#include <string>

#include "tools/host/CommandLine.h"

bool RunList(const CommandLine& line, std::string* error);
bool RunInfo(const CommandLine& line, std::string* error);
bool RunParams(const CommandLine& line, std::string* error);
bool RunPresets(const CommandLine& line, std::string* error);
bool RunRender(const CommandLine& line, std::string* error);
bool RunSaveState(const CommandLine& line, std::string* error);
bool RunEdit(const CommandLine& line, std::string* error);
