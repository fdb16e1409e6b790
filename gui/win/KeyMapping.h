#pragma once
// The keys the editor's controls handle, from the codes a window system or a host gives.
// Virtual-key codes are the classic PC ones: 32 space, 37-40 arrows, 48-57 digits,
// 65-90 and 97-122 letters of either case.

// The IKeyCode of a virtual-key code, or -1 for a key the editor does not handle.
int KeyFromVirtualKey(int virtualKey);
// The IKeyCode of an X keysym, or -1.
int KeyFromKeysym(unsigned long keysym);
