#pragma once
// The host's main window as an editor window finds it: its top-level ancestor. That is the
// highest ancestor below the root that carries a WM_CLASS (a window manager's frame
// carries none), else the root's child on the way up. Needs an XErrorTrap.

#include <string>

#include "gui/win/XDisplayConnection.h"

// 0 when the server cannot tell; className gets the window's WM_CLASS class ("" for none).
XResourceId TopLevelAncestor(XDisplayConnection& connection, XResourceId window,
                             std::string& className);
