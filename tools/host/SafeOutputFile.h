#pragma once
// An output file that takes its name only once it is complete. The data goes to a
// temporary file beside the target (".name.XXXXXX", on the same filesystem), which is
// synced and renamed over the target by Commit. Until then an existing file of that name
// stays as it was: on any failure, on destruction without Commit and on SIGINT, SIGTERM,
// SIGHUP or SIGXFSZ (the file-size limit reached) the temporary file is removed.

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

class SafeOutputFile {
 public:
  SafeOutputFile() = default;
  SafeOutputFile(const SafeOutputFile&) = delete;
  SafeOutputFile& operator=(const SafeOutputFile&) = delete;
  // Removes the temporary file unless it was committed.
  ~SafeOutputFile();

  // Refuses a target that is one of inputs (the same file under any name: symlink, hard
  // link, "dir/../name"), then creates the temporary file. A target that is a symbolic
  // link is replaced where it points. False with a one-line reason in error.
  bool Open(const std::string& path, const std::vector<std::string>& inputs, std::string* error);

  // The descriptor of the temporary file, for writers that take one.
  int Descriptor() const { return descriptor_; }
  const std::string& Path() const { return path_; }
  const std::string& TemporaryPath() const { return temporaryPath_; }

  // Writes all of data; false with the system's reason in error.
  bool Write(const void* data, size_t size, std::string* error);
  // Syncs and closes the temporary file and renames it over the target.
  bool Commit(std::string* error);

 private:
  bool RefuseInputs(const std::vector<std::string>& inputs, std::string* error) const;
  bool CheckTarget(std::string* error);
  bool CreateTemporary(std::string* error);
  bool Fail(const std::string& reason, std::string* error);
  void Discard();

  std::string path_;           // as the user named it, for messages
  std::string target_;         // what gets replaced: path_, or where its symbolic link points
  std::string temporaryPath_;
  int descriptor_ = -1;
  mode_t mode_ = 0;  // the existing file's permission bits, or the default for a new file
  int slot_ = -1;    // entry in the table of paths the signal handler removes
};
