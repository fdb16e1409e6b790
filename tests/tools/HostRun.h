#pragma once
// Runs the built tessaly-host as a separate program and collects what it printed.

#include <sys/types.h>

#include <string>
#include <vector>

struct HostRun {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  int signal = 0;   // the signal that ended it, if one did
  std::string out;
  std::string err;
  long long readCalls = -1;   // read and write system calls the program made, -1 if unknown
  long long writeCalls = -1;
};

// What differs in the program's surroundings from the test's own.
struct HostSetup {
  std::vector<std::string> unsetVariables;
  std::vector<std::string> setVariables;  // "NAME=value"
  long long fileSizeLimit = -1;           // bytes, -1 for none; writes beyond it fail with EFBIG
  std::string program = TESSALY_HOST_PATH;  // a copy of tessaly-host elsewhere, for one
  std::string workingDirectory;            // empty: the test's own
  std::string standardInput;               // a file to read as standard input; empty: none
};

// tessaly-host running in the background.
class HostProcess {
 public:
  explicit HostProcess(const std::vector<std::string>& arguments, const HostSetup& setup = {});
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  void Signal(int signalNumber) const;
  // Waits for the program to end.
  HostRun Wait();

 private:
  pid_t child_ = -1;
  std::string outPath_;
  std::string errPath_;
};

HostRun RunHost(const std::vector<std::string>& arguments, const HostSetup& setup = {});
