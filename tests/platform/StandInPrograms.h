#pragma once
// Test fixtures for the desktop services: temporary folders, environment variables set for
// one test, and stand-in programs that record their arguments and give canned answers.

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its contents.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  // Ends without '/'.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Sets (or, for a null value, unsets) an environment variable until the end of the scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  bool hadValue_ = false;
  std::string oldValue_;
};

// Writes an executable /bin/sh script.
void WriteScript(const std::string& path, const std::string& body);

// Writes folder/name: a program that records its arguments, prints answer and exits with
// status.
void WriteStandIn(const std::string& folder, const std::string& name, const std::string& answer,
                  int status);

// The arguments (without the program name) of the stand-in's last run.
std::vector<std::string> RecordedArguments(const std::string& folder, const std::string& name);

std::string FileText(const std::string& path);

// Whether the process exists and is not a zombie.
bool IsProcessAlive(int pid);
