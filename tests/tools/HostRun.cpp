#include "tools/HostRun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string TemporaryFile(const char* pattern, int* descriptor) {
  std::string path = pattern;
  *descriptor = mkstemp(&path[0]);
  return path;
}

// Runs in the child between fork and exec.
void ApplySetup(const HostSetup& setup) {
  for (const std::string& name : setup.unsetVariables) unsetenv(name.c_str());
  for (const std::string& assignment : setup.setVariables) putenv(const_cast<char*>(assignment.c_str()));
  if (setup.fileSizeLimit >= 0) {
    const auto limit = static_cast<rlim_t>(setup.fileSizeLimit);
    const rlimit size{limit, limit};
    setrlimit(RLIMIT_FSIZE, &size);
    // Ignored, the signal leaves the failing write() to return EFBIG.
    signal(SIGXFSZ, SIG_IGN);
  }
  if (!setup.workingDirectory.empty() && chdir(setup.workingDirectory.c_str()) != 0) _exit(126);
  if (!setup.standardInput.empty()) {
    const int input = open(setup.standardInput.c_str(), O_RDONLY);
    if (input < 0 || dup2(input, STDIN_FILENO) < 0) _exit(126);
    close(input);
  }
}

// The read and write system calls counted in /proc/PID/io.
void ReadSystemCalls(pid_t process, HostRun* run) {
  std::ifstream io("/proc/" + std::to_string(process) + "/io");
  std::string name;
  long long value = 0;
  while (io >> name >> value) {
    if (name == "syscr:") run->readCalls = value;
    if (name == "syscw:") run->writeCalls = value;
  }
}

}  // namespace

HostProcess::HostProcess(const std::vector<std::string>& arguments, const HostSetup& setup) {
  int out = -1;
  int err = -1;
  outPath_ = TemporaryFile("/tmp/tessaly-host-out-XXXXXX", &out);
  errPath_ = TemporaryFile("/tmp/tessaly-host-err-XXXXXX", &err);
  child_ = fork();
  if (child_ == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    ApplySetup(setup);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(setup.program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(setup.program.c_str(), argv.data());
    _exit(127);
  }
  close(out);
  close(err);
}

HostProcess::~HostProcess() {
  if (child_ > 0) {
    kill(child_, SIGKILL);
    Wait();
  }
  std::remove(outPath_.c_str());
  std::remove(errPath_.c_str());
}

void HostProcess::Signal(int signalNumber) const {
  if (child_ > 0) kill(child_, signalNumber);
}

HostRun HostProcess::Wait() {
  HostRun run;
  int status = 0;
  siginfo_t ended{};
  // Left unreaped for a moment, the ended program's counters can still be read.
  if (child_ > 0 && waitid(P_PID, static_cast<id_t>(child_), &ended, WEXITED | WNOWAIT) == 0) {
    ReadSystemCalls(child_, &run);
  }
  if (child_ > 0 && waitpid(child_, &status, 0) == child_) {
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  }
  child_ = -1;
  run.out = ReadAll(outPath_);
  run.err = ReadAll(errPath_);
  return run;
}

HostRun RunHost(const std::vector<std::string>& arguments, const HostSetup& setup) {
  return HostProcess(arguments, setup).Wait();
}
