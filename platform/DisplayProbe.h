#pragma once
// Whether an X display can be reached. Plug-in editors need one; hosts ask about an
// editor's window only where they could open it.

// Opens and closes a connection to the display that DISPLAY names; false without one.
bool CanOpenDisplay();
