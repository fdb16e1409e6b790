#pragma once
// Runs the built tessaly-host as a separate program and collects what it printed.

#include <string>
#include <vector>

struct HostRun {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;
  std::string err;
};

HostRun RunHost(const std::vector<std::string>& arguments);
