#pragma once
// What a window manager does with a program's top-level window, for tests on a display of
// their own: find it by its title and ask it to close (WM_DELETE_WINDOW).

#include <string>

// Waits up to five seconds for a top-level window titled title on the display named
// displayName; false when none appeared.
bool WaitForTopLevelWindow(const std::string& displayName, const std::string& title);

// Waits for the window like WaitForTopLevelWindow, then asks it to close as a window
// manager does when its close button is clicked.
bool AskTopLevelWindowToClose(const std::string& displayName, const std::string& title);
