#pragma once
// The command line of tessaly-snapshot.

#include <string>
#include <vector>

#include "tools/host/CommandLine.h"

struct SnapshotOptions {
  bool help = false;
  std::string outputPath;
  std::string preset;
  std::vector<ParameterSetting> settings;
  int scale = 1;
};

constexpr int kMaxSnapshotScale = 8;

// Parses argv; on failure returns false with a one-line reason in error.
bool ParseSnapshotOptions(int argc, const char* const* argv, SnapshotOptions* options,
                          std::string* error);

// The text that --help prints.
std::string SnapshotUsage();
