#pragma once
// Moves the plug-in's state between the plug-in and .fxp/.fxb preset files: through its
// state chunks (effGetChunk, effSetChunk) where it has them, else as lists of normalised
// parameter values. A program file holds the current program, a bank file every program
// and the index of the current one.

#include <string>

#include "tools/host/PluginModule.h"
#include "tools/host/SafeOutputFile.h"

// Saves a program (.fxp) or bank (.fxb), as the file's name says, and commits the file.
bool SaveState(PluginModule& module, SafeOutputFile& file, std::string* error);

// Restores a program or bank file of either form. A program file replaces the current
// program, name included; a bank file also switches to the program that was current. A
// file that does not read, is for another plug-in, has parameter or program counts the
// plug-in does not have, or is refused by the plug-in's load check leaves the plug-in
// untouched.
bool RestoreState(PluginModule& module, const std::string& path, std::string* error);
