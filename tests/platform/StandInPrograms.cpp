#include "StandInPrograms.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
// The text as one single-quoted shell word.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}
}  // namespace

TemporaryFolder::TemporaryFolder() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/tessaly-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
  const char* old = getenv(name);
  hadValue_ = old != nullptr;
  if (hadValue_) oldValue_ = old;
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedVariable::~ScopedVariable() {
  if (hadValue_) {
    setenv(name_.c_str(), oldValue_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

void WriteScript(const std::string& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  chmod(path.c_str(), 0755);
}

void WriteStandIn(const std::string& folder, const std::string& name, const std::string& answer,
                  int status) {
  // Arguments end with a zero byte each, so that any text survives the record.
  WriteScript(folder + "/" + name,
              "for argument in \"$@\"; do printf '%s\\000' \"$argument\"; done > " +
                  ShellQuoted(folder + "/" + name + ".arguments") + "\nprintf '%s' " +
                  ShellQuoted(answer) + "\nexit " + std::to_string(status));
}

std::vector<std::string> RecordedArguments(const std::string& folder, const std::string& name) {
  const std::string record = FileText(folder + "/" + name + ".arguments");
  std::vector<std::string> arguments;
  size_t start = 0;
  for (size_t end; (end = record.find('\0', start)) != std::string::npos; start = end + 1) {
    arguments.push_back(record.substr(start, end - start));
  }
  return arguments;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool IsProcessAlive(int pid) {
  const std::string stat = FileText("/proc/" + std::to_string(pid) + "/stat");
  const size_t end = stat.rfind(')');
  return end != std::string::npos && end + 2 < stat.size() && stat[end + 2] != 'Z';
}
