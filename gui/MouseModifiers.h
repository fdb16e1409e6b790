#pragma once
// The buttons and keys held during a pointer event.

struct IMouseModifiers {
  bool left = false;
  bool right = false;
  bool shift = false;
  bool control = false;
  bool alt = false;

  // Shift or control asks for finer steps.
  bool Fine() const { return shift || control; }
};
