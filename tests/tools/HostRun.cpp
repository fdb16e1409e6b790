#include "tools/HostRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

HostRun RunHost(const std::vector<std::string>& arguments) {
  char outPath[] = "/tmp/tessaly-host-out-XXXXXX";
  char errPath[] = "/tmp/tessaly-host-err-XXXXXX";
  const int out = mkstemp(outPath);
  const int err = mkstemp(errPath);
  HostRun run;
  const pid_t child = fork();
  if (child == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(TESSALY_HOST_PATH));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(TESSALY_HOST_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  close(out);
  close(err);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  std::remove(outPath);
  std::remove(errPath);
  return run;
}
