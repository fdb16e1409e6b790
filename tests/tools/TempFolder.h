#pragma once
// A fresh folder in the temporary folder, removed with everything in it when the object
// goes away.

#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& str() const { return path_; }
  // The path of name inside the folder.
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  // The names of everything in the folder, hidden files included.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};
