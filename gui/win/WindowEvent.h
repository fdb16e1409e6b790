#pragma once
// An event of the editor window in the terms of the editor's message handling: client
// pixels, the buttons and keys held, and the editor's key codes.

#include "gui/MouseModifiers.h"
#include "raster/Rectangle.h"

struct WindowEvent {
  enum Kind {
    kNone,         // nothing the editor handles
    kExpose,       // area needs painting
    kPress,        // button 1, 2 or 3 went down
    kDoubleClick,  // a second quick press of button 1 at the same place
    kRelease,      // button 1, 2 or 3 went up
    kWheel,        // wheelSteps notches, + away from the user
    kMotion,       // the pointer moved; buttonHeld when button 1 or 3 is down
    kLeave,        // the pointer left the window
    kKey,          // key went down (-1 when the editor has no code for it)
    kDestroyed,    // the window is gone, with the host's parent window
  };

  Kind kind = kNone;
  int x = 0;
  int y = 0;
  int button = 0;
  int wheelSteps = 0;
  int key = -1;
  bool buttonHeld = false;
  IRectangle area{0, 0, 0, 0};
  IMouseModifiers modifiers;
  unsigned long time = 0;  // the server's time of the event, in milliseconds
};
