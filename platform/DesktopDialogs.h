#pragma once
// The desktop's file and colour dialogs, shown by zenity or, where it is missing, kdialog,
// run as child processes while the caller keeps pumping its own window events. Without
// either program the dialogs fail and say so on stderr.

#include <string>

#include "platform/ChildProcess.h"

struct RgbColour {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// Asks for a file to open (which must exist) or to save (confirming an overwrite).
// fileName: in, the proposed name (a bare name or a full path); out, the chosen file's full
// path, or "" when cancelled or failing. folder: in, the folder to start in (empty: the
// desktop, which folder then names); out, the chosen file's folder. extensions: the file
// types offered, separated by spaces ("fxp fxb"), or null for any file; a name saved
// without an extension gets the first. True when a file was chosen.
bool ChooseFileWithDesktop(std::string& fileName, bool save, std::string& folder,
                           const char* extensions, const WaitPump& pump);

// Asks for a colour, starting from colour and titled with prompt (null or empty: the
// dialog's own title). True when one was chosen, which colour then holds.
bool ChooseColourWithDesktop(RgbColour& colour, const char* prompt, const WaitPump& pump);
