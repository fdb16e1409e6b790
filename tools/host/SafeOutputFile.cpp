#include "tools/host/SafeOutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

namespace {

// The temporary files that the signal handler removes. The handler may only use
// async-signal-safe calls, so the table is fixed in size and filled while the signals
// are blocked.
constexpr int kSlotCount = 8;
char temporaryPaths[kSlotCount][PATH_MAX];
volatile sig_atomic_t slotInUse[kSlotCount];
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};

extern "C" void RemoveTemporariesAndReraise(int signalNumber) {
  for (int i = 0; i < kSlotCount; ++i) {
    if (slotInUse[i]) unlink(temporaryPaths[i]);
  }
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

// Installs the handler once; a signal the process was started ignoring stays ignored.
void InstallCleanupHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signalNumber : kCleanupSignals) {
    struct sigaction previous {};
    sigaction(signalNumber, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndReraise;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
  }
}

// Blocks the cleanup signals while it lives, so that a temporary file and its table
// entry come into being together.
class CleanupSignalsBlocked {
 public:
  CleanupSignalsBlocked() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signalNumber : kCleanupSignals) sigaddset(&blocked, signalNumber);
    sigprocmask(SIG_BLOCK, &blocked, &previous_);
  }
  ~CleanupSignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

 private:
  sigset_t previous_;
};

int FreeSlot() {
  for (int i = 0; i < kSlotCount; ++i) {
    if (!slotInUse[i]) return i;
  }
  return -1;
}

std::string Directory(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t DefaultMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void SyncDirectory(const std::string& directory) {
  const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

}  // namespace

SafeOutputFile::~SafeOutputFile() { Discard(); }

bool SafeOutputFile::Open(const std::string& path, const std::vector<std::string>& inputs, std::string* error) {
  path_ = path;
  if (!RefuseInputs(inputs, error)) return false;
  return CheckTarget(error) && CreateTemporary(error);
}

bool SafeOutputFile::RefuseInputs(const std::vector<std::string>& inputs, std::string* error) const {
  for (const std::string& input : inputs) {
    if (!input.empty() && SameFile(input, path_)) {
      *error = "refusing to write " + path_ + ": it is the input file " + input;
      return false;
    }
  }
  return true;
}

bool SafeOutputFile::CheckTarget(std::string* error) {
  target_ = path_;
  struct stat status {};
  if (lstat(path_.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path_.c_str(), resolved)) target_ = resolved;
  }
  if (stat(target_.c_str(), &status) != 0) {
    if (errno != ENOENT) return Fail(std::strerror(errno), error);
    mode_ = DefaultMode();
    return true;
  }
  if (S_ISDIR(status.st_mode)) return Fail(std::strerror(EISDIR), error);
  // The rename would replace a file that the user may not write to.
  if (access(target_.c_str(), W_OK) != 0) return Fail(std::strerror(errno), error);
  mode_ = status.st_mode & 07777;
  return true;
}

bool SafeOutputFile::CreateTemporary(std::string* error) {
  std::string pattern = Directory(target_) + "/." + FileName(target_) + ".XXXXXX";
  if (pattern.size() >= PATH_MAX) return Fail(std::strerror(ENAMETOOLONG), error);
  InstallCleanupHandlers();
  CleanupSignalsBlocked blocked;
  const int slot = FreeSlot();
  if (slot < 0) return Fail("too many output files open at once", error);
  descriptor_ = mkostemp(&pattern[0], O_CLOEXEC);
  if (descriptor_ < 0) return Fail(std::strerror(errno), error);
  temporaryPath_ = pattern;
  std::memcpy(temporaryPaths[slot], pattern.c_str(), pattern.size() + 1);
  slotInUse[slot] = 1;
  slot_ = slot;
  if (fchmod(descriptor_, mode_) != 0) return Fail(std::strerror(errno), error);
  return true;
}

bool SafeOutputFile::Write(const void* data, size_t size, std::string* error) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(descriptor_, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return Fail(std::strerror(errno), error);
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool SafeOutputFile::Commit(std::string* error) {
  if (fsync(descriptor_) != 0) return Fail(std::strerror(errno), error);
  const int closed = close(descriptor_);
  descriptor_ = -1;
  if (closed != 0) return Fail(std::strerror(errno), error);
  if (rename(temporaryPath_.c_str(), target_.c_str()) != 0) return Fail(std::strerror(errno), error);
  temporaryPath_.clear();
  Discard();
  SyncDirectory(Directory(target_));
  return true;
}

bool SafeOutputFile::Fail(const std::string& reason, std::string* error) {
  Discard();
  *error = "cannot write " + path_ + ": " + reason;
  return false;
}

void SafeOutputFile::Discard() {
  if (descriptor_ >= 0) close(descriptor_);
  descriptor_ = -1;
  if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
  if (slot_ >= 0) slotInUse[slot_] = 0;
  slot_ = -1;
}
