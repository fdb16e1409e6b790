#pragma once
// Turns the X events of the editor window into WindowEvents: buttons 1-3 into presses and
// releases, a second press of button 1 within the double-click time and distance into a
// double click (X has no such event), buttons 4 and 5 into wheel notches, and the event
// state into modifiers.

#include "gui/win/WindowEvent.h"

union _XEvent;

class XEventMapper {
 public:
  static constexpr unsigned long kDoubleClickMs = 500;
  static constexpr int kDoubleClickDistance = 2;  // pixels either way

  WindowEvent Map(_XEvent& event);

 private:
  WindowEvent MapButtonPress(const _XEvent& event);
  bool IsSecondClick(int x, int y, unsigned long time) const;

  bool havePress_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
  unsigned long pressTime_ = 0;
};
