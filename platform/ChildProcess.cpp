#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "platform/FolderPath.h"

namespace {
constexpr int kPumpIntervalMs = 20;
constexpr int kSettleStepMs = 10;
constexpr size_t kMaxOutputBytes = 64 * 1024;
constexpr int kExecFailed = 127;
constexpr const char* kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// The exec call's argument array, built before fork: the child may only call
// async-signal-safe functions, which rules out allocating.
std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  for (const std::string& argument : argv) pointers.push_back(const_cast<char*>(argument.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: stdin from /dev/null, stdout to outputFd (-1 keeps the parent's), then exec.
[[noreturn]] void ExecInChild(const char* path, char* const* argv, int outputFd) {
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) dup2(devNull, STDIN_FILENO);
  if (outputFd == STDOUT_FILENO) {
    fcntl(outputFd, F_SETFD, 0);  // dup2 onto itself would keep close-on-exec
  } else if (outputFd >= 0) {
    dup2(outputFd, STDOUT_FILENO);
  }
  execve(path, argv, environ);
  _exit(kExecFailed);
}

void SleepMilliseconds(int milliseconds) {
  const timespec delay{0, milliseconds * 1000000L};
  nanosleep(&delay, nullptr);
}

// Reads what the pipe holds without blocking; false once it is closed.
bool ReadAvailable(int fd, std::string& output) {
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count > 0) {
      // Past the limit the pipe is still drained so that the child never blocks on it.
      const size_t room = kMaxOutputBytes - output.size();
      output.append(buffer, std::min(static_cast<size_t>(count), room));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      return count < 0 && errno == EAGAIN;
    }
  }
}

// Waits up to one pump interval for output (or just waits once the pipe is closed).
void WaitForOutput(int fd, bool& open, std::string& output) {
  if (!open) {
    SleepMilliseconds(kPumpIntervalMs);
    return;
  }
  pollfd request{fd, POLLIN, 0};
  if (poll(&request, 1, kPumpIntervalMs) != 0) open = ReadAvailable(fd, output);
}

void EndChild(pid_t pid, int& status) {
  kill(-pid, SIGKILL);
  kill(pid, SIGKILL);
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

// Waits for the child while draining its output and pumping; the child has exited by
// itself when this returns true.
bool AwaitChild(pid_t pid, int outputFd, const WaitPump& pump, int timeoutMs, ChildRun& run) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  bool open = true;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return false;  // reaped elsewhere: the status is lost
    const bool timedOut = timeoutMs > 0 && Clock::now() >= deadline;
    if (timedOut || (pump && !pump())) {
      EndChild(pid, status);
      return false;
    }
    WaitForOutput(outputFd, open, run.output);
  }
  if (open) ReadAvailable(outputFd, run.output);
  if (!WIFEXITED(status)) return false;
  run.exitStatus = WEXITSTATUS(status);
  return true;
}

// In the intermediate child of StartDetached: starts the program in a new session and
// reports through its own exit status whether the program failed within settleMs. A
// program still running is left to the init process, which reaps it.
[[noreturn]] void SuperviseDetached(const char* path, char* const* argv, int settleMs) {
  setsid();
  const pid_t pid = fork();
  if (pid == 0) ExecInChild(path, argv, -1);
  if (pid < 0) _exit(kExecFailed);
  for (int waited = 0; waited < settleMs; waited += kSettleStepMs) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      _exit(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
    }
    SleepMilliseconds(kSettleStepMs);
  }
  _exit(0);
}
}  // namespace

std::string FindProgram(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
  const char* variable = getenv("PATH");
  for (const std::string& folder : FolderList(variable != nullptr ? variable : kDefaultPath)) {
    const std::string candidate = folder + '/' + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

std::string OneLineAnswer(const ChildRun& run) {
  if (!run.exited || run.exitStatus != 0) return {};
  std::string line = run.output;
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line.find('\n') == std::string::npos ? line : std::string();
}

ChildRun RunProgram(const std::vector<std::string>& argv, const WaitPump& pump, int timeoutMs) {
  ChildRun run;
  const std::string path = argv.empty() ? std::string() : FindProgram(argv[0]);
  int pipeFds[2];
  if (path.empty() || pipe2(pipeFds, O_CLOEXEC) != 0) return run;
  std::vector<char*> arguments = ArgumentPointers(argv);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so that ending it also ends what it started
    ExecInChild(path.c_str(), arguments.data(), pipeFds[1]);
  }
  close(pipeFds[1]);
  if (pid > 0) {
    setpgid(pid, pid);  // also here: the group must exist before the parent may end it
    fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    run.started = true;
    run.exited = AwaitChild(pid, pipeFds[0], pump, timeoutMs, run);
  }
  close(pipeFds[0]);
  return run;
}

bool StartDetached(const std::vector<std::string>& argv, int settleMs) {
  const std::string path = argv.empty() ? std::string() : FindProgram(argv[0]);
  if (path.empty()) return false;
  std::vector<char*> arguments = ArgumentPointers(argv);
  const pid_t pid = fork();
  if (pid == 0) SuperviseDetached(path.c_str(), arguments.data(), settleMs);
  if (pid < 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
