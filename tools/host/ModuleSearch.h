#pragma once
// Where VST 2 modules are found on Linux: the folders named in LXVST_PATH and VST_PATH
// (separated by colons), ~/.vst, /usr/local/lib/vst and /usr/lib/vst, each with its
// subfolders, as workstations search them.

#include <string>
#include <vector>

// The folders above that exist, in that order.
std::vector<std::string> ModuleFolders();

// Every module (a file ending in .so) in the folders and their subfolders, each once.
std::vector<std::string> FindModules();

// The module that MODULE on a command line means: a path with a slash as given; a bare
// name in the current folder, or else the first module of that name (".so" may be left
// out) in the folders; without a name, tessaly.so beside the folder of the running program
// (as a build and an installation lay it out), or else in the folders. False with a
// one-line reason in error when nothing fits.
// name is taken by value, so that path may be the very string it came in.
bool LocateModule(std::string name, std::string* path, std::string* error);
