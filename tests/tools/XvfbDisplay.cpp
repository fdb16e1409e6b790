#include "tools/XvfbDisplay.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

namespace {

constexpr const char* kProgram = "Xvfb";

}  // namespace

bool XvfbDisplay::Installed() {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((folder + "/" + kProgram).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Xvfb picks a free display number itself and writes it to the -displayfd pipe once it
// accepts connections. -noreset keeps it from resetting whenever its last client leaves,
// which would refuse a connection that comes just then.
XvfbDisplay::XvfbDisplay() {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  server_ = fork();
  if (server_ == 0) {
    close(pipeEnds[0]);
    const std::string descriptor = std::to_string(pipeEnds[1]);
    execlp(kProgram, kProgram, "-displayfd", descriptor.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0",
           "640x480x24", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  std::string number;
  char c = 0;
  while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipeEnds[0]);
  if (!number.empty()) name_ = ":" + number;
}

XvfbDisplay::~XvfbDisplay() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  waitpid(server_, nullptr, 0);
}
