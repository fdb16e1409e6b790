#pragma once
// Folder names as the editor's services hand them out: absolute, ending in '/', and short
// enough for the 256-byte buffers callers keep them in. A longer path gives an empty
// string rather than a cut one.

#include <string>
#include <vector>

// The most characters a path or folder may have (a 256-byte buffer and its terminator).
constexpr size_t kMaxPathLength = 255;

bool IsAbsolutePath(const std::string& path);

// Everything up to and including the last '/'. Empty when the path has no '/', when the
// '/' is its last character, or when it is longer than kMaxPathLength.
std::string FolderOfPath(const std::string& path);

// The absolute folder with a '/' appended where it has none; empty for an empty or
// relative folder or one that would be longer than kMaxPathLength.
std::string AsFolder(const std::string& folder);

// The entries of a colon-separated folder list such as PATH, without the empty ones.
std::vector<std::string> FolderList(const std::string& list);
